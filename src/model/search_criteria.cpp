#include "model/search_criteria.h"

namespace findlark {

SearchCriteria DefaultCriteria(DateTime now) {
    SearchCriteria criteria;
    const DateTime date = DatePart(now);
    const DateTime time = TimePart(now);
    for (DateCriterion* group : {&criteria.ModifiedDateTime, &criteria.CreatedDateTime, &criteria.AccessedDateTime}) {
        group->FromDate = group->ToDate = date;
        group->FromTime = group->ToTime = time;
        group->ToChosen = false;
    }
    return criteria;
}

}  // namespace findlark
