#include "criteria/page_advanced.h"

namespace findlark {

void PageAdvanced::create(win::Panel& page) {
    GroupBoxAdvanced.create(page, L"Anvanced search options", {4, 0, 533, 150});
    CheckBoxSearchAllFilesAndFolders.create(page, L"Search all files and folders", {16, 20, 300, 19});
    CheckBoxSearchSystemFolders.create(page, L"Search system folders", {36, 42, 280, 19});
    CheckBoxSearchHiddenFilesAndFolders.create(page, L"Search hidden files and folders", {36, 64, 280, 19});
    DividerAdvanced.create(page, {16, 92, 509, 2});
    CheckBoxSearchSubfolders.create(page, L"Search subfolders", {16, 102, 300, 19});
    LabelSkipFolders.create(page, L"Skip folders:", {16, 127, 80, 17});
    ComboBoxSkipFolders.create(page, win::ComboKind::Editable, {100, 123, 425, 23});

    CheckBoxSearchAllFilesAndFolders.onClick = [this] { CheckBoxSearchAllFilesAndFoldersClick(); };
    CheckBoxSearchSystemFolders.onClick = [this] { CheckBoxSearchSystemOrHiddenClick(); };
    CheckBoxSearchHiddenFilesAndFolders.onClick = [this] { CheckBoxSearchSystemOrHiddenClick(); };
    CheckBoxSearchAllFilesAndFolders.setChecked(true);
    CheckBoxSearchSubfolders.setChecked(true);
}

// The rules may run inside each other (a box changed by one rule runs its own): checking
// "Search all files and folders" always ends with all three boxes checked.
void PageAdvanced::CheckBoxSearchAllFilesAndFoldersClick() {
    if (!CheckBoxSearchAllFilesAndFolders.checked()) return;
    CheckBoxSearchSystemFolders.setChecked(true);
    CheckBoxSearchHiddenFilesAndFolders.setChecked(true);
    CheckBoxSearchAllFilesAndFolders.setChecked(true);
}

void PageAdvanced::CheckBoxSearchSystemOrHiddenClick() {
    if (CheckBoxSearchAllFilesAndFolders.checked()) {
        CheckBoxSearchAllFilesAndFolders.setChecked(false);
        return;
    }
    if (CheckBoxSearchSystemFolders.checked() && CheckBoxSearchHiddenFilesAndFolders.checked())
        CheckBoxSearchAllFilesAndFolders.setChecked(true);
}

void PageAdvanced::read(SearchCriteria& c) const {
    c.SearchAllFilesAndFolders = CheckBoxSearchAllFilesAndFolders.checked();
    c.SearchSystemFolders = CheckBoxSearchSystemFolders.checked();
    c.SearchHiddenFilesAndFolders = CheckBoxSearchHiddenFilesAndFolders.checked();
    c.SearchSubfolders = CheckBoxSearchSubfolders.checked();
    c.SkipFolders = ComboBoxSkipFolders.text();
}

void PageAdvanced::apply(const SearchCriteria& c) {
    CheckBoxSearchAllFilesAndFolders.setChecked(c.SearchAllFilesAndFolders);
    if (!c.SearchAllFilesAndFolders) {
        CheckBoxSearchSystemFolders.setChecked(c.SearchSystemFolders);
        CheckBoxSearchHiddenFilesAndFolders.setChecked(c.SearchHiddenFilesAndFolders);
    }
    CheckBoxSearchSubfolders.setChecked(c.SearchSubfolders);
    ComboBoxSkipFolders.setText(c.SkipFolders);
}

}  // namespace findlark
