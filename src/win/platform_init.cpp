#include "win/platform_init.h"

#include <commctrl.h>
#include <objbase.h>

namespace win {

PlatformInit::PlatformInit() {
    // A drive without a medium yields nothing instead of the system's "no disk" box.
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    comInitialised_ = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_USEREX_CLASSES | ICC_STANDARD_CLASSES | ICC_TAB_CLASSES;
    ::InitCommonControlsEx(&controls);
}

PlatformInit::~PlatformInit() {
    if (comInitialised_) ::CoUninitialize();
}

}  // namespace win
