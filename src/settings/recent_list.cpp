#include "settings/recent_list.h"

namespace findlark {

std::vector<std::wstring> ReadRecentEntries(SettingsStore& store, std::wstring_view section) {
    std::vector<std::wstring> entries;
    // Letters are taken as they stand: a letter named twice adds its entry twice.
    for (const wchar_t letter : store.ReadString(section, L"MRUList", L"")) {
        std::wstring entry = store.ReadString(section, std::wstring(1, letter), L"");
        if (!entry.empty()) entries.push_back(std::move(entry));
    }
    return entries;
}

void WriteRecentEntries(SettingsStore& store, std::wstring_view section, const std::vector<std::wstring>& entries) {
    std::wstring letters;
    for (std::size_t i = 0; i < entries.size() && i < kStoredRecentEntries; ++i) {
        const wchar_t letter = static_cast<wchar_t>(L'a' + i);
        store.WriteString(section, std::wstring(1, letter), entries[i]);
        letters.push_back(letter);
    }
    store.WriteString(section, L"MRUList", letters);
}

std::vector<std::wstring> PushedEntries(const std::vector<std::wstring>& entries, const std::wstring& text) {
    std::vector<std::wstring> pushed{text};
    if (entries.empty()) return pushed;
    for (const std::wstring& entry : entries) {
        if (entry != text) pushed.push_back(entry);
    }
    return pushed;
}

}  // namespace findlark
