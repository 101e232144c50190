#include "fileops/file_system.h"

#include <shellapi.h>

#include "fileops/operation_prompts.h"
#include "win/error_text.h"
#include "win/folder_entries.h"
#include "win/handle.h"
#include "win/long_path.h"

#include <vector>

namespace findlark {
namespace {

DWORD Attributes(const std::wstring& path) { return ::GetFileAttributesW(win::PlatformPath(path).c_str()); }

// Removes a folder that its walk has emptied, or a link to a folder, which goes alone.
DWORD RemoveEmptyFolder(const std::wstring& path) {
    const std::wstring platformPath = win::PlatformPath(path);
    const DWORD attributes = ::GetFileAttributesW(platformPath.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        ::SetFileAttributesW(platformPath.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    return ::RemoveDirectoryW(platformPath.c_str()) ? 0 : ::GetLastError();
}

FailureReason ReasonOfError(DWORD error) {
    switch (error) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
        return FailureReason::InUse;
    case ERROR_ACCESS_DENIED:
        return FailureReason::AccessDenied;
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_BUFFER_OVERFLOW:
        return FailureReason::PathTooLong;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return FailureReason::DiskFull;
    case ERROR_DIR_NOT_EMPTY:
        return FailureReason::NotEmptied;
    default:
        return FailureReason::Other;
    }
}

}  // namespace

std::wstring ErrorDetail(DWORD error) {
    std::wstring text = win::ErrorText(error);
    if (!text.empty() && text.back() == L'.') text.pop_back();
    return text;
}

bool IsExistingFile(const std::wstring& path) {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsExistingFolder(const std::wstring& path) {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool PathExists(const std::wstring& path) { return Attributes(path) != INVALID_FILE_ATTRIBUTES; }

Failure FailureOf(const std::wstring& path, DWORD error, FailureReason readOnlyReason) {
    Failure failure{path, ReasonOfError(error), {}};
    if (failure.reason == FailureReason::AccessDenied) {
        const DWORD attributes = Attributes(path);
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) failure.reason = readOnlyReason;
    }
    if (failure.reason == FailureReason::Other) failure.detail = ErrorDetail(error);
    return failure;
}

std::optional<Failure> DeleteItemFile(const std::wstring& path) {
    if (::DeleteFileW(win::PlatformPath(path).c_str())) return std::nullopt;
    const DWORD error = ::GetLastError();
    if (!PathExists(path)) return std::nullopt;
    return FailureOf(path, error);
}

std::optional<Failure> RecycleItem(const std::wstring& path, HWND owner) {
    const DWORD attributes = Attributes(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY) && (attributes & FILE_ATTRIBUTE_READONLY))
        return Failure{path, FailureReason::ReadOnly, {}};
    // The shell takes plain paths only: it would alter such a name and act on another item.
    if (win::NeedsExactForm(path) || path.size() >= MAX_PATH)
        return Failure{path, FailureReason::NotRecyclable, L"the shell cannot name it exactly"};
    std::wstring from = path;
    from.push_back(L'\0');  // the list of paths ends with an empty one
    SHFILEOPSTRUCTW operation{};
    operation.hwnd = owner;
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    // Where an item cannot be recycled the shell asks before it deletes it for good.
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI | FOF_WANTNUKEWARNING;
    const int result = ::SHFileOperationW(&operation);
    if (!PathExists(path)) return std::nullopt;
    return Failure{path, FailureReason::NotRecyclable,
                   operation.fAnyOperationsAborted ? L"cancelled" : L"error " + std::to_wstring(result)};
}

std::optional<Failure> RemoveFolderTree(const std::wstring& path, OperationProgress* progress) {
    const DWORD attributes = Attributes(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    // Folders still to empty, deepest last; a folder whose entries are gone is removed when it is on
    // top again. A list, not the call stack, so no depth of folders can exhaust the stack.
    struct Folder {
        std::wstring path;
        bool emptied;
    };
    std::vector<Folder> folders{{path, (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0}};
    DWORD lastError = 0;
    while (!folders.empty()) {
        if (folders.back().emptied) {
            if (const DWORD error = RemoveEmptyFolder(folders.back().path)) lastError = error;
            folders.pop_back();
            continue;
        }
        folders.back().emptied = true;
        const std::wstring folder = folders.back().path;
        // Listed as a folder, it is looked at again before it is entered, and held so that it cannot be
        // swapped for a link while its entries are listed: a link put in its place goes alone.
        const win::UniqueFileHandle held(::CreateFileW(win::PlatformPath(folder).c_str(), FILE_READ_ATTRIBUTES,
                                                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                                       FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
        BY_HANDLE_FILE_INFORMATION now{};
        if (!held || !::GetFileInformationByHandle(held.get(), &now)) return FailureOf(path, ::GetLastError());
        if ((now.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) || !(now.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        win::FolderEntries entries(folder);
        while (entries.next()) {
            const WIN32_FIND_DATAW& entry = entries.entry();
            const std::wstring child = folder + L"\\" + entry.cFileName;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                folders.push_back({child, (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0});
                continue;
            }
            if (progress) {
                if (progress->cancelled()) return Failure{path, FailureReason::NotEmptied, {}};
                progress->working(child);
            }
            const std::wstring platformChild = win::PlatformPath(child);
            const DWORD attributes = entry.dwFileAttributes;
            if (attributes & FILE_ATTRIBUTE_READONLY)
                ::SetFileAttributesW(platformChild.c_str(), (attributes & ~FILE_ATTRIBUTE_READONLY) ? (attributes & ~FILE_ATTRIBUTE_READONLY) : FILE_ATTRIBUTE_NORMAL);
            if (!::DeleteFileW(platformChild.c_str())) {
                lastError = ::GetLastError();
                if (attributes & FILE_ATTRIBUTE_READONLY) ::SetFileAttributesW(platformChild.c_str(), attributes);  // it stays as it was
            }
            if (progress) progress->advance(0, 0);
        }
        // What could not be listed cannot be known to be gone: stop here, keep the rest.
        if (!entries.complete()) return Failure{path, FailureReason::ListingFailed, ErrorDetail(entries.error())};
    }
    if (!PathExists(path)) return std::nullopt;
    Failure failure = FailureOf(path, lastError ? lastError : ERROR_DIR_NOT_EMPTY);
    if (failure.reason != FailureReason::InUse && failure.reason != FailureReason::AccessDenied) failure.reason = FailureReason::NotEmptied;
    return failure;
}

}  // namespace findlark
