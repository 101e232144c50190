#pragma once
// "Enter New File Name": copies the item in hand under a name of the user's choosing.
#include "win/dialog.h"
#include "win/interaction.h"

#include <functional>

namespace findlark {

class TFormRenameFile : public win::Dialog {
public:
    TFormRenameFile(HWND owner, win::Interaction& interaction);
    ~TFormRenameFile() override;

    win::Label LabelNewName;
    win::Edit EditNewName;
    win::Divider Divider;
    win::Label LabelTemp1;  // the item's folder
    win::Label LabelTemp2;  // its present name
    win::Label LabelTemp3;  // the destination, with its final "\"
    win::Button BitBtnOK;
    win::Button BitBtnCancel;

    void BitBtnOKClick();
    // Copies an item to a target; true when it was copied.
    std::function<bool(const std::wstring& source, const std::wstring& target)> copyItem;

private:
    win::Interaction& interaction_;
};

}  // namespace findlark
