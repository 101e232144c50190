#include "help/form_tip.h"

#include "help/tips.h"

#include <random>

namespace findlark {

TFormTip::TFormTip(HWND owner, std::size_t firstTip, bool showOnStartup) {
    createDialog(L"Tips and Tricks", {420, 220}, owner);
    LabelDidYouKnow.create(*this, L"Did you know...", {16, 14, 388, 24});
    LabelTip.create(*this, L"", {16, 48, 388, 110});
    CheckBoxShowTipsOnStartup.create(*this, L"&Show Tips on Startup", {16, 184, 180, 19});
    ButtonNextTip.create(*this, L"&Next Tip", {248, 182, 80, 25});
    ButtonClose.create(*this, L"&Close", {334, 182, 80, 25});
    setDefaultButton(ButtonClose);
    setCancelButton(ButtonClose);

    LOGFONTW header{};
    ::GetObjectW(font(), sizeof(header), &header);
    header.lfWeight = FW_BOLD;
    header.lfHeight = header.lfHeight * 3 / 2;
    headerFont_.reset(::CreateFontIndirectW(&header));
    ::SendMessageW(LabelDidYouKnow.hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(headerFont_.get()), FALSE);

    CheckBoxShowTipsOnStartup.setChecked(showOnStartup);
    ButtonNextTip.onClick = [this] { showTip(NextTip(tip_)); };
    ButtonClose.onClick = [this] { endModal(IDOK); };
    showTip(firstTip % kTips.size());
}

// The label lets go of the header font before it is freed.
TFormTip::~TFormTip() { destroyWindow(); }

void TFormTip::showTip(std::size_t index) {
    tip_ = index;
    LabelTip.setText(kTips[index]);
}

void TipOfTheDay::show(win::Interaction& interaction, HWND owner) {
    if (showing_) return;
    showing_ = true;
    std::mt19937 random(std::random_device{}());
    TFormTip dialog(owner, std::uniform_int_distribution<std::size_t>(0, kTips.size() - 1)(random), showOnStartup_);
    interaction.showModal(dialog, owner);
    showOnStartup_ = dialog.CheckBoxShowTipsOnStartup.checked();
    showing_ = false;
}

}  // namespace findlark
