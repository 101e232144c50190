#pragma once
// The file system side of deleting, copying and moving results.
#include <windows.h>

#include <functional>
#include <string>

namespace findlark {

bool IsExistingFile(const std::wstring& path);
bool IsExistingFolder(const std::wstring& path);
inline bool PathExists(const std::wstring& path) { return IsExistingFile(path) || IsExistingFolder(path); }

// Removes a folder with its whole tree, hidden, system and read-only files included, the way
// "rmdir /S /Q" does; links inside are removed, never followed. `keepAlive` runs between entries, so
// a window can keep painting through a large tree. True when the folder is gone.
bool RemoveFolderTree(const std::wstring& path, const std::function<void()>& keepAlive = {});

// Deletes one file, however long its path.
bool DeleteResultFile(const std::wstring& path);

// Runs a command line with the given show mode and waits for it to end, keeping `busyWindow` painted
// but out of the user's reach meanwhile. Gives the exit code, or -1 when it cannot start or its end
// cannot be seen.
int RunCommandAndWait(std::wstring commandLine, int showMode, HWND busyWindow);

// Copies a file (CopyFile) or a folder's tree (XCOPY) to the target, replacing what is there. True when
// the item was really copied: the file copy succeeded, or XCOPY ended with 0 and the whole tree is in
// the target. A tree with paths too long for XCOPY is copied file by file, and counts as copied only
// when all of it was.
bool CopyResultItem(const std::wstring& source, const std::wstring& target, HWND busyWindow);

}  // namespace findlark
