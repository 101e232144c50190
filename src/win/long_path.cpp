#include "win/long_path.h"

#include "model/ascii_case.h"

#include <vector>

namespace win {
namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

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

bool IsExtendedOrDevicePath(std::wstring_view path) {
    return path.size() >= 4 && IsSeparator(path[0]) && IsSeparator(path[1]) && (path[2] == L'?' || path[2] == L'.') &&
           IsSeparator(path[3]);
}

// Skips `count` names from `at`, each with the separator after it; gives where the next begins.
std::size_t SkipNames(std::wstring_view path, std::size_t at, int count) {
    for (int i = 0; i < count && at < path.size(); ++i) {
        while (at < path.size() && !IsSeparator(path[at])) ++at;
        if (at < path.size()) ++at;
    }
    return at;
}

// Where the names below a path's root begin: after "C:\", "\\server\share\", "\\?\C:\" or
// "\\?\UNC\server\share\"; 0 for a relative path, whose names are all its own.
std::size_t NamesStart(std::wstring_view path) {
    if (IsExtendedOrDevicePath(path)) {
        const std::wstring_view rest = path.substr(4);
        if (rest.size() >= 4 && findlark::EqualsAsciiUpper(rest.substr(0, 3), L"UNC") && IsSeparator(rest[3]))
            return SkipNames(path, 8, 2);
        return SkipNames(path, 4, 1);
    }
    if (path.size() >= 2 && findlark::IsAsciiLetter(path[0]) && path[1] == L':') return path.size() > 2 && IsSeparator(path[2]) ? 3 : 2;
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) return SkipNames(path, 2, 2);
    return 0;
}

}  // namespace

std::wstring ExtendedLengthPath(std::wstring_view path) {
    if (IsExtendedOrDevicePath(path)) return std::wstring(path);
    std::wstring out;
    if (path.size() >= 3 && findlark::IsAsciiLetter(path[0]) && path[1] == L':' && IsSeparator(path[2])) {
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

bool IsReservedDeviceName(std::wstring_view name) {
    // The platform reads the part before the first dot, trailing spaces dropped.
    std::wstring_view base = name.substr(0, name.find(L'.'));
    while (!base.empty() && base.back() == L' ') base.remove_suffix(1);
    for (const std::wstring_view device : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"}) {
        if (findlark::EqualsAsciiUpper(base, device)) return true;
    }
    if (base.size() != 4 || !(findlark::EqualsAsciiUpper(base.substr(0, 3), L"COM") || findlark::EqualsAsciiUpper(base.substr(0, 3), L"LPT")))
        return false;
    const wchar_t digit = base[3];
    return (digit >= L'0' && digit <= L'9') || digit == L'\u00B9' || digit == L'\u00B2' || digit == L'\u00B3';
}

bool NeedsExactForm(std::wstring_view path) {
    if (IsExtendedOrDevicePath(path)) return false;
    std::size_t start = NamesStart(path);
    while (start < path.size()) {
        std::size_t end = start;
        while (end < path.size() && !IsSeparator(path[end])) ++end;
        const std::wstring_view name = path.substr(start, end - start);
        if (!name.empty() && name != L"." && name != L"..") {
            if (name.back() == L'.' || name.back() == L' ' || IsReservedDeviceName(name)) return true;
        }
        start = end + 1;
    }
    return false;
}

std::wstring PlatformPath(std::wstring_view path) {
    if (path.size() < kClassicPathLimit && !NeedsExactForm(path)) return std::wstring(path);
    return ExtendedLengthPath(path);
}

bool IsRootFolder(std::wstring_view path) {
    const std::size_t root = NamesStart(path);
    if (root == 0) return false;
    for (std::size_t i = root; i < path.size(); ++i) {
        if (!IsSeparator(path[i])) return false;
    }
    return true;
}

std::wstring_view ParentFolder(std::wstring_view path) {
    const std::size_t root = NamesStart(path);
    if (root == 0) return {};
    while (path.size() > root && IsSeparator(path.back())) path.remove_suffix(1);
    if (path.size() <= root) return {};
    std::size_t end = path.size();
    while (end > root && !IsSeparator(path[end - 1])) --end;
    // The parent keeps the root's separator ("C:\"), but no separator of its own.
    while (end > root && IsSeparator(path[end - 1])) --end;
    return path.substr(0, end);
}

}  // namespace win
