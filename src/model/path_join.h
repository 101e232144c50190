#pragma once
// A folder and a name joined with one separator: a drive root ("Q:\") already ends in one.
#include <string>
#include <string_view>

namespace findlark {

inline std::wstring JoinPath(std::wstring_view folder, std::wstring_view name) {
    std::wstring path;
    path.reserve(folder.size() + 1 + name.size());
    path.append(folder);
    if (path.empty() || (path.back() != L'\\' && path.back() != L'/')) path.push_back(L'\\');
    path.append(name);
    return path;
}

}  // namespace findlark
