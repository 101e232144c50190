#include "criteria/page_size.h"

#include "criteria/size_digits.h"

namespace findlark {

void SizeBoundControls::create(win::Panel& page, std::wstring_view caption, int y) {
    CheckBoxBound.create(page, caption, {272, y + 2, 80, 19});
    EditSize.create(page, L"", {356, y, 90, 23});
    JvUpDownSize.create(page, {446, y, 17, 23});
    ComboBoxSize.create(page, win::ComboKind::List, {468, y, 58, 23}, 4);
    for (const std::wstring_view unit : kSizeUnitTexts) ComboBoxSize.addItem(unit);

    EditSize.acceptChar = [this](wchar_t typed) { return SizeBoxAcceptsChar(EditSize.text(), typed); };
    JvUpDownSize.onDelta = [this](int delta) { EditSize.setText(SpinSizeText(EditSize.text(), delta)); };
    CheckBoxBound.onClick = [this] { CheckBoxBoundClick(); };
}

void SizeBoundControls::CheckBoxBoundClick() { enableValue(CheckBoxBound.checked()); }

void SizeBoundControls::enableValue(bool enabled) {
    EditSize.setEnabled(enabled);
    JvUpDownSize.setEnabled(enabled);
    ComboBoxSize.setEnabled(enabled);
}

void PageSize::create(win::Panel& page) {
    GroupBoxSize.create(page, L"What size is it?", {4, 0, 533, 150});
    RadioButtonSizeDoNotRemember.create(page, Size, L"Don't remember", {16, 18, 240, 19});
    RadioButtonSizeVerySmall.create(page, Size, L"Very small (less than 1 KB)", {16, 39, 240, 19});
    RadioButtonSizeSmall.create(page, Size, L"Small (less than 100 KB)", {16, 60, 240, 19});
    RadioButtonSizeMedium.create(page, Size, L"Medium (less than 1 MB)", {16, 81, 240, 19});
    RadioButtonSizeLarge.create(page, Size, L"Large (less than 10 MB)", {16, 102, 240, 19});
    RadioButtonSizeVeryLarge.create(page, Size, L"Very large (more than 10 MB)", {16, 123, 240, 19});
    RadioButtonSizeSpecifySize.create(page, Size, L"Specify size", {256, 18, 200, 19});
    AtLeast.create(page, L"At least", 44);
    AtMost.create(page, L"At most", 76);

    Size.onSelect = [this](int value) { RadioButtonSizeClick(value); };
    AtLeast.EditSize.setText(L"0");
    AtLeast.ComboBoxSize.setSelectedIndex(0);
    AtLeast.CheckBoxBound.setChecked(true);
    AtMost.EditSize.setText(L"1");
    AtMost.ComboBoxSize.setSelectedIndex(2);
    AtMost.CheckBoxBound.setChecked(true);
    Size.select(SizeDoNotRemember);
}

void PageSize::RadioButtonSizeClick(int value) {
    const bool specify = value == SizeSpecify;
    for (SizeBoundControls* bound : {&AtLeast, &AtMost}) {
        bound->CheckBoxBound.setEnabled(specify);
        bound->enableValue(specify && bound->CheckBoxBound.checked());
    }
}

void PageSize::read(SearchCriteria& c) const {
    c.Size = Size.selected();
    c.AtLeast = AtLeast.CheckBoxBound.checked();
    c.AtLeastSize = AtLeast.EditSize.text();
    c.AtLeastSizeB = AtLeast.ComboBoxSize.selectedIndex();
    c.AtMost = AtMost.CheckBoxBound.checked();
    c.AtMostSize = AtMost.EditSize.text();
    c.AtMostSizeB = AtMost.ComboBoxSize.selectedIndex();
}

void PageSize::apply(const SearchCriteria& c) {
    AtLeast.EditSize.setText(c.AtLeastSize);
    if (IsSizeUnit(c.AtLeastSizeB)) AtLeast.ComboBoxSize.setSelectedIndex(c.AtLeastSizeB);
    AtLeast.CheckBoxBound.setChecked(c.AtLeast);
    AtMost.EditSize.setText(c.AtMostSize);
    if (IsSizeUnit(c.AtMostSizeB)) AtMost.ComboBoxSize.setSelectedIndex(c.AtMostSizeB);
    AtMost.CheckBoxBound.setChecked(c.AtMost);
    // The choice comes last so that its rule has the final word.
    Size.select(c.Size);
    RadioButtonSizeClick(c.Size);
}

}  // namespace findlark
