#pragma once
// A settings store in memory, for tests: it records what was written and can refuse writes.
#include "settings/settings_store.h"

#include <functional>
#include <map>
#include <string>
#include <utility>

namespace testing_support {

class MemoryStore final : public findlark::SettingsStore {
public:
    std::map<std::pair<std::wstring, std::wstring>, std::wstring> values;
    // Runs before every write; the write is lost when it gives false.
    std::function<bool(std::wstring_view section, std::wstring_view key)> beforeWrite;

    void set(std::wstring_view section, std::wstring_view key, std::wstring_view text) {
        values[{std::wstring(section), std::wstring(key)}] = text;
    }
    const std::wstring* find(std::wstring_view section, std::wstring_view key) const {
        const auto found = values.find({std::wstring(section), std::wstring(key)});
        return found == values.end() ? nullptr : &found->second;
    }

protected:
    std::optional<std::wstring> readValue(std::wstring_view section, std::wstring_view key) override {
        const std::wstring* value = find(section, key);
        return value ? std::optional<std::wstring>(*value) : std::nullopt;
    }
    void writeValue(std::wstring_view section, std::wstring_view key, std::wstring_view text) override {
        if (beforeWrite && !beforeWrite(section, key)) return;
        set(section, key, text);
    }
};

}  // namespace testing_support
