// Search option files on disk through the profile functions, the File menu's dialogs, the automatic
// file across a restart, the summary shown while a search runs, and damaged files.
#include "app/app_fixture.h"

#include "criteria/page_index.h"
#include "win/system_date_time.h"
#include "win/write_all.h"
#include "support/criteria_printer.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>

using namespace findlark;

namespace {

void WriteFile(const std::wstring& path, const std::string& bytes) {
    std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
}

std::string Utf8(const std::wstring& text) {
    std::string bytes(static_cast<std::size_t>(::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr)), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr);
    bytes.pop_back();
    return bytes;
}

// Changes one regional format for the test's length.
class LocaleFormat {
public:
    LocaleFormat(LCTYPE type, const wchar_t* value) : type_(type) {
        wchar_t old[128] = {};
        ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, old, 128);
        old_ = old;
        ::SetLocaleInfoW(LOCALE_USER_DEFAULT, type, value);
    }
    ~LocaleFormat() { ::SetLocaleInfoW(LOCALE_USER_DEFAULT, type_, old_.c_str()); }

private:
    LCTYPE type_;
    std::wstring old_;
};

}  // namespace

class OptionsFilesTest : public AppTest {
protected:
    void SetUp() override {
        store(L"ShowTipOfTheDayOnStartup", L"0");
        start();
    }
    void TearDown() override {
        AppTest::TearDown();
        for (const std::wstring& file : files) {
            ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
            ::DeleteFileW(file.c_str());
        }
    }
    std::wstring file(const wchar_t* name) {
        files.push_back(TempFile(name));
        return files.back();
    }
    CriteriaPages& pages() { return main().Criteria; }
    std::vector<std::wstring> files;
};

TEST_F(OptionsFilesTest, EveryFieldSurvivesASaveAndALoad) {
    SearchCriteria c = pages().read();
    c.Mask = L"*.t?t";
    c.CaseSensitive = true;
    c.LookInWhere = 0;
    c.AdditionalFolders = true;
    c.Directories = {L"C:\\one", L"D:\\two words"};
    c.ModifiedDateTime = {WhenSpecifyDateAndTime, true, EncodeDateTime({2024, 2, 29}), EncodeDateTime({1899, 12, 30, 13, 14, 15}),
                          true, EncodeDateTime({2025, 1, 2}), EncodeDateTime({1899, 12, 30, 1, 2, 3})};
    c.AccessedDateTime.When = WhenWithinThePastYear;
    c.Size = SizeSpecify;
    c.AtLeastSize = L"12";
    c.AtLeastSizeB = 1;
    c.AtMostSize = L"3";
    c.AtMostSizeB = 3;
    c.Attributes = true;
    c.Hidden = true;
    c.Archive = false;
    c.Match = MatchExact;
    c.ContainingText = true;
    c.ContainingText0 = L"needle";
    c.MatchCase = false;
    c.AdditionalText[1] = {true, TextNot, L"hay stack"};
    c.SearchAllFilesAndFolders = false;
    c.SearchHiddenFilesAndFolders = false;
    c.SearchSubfolders = false;
    pages().apply(c);
    const std::wstring path = file(L"all.flk");
    main().SaveSearchOptions(path);
    end();
    start();
    pages().AdditionalFolders.ListBoxLookInSpecifiedFolders.clear();  // loading appends to what is listed
    main().LoadSearchOptions(path, false);
    SearchCriteria loaded = pages().read();
    // Fields the file does not hold for these choices keep the fresh window's values.
    loaded.CreatedDateTime = c.CreatedDateTime;
    loaded.AccessedDateTime.FromDate = c.AccessedDateTime.FromDate;
    loaded.AccessedDateTime.FromTime = c.AccessedDateTime.FromTime;
    loaded.AccessedDateTime.ToDate = c.AccessedDateTime.ToDate;
    loaded.AccessedDateTime.ToTime = c.AccessedDateTime.ToTime;
    loaded.AdditionalText[0] = c.AdditionalText[0];
    loaded.AdditionalText[2] = c.AdditionalText[2];
    EXPECT_EQ(loaded, c);
}

