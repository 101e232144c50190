#include "win/folder_entries.h"

#include "win/fault_hook.h"
#include "win/long_path.h"

namespace win {
namespace {

FaultHook<DWORD(std::wstring_view, std::size_t)> enumerationFault;

bool IsDotEntry(const wchar_t* name) { return name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0)); }

}  // namespace

void SetEnumerationFault(EnumerationFault injected) { enumerationFault.set(std::move(injected)); }

FolderEntries::FolderEntries(std::wstring_view folder, std::wstring_view pattern, FINDEX_INFO_LEVELS level, DWORD flags)
    : folder_(folder) {
    std::wstring query(folder);
    query += L'\\';
    query += pattern;
    find_.reset(::FindFirstFileExW(PlatformPath(query).c_str(), level, &entry_, FindExSearchNameMatch, nullptr, flags));
    if (find_) {
        pending_ = true;
    } else {
        error_ = ::GetLastError();
        if (error_ == 0) error_ = ERROR_GEN_FAILURE;
    }
}

bool FolderEntries::next() {
    if (!find_) return false;
    for (;;) {
        if (pending_) {
            pending_ = false;
        } else {
            if (const auto injected = enumerationFault.current(); injected && listed_ > 0) {
                if (const DWORD error = (*injected)(folder_, listed_)) {
                    error_ = error;
                    find_.reset();
                    return false;
                }
            }
            if (!::FindNextFileW(find_.get(), &entry_)) {
                const DWORD error = ::GetLastError();
                error_ = error == ERROR_NO_MORE_FILES ? 0 : (error ? error : ERROR_GEN_FAILURE);
                find_.reset();
                return false;
            }
        }
        if (!IsDotEntry(entry_.cFileName)) {
            ++listed_;
            return true;
        }
    }
}

}  // namespace win
