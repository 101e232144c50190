#include "fileops/new_name.h"

#include "win/long_path.h"

namespace findlark {

bool IsValidNewName(std::wstring_view name) {
    if (name.empty() || name.back() == L'.' || name.back() == L' ' || win::IsReservedDeviceName(name)) return false;
    for (const wchar_t c : name) {
        if (c < 32 || std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos) return false;
    }
    return true;
}

std::wstring FirstFreeName(std::wstring_view name, bool folder, const std::function<bool(const std::wstring&)>& taken) {
    const std::size_t dot = folder ? std::wstring_view::npos : name.rfind(L'.');
    const std::size_t split = dot == std::wstring_view::npos || dot == 0 ? name.size() : dot;
    const std::wstring_view stem = name.substr(0, split), extension = name.substr(split);
    constexpr int kLastNumber = 9999;
    for (int number = 2; number <= kLastNumber; ++number) {
        std::wstring candidate(stem);
        candidate += L" (" + std::to_wstring(number) + L")";
        candidate += extension;
        if (!taken(candidate)) return candidate;
    }
    return std::wstring(name);
}

}  // namespace findlark
