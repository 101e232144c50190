#include "fileops/tree_copy.h"

#include "fileops/copy_record.h"
#include "fileops/file_system.h"
#include "fileops/operation_prompts.h"
#include "win/folder_entries.h"
#include "win/long_path.h"

#include <vector>

namespace findlark {
namespace {

constexpr DWORD kProtected = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

struct CopyContext {
    OperationProgress* progress;
    std::uint64_t reported = 0;
};

DWORD CALLBACK OnCopyProgress(LARGE_INTEGER, LARGE_INTEGER transferred, LARGE_INTEGER, LARGE_INTEGER, DWORD, DWORD, HANDLE,
                              HANDLE, LPVOID data) {
    auto& context = *static_cast<CopyContext*>(data);
    const auto done = static_cast<std::uint64_t>(transferred.QuadPart);
    try {
        context.progress->advance(0, done > context.reported ? done - context.reported : 0);
    } catch (...) {
        // The copy goes on; only the display missed a step.
    }
    if (done > context.reported) context.reported = done;
    return PROGRESS_CONTINUE;
}

bool IsLinkToFolder(DWORD attributes) {
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// Makes a folder of the tree in the target; an existing folder is merged into.
std::optional<Failure> MakeFolder(const std::wstring& path) {
    if (::CreateDirectoryW(win::PlatformPath(path).c_str(), nullptr)) return std::nullopt;
    const DWORD error = ::GetLastError();
    if (IsExistingFolder(path)) return std::nullopt;
    if (error == ERROR_ALREADY_EXISTS) return Failure{path, FailureReason::TargetOfOtherKind, {}};
    return FailureOf(path, error);
}

}  // namespace

std::optional<Failure> CopyItemFile(const std::wstring& source, const std::wstring& target, OperationProgress& progress,
                                    bool replaceProtected, CopyRecord* record) {
    const std::wstring platformTarget = win::PlatformPath(target);
    const DWORD existing = ::GetFileAttributesW(platformTarget.c_str());
    if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_DIRECTORY))
        return Failure{source, FailureReason::TargetOfOtherKind, {}};
    if (replaceProtected && existing != INVALID_FILE_ATTRIBUTES && (existing & kProtected))
        ::SetFileAttributesW(platformTarget.c_str(), existing & ~kProtected);
    // The source as it is before its copy begins: a change made while it is copied then shows as a change.
    const std::optional<win::FileFacts> before = win::FactsOf(source);
    CopyContext context{&progress};
    if (::CopyFileExW(win::PlatformPath(source).c_str(), platformTarget.c_str(), &OnCopyProgress, &context, nullptr, 0)) {
        // Some platforms report no bytes while copying: the file's bytes count when it is complete.
        const std::uint64_t size = before ? before->size : 0;
        if (size > context.reported) progress.advance(0, size - context.reported);
        if (record && before) record->files.push_back({source, *before});
        return std::nullopt;
    }
    const DWORD error = ::GetLastError();
    // Which of the two refused is told by the target's read-only mark.
    Failure failure = FailureOf(target, error, FailureReason::TargetReadOnly);
    failure.path = source;
    return failure;
}

std::optional<Failure> CopyFolderTree(const std::wstring& source, const std::wstring& target, OperationProgress& progress,
                                      CopyRecord* record, const InnerConflict& askReplace) {
    if (std::optional<Failure> made = MakeFolder(target)) {
        made->path = source;
        return made;
    }
    std::optional<Failure> first;
    const auto note = [&](Failure failure) {
        failure.path = source;
        if (!first) first = std::move(failure);
    };
    // Folders still to copy, as paths below the source, each made in the target before its contents.
    std::vector<std::wstring> folders{std::wstring()};
    while (!folders.empty()) {
        const std::wstring relative = std::move(folders.back());
        folders.pop_back();
        if (record) {
            const std::optional<win::FileIdentity> identity = win::IdentityOf(source + relative, win::Links::Stop);
            if (identity) record->folders.push_back({source + relative, *identity});
        }
        win::FolderEntries entries(source + relative);
        while (entries.next()) {
            if (progress.cancelled()) {
                note(Failure{source, FailureReason::Cancelled, {}});
                return first;
            }
            const WIN32_FIND_DATAW& entry = entries.entry();
            const std::wstring child = relative + L"\\" + entry.cFileName;
            if (IsLinkToFolder(entry.dwFileAttributes)) {
                note(Failure{source, FailureReason::LinkNotCopied, {}});
            } else if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                if (std::optional<Failure> made = MakeFolder(target + child)) {
                    note(*made);
                } else {
                    folders.push_back(child);
                }
            } else {
                progress.working(source + child);
                const InnerReplace replace = askReplace && PathExists(target + child)
                                                 ? askReplace(source + child, target + child, entry)
                                                 : InnerReplace::Replace;
                if (replace == InnerReplace::Abort) {
                    note(Failure{source, FailureReason::Cancelled, {}});
                    return first;
                }
                if (replace == InnerReplace::Keep) {
                    note(Failure{source, FailureReason::FilesKept, {}});
                } else if (std::optional<Failure> failed = CopyItemFile(source + child, target + child, progress, true, record)) {
                    note(*failed);
                }
            }
        }
        if (!entries.complete()) note(Failure{source, FailureReason::ListingFailed, ErrorDetail(entries.error())});
    }
    return first;
}

TreeSize MeasureTree(const std::wstring& folder, OperationProgress& progress) {
    TreeSize size;
    std::vector<std::wstring> folders{folder};
    while (!folders.empty() && !progress.cancelled()) {
        const std::wstring current = std::move(folders.back());
        folders.pop_back();
        win::FolderEntries entries(current);
        while (entries.next()) {
            const WIN32_FIND_DATAW& entry = entries.entry();
            if (IsLinkToFolder(entry.dwFileAttributes)) continue;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                folders.push_back(current + L"\\" + entry.cFileName);
            } else {
                ++size.files;
                size.bytes += (static_cast<std::uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
            }
        }
        progress.advance(0, 0);
    }
    return size;
}

}  // namespace findlark
