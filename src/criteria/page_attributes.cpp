#include "criteria/page_attributes.h"

namespace findlark {

std::array<bool SearchCriteria::*, 12> AttributeFlags() {
    return {&SearchCriteria::Archive,   &SearchCriteria::Compressed,   &SearchCriteria::Directory,
            &SearchCriteria::Encrypted, &SearchCriteria::Hidden,       &SearchCriteria::Normal,
            &SearchCriteria::Offline,   &SearchCriteria::ReadOnly,     &SearchCriteria::ReparsePoint,
            &SearchCriteria::SparseFile, &SearchCriteria::System,      &SearchCriteria::Temporary};
}

void PageAttributes::create(win::Panel& page) {
    static constexpr const wchar_t* kCaptions[12] = {L"Archive", L"Compressed", L"Directory",     L"Encrypted",
                                                     L"Hidden",  L"Normal",     L"Offline",       L"Read-only",
                                                     L"Reparse point", L"Sparse file", L"System", L"Temporary"};
    GroupBoxAttributes.create(page, L"What are file attributes?", {4, 0, 533, 150});
    CheckBoxAttributesSpecifyAttributes.create(page, L"Specify attributes", {16, 20, 200, 19});
    for (size_t i = 0; i < CheckBoxAttributes.size(); ++i) {
        const int column = static_cast<int>(i / 4), row = static_cast<int>(i % 4);
        CheckBoxAttributes[i].create(page, kCaptions[i], {32 + column * 165, 44 + row * 21, 150, 19});
    }
    RadioButtonAttributesExactMatch.create(page, Match, L"Exact match", {32, 130, 150, 19});
    RadioButtonAttributesContainSelected.create(page, Match, L"Contain selected", {197, 130, 150, 19});

    CheckBoxAttributesSpecifyAttributes.onClick = [this] { CheckBoxAttributesSpecifyAttributesClick(); };
    const SearchCriteria defaults;
    const auto flags = AttributeFlags();
    for (size_t i = 0; i < flags.size(); ++i) CheckBoxAttributes[i].setChecked(defaults.*flags[i]);
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
    const auto flags = AttributeFlags();
    for (size_t i = 0; i < flags.size(); ++i) c.*flags[i] = CheckBoxAttributes[i].checked();
    c.Match = RadioButtonAttributesExactMatch.checked() ? MatchExact : MatchContainSelected;
}

void PageAttributes::apply(const SearchCriteria& c) {
    const auto flags = AttributeFlags();
    for (size_t i = 0; i < flags.size(); ++i) CheckBoxAttributes[i].setChecked(c.*flags[i]);
    Match.select(c.Match == MatchExact ? 0 : 1);
    CheckBoxAttributesSpecifyAttributes.setChecked(c.Attributes);
}

}  // namespace findlark
