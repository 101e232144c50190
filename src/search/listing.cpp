#include "search/listing.h"

#include <memory>

#include "search/search_plan.h"
#include "win/folder_entries.h"
#include "win/handle.h"
#include "win/long_path.h"

namespace findlark {
namespace {

std::uint64_t FileTimeValue(const FILETIME& time) {
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

}  // namespace

EntryFacts Listing::facts(std::size_t index) const {
    const Entry& e = entries_[index];
    return EntryFacts{name(index), e.attributes, e.size, e.created, e.accessed, e.written};
}

std::wstring_view Listing::name(std::size_t index) const {
    const Entry& e = entries_[index];
    return std::wstring_view(names_).substr(e.nameOffset, e.nameLength);
}

void Listing::add(std::wstring_view name, const EntryFacts& facts, bool marked) {
    entries_.push_back(Entry{static_cast<std::uint32_t>(names_.size()), static_cast<std::uint32_t>(name.size()),
                             facts.attributes, marked, facts.size, facts.created, facts.accessed, facts.written});
    names_ += name;
}

namespace {

template <typename Info>
EntryFacts FactsOf(const Info& entry) {
    return EntryFacts{{},
                      entry.FileAttributes,
                      entry.EndOfFile.QuadPart,
                      static_cast<std::uint64_t>(entry.CreationTime.QuadPart),
                      static_cast<std::uint64_t>(entry.LastAccessTime.QuadPart),
                      static_cast<std::uint64_t>(entry.LastWriteTime.QuadPart)};
}

std::wstring_view ShortNameOf(const FILE_FULL_DIR_INFO&) { return {}; }
std::wstring_view ShortNameOf(const FILE_ID_BOTH_DIR_INFO& entry) {
    return std::wstring_view(entry.ShortName, static_cast<unsigned char>(entry.ShortNameLength) / sizeof(wchar_t));
}

bool Marked(const PatternSet* marks, std::wstring_view name, std::wstring_view shortName) {
    return marks && marks->matches(name, shortName);
}

// The platform's classic enumeration for a pattern, by its own matching rules; with `marks`, each
// entry is marked by its long or short name. A listing that fails part-way keeps its error.
Listing ListByFind(const std::wstring& folder, std::wstring_view pattern, const PatternSet* marks,
                   const std::function<bool()>& keepGoing) {
    Listing listing;
    win::FolderEntries entries(folder, pattern, marks ? FindExInfoStandard : FindExInfoBasic, FIND_FIRST_EX_LARGE_FETCH);
    while (entries.next()) {
        const WIN32_FIND_DATAW& entry = entries.entry();
        listing.add(entry.cFileName,
                    EntryFacts{{},
                               entry.dwFileAttributes,
                               (static_cast<std::int64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow,
                               FileTimeValue(entry.ftCreationTime),
                               FileTimeValue(entry.ftLastAccessTime),
                               FileTimeValue(entry.ftLastWriteTime)},
                    Marked(marks, entry.cFileName, entry.cAlternateFileName));
        if (!keepGoing()) {
            listing.setAbandoned();
            return listing;
        }
    }
    if (entries.error()) listing.setError(entries.error());
    return listing;
}

// Some file systems (certain network shares among them) cannot list a folder through its handle.
bool ListingClassUnsupported(DWORD error) {
    return error == ERROR_INVALID_PARAMETER || error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_LEVEL ||
           error == ERROR_INVALID_FUNCTION;
}

// Everything in a folder, read through the folder's handle in large pieces. `Info` FILE_FULL_DIR_INFO
// has no short names, which the platform would otherwise make up for every entry; FILE_ID_BOTH_DIR_INFO
// has them, for the marks. Where the file system cannot do this, the classic enumeration takes over.
template <typename Info>
Listing ListEverything(const std::wstring& folder, FILE_INFO_BY_HANDLE_CLASS infoClass, const PatternSet* marks,
                       const std::function<bool()>& keepGoing) {
    Listing listing;
    const win::UniqueFileHandle handle(::CreateFileW(win::PlatformPath(FolderQueryPath(folder)).c_str(), FILE_LIST_DIRECTORY,
                                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                                     OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!handle) {
        // A folder that is not there is unreadable, not a folder where nothing matched.
        const DWORD error = ::GetLastError();
        listing.setError(error == ERROR_FILE_NOT_FOUND ? ERROR_PATH_NOT_FOUND : error);
        return listing;
    }
    constexpr DWORD kBufferBytes = 64 * 1024;
    const auto buffer = std::make_unique_for_overwrite<std::byte[]>(kBufferBytes);
    bool first = true;
    while (::GetFileInformationByHandleEx(handle.get(), infoClass, buffer.get(), kBufferBytes)) {
        first = false;
        for (const std::byte* at = buffer.get();;) {
            const auto& entry = *reinterpret_cast<const Info*>(at);
            const std::wstring_view name(entry.FileName, entry.FileNameLength / sizeof(wchar_t));
            if (name != L"." && name != L"..") listing.add(name, FactsOf(entry), Marked(marks, name, ShortNameOf(entry)));
            if (!keepGoing()) {
                listing.setAbandoned();
                return listing;
            }
            if (entry.NextEntryOffset == 0) break;
            at += entry.NextEntryOffset;
        }
    }
    const DWORD error = ::GetLastError();
    if (first && ListingClassUnsupported(error)) return ListFolderClassic(folder, marks, keepGoing);
    if (error != ERROR_NO_MORE_FILES) listing.setError(error);
    return listing;
}

}  // namespace

Listing ListFolder(const std::wstring& folder, std::wstring_view pattern, const std::function<bool()>& keepGoing) {
    if (pattern != L"*") return ListByFind(folder, pattern, nullptr, keepGoing);
    return ListEverything<FILE_FULL_DIR_INFO>(folder, FileFullDirectoryInfo, nullptr, keepGoing);
}

Listing ListFolderMarking(const std::wstring& folder, const PatternSet& marks, const std::function<bool()>& keepGoing) {
    return ListEverything<FILE_ID_BOTH_DIR_INFO>(folder, FileIdBothDirectoryInfo, &marks, keepGoing);
}

Listing ListFolderClassic(const std::wstring& folder, const PatternSet* marks, const std::function<bool()>& keepGoing) {
    return ListByFind(folder, L"*", marks, keepGoing);
}

wchar_t PlatformUpcase(wchar_t c) {
    wchar_t capital = c;
    ::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, &c, 1, &capital, 1, nullptr, nullptr, 0);
    return capital;
}

bool IsUnreadable(const Listing& listing) {
    return listing.error() != 0 && listing.error() != ERROR_FILE_NOT_FOUND && listing.error() != ERROR_NO_MORE_FILES;
}

}  // namespace findlark
