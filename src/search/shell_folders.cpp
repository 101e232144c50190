#include "search/shell_folders.h"

#include <windows.h>

namespace findlark {
namespace {

constexpr wchar_t kShellFolders[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders\\";

std::wstring ReadPersonal(HKEY root) {
    wchar_t buffer[MAX_PATH * 2] = {};
    DWORD size = sizeof(buffer) - sizeof(wchar_t);
    if (::RegGetValueW(root, kShellFolders, L"Personal", RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
        return {};
    return buffer;
}

}  // namespace

std::wstring MachineDocumentsFolder() {
    std::wstring path = ReadPersonal(HKEY_LOCAL_MACHINE);
    return path.empty() ? UserDocumentsFolder() : path;
}

std::wstring UserDocumentsFolder() { return ReadPersonal(HKEY_CURRENT_USER); }

}  // namespace findlark
