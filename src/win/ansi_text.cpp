#include "win/ansi_text.h"

#include <windows.h>

#include <algorithm>

namespace win {
namespace {

std::wstring WideOfAnsi(const std::string& bytes) {
    const int length = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(std::max(length, 0)), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), length);
    return wide;
}

}  // namespace

std::optional<std::string> ExactAnsi(std::wstring_view text) {
    if (text.empty()) return std::string();
    const int size = static_cast<int>(text.size());
    BOOL usedDefault = FALSE;
    DWORD flags = WC_NO_BEST_FIT_CHARS;
    int length = ::WideCharToMultiByte(CP_ACP, flags, text.data(), size, nullptr, 0, nullptr, &usedDefault);
    if (length <= 0) {  // code pages such as UTF-8 take neither the flag nor the default
        flags = 0;
        length = ::WideCharToMultiByte(CP_ACP, flags, text.data(), size, nullptr, 0, nullptr, nullptr);
    }
    if (length <= 0 || usedDefault) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, flags, text.data(), size, bytes.data(), length, nullptr, flags ? &usedDefault : nullptr);
    // A round trip catches what the flags do not, such as a lone surrogate in a UTF-8 code page.
    if (usedDefault || WideOfAnsi(bytes) != text) return std::nullopt;
    return bytes;
}

}  // namespace win
