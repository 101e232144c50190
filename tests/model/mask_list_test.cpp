#include "model/mask_list.h"

#include <gtest/gtest.h>

namespace findlark {
namespace {

std::wstring Shown(const std::vector<MaskText>& masks) {
    std::wstring text;
    for (const MaskText& each : masks) text += (each.exclude ? L"-" : L"+") + each.mask + L"|";
    return text;
}

TEST(MaskList, SemicolonsSeparateMasksAndADashLeavesOut) {
    const struct {
        const wchar_t* text;
        const wchar_t* masks;
    } cases[] = {
        {L"*.txt", L"+*.txt|"},
        {L"", L"+*|"},
        {L"*.cpp;*.h;README*", L"+*.cpp|+*.h|+README*|"},
        {L" *.cpp ; ;\t-*_test.cpp ", L"+*.cpp|-*_test.cpp|"},
        {L"- *.bak;-~*", L"+*|-*.bak|-~*|"},  // only masks to leave out: everything but those
        {L"a b.txt", L"+a b.txt|"},            // blanks inside a mask are its own
        {L"-", L"+*|"},
    };
    for (const auto& each : cases) EXPECT_EQ(Shown(SplitMasks(each.text)), each.masks) << each.text;
    EXPECT_TRUE(IsSingleMask(SplitMasks(L" *.txt ")));
    EXPECT_FALSE(IsSingleMask(SplitMasks(L"-*.txt")));
}

}  // namespace
}  // namespace findlark
