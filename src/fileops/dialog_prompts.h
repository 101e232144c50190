#pragma once
// The questions of a file operation as the program asks them: the folder browser, message boxes and
// the confirm-replace dialog, all through the seam.
#include "fileops/form_confirm.h"
#include "fileops/operation_prompts.h"
#include "win/interaction.h"

#include <functional>
#include <utility>

namespace findlark {

class DialogPrompts final : public OperationPrompts {
public:
    // `sizeUnit` gives the unit's index and text in which the dialog writes sizes.
    DialogPrompts(win::Interaction& interaction, HWND owner, TFormConfirm& confirm,
                  std::function<std::pair<int, std::wstring>()> sizeUnit);

    std::optional<std::wstring> chooseDestination() override;
    bool confirmDelete(bool forGood) override;
    ConflictReply askReplace(const Conflict& conflict) override;
    void reportFailures(const std::wstring& text) override;

private:
    win::Interaction& interaction_;
    HWND owner_;
    TFormConfirm& confirm_;
    std::function<std::pair<int, std::wstring>()> sizeUnit_;
};

}  // namespace findlark
