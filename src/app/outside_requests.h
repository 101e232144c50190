#pragma once
// What reaches the main window from outside: the command line, another copy's arguments (handed
// over by WM_COPYDATA) and items dropped on the window. Folders become the additional folders, a
// search options file is loaded, "/search" starts the search.
#include "app/command_line.h"
#include "app/criteria_files.h"
#include "criteria/criteria_pages.h"
#include "win/form.h"
#include "win/interaction.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace findlark {

// WM_COPYDATA's mark for a command line handed over by another copy.
inline constexpr ULONG_PTR kCommandLineData = 0x464C4B31;  // "FLK1"

class OutsideRequests {
public:
    OutsideRequests(CriteriaPages& criteria, win::PageControl& pages, CriteriaFiles& files, win::Interaction& interaction,
                    win::Form& owner, std::function<void()> startSearch)
        : criteria_(criteria),
          pages_(pages),
          files_(files),
          interaction_(interaction),
          owner_(owner),
          startSearch_(std::move(startSearch)) {}

    // Arguments of this copy or of another one; a bad argument is told and nothing changes. Folders
    // handed over within a second of the last ones join them (Explorer starts a copy per folder).
    void commandLine(const std::vector<std::wstring>& arguments) { handedOver(arguments, 0); }
    void handedOver(const std::vector<std::wstring>& arguments, unsigned long long nowMilliseconds);
    // Folders and search options files dropped on the window: the folders join the additional folders.
    void dropped(const std::vector<std::wstring>& paths);

    // Marks this copy's main window so that later copies find it.
    static void markMainWindow(HWND window);
    static void unmarkMainWindow(HWND window);
    // Hands the arguments to the copy already running and brings it to the front; false when none answered.
    static bool handToRunningCopy(HWND self, const std::vector<std::wstring>& arguments);
    // The same, tried again for a few seconds while the other copy is still starting; says so when
    // it never answers.
    static bool handToStartingCopy(HWND self, const std::vector<std::wstring>& arguments, win::Interaction& interaction);
    // The program's arguments as given to this copy: quotes the shell left are mended, and relative
    // paths are made whole against this copy's current folder before they go anywhere.
    static std::vector<std::wstring> absoluteArguments(const std::vector<std::wstring>& arguments);

private:
    bool parse(const std::vector<std::wstring>& arguments, CommandLine& line);

    CriteriaPages& criteria_;
    win::PageControl& pages_;
    CriteriaFiles& files_;
    win::Interaction& interaction_;
    win::Form& owner_;
    std::function<void()> startSearch_;
    std::optional<unsigned long long> lastFoldersAt_;  // when folders were last handed over
};

}  // namespace findlark
