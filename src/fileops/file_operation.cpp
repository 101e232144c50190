#include "fileops/file_operation.h"

#include "fileops/file_system.h"
#include "fileops/new_name.h"
#include "fileops/overlap.h"
#include "fileops/tree_copy.h"
#include "win/file_identity.h"
#include "win/long_path.h"
#include "win/system_date_time.h"
#include "win/system_time.h"

#include <algorithm>
#include <optional>
#include <unordered_set>

namespace findlark {
namespace {

// One phase of the progress display, ended however the phase ends.
class Phase {
public:
    Phase(OperationProgress& progress, std::wstring_view caption) : progress_(progress) { progress_.begin(caption); }
    ~Phase() { progress_.end(); }
    Phase(const Phase&) = delete;
    Phase& operator=(const Phase&) = delete;

private:
    OperationProgress& progress_;
};

std::uint64_t ToUnsigned(DWORD high, DWORD low) { return (static_cast<std::uint64_t>(high) << 32) | low; }

// What the directory entry of an existing target reports, for the confirm-replace dialog.
Conflict ConflictWith(const OperationItem& item, const std::wstring& destination, const std::wstring& target) {
    Conflict conflict{item, destination};
    WIN32_FILE_ATTRIBUTE_DATA existing{};
    if (::GetFileAttributesExW(win::PlatformPath(target).c_str(), GetFileExInfoStandard, &existing)) {
        if (!(existing.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            conflict.existingSize = static_cast<std::int64_t>(ToUnsigned(existing.nFileSizeHigh, existing.nFileSizeLow));
        conflict.existingWritten = ToUnsigned(existing.ftLastWriteTime.dwHighDateTime, existing.ftLastWriteTime.dwLowDateTime);
    }
    return conflict;
}

// The bytes an item brings to the progress display.
std::uint64_t BytesOf(const std::wstring& path, OperationProgress& progress) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(win::PlatformPath(path).c_str(), GetFileExInfoStandard, &data)) return 0;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return MeasureTree(path, progress).bytes;
    return ToUnsigned(data.nFileSizeHigh, data.nFileSizeLow);
}

}  // namespace

FileOperation::FileOperation(OperationPrompts& prompts, OperationProgress& progress, OperationSettings settings)
    : prompts_(prompts), progress_(progress), settings_(settings) {}

DeleteOutcome FileOperation::deleteItems(const std::vector<OperationItem>& items, bool forGood) {
    DeleteOutcome outcome = deletePhase(items, settings_.useRecycleBin && !forGood, settings_.useRecycleBin && forGood);
    report(OperationKind::Delete);
    return outcome;
}

CopyOutcome FileOperation::copyItems(const std::vector<OperationItem>& items) {
    CopyOutcome outcome = copyPhase(items, L"Copying", false).outcome;
    report(OperationKind::Copy);
    return outcome;
}

MoveOutcome FileOperation::moveItems(const std::vector<OperationItem>& items) {
    MoveOutcome outcome;
    CopyPhaseResult phase = copyPhase(items, L"Moving", true);
    outcome.copy = std::move(phase.outcome);
    outcome.deletion.removed = std::move(phase.moved);
    if (outcome.copy.destinationChosen && !outcome.copy.aborted && !outcome.copy.copied.empty())
        deleteCopies(items, phase.records, outcome);
    report(OperationKind::Move);
    return outcome;
}

// One copy phase: where each item goes, and which targets it has written so far. A move within one
// volume renames the item instead (instant, atomic, nothing to delete afterwards).
class FileOperation::CopyRun {
public:
    CopyRun(FileOperation& operation, const std::vector<OperationItem>& items, const std::wstring& chosen, bool move)
        : operation_(operation),
          items_(items),
          destination_(chosen.back() == L'\\' ? chosen : chosen + L"\\"),
          destinationChain_(chosen),
          decisions_(operation.settings_.overwriteWithoutPrompting),
          move_(move),
          copied_(items.size(), false),
          moved_(items.size(), false),
          records_(items.size()) {
        if (move_) {
            if (const std::optional<win::FileIdentity> identity = win::IdentityOf(chosen)) destinationVolume_ = identity->volume;
        }
    }

