#include "results/row_filter.h"

#include <algorithm>
#include <bit>
#include <thread>

namespace findlark {
namespace {

constexpr std::size_t kMaskWords = 64;

bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\u00A0' || c == L'\u3000'; }

}  // namespace

RowFilter::RowFilter(std::wstring_view text, const char16_t* capitals) : capitals_(capitals) {
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsSpace(text[i])) ++i;
        const std::size_t start = i;
        while (i < text.size() && !IsSpace(text[i])) ++i;
        if (i == start) continue;
        std::u16string word = folded(text.substr(start, i - start));
        if (std::find(words_.begin(), words_.end(), word) == words_.end()) words_.push_back(std::move(word));
    }
    const std::size_t masked = std::min(words_.size(), kMaskWords);
    allWords_ = masked == kMaskWords ? ~std::uint64_t{0} : (std::uint64_t{1} << masked) - 1;
}

std::u16string RowFilter::folded(std::wstring_view text) const {
    std::u16string out(text.size(), u'\0');
    std::transform(text.begin(), text.end(), out.begin(), [this](wchar_t c) { return fold(c); });
    return out;
}

bool RowFilter::holds(std::wstring_view text, const std::u16string& word) const {
    if (word.size() > text.size()) return false;
    const std::size_t last = text.size() - word.size();
    for (std::size_t at = 0; at <= last; ++at) {
        if (fold(text[at]) != word[0]) continue;
        std::size_t k = 1;
        while (k < word.size() && fold(text[at + k]) == word[k]) ++k;
        if (k == word.size()) return true;
    }
    return false;
}

bool RowFilter::narrows(const RowFilter& older) const {
    return std::all_of(older.words_.begin(), older.words_.end(), [&](const std::u16string& word) {
        return std::any_of(words_.begin(), words_.end(),
                           [&](const std::u16string& mine) { return mine.find(word) != std::u16string::npos; });
    });
}

std::uint64_t RowFilter::wordsIn(std::wstring_view text) const {
    std::uint64_t found = 0;
    for (std::size_t w = 0; w < std::min(words_.size(), kMaskWords); ++w) {
        if (holds(text, words_[w])) found |= std::uint64_t{1} << w;
    }
    return found;
}

bool RowFilter::passes(std::wstring_view name, std::uint64_t folderWords, std::wstring_view folder) const {
    if (words_.empty()) return true;
    // Only the words the folder lacks are looked for in the name, and no further than the first missing.
    for (std::uint64_t missing = allWords_ & ~folderWords; missing; missing &= missing - 1) {
        if (!holds(name, words_[static_cast<std::size_t>(std::countr_zero(missing))])) return false;
    }
    if (words_.size() <= kMaskWords) return true;
    // Words past the 64th are rare enough to be looked for one by one.
    return std::all_of(words_.begin() + kMaskWords, words_.end(),
                       [&](const std::u16string& word) { return holds(name, word) || holds(folder, word); });
}

bool RowFilter::passes(std::wstring_view name, std::wstring_view folder) const {
    return words_.empty() || passes(name, wordsIn(folder), folder);
}

namespace {

// Which rows pass, looking for each folder's words once.
class RowTest {
public:
    RowTest(const RowsSnapshot& rows, const RowFilter& filter)
        : rows_(rows), filter_(filter), folderWords_(rows.folderCount()), folderDone_(rows.folderCount()) {}
    bool passes(std::int32_t data) {
        const ResultEntry entry = rows_.entryOf(data);
        const std::uint32_t folder = rows_.folderIndexOf(data);
        if (!folderDone_[folder]) {
            folderWords_[folder] = filter_.wordsIn(*entry.folder);
            folderDone_[folder] = true;
        }
        return filter_.passes(entry.name, folderWords_[folder], *entry.folder);
    }

private:
    const RowsSnapshot& rows_;
    const RowFilter& filter_;
    std::vector<std::uint64_t> folderWords_;
    std::vector<bool> folderDone_;
};

constexpr std::size_t kCancelEvery = 65536;

}  // namespace

