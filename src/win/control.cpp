#include "win/control.h"

#include "win/form.h"

#include <exception>
#include <utility>
#include <system_error>

namespace win {
namespace {
constexpr wchar_t kControlProperty[] = L"Findlark.Control";
}

HINSTANCE ModuleInstance() { return ::GetModuleHandleW(nullptr); }

void Control::create(Container& parent, const wchar_t* windowClass, std::wstring_view text,
                     DWORD style, DWORD exStyle, Rect rect, unsigned anchors, void* createParam) {
    parent_ = &parent;
    rect_ = rect;
    anchors_ = anchors;
    Form& form = parent.form();
    form_ = &form;
    const std::wstring caption(text);
    hwnd_ = ::CreateWindowExW(exStyle, windowClass, caption.c_str(), style | WS_CHILD | WS_VISIBLE,
                              form.scale(rect.x), form.scale(rect.y), form.scale(rect.w),
                              form.scale(rect.h), parent.windowHandle(),
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(form.nextControlId())),
                              ModuleInstance(), createParam);
    if (!hwnd_) {
        std::string name;
        for (const wchar_t* c = windowClass; *c; ++c) name.push_back(static_cast<char>(*c));
        throw std::system_error(static_cast<int>(::GetLastError()), std::system_category(), "CreateWindowEx " + name);
    }
    ::SetPropW(hwnd_, kControlProperty, this);
    form.adopt(*this);
}

Control::~Control() {
    if (form_) form_->forget(*this);
    if (hwnd_ && ::IsWindow(hwnd_)) {
        ::RemovePropW(hwnd_, kControlProperty);
        ::DestroyWindow(hwnd_);
    }
}

Control* Control::fromHwnd(HWND hwnd) {
    return hwnd ? static_cast<Control*>(::GetPropW(hwnd, kControlProperty)) : nullptr;
}

Control* Control::pressedByEnter(HWND hwnd) {
    Control* control = fromHwnd(hwnd);
    return control && control->pressesOnEnter() ? control : nullptr;
}

bool Control::enabled() const { return ::IsWindowEnabled(hwnd_) != FALSE; }
void Control::setEnabled(bool enabled) { ::EnableWindow(hwnd_, enabled ? TRUE : FALSE); }

bool Control::visible() const { return (::GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0; }
void Control::setVisible(bool visible) { ::ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE); }

std::wstring Control::text() const {
    std::wstring result(static_cast<size_t>(::GetWindowTextLengthW(hwnd_)) + 1, L'\0');
    result.resize(static_cast<size_t>(::GetWindowTextW(hwnd_, result.data(), static_cast<int>(result.size()))));
    return result;
}

void Control::setText(std::wstring_view text) { ::SetWindowTextW(hwnd_, std::wstring(text).c_str()); }

void Control::focus() { ::SetFocus(hwnd_); }

LRESULT Container::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (Control* control = Control::fromHwnd(reinterpret_cast<HWND>(lParam))) {
            control->onCommand(HIWORD(wParam));
            return 0;
        }
        break;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (Control* control = Control::fromHwnd(header->hwndFrom)) return control->onNotify(*header);
        break;
    }
    case WM_CTLCOLORSTATIC:
        if (Control* control = Control::fromHwnd(reinterpret_cast<HWND>(lParam))) {
            if (const HBRUSH brush = control->onColor(reinterpret_cast<HDC>(wParam))) return reinterpret_cast<LRESULT>(brush);
        }
        break;
    case WM_SETCURSOR:
        if (Control* control = Control::fromHwnd(reinterpret_cast<HWND>(wParam))) {
            if (control->onSetCursor()) return TRUE;
        }
        break;
    default:
        break;
    }
    return ::DefWindowProcW(handle_, message, wParam, lParam);
}

HWND Container::detachWindow() {
    const HWND window = std::exchange(handle_, nullptr);
    if (window && ::IsWindow(window)) ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    return window;
}

const wchar_t* Container::windowClass(const wchar_t* name, HBRUSH background) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (!::GetClassInfoExW(ModuleInstance(), name, &existing)) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = &Container::windowProc;
        wc.hInstance = ModuleInstance();
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = background;
        wc.hIcon = ::LoadIconW(ModuleInstance(), MAKEINTRESOURCEW(1));
        wc.lpszClassName = name;
        ::RegisterClassExW(&wc);
    }
    return name;
}

LRESULT CALLBACK Container::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* self = static_cast<Container*>(create->lpCreateParams);
        self->handle_ = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Container*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return ::DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->handle_ = nullptr;
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    // No exception may unwind through the system's code that called us.
    try {
        return self->handleMessage(message, wParam, lParam);
    } catch (const std::exception& error) {
        ::OutputDebugStringA(error.what());
    } catch (...) {
        ::OutputDebugStringA("unexpected exception in a window procedure");
    }
    return 0;
}

}  // namespace win
