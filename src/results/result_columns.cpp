#include "results/result_columns.h"

#include "model/attributes.h"

#include <algorithm>

namespace findlark {

std::vector<int> ParseShownColumns(std::wstring_view text) {
    std::vector<int> columns;
    std::size_t at = 0;
    while (at <= text.size()) {
        const std::size_t comma = std::min(text.find(L',', at), text.size());
        const std::wstring_view number = text.substr(at, comma - at);
        if (number.size() == 1 && number[0] >= L'0' && number[0] < L'0' + kColumnCount) {
            const int column = number[0] - L'0';
            if (std::find(columns.begin(), columns.end(), column) == columns.end()) columns.push_back(column);
        }
        at = comma + 1;
    }
    if (std::find(columns.begin(), columns.end(), SortByName) == columns.end()) columns.insert(columns.begin(), SortByName);
    return columns;
}

std::wstring ShownColumnsText(const std::vector<int>& columns) {
    std::wstring text;
    for (const int column : columns) {
        if (!text.empty()) text += L',';
        text += std::to_wstring(column);
    }
    return text;
}

std::wstring_view ExtensionOf(std::wstring_view name, bool folder) {
    const std::size_t dot = name.rfind(L'.');
    if (folder || dot == std::wstring_view::npos) return {};
    return name.substr(dot + 1);
}

std::wstring AttributeLetters(std::uint32_t attributes) {
    static constexpr struct {
        std::uint32_t bit;
        wchar_t letter;
    } kLetters[] = {{kAttributeReadOnly, L'R'},   {kAttributeHidden, L'H'},     {kAttributeSystem, L'S'},
                    {kAttributeDirectory, L'D'},  {kAttributeArchive, L'A'},    {kAttributeTemporary, L'T'},
                    {kAttributeCompressed, L'C'}, {kAttributeEncrypted, L'E'},  {kAttributeOffline, L'O'}};
    std::wstring letters;
    for (const auto& [bit, letter] : kLetters) {
        if (attributes & bit) letters += letter;
    }
    return letters;
}

}  // namespace findlark
