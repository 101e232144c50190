#pragma once
// The Help menu and the Help button: topics of "Help.chm", help on help, the maker's pages and the
// about box, all through the seam.
#include "help/form_about.h"
#include "win/form.h"
#include "win/interaction.h"

#include <string>

namespace findlark {

class HelpActions {
public:
    HelpActions(win::Interaction& interaction, win::Form& owner) : interaction_(interaction), owner_(owner) {}
    void setHelpFile(std::wstring path) { helpFile_ = std::move(path); }
    const std::wstring& helpFile() const { return helpFile_; }
    void connect(TFormAbout& about) { about_ = &about; }

    // A topic by its context number (0: the contents); a missing help file shows nothing.
    void showTopic(unsigned context);
    void showHelpOnHelp();
    void showProductSite();
    void showContacts();
    void showAbout();

private:
    win::Interaction& interaction_;
    win::Form& owner_;
    std::wstring helpFile_;
    TFormAbout* about_ = nullptr;
};

}  // namespace findlark
