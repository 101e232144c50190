// The entry tests and the content test on real files whose times, sizes, attributes and contents the
// tests set.
#include "search/search_fixture.h"

#include "win/system_date_time.h"
#include "search/content_file.h"

#include <chrono>
#include <fstream>

using namespace findlark;
using Paths = std::vector<std::wstring>;

namespace {

// The UTC file time of a local date and time, by the zone rules of that date.
SYSTEMTIME UtcOfLocal(DateTime local) {
    const SYSTEMTIME localTime = win::ToSystemTime(local);
    SYSTEMTIME utc{};
    ::TzSpecificLocalTimeToSystemTime(nullptr, &localTime, &utc);
    return utc;
}

void WriteBytes(const std::wstring& path, const std::string& bytes, std::int64_t at = 0) {
    const win::UniqueFileHandle file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file);
    LARGE_INTEGER offset{};
    offset.QuadPart = at;
    ::SetFilePointerEx(file.get(), offset, nullptr, FILE_BEGIN);
    DWORD written = 0;
    ASSERT_TRUE(::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
}

}  // namespace

class FiltersTest : public SearchTest {
protected:
    std::vector<std::wstring> searchNames(SearchCriteria c) {
        c.SearchSubfolders = false;
        Paths paths = search(c);
        std::sort(paths.begin(), paths.end());
        return paths;
    }
};

TEST_F(FiltersTest, ModifiedTimesPassWithinOneSecondOfTheBounds) {
    const DateTime from = EncodeDateTime({2025, 11, 20, 8, 0, 0});
    const DateTime to = EncodeDateTime({2025, 11, 20, 18, 0, 0});
    const double ms = 1.0 / kMillisecondsPerDay;
    const std::pair<const wchar_t*, DateTime> files[] = {
        {L"before-1000.txt", from - 1000 * ms}, {L"before-999.txt", from - 999 * ms}, {L"at-from.txt", from},
        {L"after-999.txt", to + 999 * ms},      {L"after-1000.txt", to + 1000 * ms},
    };
    for (const auto& [name, local] : files) {
        tree.file(name);
        tree.setModified(name, UtcOfLocal(local));
    }
    SearchCriteria c = foldersOnly({tree.root()});
    c.ModifiedDateTime.When = WhenSpecifyDateAndTime;
    c.ModifiedDateTime.FromDate = DatePart(from);
    c.ModifiedDateTime.FromTime = TimePart(from);
    c.ModifiedDateTime.ToDate = DatePart(to);
    c.ModifiedDateTime.ToTime = TimePart(to);
    c.ModifiedDateTime.ToChosen = true;
    EXPECT_EQ(searchNames(c), (Paths{L"after-999.txt", L"at-from.txt", L"before-999.txt"}));
}

TEST_F(FiltersTest, ASummerTimeIsJudgedByTheSummerOffset) {
    TIME_ZONE_INFORMATION zone{};
    ASSERT_NE(::GetTimeZoneInformation(&zone), TIME_ZONE_ID_INVALID);
    ASSERT_NE(zone.DaylightDate.wMonth, 0) << "the tests run in a zone with daylight saving";
    tree.file(L"summer.txt");
    tree.setModified(L"summer.txt", SYSTEMTIME{2026, 7, 0, 15, 10, 0, 0, 0});  // UTC
    const DateTime localNoon = EncodeDateTime({2026, 7, 15, 10, 0, 0}) + (-(zone.Bias + zone.DaylightBias)) / 1440.0;
    SearchCriteria c = foldersOnly({tree.root()});
    c.ModifiedDateTime.When = WhenSpecifyDateAndTime;
    c.ModifiedDateTime.FromDate = c.ModifiedDateTime.ToDate = DatePart(localNoon);
    c.ModifiedDateTime.FromTime = c.ModifiedDateTime.ToTime = TimePart(localNoon);
    EXPECT_EQ(searchNames(c), Paths{L"summer.txt"});
}

