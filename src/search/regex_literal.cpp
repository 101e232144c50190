#include "search/regex_literal.h"

namespace findlark {
namespace {

bool IsAsciiAlnum(char16_t c) { return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

// Where a bracketed class that opens at `at` ends (after its "]").
std::size_t ClassEnd(std::u16string_view p, std::size_t at) {
    std::size_t i = at + 1;
    if (i < p.size() && p[i] == u'^') ++i;
    if (i < p.size() && p[i] == u']') ++i;  // a "]" first is a member
    while (i < p.size() && p[i] != u']') {
        if (p[i] == u'\\') {
            i += 2;
        } else if (p[i] == u'[' && i + 1 < p.size() && (p[i + 1] == u':' || p[i + 1] == u'.' || p[i + 1] == u'=')) {
            const std::size_t close = p.find(std::u16string{p[i + 1], u']'}, i + 2);  // "[:alpha:]"
            i = close == std::u16string_view::npos ? p.size() : close + 2;
        } else {
            ++i;
        }
    }
    return i + 1;
}

// After "{2}", "{2,}" or "{2,5}" that opens at `at`; just after the brace when it opens none of them
// (Perl then takes it as it is).
std::size_t QuantifierEnd(std::u16string_view p, std::size_t at) {
    std::size_t i = at + 1;
    const auto digits = [&] {
        const std::size_t from = i;
        while (i < p.size() && p[i] >= u'0' && p[i] <= u'9') ++i;
        return i > from;
    };
    if (!digits()) return at + 1;
    if (i < p.size() && p[i] == u',') {
        ++i;
        digits();
    }
    return i < p.size() && p[i] == u'}' ? i + 1 : at + 1;
}

}  // namespace

// Only characters outside groups count (a group may be optional or hold alternatives); a quantifier
// that allows none of the character before it takes that character off the run.
std::u16string RequiredLiteral(std::u16string_view p) {
    std::u16string best, run;
    bool lastLiteral = false;
    int depth = 0;
    const auto close = [&] {
        if (run.size() > best.size()) best = run;
        run.clear();
        lastLiteral = false;
    };
    const auto literal = [&](char16_t c) {
        if (depth > 0) return;
        run.push_back(c);
        lastLiteral = true;
    };
    for (std::size_t i = 0; i < p.size();) {
        const char16_t c = p[i];
        if (c == u'\\') {
            const char16_t next = i + 1 < p.size() ? p[i + 1] : u'\0';
            if (next == u'Q' || next == u'E') return {};
            // "\<", "\>", "\`" and "\'" are word and text bounds; other escaped marks are themselves.
            const bool bound = next == u'<' || next == u'>' || next == u'`' || next == u'\'';
            if (next != u'\0' && next < 0x80 && !IsAsciiAlnum(next) && next != u' ' && !bound) {
                literal(next);
            } else {
                close();
                // "\x{41}", "\p{L}", "\k{name}": the braces belong to the escape.
                if (i + 2 < p.size() && p[i + 2] == u'{') {
                    const std::size_t end = p.find(u'}', i + 2);
                    i = end == std::u16string_view::npos ? p.size() : end + 1;
                    continue;
                }
            }
            i += 2;
        } else if (c == u'[') {
            close();
            i = ClassEnd(p, i);
        } else if (c == u'(') {
            // Options set inside the expression ("(?i)") change what the rest matches.
            if (i + 2 < p.size() && p[i + 1] == u'?' && (IsAsciiAlnum(p[i + 2]) || p[i + 2] == u'-' || p[i + 2] == u'^'))
                return {};
            close();
            ++depth;
            ++i;
        } else if (c == u')') {
            close();
            if (depth > 0) --depth;
            ++i;
        } else if (c == u'|') {
            if (depth == 0) return {};
            ++i;
        } else if (depth > 0) {
            ++i;
        } else if (c == u'*' || c == u'?' || c == u'{') {
            if (lastLiteral) run.pop_back();
            close();
            i = c == u'{' ? QuantifierEnd(p, i) : i + 1;
        } else if (c == u'+' || c == u'.' || c == u'^' || c == u'$' || c >= 0x80) {
            close();
            ++i;
        } else {
            literal(c);
            ++i;
        }
    }
    close();
    return best;
}

}  // namespace findlark
