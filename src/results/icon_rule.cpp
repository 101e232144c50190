#include "results/icon_rule.h"

#include "model/attributes.h"

#include <array>

namespace findlark {
namespace {

std::wstring_view Extension(std::wstring_view name) {
    const auto dot = name.rfind(L'.');
    return dot == std::wstring_view::npos ? std::wstring_view{} : name.substr(dot + 1);
}

wchar_t FoldAscii(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool EqualsFolded(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    }
    return true;
}

}  // namespace

bool IconLivesInFile(std::wstring_view name) {
    static constexpr std::array<std::wstring_view, 4> kOwnIcon{L"exe", L"ico", L"lnk", L"cur"};
    const std::wstring_view extension = Extension(name);
    for (const std::wstring_view own : kOwnIcon) {
        if (EqualsFolded(extension, own)) return true;
    }
    return false;
}

bool IsNetworkPath(std::wstring_view path) {
    return path.size() >= 2 && (path[0] == L'\\' || path[0] == L'/') && (path[1] == L'\\' || path[1] == L'/');
}

bool IconReadFromFile(std::wstring_view name, std::wstring_view folder, std::uint32_t attributes) {
    return !(attributes & kAttributeDirectory) && !IsOnlineOnly(attributes) && IconLivesInFile(name) &&
           !IsNetworkPath(folder);
}

std::wstring IconTypeKey(std::wstring_view name, bool folder) {
    if (folder) return L"\\folder";
    std::wstring key(L".");
    for (const wchar_t c : Extension(name)) key.push_back(FoldAscii(c));
    return key;
}

}  // namespace findlark
