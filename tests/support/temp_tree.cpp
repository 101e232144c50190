#include "support/temp_tree.h"

#include "fileops/file_system.h"
#include "win/handle.h"
#include "win/long_path.h"

#include <gtest/gtest.h>

namespace testing_support {

TempTree::TempTree(const std::wstring& parent) {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    static int serial = 0;
    root_ = (parent.empty() ? std::wstring(temp) : parent) + L"findlark-test-" + std::to_wstring(::GetCurrentProcessId()) +
            L"-" + std::to_wstring(++serial);
    ::CreateDirectoryW(root_.c_str(), nullptr);
}

std::wstring OtherVolumeRoot() {
    const std::wstring root = L"V:\\";
    return ::GetFileAttributesW(root.c_str()) == INVALID_FILE_ATTRIBUTES ? std::wstring() : root;
}

TempTree::~TempTree() { findlark::RemoveFolderTree(root_); }

void TempTree::folder(const std::wstring& relative, DWORD attributes) const {
    const std::wstring target = win::PlatformPath(path(relative));
    ASSERT_TRUE(::CreateDirectoryW(target.c_str(), nullptr)) << ::GetLastError();
    if (attributes) ::SetFileAttributesW(target.c_str(), attributes);
}

void TempTree::file(const std::wstring& relative, std::int64_t size, DWORD attributes) const {
    {
        const win::UniqueFileHandle handle(::CreateFileW(win::PlatformPath(path(relative)).c_str(), GENERIC_WRITE, 0,
                                                         nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(handle) << ::GetLastError();
        if (size > 0) {
            LARGE_INTEGER end{};
            end.QuadPart = size;
            ::SetFilePointerEx(handle.get(), end, nullptr, FILE_BEGIN);
            ::SetEndOfFile(handle.get());  // sparse where the file system allows
        }
    }
    if (attributes) ::SetFileAttributesW(win::PlatformPath(path(relative)).c_str(), attributes);
}

void TempTree::setModified(const std::wstring& relative, const SYSTEMTIME& utc) const {
    FILETIME time{};
    ::SystemTimeToFileTime(&utc, &time);
    const win::UniqueFileHandle handle(::CreateFileW(path(relative).c_str(), FILE_WRITE_ATTRIBUTES,
                                                     FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                                     FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    ASSERT_TRUE(handle);
    ::SetFileTime(handle.get(), nullptr, nullptr, &time);
}

}  // namespace testing_support
