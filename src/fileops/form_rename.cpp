#include "fileops/form_rename.h"

#include "fileops/file_system.h"
#include "fileops/new_name.h"

namespace findlark {
namespace {

constexpr std::size_t kLongestName = 255;     // a name in a folder of the usual file systems
constexpr std::size_t kLongestPath = 32767;  // a whole path in its extended-length form

}  // namespace

TFormRenameFile::TFormRenameFile(HWND owner, win::Interaction& interaction) : interaction_(interaction) {
    createDialog(L"Enter New File Name", {577, 97}, owner);
    LabelNewName.create(*this, L"New name:", {8, 8, 200, 17});
    EditNewName.create(*this, L"", {8, 26, 561, 23});
    Divider.create(*this, {8, 58, 561, 2});
    LabelTemp1.create(*this, L"", {8, 64, 10, 10});
    LabelTemp2.create(*this, L"", {8, 64, 10, 10});
    LabelTemp3.create(*this, L"", {8, 64, 10, 10});
    for (win::Label* hidden : {&LabelTemp1, &LabelTemp2, &LabelTemp3}) hidden->setVisible(false);
    BitBtnOK.create(*this, L"&OK", {402, 66, 80, 25});
    BitBtnCancel.create(*this, L"&Cancel", {489, 66, 80, 25});
    setDefaultButton(BitBtnOK);
    setCancelButton(BitBtnCancel);
    setInitialFocus(EditNewName);  // what the user types goes into the name, never to a button
    BitBtnOK.onClick = [this] { BitBtnOKClick(); };
    BitBtnCancel.onClick = [this] { endModal(IDCANCEL); };
}

TFormRenameFile::~TFormRenameFile() { destroyWindow(); }

void TFormRenameFile::BitBtnOKClick() {
    const std::wstring name = EditNewName.text();
    // A name with a separator would put the copy outside the chosen folder; one the platform alters
    // would name another item.
    if (!IsValidNewName(name)) {
        interaction_.messageBox(hwnd(),
                                L"The new name cannot be empty, contain \\ / : * ? \" < > |, end in a dot or a space, "
                                L"or be a device name such as CON or NUL.",
                                L"Warning", MB_OK | MB_ICONWARNING);
        return;
    }
    // Refused here with its reason, not later as a file that cannot be found.
    if (name.size() > kLongestName || LabelTemp3.text().size() + name.size() >= kLongestPath) {
        interaction_.messageBox(hwnd(),
                                L"The new name is too long: a name can have at most " + std::to_wstring(kLongestName) +
                                    L" characters, and the whole path at most " + std::to_wstring(kLongestPath - 1) + L".",
                                L"Warning", MB_OK | MB_ICONWARNING);
        return;
    }
    if (PathExists(LabelTemp3.text() + name)) {
        interaction_.messageBox(hwnd(), L"File already exists.", L"Warning", MB_OK | MB_ICONWARNING);
        return;
    }
    endModal(IDOK);
}

}  // namespace findlark
