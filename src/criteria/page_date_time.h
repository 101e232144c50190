#pragma once
// Page "Date && Time": one group of choices for each kind of file time, on its own sub-page.
#include "model/search_criteria.h"
#include "win/controls.h"


namespace findlark {

// The controls of one kind of file time ("Modified", "Created" or "Accessed").
class DateGroupControls {
public:
    void create(win::Panel& page);
    void read(DateCriterion& criterion) const;
    void apply(const DateCriterion& criterion);
    void setPickers(const SYSTEMTIME& now);

    win::GroupBox GroupBoxWhen;
    win::RadioGroup When;  // RadioButton<Kind>Date... in the order of their values
    win::RadioButton RadioButtonDoNotRemember;
    win::RadioButton RadioButtonWithinTheLastWeek;
    win::RadioButton RadioButtonPastMonth;
    win::RadioButton RadioButtonWithinThePastYear;
    win::RadioButton RadioButtonSpecifyDateAndTime;
    win::CheckBox CheckBoxFrom;
    win::DateTimePicker DateTimePickerFromDate;
    win::DateTimePicker DateTimePickerFromTime;
    win::CheckBox CheckBoxTo;
    win::DateTimePicker DateTimePickerToDate;
    win::DateTimePicker DateTimePickerToTime;

private:
    void RadioButtonClick(int value);
    void CheckBoxFromClick();
    void CheckBoxToClick();
    bool toChosen_ = true;  // false while the "To" pickers hold the values the program started with
};

class PageDateTime {
public:
    void create(win::Panel& page, HIMAGELIST tabImages);
    void read(SearchCriteria& criteria) const;
    void apply(const SearchCriteria& criteria);
    void setPickers(const SYSTEMTIME& now);

    win::PageControl PageControlDateTime;
    DateGroupControls Modified;
    DateGroupControls Created;
    DateGroupControls Accessed;

private:
    void PageControlDateTimeChange();
};

}  // namespace findlark