TEST_F(OptionsFilesTest, LoadingRunsTheRulesOfTheControls) {
    const std::wstring path = file(L"rules.flk");
    WriteFile(path, "[ModifiedDateTime]\r\nWhenModified=4\r\nFrom=1\r\nFromDate=3/4/2026\r\nFromTime=1:02:03 PM\r\nTo=0\r\n"
                    "[Size]\r\nSize=6\r\n[Attributes]\r\nAttributes=1\r\nMatch=2\r\n");
    pages().Attributes.Match.select(0);
    main().LoadSearchOptions(path, false);
    const auto& modified = pages().DateTime.Modified;
    EXPECT_TRUE(modified.RadioButtonSpecifyDateAndTime.checked());
    EXPECT_TRUE(modified.CheckBoxFrom.checked());
    EXPECT_TRUE(modified.DateTimePickerFromDate.enabled());
    EXPECT_FALSE(modified.CheckBoxTo.checked());
    EXPECT_FALSE(modified.DateTimePickerToDate.enabled());
    const SearchCriteria c = pages().read();
    EXPECT_EQ(c.ModifiedDateTime.FromDate, EncodeDateTime({2026, 3, 4}));
    EXPECT_EQ(c.ModifiedDateTime.FromTime, EncodeDateTime({1899, 12, 30, 13, 2, 3}));
    EXPECT_EQ(c.Size, SizeSpecify);
    EXPECT_FALSE(c.AtLeast);
    EXPECT_FALSE(c.AtMost);
    EXPECT_FALSE(pages().Size.AtLeast.EditSize.enabled());
    EXPECT_EQ(c.Match, MatchContainSelected);
    EXPECT_TRUE(pages().Attributes.CheckBoxAttributes[0].enabled());
    // A user file without the switches clears them; the advanced interlock holds all the same.
    EXPECT_FALSE(c.SearchSubfolders);
    EXPECT_FALSE(c.LookIn);
    EXPECT_FALSE(c.SearchAllFilesAndFolders);
}

TEST_F(OptionsFilesTest, FoldersAreAppendedAtEveryLoad) {
    const std::wstring path = file(L"folders.flk");
    WriteFile(path, "[Additional Folders]\r\nAdditionalFolders=1\r\nNumberOfDirectories=3\r\nDirectory0=C:\\a\r\n"
                    "Directory1=C:\\b\r\nDirectory2=C:\\c\r\n");
    main().LoadSearchOptions(path, false);
    main().LoadSearchOptions(path, false);
    EXPECT_EQ(pages().AdditionalFolders.ListBoxLookInSpecifiedFolders.count(), 6);
}

