#pragma once
// Deleting, copying and moving the items of the selected rows, without a window: questions go through
// the prompts, progress to its display. Every item is reached by the path that names exactly it, an
// item is never copied onto itself or into its own tree, and a move deletes only what its copy step
// wrote completely and no later copy replaced.
#include "fileops/copy_record.h"
#include "fileops/failure_report.h"
#include "fileops/operation_item.h"
#include "fileops/operation_prompts.h"

#include <windows.h>

#include <cstdint>
#include <string_view>
#include <vector>

namespace findlark {

struct OperationSettings {
    bool deleteWithoutPrompting = false;
    bool overwriteWithoutPrompting = false;
    bool useRecycleBin = false;  // deleting (not moving) sends items to the Recycle Bin
    HWND shellOwner = nullptr;   // the window the shell's own questions belong to (in front of it)
};

struct DeleteOutcome {
    bool confirmed = false;              // answered Yes, or not asked
    std::vector<std::int32_t> removed;   // rows whose items are gone
};

struct CopyOutcome {
    bool destinationChosen = false;
    bool aborted = false;                // "&Abort" at a conflict: nothing after it was looked at
    std::vector<std::int32_t> copied;    // rows whose items were copied whole
};

struct MoveOutcome {
    CopyOutcome copy;
    DeleteOutcome deletion;  // rows whose items left their folders, renamed or copied and deleted
};

class FileOperation {
public:
    FileOperation(OperationPrompts& prompts, OperationProgress& progress, OperationSettings settings);

    // Deletes the items after one confirmation (unless the preference says not to ask): to the
    // Recycle Bin when the settings say so and `forGood` does not.
    DeleteOutcome deleteItems(const std::vector<OperationItem>& items, bool forGood = false);
    // Copies the items into a folder the user picks, asking at each name that is taken there.
    CopyOutcome copyItems(const std::vector<OperationItem>& items);
    // Renames the items that stay on their volume; copies the others, then deletes (with its own
    // confirmation) the sources that were copied and have not changed since.
    MoveOutcome moveItems(const std::vector<OperationItem>& items);

private:
    class CopyRun;
    struct CopyPhaseResult {
        CopyOutcome outcome;
        std::vector<std::int32_t> moved;  // renamed: already gone from their folders
        std::vector<CopyRecord> records;  // per item, what a move's copy read
    };
    CopyPhaseResult copyPhase(const std::vector<OperationItem>& items, std::wstring_view caption, bool move);
    void deleteCopies(const std::vector<OperationItem>& items, const std::vector<CopyRecord>& records, MoveOutcome& outcome);
    DeleteOutcome deletePhase(const std::vector<OperationItem>& items, bool recycle, bool insteadOfRecycling);
    void fail(const std::wstring& path, FailureReason reason);
    void report(OperationKind kind);

    OperationPrompts& prompts_;
    OperationProgress& progress_;
    OperationSettings settings_;
    std::vector<Failure> failures_;
};

}  // namespace findlark
