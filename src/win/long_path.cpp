#include "win/long_path.h"

#include <vector>

namespace win {
namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool IsDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

// Appends the components of `rest` to `out`, resolving "." and ".." but never climbing above the root.
void AppendComponents(std::wstring_view rest, std::wstring& out) {
    std::vector<std::wstring_view> parts;
    std::size_t start = 0;
    while (start <= rest.size()) {
        std::size_t end = start;
        while (end < rest.size() && !IsSeparator(rest[end])) ++end;
        const std::wstring_view part = rest.substr(start, end - start);
        if (part == L"..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != L".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i) out += L'\\';
        out += parts[i];
    }
}

}  // namespace

std::wstring ExtendedLengthPath(std::wstring_view path) {
    if (path.size() >= 4 && IsSeparator(path[0]) && IsSeparator(path[1]) && (path[2] == L'?' || path[2] == L'.') &&
        IsSeparator(path[3])) {
        return std::wstring(path);
    }
    std::wstring out;
    if (path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == L':' && IsSeparator(path[2])) {
        out = L"\\\\?\\";
        out += path.substr(0, 2);
        out += L'\\';
        AppendComponents(path.substr(3), out);
        return out;
    }
    if (path.size() >= 3 && IsSeparator(path[0]) && IsSeparator(path[1]) && !IsSeparator(path[2])) {
        // \\server\share\...: the server and share are the root that ".." never leaves.
        std::size_t server = 2;
        while (server < path.size() && !IsSeparator(path[server])) ++server;
        std::size_t share = server + 1;
        while (share < path.size() && !IsSeparator(path[share])) ++share;
        if (share > path.size()) return std::wstring(path);
        out = L"\\\\?\\UNC\\";
        out += path.substr(2, server - 2);
        out += L'\\';
        out += path.substr(server + 1, share - server - 1);
        if (share < path.size()) {
            std::wstring rest;
            AppendComponents(path.substr(share + 1), rest);
            if (!rest.empty()) out += L'\\' + rest;
        }
        return out;
    }
    return std::wstring(path);
}

std::wstring PlatformPath(std::wstring_view path) {
    if (path.size() < kClassicPathLimit) return std::wstring(path);
    return ExtendedLengthPath(path);
}

}  // namespace win
