#include "search/mask_matcher.h"

#include "model/ascii_case.h"

namespace findlark {
namespace {

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The character at `at` and the code units it takes.
char32_t CharAt(std::wstring_view text, std::size_t at, std::size_t& units) {
    const wchar_t c = text[at];
    if (IsHighSurrogate(c) && at + 1 < text.size() && IsLowSurrogate(text[at + 1])) {
        units = 2;
        return 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (static_cast<char32_t>(text[at + 1]) - 0xDC00);
    }
    units = 1;
    return c;
}

[[noreturn]] void InvalidMask(std::wstring_view mask, std::size_t at) {
    throw EMaskException(L"'" + std::wstring(mask) + L"' is an invalid mask at (" + std::to_wstring(at + 1) + L")");
}

}  // namespace

char32_t CompiledMask::fold(char32_t c) const {
    return caseSensitive_ ? c : AsciiUpper(c);
}

CompiledMask::CompiledMask(std::wstring_view mask, bool caseSensitive) : caseSensitive_(caseSensitive) {
    bool skipTo = false;
    int skips = 0;
    std::size_t at = 0;
    const auto add = [&](State state) {
        if (skipTo && ++skips > kMaxSkips) InvalidMask(mask, at);
        state.skipTo = skipTo;
        skipTo = false;
        states_.push_back(state);
    };
    while (at < mask.size()) {
        std::size_t units = 1;
        const char32_t c = CharAt(mask, at, units);
        if (c == U'*') {
            skipTo = true;
        } else if (c == U'?') {
            if (!skipTo) add(State(Kind::Any));  // after "*" a "?" is dropped: "*?" acts as "*"
        } else if (c == U'[') {
            State set(Kind::Set);
            set.firstRange = static_cast<std::uint32_t>(ranges_.size());
            ++at;
            if (at < mask.size() && mask[at] == L'!') {
                set.negate = true;
                ++at;
            }
            bool haveLast = false;
            char32_t last = 0;
            while (at < mask.size() && mask[at] != L']') {
                std::size_t width = 1;
                const char32_t member = fold(CharAt(mask, at, width));
                if (member == U'-') {
                    if (!haveLast) InvalidMask(mask, at);
                    ++at;
                    if (at >= mask.size()) break;  // nothing after the "-": the set is not closed
                    const char32_t upTo = fold(CharAt(mask, at, width));
                    if (upTo >= last) ranges_.emplace_back(last, upTo);
                } else {
                    last = member;
                    haveLast = true;
                    ranges_.emplace_back(member, member);
                }
                at += width;
            }
            set.rangeCount = static_cast<std::uint32_t>(ranges_.size()) - set.firstRange;
            if (at >= mask.size() || set.rangeCount == 0) InvalidMask(mask, at);
            add(set);
        } else {
            State literal(Kind::Literal);
            literal.literal = fold(c);
            add(literal);
        }
        at += units;
    }
    add(State(Kind::End));
}

bool CompiledMask::accepts(const State& state, char32_t c) const {
    switch (state.kind) {
    case Kind::Literal:
        return fold(c) == state.literal;
    case Kind::Any:
        return true;
    case Kind::Set: {
        const char32_t folded = fold(c);
        bool member = false;
        for (std::uint32_t i = state.firstRange; i < state.firstRange + state.rangeCount && !member; ++i)
            member = folded >= ranges_[i].first && folded <= ranges_[i].second;
        return member != state.negate;
    }
    case Kind::End:
        return false;
    }
    return false;
}

// Every state but the end takes exactly one character, so the latest "*" is the only one worth
// going back to: this finds a match exactly when some way of skipping does, in linear steps.
bool CompiledMask::matches(std::wstring_view name) const {
    std::size_t state = 0, at = 0;
    std::size_t resumeState = states_.size(), resumeAt = 0;
    for (;;) {
        const State& s = states_[state];
        if (s.skipTo) {
            resumeState = state;
            resumeAt = at;
        }
        bool advanced = false;
        if (s.kind == Kind::End) {
            if (at == name.size()) return true;
        } else if (at < name.size()) {
            std::size_t units = 1;
            if (accepts(s, CharAt(name, at, units))) {
                at += units;
                ++state;
                advanced = true;
            }
        }
        if (advanced) continue;
        // Let the latest "*" take one more character and try again from there.
        if (resumeState == states_.size() || resumeAt >= name.size()) return false;
        std::size_t units = 1;
        CharAt(name, resumeAt, units);
        resumeAt += units;
        at = resumeAt;
        state = resumeState;
    }
}

bool MaskMatches(std::wstring_view name, std::wstring_view mask, bool caseSensitive) {
    return CompiledMask(mask, caseSensitive).matches(name);
}

}  // namespace findlark
