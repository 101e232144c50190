#pragma once
// One enumeration of a folder, kept compact: the entries' facts in a flat array and their names in
// one buffer, "." and ".." left out. A walk holds these instead of the platform's records.
#include "search/entry_filters.h"
#include "search/plain_pattern.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace findlark {

class Listing {
public:
    std::size_t size() const { return entries_.size(); }
    EntryFacts facts(std::size_t index) const;
    std::wstring_view name(std::size_t index) const;
    std::uint32_t attributes(std::size_t index) const { return entries_[index].attributes; }
    // Whether the pattern of the listing matched the entry.
    bool marked(std::size_t index) const { return entries_[index].marked; }
    // Why the folder could not be listed: 0 when it was, ERROR_FILE_NOT_FOUND when nothing matched.
    std::uint32_t error() const { return error_; }
    // The enumeration was given up because the run ended.
    bool abandoned() const { return abandoned_; }

    void add(std::wstring_view name, const EntryFacts& facts, bool marked = false);
    void setError(std::uint32_t error) { error_ = error; }
    void setAbandoned() { abandoned_ = true; }

private:
    struct Entry {
        std::uint32_t nameOffset;
        std::uint32_t nameLength;
        std::uint32_t attributes;
        bool marked;
        std::int64_t size;
        std::uint64_t created, accessed, written;
    };
    std::vector<Entry> entries_;
    std::wstring names_;
    std::uint32_t error_ = 0;
    bool abandoned_ = false;
};

// Lists the entries of `folder` that the platform's enumeration offers for `pattern`. `keepGoing`
// runs after every entry; when it says no, the listing ends at once and is marked abandoned.
Listing ListFolder(const std::wstring& folder, std::wstring_view pattern, const std::function<bool()>& keepGoing);

// Lists everything in `folder` in one enumeration and marks the entries that `marks` matches, which
// are those that the platform's enumeration would offer for that pattern, in the same order.
Listing ListFolderMarking(const std::wstring& folder, const PatternSet& marks, const std::function<bool()>& keepGoing);

// Everything in `folder` through the platform's classic enumeration, marked by `marks` when given:
// what the listings above fall back on where a file system cannot list a folder through its handle.
Listing ListFolderClassic(const std::wstring& folder, const PatternSet* marks, const std::function<bool()>& keepGoing);

// The platform's capital of a character, as names are compared without case.
wchar_t PlatformUpcase(wchar_t c);

// Whether a listing's failure means the folder could not be read (denied, gone, not ready) rather
// than that nothing in it matched.
bool IsUnreadable(const Listing& listing);

}  // namespace findlark
