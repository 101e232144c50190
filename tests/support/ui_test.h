#pragma once
// Helpers for driving forms in-process: scripted answers for the modal seam and a message pump.
#include "win/controls.h"
#include "win/interaction.h"

#include <chrono>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

// Answers modal requests from a script; records what was asked. Never blocks.
class ScriptedInteraction final : public win::Interaction {
public:
    std::deque<std::optional<std::wstring>> folderAnswers;
    std::vector<std::wstring> folderRequests;

    std::optional<std::wstring> browseForFolder(HWND owner, std::wstring_view instruction) override;
};

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