TEST_F(FiltersTest, SizesAndAttributes) {
    tree.file(L"small.bin", 1000);
    tree.file(L"exact.bin", 1024);
    tree.file(L"big.bin", 6LL << 30);  // sparse
    tree.file(L"hidden.txt", 0, FILE_ATTRIBUTE_HIDDEN);
    tree.file(L"readonly.txt", 0, FILE_ATTRIBUTE_READONLY);
    tree.folder(L"folder");
    SearchCriteria c = foldersOnly({tree.root()});

    c.Size = SizeVerySmall;  // 0 to 1024, both included; folders count as 0
    EXPECT_EQ(searchNames(c), (Paths{L"exact.bin", L"folder", L"hidden.txt", L"readonly.txt", L"small.bin"}));
    c.Size = SizeSpecify;
    c.AtLeastSize = L"5";
    c.AtLeastSizeB = 3;  // 5 GB: a bound beyond 32 bits
    c.AtMost = false;
    EXPECT_EQ(searchNames(c), Paths{L"big.bin"});
    c.Size = SizeDoNotRemember;

    c.Attributes = true;
    c.Archive = c.Compressed = c.Encrypted = c.ReadOnly = false;
    c.Directory = true;
    EXPECT_EQ(searchNames(c), Paths{L"folder"});
    c.Directory = false;
    c.ReadOnly = true;
    EXPECT_EQ(searchNames(c), Paths{L"readonly.txt"});
    c.ReadOnly = false;
    c.Hidden = true;
    EXPECT_EQ(searchNames(c), Paths{L"hidden.txt"});
    c.SearchAllFilesAndFolders = false;
    c.SearchHiddenFilesAndFolders = false;  // hidden entries go, even when asked for
    EXPECT_EQ(searchNames(c), Paths{});
    c.Hidden = false;
    c.Normal = true;
    c.Archive = true;  // Normal comes only alone, so with another attribute nothing passes
    EXPECT_EQ(searchNames(c), Paths{});
}

TEST_F(FiltersTest, CaseSensitiveNamesDropWhatOnlyTheShortNameOffered) {
    tree.file(L"LongFileName.html");
    tree.file(L"page.htm");
    tree.file(L"PAGE2.HTM");
    SearchCriteria c = foldersOnly({tree.root()});
    c.Mask = L"*.htm";
    EXPECT_EQ(searchNames(c), (Paths{L"LongFileName.html", L"PAGE2.HTM", L"page.htm"}));
    c.CaseSensitive = true;
    EXPECT_EQ(searchNames(c), Paths{L"page.htm"});
    c.Mask = L"*.*";
    tree.file(L"noext");
    EXPECT_EQ(searchNames(c), (Paths{L"LongFileName.html", L"PAGE2.HTM", L"page.htm"}));
}

// A regular expression looks at the long name only, by the platform's capitals unless case matters.
TEST_F(FiltersTest, ARegularExpressionTestsEveryLongName) {
    tree.file(L"LongFileName.html");
    tree.file(L"Grüße 2026.txt");
    tree.file(L"report7.doc");
    SearchCriteria c = foldersOnly({tree.root()});
    c.MaskIsRegularExpression = true;
    c.Mask = L"\\.htm$";  // the short name LONGFI~1.HTM does not count
    EXPECT_EQ(searchNames(c), Paths{});
    c.Mask = L"GRÜSSE|grüße \\d{4}";
    EXPECT_EQ(searchNames(c), Paths{L"Grüße 2026.txt"});
    c.Mask = L"^R\\w+\\d";
    EXPECT_EQ(searchNames(c), Paths{L"report7.doc"});
    c.CaseSensitive = true;
    EXPECT_EQ(searchNames(c), Paths{});
}