// Another program holds the file without sharing (a read-only attribute does not stop the tests'
// user, who is the administrator of the test machine).
TEST_F(OptionsFilesTest, AFileThatCannotBeWrittenSaysSoOnce) {
    const std::wstring path = file(L"held.flk");
    WriteFile(path, "[Common]\r\nAllOrPartOfTheFileName=0\r\n");
    {
        const win::UniqueFileHandle held(::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        main().SaveSearchOptions(path);
    }
    ASSERT_EQ(interaction.messages.size(), 1u);
    EXPECT_EQ(interaction.messages[0].text, L"Unable to write to " + path);
    EXPECT_TRUE(interaction.messages[0].flags & MB_ICONERROR);
    wchar_t value[16] = {};
    ::GetPrivateProfileStringW(L"Common", L"AllOrPartOfTheFileName", L"", value, 16, path.c_str());
    EXPECT_STREQ(value, L"0");
}

TEST_F(OptionsFilesTest, TheFileMenuAsksForFilesWithTheirFiltersAndACancelDoesNothing) {
    const std::wstring path = file(L"menu.flk");
    pages().Common.ComboBoxExAllOrPartOfTheFileName.setText(L"*.menu");
    interaction.fileAnswers = {path, std::nullopt, path};
    main().runMenuCommand(main().Save1.id());
    ASSERT_EQ(interaction.fileRequests.size(), 1u);
    EXPECT_TRUE(interaction.fileRequestSaves[0]);
    EXPECT_EQ(interaction.fileRequests[0].filter, L"Findlark Options Files, (*.flk)|*.flk|All Files, (*.*)|*.*");
    EXPECT_EQ(interaction.fileRequests[0].defaultExtension, L"flk");
    EXPECT_TRUE(interaction.fileRequests[0].promptOverwrite);
    pages().Common.ComboBoxExAllOrPartOfTheFileName.setText(L"changed");
    main().runMenuCommand(main().Open1.id());  // cancelled
    EXPECT_EQ(pages().Common.ComboBoxExAllOrPartOfTheFileName.text(), L"changed");
    main().runMenuCommand(main().Open1.id());
    EXPECT_FALSE(interaction.fileRequestSaves[2]);
    EXPECT_EQ(interaction.fileRequests[2].filter, L"Findlark Options Files (*.flk)|*.flk");
    EXPECT_EQ(pages().Common.ComboBoxExAllOrPartOfTheFileName.text(), L"*.menu");
}

TEST_F(OptionsFilesTest, TheCriteriaSurviveARestartThroughTheAutomaticFile) {
    pages().Common.ComboBoxExAllOrPartOfTheFileName.setText(L"*.kept");
    pages().Advanced.CheckBoxSearchSubfolders.setChecked(false);
    end();
    start();
    EXPECT_EQ(pages().Common.ComboBoxExAllOrPartOfTheFileName.text(), L"*.kept");
    EXPECT_FALSE(pages().Advanced.CheckBoxSearchSubfolders.checked());
    // The automatic file gives its missing switches the defaults of a fresh window.
    end();
    WriteFile(optionsFile, "[Common]\r\nMask=x\r\n");
    start();
    EXPECT_TRUE(pages().Advanced.CheckBoxSearchSubfolders.checked());
    EXPECT_TRUE(pages().Common.CheckBoxLookIn.checked());
    EXPECT_EQ(pages().Common.ComboBoxExLookIn.selectedIndex(), LookInLocalHardDrives);
}

TEST_F(OptionsFilesTest, ADateWrittenDayFirstDoesNotReadMonthFirst) {
    const std::wstring path = file(L"dates.flk");
    {
        const LocaleFormat dayFirst(LOCALE_SSHORTDATE, L"d.M.yyyy");
        auto& created = pages().DateTime.Created;
        created.RadioButtonSpecifyDateAndTime.click();
        SYSTEMTIME christmas{2025, 12, 0, 25, 10, 0, 0, 0};
        created.DateTimePickerFromDate.setValue(christmas);
        main().SaveSearchOptions(path);
        wchar_t value[32] = {};
        ::GetPrivateProfileStringW(L"CreatedDateTime", L"FromDate", L"", value, 32, path.c_str());
        EXPECT_STREQ(value, L"25.12.2025");
    }
    const LocaleFormat monthFirst(LOCALE_SSHORTDATE, L"M/d/yyyy");
    main().LoadSearchOptions(path, false);
    EXPECT_EQ(pages().read().CreatedDateTime.FromDate, DatePart(win::LocalNow()));
}

TEST_F(OptionsFilesTest, FilesFromOtherEditorsKeepTheirNames) {
    const std::wstring name = L"C:\\\u00e9t\u00e9 \u65e5\u672c";
    const std::string body = "[Additional Folders]\r\nAdditionalFolders=1\r\nNumberOfDirectories=1\r\nDirectory0=" + Utf8(name) + "\r\n";
    const std::wstring withBom = file(L"bom.flk"), withoutBom = file(L"nobom.flk"), utf16 = file(L"utf16.flk");
    WriteFile(withBom, "\xEF\xBB\xBF" + body);
    WriteFile(withoutBom, body);
    std::wstring wide = L"\xFEFF[Additional Folders]\r\nAdditionalFolders=1\r\nNumberOfDirectories=1\r\nDirectory0=" + name + L"\r\n";
    WriteFile(utf16, std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t)));
    for (const std::wstring& path : {withBom, withoutBom, utf16}) {
        pages().AdditionalFolders.ListBoxLookInSpecifiedFolders.clear();
        main().LoadSearchOptions(path, false);
        EXPECT_EQ(pages().AdditionalFolders.ListBoxLookInSpecifiedFolders.items(), std::vector<std::wstring>{name})
            << Narrow(path);
    }
}

