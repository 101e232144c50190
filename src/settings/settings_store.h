#pragma once
// The per-user settings: sections of named text values. Every value is stored as text whatever its
// logical type; a value that is missing or does not convert reads as the caller's default.
#include "settings/preference_keys.h"

#include <optional>
#include <string>
#include <string_view>

namespace findlark {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    std::wstring ReadString(std::wstring_view section, std::wstring_view key, std::wstring_view fallback);
    void WriteString(std::wstring_view section, std::wstring_view key, std::wstring_view text);
    // Decimal digits with an optional leading "-"; anything else reads as the default.
    int ReadInteger(std::wstring_view section, std::wstring_view key, int fallback);
    void WriteInteger(std::wstring_view section, std::wstring_view key, int value);
    // Stored as "1" or "0"; read as an integer, any value but 0 being yes.
    bool ReadBool(std::wstring_view section, std::wstring_view key, bool fallback);
    void WriteBool(std::wstring_view section, std::wstring_view key, bool value);

    // The settings of "Preferences", by their declarations.
    bool read(const BoolSetting& setting) { return ReadBool(kPreferences, setting.key, setting.fallback); }
    int read(const IntSetting& setting) { return ReadInteger(kPreferences, setting.key, setting.fallback); }
    void write(const BoolSetting& setting, bool value) { WriteBool(kPreferences, setting.key, value); }
    void write(const IntSetting& setting, int value) { WriteInteger(kPreferences, setting.key, value); }
    std::wstring read(const TextSetting& setting) { return ReadString(kPreferences, setting.key, setting.fallback); }
    void write(const TextSetting& setting, std::wstring_view text) { WriteString(kPreferences, setting.key, text); }

protected:
    // Nothing when the section or value is missing or is not text.
    virtual std::optional<std::wstring> readValue(std::wstring_view section, std::wstring_view key) = 0;
    // A value that cannot be written is lost alone; the program goes on.
    virtual void writeValue(std::wstring_view section, std::wstring_view key, std::wstring_view text) = 0;
};

}  // namespace findlark
