#include "support/temp_tree.h"

#include "win/handle.h"

#include <gtest/gtest.h>

#include <shellapi.h>

namespace testing_support {

TempTree::TempTree(const std::wstring& parent) {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    static int serial = 0;
    root_ = (parent.empty() ? std::wstring(temp) : parent) + L"findlark-test-" + std::to_wstring(::GetCurrentProcessId()) +
            L"-" + std::to_wstring(++serial);
    ::CreateDirectoryW(root_.c_str(), nullptr);
}

TempTree::~TempTree() {
    std::wstring from = root_;
    from.push_back(L'\0');  // the shell wants a double-terminated list
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NO_UI;
    ::SHFileOperationW(&op);
}

void TempTree::folder(const std::wstring& relative, DWORD attributes) const {
    ASSERT_TRUE(::CreateDirectoryW(path(relative).c_str(), nullptr)) << ::GetLastError();
    if (attributes) ::SetFileAttributesW(path(relative).c_str(), attributes);
}

void TempTree::file(const std::wstring& relative, std::int64_t size, DWORD attributes) const {
    {
        const win::UniqueFileHandle handle(::CreateFileW(path(relative).c_str(), GENERIC_WRITE, 0, nullptr,
                                                         CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(handle) << ::GetLastError();
        if (size > 0) {
            LARGE_INTEGER end{};
            end.QuadPart = size;
            ::SetFilePointerEx(handle.get(), end, nullptr, FILE_BEGIN);
            ::SetEndOfFile(handle.get());  // sparse where the file system allows
        }
    }
    if (attributes) ::SetFileAttributesW(path(relative).c_str(), attributes);
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
