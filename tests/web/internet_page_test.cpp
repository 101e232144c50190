// The web search page of the running program: pictures that open the engines, and the phrase history.
#include "app/app_fixture.h"

#include "criteria/page_index.h"
#include "settings/recent_list.h"

using namespace findlark;

class InternetPageTest : public AppTest {
protected:
    void SetUp() override {
        store(L"ShowTipOfTheDayOnStartup", L"0");
        start();
    }
    PageInternet& page() { return main().Internet; }
    void send(const std::wstring& phrase, win::ImageButton PageInternet::*picture = &PageInternet::ImageGoogle) {
        page().ComboBoxSearchOnTheInternetWhatAreYouLookingFor.setText(phrase);
        (page().*picture).click();
    }
};

TEST_F(InternetPageTest, EachPictureOpensItsEngineWithThePhrase) {
    send(L"R&D plans", &PageInternet::ImageMSN);
    send(L"x", &PageInternet::ImageYAHOO);
    send(L"x", &PageInternet::ImageAltaVista);
    send(L"x", &PageInternet::ImageGoogle);
    ASSERT_EQ(interaction.opened.size(), 4u);
    EXPECT_EQ(interaction.opened[0], L"https://www.bing.com/results.aspx?FORM=MSNH&q=R%26D plans");
    EXPECT_EQ(interaction.opened[1].rfind(L"https://search.yahoo.com/", 0), 0u);
    EXPECT_EQ(interaction.opened[2].rfind(L"https://www.altavista.com/", 0), 0u);
    EXPECT_EQ(interaction.opened[3].rfind(L"https://www.google.com/", 0), 0u);
}

TEST_F(InternetPageTest, PicturesAreButtonsForTheMouseAndTheKeyboard) {
    RECT r{};
    ::GetClientRect(page().ImageYAHOO.hwnd(), &r);
    EXPECT_EQ(r.right, main().scale(241));
    EXPECT_EQ(r.bottom, main().scale(49));
    ::SendMessageW(page().ImageYAHOO.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(page().ImageYAHOO.hwnd()), HTCLIENT);
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_HAND));
    main().PageControlMain.changePage(PageIndexSearchOnTheInternet);
    testing_support::PressKey(page().ImageYAHOO.hwnd(), VK_RETURN);
    ::SendMessageW(page().ImageMSN.hwnd(), WM_KEYDOWN, VK_SPACE, 0);
    ASSERT_EQ(interaction.opened.size(), 2u);
    EXPECT_EQ(interaction.opened[0].rfind(L"https://search.yahoo.com/", 0), 0u);
    EXPECT_EQ(interaction.opened[1].rfind(L"https://www.bing.com/", 0), 0u);
    EXPECT_EQ(main().searchState(), SearchState::Idle);  // Enter pressed the picture, not Search
}

// A click is a press and a release on the same picture; a release that began elsewhere is nothing.
TEST_F(InternetPageTest, APictureFiresOnlyWhenPressedAndReleasedOnIt) {
    const HWND google = page().ImageGoogle.hwnd();
    const LPARAM inside = MAKELPARAM(5, 5), outside = MAKELPARAM(-5, 400);
    ::SendMessageW(google, WM_LBUTTONUP, 0, inside);  // pressed elsewhere, released here
    ::SendMessageW(google, WM_LBUTTONDOWN, MK_LBUTTON, inside);
    ::SendMessageW(google, WM_LBUTTONUP, 0, outside);  // pressed here, released elsewhere
    EXPECT_TRUE(interaction.opened.empty());
    ::SendMessageW(google, WM_LBUTTONDOWN, MK_LBUTTON, inside);
    ::SendMessageW(google, WM_LBUTTONUP, 0, inside);
    ASSERT_EQ(interaction.opened.size(), 1u);
    EXPECT_EQ(interaction.opened[0].rfind(L"https://www.google.com/", 0), 0u);
    EXPECT_NE(::GetCapture(), google);
}

TEST_F(InternetPageTest, PhrasesGoToTheTopOfTheirHistoryAndTheLast26Survive) {
    auto& box = page().ComboBoxSearchOnTheInternetWhatAreYouLookingFor;
    send(L"");
    EXPECT_EQ(box.items(), std::vector<std::wstring>{L""});  // an empty phrase is an entry too
    send(L"Same");
    send(L"same");
    send(L"Same");
    EXPECT_EQ(box.items(), (std::vector<std::wstring>{L"Same", L"same", L""}));
    for (int i = 0; i < 30; ++i) send(L"phrase " + std::to_wstring(i));
    end();
    start();
    const std::vector<std::wstring> kept = page().ComboBoxSearchOnTheInternetWhatAreYouLookingFor.items();
    ASSERT_EQ(kept.size(), 26u);
    EXPECT_EQ(kept.front(), L"phrase 29");
    EXPECT_EQ(kept.back(), L"phrase 4");
}
