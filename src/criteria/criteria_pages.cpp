#include "criteria/criteria_pages.h"

#include "criteria/tab_marks.h"

namespace findlark {

void CriteriaPages::create(win::PageControl& pages, const LookInTable& lookIn, win::Interaction& interaction,
                           HIMAGELIST tabImages) {
    Common.create(pages.addPage(L"Common"), lookIn);
    AdditionalFolders.create(pages.addPage(L"Additional Folders"), interaction);
    DateTime.create(pages.addPage(L"Date && Time"), tabImages);
    Size.create(pages.addPage(L"Size"));
    Attributes.create(pages.addPage(L"Attributes"));
    ContainingText.create(pages.addPage(L"Containing Text"));
    Advanced.create(pages.addPage(L"Advanced"));
}

SearchCriteria CriteriaPages::read() const {
    SearchCriteria criteria;
    Common.read(criteria);
    AdditionalFolders.read(criteria);
    DateTime.read(criteria);
    Size.read(criteria);
    Attributes.read(criteria);
    ContainingText.read(criteria);
    Advanced.read(criteria);
    return criteria;
}

void CriteriaPages::apply(const SearchCriteria& criteria) {
    Common.apply(criteria);
    AdditionalFolders.apply(criteria);
    DateTime.apply(criteria);
    Size.apply(criteria);
    Attributes.apply(criteria);
    ContainingText.apply(criteria);
    Advanced.apply(criteria);
}

void CriteriaPages::setPickers(const SYSTEMTIME& now) { DateTime.setPickers(now); }

void ShowCriteriaPage(win::PageControl& main, int page, win::PageControl* dateTime, int subPage) {
    main.setActiveIndex(page);
    MarkTabs(main);
    if (dateTime && subPage >= 0) {
        dateTime->setActiveIndex(subPage);
        MarkTabs(*dateTime);
    }
}

}  // namespace findlark
