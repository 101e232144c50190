// The Help menu, the Help button, the maker's pages and the about box; and the help file itself.
#include "app/app_fixture.h"

#include "criteria/page_index.h"
#include "help/help_links.h"
#include "support/criteria_printer.h"

#include <objbase.h>

#include <cstring>
#include <map>
#include <string>

using namespace findlark;

// The help file's storage, read through the system's own CHM reader (ITSS). Declared outside any
// unnamed namespace: the compiler must not take the system's implementation for one it can see.
const GUID kClsidITStorage = {0x5d02926a, 0x212e, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};
const GUID kIidITStorage = {0x88cc31de, 0x27ab, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};
struct IITStorage : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE StgCreateDocfile(const WCHAR*, DWORD, DWORD, IStorage**) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgCreateDocfileOnILockBytes(ILockBytes*, DWORD, DWORD, IStorage**) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgIsStorageFile(const WCHAR*) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgIsStorageILockBytes(ILockBytes*) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgOpenStorage(const WCHAR*, IStorage*, DWORD, SNB, DWORD, IStorage**) = 0;
};

namespace {

// The build's folder, without "..", which the CHM reader does not take.
std::wstring BuildFolder() {
    wchar_t path[MAX_PATH] = {}, full[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    folder.resize(folder.find_last_of(L'\\'));
    ::GetFullPathNameW((folder + L"\\..\\").c_str(), MAX_PATH, full, nullptr);
    return full;
}

template <class T>
struct Released {
    T* p = nullptr;
    ~Released() {
        if (p) p->Release();
    }
};

std::string ReadStream(IStorage* storage, const wchar_t* name) {
    Released<IStream> stream;
    if (FAILED(storage->OpenStream(name, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &stream.p))) return {};
    std::string bytes;
    char buffer[4096];
    ULONG read = 0;
    while (SUCCEEDED(stream.p->Read(buffer, sizeof(buffer), &read)) && read > 0) bytes.append(buffer, read);
    return bytes;
}

}  // namespace

class HelpTest : public AppTest {
protected:
    // "Help.chm" beside the test program, as beside Findlark.
    void SetUp() override {
        helpCopy = BuildFolder() + L"tests\\Help.chm";
        ::CopyFileW((BuildFolder() + L"src\\Help.chm").c_str(), helpCopy.c_str(), FALSE);
        store(L"ShowTipOfTheDayOnStartup", L"0");
        start();
    }
    void TearDown() override {
        AppTest::TearDown();
        ::DeleteFileW(helpCopy.c_str());
    }
    std::wstring helpCopy;
};

TEST_F(HelpTest, EveryTopicAsksForItsContextNumberWhateverPageIsShown) {
    const std::pair<win::MenuItem TFormMain::*, unsigned> topics[] = {
        {&TFormMain::HelpCommon1, 2001},      {&TFormMain::HelpAdditionalFolders1, 2002}, {&TFormMain::HelpDateAndTime1, 2003},
        {&TFormMain::HelpSize1, 2004},        {&TFormMain::HelpAttributes1, 2005},        {&TFormMain::HelpContainingText1, 2006},
        {&TFormMain::HelpAdvanced1, 2007},    {&TFormMain::HelpSearchOnTheInternet1, 2100},
        {&TFormMain::HelpUsingWildcardCharacters1, 3002}};
    int page = 0;
    for (const auto& [item, context] : topics) {
        main().PageControlMain.changePage(page++ % 8);
        main().runMenuCommand((main().*item).id());
        ASSERT_FALSE(interaction.helpShown.empty());
        EXPECT_EQ(interaction.helpShown.back().context, context);
        EXPECT_EQ(interaction.helpShown.back().page, HelpTopicPage(context));
        EXPECT_EQ(interaction.helpShown.back().file, main().helpFile());
    }
    main().runMenuCommand(main().Contents1.id());
    main().BitBtnHelp.click();
    interaction.dialogScripts.push_back([](win::Dialog& dialog) {
        auto& preferences = dynamic_cast<TFormOptions&>(dialog);
        preferences.BitBtnHelp.click();
        preferences.BitBtnCancel.click();
    });
    main().runMenuCommand(main().Castomize1.id());
    ASSERT_EQ(interaction.helpShown.size(), 12u);  // "Contents", the Help button, Preferences' Help
    for (std::size_t i = 9; i < 12; ++i) EXPECT_EQ(interaction.helpShown[i].context, 0u);
}

// F1 anywhere in the window asks for the topic of the page shown.
TEST_F(HelpTest, F1ShowsTheTopicOfTheActivePage) {
    const unsigned contexts[] = {2001, 2002, 2003, 2004, 2005, 2006, 2007, 2100};
    for (int page = 0; page < 8; ++page) {
        main().PageControlMain.changePage(page);
        MSG key{main().Criteria.Common.ComboBoxExAllOrPartOfTheFileName.hwnd(), WM_KEYDOWN, VK_F1, 0, 0, {}};
        EXPECT_TRUE(main().preTranslateMessage(key));
        ASSERT_EQ(interaction.helpShown.size(), static_cast<std::size_t>(page + 1));
        EXPECT_EQ(interaction.helpShown.back().context, contexts[page]);
    }
}

TEST_F(HelpTest, AMissingHelpFileShowsNothing) {
    ::DeleteFileW(helpCopy.c_str());
    main().BitBtnHelp.click();
    main().runMenuCommand(main().HelpSize1.id());
    EXPECT_TRUE(interaction.helpShown.empty());
}

TEST_F(HelpTest, HelpOnHelpAndTheMakersPagesGoToTheShell) {
    main().runMenuCommand(main().Usinghelp1.id());
    main().runMenuCommand(main().FindlarkontheWeb1.id());
    main().runMenuCommand(main().ContactingNorvaleSoftware1.id());
    ASSERT_EQ(interaction.opened.size(), 3u);
    wchar_t windows[MAX_PATH] = {};
    ::GetWindowsDirectoryW(windows, MAX_PATH);
    EXPECT_EQ(interaction.opened[0], std::wstring(windows) + L"\\help\\nthelp.chm");
    EXPECT_EQ(interaction.opened[1], kProductSite);
    EXPECT_EQ(interaction.opened[2], kContactsPage);
}

TEST_F(HelpTest, TheAboutBoxLinksOpenTheirAddressesUnderTheHand) {
    interaction.dialogScripts.push_back([](win::Dialog& dialog) {
        auto& about = dynamic_cast<TFormAbout&>(dialog);
        RECT client{};
        ::GetClientRect(about.hwnd(), &client);
        EXPECT_EQ(client.right, about.scale(400));
        EXPECT_EQ(client.bottom, about.scale(265));
        EXPECT_EQ(about.LabelProductName.text(), L"Findlark");
        EXPECT_EQ(about.LabelVersion.text(), L"Version 1.0 (January 2005)");
        EXPECT_EQ(about.LinkSupport.text(), L"maito: support@example.com");
        ::SendMessageW(about.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(about.LinkProductPage.hwnd()), HTCLIENT);
        EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_HAND));
        ::SendMessageW(about.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(about.LabelVersion.hwnd()), HTCLIENT);
        EXPECT_NE(::GetCursor(), ::LoadCursorW(nullptr, IDC_HAND));
        for (win::LinkLabel* link : {&about.LinkHomePage, &about.LinkProductPage, &about.LinkSupport}) {
            ::SendMessageW(about.hwnd(), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(link->hwnd()), STN_CLICKED),
                           reinterpret_cast<LPARAM>(link->hwnd()));
        }
        about.BitBtnOK.click();
    });
    main().runMenuCommand(main().About1.id());
    EXPECT_EQ(interaction.dialogs, std::vector<std::wstring>{L"About Findlark"});
    EXPECT_EQ(interaction.opened, (std::vector<std::wstring>{kHomePage, kProductPage, L"mailto:support@example.com"}));
}

