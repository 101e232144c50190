#pragma once
// Page "Common": the name mask and the look-in location.
#include "model/search_criteria.h"
#include "win/controls.h"

namespace findlark {

struct LookInTable;

class PageCommon {
public:
    void create(win::Panel& page, const LookInTable& lookIn);
    void read(SearchCriteria& criteria) const;
    void apply(const SearchCriteria& criteria);
    // The capital letters of the drive rows of the look-in list, in order.
    std::wstring_view driveLetters() const { return driveLetters_; }

    win::GroupBox GroupBoxCommon;
    win::CheckBox CheckBoxAllOrPartOfTheFileName;
    win::ComboBox ComboBoxExAllOrPartOfTheFileName;
    win::CheckBox CheckBoxCaseSensitiveMask;
    win::CheckBox CheckBoxRegularExpression;
    win::CheckBox CheckBoxLookIn;
    win::ComboBox ComboBoxExLookIn;

private:
    void CheckBoxAllOrPartOfTheFileNameClick();
    void CheckBoxLookInClick();
    std::wstring driveLetters_;  // of the drive rows, in order
};

}  // namespace findlark