// Phrases as regular expressions: within a line, letters beyond ASCII by the platform's capitals,
// in a UTF-16 file too; a NOT phrase leaves a file out.
TEST_F(FiltersTest, RegularExpressionPhrasesMatchWithinLines) {
    WriteBytes(tree.path(L"a.txt"), "order foo42 shipped\r\n");
    WriteBytes(tree.path(L"b.txt"), "foo\n42\n");  // the number on the next line: no match
    WriteBytes(tree.path(L"c.txt"), "\xFF\xFE" + std::string("G\0R\0\xDC\0S\0S\0E\0", 12));
    WriteBytes(tree.path(L"d.txt"), "foo7 but draft\n");
    SearchCriteria c = foldersOnly({tree.root()});
    c.ContainingText = true;
    c.PhrasesAreRegularExpressions = true;
    c.MatchCase = false;
    c.ContainingText0 = L"foo\\d+|gr\u00fcss";
    c.AdditionalText[0] = {true, TextNot, L"^.*draft$"};
    EXPECT_EQ(searchNames(c), (Paths{L"a.txt", L"c.txt"}));
    // A literal part is looked for first, by the same capitals; options set inside leave none to go by.
    c.AdditionalText[0].Enabled = false;
    c.ContainingText0 = L"SHIPPED\\s*$";
    EXPECT_EQ(searchNames(c), Paths{L"a.txt"});
    c.MatchCase = true;
    EXPECT_EQ(searchNames(c), Paths{});
    c.ContainingText0 = L"(?i)SHIPPED\\s*$";
    EXPECT_EQ(searchNames(c), Paths{L"a.txt"});
    // An expression the engine gives up on: the file could not be searched, and nothing hangs.
    WriteBytes(tree.path(L"runaway.txt"), std::string(40, 'a') + "b\n");
    c.ContainingText0 = L"(a+)+$";
    const std::optional<ContentRule> rule = MakeContentRule(c);
    ASSERT_TRUE(rule);
    ContentReader reading([] { return false; });
    EXPECT_EQ(reading.MatchContent(tree.path(L"runaway.txt"), *rule), ContentVerdict::Unreadable);
}

// Whole words in every encoding the search reads, letters beyond ASCII as the platform classifies
// them; UTF-16 without a mark counts too.
TEST_F(FiltersTest, WholeWordsAreWholeInEveryEncoding) {
    const auto utf16 = [](std::u16string_view text, bool mark) {
        std::string bytes = mark ? "\xFF\xFE" : "";
        for (const char16_t unit : text) bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
        return bytes;
    };
    WriteBytes(tree.path(L"ansi.txt"), "the Cat sat\r\n");
    WriteBytes(tree.path(L"concat.txt"), "concat cats _cat cat9\n");
    WriteBytes(tree.path(L"utf8.txt"), "\xEF\xBB\xBF\xC3\xBC" "cat \xD0\xB6" "cat\n");  // üdog, жcat: inside words
    WriteBytes(tree.path(L"utf8-alone.txt"), "\xC2\xBB" "cat\xC2\xAB\n");                  // »cat«
    WriteBytes(tree.path(L"utf16.txt"), utf16(u"\u0436cat (cat)", true));
    WriteBytes(tree.path(L"utf16-nomark.txt"), utf16(u"\u043a\u043e\u0442 cat \u043a\u043e\u0442", false));
    WriteBytes(tree.path(L"dog.txt"), "cat dog\n");
    SearchCriteria c = foldersOnly({tree.root()});
    c.ContainingText = true;
    c.PhrasesAreWholeWords = true;
    c.MatchCase = false;
    c.ContainingText0 = L"cat";
    c.AdditionalText[0] = {true, TextNot, L"DOG"};
    EXPECT_EQ(searchNames(c), (Paths{L"ansi.txt", L"utf16-nomark.txt", L"utf16.txt", L"utf8-alone.txt"}));
    c.PhrasesAreRegularExpressions = true;
    c.ContainingText0 = L"c.t";
    EXPECT_EQ(searchNames(c), (Paths{L"ansi.txt", L"utf16-nomark.txt", L"utf16.txt", L"utf8-alone.txt"}));
}