// The compiled file holds a page for every context number, and its map names them.
TEST(HelpFile, EveryContextNumberIsMappedToAPageInTheFile) {
    Released<IITStorage> storages;
    ASSERT_TRUE(SUCCEEDED(::CoCreateInstance(kClsidITStorage, nullptr, CLSCTX_INPROC_SERVER, kIidITStorage,
                                             reinterpret_cast<void**>(&storages.p))));
    Released<IStorage> chm;
    const std::wstring file = BuildFolder() + L"src\\Help.chm";
    ASSERT_TRUE(SUCCEEDED(storages.p->StgOpenStorage(file.c_str(), nullptr, STGM_READ | STGM_SHARE_DENY_WRITE, nullptr, 0, &chm.p)));
    const std::string map = ReadStream(chm.p, L"#IVB"), strings = ReadStream(chm.p, L"#STRINGS");
    ASSERT_GE(map.size(), 4u);
    std::map<unsigned, std::string> pages;
    for (std::size_t at = 4; at + 8 <= map.size(); at += 8) {
        unsigned context = 0, offset = 0;
        std::memcpy(&context, map.data() + at, 4);
        std::memcpy(&offset, map.data() + at + 4, 4);
        const std::string page = strings.c_str() + offset;
        pages[context] = page.substr(page.find_last_of("/\\") + 1);
    }
    for (const unsigned context : {2001u, 2002u, 2003u, 2004u, 2005u, 2006u, 2007u, 2100u, 3002u, 3003u}) {
        const std::wstring expected = HelpTopicPage(context);
        EXPECT_EQ(pages[context], std::string(expected.begin(), expected.end())) << context;
        EXPECT_FALSE(ReadStream(chm.p, (L"/" + expected).c_str()).empty()) << context;
    }
    for (const wchar_t* page : {L"/index.html", L"/results.html", L"/file_operations.html", L"/option_files.html",
                                L"/preferences.html", L"/keyboard.html", L"/findlark.hhc", L"/findlark.hhk"})
        EXPECT_FALSE(ReadStream(chm.p, page).empty()) << Narrow(page);
}
