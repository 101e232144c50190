#include "fileops/copy_decisions.h"

namespace findlark {

CopyDecisions::Step CopyDecisions::onConflict() const {
    if (overwrite_ || yesToAll_) return Step::Copy;
    if (noToAll_) return Step::Skip;
    return Step::Ask;
}

CopyDecisions::Step CopyDecisions::onAnswer(ConfirmAnswer answer) {
    switch (answer) {
    case ConfirmAnswer::YesToAll:
        yesToAll_ = true;
        return Step::Copy;
    case ConfirmAnswer::Yes:
        return Step::Copy;
    case ConfirmAnswer::NoToAll:
        noToAll_ = true;
        return Step::Skip;
    case ConfirmAnswer::Abort:
        return Step::Stop;
    case ConfirmAnswer::Rename:
        return Step::CopyRenamed;
    default:  // No, and Cancel (the close box, or a rename given up)
        return Step::Skip;
    }
}

}  // namespace findlark
