#include "search/skip_folders.h"

#include "model/mask_list.h"

#include <algorithm>

namespace findlark {

SkipFolders::SkipFolders(std::wstring_view text, Upcase upcase) : upcase_(upcase) {
    for (std::wstring entry : SplitList(text)) {
        if (entry.find_first_of(L"\\/:") == std::wstring::npos) {
            masks_.emplace_back(capitals(entry), true);
            continue;
        }
        std::replace(entry.begin(), entry.end(), L'/', L'\\');
        while (entry.size() > 1 && entry.back() == L'\\') entry.pop_back();
        paths_.push_back(capitals(entry));
    }
}

std::wstring SkipFolders::capitals(std::wstring_view text) const {
    std::wstring upper(text);
    for (wchar_t& c : upper) c = upcase_(c);
    return upper;
}

bool SkipFolders::skips(std::wstring_view parent, std::wstring_view name) const {
    if (empty()) return false;
    const std::wstring upperName = capitals(name);
    for (const CompiledMask& mask : masks_) {
        if (mask.matches(upperName)) return true;
    }
    if (paths_.empty()) return false;
    std::wstring path = capitals(parent);
    path += L'\\';
    path += upperName;
    return std::find(paths_.begin(), paths_.end(), path) != paths_.end();
}

}  // namespace findlark
