#pragma once
// The tips of the day, in their order.
#include <array>
#include <cstddef>

namespace findlark {

inline constexpr std::array<const wchar_t*, 7> kTips = {
    L"You can easily start and stop searching by pressing Enter and Escape buttons.",
    L"To look only in specified folders define them in \"Additional folders\".",
    L"You can easily start searching for the information in the Internet by just clicking the picture of your "
    L"favourite search engine.",
    L"Click Help -> Findlark Help -> Contents in the main menu to learn more about Findlark and how to use it.",
    L"You can find a file based on when you last worked on. To use this option define one of 3 dates: modified, "
    L"created or accessed.",
    L"You can search for files containing specific text. Use boolean expressions for advanced search.",
    L"You can export search results to text file. Click Actions -> Export results in main menu and choose a filename "
    L"to save a list of found files in.",
};

// The tip after `index`, from the last back to the first.
constexpr std::size_t NextTip(std::size_t index) { return (index + 1) % kTips.size(); }

}  // namespace findlark
