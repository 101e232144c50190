// Program entry.
#include "app/application.h"
#include "app/outside_requests.h"
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
    using findlark::OutsideRequests;
    const std::vector<std::wstring> arguments = OutsideRequests::absoluteArguments(Arguments());
    // A copy with arguments hands them to the running copy before it makes any window or writes anything.
    if (!arguments.empty() && OutsideRequests::handToRunningCopy(nullptr, arguments)) return 0;
    if (!findlark::OneInstanceCheck()) {
        // Another copy is starting at this moment: it takes the arguments once its window is up.
        if (arguments.empty()) return 0;
        win::SystemInteraction interaction;
        return OutsideRequests::handToStartingCopy(nullptr, arguments, interaction) ? 0 : 1;
    }
    const win::PlatformInit platform;
    try {
        win::SystemInteraction interaction;
        findlark::RegistryStore settings;
        findlark::Application application({interaction, settings});
        application.main().takeCommandLine(arguments);
        return application.run(showCommand);
    } catch (const std::exception& error) {
        // Only the windows' creation can fail here; say so instead of vanishing.
        const std::string what = error.what();
        const std::wstring text = L"Findlark could not start: " + std::wstring(what.begin(), what.end());
        ::MessageBoxW(nullptr, text.c_str(), L"Findlark 1.0", MB_OK | MB_ICONERROR);
        return 1;
    }
}
