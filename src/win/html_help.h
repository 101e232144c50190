#pragma once
// The HTML Help viewer of the system ("HtmlHelpW" of HHCTRL.OCX), loaded for the life of the object;
// at its end every help window is closed and the library let go.
#include "win/handle.h"

#include <string>

namespace win {

class HtmlHelpViewer {
public:
    HtmlHelpViewer();
    ~HtmlHelpViewer();
    HtmlHelpViewer(const HtmlHelpViewer&) = delete;
    HtmlHelpViewer& operator=(const HtmlHelpViewer&) = delete;

    bool available() const { return htmlHelp_ != nullptr; }
    void showContents(HWND owner, const std::wstring& file) const;
    // A page of a help file: "file::/page.html".
    void showTopic(HWND owner, const std::wstring& topic) const;

private:
    using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
    UniqueModule library_;
    HtmlHelpFunction htmlHelp_ = nullptr;
};

}  // namespace win
