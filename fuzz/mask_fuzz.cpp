// Mask compiling and matching against a reference that follows the backtracking description word
// for word (a stack of resume points, one per "*"), on short names so that it stays quick. A mask text
// with ";" is several masks, "-" ones leaving out what they match, as the case-sensitive name test
// takes them.
#include "fuzz_targets.h"

#include "search/entry_filters.h"
#include "search/mask_matcher.h"

#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

namespace {

using findlark::CompiledMask;
using findlark::EMaskException;

std::wstring Utf16(const std::uint8_t* data, std::size_t size) {
    std::wstring text;
    for (std::size_t i = 0; i + 1 < size; i += 2) text.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
    return text;
}

// Characters as code points, a surrogate pair as one.
std::vector<char32_t> Chars(const std::wstring& text) {
    std::vector<char32_t> chars;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            chars.push_back(0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else {
            chars.push_back(c);
        }
    }
    return chars;
}

struct RefState {
    enum Kind { Literal, Any, Set, End };
    explicit RefState(Kind k, char32_t c = 0) : kind(k), literal(c) {}
    Kind kind;
    bool skipTo = false;
    bool negate = false;
    char32_t literal;
    std::vector<std::pair<char32_t, char32_t>> ranges;
};

char32_t Fold(char32_t c, bool caseSensitive) { return !caseSensitive && c >= U'a' && c <= U'z' ? c - 32 : c; }

// Compiles as the description says; false for an invalid mask.
bool RefCompile(const std::vector<char32_t>& mask, bool cs, std::vector<RefState>& states) {
    bool skipTo = false;
    int cards = 0;
    std::size_t p = 0;
    auto write = [&](RefState s) {
        if (skipTo && ++cards > CompiledMask::kMaxSkips) return false;
        s.skipTo = skipTo;
        skipTo = false;
        states.push_back(std::move(s));
        return true;
    };
    while (p < mask.size()) {
        const char32_t c = mask[p];
        if (c == U'*') {
            skipTo = true;
        } else if (c == U'?') {
            if (!skipTo && !write(RefState(RefState::Any))) return false;
        } else if (c == U'[') {
            RefState set(RefState::Set);
            ++p;
            if (p < mask.size() && mask[p] == U'!') {
                set.negate = true;
                ++p;
            }
            bool haveLast = false;
            char32_t last = 0;
            while (p < mask.size() && mask[p] != U']') {
                if (mask[p] == U'-') {
                    if (!haveLast) return false;
                    ++p;
                    if (p >= mask.size()) return false;
                    const char32_t upTo = Fold(mask[p], cs);
                    if (upTo >= last) set.ranges.push_back({last, upTo});
                } else {
                    last = Fold(mask[p], cs);
                    haveLast = true;
                    set.ranges.push_back({last, last});
                }
                ++p;
            }
            if (p >= mask.size() || set.ranges.empty()) return false;
            if (!write(std::move(set))) return false;
        } else {
            if (!write(RefState(RefState::Literal, Fold(c, cs)))) return false;
        }
        ++p;
    }
    return write(RefState(RefState::End));
}

bool Accepts(const RefState& s, char32_t c, bool cs) {
    c = Fold(c, cs);
    if (s.kind == RefState::Literal) return c == s.literal;
    if (s.kind == RefState::Any) return true;
    bool in = false;
    for (const auto& [lo, hi] : s.ranges) in = in || (c >= lo && c <= hi);
    return in != s.negate;
}

bool RefTry(const std::vector<RefState>& states, const std::vector<char32_t>& name, std::size_t p, std::size_t start,
            std::vector<std::pair<std::size_t, std::size_t>>& stack, bool cs) {
    for (std::size_t i = start; i < states.size(); ++i) {
        const RefState& s = states[i];
        if (s.skipTo) {
            if (s.kind != RefState::End) {
                while (p < name.size() && !Accepts(s, name[p], cs)) ++p;
            } else {
                p = name.size();
            }
            if (p < name.size()) stack.push_back({p + 1, i});
        }
        if (s.kind == RefState::End) return p == name.size();
        if (p >= name.size() || !Accepts(s, name[p], cs)) return false;
        ++p;
    }
    return true;
}

bool RefMatch(const std::vector<RefState>& states, const std::vector<char32_t>& name, bool cs) {
    std::vector<std::pair<std::size_t, std::size_t>> stack;
    std::size_t p = 0, i = 0;
    for (;;) {
        if (RefTry(states, name, p, i, stack, cs)) return true;
        if (stack.empty()) return false;
        std::tie(p, i) = stack.back();
        stack.pop_back();
        if (stack.size() > static_cast<std::size_t>(CompiledMask::kMaxSkips)) std::abort();
    }
}

std::wstring Trimmed(const std::wstring& text) {
    const std::size_t first = text.find_first_not_of(L" \t");
    return first == std::wstring::npos ? std::wstring() : text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

// Included by one of the masks (by all when every mask leaves out) and left out by none.
void CheckSeveralMasks(const std::wstring& text, const std::wstring& name) {
    std::vector<std::vector<RefState>> includes, excludes;
    bool valid = true;
    for (std::size_t from = 0; from <= text.size();) {
        const std::size_t end = std::min(text.find(L';', from), text.size());
        std::wstring mask = Trimmed(text.substr(from, end - from));
        from = end + 1;
        const bool exclude = !mask.empty() && mask.front() == L'-';
        if (exclude) mask = Trimmed(mask.substr(1));
        if (mask.empty()) continue;
        std::vector<RefState> states;
        valid = valid && RefCompile(Chars(mask), true, states);
        (exclude ? excludes : includes).push_back(std::move(states));
    }
    findlark::SearchCriteria criteria;
    criteria.AllOrPartOfTheFileName = true;
    criteria.CaseSensitive = true;
    criteria.Mask = text;
    try {
        const findlark::EntryFilters filters(criteria, {}, [](std::uint64_t) { return std::int64_t{0}; });
        if (!valid) std::abort();
        bool expected = includes.empty();
        for (const auto& states : includes) expected = expected || RefMatch(states, Chars(name), true);
        for (const auto& states : excludes) expected = expected && !RefMatch(states, Chars(name), true);
        if (filters.MatchName({name}) != expected) std::abort();
    } catch (const EMaskException&) {
        if (valid) std::abort();
    }
}

}  // namespace

int FuzzMask(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const bool caseSensitive = data[0] & 1;
    const std::size_t split = std::min<std::size_t>(size - 1, static_cast<std::size_t>(data[0] >> 1) * 2);
    const std::wstring mask = Utf16(data + 1, split);
    const std::wstring name = Utf16(data + 1 + split, std::min<std::size_t>(size - 1 - split, 24));
    if (caseSensitive && mask.find(L';') != std::wstring::npos) {
        CheckSeveralMasks(mask, name);
        return 0;
    }
    std::vector<RefState> states;
    const bool valid = RefCompile(Chars(mask), caseSensitive, states);
    try {
        const CompiledMask compiled(mask, caseSensitive);
        if (!valid) std::abort();  // accepted what the reference rejects
        if (compiled.matches(name) != RefMatch(states, Chars(name), caseSensitive)) std::abort();
    } catch (const EMaskException& error) {
        if (valid) std::abort();
        if (error.message().find(L"' is an invalid mask at (") == std::wstring::npos) std::abort();
    }
    return 0;
}
