#pragma once
// A folder's entries through the platform's classic enumeration, with the end told apart from a
// failure: only "no more files" ends a folder. Any other error is kept, so that no caller takes a
// half-listed folder for a whole one.
#include "win/handle.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace win {

class FolderEntries {
public:
    // Lists `folder` (no final separator) for `pattern`; "." and ".." are left out. Paths reach the
    // platform in the form that names them exactly.
    explicit FolderEntries(std::wstring_view folder, std::wstring_view pattern = L"*",
                           FINDEX_INFO_LEVELS level = FindExInfoBasic, DWORD flags = 0);
    FolderEntries(const FolderEntries&) = delete;
    FolderEntries& operator=(const FolderEntries&) = delete;

    // Moves to the next entry: false at the end, or when the listing failed (`error` says which).
    bool next();
    const WIN32_FIND_DATAW& entry() const { return entry_; }
    // 0 while listing and after the last entry; otherwise why the listing stopped.
    // ERROR_FILE_NOT_FOUND means that nothing matched the pattern (or a drive's root is empty).
    DWORD error() const { return error_; }
    // Every entry was listed.
    bool complete() const { return error_ == 0 || error_ == ERROR_FILE_NOT_FOUND; }

private:
    std::wstring folder_;
    UniqueFindHandle find_;
    WIN32_FIND_DATAW entry_{};
    bool pending_ = false;  // the first entry is in `entry_`, not yet handed out
    DWORD error_ = 0;
    std::size_t listed_ = 0;
};

// For tests: makes listings fail part-way, as a dropped share or a bad sector would. Asked before
// each entry after the first with the folder and the count of entries handed out so far; a nonzero
// answer ends the listing with that error. An empty function ends the injection.
using EnumerationFault = std::function<DWORD(std::wstring_view folder, std::size_t listed)>;
void SetEnumerationFault(EnumerationFault fault);

}  // namespace win
