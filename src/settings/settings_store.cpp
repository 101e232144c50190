#include "settings/settings_store.h"

#include <climits>

namespace findlark {

std::optional<int> ParseStoredInteger(std::wstring_view text) {
    const bool negative = !text.empty() && text.front() == L'-';
    if (negative) text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    long long value = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9') return std::nullopt;
        value = value * 10 + (c - L'0');
        if (value > static_cast<long long>(INT_MAX) + 1) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > INT_MAX || value < INT_MIN) return std::nullopt;
    return static_cast<int>(value);
}

std::wstring SettingsStore::ReadString(std::wstring_view section, std::wstring_view key, std::wstring_view fallback) {
    return readValue(section, key).value_or(std::wstring(fallback));
}

void SettingsStore::WriteString(std::wstring_view section, std::wstring_view key, std::wstring_view text) {
    writeValue(section, key, text);
}

int SettingsStore::ReadInteger(std::wstring_view section, std::wstring_view key, int fallback) {
    const std::optional<std::wstring> text = readValue(section, key);
    if (!text) return fallback;
    return ParseStoredInteger(*text).value_or(fallback);
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