    // Whether the item goes by a rename: a move within the destination's volume.
    bool renames(const OperationItem& item) const {
        if (!move_ || !destinationVolume_) return false;
        const std::optional<win::FileIdentity> identity = win::IdentityOf(item.fullPath(), win::Links::Stop);
        return identity && identity->volume == *destinationVolume_;
    }

    // Copies (or renames) one item unless it is skipped or refused; false for "Abort".
    bool copy(std::size_t index) {
        const OperationItem& item = items_[index];
        const std::wstring source = item.fullPath();
        operation_.progress_.working(source);
        if (!PathExists(source)) {
            operation_.fail(source, FailureReason::Vanished);
            return true;
        }
        std::wstring target = destination_ + item.name;
        // What can never be done is refused before anything is asked.
        if (refused(source, target)) return true;
        const bool folder = IsExistingFolder(source);
        if (PathExists(target)) {
            if (folder != IsExistingFolder(target)) {
                operation_.fail(source, FailureReason::TargetOfOtherKind);
                return true;
            }
            CopyDecisions::Step step = decisions_.onConflict();
            if (step == CopyDecisions::Step::Ask) {
                Conflict conflict = ConflictWith(item, destination_, target);
                conflict.folders = folder;
                const ConflictReply reply = operation_.prompts_.askReplace(conflict);
                step = decisions_.onAnswer(reply.answer);
                if (step == CopyDecisions::Step::CopyRenamed) {
                    target = destination_ + reply.newName;
                    if (!IsValidNewName(reply.newName) || PathExists(target)) step = CopyDecisions::Step::Skip;
                }
            }
            if (step == CopyDecisions::Step::Stop) return false;
            if (step == CopyDecisions::Step::Skip) return true;
            if (refused(source, target)) return true;
        }
        if (!forgetCopiesReplacedBy(source, target)) return true;
        // A folder merged into one of its name is copied: a rename cannot merge.
        if (renames(item) && !(folder && PathExists(target))) {
            const RenameResult renamed = rename(source, target);
            if (renamed == RenameResult::Done) {
                moved_[index] = true;
                if (const std::optional<win::FileIdentity> made = win::IdentityOf(target, win::Links::Stop))
                    written_.push_back({*made, index, folder});
                return true;
            }
            if (renamed == RenameResult::Failed) return true;
        }
        CopyRecord* const record = move_ ? &records_[index] : nullptr;
        const bool merging = folder && PathExists(target);
        const InnerConflict askInner = [&](const std::wstring& from, const std::wstring& to, const WIN32_FIND_DATAW& entry) {
            return askInnerReplace(item, from, to, entry);
        };
        const std::optional<Failure> failed = folder ? CopyFolderTree(source, target, operation_.progress_, record,
                                                                      merging ? askInner : InnerConflict())
                                                     : CopyItemFile(source, target, operation_.progress_, false, record);
        if (aborted_) return false;
        if (failed) {
            operation_.failures_.push_back(*failed);
        } else {
            copied_[index] = true;
        }
        if (const std::optional<win::FileIdentity> made = win::IdentityOf(target)) written_.push_back({*made, index, folder});
        return true;
    }

    // The rows whose items are in the destination whole and are still their own originals: an item
    // that another copy wrote over or into is not. Only a folder target can hold other items, so
    // only then are the folders above an item looked at.
    std::vector<std::int32_t> copiedRows() {
        const bool folderWritten = std::any_of(written_.begin(), written_.end(), [](const Written& w) { return w.folder; });
        std::vector<std::int32_t> rows;
        for (std::size_t i = 0; i < items_.size(); ++i) {
            if (!copied_[i]) continue;
            const std::wstring source = items_[i].fullPath();
            std::vector<win::FileIdentity> chain;
            if (folderWritten) {
                chain = win::IdentityChain(source);
            } else if (const std::optional<win::FileIdentity> own = win::IdentityOf(source)) {
                chain.push_back(*own);
            }
            const bool overwritten = std::any_of(written_.begin(), written_.end(), [&](const Written& w) {
                return w.item != i && std::find(chain.begin(), chain.end(), w.target) != chain.end();
            });
            if (overwritten) {
                operation_.fail(source, FailureReason::OverwrittenByCopy);
            } else {
                rows.push_back(items_[i].row);
            }
        }
        return rows;
    }

