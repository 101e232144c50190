#include "win/shell_menu.h"

#include "win/long_path.h"

#include <shellapi.h>

#include <map>

namespace win {
namespace {

using UniqueItemList = UniqueCoTaskMemory<ITEMIDLIST>;

UniqueItemList ItemListOf(const std::wstring& path) {
    PIDLIST_ABSOLUTE list = nullptr;
    if (FAILED(::SHParseDisplayName(path.c_str(), nullptr, &list, 0, nullptr))) return {};
    return UniqueItemList(list);
}

// Asks an object for another of its interfaces.
template <class T>
UniqueComPtr<T> Query(IUnknown* object, REFIID id) {
    void* other = nullptr;
    return UniqueComPtr<T>(SUCCEEDED(object->QueryInterface(id, &other)) ? static_cast<T*>(other) : nullptr);
}

}  // namespace

std::unique_ptr<ShellContextMenu> ShellContextMenu::create(HWND owner, const std::vector<std::wstring>& paths) {
    if (paths.empty()) return nullptr;
    const std::wstring_view folder = ParentFolder(paths.front());
    std::vector<UniqueItemList> items;
    for (const std::wstring& path : paths) {
        if (ParentFolder(path) != folder) return nullptr;
        items.push_back(ItemListOf(path));
        if (!items.back()) return nullptr;
    }
    void* folderObject = nullptr;
    PCUITEMID_CHILD child = nullptr;
    if (FAILED(::SHBindToParent(items.front().get(), IID_IShellFolder, &folderObject, &child))) return nullptr;
    const UniqueComPtr<IShellFolder> parent(static_cast<IShellFolder*>(folderObject));
    std::vector<PCUITEMID_CHILD> children;
    for (const UniqueItemList& item : items) children.push_back(::ILFindLastID(item.get()));
    void* menu = nullptr;
    if (FAILED(parent->GetUIObjectOf(owner, static_cast<UINT>(children.size()), children.data(), IID_IContextMenu, nullptr,
                                     &menu)) ||
        !menu)
        return nullptr;
    return std::make_unique<ShellContextMenu>(UniqueComPtr<IContextMenu>(static_cast<IContextMenu*>(menu)));
}

ShellContextMenu::ShellContextMenu(UniqueComPtr<IContextMenu> menu)
    : menu_(std::move(menu)),
      menu2_(Query<IContextMenu2>(menu_.get(), IID_IContextMenu2)),
      menu3_(Query<IContextMenu3>(menu_.get(), IID_IContextMenu3)) {}

void ShellContextMenu::addTo(HMENU menu, UINT first, UINT last, bool extended) {
    menu_->QueryContextMenu(menu, static_cast<UINT>(::GetMenuItemCount(menu)), first, last,
                            CMF_NORMAL | (extended ? CMF_EXTENDEDVERBS : 0));
}

void ShellContextMenu::invoke(HWND owner, UINT command, UINT first, POINT at) {
    CMINVOKECOMMANDINFOEX info{};
    info.cbSize = sizeof(info);
    info.fMask = CMIC_MASK_UNICODE | CMIC_MASK_PTINVOKE;
    if (::GetKeyState(VK_CONTROL) < 0) info.fMask |= CMIC_MASK_CONTROL_DOWN;
    if (::GetKeyState(VK_SHIFT) < 0) info.fMask |= CMIC_MASK_SHIFT_DOWN;
    info.hwnd = owner;
    info.lpVerb = MAKEINTRESOURCEA(command - first);
    info.lpVerbW = MAKEINTRESOURCEW(command - first);
    info.nShow = SW_SHOWNORMAL;
    info.ptInvoke = at;
    menu_->InvokeCommand(reinterpret_cast<CMINVOKECOMMANDINFO*>(&info));
}

bool ShellContextMenu::handleMenuMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (menu3_) return SUCCEEDED(menu3_->HandleMenuMsg2(message, wParam, lParam, &result));
    if (menu2_ && message != WM_MENUCHAR) {
        result = 0;
        return SUCCEEDED(menu2_->HandleMenuMsg(message, wParam, lParam));
    }
    return false;
}

void ShowInFolders(const std::vector<std::wstring>& paths) {
    std::map<std::wstring, std::vector<UniqueItemList>> byFolder;
    for (const std::wstring& path : paths) {
        if (UniqueItemList item = ItemListOf(path)) byFolder[std::wstring(ParentFolder(path))].push_back(std::move(item));
    }
    for (const auto& [folder, items] : byFolder) {
        const UniqueItemList folderList = ItemListOf(folder);
        if (!folderList) continue;
        std::vector<PCUITEMID_CHILD> children;
        for (const UniqueItemList& item : items) children.push_back(::ILFindLastID(item.get()));
        ::SHOpenFolderAndSelectItems(folderList.get(), static_cast<UINT>(children.size()),
                                     reinterpret_cast<PCUITEMID_CHILD_ARRAY>(children.data()), 0);
    }
}

}  // namespace win
