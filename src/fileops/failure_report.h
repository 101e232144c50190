#pragma once
// The one message after a copy, move or delete that names every item that did not go through, each
// with its reason in words.
#include <string>
#include <vector>

namespace findlark {

enum class FailureReason {
    InUse,
    AccessDenied,
    ReadOnly,
    TargetReadOnly,
    PathTooLong,
    DiskFull,
    Vanished,
    OntoItself,
    TargetInsideSource,
    TargetHoldsSource,
    TargetOfOtherKind,
    LinkNotCopied,
    ListingFailed,
    NotEmptied,
    CopyReplaced,
    OverwrittenByCopy,
    Cancelled,
    NotStarted,
    NotRecyclable,
    ChangedAfterCopy,   // a move keeps what appeared or changed after its copy was made
    MovedItemInTheWay,  // an item this operation moved has the name in the target folder
    KindChanged,        // the row's file is now a folder, or the other way round
    FilesKept,          // merging, the user kept files that its files would have replaced
    Other,  // the platform's own words in `detail`
};

// Which step of the operation failed: a move that copied an item may still fail to delete it.
enum class FailedStep { Copy, Delete };

struct Failure {
    std::wstring path;
    FailureReason reason = FailureReason::Other;
    std::wstring detail;
    FailedStep step = FailedStep::Copy;
};

enum class OperationKind { Copy, Move, Delete };

// The reason in words, without a final stop: "it is in use by another program".
std::wstring ReasonText(const Failure& failure);

// The whole message; empty when nothing failed. A long list ends with how many more there are.
std::wstring FailureMessage(OperationKind kind, const std::vector<Failure>& failures);

}  // namespace findlark
