#pragma once
// Page "Advanced": which folders the walk enters; three boxes keep each other consistent, and a box
// names folders never to enter.
#include "model/search_criteria.h"
#include "win/controls.h"

namespace findlark {

class PageAdvanced {
public:
    void create(win::Panel& page);
    void read(SearchCriteria& criteria) const;
    void apply(const SearchCriteria& criteria);

    win::GroupBox GroupBoxAdvanced;
    win::CheckBox CheckBoxSearchAllFilesAndFolders;
    win::CheckBox CheckBoxSearchSystemFolders;
    win::CheckBox CheckBoxSearchHiddenFilesAndFolders;
    win::Divider DividerAdvanced;
    win::CheckBox CheckBoxSearchSubfolders;
    win::Label LabelSkipFolders;
    win::ComboBox ComboBoxSkipFolders;

private:
    void CheckBoxSearchAllFilesAndFoldersClick();
    // Shared by "Search system folders" and "Search hidden files and folders".
    void CheckBoxSearchSystemOrHiddenClick();
};

}  // namespace findlark
