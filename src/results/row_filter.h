#pragma once
// The filter box's rule: a row is shown when every word of the typed text occurs in its name or in
// its folder, capitals and small letters alike in every script.
#include "results/result_rows.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace findlark {

class RowFilter {
public:
    // `capitals` maps every UTF-16 unit to the capital it is compared by (65,536 entries); without
    // it only a-z are folded.
    RowFilter(std::wstring_view text, const char16_t* capitals);
    // No words: every row passes.
    bool empty() const { return words_.empty(); }
    bool passes(std::wstring_view name, std::wstring_view folder) const;
    // Every row this filter lets through passes `older` too (each of its words lies within one of
    // these): typing on needs to look only at the rows listed.
    bool narrows(const RowFilter& older) const;
    // One bit for each of the first 64 words that occurs in `text`; a folder's bits are worked out
    // once for all its rows.
    std::uint64_t wordsIn(std::wstring_view text) const;
    bool passes(std::wstring_view name, std::uint64_t folderWords, std::wstring_view folder) const;

private:
    char16_t fold(wchar_t c) const {
        const auto unit = static_cast<char16_t>(c);
        if (capitals_) return capitals_[unit];
        return unit >= u'a' && unit <= u'z' ? static_cast<char16_t>(unit - u'a' + u'A') : unit;
    }
    std::u16string folded(std::wstring_view text) const;
    // Whether `word` (folded) occurs in `text`.
    bool holds(std::wstring_view text, const std::u16string& word) const;

    const char16_t* capitals_;
    std::vector<std::u16string> words_;  // folded, each once
    std::uint64_t allWords_ = 0;         // the bits of the first 64
};

// The snapshot's rows that pass, in the snapshot's order (data values), a long list shared among the
// cores. `cancelled` is asked now and then (from several threads); when it says yes the filter ends
// early with nothing.
std::vector<std::int32_t> FilteredOrder(const RowsSnapshot& rows, const RowFilter& filter,
                                        const std::function<bool()>& cancelled = {});

}  // namespace findlark
