#pragma once
// The name box's text as several masks: separated by ";", blanks around each ignored, a leading "-"
// leaving out what the mask matches. A text without ";" and "-" is one mask, as it always was.
#include <string>
#include <string_view>
#include <vector>

namespace findlark {

struct MaskText {
    std::wstring mask;
    bool exclude = false;
};

// The entries of a ";"-separated list, blanks around each taken off, empty ones dropped.
std::vector<std::wstring> SplitList(std::wstring_view text);

// The masks of the text in their order, empty ones dropped. Only "-" masks: everything but those.
std::vector<MaskText> SplitMasks(std::wstring_view text);

// Whether the text is a single mask to include (the platform's enumeration serves it as it is).
bool IsSingleMask(const std::vector<MaskText>& masks);

}  // namespace findlark
