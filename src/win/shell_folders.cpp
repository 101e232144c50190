#include "win/shell_folders.h"

#include "win/handle.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

namespace win {
namespace {

constexpr wchar_t kShellFolders[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders\\";

std::wstring ReadPersonal(HKEY root) {
    wchar_t buffer[MAX_PATH * 2] = {};
    DWORD size = sizeof(buffer) - sizeof(wchar_t);
    if (::RegGetValueW(root, kShellFolders, L"Personal", RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
        return {};
    return buffer;
}

std::wstring KnownDocumentsFolder() {
    wchar_t* raw = nullptr;
    const HRESULT result = ::SHGetKnownFolderPath(FOLDERID_Documents, KF_FLAG_DEFAULT, nullptr, &raw);
    const UniqueCoTaskMemory<wchar_t> path(raw);
    if (FAILED(result) || !path) return {};
    return path.get();
}

}  // namespace

std::wstring MachineDocumentsFolder() {
    std::wstring path = ReadPersonal(HKEY_LOCAL_MACHINE);
    return path.empty() ? UserDocumentsFolder() : path;
}

// Without the fallback a missing value would make "My Documents" search the current drive's root.
std::wstring UserDocumentsFolder() {
    std::wstring path = ReadPersonal(HKEY_CURRENT_USER);
    return path.empty() ? KnownDocumentsFolder() : path;
}

}  // namespace win
