#include "criteria/size_digits.h"

#include <gtest/gtest.h>

namespace findlark {
namespace {

TEST(SizeBoxKeys, DigitsAreTakenUpToTheMaximum) {
    EXPECT_TRUE(SizeBoxAcceptsChar(L"0", L'5'));  // "05" reads as 5
    EXPECT_TRUE(SizeBoxAcceptsChar(L"214748364", L'7'));
    EXPECT_FALSE(SizeBoxAcceptsChar(L"214748364", L'8'));
    for (wchar_t digit = L'0'; digit <= L'9'; ++digit) EXPECT_FALSE(SizeBoxAcceptsChar(L"2147483647", digit));
    EXPECT_TRUE(SizeBoxAcceptsChar(L"", L'9'));
    EXPECT_TRUE(SizeBoxAcceptsChar(L"000000000000001", L'2'));
}

TEST(SizeBoxKeys, BackspaceAlwaysOtherCharactersNever) {
    EXPECT_TRUE(SizeBoxAcceptsChar(L"", L'\b'));
    EXPECT_TRUE(SizeBoxAcceptsChar(L"2147483647", L'\b'));
    for (const wchar_t c : {L'a', L'-', L' ', L'+', L'.', L',', L'\r', L'\x660' /* Arabic-Indic zero */})
        EXPECT_FALSE(SizeBoxAcceptsChar(L"12", c)) << static_cast<int>(c);
    // Pasted text that is no number takes no further digit.
    EXPECT_FALSE(SizeBoxAcceptsChar(L"1a", L'1'));
}

TEST(SizeBoxSpinner, LeavesDigitsOnlyWithinRange) {
    EXPECT_EQ(SpinSizeText(L"5", 1), L"6");
    EXPECT_EQ(SpinSizeText(L"5", -1), L"4");
    EXPECT_EQ(SpinSizeText(L"0", -1), L"0");
    EXPECT_EQ(SpinSizeText(L"", 1), L"1");
    EXPECT_EQ(SpinSizeText(L"2147483647", 1), L"2147483647");
    EXPECT_EQ(SpinSizeText(L"1x2y", 1), L"13");
    EXPECT_EQ(SpinSizeText(L"ab12cd", -1), L"11");
    EXPECT_EQ(SpinSizeText(L"99999999999999", -1), L"2147483646");
    EXPECT_EQ(DigitsOnly(L"1,2 3"), L"123");
}

}  // namespace
}  // namespace findlark
