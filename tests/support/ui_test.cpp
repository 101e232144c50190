#include "support/ui_test.h"

#include "win/form.h"

#include <gtest/gtest.h>

namespace testing_support {

std::optional<std::wstring> ScriptedInteraction::browseForFolder(HWND, std::wstring_view instruction) {
    folderRequests.emplace_back(instruction);
    if (folderAnswers.empty()) {
        ADD_FAILURE() << "unexpected folder browser";
        return std::nullopt;
    }
    auto answer = folderAnswers.front();
    folderAnswers.pop_front();
    return answer;
}

namespace {
std::optional<std::wstring> NextFileAnswer(ScriptedInteraction& self, const win::FileDialogRequest& request, bool save) {
    self.fileRequests.push_back(request);
    self.fileRequestSaves.push_back(save);
    if (self.fileAnswers.empty()) {
        ADD_FAILURE() << "unexpected file dialog";
        return std::nullopt;
    }
    auto answer = self.fileAnswers.front();
    self.fileAnswers.pop_front();
    if (!self.fileTypeAnswers.empty()) {
        if (request.chosenType) *request.chosenType = self.fileTypeAnswers.front();
        self.fileTypeAnswers.pop_front();
    }
    return answer;
}
}  // namespace

std::optional<std::wstring> ScriptedInteraction::openFileName(HWND, const win::FileDialogRequest& request) {
    return NextFileAnswer(*this, request, false);
}

std::optional<std::wstring> ScriptedInteraction::saveFileName(HWND, const win::FileDialogRequest& request) {
    return NextFileAnswer(*this, request, true);
}

namespace {

// A modal window disables its owner while it is shown, so the owner takes no input meanwhile.
class OwnerDisabled {
public:
    explicit OwnerDisabled(HWND owner) : owner_(owner && ::IsWindowEnabled(owner) ? owner : nullptr) {
        if (owner_) ::EnableWindow(owner_, FALSE);
    }
    ~OwnerDisabled() {
        if (owner_) ::EnableWindow(owner_, TRUE);
    }
    OwnerDisabled(const OwnerDisabled&) = delete;
    OwnerDisabled& operator=(const OwnerDisabled&) = delete;

private:
    HWND owner_;
};

}  // namespace

int ScriptedInteraction::showModal(win::Dialog& dialog, HWND owner) {
    wchar_t caption[256] = {};
    ::GetWindowTextW(dialog.hwnd(), caption, 256);
    dialogs.emplace_back(caption);
    const OwnerDisabled disabled(owner);
    dialog.beginModal();
    if (dialogScripts.empty()) {
        ADD_FAILURE() << "unexpected dialog";
    } else {
        const auto script = std::move(dialogScripts.front());
        dialogScripts.pop_front();
        script(dialog);
    }
    if (dialog.showing()) dialog.endModal(IDCANCEL);
    return dialog.modalResult();
}

UINT ScriptedInteraction::trackPopupMenu(HWND, HMENU menu, POINT) {
    std::vector<std::wstring> captions;
    UINT chosen = 0;
    const std::wstring choice = popupChoices.empty() ? std::wstring() : popupChoices.front();
    if (!popupChoices.empty()) popupChoices.pop_front();
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        wchar_t text[256] = {};
        MENUITEMINFOW item{};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
        item.dwTypeData = text;
        item.cch = 256;
        ::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &item);
        std::wstring caption = (item.fType & MFT_SEPARATOR) ? L"-" : text;
        if (caption == choice && !chosen && !(item.fState & MFS_GRAYED)) chosen = item.wID;
        if (item.fState & MFS_CHECKED) caption += L" (on)";
        if ((item.fState & MFS_GRAYED) && caption != L"-") caption += L" (off)";
        captions.push_back(caption);
    }
    popupMenus.push_back(captions);
    return chosen;
}

int ScriptedInteraction::messageBox(HWND owner, std::wstring_view text, std::wstring_view caption, UINT flags) {
    messages.push_back({std::wstring(text), std::wstring(caption), flags});
    const OwnerDisabled disabled(owner);
    if (whileMessageShown) whileMessageShown();
    if (!messageAnswers.empty()) {
        const int answer = messageAnswers.front();
        messageAnswers.pop_front();
        return answer;
    }
    switch (flags & MB_TYPEMASK) {
    case MB_YESNO:
    case MB_YESNOCANCEL:
        return IDYES;
    default:
        return IDOK;
    }
}

GatedLauncher::GatedLauncher() : open_(std::make_shared<std::atomic<bool>>(true)) {}

findlark::RunLauncher GatedLauncher::launcher() const {
    return [open = open_](findlark::SearchRequest request, std::shared_ptr<findlark::RunChannel> channel) {
        return win::WorkerThread([open, request = std::move(request), channel = std::move(channel)] {
            while (!*open && !channel->control.stopRequested()) ::Sleep(5);
            findlark::RunSearch(request, *channel);
        });
    };
}

void GatedLauncher::open() { *open_ = true; }
void GatedLauncher::close() { *open_ = false; }

std::wstring ShownText(const win::VirtualListView& view, int row, int column) {
    wchar_t text[260] = {};
    ListView_GetItemText(view.hwnd(), row, column, text, 260);
    return text;
}

void PumpMessages(std::chrono::milliseconds duration) {
    const auto end = std::chrono::steady_clock::now() + duration;
    do {
        MSG message{};
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) win::DispatchAppMessage(message);
        if (duration.count() > 0) ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (std::chrono::steady_clock::now() < end);
}

bool PumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end) return false;
        MSG message{};
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) win::DispatchAppMessage(message);
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return true;
}

void PressKey(HWND target, WPARAM key) {
    MSG down{};
    down.hwnd = target;
    down.message = WM_KEYDOWN;
    down.wParam = key;
    down.lParam = 1;
    win::DispatchAppMessage(down);
    PumpMessages();
    MSG up = down;
    up.message = WM_KEYUP;
    up.lParam = static_cast<LPARAM>(0xC0000001);
    win::DispatchAppMessage(up);
    PumpMessages();
}

void TypeChar(HWND target, wchar_t character) { ::SendMessageW(target, WM_CHAR, character, 1); }

void ClickTab(const win::PageControl& pages, int index) {
    RECT tab{};
    ::SendMessageW(pages.hwnd(), TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&tab));
    const LPARAM point = MAKELPARAM((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
    ::SendMessageW(pages.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, point);
    ::SendMessageW(pages.hwnd(), WM_LBUTTONUP, 0, point);
    PumpMessages();
}

}  // namespace testing_support
