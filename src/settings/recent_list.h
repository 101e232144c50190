#pragma once
// The histories of the input boxes: newest first, at most 26 kept in the store under the letters
// "a" to "z", with "MRUList" naming the letters in order.
#include "settings/settings_store.h"

#include <string>
#include <vector>

namespace findlark {

inline constexpr wchar_t kRecentMasks[] = L"RecentSerchedMasks";
inline constexpr wchar_t kRecentTexts[4][20] = {L"RecentSerchedTexts0", L"RecentSerchedTexts1", L"RecentSerchedTexts2",
                                                L"RecentSerchedTexts3"};
inline constexpr wchar_t kRecentWebPhrases[] = L"RecentSearchedPhrasesOverTheInternet";
inline constexpr wchar_t kRecentSkipFolders[] = L"RecentSkipFolders";
inline constexpr std::size_t kStoredRecentEntries = 26;

// The entries named by "MRUList", in its order; an empty value adds nothing.
std::vector<std::wstring> ReadRecentEntries(SettingsStore& store, std::wstring_view section);
// The first 26 entries; values of letters beyond them stay in the store, unnamed.
void WriteRecentEntries(SettingsStore& store, std::wstring_view section, const std::vector<std::wstring>& entries);
// The list after `text` is used: `text` first, then every other entry in its order (compared exactly,
// letter case included). An empty list simply gains the text.
std::vector<std::wstring> PushedEntries(const std::vector<std::wstring>& entries, const std::wstring& text);

}  // namespace findlark
