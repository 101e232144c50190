#include "win/interaction.h"

#include "win/clipboard.h"
#include "win/shell_menu.h"

#include "win/dialog.h"
#include "win/handle.h"

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>

namespace win {
namespace {

// Keeps the owner of a system dialog as enabled or disabled as it was: some of them enable their owner
// when they close, which would hand a busy window back to the user.
class OwnerStateKept {
public:
    explicit OwnerStateKept(HWND owner) : owner_(owner), enabled_(owner && ::IsWindowEnabled(owner)) {}
    ~OwnerStateKept() {
        if (owner_ && (::IsWindowEnabled(owner_) != FALSE) != enabled_) ::EnableWindow(owner_, enabled_ ? TRUE : FALSE);
    }
    OwnerStateKept(const OwnerStateKept&) = delete;
    OwnerStateKept& operator=(const OwnerStateKept&) = delete;

private:
    HWND owner_;
    bool enabled_;
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

// The file dialogs take their filter as pairs of texts, each ended by a zero, the list by another.
std::wstring FilterPairs(const std::wstring& filter) {
    std::wstring pairs = filter;
    for (wchar_t& c : pairs) {
        if (c == L'|') c = L'\0';
    }
    pairs.push_back(L'\0');
    pairs.push_back(L'\0');
    return pairs;
}

std::optional<std::wstring> RunFileDialog(HWND owner, const FileDialogRequest& request, bool save) {
    const std::wstring filter = FilterPairs(request.filter);
    std::wstring file = request.fileName;
    file.resize(std::max<std::size_t>(file.size() + 1, 32768), L'\0');
    OPENFILENAMEW info{};
    info.lStructSize = sizeof(info);
    info.hwndOwner = owner;
    info.lpstrFilter = filter.c_str();
    info.lpstrFile = file.data();
    info.nMaxFile = static_cast<DWORD>(file.size());
    info.lpstrDefExt = request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
    const OwnerStateKept kept(owner);
    info.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | (request.promptOverwrite ? OFN_OVERWRITEPROMPT : 0) |
                 (request.hideReadOnly ? OFN_HIDEREADONLY : 0) | (request.resizable ? OFN_ENABLESIZING : 0) |
                 (save ? 0 : OFN_FILEMUSTEXIST);
    if (!(save ? ::GetSaveFileNameW(&info) : ::GetOpenFileNameW(&info))) return std::nullopt;
    if (request.chosenType) *request.chosenType = static_cast<int>(info.nFilterIndex);
    file.resize(wcslen(file.c_str()));
    return file;
}

}  // namespace

std::optional<std::wstring> SystemInteraction::openFileName(HWND owner, const FileDialogRequest& request) {
    return RunFileDialog(owner, request, false);
}

std::optional<std::wstring> SystemInteraction::saveFileName(HWND owner, const FileDialogRequest& request) {
    return RunFileDialog(owner, request, true);
}

std::optional<std::wstring> SystemInteraction::browseForFolder(HWND owner, std::wstring_view instruction) {
    PIDLIST_ABSOLUTE rootRaw = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(owner, CSIDL_DRIVES, &rootRaw))) rootRaw = nullptr;
    const UniqueCoTaskMemory<ITEMIDLIST> root(rootRaw);
    const std::wstring title(instruction);
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.pidlRoot = root.get();
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_EDITBOX;  // a path can be typed or pasted too
    info.lpfn = &CenterOnOwner;
    const OwnerStateKept kept(owner);
    const UniqueCoTaskMemory<ITEMIDLIST> chosen(::SHBrowseForFolderW(&info));
    if (!chosen) return std::nullopt;
    std::wstring path(MAX_PATH * 2, L'\0');
    if (!::SHGetPathFromIDListEx(chosen.get(), path.data(), static_cast<DWORD>(path.size()), GPFIDL_DEFAULT))
        return std::nullopt;
    path.resize(wcslen(path.c_str()));
    if (path.empty()) return std::nullopt;
    return path;
}

ShellOpenOutcome SystemInteraction::shellOpen(HWND owner, std::wstring_view target) {
    const std::wstring file(target);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner;
    info.lpVerb = L"open";
    info.lpFile = file.c_str();
    info.nShow = SW_SHOW;
    if (::ShellExecuteExW(&info)) return {};
    const DWORD error = ::GetLastError();
    if (error == ERROR_NO_ASSOCIATION) return {ShellOpenOutcome::Result::NoAssociation, error};
    return {ShellOpenOutcome::Result::Failed, error};
}

void SystemInteraction::openWith(HWND owner, std::wstring_view path) {
    const std::wstring file(path);
    OPENASINFO info{};
    info.pcszFile = file.c_str();
    info.oaifInFlags = OAIF_ALLOW_REGISTRATION | OAIF_EXEC;
    // Where the dialog is missing, the shell's own verb offers the same choice.
    if (FAILED(::SHOpenWithDialog(owner, &info))) ::ShellExecuteW(owner, L"openas", file.c_str(), nullptr, nullptr, SW_SHOW);
}

void SystemInteraction::showHelp(HWND owner, const std::wstring& file, unsigned context, std::wstring_view page) {
    if (!help_.available()) {
        shellOpen(owner, file);
    } else if (context == 0 || page.empty()) {
        help_.showContents(owner, file);
    } else {
        help_.showTopic(owner, file + L"::/" + std::wstring(page));
    }
}

int SystemInteraction::showModal(Dialog& dialog, HWND owner) { return dialog.runModal(owner); }

UINT SystemInteraction::trackPopupMenu(HWND owner, HMENU menu, POINT at) {
    return static_cast<UINT>(::TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, owner, nullptr));
}

void SystemInteraction::showInFolders(const std::vector<std::wstring>& paths) { ShowInFolders(paths); }

DWORD SystemInteraction::dragFiles(const std::vector<std::wstring>& paths) { return DragFiles(paths); }

int SystemInteraction::messageBox(HWND owner, std::wstring_view text, std::wstring_view caption, UINT flags) {
    const OwnerStateKept kept(owner);
    return ::MessageBoxW(owner, std::wstring(text).c_str(), std::wstring(caption).c_str(), flags);
}

}  // namespace win
