#pragma once
// The columns the results list can show: their captions, the texts of the columns that come from the
// name and the attributes, and the stored choice of columns.
#include "results/sort_order.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace findlark {

// By column number (`SortColumn`), in the order of the header's menu.
inline constexpr const wchar_t* kColumnCaptions[kColumnCount] = {
    L"Name", L"In Folder", L"Size", L"Date Modified", L"Type", L"Extension", L"Date Created", L"Date Accessed", L"Attributes",
};

// The columns shown, in their order, from their stored numbers ("0,1,2,3"): numbers out of range or
// repeated are left out, and "Name" is always among them.
std::vector<int> ParseShownColumns(std::wstring_view text);
std::wstring ShownColumnsText(const std::vector<int>& columns);

// What follows the name's last dot; nothing for a folder or a name without one.
std::wstring_view ExtensionOf(std::wstring_view name, bool folder);
// The attributes as letters, as Explorer shows them: R H S D A T C E O, those that are set.
std::wstring AttributeLetters(std::uint32_t attributes);

}  // namespace findlark
