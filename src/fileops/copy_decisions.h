#pragma once
// What a copy does with an item whose name already exists in the destination: replace it, skip it or
// ask, and what each answer of the confirm-replace dialog means for it and for the items after it.
namespace findlark {

// Rename: the user gave the copy a free name in the rename dialog.
enum class ConfirmAnswer { Yes, YesToAll, No, NoToAll, Abort, Cancel, Rename };

class CopyDecisions {
public:
    enum class Step { Copy, CopyRenamed, Skip, Ask, Stop };

    explicit CopyDecisions(bool overwriteWithoutPrompting) : overwrite_(overwriteWithoutPrompting) {}
    // For an item that meets an existing one of its name.
    Step onConflict() const;
    // After the dialog was asked; "to all" answers hold for the rest of the operation.
    Step onAnswer(ConfirmAnswer answer);

private:
    bool overwrite_;
    bool yesToAll_ = false;
    bool noToAll_ = false;
};

}  // namespace findlark
