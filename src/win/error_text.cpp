#include "win/error_text.h"

namespace win {

std::wstring ErrorText(DWORD error) {
    wchar_t text[512] = {};
    ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text, 512, nullptr);
    std::wstring message = text;
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' ')) message.pop_back();
    if (message.empty()) message = L"Error " + std::to_wstring(error) + L".";
    // Inserts the system would fill ("%1 is not a valid application") name the item in general words.
    for (std::size_t at = message.find(L'%'); at != std::wstring::npos; at = message.find(L'%', at + 1)) {
        std::size_t end = at + 1;
        while (end < message.size() && message[end] >= L'0' && message[end] <= L'9') ++end;
        if (end == at + 1) continue;
        message.replace(at, end - at, at == 0 ? L"The item" : L"the item");
    }
    return message;
}

}  // namespace win
