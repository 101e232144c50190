#pragma once
// "Confirm File Replace": an item of the same name exists in the destination; the user says what to do.
#include "fileops/copy_decisions.h"
#include "fileops/form_rename.h"
#include "win/dialog.h"
#include "win/interaction.h"

namespace findlark {

// What the dialog shows of the two items.
struct ConflictShown {
    std::wstring folder;       // the row's folder
    std::wstring name;         // the row's name
    std::wstring destination;  // the chosen folder with its final "\"
    std::wstring existingSize, existingDate;
    std::wstring incomingSize, incomingDate;
    bool folders = false;  // two folders: they are merged, each file that would be replaced asked about
};

class TFormConfirm : public win::Dialog {
public:
    TFormConfirm(HWND owner, win::Interaction& interaction);
    ~TFormConfirm() override;

    win::Label LabelGeneral1;
    win::Label LabelGeneral2;
    win::IconImage Image1;
    win::Label LabelSize1;
    win::Label LabelModifiedDate1;
    win::Label LabelGeneral3;
    win::IconImage Image2;
    win::Label LabelSize2;
    win::Label LabelModifiedDate2;
    win::Divider Divider;
    win::Label LabelTemp1;
    win::Label LabelTemp2;
    win::Label LabelTemp3;
    // In tab order.
    win::Button BitBtnYes;
    win::Button BitBtnYesToAll;
    win::Button BitBtnNo;
    win::Button BitBtnNoToAll;
    win::Button BitBtnRename;
    win::Button BitBtnAbort;

    // The rename dialog, made after this one.
    void connect(TFormRenameFile& rename) { rename_ = &rename; }
    void fill(const ConflictShown& conflict);
    void BitBtnRenameClick();
    // The answer of the last showing: Cancel when closed by its close box or when the rename dialog
    // was cancelled, Rename when it gave a free name.
    ConfirmAnswer answer() const { return answer_; }
    const std::wstring& newName() const { return newName_; }

private:
    void answerWith(ConfirmAnswer answer);
    win::Interaction& interaction_;
    TFormRenameFile* rename_ = nullptr;
    ConfirmAnswer answer_ = ConfirmAnswer::Cancel;
    std::wstring newName_;
    bool folders_ = false;  // the conflict is between two folders
};

}  // namespace findlark
