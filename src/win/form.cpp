#include "win/form.h"

#include <algorithm>
#include <system_error>

namespace win {
namespace {

UINT DpiOf(HWND hwnd) {
    const UINT dpi = hwnd ? ::GetDpiForWindow(hwnd) : ::GetDpiForSystem();
    return dpi ? dpi : 96;
}

Form* FormOf(HWND hwnd) {
    const HWND root = ::GetAncestor(hwnd, GA_ROOT);
    wchar_t className[32] = {};
    if (!root || !::GetClassNameW(root, className, 32) || std::wstring_view(className) != L"FindlarkForm")
        return nullptr;
    return static_cast<Form*>(reinterpret_cast<Container*>(::GetWindowLongPtrW(root, GWLP_USERDATA)));
}

}  // namespace

Form::~Form() {
    destroyWindow();
    for (Control* control : controls_) control->formGone();
}

void Form::destroyWindow() {
    const HWND window = detachWindow();
    if (!window) return;
    for (Control* control : controls_) control->windowGone();
    ::DestroyWindow(window);
}

void Form::createWindow(const FormArgs& args) {
    designClient_ = args.designClient;
    minimumWindow_ = args.minimumWindow;
    dpi_ = DpiOf(args.owner);
    RECT frame{0, 0, scale(args.designClient.cx), scale(args.designClient.cy)};
    const DWORD exStyle = args.exStyle | WS_EX_CONTROLPARENT;
    ::AdjustWindowRectExForDpi(&frame, args.style, args.menu != nullptr, exStyle, dpi_);
    const std::wstring caption(args.caption);
    const HWND created = ::CreateWindowExW(
        exStyle, windowClass(L"FindlarkForm", ::GetSysColorBrush(COLOR_BTNFACE)), caption.c_str(),
        args.style, CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top, args.owner,
        args.menu, ModuleInstance(), static_cast<Container*>(this));
    if (!created) throw std::system_error(static_cast<int>(::GetLastError()), std::system_category(), "CreateWindowEx");
    dpi_ = DpiOf(created);
    updateFont();
}

void Form::updateFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi_)) {
        metrics = NONCLIENTMETRICSW{};
        metrics.cbSize = sizeof(metrics);
        ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
        metrics.lfMessageFont.lfHeight = ::MulDiv(metrics.lfMessageFont.lfHeight, static_cast<int>(dpi_), 96);
    }
    // The controls get the new font before the old one is freed: none may ever draw with a freed font.
    UniqueGdiObject previous = std::move(font_);
    font_.reset(::CreateFontIndirectW(&metrics.lfMessageFont));
    for (Control* control : controls_) ::SendMessageW(control->hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font()), FALSE);
}

void Form::adopt(Control& control) {
    controls_.push_back(&control);
    ::SendMessageW(control.hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font()), FALSE);
}

void Form::forget(Control& control) { std::erase(controls_, &control); }

RECT Form::placeOf(const Control& control) const {
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    const int dx = client.right - scale(designClient_.cx);
    const int dy = client.bottom - scale(designClient_.cy);
    const Rect& r = control.designRect();
    int x = scale(r.x), y = scale(r.y), w = scale(r.w), h = scale(r.h);
    // Anchors only act between the form and its direct children; page contents keep their place.
    if (&control.parent() == this) {
        const unsigned a = control.anchors();
        if (a & AnchorRight) {
            if (a & AnchorLeft) w += dx; else x += dx;
        }
        if (a & AnchorBottom) {
            if (a & AnchorTop) h += dy; else y += dy;
        }
    }
    return {x, y, x + w, y + h};
}

void Form::layoutControls() {
    for (Control* control : controls_) {
        const Rect& r = control->designRect();
        if (r.w == 0 && r.h == 0) continue;  // placed by its owner (pages, status bar)
        const RECT place = placeOf(*control);
        // Never the old pixels: a control that only moved would keep slivers of its old place.
        ::SetWindowPos(control->hwnd(), nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    }
    for (Control* control : controls_) control->afterLayout();
    // Everything is painted whole once the layout is done, the status bar and the list's header too.
    ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void Form::centerOn(HWND other) {
    RECT area{};
    if (other && ::IsWindowVisible(other)) {
        ::GetWindowRect(other, &area);
    } else {
        MONITORINFO info{};
        info.cbSize = sizeof(info);
        ::GetMonitorInfoW(::MonitorFromWindow(hwnd(), MONITOR_DEFAULTTOPRIMARY), &info);
        area = info.rcWork;
    }
    RECT own{};
    ::GetWindowRect(hwnd(), &own);
    const int w = own.right - own.left, h = own.bottom - own.top;
    ::SetWindowPos(hwnd(), nullptr, area.left + (area.right - area.left - w) / 2,
                   area.top + (area.bottom - area.top - h) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A disabled window (busy, or the owner of a modal dialog) takes no command.
void Form::runMenuCommand(UINT id) {
    if (!::IsWindowEnabled(hwnd())) return;
    if (auto found = menuHandlers_.find(id); found != menuHandlers_.end()) found->second();
}

bool Form::dialogNavigation(MSG& message) { return ::IsDialogMessageW(hwnd(), &message) != FALSE; }

LRESULT Form::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        layoutControls();
        return 0;
    case WM_GETMINMAXINFO:
        if (minimumWindow_.cx > 0) {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            info->ptMinTrackSize = {scale(minimumWindow_.cx), scale(minimumWindow_.cy)};
            return 0;
        }
        break;
    case WM_DPICHANGED: {
        const UINT oldDpi = dpi_;
        dpi_ = HIWORD(wParam);
        updateFont();
        for (Control* control : controls_) control->onDpiChanged(oldDpi, dpi_);
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        ::SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                       suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        layoutControls();
        return 0;
    }
    case WM_COMMAND:
        if (lParam == 0) {  // menu item or accelerator
            runMenuCommand(LOWORD(wParam));
            return 0;
        }
        break;
    default:
        break;
    }
    return Container::handleMessage(message, wParam, lParam);
}

void DispatchAppMessage(MSG& message) {
    // Keys can still reach the focused control of a window that was disabled while it had the focus;
    // a disabled window takes no input, so they go nowhere.
    const bool input = (message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST) ||
                       (message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST);
    if (input && message.hwnd) {
        const HWND root = ::GetAncestor(message.hwnd, GA_ROOT);
        if (root && !::IsWindowEnabled(root)) return;
    }
    if (Form* form = FormOf(message.hwnd)) {
        if (form->preTranslateMessage(message) || form->dialogNavigation(message)) return;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
}

int RunMessageLoop() {
    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) DispatchAppMessage(message);
    return static_cast<int>(message.wParam);
}

}  // namespace win
