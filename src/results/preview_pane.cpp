#include "results/preview_pane.h"

#include <richedit.h>

#include <algorithm>

namespace findlark {
namespace {

// The rich edit ends a line with one CR, so every position below counts one unit per line break.
std::wstring WithCrBreaks(const std::wstring& text) {
    std::wstring out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') continue;
        out.push_back(text[i] == L'\n' ? L'\r' : text[i]);
    }
    return out;
}

CHARFORMAT2W Colours(bool highlighted) {
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_COLOR | CFM_BACKCOLOR;
    if (highlighted) {
        format.crTextColor = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
        format.crBackColor = ::GetSysColor(COLOR_HIGHLIGHT);
    } else {
        format.dwEffects = CFE_AUTOCOLOR | CFE_AUTOBACKCOLOR;
    }
    return format;
}

// Changes made while this lives are drawn once, at its end. WM_SETREDRAW also sets WS_VISIBLE, so a
// hidden pane is left as it is.
class DrawingPaused {
public:
    explicit DrawingPaused(HWND window) : window_(::IsWindowVisible(window) ? window : nullptr) {
        if (window_) ::SendMessageW(window_, WM_SETREDRAW, FALSE, 0);
    }
    ~DrawingPaused() {
        if (!window_) return;
        ::SendMessageW(window_, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(window_, nullptr, TRUE);
    }
    DrawingPaused(const DrawingPaused&) = delete;
    DrawingPaused& operator=(const DrawingPaused&) = delete;

private:
    HWND window_;
};

}  // namespace

void PreviewPane::create(win::Container& parent) {
    win::LoadRichEdit();
    Control::create(parent, MSFTEDIT_CLASS, L"",
                    ES_MULTILINE | ES_READONLY | ES_NOHIDESEL | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL | WS_HSCROLL |
                        WS_TABSTOP,
                    WS_EX_CLIENTEDGE, {});
    ::SendMessageW(hwnd(), EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    ::SendMessageW(hwnd(), EM_SETTARGETDEVICE, 0, 1);  // no wrapping: a line of the file is a line here
}

void PreviewPane::select(long start, long end) {
    CHARRANGE range{start, end};
    ::SendMessageW(hwnd(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

void PreviewPane::replace(long start, long end, const std::wstring& text, bool highlighted) {
    select(start, end);
    CHARFORMAT2W format = Colours(highlighted);
    ::SendMessageW(hwnd(), EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    ::SendMessageW(hwnd(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

void PreviewPane::highlight(const Mark& mark) {
    select(mark.start, mark.start + mark.length);
    CHARFORMAT2W format = Colours(true);
    ::SendMessageW(hwnd(), EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

void PreviewPane::start(const std::wstring& header) {
    const DrawingPaused paused(hwnd());
    ::SetWindowTextW(hwnd(), L"");
    CHARFORMAT2W format = Colours(false);
    ::SendMessageW(hwnd(), EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
    marks_.clear();
    scrolledToMatch_ = false;
    ++itemsStarted_;
    const std::wstring text = header.empty() ? L"" : WithCrBreaks(header) + L"\r";
    replace(0, 0, text, false);
    headerLength_ = length_ = static_cast<long>(text.size());
    header_ = text;
    select(0, 0);
}

void PreviewPane::setHeader(const std::wstring& header) {
    const std::wstring text = header.empty() ? L"" : WithCrBreaks(header) + L"\r";
    if (text == header_) return;
    CHARRANGE kept{};
    ::SendMessageW(hwnd(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&kept));
    const int firstVisible = static_cast<int>(::SendMessageW(hwnd(), EM_GETFIRSTVISIBLELINE, 0, 0));
    const DrawingPaused paused(hwnd());
    replace(0, headerLength_, text, false);
    header_ = text;
    const long shift = static_cast<long>(text.size()) - headerLength_;
    headerLength_ += shift;
    length_ += shift;
    for (Mark& mark : marks_) mark.start += shift;
    if (kept.cpMin >= headerLength_ - shift) kept.cpMin += shift, kept.cpMax += shift;
    select(kept.cpMin, kept.cpMax);
    // The view stays where it was; the header's lines are counted once.
    const int nowVisible = static_cast<int>(::SendMessageW(hwnd(), EM_GETFIRSTVISIBLELINE, 0, 0));
    ::SendMessageW(hwnd(), EM_LINESCROLL, 0, firstVisible - nowVisible);
}

void PreviewPane::append(const std::vector<PreviewLine>& lines) {
    if (lines.empty()) return;
    std::wstring text;
    std::vector<Mark> added;
    for (const PreviewLine& line : lines) {
        if (line.gapBefore) text += L"\r";
        text += std::to_wstring(line.number) + (line.matching ? L": " : L"- ");
        const long base = length_ + static_cast<long>(text.size());
        for (const PreviewMark& mark : line.marks)
            added.push_back({base + static_cast<long>(mark.begin), static_cast<long>(mark.length)});
        text.append(line.text.begin(), line.text.end());
        text += L"\r";
    }
    CHARRANGE kept{};
    ::SendMessageW(hwnd(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&kept));
    const int firstVisible = static_cast<int>(::SendMessageW(hwnd(), EM_GETFIRSTVISIBLELINE, 0, 0));
    const DrawingPaused paused(hwnd());
    replace(length_, length_, text, false);
    length_ += static_cast<long>(text.size());
    for (const Mark& mark : added) highlight(mark);
    marks_.insert(marks_.end(), added.begin(), added.end());
    if (!scrolledToMatch_ && !added.empty()) {
        // The first match is where the user looks first.
        scrolledToMatch_ = true;
        select(added.front().start, added.front().start + added.front().length);
        ::SendMessageW(hwnd(), EM_SCROLLCARET, 0, 0);
    } else {
        select(kept.cpMin, kept.cpMax);
        const int nowVisible = static_cast<int>(::SendMessageW(hwnd(), EM_GETFIRSTVISIBLELINE, 0, 0));
        ::SendMessageW(hwnd(), EM_LINESCROLL, 0, firstVisible - nowVisible);
    }
}

bool PreviewPane::goToMatch(bool forward) {
    if (marks_.empty()) return false;
    CHARRANGE at{};
    ::SendMessageW(hwnd(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&at));
    const auto after = std::upper_bound(marks_.begin(), marks_.end(), at.cpMin,
                                        [](long position, const Mark& mark) { return position < mark.start; });
    const Mark* target = nullptr;
    if (forward) {
        target = after != marks_.end() ? &*after : &marks_.front();
    } else {
        auto before = std::lower_bound(marks_.begin(), marks_.end(), at.cpMin,
                                       [](const Mark& mark, long position) { return mark.start < position; });
        target = before != marks_.begin() ? &*std::prev(before) : &marks_.back();
    }
    select(target->start, target->start + target->length);
    ::SendMessageW(hwnd(), EM_SCROLLCARET, 0, 0);
    return true;
}

std::wstring PreviewPane::shownText() const {
    GETTEXTLENGTHEX lengthRequest{GTL_USECRLF | GTL_NUMCHARS, 1200};
    const auto length = ::SendMessageW(hwnd(), EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&lengthRequest), 0);
    std::wstring text(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
    GETTEXTEX request{};
    request.cb = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    request.flags = GT_USECRLF;
    request.codepage = 1200;
    const auto got = ::SendMessageW(hwnd(), EM_GETTEXTEX, reinterpret_cast<WPARAM>(&request), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(std::max<LRESULT>(got, 0)));
    return text;
}

}  // namespace findlark
