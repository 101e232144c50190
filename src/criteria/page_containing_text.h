#pragma once
// Page "Containing Text": a phrase the content must hold and up to three more joined by AND, OR, NOT.
#include "model/search_criteria.h"
#include "win/controls.h"

#include <array>

namespace findlark {

// One further phrase: CheckBoxContainingTextAdditionalTextN, ...OptionN and ...TextN.
class AdditionalTextControls {
public:
    void create(win::Panel& page, int y);
    win::CheckBox CheckBoxAdditionalText;
    win::ComboBox ComboBoxOption;
    win::ComboBox ComboBoxText;

    void enableRow(bool enabled);
};

class PageContainingText {
public:
    void create(win::Panel& page);
    void read(SearchCriteria& criteria) const;
    void apply(const SearchCriteria& criteria);

    win::GroupBox GroupBoxText;
    win::CheckBox CheckBoxContainingTextSpecifyText;
    win::ComboBox ComboBoxContainingText0;
    win::CheckBox CheckBoxContainingTextMatchCase;
    win::CheckBox CheckBoxContainingTextRegularExpressions;
    win::CheckBox CheckBoxContainingTextWholeWords;
    std::array<AdditionalTextControls, 3> AdditionalText;

private:
    void CheckBoxContainingTextSpecifyTextClick();
};

}  // namespace findlark
