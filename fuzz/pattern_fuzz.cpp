// Plain enumeration patterns against a reference that tries every split of the name at each "*",
// on short names so that it stays quick. Patterns that are not plain must be refused, never matched.
#include "fuzz_targets.h"

#include "search/plain_pattern.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

wchar_t Capital(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - 32) : c; }

bool Plain(const std::wstring& pattern) {
    if (pattern.empty() || pattern.back() == L'.' || pattern.back() == L' ') return false;
    if (pattern.find_first_of(L"?<>\"\\/:") != std::wstring::npos) return false;
    if (pattern.find(L".*") != std::wstring::npos) return false;
    return pattern.find_first_not_of(L'*') != std::wstring::npos;
}

bool RefMatch(const std::wstring& pattern, std::size_t p, const std::wstring& name, std::size_t n) {
    if (p == pattern.size()) return n == name.size();
    if (pattern[p] == L'*') {
        for (std::size_t skip = n; skip <= name.size(); ++skip)
            if (RefMatch(pattern, p + 1, name, skip)) return true;
        return false;
    }
    return n < name.size() && Capital(pattern[p]) == Capital(name[n]) && RefMatch(pattern, p + 1, name, n + 1);
}

std::wstring Text(const std::uint8_t* data, std::size_t size) {
    // A small alphabet, so that matches are frequent.
    static const wchar_t kAlphabet[] = L"*.aAbB?x \u00e9";
    std::wstring text;
    for (std::size_t i = 0; i < size; ++i) text.push_back(kAlphabet[data[i] % (sizeof(kAlphabet) / sizeof(wchar_t) - 1)]);
    return text;
}

}  // namespace

int FuzzPattern(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::size_t split = std::min<std::size_t>(size - 1, data[0] % 16);
    const std::wstring pattern = Text(data + 1, split);
    const std::wstring name = Text(data + 1 + split, std::min<std::size_t>(size - 1 - split, 16));
    const std::optional<findlark::PlainPattern> parsed = findlark::PlainPattern::parse(pattern, &Capital);
    if (parsed.has_value() != Plain(pattern)) std::abort();
    if (parsed && parsed->matches(name, {}) != RefMatch(pattern, 0, name, 0)) std::abort();
    return 0;
}
