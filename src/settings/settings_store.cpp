#include "settings/settings_store.h"

#include "model/integer_text.h"

namespace findlark {

std::wstring SettingsStore::ReadString(std::wstring_view section, std::wstring_view key, std::wstring_view fallback) {
    return readValue(section, key).value_or(std::wstring(fallback));
}

void SettingsStore::WriteString(std::wstring_view section, std::wstring_view key, std::wstring_view text) {
    writeValue(section, key, text);
}

int SettingsStore::ReadInteger(std::wstring_view section, std::wstring_view key, int fallback) {
    const std::optional<std::wstring> text = readValue(section, key);
    if (!text) return fallback;
    return ParseInt32(*text).value_or(fallback);
}

void SettingsStore::WriteInteger(std::wstring_view section, std::wstring_view key, int value) {
    writeValue(section, key, std::to_wstring(value));
}

bool SettingsStore::ReadBool(std::wstring_view section, std::wstring_view key, bool fallback) {
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

void SettingsStore::WriteBool(std::wstring_view section, std::wstring_view key, bool value) {
    writeValue(section, key, value ? L"1" : L"0");
}

}  // namespace findlark
