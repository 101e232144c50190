#include "fileops/form_confirm.h"

#include "fileops/file_system.h"
#include "fileops/new_name.h"

#include "win/long_path.h"

#include <shellapi.h>

namespace findlark {
namespace {

// The shell's icon for an item; for a name that the shell would take for another item's, the icon of
// its kind and extension.
win::UniqueIcon LargeIcon(const std::wstring& path) {
    SHFILEINFOW info{};
    UINT flags = SHGFI_ICON | SHGFI_LARGEICON;
    DWORD attributes = 0;
    if (win::NeedsExactForm(path)) {
        const DWORD found = ::GetFileAttributesW(win::PlatformPath(path).c_str());
        attributes = found != INVALID_FILE_ATTRIBUTES && (found & FILE_ATTRIBUTE_DIRECTORY) ? FILE_ATTRIBUTE_DIRECTORY
                                                                                             : FILE_ATTRIBUTE_NORMAL;
        flags |= SHGFI_USEFILEATTRIBUTES;
    }
    ::SHGetFileInfoW(path.c_str(), attributes, &info, sizeof(info), flags);
    return win::UniqueIcon(info.hIcon);
}

}  // namespace

TFormConfirm::TFormConfirm(HWND owner, win::Interaction& interaction) : interaction_(interaction) {
    createDialog(L"Confirm File Replace", {409, 257}, owner);
    LabelGeneral1.create(*this, L"", {12, 10, 385, 32});
    LabelGeneral2.create(*this, L"Would you like to replace the existing file", {12, 46, 385, 17});
    Image1.create(*this, {24, 68, 32, 32});
    LabelSize1.create(*this, L"", {66, 68, 320, 16});
    LabelModifiedDate1.create(*this, L"", {66, 85, 320, 16});
    LabelGeneral3.create(*this, L"with this one?", {12, 110, 385, 17});
    Image2.create(*this, {24, 132, 32, 32});
    LabelSize2.create(*this, L"", {66, 132, 320, 16});
    LabelModifiedDate2.create(*this, L"", {66, 149, 320, 16});
    Divider.create(*this, {8, 176, 393, 2});
    LabelTemp1.create(*this, L"", {8, 180, 10, 10});
    LabelTemp2.create(*this, L"", {8, 180, 10, 10});
    LabelTemp3.create(*this, L"", {8, 180, 10, 10});
    for (win::Label* hidden : {&LabelTemp1, &LabelTemp2, &LabelTemp3}) hidden->setVisible(false);
    // Two rows of three: "&Yes", "&No", "&Rename" above, the "to all" answers and "&Abort" below.
    BitBtnYes.create(*this, L"&Yes", {46, 188, 100, 25});
    BitBtnYesToAll.create(*this, L"Yes To &All", {46, 220, 100, 25});
    BitBtnNo.create(*this, L"&No", {154, 188, 100, 25});
    BitBtnNoToAll.create(*this, L"No &To All", {154, 220, 100, 25});
    BitBtnRename.create(*this, L"&Rename", {262, 188, 100, 25});
    BitBtnAbort.create(*this, L"&Abort", {262, 220, 100, 25});
    setDefaultButton(BitBtnYes);

    BitBtnYes.onClick = [this] { answerWith(ConfirmAnswer::Yes); };
    BitBtnYesToAll.onClick = [this] { answerWith(ConfirmAnswer::YesToAll); };
    BitBtnNo.onClick = [this] { answerWith(ConfirmAnswer::No); };
    BitBtnNoToAll.onClick = [this] { answerWith(ConfirmAnswer::NoToAll); };
    BitBtnAbort.onClick = [this] { answerWith(ConfirmAnswer::Abort); };
    BitBtnRename.onClick = [this] { BitBtnRenameClick(); };
}

TFormConfirm::~TFormConfirm() { destroyWindow(); }

void TFormConfirm::fill(const ConflictShown& c) {
    answer_ = ConfirmAnswer::Cancel;
    newName_.clear();
    if (c.folders) {
        LabelGeneral1.setText(L"This folder already contains a folder named '" + c.name +
                              L"'. The two folders will be merged; each file that would replace another is asked about.");
        LabelGeneral2.setText(L"Would you like to merge the existing folder");
    } else {
        LabelGeneral1.setText(L"This folder already contains a file named '" + c.name + L"'.");
        LabelGeneral2.setText(L"Would you like to replace the existing file");
    }
    LabelSize1.setText(c.existingSize);
    LabelModifiedDate1.setText(c.existingDate);
    LabelSize2.setText(c.incomingSize);
    LabelModifiedDate2.setText(c.incomingDate);
    Image1.setIcon(LargeIcon(c.destination + c.name));
    Image2.setIcon(LargeIcon(c.folder + L"\\" + c.name));
    LabelTemp1.setText(c.folder);
    LabelTemp2.setText(c.name);
    LabelTemp3.setText(c.destination);
    folders_ = c.folders;
    BitBtnYes.focus();
}

void TFormConfirm::answerWith(ConfirmAnswer answer) {
    answer_ = answer;
    endModal(IDOK);
}

// The rename dialog hands back a free name, under which the operation copies the item; however the
// rename dialog closes, this dialog closes after it.
void TFormConfirm::BitBtnRenameClick() {
    if (!rename_) return answerWith(ConfirmAnswer::Cancel);
    rename_->LabelTemp1.setText(LabelTemp1.text());
    rename_->LabelTemp2.setText(LabelTemp2.text());
    rename_->LabelTemp3.setText(LabelTemp3.text());
    // The first free name, selected: Enter keeps both items, typing replaces it.
    const std::wstring destination = LabelTemp3.text();
    rename_->EditNewName.setText(
        FirstFreeName(LabelTemp2.text(), folders_, [&](const std::wstring& name) { return PathExists(destination + name); }));
    if (interaction_.showModal(*rename_, hwnd()) != IDOK) return answerWith(ConfirmAnswer::Cancel);
    newName_ = rename_->EditNewName.text();
    answerWith(ConfirmAnswer::Rename);
}

}  // namespace findlark