    std::vector<std::int32_t> movedRows() const {
        std::vector<std::int32_t> rows;
        for (std::size_t i = 0; i < items_.size(); ++i) {
            if (moved_[i]) rows.push_back(items_[i].row);
        }
        return rows;
    }

    std::vector<CopyRecord> takeRecords() { return std::move(records_); }

private:
    struct Written {
        win::FileIdentity target;
        std::size_t item;
        bool folder;
    };

    enum class RenameResult { Done, Failed, OtherVolume };

    // A file of a folder being merged would replace one: asked like any other conflict (the "to all"
    // answers and the preference hold); a new name is not offered inside a merge.
    InnerReplace askInnerReplace(const OperationItem& item, const std::wstring& source, const std::wstring& target,
                                 const WIN32_FIND_DATAW& entry) {
        CopyDecisions::Step step = decisions_.onConflict();
        if (step == CopyDecisions::Step::Ask) {
            const std::size_t sourceCut = source.find_last_of(L'\\'), targetCut = target.find_last_of(L'\\');
            const OperationItem inner{item.row, source.substr(0, sourceCut), source.substr(sourceCut + 1),
                                      static_cast<std::int64_t>(ToUnsigned(entry.nFileSizeHigh, entry.nFileSizeLow)),
                                      win::FromSystemTime(localTime_(entry.ftLastWriteTime)), ItemKind::File};
            step = decisions_.onAnswer(
                operation_.prompts_.askReplace(ConflictWith(inner, target.substr(0, targetCut + 1), target)).answer);
        }
        if (step == CopyDecisions::Step::Stop) {
            aborted_ = true;
            return InnerReplace::Abort;
        }
        return step == CopyDecisions::Step::Copy ? InnerReplace::Replace : InnerReplace::Keep;
    }

    bool refused(const std::wstring& source, const std::wstring& target) {
        const std::optional<FailureReason> overlap = FindOverlap(source, target, destinationChain_);
        if (overlap) operation_.fail(source, *overlap);
        return overlap.has_value();
    }

    RenameResult rename(const std::wstring& source, const std::wstring& target) {
        const DWORD flags = PathExists(target) ? MOVEFILE_REPLACE_EXISTING : 0;
        if (::MoveFileExW(win::PlatformPath(source).c_str(), win::PlatformPath(target).c_str(), flags)) return RenameResult::Done;
        const DWORD error = ::GetLastError();
        if (error == ERROR_NOT_SAME_DEVICE) return RenameResult::OtherVolume;
        Failure failure = FailureOf(source, error);
        if (failure.reason == FailureReason::AccessDenied && IsExistingFile(target) &&
            (::GetFileAttributesW(win::PlatformPath(target).c_str()) & FILE_ATTRIBUTE_READONLY))
            failure.reason = FailureReason::TargetReadOnly;
        operation_.failures_.push_back(std::move(failure));
        return RenameResult::Failed;
    }

    // An item that this operation copied to a target it is about to write again is no longer copied;
    // an item it moved there has no other copy, so nothing may replace it. False when the item waits.
    bool forgetCopiesReplacedBy(const std::wstring& source, const std::wstring& target) {
        const std::optional<win::FileIdentity> existing = win::IdentityOf(target);
        if (!existing) return true;
        for (const Written& earlier : written_) {
            if (!(earlier.target == *existing)) continue;
            if (moved_[earlier.item]) {
                operation_.fail(source, FailureReason::MovedItemInTheWay);
                return false;
            }
        }
        for (const Written& earlier : written_) {
            if (earlier.target == *existing && copied_[earlier.item]) {
                copied_[earlier.item] = false;
                operation_.fail(items_[earlier.item].fullPath(), FailureReason::CopyReplaced);
            }
        }
        return true;
    }

