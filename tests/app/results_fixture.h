#pragma once
// The whole program with a list of results from a tree the test makes.
#include "app/app_fixture.h"
#include "support/criteria_printer.h"
#include "support/temp_tree.h"
#include "win/long_path.h"

#include <algorithm>
#include <string>
#include <vector>

class ResultsTest : public AppTest {
protected:
    void SetUp() override {
        store(L"ShowTipOfTheDayOnStartup", L"0");
        // Deleting goes for good unless a test asks for the Recycle Bin: nothing lands in the
        // machine's trash.
        if (stored(L"UseRecycleBin") == L"(missing)") store(L"UseRecycleBin", L"0");
        start();
    }
    // Lists the tree's entries (subfolders walked) in the results.
    void searchTree(const std::wstring& mask = L"*.*", bool subfolders = true) {
        findlark::SearchCriteria c = main().Criteria.read();
        c.LookIn = false;
        c.AdditionalFolders = true;
        c.Directories = {tree.root()};
        c.Mask = mask;
        c.SearchSubfolders = subfolders;
        main().Criteria.apply(c);
        main().BitBtnSearch.click();
        ASSERT_TRUE(testing_support::PumpUntil([&] { return main().searchState() == findlark::SearchState::Idle; }));
        main().Results.publish();
    }
    // The rows' paths relative to the tree, in display order.
    std::vector<std::wstring> listed() {
        std::vector<std::wstring> names;
        auto& rows = main().Results.rows();
        for (int i = 0; i < rows.count(); ++i) {
            std::wstring path = rows.entry(i).fullPath();
            if (path.rfind(tree.root() + L"\\", 0) == 0) path.erase(0, tree.root().size() + 1);
            names.push_back(path);
        }
        return names;
    }
    void select(const std::vector<std::wstring>& relative) {
        main().ListViewResults.clearSelection();
        const std::vector<std::wstring> names = listed();
        for (const std::wstring& name : relative) {
            const auto at = std::find(names.begin(), names.end(), name);
            ASSERT_NE(at, names.end()) << "not listed";
            main().ListViewResults.setSelected(static_cast<int>(at - names.begin()), true);
        }
    }
    std::vector<std::wstring> selected() {
        std::vector<std::wstring> names;
        const std::vector<std::wstring> all = listed();
        for (const int row : main().ListViewResults.selectedRows()) names.push_back(all[static_cast<std::size_t>(row)]);
        return names;
    }
    bool exists(const std::wstring& relative) {
        return ::GetFileAttributesW(win::PlatformPath(tree.path(relative)).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    testing_support::TempTree tree;
};
