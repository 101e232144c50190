#include "criteria/page_folders.h"

#include "win/form.h"

namespace findlark {

void PageFolders::create(win::Panel& page, win::Interaction& interaction) {
    interaction_ = &interaction;
    GroupBoxFolders.create(page, L"Want to search in specified folders?", {4, 0, 533, 150});
    CheckBoxLookInSpecifiedFolders.create(page, L"Look in specified folders", {16, 20, 250, 19});
    ListBoxLookInSpecifiedFolders.create(page, {16, 42, 410, 98});
    ButtonAdd.create(page, L"Add ...", {438, 42, 85, 25});
    ButtonDelete.create(page, L"Delete", {438, 74, 85, 25});
    ButtonClearAll.create(page, L"Clear All", {438, 106, 85, 25});

    CheckBoxLookInSpecifiedFolders.onClick = [this] { CheckBoxLookInSpecifiedFoldersClick(); };
    ButtonAdd.onClick = [this] { ButtonAddClick(); };
    ButtonDelete.onClick = [this] { ButtonDeleteClick(); };
    ButtonClearAll.onClick = [this] { ButtonClearAllClick(); };
    CheckBoxLookInSpecifiedFoldersClick();
}

void PageFolders::CheckBoxLookInSpecifiedFoldersClick() {
    const bool on = CheckBoxLookInSpecifiedFolders.checked();
    for (win::Control* control : {static_cast<win::Control*>(&ListBoxLookInSpecifiedFolders),
                                  static_cast<win::Control*>(&ButtonAdd), static_cast<win::Control*>(&ButtonDelete),
                                  static_cast<win::Control*>(&ButtonClearAll)})
        control->setEnabled(on);
}

void PageFolders::ButtonAddClick() {
    const HWND owner = GroupBoxFolders.parent().form().hwnd();
    if (const auto folder = interaction_->browseForFolder(owner, L"")) ListBoxLookInSpecifiedFolders.addItem(*folder);
}

void PageFolders::ButtonDeleteClick() {
    const int selected = ListBoxLookInSpecifiedFolders.selectedIndex();
    if (selected >= 0) ListBoxLookInSpecifiedFolders.removeAt(selected);
}

void PageFolders::ButtonClearAllClick() { ListBoxLookInSpecifiedFolders.clear(); }

void PageFolders::read(SearchCriteria& c) const {
    c.AdditionalFolders = CheckBoxLookInSpecifiedFolders.checked();
    c.Directories = ListBoxLookInSpecifiedFolders.items();
}

void PageFolders::apply(const SearchCriteria& c) {
    CheckBoxLookInSpecifiedFolders.setChecked(c.AdditionalFolders);
    ListBoxLookInSpecifiedFolders.clear();
    for (const auto& folder : c.Directories) ListBoxLookInSpecifiedFolders.addItem(folder);
}

}  // namespace findlark
