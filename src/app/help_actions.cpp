#include "app/help_actions.h"

#include "help/help_links.h"

namespace findlark {

// Help never waits, so a search runs on meanwhile.
void HelpActions::showTopic(unsigned context) {
    if (::GetFileAttributesW(helpFile_.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    interaction_.showHelp(owner_.hwnd(), helpFile_, context, HelpTopicPage(context));
}

void HelpActions::showHelpOnHelp() {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = ::GetWindowsDirectoryW(folder, MAX_PATH);
    std::wstring path(folder, length);
    if (path.empty() || path.back() != L'\\') path.push_back(L'\\');
    interaction_.shellOpen(owner_.hwnd(), path + L"help\\nthelp.chm");
}

void HelpActions::showProductSite() { interaction_.shellOpen(owner_.hwnd(), kProductSite); }

void HelpActions::showContacts() { interaction_.shellOpen(owner_.hwnd(), kContactsPage); }

void HelpActions::showAbout() {
    if (about_) interaction_.showModal(*about_, owner_.hwnd());
}

}  // namespace findlark