TEST_F(FiltersTest, ContentIsReadWhereverItCanBeAndNothingStaysOpen) {
    WriteBytes(tree.path(L"plain.txt"), "some needle here");
    WriteBytes(tree.path(L"readonly.txt"), "a needle too");
    ::SetFileAttributesW(tree.path(L"readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    WriteBytes(tree.path(L"held.txt"), "held needle");
    WriteBytes(tree.path(L"afterzero.bin"), std::string("head\0needle", 11));
    WriteBytes(tree.path(L"other.txt"), "nothing");
    tree.file(L"empty.txt");
    tree.folder(L"needle-folder");
    // Another program writes to this one while we search.
    const win::UniqueFileHandle held(::CreateFileW(tree.path(L"held.txt").c_str(), GENERIC_READ | GENERIC_WRITE,
                                                   FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);

    SearchCriteria c = foldersOnly({tree.root()});
    c.ContainingText = true;
    c.ContainingText0 = L"needle";
    EXPECT_EQ(searchNames(c), (Paths{L"held.txt", L"plain.txt", L"readonly.txt"}));
    c.AdditionalText[0] = {true, TextNot, L"too"};
    EXPECT_EQ(searchNames(c), (Paths{L"held.txt", L"plain.txt"}));

    // Every file can be deleted at once: the test opened each for reading, shared, and let it go.
    ::SetFileAttributesW(tree.path(L"readonly.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
    for (const wchar_t* name : {L"plain.txt", L"readonly.txt", L"afterzero.bin", L"other.txt", L"empty.txt"})
        EXPECT_TRUE(::DeleteFileW(tree.path(name).c_str())) << name;
}

// Files as today's programs write them: in the ANSI code page, UTF-8 with and without a mark, and
// UTF-16 both ways round; phrases with letters beyond ASCII, with and without "Match case".
TEST_F(FiltersTest, UnicodeFilesAndPhrasesBeyondTheCodePage) {
    auto utf16 = [](std::wstring_view text, bool bigEndian) {
        std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        for (const wchar_t c : text) {
            const char low = static_cast<char>(c & 0xFF), high = static_cast<char>(c >> 8);
            bytes += bigEndian ? std::string{high, low} : std::string{low, high};
        }
        return bytes;
    };
    auto utf8 = [](std::wstring_view text) { return Utf8Of(std::u16string(text.begin(), text.end())); };
    auto ansi = [](std::wstring_view text) {
        std::string bytes(text.size() * 2, '\0');
        BOOL usedDefault = FALSE;
        bytes.resize(static_cast<std::size_t>(::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(),
                                                                   static_cast<int>(text.size()), bytes.data(),
                                                                   static_cast<int>(bytes.size()), nullptr, &usedDefault)));
        EXPECT_FALSE(usedDefault);
        return bytes;
    };
    WriteBytes(tree.path(L"ansi.txt"), ansi(L"viele gr\u00FC\u00DFe"));
    WriteBytes(tree.path(L"utf8.txt"), "\xEF\xBB\xBF" + utf8(L"VIELE GR\u00DC\u00DFE und \u03A3\u038A\u03A3\u03A5\u03A6\u039F\u03A3"));
    WriteBytes(tree.path(L"utf16le.txt"), utf16(L"Gr\u00FC\u00DFe, \u03C3\u03AF\u03C3\u03C5\u03C6\u03BF\u03C2", false));
    WriteBytes(tree.path(L"utf16be.txt"), utf16(L"\u65E5\u672C and gr\u00FC\u00DFe", true));
    WriteBytes(tree.path(L"nomark.txt"), utf8(L"\u65E5\u672C\u8A9E, \u0101lpha"));
    WriteBytes(tree.path(L"questions.txt"), "what?? alpha");

    SearchCriteria c = foldersOnly({tree.root()});
    c.ContainingText = true;
    c.ContainingText0 = L"gr\u00FC\u00DFe";
    EXPECT_EQ(searchNames(c), (Paths{L"ansi.txt", L"utf16be.txt"}));
    c.MatchCase = false;
    EXPECT_EQ(searchNames(c), (Paths{L"ansi.txt", L"utf16be.txt", L"utf16le.txt", L"utf8.txt"}));
    c.ContainingText0 = L"GRUSSE";  // capitals, letter for letter: "\u00DF" is no "SS"
    EXPECT_EQ(searchNames(c), Paths{});
    c.ContainingText0 = L"\u03C3\u03AF\u03C3\u03C5\u03C6\u03BF\u03C2";
    EXPECT_EQ(searchNames(c), (Paths{L"utf16le.txt", L"utf8.txt"}));
    c.ContainingText0 = L"GR\u00DC\u00DFE";
    c.AdditionalText[0] = {true, TextNot, L"\u03A3\u038A\u03A3\u03A5\u03A6\u039F\u03A3"};
    c.AdditionalText[1] = {true, TextOr, L"\u0100LPHA"};
    EXPECT_EQ(searchNames(c), (Paths{L"ansi.txt", L"nomark.txt", L"utf16be.txt"}));

    // No phrase turns into another: not into "??", not into its letters without the accents.
    c = foldersOnly({tree.root()});
    c.ContainingText = true;
    c.ContainingText0 = L"\u65E5\u672C";
    EXPECT_EQ(searchNames(c), (Paths{L"nomark.txt", L"utf16be.txt"}));
    c.ContainingText0 = L"\u0101lpha";
    EXPECT_EQ(searchNames(c), Paths{L"nomark.txt"});
}

TEST_F(FiltersTest, FilesBeyondFourGigabytesAreReadPastThe32BitSize) {
    // 4 GiB + 16 bytes: the low 32 bits of the size say 16, the phrase lies at 100.
    const std::int64_t fourGiB = 4LL << 30;
    tree.file(L"huge.bin", fourGiB + 16);
    WriteBytes(tree.path(L"huge.bin"), std::string(100, 'x') + "needle");
    // The zero-byte rule holds over the whole file: a phrase after the zeros does not count.
    tree.file(L"late.bin", fourGiB + 4096);
    WriteBytes(tree.path(L"late.bin"), "needle", fourGiB + 100);
    SearchCriteria c = foldersOnly({tree.root()});
    c.ContainingText = true;
    c.ContainingText0 = L"needle";
    EXPECT_EQ(searchNames(c), Paths{L"huge.bin"});
}

TEST_F(FiltersTest, StopIsHonouredBetweenPiecesOfALargeFile) {
    WriteBytes(tree.path(L"large.txt"), std::string(3 * ContentReader::kPieceBytes + 10, 'x') + "needle");
    SearchCriteria c;
    c.ContainingText = true;
    c.ContainingText0 = L"needle";
    const std::optional<ContentRule> rule = MakeContentRule(c);
    ASSERT_TRUE(rule);
    int asked = 0;
    ContentReader stopping([&] { return ++asked >= 1; });
    EXPECT_EQ(stopping.MatchContent(tree.path(L"large.txt"), *rule), ContentVerdict::Stopped);
    EXPECT_EQ(asked, 1);  // after the first piece
    ContentReader reading([] { return false; });
    EXPECT_EQ(reading.MatchContent(tree.path(L"large.txt"), *rule), ContentVerdict::Pass);
}

TEST_F(FiltersTest, AnInvalidMaskReachingTheWorkerEndsTheRunAsFailed) {
    tree.file(L"a.txt");
    SearchCriteria c = foldersOnly({tree.root()});
    c.CaseSensitive = true;
    c.Mask = L"[";
    std::atomic<bool> woken{false};
    SearchSession session([&] { return woken = true; });
    session.start({c, {}});
    ASSERT_TRUE(testing_support::PumpUntil([&] { return woken.load(); }));
    RunEvents::Taken taken;
    ASSERT_TRUE(testing_support::PumpUntil([&] {
        taken = session.drain(100);
        return taken.ended;
    }));
    EXPECT_TRUE(taken.failed);
    EXPECT_EQ(session.state(), SearchState::Idle);
}

// The "To" pickers start at the moment the program started; left as they are, "To" stands for the
// moment the search starts, so files changed since still count. A "To" that was chosen stands.
TEST_F(FiltersTest, AToThatWasNeverChosenIsTheMomentTheSearchStarts) {
    const DateTime now = win::LocalNow();
    pages().setPickers(win::ToSystemTime(now - 1.0 / 24));  // as if the program had started an hour ago
    tree.file(L"recent.txt");
    tree.setModified(L"recent.txt", UtcOfLocal(now - 0.5 / 24));
    SearchCriteria c = pages().read();
    EXPECT_FALSE(c.ModifiedDateTime.ToChosen);
    c.LookIn = false;
    c.AdditionalFolders = true;
    c.Directories = {tree.root()};
    c.ModifiedDateTime.When = WhenSpecifyDateAndTime;
    EXPECT_EQ(search(c), Paths{L"recent.txt"});

    // Picked by the user, the same hour-old "To" leaves the file out.
    auto& modified = pages().DateTime.Modified;
    modified.DateTimePickerToTime.setValue(modified.DateTimePickerToTime.value());
    EXPECT_TRUE(pages().read().ModifiedDateTime.ToChosen);
    EXPECT_EQ(search(pages().read()), Paths{});
}
