#pragma once
// The seven criteria pages of the main window: the working copy of the search criteria.
#include "criteria/page_advanced.h"
#include "criteria/page_attributes.h"
#include "criteria/page_common.h"
#include "criteria/page_containing_text.h"
#include "criteria/page_date_time.h"
#include "criteria/page_folders.h"
#include "criteria/options_file.h"
#include "criteria/page_index.h"
#include "criteria/page_size.h"
#include "model/search_criteria.h"

namespace findlark {

class CriteriaPages {
public:
    // Adds the seven pages to `pages` and builds their controls at their defaults.
    void create(win::PageControl& pages, const LookInTable& lookIn, win::Interaction& interaction,
                HIMAGELIST tabImages);
    SearchCriteria read() const;
    // Sets every control through its ordinary setter, so the enabling rules run as for the user.
    void apply(const SearchCriteria& criteria);
    // Every date picker to the date and every time picker to the time of `now`.
    void setPickers(const SYSTEMTIME& now);
    // One value read from an options file, through the control's ordinary setter.
    void applyOption(const OptionAssignment& option);

    PageCommon Common;
    PageFolders AdditionalFolders;
    PageDateTime DateTime;
    PageSize Size;
    PageAttributes Attributes;
    PageContainingText ContainingText;
    PageAdvanced Advanced;
};

// Brings a criteria page (and, for "Date && Time", a sub-page) to the front and marks the tabs;
// unlike a change by the user it leaves the Search button alone.
void ShowCriteriaPage(win::PageControl& main, int page, win::PageControl* dateTime = nullptr, int subPage = -1);

}  // namespace findlark
