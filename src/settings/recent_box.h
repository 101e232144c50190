#pragma once
// The recent lists of the editable drop-down boxes.
#include "settings/recent_list.h"
#include "win/controls.h"

namespace findlark {

// Appends the stored entries to the box's list; the text of its edit field stays.
void LoadRecentList(SettingsStore& store, std::wstring_view section, win::ComboBox& box);
void SaveRecentList(SettingsStore& store, std::wstring_view section, const win::ComboBox& box);
// Moves the box's text to the top of its list and shows it as the selected entry. When the list is
// empty the text is only appended and the edit field left as it is.
void PushRecent(win::ComboBox& box);

}  // namespace findlark
