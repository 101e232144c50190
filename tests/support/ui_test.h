#pragma once
// Helpers for driving forms in-process: scripted answers for the modal seam and a message pump.
#include "win/controls.h"
#include "search/search_session.h"
#include "win/dialog.h"
#include "win/interaction.h"
#include "win/list_view.h"

#include <atomic>
#include <memory>

#include <chrono>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

// A message box as the program showed it.
struct ShownMessage {
    std::wstring text;
    std::wstring caption;
    UINT flags = 0;
};

// Answers modal requests from a script; records what was asked. Never blocks.
class ScriptedInteraction final : public win::Interaction {
public:
    std::deque<std::optional<std::wstring>> folderAnswers;
    std::vector<std::wstring> folderRequests;
    // Answers of the open and save dialogs in turn (nothing: cancelled), and what they were asked.
    std::deque<std::optional<std::wstring>> fileAnswers;
    // The type chosen in each save or open dialog, in turn (from 1); when none is left the request's stays.
    std::deque<int> fileTypeAnswers;
    std::vector<win::FileDialogRequest> fileRequests;
    std::vector<bool> fileRequestSaves;
    // Answers of message boxes in turn; when none is left a box is answered with its first button.
    std::deque<int> messageAnswers;
    std::vector<ShownMessage> messages;
    // Runs while a message box is shown (its owner disabled, as the real box leaves it).
    std::function<void()> whileMessageShown;
    // What the user does in each of the program's own dialogs, in turn; each ends the dialog (or it
    // counts as cancelled). The captions of the dialogs shown are recorded.
    std::deque<std::function<void(win::Dialog&)>> dialogScripts;
    std::vector<std::wstring> dialogs;
    // What the shell was asked to open, and the help shown (file and context; 0 for the contents).
    std::vector<std::wstring> opened;
    struct HelpShown {
        std::wstring file;
        unsigned context;
        std::wstring page;
    };
    std::vector<HelpShown> helpShown;

    std::optional<std::wstring> browseForFolder(HWND owner, std::wstring_view instruction) override;
    std::optional<std::wstring> openFileName(HWND owner, const win::FileDialogRequest& request) override;
    std::optional<std::wstring> saveFileName(HWND owner, const win::FileDialogRequest& request) override;
    int showModal(win::Dialog& dialog, HWND owner) override;
    int messageBox(HWND owner, std::wstring_view text, std::wstring_view caption, UINT flags) override;
    // What the shell answers to "open", in turn; opened when none is left.
    std::deque<win::ShellOpenOutcome> openAnswers;
    std::vector<std::wstring> openedWith;
    win::ShellOpenOutcome shellOpen(HWND, std::wstring_view target) override {
        opened.emplace_back(target);
        if (openAnswers.empty()) return {};
        const win::ShellOpenOutcome answer = openAnswers.front();
        openAnswers.pop_front();
        return answer;
    }
    void openWith(HWND, std::wstring_view path) override { openedWith.emplace_back(path); }
    void showHelp(HWND, const std::wstring& file, unsigned context, std::wstring_view page) override {
        helpShown.push_back({file, context, std::wstring(page)});
    }
    // Popup menus: the captions of each menu shown (a separator as "-", a grayed item with "(off)"
    // after it), and the item to choose in each, by its caption, in turn (none: dismissed).
    std::vector<std::vector<std::wstring>> popupMenus;
    std::deque<std::wstring> popupChoices;
    UINT trackPopupMenu(HWND owner, HMENU menu, POINT at) override;
    std::vector<std::vector<std::wstring>> shownInFolders;
    void showInFolders(const std::vector<std::wstring>& paths) override { shownInFolders.push_back(paths); }
    // Files dragged out, and what the drop target answers.
    std::vector<std::vector<std::wstring>> dragged;
    DWORD dropEffect = DROPEFFECT_NONE;
    DWORD dragFiles(const std::vector<std::wstring>& paths) override {
        dragged.push_back(paths);
        return dropEffect;
    }
};

// Starts each run's real worker, but the walk waits until the gate is open (or the run is stopped),
// so a test can act on a run that is certainly still under way.
class GatedLauncher {
public:
    GatedLauncher();
    findlark::RunLauncher launcher() const;
    void open();
    void close();

private:
    std::shared_ptr<std::atomic<bool>> open_;
};

// The text a list view shows in a cell.
std::wstring ShownText(const win::VirtualListView& view, int row, int column);

// Dispatches pending messages as the program's loop does, for a while or until a condition holds.
void PumpMessages(std::chrono::milliseconds duration = std::chrono::milliseconds(0));
bool PumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = std::chrono::seconds(10));

// Sends a key press to a control through the program's own dispatch (key preview included).
void PressKey(HWND target, WPARAM key);
// Types one character into a control.
void TypeChar(HWND target, wchar_t character);
// Clicks a tab of a tab control with the mouse.
void ClickTab(const win::PageControl& pages, int index);

}  // namespace testing_support
