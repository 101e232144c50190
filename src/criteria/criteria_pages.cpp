#include "criteria/criteria_pages.h"

#include "win/system_date_time.h"
#include "criteria/tab_marks.h"

#include <algorithm>

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

namespace {

// A time picker takes a new time of day and keeps its date.
void SetTimeOfDay(win::DateTimePicker& picker, DateTime timeOfDay) {
    picker.setValue(win::ToSystemTime(DatePart(win::FromSystemTime(picker.value())) + TimePart(timeOfDay)));
}

}  // namespace

void CriteriaPages::applyOption(const OptionAssignment& o) {
    DateGroupControls* const groups[] = {&DateTime.Modified, &DateTime.Created, &DateTime.Accessed};
    DateGroupControls& group = *groups[std::clamp(o.index, 0, 2)];
    AdditionalTextControls& row = ContainingText.AdditionalText[static_cast<std::size_t>(std::clamp(o.index, 0, 2))];
    switch (o.field) {
    case OptionField::AllOrPartOfTheFileName: Common.CheckBoxAllOrPartOfTheFileName.setChecked(o.flag); break;
    case OptionField::Mask: Common.ComboBoxExAllOrPartOfTheFileName.setText(o.text); break;
    case OptionField::CaseSensitive: Common.CheckBoxCaseSensitiveMask.setChecked(o.flag); break;
    case OptionField::MaskIsRegularExpression: Common.CheckBoxRegularExpression.setChecked(o.flag); break;
    case OptionField::LookIn: Common.CheckBoxLookIn.setChecked(o.flag); break;
    case OptionField::LookInWhere: Common.ComboBoxExLookIn.setSelectedIndex(o.number); break;
    case OptionField::AdditionalFolders: AdditionalFolders.CheckBoxLookInSpecifiedFolders.setChecked(o.flag); break;
    case OptionField::Directory: AdditionalFolders.ListBoxLookInSpecifiedFolders.addItem(o.text); break;
    case OptionField::When: group.When.select(o.number); break;
    case OptionField::From: group.CheckBoxFrom.setChecked(o.flag); break;
    case OptionField::FromDate: group.DateTimePickerFromDate.setValue(win::ToSystemTime(o.moment)); break;
    case OptionField::FromTime: SetTimeOfDay(group.DateTimePickerFromTime, o.moment); break;
    case OptionField::To: group.CheckBoxTo.setChecked(o.flag); break;
    case OptionField::ToDate: group.DateTimePickerToDate.setValue(win::ToSystemTime(o.moment)); break;
    case OptionField::ToTime: SetTimeOfDay(group.DateTimePickerToTime, o.moment); break;
    case OptionField::Size: Size.Size.select(o.number); break;
    case OptionField::AtLeast: Size.AtLeast.CheckBoxBound.setChecked(o.flag); break;
    case OptionField::AtLeastSize: Size.AtLeast.EditSize.setText(o.text); break;
    case OptionField::AtLeastSizeB: Size.AtLeast.ComboBoxSize.setSelectedIndex(o.number); break;
    case OptionField::AtMost: Size.AtMost.CheckBoxBound.setChecked(o.flag); break;
    case OptionField::AtMostSize: Size.AtMost.EditSize.setText(o.text); break;
    case OptionField::AtMostSizeB: Size.AtMost.ComboBoxSize.setSelectedIndex(o.number); break;
    case OptionField::Attributes: Attributes.CheckBoxAttributesSpecifyAttributes.setChecked(o.flag); break;
    case OptionField::AttributeFlag:
        Attributes.CheckBoxAttributes[static_cast<std::size_t>(std::clamp(o.index, 0, 11))].setChecked(o.flag);
        break;
    case OptionField::Match: Attributes.Match.select(o.number == MatchExact ? 0 : 1); break;
    case OptionField::ContainingText: ContainingText.CheckBoxContainingTextSpecifyText.setChecked(o.flag); break;
    case OptionField::ContainingText0: ContainingText.ComboBoxContainingText0.setText(o.text); break;
    case OptionField::MatchCase: ContainingText.CheckBoxContainingTextMatchCase.setChecked(o.flag); break;
    case OptionField::PhrasesAreRegularExpressions:
        ContainingText.CheckBoxContainingTextRegularExpressions.setChecked(o.flag);
        break;
    case OptionField::PhrasesAreWholeWords: ContainingText.CheckBoxContainingTextWholeWords.setChecked(o.flag); break;
    case OptionField::AdditionalText: row.CheckBoxAdditionalText.setChecked(o.flag); break;
    case OptionField::AdditionalTextOption: row.ComboBoxOption.setSelectedIndex(o.number); break;
    case OptionField::AdditionalTextText: row.ComboBoxText.setText(o.text); break;
    case OptionField::SearchAllFilesAndFolders: Advanced.CheckBoxSearchAllFilesAndFolders.setChecked(o.flag); break;
    case OptionField::SearchSystemFolders: Advanced.CheckBoxSearchSystemFolders.setChecked(o.flag); break;
    case OptionField::SearchHiddenFilesAndFolders: Advanced.CheckBoxSearchHiddenFilesAndFolders.setChecked(o.flag); break;
    case OptionField::SearchSubfolders: Advanced.CheckBoxSearchSubfolders.setChecked(o.flag); break;
    case OptionField::SkipFolders: Advanced.ComboBoxSkipFolders.setText(o.text); break;
    }
}

void ShowCriteriaPage(win::PageControl& main, int page, win::PageControl* dateTime, int subPage) {
    main.setActiveIndex(page);
    MarkTabs(main);
    if (dateTime && subPage >= 0) {
        dateTime->setActiveIndex(subPage);
        MarkTabs(*dateTime);
    }
}

}  // namespace findlark
