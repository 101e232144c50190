#pragma once
// Page "Attributes": the attributes an entry must carry.
#include "model/search_criteria.h"
#include "win/controls.h"

#include <array>

namespace findlark {

class PageAttributes {
public:
    void create(win::Panel& page);
    void read(SearchCriteria& criteria) const;
    void apply(const SearchCriteria& criteria);

    win::GroupBox GroupBoxAttributes;
    win::CheckBox CheckBoxAttributesSpecifyAttributes;
    // In the order of the attribute table (CheckBoxAttributes<Flag>).
    std::array<win::CheckBox, 12> CheckBoxAttributes;
    win::RadioGroup Match;
    win::RadioButton RadioButtonAttributesExactMatch;
    win::RadioButton RadioButtonAttributesContainSelected;

private:
    void CheckBoxAttributesSpecifyAttributesClick();
};

}  // namespace findlark
