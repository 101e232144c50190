#pragma once
// The preview pane's side of the main window: which row it shows (the focused one), with which
// phrases (those of the run that listed the rows), its place below the list with the splitter
// between them, and what its keys do.
#include "app/results_actions.h"
#include "results/preview_pane.h"
#include "results/results_list.h"
#include "search/preview_reader.h"
#include "win/list_view.h"
#include "win/splitter.h"

#include <memory>
#include <string>

namespace findlark {

class PreviewActions {
public:
    PreviewActions(PreviewPane& pane, win::Splitter& splitter, win::VirtualListView& list, ResultsList& results,
                   ResultsActions& actions, win::Form& form);

    // A run starts: its rows will be shown with its phrases.
    void runStarted(const SearchCriteria& criteria);
    // The phrases of the rows' run; null for none.
    const std::shared_ptr<const ContentRule>& rule() const { return rule_; }
    // Rows arrived: with none focused yet, the first one takes the focus and is shown.
    void rowsShown();
    void focusChanged();

    bool shown() const { return shown_; }
    void setShown(bool shown);
    // The pane's height in design units, kept whatever the window's DPI.
    int height() const { return height_; }
    void setHeight(int height);
    void setContextLines(int lines);
    void setReadOnlineOnly(bool read) { readOnlineOnly_ = read; }
    // Splits the place the layout gave the list between the list, the splitter and the pane.
    void place();

    bool goToMatch(bool forward);
    // Opens the file the pane shows.
    void openShown();
    // No read under way and none waiting.
    bool idle() const { return reader_.idle(); }

private:
    void show(int row);
    void updated();

    PreviewPane& pane_;
    win::Splitter& splitter_;
    win::VirtualListView& list_;
    ResultsList& results_;
    ResultsActions& actions_;
    win::Form& form_;
    PreviewReader reader_;
    std::shared_ptr<const ContentRule> rule_;
    std::wstring path_;  // of the item shown; empty for none
    bool shown_ = true;
    int height_ = 120;
    int contextLines_ = 2;
    bool readOnlineOnly_ = false;
    RECT area_{};  // the list's place in the layout, which the pane shares
};

}  // namespace findlark
