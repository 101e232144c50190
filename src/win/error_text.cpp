#include "win/error_text.h"

namespace win {

std::wstring ErrorText(DWORD error) {
    wchar_t text[512] = {};
    ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text, 512, nullptr);
    std::wstring message = text;
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' ')) message.pop_back();
    if (message.empty()) message = L"Error " + std::to_wstring(error) + L".";
    return message;
}

}  // namespace win
