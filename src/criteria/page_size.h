#pragma once
// Page "Size": five size classes or explicit bounds with units.
#include "model/search_criteria.h"
#include "win/controls.h"

namespace findlark {

// A number box, its spinner and its unit list: one bound of the size.
class SizeBoundControls {
public:
    void create(win::Panel& page, std::wstring_view caption, int y);
    // The number box, spinner and unit list.
    void enableValue(bool enabled);
    win::CheckBox CheckBoxBound;
    win::Edit EditSize;
    win::UpDown JvUpDownSize;
    win::ComboBox ComboBoxSize;

private:
    void CheckBoxBoundClick();
};

class PageSize {
public:
    void create(win::Panel& page);
    void read(SearchCriteria& criteria) const;
    void apply(const SearchCriteria& criteria);

    win::GroupBox GroupBoxSize;
    win::RadioGroup Size;
    win::RadioButton RadioButtonSizeDoNotRemember;
    win::RadioButton RadioButtonSizeVerySmall;
    win::RadioButton RadioButtonSizeSmall;
    win::RadioButton RadioButtonSizeMedium;
    win::RadioButton RadioButtonSizeLarge;
    win::RadioButton RadioButtonSizeVeryLarge;
    win::RadioButton RadioButtonSizeSpecifySize;
    SizeBoundControls AtLeast;  // CheckBoxSizeAtLeast, EditSizeAtLeastSize, JvUpDownSizeAtLeastSize, ComboBoxSizeAtLeastSize
    SizeBoundControls AtMost;   // the same for "At most"

private:
    void RadioButtonSizeClick(int value);
};

}  // namespace findlark
