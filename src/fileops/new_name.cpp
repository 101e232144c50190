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

}  // namespace findlark
