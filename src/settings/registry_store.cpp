#include "settings/registry_store.h"

#include "win/handle.h"

namespace findlark {
namespace {

// The product key, made when it is missing (for reads too, as the store always did).
win::UniqueRegistryKey OpenProductKey(HKEY root, const std::wstring& path, REGSAM access) {
    HKEY key = nullptr;
    if (::RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, access, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return {};
    return win::UniqueRegistryKey(key);
}

}  // namespace

RegistryStore::RegistryStore(std::wstring productKey, HKEY root) : productKey_(std::move(productKey)), root_(root) {}

std::optional<std::wstring> RegistryStore::readValue(std::wstring_view section, std::wstring_view key) {
    const win::UniqueRegistryKey product = OpenProductKey(root_, productKey_, KEY_READ);
    if (!product) return std::nullopt;
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(product.get(), std::wstring(section).c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return std::nullopt;  // a read never makes a section
    const win::UniqueRegistryKey sectionKey(opened);
    const std::wstring name(key);
    DWORD type = 0, bytes = 0;
    if (::RegQueryValueExW(sectionKey.get(), name.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
        type != REG_SZ)
        return std::nullopt;  // a value of another type reads as missing
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (::RegQueryValueExW(sectionKey.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &bytes) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return std::nullopt;
    text.resize(bytes / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    return text;
}

void RegistryStore::writeValue(std::wstring_view section, std::wstring_view key, std::wstring_view text) {
    const win::UniqueRegistryKey product = OpenProductKey(root_, productKey_, KEY_WRITE);
    if (!product) return;
    HKEY created = nullptr;
    if (::RegCreateKeyExW(product.get(), std::wstring(section).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &created,
                          nullptr) != ERROR_SUCCESS)
        return;
    const win::UniqueRegistryKey sectionKey(created);
    const std::wstring value(text);
    ::RegSetValueExW(sectionKey.get(), std::wstring(key).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

}  // namespace findlark
