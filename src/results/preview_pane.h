#pragma once
// The preview pane below the results list: a read-only rich edit that shows the focused row's lines
// as grep does ("12: " a matching line, "13- " context, an empty line between groups), every
// occurrence of a phrase in the system's highlight colours. It answers WM_GETTEXT with what it
// shows. Lines arrive in batches while the file is read; the header above them is replaced each time.
#include "model/preview_line.h"
#include "win/controls.h"

#include <string>
#include <vector>

namespace findlark {

class PreviewPane : public win::Control {
public:
    void create(win::Container& parent);
    // Empties the pane and shows the header of a new item.
    void start(const std::wstring& header);
    void setHeader(const std::wstring& header);
    void append(const std::vector<PreviewLine>& lines);
    void clear() { start(L""); }

    // Selects the next (or previous) mark after the caret, wrapping around; false when there is none.
    bool goToMatch(bool forward);
    std::size_t markCount() const { return marks_.size(); }
    // How many items the pane has begun to show.
    std::size_t itemsStarted() const { return itemsStarted_; }
    // The text shown, with line breaks as CR LF.
    std::wstring shownText() const;

private:
    struct Mark {
        long start = 0, length = 0;
    };
    void replace(long start, long end, const std::wstring& text, bool highlighted);
    void highlight(const Mark& mark);
    void select(long start, long end);

    std::wstring header_;    // as shown, with its final line break
    long headerLength_ = 0;
    long length_ = 0;
    std::vector<Mark> marks_;
    bool scrolledToMatch_ = false;
    std::size_t itemsStarted_ = 0;
};

}  // namespace findlark