    FileOperation& operation_;
    const std::vector<OperationItem>& items_;
    const std::wstring destination_;  // with its final separator
    const DestinationChain destinationChain_;
    CopyDecisions decisions_;
    const bool move_;
    std::optional<std::uint64_t> destinationVolume_;
    std::vector<Written> written_;
    std::vector<bool> copied_;
    std::vector<bool> moved_;
    std::vector<CopyRecord> records_;  // for a move: what each copied item's copy read
    const win::LocalTimeConverter localTime_;
    bool aborted_ = false;  // "&Abort" inside a merge
};

FileOperation::CopyPhaseResult FileOperation::copyPhase(const std::vector<OperationItem>& items, std::wstring_view caption,
                                                        bool move) {
    CopyPhaseResult result;
    const std::optional<std::wstring> chosen = prompts_.chooseDestination();
    if (!chosen || chosen->empty()) return result;
    result.outcome.destinationChosen = true;
    const Phase phase(progress_, caption);
    CopyRun run(*this, items, *chosen, move);
    progress_.addWork(items.size(), 0);
    for (const OperationItem& item : items) {
        if (progress_.cancelled()) break;
        if (!run.renames(item)) progress_.addWork(0, BytesOf(item.fullPath(), progress_));
    }
    std::size_t next = 0;
    for (; next < items.size() && !progress_.cancelled(); ++next) {
        if (!run.copy(next)) {
            result.outcome.aborted = true;
            break;
        }
        progress_.advance(1, 0);
    }
    // Cancel names every item that was not started, not only the one in hand.
    if (!result.outcome.aborted) {
        for (; next < items.size(); ++next) fail(items[next].fullPath(), FailureReason::NotStarted);
    }
    result.outcome.copied = run.copiedRows();
    result.moved = run.movedRows();
    result.records = run.takeRecords();
    return result;
}

// The second half of a move across volumes: after one confirmation, each copied item's sources that
// are still what was copied.
void FileOperation::deleteCopies(const std::vector<OperationItem>& items, const std::vector<CopyRecord>& records,
                                 MoveOutcome& outcome) {
    if (!settings_.deleteWithoutPrompting && !prompts_.confirmDelete(false)) return;
    outcome.deletion.confirmed = true;
    const std::unordered_set<std::int32_t> copied(outcome.copy.copied.begin(), outcome.copy.copied.end());
    const Phase phase(progress_, L"Deleting");
    progress_.addWork(copied.size(), 0);
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!copied.count(items[i].row)) continue;
        const std::wstring path = items[i].fullPath();
        for (Failure& failure : DeleteCopiedSources(path, records[i], progress_)) failures_.push_back(std::move(failure));
        if (!PathExists(path)) outcome.deletion.removed.push_back(items[i].row);
        progress_.advance(1, 0);
    }
}

DeleteOutcome FileOperation::deletePhase(const std::vector<OperationItem>& items, bool recycle, bool insteadOfRecycling) {
    DeleteOutcome outcome;
    if (!settings_.deleteWithoutPrompting && !prompts_.confirmDelete(insteadOfRecycling)) return outcome;
    outcome.confirmed = true;
    const Phase phase(progress_, L"Deleting");
    progress_.addWork(items.size(), 0);
    for (const OperationItem& item : items) {
        if (progress_.cancelled()) break;
        const std::wstring path = item.fullPath();
        progress_.working(path);
        std::optional<Failure> failed;
        const bool isFolder = IsExistingFolder(path);
        if ((item.kind == ItemKind::File && isFolder) || (item.kind == ItemKind::Folder && IsExistingFile(path))) {
            failed = Failure{path, FailureReason::KindChanged, {}};
        } else if (recycle) {
            failed = RecycleItem(path, settings_.shellOwner);
        } else if (isFolder) {
            failed = RemoveFolderTree(path, &progress_);
        } else if (PathExists(path)) {
            failed = DeleteItemFile(path);
        }
        if (failed) {
            failed->step = FailedStep::Delete;
            failures_.push_back(std::move(*failed));
        }
        if (!PathExists(path)) outcome.removed.push_back(item.row);
        progress_.advance(1, 0);
    }
    return outcome;
}

void FileOperation::fail(const std::wstring& path, FailureReason reason) { failures_.push_back(Failure{path, reason, {}}); }

void FileOperation::report(OperationKind kind) {
    if (failures_.empty()) return;
    prompts_.reportFailures(FailureMessage(kind, failures_));
    failures_.clear();
}

}  // namespace findlark
