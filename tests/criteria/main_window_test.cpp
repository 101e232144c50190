#include "criteria/main_window_fixture.h"

#include "model/search_criteria.h"
#include "win/system_date_time.h"

using namespace findlark;

TEST_F(MainWindowTest, CaptionMenusAndButtonsAsDesigned) {
    EXPECT_EQ(win::Control::fromHwnd(form->BitBtnSearch.hwnd()), &form->BitBtnSearch);
    wchar_t caption[64] = {};
    ::GetWindowTextW(form->hwnd(), caption, 64);
    EXPECT_STREQ(caption, L"Findlark 1.0");
    EXPECT_EQ(form->BitBtnSearch.text(), L"&Search");
    EXPECT_EQ(form->BitBtnPause.text(), L"&Pause");
    EXPECT_EQ(form->BitBtnHelp.text(), L"   &Help    ");
    EXPECT_TRUE(form->BitBtnSearch.enabled());
    EXPECT_FALSE(form->BitBtnPause.enabled());
    EXPECT_FALSE(form->PageControlSearchInformation.visible());

    EXPECT_EQ(form->File1.caption(), L"&File");
    EXPECT_EQ(form->Actions1.caption(), L"&Actions");
    EXPECT_EQ(form->Options1.caption(), L"&Options");
    EXPECT_EQ(form->Help1.caption(), L"&Help");
    EXPECT_EQ(form->Open1.caption(), L"Load search options ...");
    EXPECT_EQ(form->Castomize1.caption(), L"Preferences ...");
    EXPECT_EQ(form->About1.caption(), L"About Findlark...");
    EXPECT_TRUE(form->Search1.enabled());
    EXPECT_FALSE(form->Pause1.enabled());
    EXPECT_TRUE(form->Name1.checked());
    EXPECT_FALSE(form->Size1.checked());

    const HWND header = ListView_GetHeader(form->ListViewResults.hwnd());
    ASSERT_EQ(Header_GetItemCount(header), 4);
    const wchar_t* names[] = {L"Name", L"In Folder", L"Size", L"Date Modified"};
    for (int i = 0; i < 4; ++i) {
        wchar_t text[32] = {};
        HDITEMW item{};
        item.mask = HDI_TEXT;
        item.pszText = text;
        item.cchTextMax = 32;
        Header_GetItem(header, i, &item);
        EXPECT_STREQ(text, names[i]);
        EXPECT_EQ(ListView_GetColumnWidth(form->ListViewResults.hwnd(), i), form->scale(155));
    }
    const LONG_PTR style = ::GetWindowLongPtrW(form->ListViewResults.hwnd(), GWL_STYLE);
    EXPECT_FALSE(style & LVS_SINGLESEL);
    EXPECT_FALSE(style & LVS_EDITLABELS);
    EXPECT_TRUE(ListView_GetExtendedListViewStyle(form->ListViewResults.hwnd()) & LVS_EX_FULLROWSELECT);
}

TEST_F(MainWindowTest, NeverSmallerThanDesignedAndAnchorsFollowTheWindow) {
    ::SetWindowPos(form->hwnd(), nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER);
    RECT window{};
    ::GetWindowRect(form->hwnd(), &window);
    EXPECT_GE(window.right - window.left, form->scale(633));
    EXPECT_GE(window.bottom - window.top, form->scale(443));

    auto placeOf = [](const win::Control& c) {
        RECT r{};
        ::GetWindowRect(c.hwnd(), &r);
        ::MapWindowPoints(nullptr, ::GetParent(c.hwnd()), reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    const RECT searchBefore = placeOf(form->BitBtnSearch);
    const RECT listBefore = placeOf(form->ListViewResults);
    const RECT paneBefore = placeOf(form->RichEditPreview);
    const RECT pagesBefore = placeOf(form->PageControlMain);
    ::SetWindowPos(form->hwnd(), nullptr, 0, 0, window.right - window.left + 200, window.bottom - window.top + 100,
                   SWP_NOMOVE | SWP_NOZORDER);
    const RECT searchAfter = placeOf(form->BitBtnSearch);
    const RECT listAfter = placeOf(form->ListViewResults);
    const RECT paneAfter = placeOf(form->RichEditPreview);
    const RECT pagesAfter = placeOf(form->PageControlMain);
    EXPECT_EQ(searchAfter.left - searchBefore.left, 200);  // top and right
    EXPECT_EQ(searchAfter.top, searchBefore.top);
    EXPECT_EQ(listAfter.right - listBefore.right, 200);  // all four edges
    // The list and the preview pane below it share the bottom: the pane first takes back the height
    // the small window had cut from it.
    EXPECT_EQ(paneAfter.bottom - paneBefore.bottom, 100);
    EXPECT_GT(listAfter.bottom, listBefore.bottom);
    EXPECT_EQ(listAfter.top, listBefore.top);
    EXPECT_EQ(pagesAfter.right - pagesBefore.right, 200);  // left, top and right
    EXPECT_EQ(pagesAfter.bottom, pagesBefore.bottom);
}

TEST_F(MainWindowTest, FreshWindowReadsBackAsTheDefaultCriteria) {
    const DateTime before = win::LocalNow();
    form.reset();
    form = makeForm();
    const DateTime after = win::LocalNow();
    const SearchCriteria read = pages().read();

    // Pickers hold whole seconds of the moment the window was made.
    const DateTime picked = read.ModifiedDateTime.FromDate + read.ModifiedDateTime.FromTime;
    EXPECT_GE(picked, before - 1.0 / 86400);
    EXPECT_LE(picked, after);
    EXPECT_EQ(read, DefaultCriteria(picked));
}

TEST_F(MainWindowTest, AppliedCriteriaReadBackUnchanged) {
    SearchCriteria c = pages().read();
    c.AllOrPartOfTheFileName = false;
    c.Mask = L"*.txt";
    c.CaseSensitive = true;
    c.LookInWhere = 0;
    c.AdditionalFolders = true;
    c.Directories = {L"C:\\one", L"C:\\one", L"D:\\"};
    c.CreatedDateTime.When = WhenSpecifyDateAndTime;
    c.CreatedDateTime.From = false;
    c.CreatedDateTime.FromDate = EncodeDateTime({2020, 2, 29});
    c.CreatedDateTime.FromTime = EncodeDateTime({1899, 12, 30, 13, 14, 15});
    c.Size = SizeSpecify;
    c.AtLeastSize = L"12";
    c.AtLeastSizeB = 1;
    c.AtMost = false;
    c.Attributes = true;
    c.Hidden = true;
    c.Archive = false;
    c.Match = MatchExact;
    c.ContainingText = true;
    c.ContainingText0 = L"needle";
    c.AdditionalText[1] = {true, TextNot, L"hay"};
    c.SearchAllFilesAndFolders = false;
    c.SearchSystemFolders = false;
    c.SearchSubfolders = false;
    pages().apply(c);
    EXPECT_EQ(pages().read(), c);
    EXPECT_TRUE(pages().DateTime.Created.CheckBoxFrom.enabled());
    EXPECT_FALSE(pages().DateTime.Created.DateTimePickerFromDate.enabled());
    EXPECT_TRUE(pages().DateTime.Created.DateTimePickerToDate.enabled());
}
