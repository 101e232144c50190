#include "win/platform_init.h"

#include <commctrl.h>
#include <objbase.h>
#include <ole2.h>

namespace win {

PlatformInit::PlatformInit() {
    // A drive without a medium yields nothing instead of the system's "no disk" box.
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    // OLE, not just COM: dragging rows out needs it on the UI thread.
    comInitialised_ = SUCCEEDED(::OleInitialize(nullptr));
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_USEREX_CLASSES | ICC_STANDARD_CLASSES | ICC_TAB_CLASSES;
    ::InitCommonControlsEx(&controls);
}

PlatformInit::~PlatformInit() {
    if (comInitialised_) ::OleUninitialize();
}

}  // namespace win
