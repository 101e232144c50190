#include "support/file_text.h"

#include "win/handle.h"
#include "win/long_path.h"

#include <gtest/gtest.h>

namespace testing_support {

void WriteText(const std::wstring& path, const std::string& text) {
    const win::UniqueFileHandle file(::CreateFileW(win::PlatformPath(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                                   CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file) << ::GetLastError();
    DWORD written = 0;
    ASSERT_TRUE(::WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr));
}

std::optional<std::string> ReadText(const std::wstring& path) {
    const win::UniqueFileHandle file(::CreateFileW(win::PlatformPath(path).c_str(), GENERIC_READ,
                                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                                   OPEN_EXISTING, 0, nullptr));
    if (!file) return std::nullopt;
    std::string text(4096, '\0');
    DWORD read = 0;
    if (!::ReadFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr)) return std::nullopt;
    text.resize(read);
    return text;
}

std::optional<std::wstring> OtherDriveLetterPath(const std::wstring& path) {
    using UnixName = char*(CDECL*)(const wchar_t*);
    const auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixName) return std::nullopt;
    char* name = unixName(path.c_str());
    if (!name) return std::nullopt;
    std::string unix(name);
    ::HeapFree(::GetProcessHeap(), 0, name);
    // Drive C: is a link in the prefix's device folder; Z: reaches its target directly.
    const std::string link = "/dosdevices/c:/";
    if (const auto at = unix.find(link); at != std::string::npos) unix.replace(at, link.size(), "/drive_c/");
    std::wstring alias = L"Z:";
    for (const char c : unix) alias += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
    return alias;
}

}  // namespace testing_support
