#pragma once
// "Enter New File Name": a name of the user's choosing for the copy of the item in hand, free in the
// destination.
#include "win/dialog.h"
#include "win/interaction.h"

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

    // Ends the dialog with OK when the name is one a copy may take and is free in the destination.
    void BitBtnOKClick();

private:
    win::Interaction& interaction_;
};

}  // namespace findlark
