#include "model/mask_list.h"

namespace findlark {
namespace {

std::wstring_view Trimmed(std::wstring_view text) {
    const std::size_t first = text.find_first_not_of(L" \t");
    if (first == std::wstring_view::npos) return {};
    return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

}  // namespace

std::vector<MaskText> SplitMasks(std::wstring_view text) {
    std::vector<MaskText> masks;
    bool anyInclude = false;
    for (std::size_t from = 0; from <= text.size();) {
        const std::size_t end = std::min(text.find(L';', from), text.size());
        std::wstring_view mask = Trimmed(text.substr(from, end - from));
        const bool exclude = !mask.empty() && mask.front() == L'-';
        if (exclude) mask = Trimmed(mask.substr(1));
        if (!mask.empty()) {
            masks.push_back({std::wstring(mask), exclude});
            anyInclude = anyInclude || !exclude;
        }
        from = end + 1;
    }
    if (!anyInclude) masks.insert(masks.begin(), MaskText{L"*", false});
    return masks;
}

bool IsSingleMask(const std::vector<MaskText>& masks) { return masks.size() == 1 && !masks.front().exclude; }

}  // namespace findlark
