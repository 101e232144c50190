#include "criteria/main_window_fixture.h"

using namespace findlark;
using testing_support::TypeChar;

class SizeBoxTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        pages().Size.RadioButtonSizeSpecifySize.click();
    }
    win::Edit& box() { return pages().Size.AtLeast.EditSize; }
    void spin(int delta) {
        NMUPDOWN change{};
        change.hdr.hwndFrom = pages().Size.AtLeast.JvUpDownSize.hwnd();
        change.hdr.code = UDN_DELTAPOS;
        change.iDelta = delta;
        ::SendMessageW(::GetParent(change.hdr.hwndFrom), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&change));
    }
};

TEST_F(SizeBoxTest, TypedDigitsAppendUpToTheMaximum) {
    EXPECT_EQ(box().text(), L"0");
    ::SendMessageW(box().hwnd(), EM_SETSEL, 1, 1);
    TypeChar(box().hwnd(), L'5');
    EXPECT_EQ(box().text(), L"05");
    box().setText(L"2147483647");
    ::SendMessageW(box().hwnd(), EM_SETSEL, 0, -1);  // even with everything selected
    TypeChar(box().hwnd(), L'1');
    TypeChar(box().hwnd(), L'0');
    EXPECT_EQ(box().text(), L"2147483647");
    box().setText(L"214748364");
    ::SendMessageW(box().hwnd(), EM_SETSEL, 9, 9);
    TypeChar(box().hwnd(), L'8');
    EXPECT_EQ(box().text(), L"214748364");
    TypeChar(box().hwnd(), L'7');
    EXPECT_EQ(box().text(), L"2147483647");
}

TEST_F(SizeBoxTest, BackspaceAndNonDigits) {
    box().setText(L"");
    TypeChar(box().hwnd(), L'\b');
    EXPECT_EQ(box().text(), L"");
    box().setText(L"12");
    ::SendMessageW(box().hwnd(), EM_SETSEL, 2, 2);
    for (const wchar_t c : {L'a', L'-', L' ', L'.'}) TypeChar(box().hwnd(), c);
    EXPECT_EQ(box().text(), L"12");
    TypeChar(box().hwnd(), L'\b');
    EXPECT_EQ(box().text(), L"1");
}

TEST_F(SizeBoxTest, SpinnerLeavesOnlyDigits) {
    box().setText(L"4");
    spin(1);
    EXPECT_EQ(box().text(), L"5");
    spin(-1);
    spin(-1);
    EXPECT_EQ(box().text(), L"3");
    box().setText(L"1a2bc3");
    spin(1);
    EXPECT_EQ(box().text(), L"124");
    box().setText(L"2147483647");
    spin(1);
    EXPECT_EQ(box().text(), L"2147483647");
    box().setText(L"0");
    spin(-1);
    EXPECT_EQ(box().text(), L"0");
}
