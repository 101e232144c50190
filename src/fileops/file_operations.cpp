#include "fileops/file_operations.h"

#include "fileops/command_line.h"
#include "win/busy_window.h"
#include "win/handle.h"
#include "win/long_path.h"

#include <algorithm>
#include <vector>

namespace findlark {
namespace {

DWORD Attributes(const std::wstring& path) { return ::GetFileAttributesW(win::PlatformPath(path).c_str()); }

// Removes a folder that its walk has emptied, or a link to a folder, which goes alone.
void RemoveEmptyFolder(const std::wstring& path) {
    const std::wstring platformPath = win::PlatformPath(path);
    const DWORD attributes = ::GetFileAttributesW(platformPath.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        ::SetFileAttributesW(platformPath.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    ::RemoveDirectoryW(platformPath.c_str());
}

std::wstring SystemProgram(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder, length) + L"\\" + name;
}

// Visits the entries of a folder's tree as paths relative to it, each starting with a separator, with
// their records, each folder before its contents. Links to folders are visited but not entered. False
// when a folder could not be listed or `visit` said no.
using TreeVisit = std::function<bool(const std::wstring& relative, const WIN32_FIND_DATAW& entry)>;
bool ForEachInTree(const std::wstring& root, const TreeVisit& visit) {
    bool complete = true;
    std::vector<std::wstring> folders{std::wstring()};
    while (!folders.empty()) {
        const std::wstring folder = std::move(folders.back());
        folders.pop_back();
        WIN32_FIND_DATAW entry;
        const win::UniqueFindHandle find(::FindFirstFileExW(win::PlatformPath(root + folder + L"\\*").c_str(), FindExInfoBasic,
                                                            &entry, FindExSearchNameMatch, nullptr, 0));
        if (!find) {
            complete = false;
            continue;
        }
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring relative = folder + L"\\" + name;
            if (!visit(relative, entry)) return false;
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                folders.push_back(relative);
        } while (::FindNextFileW(find.get(), &entry));
    }
    return complete;
}

// Whether copying the tree reaches a path that XCOPY cannot handle (it fails or hangs on them).
bool NeedsLongPaths(const std::wstring& source, const std::wstring& target) {
    const std::size_t base = std::max(source.size(), target.size());
    if (base >= win::kClassicPathLimit) return true;
    return !ForEachInTree(source, [base](const std::wstring& relative, const WIN32_FIND_DATAW&) {
        return base + relative.size() < win::kClassicPathLimit;
    });
}

bool CreateFolderIfMissing(const std::wstring& path) {
    return ::CreateDirectoryW(win::PlatformPath(path).c_str(), nullptr) || IsExistingFolder(path);
}

// What XCOPY does with its arguments here, for trees beyond its reach: hidden and system files
// included, read-only targets replaced, empty folders made. Goes on after a failure, but is true only
// when everything was copied, since a move deletes what was copied. A link to a folder is not
// followed, so it leaves the copy incomplete.
bool CopyTreeNatively(const std::wstring& source, const std::wstring& target, HWND busyWindow) {
    win::BusyWindow busy(busyWindow);
    bool complete = CreateFolderIfMissing(target);
    complete &= ForEachInTree(source, [&](const std::wstring& relative, const WIN32_FIND_DATAW& entry) {
        busy.pump();
        const DWORD attributes = entry.dwFileAttributes;
        const std::wstring to = target + relative;
        if (attributes & FILE_ATTRIBUTE_REPARSE_POINT && attributes & FILE_ATTRIBUTE_DIRECTORY) {
            complete = false;
        } else if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            complete &= CreateFolderIfMissing(to);
        } else {
            const std::wstring platformTarget = win::PlatformPath(to);
            const DWORD existing = ::GetFileAttributesW(platformTarget.c_str());
            if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_READONLY))
                ::SetFileAttributesW(platformTarget.c_str(), existing & ~FILE_ATTRIBUTE_READONLY);
            complete &= ::CopyFileW(win::PlatformPath(source + relative).c_str(), platformTarget.c_str(), FALSE) != FALSE;
        }
        return true;
    });
    return complete;
}

// Whether every folder of the source tree is in the target, and every file at its size. XCOPY goes on
// past files it cannot copy and still reports success.
bool TreeIsIn(const std::wstring& source, const std::wstring& target) {
    return ForEachInTree(source, [&](const std::wstring& relative, const WIN32_FIND_DATAW& entry) {
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return IsExistingFolder(target + relative);
        WIN32_FILE_ATTRIBUTE_DATA copy;
        return ::GetFileAttributesExW(win::PlatformPath(target + relative).c_str(), GetFileExInfoStandard, &copy) &&
               copy.nFileSizeHigh == entry.nFileSizeHigh && copy.nFileSizeLow == entry.nFileSizeLow;
    });
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
    // Folders still to empty, deepest last; a folder whose entries are gone is removed when it is on
    // top again. A list, not the call stack, so no depth of folders can exhaust the stack.
    struct Folder {
        std::wstring path;
        bool emptied;
    };
    // A link to a folder goes alone: what it leads to is not ours to remove.
    std::vector<Folder> folders{{path, (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0}};
    while (!folders.empty()) {
        if (folders.back().emptied) {
            RemoveEmptyFolder(folders.back().path);
            folders.pop_back();
            continue;
        }
        folders.back().emptied = true;
        const std::wstring folder = folders.back().path;
        WIN32_FIND_DATAW entry;
        const win::UniqueFindHandle find(::FindFirstFileExW(win::PlatformPath(folder + L"\\*").c_str(), FindExInfoBasic,
                                                            &entry, FindExSearchNameMatch, nullptr, 0));
        if (!find) continue;
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring child = folder + L"\\" + name;
            if (keepAlive) keepAlive();
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                folders.push_back({child, (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0});
            } else {
                const std::wstring platformChild = win::PlatformPath(child);
                if (entry.dwFileAttributes & FILE_ATTRIBUTE_READONLY)
                    ::SetFileAttributesW(platformChild.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileW(platformChild.c_str());
            }
        } while (::FindNextFileW(find.get(), &entry));
    }
    return Attributes(path) == INVALID_FILE_ATTRIBUTES;
}

bool DeleteResultFile(const std::wstring& path) { return ::DeleteFileW(win::PlatformPath(path).c_str()) != FALSE; }

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
    if (IsExistingFile(source))
        return ::CopyFileW(win::PlatformPath(source).c_str(), win::PlatformPath(target).c_str(), FALSE) != FALSE;
    if (NeedsLongPaths(source, target)) return CopyTreeNatively(source, target, busyWindow);
    // XCOPY is started itself, not through the command interpreter, so that no part of a path (a
    // "%NAME%", an "&") can be read as anything but the path.
    const int code = RunCommandAndWait(QuoteArgument(SystemProgram(L"xcopy.exe")) + L" " + XcopyArguments(source, target),
                                       SW_HIDE, busyWindow);
    return code == 0 && IsExistingFolder(target) && TreeIsIn(source, target);
}

}  // namespace findlark
