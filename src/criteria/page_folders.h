#pragma once
// Page "Additional Folders": further folders to search, in the order they were added.
#include "model/search_criteria.h"
#include "win/controls.h"
#include "win/interaction.h"

namespace findlark {

class PageFolders {
public:
    void create(win::Panel& page, win::Interaction& interaction);
    void read(SearchCriteria& criteria) const;
    void apply(const SearchCriteria& criteria);

    win::GroupBox GroupBoxFolders;
    win::CheckBox CheckBoxLookInSpecifiedFolders;
    win::ListBox ListBoxLookInSpecifiedFolders;
    win::Button ButtonAdd;
    win::Button ButtonDelete;
    win::Button ButtonClearAll;

private:
    void CheckBoxLookInSpecifiedFoldersClick();
    void ButtonAddClick();
    void ButtonDeleteClick();
    void ButtonClearAllClick();

    win::Interaction* interaction_ = nullptr;
};

}  // namespace findlark
