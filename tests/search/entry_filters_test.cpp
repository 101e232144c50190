#include "search/entry_filters.h"

#include <gtest/gtest.h>

namespace findlark {
namespace {

// File times here are plain milliseconds, so the tests state times directly.
const LocalMilliseconds kIdentity = [](std::uint64_t time) { return static_cast<std::int64_t>(time); };

EntryFacts File(const wchar_t* name, std::int64_t size = 0, std::uint32_t attributes = 0x20) {
    return {name, attributes, size, 0, 0, 0};
}

EntryFilters Filters(const SearchCriteria& c, const DerivedBounds& b = {}) { return EntryFilters(c, b, kIdentity); }

TEST(EntryFilters, DatesPassStrictlyWithinOneSecondOfEachBound) {
    SearchCriteria c;
    c.ModifiedDateTime.When = WhenSpecifyDateAndTime;
    DerivedBounds b;
    b.ModifiedWindow = {true, 1000.0, 1001.0};
    const EntryFilters filters = Filters(c, b);
    const std::int64_t from = ToMilliseconds(1000.0), to = ToMilliseconds(1001.0);
    const auto modifiedAt = [](std::int64_t ms) {
        EntryFacts e = File(L"x");
        e.written = static_cast<std::uint64_t>(ms);
        return e;
    };
    EXPECT_TRUE(filters.MatchDates(modifiedAt(from)));
    EXPECT_TRUE(filters.MatchDates(modifiedAt(from - 999)));
    EXPECT_FALSE(filters.MatchDates(modifiedAt(from - 1000)));
    EXPECT_TRUE(filters.MatchDates(modifiedAt(to + 500)));
    EXPECT_TRUE(filters.MatchDates(modifiedAt(to + 999)));
    EXPECT_FALSE(filters.MatchDates(modifiedAt(to + 1000)));
}

TEST(EntryFilters, EachKindOfTimeHasItsOwnWindowAndInactiveOnesPassAll) {
    SearchCriteria c;
    DerivedBounds b;
    b.CreatedWindow = {true, 10.0, 11.0};
    b.AccessedWindow = {true, 20.0, 21.0};
    const EntryFilters filters = Filters(c, b);
    EntryFacts e = File(L"x");
    e.written = 0;  // the modified window is off
    e.created = static_cast<std::uint64_t>(ToMilliseconds(10.5));
    e.accessed = static_cast<std::uint64_t>(ToMilliseconds(20.5));
    EXPECT_TRUE(filters.MatchDates(e));
    std::swap(e.created, e.accessed);
    EXPECT_FALSE(filters.MatchDates(e));
}

TEST(EntryFilters, SizesAreInclusiveAndSixtyFourBits) {
    SearchCriteria c;
    c.Size = SizeSpecify;
    DerivedBounds b;
    b.SizeLow = 3LL << 30;
    b.SizeHigh = 5LL << 30;
    const EntryFilters filters = Filters(c, b);
    EXPECT_TRUE(filters.MatchSize(File(L"x", 3LL << 30)));
    EXPECT_TRUE(filters.MatchSize(File(L"x", 5LL << 30)));
    EXPECT_FALSE(filters.MatchSize(File(L"x", (3LL << 30) - 1)));
    EXPECT_FALSE(filters.MatchSize(File(L"folder", 0, 0x10)));  // folders have size 0
    c.Size = SizeDoNotRemember;
    EXPECT_TRUE(Filters(c, b).MatchSize(File(L"x", 1)));
}

TEST(EntryFilters, AttributesMustAllBePresentWhateverTheMatchMode) {
    SearchCriteria c;
    c.Attributes = true;
    for (const int match : {MatchExact, MatchContainSelected}) {
        c.Match = match;
        DerivedBounds b;
        b.AttributeMask = 0x10;  // Directory
        EXPECT_TRUE(Filters(c, b).MatchAttributes(File(L"d", 0, 0x10 | 0x20)));
        EXPECT_FALSE(Filters(c, b).MatchAttributes(File(L"f", 0, 0x20)));
        b.AttributeMask = 0x80 | 0x20;  // Normal is reported only alone, so with another bit nothing passes
        EXPECT_FALSE(Filters(c, b).MatchAttributes(File(L"f", 0, 0x80)));
        EXPECT_FALSE(Filters(c, b).MatchAttributes(File(L"f", 0, 0x20)));
    }
}

TEST(EntryFilters, HiddenEntriesAreDroppedWhenHiddenSearchIsOffEvenIfSelected) {
    SearchCriteria c;
    c.SearchHiddenFilesAndFolders = false;
    c.Attributes = true;
    DerivedBounds b;
    b.AttributeMask = 0x2;
    EXPECT_FALSE(Filters(c, b).MatchAttributes(File(L"h", 0, 0x2)));
    c.SearchHiddenFilesAndFolders = true;
    EXPECT_TRUE(Filters(c, b).MatchAttributes(File(L"h", 0, 0x2)));
    c.Attributes = false;
    c.SearchHiddenFilesAndFolders = false;
    EXPECT_FALSE(Filters(c, b).MatchAttributes(File(L"h", 0, 0x2 | 0x20)));
    EXPECT_TRUE(Filters(c, b).MatchAttributes(File(L"v", 0, 0x20)));
}

TEST(EntryFilters, TheCaseSensitiveNameTestUsesTheBoxTextEvenWhenTheNameCriterionIsOff) {
    SearchCriteria c;
    c.Mask = L"*.htm";
    EXPECT_TRUE(Filters(c).MatchName(File(L"LongFileName.html")));  // the enumeration has matched already
    c.CaseSensitive = true;
    EXPECT_FALSE(Filters(c).MatchName(File(L"LongFileName.html")));
    EXPECT_TRUE(Filters(c).MatchName(File(L"page.htm")));
    c.AllOrPartOfTheFileName = false;
    EXPECT_FALSE(Filters(c).MatchName(File(L"PAGE.HTM")));
    c.Mask = L"";  // an empty mask accepts only the empty name
    EXPECT_FALSE(Filters(c).passes(File(L"anything")));
    c.Mask = L"[";
    EXPECT_THROW(Filters(c), EMaskException);
    c.CaseSensitive = false;
    EXPECT_NO_THROW(Filters(c));  // then the brackets are only the enumeration's pattern
}

}  // namespace
}  // namespace findlark
