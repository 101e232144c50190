#include "win/write_all.h"

#include "win/handle.h"

#include <algorithm>
#include <atomic>

namespace win {
namespace {

std::atomic<DWORD> writeFault{0};

}  // namespace

bool WriteAll(HANDLE file, std::string_view bytes, std::size_t pieceBytes) {
    if (const DWORD fault = writeFault.load(std::memory_order_relaxed)) {
        DWORD written = 0;
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(std::min(bytes.size() / 2, pieceBytes)), &written, nullptr);
        ::SetLastError(fault);
        return false;
    }
    while (!bytes.empty()) {
        const auto piece = static_cast<DWORD>(std::min(bytes.size(), pieceBytes));
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), piece, &written, nullptr)) return false;
        if (written == 0) {
            ::SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

bool ReplaceWholeFile(const std::wstring& path, std::string_view bytes) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    const std::wstring fresh = path + L".new-" + std::to_wstring(::GetCurrentProcessId());
    bool written = false;
    {
        const UniqueFileHandle file(
            ::CreateFileW(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        written = file && WriteAll(file.get(), bytes) && ::FlushFileBuffers(file.get());
    }
    const DWORD error = ::GetLastError();
    if (written && attributes != INVALID_FILE_ATTRIBUTES) {
        // The old file's marks go to the new one; read-only would keep it from taking the old one's place.
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    if (written && ::MoveFileExW(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        if (attributes != INVALID_FILE_ATTRIBUTES) ::SetFileAttributesW(path.c_str(), attributes);
        return true;
    }
    const DWORD moveError = written ? ::GetLastError() : error;
    if (attributes != INVALID_FILE_ATTRIBUTES) ::SetFileAttributesW(path.c_str(), attributes);
    ::DeleteFileW(fresh.c_str());
    ::SetLastError(moveError);
    return false;
}

void SetWriteFault(DWORD error) { writeFault.store(error, std::memory_order_relaxed); }

}  // namespace win
