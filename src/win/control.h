#pragma once
// Base of every child control. The object owns its window: a control destroyed before its form takes
// its window with it and leaves the form's layout.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <string_view>

namespace win {

class Container;
class Form;

// A rectangle in design units (pixels at 96 dpi).
struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
};

enum Anchor : unsigned {
    AnchorLeft = 1,
    AnchorTop = 2,
    AnchorRight = 4,
    AnchorBottom = 8,
    AnchorsDefault = AnchorLeft | AnchorTop,
};

class Control {
public:
    Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control();

    HWND hwnd() const { return hwnd_; }
    Container& parent() const { return *parent_; }
    const Rect& designRect() const { return rect_; }
    unsigned anchors() const { return anchors_; }

    bool enabled() const;
    virtual void setEnabled(bool enabled);
    // The control's own visibility flag, whatever its parents show.
    bool visible() const;
    virtual void setVisible(bool visible);
    std::wstring text() const;
    void setText(std::wstring_view text);
    void focus();

    // Notifications that the parent window routes to the control it came from.
    virtual void onCommand(WORD /*code*/) {}
    virtual LRESULT onNotify(NMHDR& /*header*/) { return 0; }
    // Runs after the form has moved or resized the control.
    virtual void afterLayout() {}
    // The form moved to a monitor of another DPI; sizes the control keeps itself scale along.
    virtual void onDpiChanged(UINT /*oldDpi*/, UINT /*newDpi*/) {}
    // The colours of a static control: a brush for its background, or null for the default.
    virtual HBRUSH onColor(HDC /*dc*/) { return nullptr; }
    // The pointer over the control: true when it set one.
    virtual bool onSetCursor() { return false; }
    // Whether Enter on the focused control presses it, as it does a push button.
    virtual bool pressesOnEnter() const { return false; }
    virtual void press() {}

    static Control* fromHwnd(HWND hwnd);
    // The control of ours that Enter presses when it has the focus (push buttons, pictures that act
    // as one), or null.
    static Control* pressedByEnter(HWND hwnd);
    // The form's window is being destroyed and takes this control's window with it.
    void windowGone() { hwnd_ = nullptr; }
    // The form itself is gone before this control.
    void formGone() { form_ = nullptr; }

protected:
    void create(Container& parent, const wchar_t* windowClass, std::wstring_view text, DWORD style,
                DWORD exStyle, Rect rect, unsigned anchors = AnchorsDefault, void* createParam = nullptr);

private:
    HWND hwnd_ = nullptr;
    Container* parent_ = nullptr;
    Form* form_ = nullptr;
    Rect rect_;
    unsigned anchors_ = AnchorsDefault;
};

// A window of ours that hosts controls and routes their notifications back to them.
class Container {
public:
    Container() = default;
    Container(const Container&) = delete;
    Container& operator=(const Container&) = delete;
    virtual ~Container() { detachWindow(); }

    HWND windowHandle() const { return handle_; }
    virtual Form& form() = 0;

protected:
    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // From now on the window's messages go to the default procedure; gives the window.
    HWND detachWindow();
    // Registers (once) a window class whose procedure dispatches to handleMessage.
    static const wchar_t* windowClass(const wchar_t* name, HBRUSH background);
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    HWND handle_ = nullptr;
};

HINSTANCE ModuleInstance();

}  // namespace win
