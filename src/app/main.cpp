// Program entry.
#include "app/application.h"
#include "app/single_instance.h"
#include "settings/registry_store.h"
#include "win/platform_init.h"

#include <shellapi.h>

#include <exception>
#include <string>
#include <vector>

namespace {

// The arguments after the program's name.
std::vector<std::wstring> Arguments() {
    int count = 0;
    LPWSTR* const words = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::wstring> arguments;
    for (int i = 1; words && i < count; ++i) arguments.emplace_back(words[i]);
    ::LocalFree(words);
    return arguments;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    // A copy inside its own start-up check at this moment: end without a window or a word.
    if (!findlark::OneInstanceCheck()) return 0;
    const win::PlatformInit platform;
    try {
        win::SystemInteraction interaction;
        findlark::RegistryStore settings;
        findlark::Application application({interaction, settings});
        application.main().takeCommandLine(Arguments());
        return application.run(showCommand);
    } catch (const std::exception& error) {
        // Only the windows' creation can fail here; say so instead of vanishing.
        const std::string what = error.what();
        const std::wstring text = L"Findlark could not start: " + std::wstring(what.begin(), what.end());
        ::MessageBoxW(nullptr, text.c_str(), L"Findlark 1.0", MB_OK | MB_ICONERROR);
        return 1;
    }
}
