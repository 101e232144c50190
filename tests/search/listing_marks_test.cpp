// The walk applies plain masks to full listings itself: it must mark exactly what the platform's
// own enumeration offers for the mask, short names included, in the same order.
#include "search/listing.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

using namespace findlark;

namespace {

std::vector<std::wstring> Names(const Listing& listing, bool markedOnly) {
    std::vector<std::wstring> names;
    for (std::size_t i = 0; i < listing.size(); ++i) {
        if (!markedOnly || listing.marked(i)) names.emplace_back(listing.name(i));
    }
    return names;
}

TEST(ListingMarks, MarksWhatThePlatformOffersForTheMask) {
    const testing_support::TempTree tree;
    for (const wchar_t* name : {L"a.txt", L"B.TXT", L"b.txtx", L"c.txt.gz", L"x.tar.gz", L"y.tar.tar.gz", L"LongFileName.html",
                                L"page.htm", L"report1.doc", L"Report.txt", L"noext", L"\u00fcber.txt", L"\u00dcBER2",
                                L"a b.txt", L"dots.in.the.name.c", L"readme"})
        tree.file(name, 1);
    tree.folder(L"sub.txt");
    const auto always = [] { return true; };
    for (const wchar_t* mask : {L"*.txt", L"*.htm", L"report*", L"*a*e*", L"*.tar.gz", L"\u00dc*", L"readme", L"*.c", L"*t"}) {
        const std::optional<PlainPattern> pattern = PlainPattern::parse(mask, &PlatformUpcase);
        ASSERT_TRUE(pattern) << mask;
        const Listing marked = ListFolderMarking(tree.root(), *pattern, always);
        const Listing offered = ListFolder(tree.root(), mask, always);
        EXPECT_EQ(Names(marked, true), Names(offered, false)) << mask;
        EXPECT_EQ(marked.size(), 17u) << mask;
        // The classic enumeration that file systems without handle listings get marks the same.
        const PatternSet marks(*pattern);
        const Listing classic = ListFolderClassic(tree.root(), &marks, always);
        EXPECT_EQ(Names(classic, true), Names(offered, false)) << mask;
        EXPECT_EQ(Names(classic, false), Names(marked, false)) << mask;
    }
}

TEST(ListingMarks, AMissingFolderIsUnreadable) {
    const testing_support::TempTree tree;
    const std::optional<PlainPattern> pattern = PlainPattern::parse(L"*.txt", &PlatformUpcase);
    const Listing listing = ListFolderMarking(tree.path(L"gone"), *pattern, [] { return true; });
    EXPECT_TRUE(IsUnreadable(listing));
    EXPECT_EQ(listing.size(), 0u);
}

}  // namespace
