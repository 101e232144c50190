#pragma once
// An options file in memory, for tests: names compared without regard to case as the profile
// functions do, every write recorded in order, and a key that refuses to be written.
#include "criteria/options_file.h"

#include <cwctype>
#include <string>
#include <utility>
#include <vector>

namespace testing_support {

class MemoryOptions final : public findlark::OptionsStore {
public:
    struct Entry {
        std::wstring section, key, value;
    };
    std::vector<Entry> entries;  // in the order first written
    std::vector<std::wstring> reads;
    std::wstring refusedKey;

    void set(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
        if (Entry* entry = find(section, key)) {
            entry->value = value;
        } else {
            entries.push_back({std::wstring(section), std::wstring(key), std::wstring(value)});
        }
    }
    std::optional<std::wstring> read(std::wstring_view section, std::wstring_view key) override {
        reads.push_back(std::wstring(section) + L"/" + std::wstring(key));
        const Entry* entry = find(section, key);
        return entry ? std::optional<std::wstring>(entry->value) : std::nullopt;
    }
    bool write(std::wstring_view section, std::wstring_view key, std::wstring_view value) override {
        if (!refusedKey.empty() && Same(key, refusedKey)) return false;
        set(section, key, value);
        return true;
    }
    bool remove(std::wstring_view section, std::wstring_view key) override {
        std::erase_if(entries, [&](const Entry& entry) { return Same(entry.section, section) && Same(entry.key, key); });
        return true;
    }
    // "Section/Key=value" lines in the order the keys were first written.
    std::vector<std::wstring> lines() const {
        std::vector<std::wstring> result;
        for (const Entry& e : entries) result.push_back(e.section + L"/" + e.key + L"=" + e.value);
        return result;
    }

private:
    static bool Same(std::wstring_view a, std::wstring_view b) {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i) {
            if (std::towlower(a[i]) != std::towlower(b[i])) return false;
        }
        return true;
    }
    Entry* find(std::wstring_view section, std::wstring_view key) {
        for (Entry& e : entries) {
            if (Same(e.section, section) && Same(e.key, key)) return &e;
        }
        return nullptr;
    }
};

}  // namespace testing_support
