#include "fileops/failure_report.h"

#include "model/ascii_case.h"

namespace findlark {
namespace {

constexpr std::size_t kListedFailures = 20;

std::wstring Capitalized(std::wstring text) {
    if (!text.empty()) text[0] = AsciiUpper(text[0]);
    return text;
}

}  // namespace

std::wstring ReasonText(const Failure& failure) {
    switch (failure.reason) {
    case FailureReason::InUse: return L"it is in use by another program";
    case FailureReason::AccessDenied: return L"access is denied";
    case FailureReason::ReadOnly: return L"it is read-only";
    case FailureReason::TargetReadOnly: return L"the item it would replace is read-only";
    case FailureReason::PathTooLong: return L"the path is too long";
    case FailureReason::DiskFull: return L"the disk is full";
    case FailureReason::Vanished: return L"it no longer exists";
    case FailureReason::OntoItself: return L"the target is the item itself";
    case FailureReason::TargetInsideSource: return L"the target is inside the item itself";
    case FailureReason::TargetHoldsSource: return L"the item it would replace holds the item itself";
    case FailureReason::TargetOfOtherKind: return L"an item of another kind has its name in the target folder";
    case FailureReason::LinkNotCopied: return L"it holds a link to a folder, which is not copied";
    case FailureReason::ListingFailed:
        return L"not all of its contents could be listed" + (failure.detail.empty() ? L"" : L" (" + failure.detail + L")");
    case FailureReason::NotEmptied: return L"not all of its contents could be deleted";
    case FailureReason::CopyReplaced: return L"its copy was replaced by another item of the same name";
    case FailureReason::OverwrittenByCopy: return L"another item of this operation was copied onto it";
    case FailureReason::Cancelled: return L"the operation was cancelled before it was complete";
    case FailureReason::NotStarted: return L"the operation was cancelled before it was started";
    case FailureReason::NotRecyclable:
        return L"it cannot go to the Recycle Bin" + (failure.detail.empty() ? L"" : L" (" + failure.detail + L")");
    case FailureReason::ChangedAfterCopy: return L"it changed after it was copied; kept";
    case FailureReason::MovedItemInTheWay: return L"an item moved by this operation has its name in the target folder";
    case FailureReason::FilesKept: return L"not all of its files were copied: you kept files they would have replaced";
    case FailureReason::KindChanged: return L"it is no longer the kind of item its row lists";
    case FailureReason::Other: break;
    }
    return failure.detail.empty() ? L"an error occurred" : failure.detail;
}

std::wstring FailureMessage(OperationKind kind, const std::vector<Failure>& failures) {
    if (failures.empty()) return {};
    std::wstring text = kind == OperationKind::Copy   ? L"These items could not be copied:\n"
                        : kind == OperationKind::Move ? L"These items could not be moved:\n"
                                                      : L"These items could not be deleted:\n";
    for (std::size_t i = 0; i < failures.size() && i < kListedFailures; ++i) {
        const Failure& failure = failures[i];
        text += (i > 0 ? L"\n\n" : L"\n") + failure.path + L"\n    ";
        text += kind == OperationKind::Move && failure.step == FailedStep::Delete
                    ? L"It was copied, but could not be deleted: " + ReasonText(failure)
                    : Capitalized(ReasonText(failure));
        text += L".";
    }
    if (failures.size() > kListedFailures) text += L"\n\n... and " + std::to_wstring(failures.size() - kListedFailures) + L" more.";
    return text;
}

}  // namespace findlark
