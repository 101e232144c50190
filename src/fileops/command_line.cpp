#include "fileops/command_line.h"

namespace findlark {

std::wstring QuoteArgument(std::wstring_view argument) {
    std::wstring quoted(1, L'"');
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
        } else {
            // Backslashes before a quotation mark are doubled, and the mark escaped.
            if (c == L'"') quoted.append(backslashes + 1, L'\\');
            backslashes = 0;
        }
        quoted.push_back(c);
    }
    quoted.append(backslashes, L'\\');
    quoted.push_back(L'"');
    return quoted;
}

std::wstring XcopyArguments(std::wstring_view source, std::wstring_view target) {
    return QuoteArgument(source) + L" " + QuoteArgument(target) + L" /E /C /H /R /Y /I /Q";
}

bool IsValidNewName(std::wstring_view name) {
    if (name.empty() || name == L"." || name == L"..") return false;
    for (const wchar_t c : name) {
        if (c < 32 || std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos) return false;
    }
    return true;
}

}  // namespace findlark
