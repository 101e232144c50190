#include "results/sort_order.h"

#include "model/ascii_case.h"
#include "results/result_columns.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace findlark {
namespace {

int CompareNumbers(std::int64_t a, std::int64_t b) { return a < b ? -1 : a > b ? 1 : 0; }

// Ascending and descending treat nearly equal times differently, as the list always has.
int CompareTimes(DateTime a, DateTime b, bool ascending) {
    const double difference = std::fabs(a - b);
    const bool equal = ascending ? difference <= std::max(1e-12, 1e-12 * std::min(std::fabs(a), std::fabs(b)))
                                 : difference < 1.0 / kMillisecondsPerDay;
    return equal ? 0 : a < b ? -1 : 1;
}

// The first four code units, folded, in the order CompareText gives them; shorter texts end in
// zeros, which no name or folder holds.
std::uint64_t TextPrefix(std::wstring_view text) {
    std::uint64_t prefix = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        const auto unit = i < text.size() ? static_cast<std::uint16_t>(AsciiUpper(text[i])) : std::uint16_t{0};
        prefix = prefix << 16 | unit;
    }
    return prefix;
}

struct Cancelled {};

// One row's sort key. Texts keep their first four folded code units in `major`, so most comparisons
// end there; sizes and times keep their value in it.
struct SortKey {
    std::uint64_t major = 0;
    const wchar_t* text = nullptr;  // the whole name or folder, for a tie of `major`
    std::uint32_t length = 0;
    std::int32_t data = 0;
};

// Up to nine letters, seven bits each, the first one highest: compared as numbers, they go in the
// order of their texts.
std::uint64_t PackedLetters(std::wstring_view letters) {
    std::uint64_t packed = 0;
    for (std::size_t i = 0; i < 9; ++i) packed = packed << 7 | (i < letters.size() ? (letters[i] & 0x7F) : 0);
    return packed;
}

void SetText(SortKey& key, std::wstring_view text) {
    key.major = TextPrefix(text);
    key.text = text.data();
    key.length = static_cast<std::uint32_t>(text.size());
}

SortKey KeyOf(const ResultEntry& entry, int column, std::uint64_t folderPrefix, const TypeNames& typeNames) {
    SortKey key;
    key.data = entry.data;
    switch (column) {
    case SortByType:
        SetText(key, typeNames ? typeNames(entry) : ExtensionOf(entry.name, entry.isFolder()));
        break;
    case SortByExtension:
        SetText(key, ExtensionOf(entry.name, entry.isFolder()));
        break;
    case SortByCreated:
        key.major = entry.times.created;
        break;
    case SortByAccessed:
        key.major = entry.times.accessed;
        break;
    case SortByAttributes:
        key.major = PackedLetters(AttributeLetters(entry.attributes));
        break;
    case SortByFolder:
        key.major = folderPrefix;
        key.text = entry.folder->data();
        key.length = static_cast<std::uint32_t>(entry.folder->size());
        break;
    case SortBySize:
        key.major = static_cast<std::uint64_t>(entry.size) ^ (std::uint64_t{1} << 63);
        break;
    case SortByDate:
        key.major = std::bit_cast<std::uint64_t>(entry.modified);
        break;
    default:
        SetText(key, entry.name);
        break;
    }
    return key;
}

// Descending compares the rows the other way round.
int CompareKeys(const SortKey& a, const SortKey& b, int column, bool up) {
    const SortKey& first = up ? a : b;
    const SortKey& second = up ? b : a;
    if (column == SortByDate) return CompareTimes(std::bit_cast<DateTime>(first.major), std::bit_cast<DateTime>(second.major), up);
    if (first.major != second.major) return first.major < second.major ? -1 : 1;
    if (first.text == second.text) return 0;  // the same folder's rows share its text
    return CompareText({first.text, first.length}, {second.text, second.length});
}

}  // namespace

int CompareText(std::wstring_view a, std::wstring_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto x = static_cast<std::uint16_t>(AsciiUpper(a[i])), y = static_cast<std::uint16_t>(AsciiUpper(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return CompareNumbers(static_cast<std::int64_t>(a.size()), static_cast<std::int64_t>(b.size()));
}

void SortState::columnClick(int column) {
    column_ = column;
    const bool flag = ascending_[static_cast<std::size_t>(column)];
    ascending_.fill(false);
    ascending_[static_cast<std::size_t>(column)] = !flag;
}

namespace {

std::vector<SortKey> MakeSortKeys(const RowsSnapshot& rows, int column, const TypeNames& typeNames) {
    std::vector<SortKey> keys(rows.size());
    const std::wstring* lastFolder = nullptr;  // rows of a folder mostly lie together
    std::uint64_t folderPrefix = 0;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const ResultEntry entry = rows.entry(i);
        if (column == SortByFolder && entry.folder != lastFolder) {
            lastFolder = entry.folder;
            folderPrefix = TextPrefix(*entry.folder);
        }
        keys[i] = KeyOf(entry, column, folderPrefix, typeNames);
    }
    return keys;
}

bool SortKeys(std::vector<SortKey>& keys, const SortState& state, const std::function<bool()>& cancelled) {
    const int column = state.column();
    const bool up = state.ascending(column);
    std::uint32_t untilCheck = 0;
    const auto before = [&](const SortKey& a, const SortKey& b) {
        if (cancelled && ++untilCheck % 65536 == 0 && cancelled()) throw Cancelled{};
        return CompareKeys(a, b, column, up) < 0;
    };
    try {
        std::stable_sort(keys.begin(), keys.end(), before);
    } catch (const Cancelled&) {
        return false;
    }
    return true;
}

}  // namespace

std::vector<std::int32_t> SortedOrder(const RowsSnapshot& rows, const SortState& state,
                                      const std::function<bool()>& cancelled) {
    std::vector<SortKey> keys = MakeSortKeys(rows, state.column(), state.typeNames());
    if (!SortKeys(keys, state, cancelled)) return {};
    std::vector<std::int32_t> order(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) order[i] = keys[i].data;
    return order;
}

int SortState::compare(const ResultEntry& a, const ResultEntry& b) const {
    const auto prefix = [&](const ResultEntry& entry) { return column_ == SortByFolder ? TextPrefix(*entry.folder) : 0; };
    return CompareKeys(KeyOf(a, column_, prefix(a), typeNames_), KeyOf(b, column_, prefix(b), typeNames_), column_,
                       ascending(column_));
}

void SortRows(ResultRows& rows, const SortState& state) {
    const std::vector<std::int32_t> sorted = SortedOrder(rows.snapshot(), state);
    std::copy(sorted.begin(), sorted.end(), rows.order().begin());
}

}  // namespace findlark
