#include "win/ui_callback.h"

#include "win/control.h"

namespace win {
namespace {

constexpr wchar_t kClassName[] = L"FindlarkUiCallback";

}  // namespace

UiCallback::UiCallback(std::function<void()> callback) : callback_(std::move(callback)) {
    static const ATOM registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = &UiCallback::windowProc;
        windowClass.hInstance = ModuleInstance();
        windowClass.lpszClassName = kClassName;
        return ::RegisterClassExW(&windowClass);
    }();
    (void)registered;
    window_ = ::CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, ModuleInstance(), nullptr);
    if (window_) ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

UiCallback::~UiCallback() {
    if (window_) ::DestroyWindow(window_);
}

LRESULT CALLBACK UiCallback::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kMessage) {
        if (auto* self = reinterpret_cast<UiCallback*>(::GetWindowLongPtrW(window, GWLP_USERDATA))) {
            try {
                if (self->callback_) self->callback_();
            } catch (...) {
                // No exception crosses a window procedure.
            }
        }
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace win
