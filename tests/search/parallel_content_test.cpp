// Content tests on several readers give the rows, and their order, of content tests on the walk's
// thread: over files that match and do not, cannot be read, vanish, are empty or large, in every
// encoding, with every operator.
#include "search/search_worker.h"

#include "support/file_text.h"
#include "support/temp_tree.h"
#include "win/handle.h"

#include <gtest/gtest.h>

using namespace findlark;

namespace {

std::string Utf16(std::wstring_view text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const wchar_t c : text) {
        const char low = static_cast<char>(c & 0xFF), high = static_cast<char>(c >> 8);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

class ParallelContentTest : public testing::Test {
protected:
    ParallelContentTest() {
        for (const wchar_t* folder : {L"one", L"one\\deep", L"two"}) tree.folder(folder);
        testing_support::WriteText(tree.path(L"alpha-beta.txt"), "alpha beta");
        testing_support::WriteText(tree.path(L"alpha.txt"), "only alpha");
        testing_support::WriteText(tree.path(L"gamma.txt"), "gamma");
        testing_support::WriteText(tree.path(L"empty.txt"), "");
        testing_support::WriteText(tree.path(L"one\\utf16le.txt"), Utf16(L"Alpha beta \u00DF", false));
        testing_support::WriteText(tree.path(L"one\\utf16be.txt"), Utf16(L"alpha gamma", true));
        testing_support::WriteText(tree.path(L"one\\utf8.txt"), "\xEF\xBB\xBF" "ALPHA \xC3\x9F beta");
        testing_support::WriteText(tree.path(L"one\\deep\\locked.txt"), "alpha");
        testing_support::WriteText(tree.path(L"one\\deep\\zero.bin"), std::string("gamma\0alpha", 11));
        // Several pieces of reading, the phrase in the last.
        testing_support::WriteText(tree.path(L"two\\large.txt"), std::string(5 << 20, 'x') + "alpha beta");
        for (int i = 0; i < 150; ++i)
            testing_support::WriteText(tree.path(L"two\\n" + std::to_wstring(i) + L".txt"), i % 3 == 0 ? "alpha" : i % 3 == 1 ? "beta" : "gamma");
    }

    SearchCriteria criteria(const wchar_t* phrase, TextOperator op = TextAnd, const wchar_t* further = nullptr) const {
        SearchCriteria c;
        c.LookIn = false;
        c.AdditionalFolders = true;
        c.Directories = {tree.root()};
        c.ContainingText = true;
        c.ContainingText0 = phrase;
        if (further) c.AdditionalText[0] = {true, op, further};
        return c;
    }

    // The rows' paths in the order they came.
    std::vector<std::wstring> run(const SearchCriteria& c, unsigned readers) const {
        // Another program holds this one without sharing it, and this one goes between the listing
        // and the reading.
        testing_support::WriteText(tree.path(L"vanishing.txt"), "alpha beta gamma");
        const win::UniqueFileHandle held(
            ::CreateFileW(tree.path(L"one\\deep\\locked.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        EXPECT_TRUE(held);
        SearchRequest request{c, {}};
        request.contentReaders = readers;
        request.adjustListedFacts = [this](EntryFacts& facts) {
            if (facts.name == L"vanishing.txt") ::DeleteFileW(tree.path(L"vanishing.txt").c_str());
        };
        RunChannel channel([] { return true; });
        RunSearch(request, channel);
        const RunEvents::Taken taken = channel.events.take(100000);
        EXPECT_TRUE(taken.ended);
        EXPECT_FALSE(taken.failed);
        std::vector<std::wstring> paths;
        for (const RowSlice& slice : taken.slices) {
            for (std::size_t row = slice.begin; row < slice.end; ++row) {
                const std::wstring& folder = *slice.batch->folder(slice.batch->folderIndex(row));
                paths.push_back(folder.substr(tree.root().size()) + L"\\" + std::wstring(slice.batch->name(row)));
            }
        }
        return paths;
    }

    testing_support::TempTree tree;
};

TEST_F(ParallelContentTest, SeveralReadersGiveTheRowsOfOneInTheSameOrder) {
    SearchCriteria folded = criteria(L"ALPHA", TextAnd, L"\u00DF");
    folded.MatchCase = false;
    const SearchCriteria cases[] = {
        criteria(L"alpha"),
        criteria(L"alpha", TextAnd, L"beta"),
        criteria(L"gamma", TextOr, L"alpha"),
        criteria(L"alpha", TextNot, L"beta"),
        folded,
    };
    for (const SearchCriteria& c : cases) {
        const std::vector<std::wstring> alone = run(c, 0);
        EXPECT_EQ(run(c, 3), alone) << std::string(c.ContainingText0.begin(), c.ContainingText0.end());
        EXPECT_EQ(run(c, 1), alone);
    }
    // What the rows are, once: the large file is found in its last piece, UTF-16 both ways round;
    // the locked, vanishing, empty and zero-cut files never.
    const std::vector<std::wstring> alpha = run(criteria(L"alpha"), 3);
    const auto listed = [&](const wchar_t* path) { return std::find(alpha.begin(), alpha.end(), path) != alpha.end(); };
    for (const wchar_t* found : {L"\\two\\large.txt", L"\\alpha-beta.txt", L"\\one\\utf16be.txt", L"\\two\\n0.txt"})
        EXPECT_TRUE(listed(found)) << std::wstring(found).size();
    for (const wchar_t* never : {L"\\one\\deep\\locked.txt", L"\\vanishing.txt", L"\\one\\deep\\zero.bin",
                                 L"\\empty.txt", L"\\one\\utf16le.txt", L"\\two\\n1.txt"})
        EXPECT_FALSE(listed(never)) << std::wstring(never).size();
    EXPECT_EQ(alpha.size(), 4u + 50u);
}

}  // namespace
