#include "fileops/dialog_prompts.h"

#include "win/system_date_time.h"
#include "results/modified_text.h"
#include "results/size_text.h"
#include "win/system_time.h"

namespace findlark {

DialogPrompts::DialogPrompts(win::Interaction& interaction, HWND owner, TFormConfirm& confirm,
                             std::function<std::pair<int, std::wstring>()> sizeUnit)
    : interaction_(interaction), owner_(owner), confirm_(confirm), sizeUnit_(std::move(sizeUnit)) {}

std::optional<std::wstring> DialogPrompts::chooseDestination() {
    return interaction_.browseForFolder(owner_, L"Choose a directory to copy selected item(s) to.");
}

bool DialogPrompts::confirmDelete(bool forGood) {
    const wchar_t* const text = forGood ? L"Are you sure you want to delete this item(s) for good? They do not go to the Recycle Bin."
                                        : L"Are you sure you want to delete this item(s)?";
    return interaction_.messageBox(owner_, text, L"Confirm Multiple File Delete", MB_YESNO | MB_ICONWARNING) == IDYES;
}

ConflictReply DialogPrompts::askReplace(const Conflict& conflict) {
    const auto [unit, unitText] = sizeUnit_();
    FILETIME written{};
    written.dwLowDateTime = static_cast<DWORD>(conflict.existingWritten);
    written.dwHighDateTime = static_cast<DWORD>(conflict.existingWritten >> 32);
    confirm_.fill({conflict.item.folder, conflict.item.name, conflict.destination,
                   FormatSizeText(conflict.existingSize, unit, unitText),
                   FormatDateText(win::FromSystemTime(win::LocalTimeConverter()(written))),
                   FormatSizeText(conflict.item.size, unit, unitText), FormatDateText(conflict.item.modified), conflict.folders});
    interaction_.showModal(confirm_, owner_);
    return {confirm_.answer(), confirm_.newName()};
}

void DialogPrompts::reportFailures(const std::wstring& text) {
    interaction_.messageBox(owner_, text, L"Findlark 1.0", MB_OK | MB_ICONWARNING);
}

}  // namespace findlark
