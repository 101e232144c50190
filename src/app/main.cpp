// Program entry.
#include "app/form_main.h"
#include "win/platform_init.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    const win::PlatformInit platform;
    win::SystemInteraction interaction;
    findlark::TFormMain main(interaction);
    ::ShowWindow(main.hwnd(), showCommand);
    main.BitBtnSearch.focus();
    return win::RunMessageLoop();
}
