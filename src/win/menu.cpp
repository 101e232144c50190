#include "win/menu.h"

namespace win {

bool MenuItem::enabled() const {
    return (::GetMenuState(menu_, key_, flag()) & (MF_DISABLED | MF_GRAYED)) == 0;
}

void MenuItem::setEnabled(bool enabled) { ::EnableMenuItem(menu_, key_, flag() | (enabled ? MF_ENABLED : MF_GRAYED)); }

bool MenuItem::checked() const { return (::GetMenuState(menu_, key_, flag()) & MF_CHECKED) != 0; }

void MenuItem::setChecked(bool checked) { ::CheckMenuItem(menu_, key_, flag() | (checked ? MF_CHECKED : MF_UNCHECKED)); }

std::wstring MenuItem::caption() const {
    wchar_t buffer[256] = {};
    ::GetMenuStringW(menu_, key_, buffer, 256, flag());
    return buffer;
}

void MenuItem::setCaption(std::wstring_view caption) {
    std::wstring text(caption);
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    info.dwTypeData = text.data();
    ::SetMenuItemInfoW(menu_, key_, byPosition_ ? TRUE : FALSE, &info);
}

MenuItem PopupBuilder::item(std::wstring_view caption, UINT id) {
    ::AppendMenuW(menu_, MF_STRING, id, std::wstring(caption).c_str());
    return MenuItem(menu_, id, false);
}

void PopupBuilder::separator() { ::AppendMenuW(menu_, MF_SEPARATOR, 0, nullptr); }

PopupBuilder PopupBuilder::submenu(std::wstring_view caption, MenuItem* self) {
    const HMENU popup = ::CreatePopupMenu();
    const UINT position = static_cast<UINT>(::GetMenuItemCount(menu_));
    ::AppendMenuW(menu_, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), std::wstring(caption).c_str());
    if (self) *self = MenuItem(menu_, position, true);
    return PopupBuilder(popup);
}

}  // namespace win
