#include "criteria/page_date_time.h"

#include "criteria/tab_marks.h"
#include "win/system_date_time.h"

namespace findlark {

void DateGroupControls::create(win::Panel& page) {
    GroupBoxWhen.create(page, L"When was it created, modified or accessed last time?", {4, 0, 525, 118});
    RadioButtonDoNotRemember.create(page, When, L"Don't remember", {16, 20, 190, 19});
    RadioButtonWithinTheLastWeek.create(page, When, L"Within the last week", {16, 42, 190, 19});
    RadioButtonPastMonth.create(page, When, L"Within the past month", {16, 64, 190, 19});
    RadioButtonWithinThePastYear.create(page, When, L"Within the past year", {16, 86, 190, 19});
    RadioButtonSpecifyDateAndTime.create(page, When, L"Specify date and time", {216, 20, 200, 19});
    CheckBoxFrom.create(page, L"From", {232, 46, 60, 19});
    DateTimePickerFromDate.create(page, win::PickerKind::Date, {296, 44, 110, 23});
    DateTimePickerFromTime.create(page, win::PickerKind::Time, {412, 44, 105, 23});
    CheckBoxTo.create(page, L"To", {232, 78, 60, 19});
    DateTimePickerToDate.create(page, win::PickerKind::Date, {296, 76, 110, 23});
    DateTimePickerToTime.create(page, win::PickerKind::Time, {412, 76, 105, 23});

    When.onSelect = [this](int value) { RadioButtonClick(value); };
    CheckBoxFrom.onClick = [this] { CheckBoxFromClick(); };
    CheckBoxTo.onClick = [this] { CheckBoxToClick(); };
    DateTimePickerToDate.onChange = DateTimePickerToTime.onChange = [this] { toChosen_ = true; };
    CheckBoxFrom.setChecked(true);
    CheckBoxTo.setChecked(true);
    When.select(WhenDoNotRemember);
}

void DateGroupControls::RadioButtonClick(int value) {
    const bool specify = value == WhenSpecifyDateAndTime;
    CheckBoxFrom.setEnabled(specify);
    CheckBoxTo.setEnabled(specify);
    if (!specify) {
        for (win::DateTimePicker* picker :
             {&DateTimePickerFromDate, &DateTimePickerFromTime, &DateTimePickerToDate, &DateTimePickerToTime})
            picker->setEnabled(false);
        return;
    }
    // Pickers whose box is clear stay as they are.
    if (CheckBoxFrom.checked()) CheckBoxFromClick();
    if (CheckBoxTo.checked()) CheckBoxToClick();
}

void DateGroupControls::CheckBoxFromClick() {
    DateTimePickerFromDate.setEnabled(CheckBoxFrom.checked());
    DateTimePickerFromTime.setEnabled(CheckBoxFrom.checked());
}

void DateGroupControls::CheckBoxToClick() {
    DateTimePickerToDate.setEnabled(CheckBoxTo.checked());
    DateTimePickerToTime.setEnabled(CheckBoxTo.checked());
}

void DateGroupControls::setPickers(const SYSTEMTIME& now) {
    for (win::DateTimePicker* picker :
         {&DateTimePickerFromDate, &DateTimePickerFromTime, &DateTimePickerToDate, &DateTimePickerToTime})
        picker->setValue(now);
    toChosen_ = false;
}

void DateGroupControls::read(DateCriterion& c) const {
    c.When = When.selected();
    c.From = CheckBoxFrom.checked();
    c.FromDate = DatePart(win::FromSystemTime(DateTimePickerFromDate.value()));
    c.FromTime = TimePart(win::FromSystemTime(DateTimePickerFromTime.value()));
    c.To = CheckBoxTo.checked();
    c.ToDate = DatePart(win::FromSystemTime(DateTimePickerToDate.value()));
    c.ToTime = TimePart(win::FromSystemTime(DateTimePickerToTime.value()));
    c.ToChosen = toChosen_;
}

void DateGroupControls::apply(const DateCriterion& c) {
    // The choice comes last so that its rule has the final word on the boxes and pickers.
    DateTimePickerFromDate.setValue(win::ToSystemTime(c.FromDate));
    DateTimePickerFromTime.setValue(win::ToSystemTime(c.FromDate + c.FromTime));
    DateTimePickerToDate.setValue(win::ToSystemTime(c.ToDate));
    DateTimePickerToTime.setValue(win::ToSystemTime(c.ToDate + c.ToTime));
    toChosen_ = c.ToChosen;
    CheckBoxFrom.setChecked(c.From);
    CheckBoxTo.setChecked(c.To);
    When.select(c.When);
    RadioButtonClick(c.When);
}

void PageDateTime::create(win::Panel& page, HIMAGELIST tabImages) {
    PageControlDateTime.create(page, {0, 0, 541, 152}, win::AnchorsDefault);
    PageControlDateTime.setImageList(tabImages);
    Modified.create(PageControlDateTime.addPage(L"Modified Date"));
    Created.create(PageControlDateTime.addPage(L"Created Date"));
    Accessed.create(PageControlDateTime.addPage(L"Accessed Date"));
    PageControlDateTime.onChange = [this] { PageControlDateTimeChange(); };
    MarkTabs(PageControlDateTime);
}

void PageDateTime::PageControlDateTimeChange() { MarkTabs(PageControlDateTime); }

void PageDateTime::setPickers(const SYSTEMTIME& now) {
    for (DateGroupControls* group : {&Modified, &Created, &Accessed}) group->setPickers(now);
}

void PageDateTime::read(SearchCriteria& c) const {
    Modified.read(c.ModifiedDateTime);
    Created.read(c.CreatedDateTime);
    Accessed.read(c.AccessedDateTime);
}

void PageDateTime::apply(const SearchCriteria& c) {
    Modified.apply(c.ModifiedDateTime);
    Created.apply(c.CreatedDateTime);
    Accessed.apply(c.AccessedDateTime);
}

}  // namespace findlark
