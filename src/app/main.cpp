// Program entry.
#include "app/form_main.h"
#include "win/platform_init.h"

#include <exception>
#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    const win::PlatformInit platform;
    try {
        win::SystemInteraction interaction;
        findlark::TFormMain main(interaction);
        ::ShowWindow(main.hwnd(), showCommand);
        main.BitBtnSearch.focus();
        return win::RunMessageLoop();
    } catch (const std::exception& error) {
        // Only the window's creation can fail here; say so instead of vanishing.
        const std::string what = error.what();
        const std::wstring text = L"Findlark could not start: " + std::wstring(what.begin(), what.end());
        ::MessageBoxW(nullptr, text.c_str(), L"Findlark 1.0", MB_OK | MB_ICONERROR);
        return 1;
    }
}
