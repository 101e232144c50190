#include "win/html_help.h"

namespace win {
namespace {
// The commands of the viewer, as its documentation numbers them.
constexpr UINT kDisplayToc = 0x0001;
constexpr UINT kDisplayTopic = 0x0000;
constexpr UINT kCloseAll = 0x0012;
}  // namespace

HtmlHelpViewer::HtmlHelpViewer() : library_(::LoadLibraryW(L"HHCTRL.OCX")) {
    // Through a generic function pointer first: GetProcAddress does not know the real type.
    if (library_) htmlHelp_ = reinterpret_cast<HtmlHelpFunction>(reinterpret_cast<void (*)()>(::GetProcAddress(library_.get(), "HtmlHelpW")));
}

HtmlHelpViewer::~HtmlHelpViewer() {
    if (!htmlHelp_) return;
    htmlHelp_(nullptr, nullptr, kCloseAll, 0);
    ::Sleep(100);  // the viewer's windows finish closing before the library goes
}

void HtmlHelpViewer::showContents(HWND owner, const std::wstring& file) const {
    if (htmlHelp_) htmlHelp_(owner, file.c_str(), kDisplayToc, 0);
}

void HtmlHelpViewer::showTopic(HWND owner, const std::wstring& topic) const {
    if (htmlHelp_) htmlHelp_(owner, topic.c_str(), kDisplayTopic, 0);
}

}  // namespace win
