#pragma once
// COM for the shell and the common controls, for as long as the object lives (one per UI thread).
#include <windows.h>

namespace win {

class PlatformInit {
public:
    PlatformInit();
    ~PlatformInit();
    PlatformInit(const PlatformInit&) = delete;
    PlatformInit& operator=(const PlatformInit&) = delete;

private:
    bool comInitialised_ = false;
};

}  // namespace win
