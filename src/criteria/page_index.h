#pragma once
// The pages of the main window's page control, in tab order; "Date && Time" has three sub-pages.
namespace findlark {

enum CriteriaPage : int {
    PageIndexCommon = 0,
    PageIndexAdditionalFolders = 1,
    PageIndexDateTime = 2,
    PageIndexSize = 3,
    PageIndexAttributes = 4,
    PageIndexContainingText = 5,
    PageIndexAdvanced = 6,
    PageIndexSearchOnTheInternet = 7,
};

enum DateSubPage : int { SubPageModified = 0, SubPageCreated = 1, SubPageAccessed = 2 };

}  // namespace findlark
