#pragma once
#include "criteria/main_window_fixture.h"
#include "support/temp_tree.h"

#include <string>
#include <vector>

// A main window searching trees that the test makes.
class SearchTest : public MainWindowTest {
protected:
    // Criteria that search only the given folders, with everything else at its default.
    findlark::SearchCriteria foldersOnly(std::vector<std::wstring> folders) {
        findlark::SearchCriteria c = pages().read();
        c.LookIn = false;
        c.AdditionalFolders = true;
        c.Directories = std::move(folders);
        return c;
    }

    // Runs a search to its end and gives the rows' full paths relative to the tree, in list order.
    std::vector<std::wstring> search(const findlark::SearchCriteria& c) {
        pages().apply(c);
        form->BitBtnSearch.click();
        EXPECT_TRUE(testing_support::PumpUntil([&] { return form->searchState() == findlark::SearchState::Idle; }));
        return rowPaths();
    }

    std::vector<std::wstring> rowPaths() {
        std::vector<std::wstring> paths;
        auto& rows = form->Results.rows();
        for (int i = 0; i < rows.count(); ++i) {
            std::wstring full = rows.entry(i).fullPath();
            if (full.rfind(tree.root(), 0) == 0) full.erase(0, tree.root().size() + 1);
            paths.push_back(full);
        }
        return paths;
    }

    std::wstring status() { return form->StatusBar.panelText(0); }

    testing_support::TempTree tree;
};
