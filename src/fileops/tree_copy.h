#pragma once
// Copying an item's data: one file, or a folder's whole tree file by file, so that the outcome of
// every file is known. A tree counts as copied only when all of it was written by this copy.
#include "fileops/failure_report.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace findlark {

class OperationProgress;
struct CopyRecord;

// Copies a file over whatever file is at the target (the platform's CopyFile); its bytes are reported
// as they go (or all at once when it is complete, where the platform reports none). `replaceProtected`
// first clears a read-only, hidden or system target, as a tree copy must; otherwise such a target
// stays and the copy fails. Nothing when the file was copied,
// and then `record`, when given, holds the source as it was when its copy began.
std::optional<Failure> CopyItemFile(const std::wstring& source, const std::wstring& target, OperationProgress& progress,
                                    bool replaceProtected, CopyRecord* record = nullptr);

// Copies a folder's tree into the target folder, made when missing, merging with what is there: every
// subfolder (empty ones too), hidden and system files, replacing files of the same names, read-only
// ones included. Links to folders are not followed (and leave the copy incomplete). Goes on past a
// failure; stops between files when the progress says so. Nothing when the whole tree was copied.
// `record`, when given, receives every source folder listed and every source file copied. Merging
// into an existing folder, `askReplace`, when given, decides for each file that would replace one.
enum class InnerReplace { Replace, Keep, Abort };
using InnerConflict = std::function<InnerReplace(const std::wstring& source, const std::wstring& target,
                                                 const WIN32_FIND_DATAW& entry)>;
std::optional<Failure> CopyFolderTree(const std::wstring& source, const std::wstring& target, OperationProgress& progress,
                                      CopyRecord* record = nullptr, const InnerConflict& askReplace = {});

struct TreeSize {
    std::uint64_t files = 0;
    std::uint64_t bytes = 0;
};

// The files of a folder's tree and their bytes, for the progress; links are not entered.
TreeSize MeasureTree(const std::wstring& folder, OperationProgress& progress);

}  // namespace findlark
