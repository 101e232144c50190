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
    // In the order Archive, Compressed, Directory, Encrypted, Hidden, Normal, Offline, ReadOnly,
    // ReparsePoint, SparseFile, System, Temporary (CheckBoxAttributes<Flag>).
    std::array<win::CheckBox, 12> CheckBoxAttributes;
    win::RadioGroup Match;
    win::RadioButton RadioButtonAttributesExactMatch;
    win::RadioButton RadioButtonAttributesContainSelected;

private:
    void CheckBoxAttributesSpecifyAttributesClick();
};

// The twelve attribute flags of the criteria, in the order of the check boxes.
std::array<bool SearchCriteria::*, 12> AttributeFlags();

}  // namespace findlark
