#pragma once
// Menus built in code; items are addressed through small handles that keep their menu and place.
#include <windows.h>

#include <string>
#include <string_view>

namespace win {

class MenuItem {
public:
    MenuItem() = default;
    MenuItem(HMENU menu, UINT idOrPosition, bool byPosition)
        : menu_(menu), key_(idOrPosition), byPosition_(byPosition) {}

    UINT id() const { return byPosition_ ? 0 : key_; }
    bool enabled() const;
    void setEnabled(bool enabled);
    bool checked() const;
    void setChecked(bool checked);
    std::wstring caption() const;
    void setCaption(std::wstring_view caption);

private:
    UINT flag() const { return byPosition_ ? MF_BYPOSITION : MF_BYCOMMAND; }
    HMENU menu_ = nullptr;
    UINT key_ = 0;
    bool byPosition_ = false;
};

class PopupBuilder {
public:
    explicit PopupBuilder(HMENU menu) : menu_(menu) {}
    MenuItem item(std::wstring_view caption, UINT id);
    void separator();
    // Adds a submenu; `self` receives the handle of the submenu's own entry.
    PopupBuilder submenu(std::wstring_view caption, MenuItem* self = nullptr);

private:
    HMENU menu_;
};

// The menu bar of a form, given to the window when it is created (the window then owns it).
class MenuBarBuilder {
public:
    MenuBarBuilder() : bar_(::CreateMenu()) {}
    PopupBuilder popup(std::wstring_view caption, MenuItem* self = nullptr) {
        return PopupBuilder(bar_).submenu(caption, self);
    }
    HMENU handle() const { return bar_; }

private:
    HMENU bar_;
};

}  // namespace win
