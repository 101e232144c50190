#include "settings/recent_box.h"

namespace findlark {

void LoadRecentList(SettingsStore& store, std::wstring_view section, win::ComboBox& box) {
    for (const std::wstring& entry : ReadRecentEntries(store, section)) box.addItem(entry);
}

void SaveRecentList(SettingsStore& store, std::wstring_view section, const win::ComboBox& box) {
    WriteRecentEntries(store, section, box.items());
}

void PushRecent(win::ComboBox& box) {
    const std::wstring text = box.text();
    const std::vector<std::wstring> entries = box.items();
    if (entries.empty()) {
        box.addItem(text);
        return;
    }
    box.clear();
    box.setText(L"");
    for (const std::wstring& entry : PushedEntries(entries, text)) box.addItem(entry);
    box.setSelectedIndex(0);
}

}  // namespace findlark
