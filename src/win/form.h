#pragma once
// A top-level window of ours: owns its controls' layout, its DPI scale and its font.
#include "win/control.h"
#include "win/handle.h"

#include <functional>
#include <map>
#include <vector>

namespace win {

struct FormArgs {
    std::wstring_view caption;
    SIZE designClient{};  // client size at 96 dpi that the layout table was drawn for
    SIZE minimumWindow{}; // smallest outer size at 96 dpi, zero for none
    DWORD style = WS_OVERLAPPEDWINDOW;
    DWORD exStyle = 0;
    HMENU menu = nullptr; // taken over by the window
    HWND owner = nullptr;
};

class Form : public Container {
public:
    ~Form() override;

    HWND hwnd() const { return windowHandle(); }
    Form& form() override { return *this; }

    int scale(int designUnits) const { return ::MulDiv(designUnits, static_cast<int>(dpi_), 96); }
    UINT dpi() const { return dpi_; }
    HFONT font() const { return static_cast<HFONT>(font_.get()); }
    int nextControlId() { return nextControlId_++; }
    // Called by every control on creation: gives it the form's font and a place in the layout.
    void adopt(Control& control);
    // Called by a control that is destroyed: it leaves the layout.
    void forget(Control& control);

    // Sees every message meant for this form or its controls before they do; true when consumed.
    virtual bool preTranslateMessage(MSG& /*message*/) { return false; }
    // Keyboard navigation (Tab, arrows, mnemonics) among the form's controls.
    bool dialogNavigation(MSG& message);

    // Where the layout places a control of this form now, in its parent's client pixels.
    RECT placeOf(const Control& control) const;

    // Menu commands by identifier.
    void onMenu(UINT id, std::function<void()> handler) { menuHandlers_[id] = std::move(handler); }
    void runMenuCommand(UINT id);

protected:
    Form() = default;
    void createWindow(const FormArgs& args);
    // Destroys the window and every control's window while all the form's members still live; a
    // derived form calls it first in its destructor, so no message reaches a half-destroyed form.
    void destroyWindow();
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Places every control from its design rectangle, anchors and the current client size.
    void layoutControls();
    void centerOn(HWND other);

private:
    void updateFont();

    UINT dpi_ = 96;
    SIZE designClient_{};
    SIZE minimumWindow_{};
    UniqueGdiObject font_;
    std::vector<Control*> controls_;
    std::map<UINT, std::function<void()>> menuHandlers_;
    int nextControlId_ = 1000;
};

// Dispatches one message the way the program's message loop does.
void DispatchAppMessage(MSG& message);
// The program's message loop; returns the exit code of WM_QUIT.
int RunMessageLoop();

}  // namespace win
