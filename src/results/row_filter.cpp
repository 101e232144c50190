#include "results/row_filter.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <system_error>
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

// The rows of [begin, end) that pass.
std::vector<std::int32_t> FilteredPart(const RowsSnapshot& rows, const RowFilter& filter, std::size_t begin,
                                       std::size_t end, const std::function<bool()>& cancelled) {
    std::vector<std::int32_t> shown;
    // Each folder's words are looked for once; rows of one folder mostly come together.
    std::vector<std::uint64_t> folderWords(rows.folderCount());
    std::vector<bool> folderDone(rows.folderCount());
    for (std::size_t position = begin; position < end; ++position) {
        if ((position - begin) % 65536 == 0 && cancelled && cancelled()) return {};
        const std::uint32_t folder = rows.folderIndex(position);
        const ResultEntry entry = rows.entry(position);
        if (!folderDone[folder]) {
            folderWords[folder] = filter.wordsIn(*entry.folder);
            folderDone[folder] = true;
        }
        if (filter.passes(entry.name, folderWords[folder], *entry.folder)) shown.push_back(entry.data);
    }
    return shown;
}

}  // namespace

std::vector<std::int32_t> FilteredOrder(const RowsSnapshot& rows, const RowFilter& filter,
                                        const std::function<bool()>& cancelled) {
    // A long list is shared among the cores, each part kept in its order.
    constexpr std::size_t kLeastPart = 100000;
    const std::size_t parts = std::clamp<std::size_t>(std::min<std::size_t>(std::thread::hardware_concurrency(), 8), 1,
                                                      std::max<std::size_t>(rows.size() / kLeastPart, 1));
    std::vector<std::vector<std::int32_t>> shown(parts);
    std::atomic<bool> failed{false};
    const auto work = [&](std::size_t part) {
        try {
            shown[part] = FilteredPart(rows, filter, rows.size() * part / parts, rows.size() * (part + 1) / parts, cancelled);
        } catch (...) {
            failed = true;  // out of memory: the caller gets nothing, as when cancelled
        }
    };
    std::vector<std::thread> helpers;
    for (std::size_t part = 1; part < parts; ++part) {
        try {
            helpers.emplace_back(work, part);
        } catch (const std::system_error&) {
            work(part);  // no thread: this one does it
        }
    }
    work(0);
    for (std::thread& helper : helpers) helper.join();
    if (failed || (cancelled && cancelled())) return {};
    std::vector<std::int32_t> joined;
    std::size_t total = 0;
    for (const auto& part : shown) total += part.size();
    joined.reserve(total);
    for (const auto& part : shown) joined.insert(joined.end(), part.begin(), part.end());
    return joined;
}

}  // namespace findlark
