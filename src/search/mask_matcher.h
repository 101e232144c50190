#pragma once
// The wildcard masks of the case-sensitive name test: "*" any run of characters, "?" one character,
// "[...]" one character of a set ("!" right after "[" negates it, "a-z" a range), anything else
// itself. Names and masks are UTF-16; a surrogate pair counts as one character.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace findlark {

// A mask that cannot be compiled; the message reads "'<mask>' is an invalid mask at (<position>)".
class EMaskException : public std::runtime_error {
public:
    explicit EMaskException(std::wstring message) : std::runtime_error("invalid mask"), message_(std::move(message)) {}
    const std::wstring& message() const { return message_; }

private:
    std::wstring message_;
};

// A mask compiled once; matching allocates nothing and never reads past the end of the name.
class CompiledMask {
public:
    // At most this many states may follow a "*".
    static constexpr int kMaxSkips = 30;

    // Throws EMaskException. Without case sensitivity the letters a-z count as A-Z on both sides.
    CompiledMask(std::wstring_view mask, bool caseSensitive);
    bool matches(std::wstring_view name) const;

private:
    enum class Kind : std::uint8_t { Literal, Any, Set, End };
    struct State {
        explicit State(Kind k) : kind(k) {}
        Kind kind;
        bool skipTo = false;   // preceded by "*": any run of characters may come first
        bool negate = false;   // a set written with "!"
        char32_t literal = 0;
        std::uint32_t firstRange = 0;  // a set's ranges in `ranges_`
        std::uint32_t rangeCount = 0;
    };
    bool accepts(const State& state, char32_t c) const;
    char32_t fold(char32_t c) const;

    std::vector<State> states_;
    std::vector<std::pair<char32_t, char32_t>> ranges_;
    bool caseSensitive_;
};

// Compiles and matches in one call.
bool MaskMatches(std::wstring_view name, std::wstring_view mask, bool caseSensitive);

}  // namespace findlark
