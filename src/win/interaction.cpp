#include "win/interaction.h"

#include "win/dialog.h"

#include <shlobj.h>

#include <memory>

namespace win {
namespace {

struct CoTaskDeleter {
    void operator()(void* p) const noexcept { ::CoTaskMemFree(p); }
};

// Centres the folder browser over its owner once it is shown.
int CALLBACK CenterOnOwner(HWND dialog, UINT message, LPARAM, LPARAM) {
    if (message != BFFM_INITIALIZED) return 0;
    const HWND owner = ::GetWindow(dialog, GW_OWNER);
    RECT ownerRect{}, own{};
    if (!owner || !::GetWindowRect(owner, &ownerRect) || !::GetWindowRect(dialog, &own)) return 0;
    const int w = own.right - own.left, h = own.bottom - own.top;
    ::SetWindowPos(dialog, nullptr, ownerRect.left + (ownerRect.right - ownerRect.left - w) / 2,
                   ownerRect.top + (ownerRect.bottom - ownerRect.top - h) / 2, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

}  // namespace

std::optional<std::wstring> SystemInteraction::browseForFolder(HWND owner, std::wstring_view instruction) {
    PIDLIST_ABSOLUTE rootRaw = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(owner, CSIDL_DRIVES, &rootRaw))) rootRaw = nullptr;
    const std::unique_ptr<ITEMIDLIST, CoTaskDeleter> root(rootRaw);
    const std::wstring title(instruction);
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.pidlRoot = root.get();
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    info.lpfn = &CenterOnOwner;
    const std::unique_ptr<ITEMIDLIST, CoTaskDeleter> chosen(::SHBrowseForFolderW(&info));
    if (!chosen) return std::nullopt;
    std::wstring path(MAX_PATH * 2, L'\0');
    if (!::SHGetPathFromIDListEx(chosen.get(), path.data(), static_cast<DWORD>(path.size()), GPFIDL_DEFAULT))
        return std::nullopt;
    path.resize(wcslen(path.c_str()));
    if (path.empty()) return std::nullopt;
    return path;
}

int SystemInteraction::showModal(Dialog& dialog, HWND owner) { return dialog.runModal(owner); }

int SystemInteraction::messageBox(HWND owner, std::wstring_view text, std::wstring_view caption, UINT flags) {
    return ::MessageBoxW(owner, std::wstring(text).c_str(), std::wstring(caption).c_str(), flags);
}

}  // namespace win
