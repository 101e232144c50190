#pragma once
// A stand-in for a single-byte ANSI code page in portable tests: Latin-1, where a character beyond
// U+00FF has no form.
#include <optional>
#include <string>
#include <string_view>

namespace testing_support {

inline std::optional<std::string> Latin1(std::u16string_view text) {
    std::string bytes;
    for (const char16_t c : text) {
        if (c > 0xFF) return std::nullopt;
        bytes.push_back(static_cast<char>(c));
    }
    return bytes;
}

// Latin-1 bytes as the text they stand for.
inline std::u16string FromLatin1(std::string_view bytes) {
    std::u16string text;
    for (const char c : bytes) text.push_back(static_cast<unsigned char>(c));
    return text;
}

}  // namespace testing_support
