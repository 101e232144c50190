// The Help menu and the Help button: topics of "Help.chm", help on help, the maker's pages, the about box.
#include "app/form_main.h"

#include "help/help_links.h"

namespace findlark {

void TFormMain::BitBtnHelpClick() { Contents1Click(); }

void TFormMain::Contents1Click() { showHelpTopic(HelpContents); }

// A missing help file shows nothing; help never waits, so a search runs on meanwhile.
void TFormMain::showHelpTopic(unsigned context) {
    if (::GetFileAttributesW(helpFile_.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    interaction_.showHelp(hwnd(), helpFile_, context, HelpTopicPage(context));
}

void TFormMain::Usinghelp1Click() {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = ::GetWindowsDirectoryW(folder, MAX_PATH);
    std::wstring path(folder, length);
    if (path.empty() || path.back() != L'\\') path.push_back(L'\\');
    interaction_.shellOpen(hwnd(), path + L"help\\nthelp.chm");
}

void TFormMain::FindlarkontheWeb1Click() { interaction_.shellOpen(hwnd(), kProductSite); }

void TFormMain::ContactingNorvaleSoftware1Click() { interaction_.shellOpen(hwnd(), kContactsPage); }

void TFormMain::About1Click() {
    if (about_) interaction_.showModal(*about_, hwnd());
}

}  // namespace findlark
