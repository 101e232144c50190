#pragma once
// The file system side of the file operations: whether an item is there, deleting a file, removing a
// folder's tree. Every path reaches the platform in the form that names exactly its item.
#include "fileops/failure_report.h"

#include <windows.h>

#include <optional>
#include <string>

namespace findlark {

class OperationProgress;

bool IsExistingFile(const std::wstring& path);
bool IsExistingFolder(const std::wstring& path);
bool PathExists(const std::wstring& path);

// An error met on the item at `path`, in words; "access denied" on a read-only item becomes
// `readOnlyReason`.
Failure FailureOf(const std::wstring& path, DWORD error, FailureReason readOnlyReason = FailureReason::ReadOnly);

// The platform's words for an error, to follow a path in a list: without a final stop.
std::wstring ErrorDetail(DWORD error);

// Deletes one file; nothing when it is gone, otherwise why it stays. A read-only file stays.
std::optional<Failure> DeleteItemFile(const std::wstring& path);

// Moves a file or a folder to the Recycle Bin; nothing when it is gone. A read-only file stays, as
// with deleting, and so does a name the shell would take for another item's.
std::optional<Failure> RecycleItem(const std::wstring& path, HWND owner);

// Removes a folder with its whole tree, hidden, system and read-only files included; links inside are
// removed, never followed (a folder is looked at again when it is entered), and a link given itself
// goes alone. A read-only file that stays keeps its mark. A folder that cannot be listed completely
// stops the removal. `progress`, when given, hears every file and may stop the removal between files.
// Nothing when the folder is gone.
std::optional<Failure> RemoveFolderTree(const std::wstring& path, OperationProgress* progress = nullptr);

}  // namespace findlark
