#include "model/mask_list.h"

namespace findlark {
namespace {

std::wstring_view Trimmed(std::wstring_view text) {
    const std::size_t first = text.find_first_not_of(L" \t");
    if (first == std::wstring_view::npos) return {};
    return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

}  // namespace

std::vector<std::wstring> SplitList(std::wstring_view text) {
    std::vector<std::wstring> entries;
    for (std::size_t from = 0; from <= text.size();) {
        const std::size_t end = std::min(text.find(L';', from), text.size());
        const std::wstring_view entry = Trimmed(text.substr(from, end - from));
        if (!entry.empty()) entries.emplace_back(entry);
        from = end + 1;
    }
    return entries;
}

std::vector<MaskText> SplitMasks(std::wstring_view text) {
    std::vector<MaskText> masks;
    bool anyInclude = false;
    for (const std::wstring& entry : SplitList(text)) {
        const bool exclude = entry.front() == L'-';
        const std::wstring_view mask = exclude ? Trimmed(std::wstring_view(entry).substr(1)) : std::wstring_view(entry);
        if (mask.empty()) continue;
        masks.push_back({std::wstring(mask), exclude});
        anyInclude = anyInclude || !exclude;
    }
    if (!anyInclude) masks.insert(masks.begin(), MaskText{L"*", false});
    return masks;
}

bool IsSingleMask(const std::vector<MaskText>& masks) { return masks.size() == 1 && !masks.front().exclude; }

}  // namespace findlark
