#include "app/preview_actions.h"

#include "search/content_file.h"

#include <algorithm>

namespace findlark {
namespace {

constexpr int kSplitterHeight = 5;
constexpr int kSmallestPane = 40;
// The list keeps its header and three rows.
constexpr int kListRowsKept = 3;

}  // namespace

PreviewActions::PreviewActions(PreviewPane& pane, win::Splitter& splitter, win::VirtualListView& list, ResultsList& results,
                               ResultsActions& actions, win::Form& form)
    : pane_(pane), splitter_(splitter), list_(list), results_(results), actions_(actions), form_(form),
      reader_([this] { updated(); }) {
    splitter_.onDrag = [this](int y) {
        const int pixels = area_.bottom - y - form_.scale(kSplitterHeight) / 2;
        setHeight(::MulDiv(pixels, 96, static_cast<int>(form_.dpi())));
    };
}

void PreviewActions::runStarted(const SearchCriteria& criteria) {
    std::optional<ContentRule> rule = MakeContentRule(criteria);
    rule_ = rule ? std::make_shared<const ContentRule>(std::move(*rule)) : nullptr;
    reader_.clear();
    path_.clear();
    pane_.clear();
}

void PreviewActions::rowsShown() {
    if (list_.rowCount() > 0 && list_.focusedRow() < 0) list_.setFocused(0);
}

void PreviewActions::focusChanged() {
    if (shown_) show(list_.focusedRow());
}

void PreviewActions::show(int row) {
    if (row < 0 || row >= results_.count()) {
        reader_.clear();
        path_.clear();
        pane_.clear();
        return;
    }
    const ResultEntry entry = results_.rows().entry(row);
    std::wstring path = entry.fullPath();
    if (path == path_) return;
    path_ = path;
    PreviewRequest request;
    request.path = std::move(path);
    request.folder = entry.isFolder();
    request.rule = rule_;
    request.limits.contextLines = static_cast<unsigned>(contextLines_);
    request.readOnlineOnly = readOnlineOnly_;
    reader_.show(std::move(request));
}

void PreviewActions::updated() {
    std::optional<PreviewUpdate> update = reader_.take();
    if (!update) return;
    if (update->fresh) {
        pane_.start(update->header);
    } else {
        pane_.setHeader(update->header);
    }
    pane_.append(update->lines);
}

void PreviewActions::setShown(bool shown) {
    shown_ = shown;
    pane_.setVisible(shown);
    splitter_.setVisible(shown);
    place();
    if (shown) {
        path_.clear();
        focusChanged();
    } else {
        reader_.clear();
        path_.clear();
        pane_.clear();
    }
}

void PreviewActions::setHeight(int height) {
    height_ = std::max(height, kSmallestPane);
    place();
}

void PreviewActions::setContextLines(int lines) {
    const int kept = std::clamp(lines, 0, 9);
    if (kept == contextLines_) return;
    contextLines_ = kept;
    path_.clear();  // shown again with the new context
    focusChanged();
}

void PreviewActions::place() {
    // The layout's place for the list, shared with the pane.
    const RECT list = form_.placeOf(list_);
    area_ = list;
    const int width = list.right - list.left, whole = list.bottom - list.top;
    if (width <= 0 || whole <= 0) return;  // minimized
    if (!shown_) {
        ::SetWindowPos(list_.hwnd(), nullptr, list.left, list.top, width, whole, SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    RECT row{};
    const int rowHeight = ListView_GetItemRect(list_.hwnd(), 0, &row, LVIR_BOUNDS) ? row.bottom - row.top : form_.scale(17);
    RECT header{};
    ::GetWindowRect(ListView_GetHeader(list_.hwnd()), &header);
    const int listLeast = (header.bottom - header.top) + kListRowsKept * rowHeight + 4;
    const int bar = form_.scale(kSplitterHeight);
    const int pane = std::clamp(form_.scale(height_), 0, std::max(whole - bar - listLeast, 0));
    const int listHeight = whole - bar - pane;
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    ::SetWindowPos(list_.hwnd(), nullptr, list.left, list.top, width, listHeight, flags);
    ::SetWindowPos(splitter_.hwnd(), nullptr, list.left, list.top + listHeight, width, bar, flags);
    ::SetWindowPos(pane_.hwnd(), nullptr, list.left, list.top + listHeight + bar, width, pane, flags);
}

bool PreviewActions::goToMatch(bool forward) { return shown_ && pane_.goToMatch(forward); }

void PreviewActions::openShown() {
    if (!path_.empty()) actions_.openItem(path_);
}

}  // namespace findlark
