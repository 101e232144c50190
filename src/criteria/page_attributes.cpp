#include "criteria/page_attributes.h"

#include "model/attributes.h"

namespace findlark {

void PageAttributes::create(win::Panel& page) {
    GroupBoxAttributes.create(page, L"What are file attributes?", {4, 0, 533, 150});
    CheckBoxAttributesSpecifyAttributes.create(page, L"Specify attributes", {16, 20, 200, 19});
    for (size_t i = 0; i < CheckBoxAttributes.size(); ++i) {
        const int column = static_cast<int>(i / 4), row = static_cast<int>(i % 4);
        CheckBoxAttributes[i].create(page, kAttributes[i].caption, {32 + column * 165, 44 + row * 21, 150, 19});
    }
    RadioButtonAttributesExactMatch.create(page, Match, L"Exact match", {32, 130, 150, 19});
    RadioButtonAttributesContainSelected.create(page, Match, L"Contain selected", {197, 130, 150, 19});

    CheckBoxAttributesSpecifyAttributes.onClick = [this] { CheckBoxAttributesSpecifyAttributesClick(); };
    const SearchCriteria defaults;
    for (size_t i = 0; i < kAttributes.size(); ++i) CheckBoxAttributes[i].setChecked(defaults.*kAttributes[i].flag);
    Match.select(defaults.Match - 1);
    CheckBoxAttributesSpecifyAttributesClick();
}

void PageAttributes::CheckBoxAttributesSpecifyAttributesClick() {
    const bool on = CheckBoxAttributesSpecifyAttributes.checked();
    for (win::CheckBox& box : CheckBoxAttributes) box.setEnabled(on);
    Match.setEnabled(on);
}

void PageAttributes::read(SearchCriteria& c) const {
    c.Attributes = CheckBoxAttributesSpecifyAttributes.checked();
    for (size_t i = 0; i < kAttributes.size(); ++i) c.*kAttributes[i].flag = CheckBoxAttributes[i].checked();
    c.Match = RadioButtonAttributesExactMatch.checked() ? MatchExact : MatchContainSelected;
}

void PageAttributes::apply(const SearchCriteria& c) {
    for (size_t i = 0; i < kAttributes.size(); ++i) CheckBoxAttributes[i].setChecked(c.*kAttributes[i].flag);
    Match.select(c.Match == MatchExact ? 0 : 1);
    CheckBoxAttributesSpecifyAttributes.setChecked(c.Attributes);
}

}  // namespace findlark
