#pragma once
// Explorer's context menu for a set of items of one folder (open with, send to, properties, the
// verbs of installed programs), added to a menu of ours, and Explorer's "open the folder with the
// items selected".
#include "win/handle.h"

#include <shlobj.h>

#include <memory>
#include <string>
#include <vector>

namespace win {

class ShellContextMenu {
public:
    // Nothing when the items do not share one folder or the shell has no menu for them.
    static std::unique_ptr<ShellContextMenu> create(HWND owner, const std::vector<std::wstring>& paths);
    explicit ShellContextMenu(UniqueComPtr<IContextMenu> menu);

    // Adds the shell's items with command numbers from `first` to `last`; `extended` adds the verbs
    // Explorer shows with Shift held.
    void addTo(HMENU menu, UINT first, UINT last, bool extended);
    // Runs the item of that command number.
    void invoke(HWND owner, UINT command, UINT first, POINT at);
    // Messages of the open menu that the shell's own items draw and fill themselves; true when the
    // shell took it.
    bool handleMenuMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    UniqueComPtr<IContextMenu> menu_;
    UniqueComPtr<IContextMenu2> menu2_;
    UniqueComPtr<IContextMenu3> menu3_;
};

// Opens each folder of the items in Explorer with its items selected.
void ShowInFolders(const std::vector<std::wstring>& paths);

}  // namespace win
