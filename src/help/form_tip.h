#pragma once
// The tip of the day: a dialog made each time it is shown, and the show-on-start-up option that
// lives as long as the program.
#include "win/dialog.h"
#include "win/interaction.h"

namespace findlark {

class TFormTip : public win::Dialog {
public:
    TFormTip(HWND owner, std::size_t firstTip, bool showOnStartup);
    ~TFormTip() override;

    win::Label LabelDidYouKnow;
    win::Label LabelTip;
    win::CheckBox CheckBoxShowTipsOnStartup;
    win::Button ButtonNextTip;
    win::Button ButtonClose;

    std::size_t tip() const { return tip_; }

private:
    void showTip(std::size_t index);
    std::size_t tip_ = 0;
    win::UniqueGdiObject headerFont_;
};

class TipOfTheDay {
public:
    bool showOnStartup() const { return showOnStartup_; }
    void setShowOnStartup(bool show) { showOnStartup_ = show; }
    // Shows the dialog with a tip chosen at random; on closing, the option takes the check box's
    // state. Asked again while it is showing, it does nothing.
    void show(win::Interaction& interaction, HWND owner);

private:
    bool showOnStartup_ = false;
    bool showing_ = false;
};

}  // namespace findlark
