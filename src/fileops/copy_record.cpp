#include "fileops/copy_record.h"

#include "fileops/file_system.h"
#include "fileops/operation_prompts.h"
#include "win/folder_entries.h"
#include "win/handle.h"
#include "win/long_path.h"

#include <unordered_set>

namespace findlark {
namespace {

bool SetAttributes(HANDLE file, DWORD attributes) {
    FILE_BASIC_INFO basic{};  // zero times leave the times as they are
    basic.FileAttributes = attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
    return ::SetFileInformationByHandle(file, FileBasicInfo, &basic, sizeof(basic)) != FALSE;
}

// The check and the delete go through one handle, so the file deleted is the one that was checked,
// whatever happens to the names above it meanwhile.
std::optional<Failure> DeleteIfUnchanged(const CopiedFile& file) {
    const win::UniqueFileHandle handle(::CreateFileW(
        win::PlatformPath(file.source).c_str(), DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
        FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!handle) {
        const DWORD error = ::GetLastError();
        if (!PathExists(file.source)) return std::nullopt;
        Failure failure = FailureOf(file.source, error);
        failure.step = FailedStep::Delete;
        return failure;
    }
    const std::optional<win::FileFacts> now = win::FactsOfHandle(handle.get());
    if (!now || !now->sameContents(file.facts) || (now->attributes & FILE_ATTRIBUTE_DIRECTORY))
        return Failure{file.source, FailureReason::ChangedAfterCopy, {}};
    const bool readOnly = (now->attributes & FILE_ATTRIBUTE_READONLY) != 0;
    if (readOnly) SetAttributes(handle.get(), now->attributes & ~FILE_ATTRIBUTE_READONLY);
    FILE_DISPOSITION_INFO disposition{TRUE};
    if (::SetFileInformationByHandle(handle.get(), FileDispositionInfo, &disposition, sizeof(disposition))) return std::nullopt;
    const DWORD error = ::GetLastError();
    if (readOnly) SetAttributes(handle.get(), now->attributes);  // it stays, so as it was
    Failure failure = FailureOf(file.source, error);
    failure.step = FailedStep::Delete;
    return failure;
}

// An emptied folder goes only while it is still the folder that was copied (not a link put in its place).
void RemoveFolderIfSame(const CopiedFolder& folder) {
    const std::optional<win::FileIdentity> now = win::IdentityOf(folder.source, win::Links::Stop);
    if (!now || !(*now == folder.identity)) return;
    const std::wstring path = win::PlatformPath(folder.source);
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return;
    if (attributes & FILE_ATTRIBUTE_READONLY) ::SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    if (!::RemoveDirectoryW(path.c_str()) && (attributes & FILE_ATTRIBUTE_READONLY))
        ::SetFileAttributesW(path.c_str(), attributes);
}

// Every file still below a moved folder that no failure names yet appeared after its copy was made.
void NameWhatStayed(const std::wstring& item, const std::unordered_set<std::wstring>& named, std::vector<Failure>& failures) {
    std::vector<std::wstring> folders{item};
    while (!folders.empty()) {
        const std::wstring folder = std::move(folders.back());
        folders.pop_back();
        win::FolderEntries entries(folder);
        while (entries.next()) {
            const WIN32_FIND_DATAW& entry = entries.entry();
            const std::wstring child = folder + L"\\" + entry.cFileName;
            const bool isFolder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            if (isFolder && !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
                folders.push_back(child);
            } else if (!named.count(child)) {
                failures.push_back(Failure{child, FailureReason::ChangedAfterCopy, {}});
            }
        }
    }
}

}  // namespace

std::vector<Failure> DeleteCopiedSources(const std::wstring& item, const CopyRecord& record, OperationProgress& progress) {
    std::vector<Failure> failures;
    std::unordered_set<std::wstring> named;
    for (const CopiedFile& file : record.files) {
        progress.working(file.source);
        if (std::optional<Failure> failed = DeleteIfUnchanged(file)) {
            named.insert(file.source);
            failures.push_back(std::move(*failed));
        }
        progress.advance(0, 0);
    }
    for (auto folder = record.folders.rbegin(); folder != record.folders.rend(); ++folder) RemoveFolderIfSame(*folder);
    if (!record.folders.empty() && IsExistingFolder(item)) NameWhatStayed(item, named, failures);
    return failures;
}

}  // namespace findlark
