#include "fileops/file_operations.h"

#include "fileops/command_line.h"
#include "win/busy_window.h"
#include "win/handle.h"


namespace findlark {
namespace {

DWORD Attributes(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()); }

std::wstring SystemProgram(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder, length) + L"\\" + name;
}

}  // namespace

bool IsExistingFile(const std::wstring& path) {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsExistingFolder(const std::wstring& path) {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool RemoveFolderTree(const std::wstring& path, const std::function<void()>& keepAlive) {
    const DWORD attributes = Attributes(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return true;
    // A link to a folder goes alone: what it leads to is not ours to remove.
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        WIN32_FIND_DATAW entry;
        const win::UniqueFindHandle find(::FindFirstFileExW((path + L"\\*").c_str(), FindExInfoBasic, &entry,
                                                            FindExSearchNameMatch, nullptr, 0));
        if (find) {
            do {
                const std::wstring name = entry.cFileName;
                if (name == L"." || name == L"..") continue;
                const std::wstring child = path + L"\\" + name;
                if (keepAlive) keepAlive();
                if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    RemoveFolderTree(child, keepAlive);
                } else {
                    if (entry.dwFileAttributes & FILE_ATTRIBUTE_READONLY) ::SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                    ::DeleteFileW(child.c_str());
                }
            } while (::FindNextFileW(find.get(), &entry));
        }
    }
    if (attributes & FILE_ATTRIBUTE_READONLY) ::SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    ::RemoveDirectoryW(path.c_str());
    return Attributes(path) == INVALID_FILE_ATTRIBUTES;
}

int RunCommandAndWait(std::wstring commandLine, int showMode, HWND busyWindow) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showMode);
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS | CREATE_NO_WINDOW,
                          nullptr, nullptr, &startup, &started))
        return -1;
    const win::UniqueKernelHandle process(started.hProcess), thread(started.hThread);
    win::BusyWindow busy(busyWindow);
    const HANDLE handles[] = {process.get()};
    DWORD waited;
    while ((waited = ::MsgWaitForMultipleObjects(1, handles, FALSE, INFINITE, QS_ALLINPUT)) == WAIT_OBJECT_0 + 1) busy.pump();
    DWORD code = 0;
    if (waited != WAIT_OBJECT_0 || !::GetExitCodeProcess(process.get(), &code)) return -1;
    return static_cast<int>(code);
}

bool CopyResultItem(const std::wstring& source, const std::wstring& target, HWND busyWindow) {
    if (IsExistingFile(source)) return ::CopyFileW(source.c_str(), target.c_str(), FALSE) != FALSE;
    // XCOPY is started itself, not through the command interpreter, so that no part of a path (a
    // "%NAME%", an "&") can be read as anything but the path.
    const int code = RunCommandAndWait(QuoteArgument(SystemProgram(L"xcopy.exe")) + L" " + XcopyArguments(source, target),
                                       SW_HIDE, busyWindow);
    return code == 0 && IsExistingFolder(target);
}

}  // namespace findlark