std::vector<std::int32_t> FilteredOrder(const RowsSnapshot& rows, const RowFilter& filter,
                                        PartsPool& pool, const std::function<bool()>& cancelled,
                                        const PassedRows& known, PassedRows* learnt) {
    const auto stop = [&](std::size_t done) { return done % kCancelEvery == 0 && cancelled && cancelled(); };
    const auto passes = [&](RowTest& test, std::int32_t data) {
        const auto index = static_cast<std::size_t>(data);
        return index < known.size() ? known[index] : test.passes(data);
    };
    // A long list is shared among the cores.
    constexpr std::size_t kLeastPart = 100000;
    const auto partsFor = [](std::size_t count) {
        return std::clamp<std::size_t>(std::min<std::size_t>(std::thread::hardware_concurrency(), 8), 1,
                                       std::max<std::size_t>(count / kLeastPart, 1));
    };
    std::vector<std::int32_t> joined;
    if (rows.size() * 2 >= rows.recordCount()) {
        // Most rows are wanted: those not known yet are tested in the order they are stored, memory
        // read straight on rather than at the list's order's whim, then the list's order picks
        // those that passed.
        const std::size_t first = std::min(known.size(), rows.recordCount());
        std::vector<std::uint8_t> passed(rows.recordCount() - first);
        const auto testShare = [&](std::size_t, std::size_t begin, std::size_t end) {
            RowTest rowTest(rows, filter);
            for (std::size_t i = begin; i < end; ++i) {
                if (stop(i - begin)) return;
                passed[i] = rowTest.passes(static_cast<std::int32_t>(first + i));
            }
        };
        const bool done = pool.run(passed.size(), partsFor(passed.size()), testShare);
        if (!done || (cancelled && cancelled())) return {};
        // Rows taken out lie among the records too, so this may be more than will be listed.
        const auto knownEnd = known.begin() + static_cast<std::ptrdiff_t>(first);
        const auto passing = std::count(known.begin(), knownEnd, true) + std::count(passed.begin(), passed.end(), 1);
        joined.reserve(std::min(rows.size(), static_cast<std::size_t>(passing)));
        for (const std::int32_t data : rows.order()) {
            const auto index = static_cast<std::size_t>(data);
            if (index < first ? known[index] : passed[index - first] != 0) joined.push_back(data);
        }
        if (learnt && !passed.empty()) {
            learnt->assign(known.begin(), knownEnd);
            learnt->insert(learnt->end(), passed.begin(), passed.end());
        }
        return joined;
    }
    // A few rows: each part of the list in its order.
    const std::size_t parts = partsFor(rows.size());
    std::vector<std::vector<std::int32_t>> shown(parts);
    const bool done = pool.run(rows.size(), parts, [&](std::size_t part, std::size_t begin, std::size_t end) {
        RowTest test(rows, filter);
        for (std::size_t position = begin; position < end; ++position) {
            if (stop(position - begin)) return;
            if (passes(test, rows.dataAt(position))) shown[part].push_back(rows.dataAt(position));
        }
    });
    if (!done || (cancelled && cancelled())) return {};
    std::size_t total = 0;
    for (const auto& part : shown) total += part.size();
    joined.reserve(total);
    for (const auto& part : shown) joined.insert(joined.end(), part.begin(), part.end());
    if (learnt && known.size() < rows.recordCount()) {
        learnt->assign(rows.recordCount(), false);
        for (const std::int32_t data : joined) (*learnt)[static_cast<std::size_t>(data)] = true;
    }
    return joined;
}

std::shared_ptr<const PassedRows> FilterMemory::find(const RowFilter& filter) const {
    const auto known = std::find_if(texts_.begin(), texts_.end(), [&](const auto& text) { return text.first->sameWords(filter); });
    return known == texts_.end() ? nullptr : known->second;
}

void FilterMemory::remember(std::shared_ptr<const RowFilter> filter, std::shared_ptr<const PassedRows> passed) {
    std::erase_if(texts_, [&](const auto& text) { return text.first->sameWords(*filter); });
    texts_.emplace_front(std::move(filter), std::move(passed));
    if (texts_.size() > kTexts) texts_.pop_back();
}

}  // namespace findlark