// A mask, a folder or a phrase outside the ANSI code page was written as "?" and came back as another
// wildcard or a missing folder; such a file is now written as UTF-16 and every name comes back.
TEST_F(OptionsFilesTest, NamesOutsideTheAnsiCodePageSurviveASaveAndARestart) {
    const std::wstring mask = L"\u65e5\u672c*.txt", folder = L"C:\\\u0412\u043b\u0430\u0434",
                       phrase = L"\u03ba\u03b1\u03bb\u03b7\u03bc\u03ad\u03c1\u03b1";
    const auto fill = [&] {
        pages().Common.ComboBoxExAllOrPartOfTheFileName.setText(mask);
        pages().AdditionalFolders.CheckBoxLookInSpecifiedFolders.setChecked(true);
        pages().AdditionalFolders.ListBoxLookInSpecifiedFolders.clear();
        pages().AdditionalFolders.ListBoxLookInSpecifiedFolders.addItem(folder);
        pages().ContainingText.CheckBoxContainingTextSpecifyText.setChecked(true);
        pages().ContainingText.ComboBoxContainingText0.setText(phrase);
    };
    const auto check = [&] {
        EXPECT_EQ(pages().Common.ComboBoxExAllOrPartOfTheFileName.text(), mask);
        EXPECT_EQ(pages().AdditionalFolders.ListBoxLookInSpecifiedFolders.items(), std::vector<std::wstring>{folder});
        EXPECT_EQ(pages().ContainingText.ComboBoxContainingText0.text(), phrase);
    };
    // By the menu.
    const std::wstring path = file(L"unicode.flk");
    fill();
    main().SaveSearchOptions(path);
    pages().AdditionalFolders.ListBoxLookInSpecifiedFolders.clear();
    pages().Common.ComboBoxExAllOrPartOfTheFileName.setText(L"");
    main().LoadSearchOptions(path, false);
    check();
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    EXPECT_EQ(in.get(), 0xFF);
    EXPECT_EQ(in.get(), 0xFE);
    // By the automatic file at exit.
    end();
    start();
    check();
}

// What fits the ANSI code page stays ANSI, byte for byte; a UTF-8 file of another editor keeps every
// other key and line when it is saved over.
TEST_F(OptionsFilesTest, AnAnsiFileStaysAnsiAndAUtf8FileKeepsItsOtherLines) {
    const std::wstring ansi = file(L"ansi.flk");
    main().SaveSearchOptions(ansi);
    std::ifstream first(std::filesystem::path(ansi), std::ios::binary);
    const std::string before{std::istreambuf_iterator<char>(first), std::istreambuf_iterator<char>()};
    first.close();
    main().SaveSearchOptions(ansi);
    std::ifstream second(std::filesystem::path(ansi), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(second), std::istreambuf_iterator<char>()), before);
    EXPECT_NE(before.rfind("[Common]", 0), std::string::npos);

    const std::wstring utf8 = file(L"utf8.flk");
    WriteFile(utf8, "\xEF\xBB\xBF; " + Utf8(L"notes of the user \u00e9t\u00e9") + "\r\n[Mine]\r\nkey=" +
                        Utf8(L"\u65e5\u672c") + "\r\n[Common]\r\nAllOrPartOfTheFileName=1\r\nMask=" + Utf8(L"\u00e9t\u00e9*.doc") + "\r\n");
    main().LoadSearchOptions(utf8, false);
    EXPECT_EQ(pages().Common.ComboBoxExAllOrPartOfTheFileName.text(), L"\u00e9t\u00e9*.doc");
    pages().Common.CheckBoxCaseSensitiveMask.setChecked(true);
    main().SaveSearchOptions(utf8);
    wchar_t value[64] = {};
    ::GetPrivateProfileStringW(L"Mine", L"key", L"", value, 64, utf8.c_str());
    EXPECT_STREQ(value, L"\u65e5\u672c");
    ::GetPrivateProfileStringW(L"Common", L"Mask", L"", value, 64, utf8.c_str());
    EXPECT_STREQ(value, L"\u00e9t\u00e9*.doc");
    std::ifstream in(std::filesystem::path(utf8), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
    EXPECT_NE(text.find(L"; notes of the user \u00e9t\u00e9"), std::wstring::npos);

    // A section header right after the mark: a rewrite that kept the mark as a character would start
    // with two marks, and "[Mine]" would no longer be read as a section.
    const std::wstring headed = file(L"headed.flk");
    WriteFile(headed, "\xEF\xBB\xBF[Mine]\r\nkey=value\r\n[Common]\r\nAllOrPartOfTheFileName=1\r\nMask=*.doc\r\n");
    main().LoadSearchOptions(headed, false);
    pages().Common.ComboBoxExAllOrPartOfTheFileName.setText(L"\u65e5\u672c*.doc");  // outside the ANSI code page
    main().SaveSearchOptions(headed);
    ::GetPrivateProfileStringW(L"Mine", L"key", L"", value, 64, headed.c_str());
    EXPECT_STREQ(value, L"value");
    std::ifstream rewritten(std::filesystem::path(headed), std::ios::binary);
    const std::string start(6, '\0');
    std::string head = start;
    rewritten.read(head.data(), 6);
    EXPECT_EQ(head, std::string("\xFF\xFE[\0M\0", 6));  // one mark, then the section
}

