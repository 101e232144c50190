#include "win/folder_entries.h"

#include "win/long_path.h"

#include <atomic>
#include <memory>
#include <mutex>

namespace win {
namespace {

std::mutex faultLock;
std::shared_ptr<const EnumerationFault> fault;
std::atomic<bool> faultSet{false};

std::shared_ptr<const EnumerationFault> CurrentFault() {
    if (!faultSet.load(std::memory_order_acquire)) return nullptr;
    const std::lock_guard lock(faultLock);
    return fault;
}

bool IsDotEntry(const wchar_t* name) { return name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0)); }

}  // namespace

void SetEnumerationFault(EnumerationFault injected) {
    const std::lock_guard lock(faultLock);
    fault = injected ? std::make_shared<const EnumerationFault>(std::move(injected)) : nullptr;
    faultSet.store(fault != nullptr, std::memory_order_release);
}

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
            if (const auto injected = CurrentFault(); injected && listed_ > 0) {
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
