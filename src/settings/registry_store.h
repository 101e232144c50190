#pragma once
// The settings store in the current user's registry: each section a subkey of the product key, each
// value a string. Every call opens and closes the keys again, so nothing is cached between calls.
#include "settings/settings_store.h"

#include <windows.h>

namespace findlark {

inline constexpr wchar_t kProductKey[] = L"Software\\Norvale\\Findlark";

class RegistryStore final : public SettingsStore {
public:
    explicit RegistryStore(std::wstring productKey = kProductKey, HKEY root = HKEY_CURRENT_USER);

protected:
    std::optional<std::wstring> readValue(std::wstring_view section, std::wstring_view key) override;
    void writeValue(std::wstring_view section, std::wstring_view key, std::wstring_view text) override;

private:
    std::wstring productKey_;
    HKEY root_;
};

}  // namespace findlark