// The rewrite as UTF-16 replaces the file only when it is complete: a write that fails half-way (a
// full disk) leaves the old file as it was and says so; a hidden file stays hidden and is written; a
// file marked UTF-8 that is not valid UTF-8 is read as ANSI, byte for byte.
TEST_F(OptionsFilesTest, ARewriteNeverLeavesAFileCutShortOrChanged) {
    const std::string ansi = "[Mine]\r\nName=Caf\xE9\r\n[Common]\r\nAllOrPartOfTheFileName=1\r\nMask=*.doc\r\n";
    const auto bytesOf = [](const std::wstring& path) {
        std::ifstream in(std::filesystem::path(path), std::ios::binary);
        return std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    };
    const auto mine = [](const std::wstring& path) {
        wchar_t value[64] = {};
        ::GetPrivateProfileStringW(L"Mine", L"Name", L"", value, 64, path.c_str());
        return std::wstring(value);
    };
    const std::wstring failing = file(L"failing.flk");
    WriteFile(failing, ansi);
    pages().Common.ComboBoxExAllOrPartOfTheFileName.setText(L"\u65e5\u672c*.doc");  // outside the ANSI code page
    win::SetWriteFault(ERROR_DISK_FULL);
    main().SaveSearchOptions(failing);
    win::SetWriteFault(0);
    EXPECT_EQ(bytesOf(failing), ansi);
    ASSERT_EQ(interaction.messages.size(), 1u);
    EXPECT_EQ(interaction.messages[0].text, L"Unable to write to " + failing);

    const std::wstring hidden = file(L"hidden.flk");
    WriteFile(hidden, ansi);
    ::SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
    main().SaveSearchOptions(hidden);
    EXPECT_TRUE(::GetFileAttributesW(hidden.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(mine(hidden), L"Caf\u00e9");
    main().LoadSearchOptions(hidden, false);
    EXPECT_EQ(pages().Common.ComboBoxExAllOrPartOfTheFileName.text(), L"\u65e5\u672c*.doc");

    const std::wstring marked = file(L"marked.flk");
    WriteFile(marked, "\xEF\xBB\xBF" + ansi);
    main().LoadSearchOptions(marked, false);
    EXPECT_EQ(pages().Common.ComboBoxExAllOrPartOfTheFileName.text(), L"*.doc");
    main().SaveSearchOptions(marked);
    EXPECT_EQ(mine(marked), L"Caf\u00e9");
    EXPECT_EQ(interaction.messages.size(), 1u);
}

// A size no box can hold used to stop the saving at exit half-way, leaving every later key unwritten.
TEST_F(OptionsFilesTest, ASizeNoBoxCanHoldLoadsAsZeroAndTheExitWritesEveryKey) {
    end();
    WriteFile(optionsFile, "[Size]\r\nSize=6\r\nAtLeast=1\r\nAtLeastSize=-5\r\nAtMost=1\r\nAtMostSize=0xFFFFFFFF\r\n");
    start();
    EXPECT_EQ(pages().Size.AtLeast.EditSize.text(), L"0");
    EXPECT_EQ(pages().Size.AtMost.EditSize.text(), L"0");
    end();
    EXPECT_TRUE(interaction.messages.empty());
    wchar_t value[16] = {};
    ::GetPrivateProfileStringW(L"Advanced", L"SearchSubfolders", L"(missing)", value, 16, optionsFile.c_str());
    EXPECT_STREQ(value, L"1");
    start();
}

TEST_F(OptionsFilesTest, DamagedFilesLoadInBoundedTimeAndLeaveTheWindowConsistent) {
    std::string many = "[Additional Folders]\r\nAdditionalFolders=1\r\nNumberOfDirectories=2147483647\r\n";
    for (int i = 0; i < 100000; ++i) many += "Directory" + std::to_string(i) + "=C:\\f" + std::to_string(i) + "\r\n";
    const std::string huge = "[Common]\r\nMask=" + std::string(100 * 1024, 'm') + "\r\n[Containing Text]\r\nContainingText=1\r\n";
    std::string binary = "[Size]\r\nSize=6\r\nAtLeast=1\r\nAtLeastSize=";
    for (int i = 0; i < 4096; ++i) binary.push_back(static_cast<char>(i * 37));
    const std::string truncated = "[Attributes]\r\nAttributes=1\r\nArch";
    const std::pair<const wchar_t*, std::string> damaged[] = {
        {L"many.flk", many}, {L"huge.flk", huge}, {L"binary.flk", binary}, {L"truncated.flk", truncated}};
    for (const auto& [name, bytes] : damaged) {
        const std::wstring path = file(name);
        WriteFile(path, bytes);
        const auto start = std::chrono::steady_clock::now();
        main().LoadSearchOptions(path, false);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20)) << Narrow(name);
    }
    EXPECT_LE(pages().AdditionalFolders.ListBoxLookInSpecifiedFolders.count(), kMaxOptionFolders);
    EXPECT_LE(pages().Common.ComboBoxExAllOrPartOfTheFileName.text().size(), 2047u);
    // What was loaded still makes a valid window: a search can be validated and started.
    pages().AdditionalFolders.CheckBoxLookInSpecifiedFolders.setChecked(false);
    pages().Common.CheckBoxLookIn.setChecked(false);
    pages().Size.RadioButtonSizeDoNotRemember.click();
    pages().ContainingText.CheckBoxContainingTextSpecifyText.setChecked(false);
    pages().Common.ComboBoxExAllOrPartOfTheFileName.setText(L"");
    main().BitBtnSearch.click();
    EXPECT_TRUE(interaction.messages.empty());
    EXPECT_TRUE(testing_support::PumpUntil([&] { return main().searchState() == SearchState::Idle; }));
}

TEST_F(OptionsFilesTest, ARunShowsTheSummaryOfItsCriteria) {
    pages().Common.ComboBoxExAllOrPartOfTheFileName.setText(L"");
    pages().Common.ComboBoxExLookIn.setSelectedIndex(LookInMyDocuments);
    gate.close();
    main().BitBtnSearch.click();
    EXPECT_TRUE(main().PageControlSearchInformation.visible());
    EXPECT_EQ(main().RichEditSearchInformation.text(),
              L"Common search options:\r\nAll or part of the file name: *.*\r\nCase sensitive: no\r\n"
              L"Look in: My Documents\r\n\r\nAdvanced search options\r\nSearch all files and folders: yes\r\n"
              L"Search subfolders: yes");
    main().BitBtnSearch.click();
    gate.open();
}
