#pragma once
// The filter box's rule: a row is shown when every word of the typed text occurs in its name or in
// its folder, capitals and small letters alike in every script.
#include "results/parts_pool.h"
#include "results/result_rows.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
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
    bool sameWords(const RowFilter& other) const { return words_ == other.words_; }

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

// Whether each row passed a filter, by data value; rows added after it was worked out lie past its end.
using PassedRows = std::vector<bool>;

// The snapshot's rows that pass, in the snapshot's order (data values), a long list shared among the
// pool's threads. `cancelled` is asked now and then (from several threads); when it says yes the filter ends
// early with nothing. Rows `known` holds are not tested again; `learnt`, when given, receives which
// rows passed (the rows of the snapshot's storage that are not listed in it are taken to fail).
std::vector<std::int32_t> FilteredOrder(const RowsSnapshot& rows, const RowFilter& filter, PartsPool& pool,
                                        const std::function<bool()>& cancelled = {}, const PassedRows& known = {},
                                        PassedRows* learnt = nullptr);

// The rows the texts typed lately let through, so that a key taken back finds its rows at once.
// Valid for the rows of one run: rows taken out never come back, rows added later are tested anew.
class FilterMemory {
public:
    std::shared_ptr<const PassedRows> find(const RowFilter& filter) const;
    void remember(std::shared_ptr<const RowFilter> filter, std::shared_ptr<const PassedRows> passed);
    void clear() { texts_.clear(); }

private:
    static constexpr std::size_t kTexts = 32;  // a long text typed and taken back a key at a time
    std::deque<std::pair<std::shared_ptr<const RowFilter>, std::shared_ptr<const PassedRows>>> texts_;
};

}  // namespace findlark
