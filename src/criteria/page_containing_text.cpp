#include "criteria/page_containing_text.h"

namespace findlark {
namespace {

// A box that still holds the default phrase selects it all when it takes the focus, so typing
// replaces it instead of adding to it.
void SelectDefaultPhraseOnFocus(win::ComboBox& box) {
    box.onFocus = [&box] {
        if (box.text() == kDefaultPhrase) box.selectAllText();
    };
}

}  // namespace

void AdditionalTextControls::create(win::Panel& page, int y) {
    CheckBoxAdditionalText.create(page, L"", {16, y + 2, 17, 19});
    ComboBoxOption.create(page, win::ComboKind::List, {38, y, 70, 23}, 3);
    for (const wchar_t* option : {L"AND", L"OR", L"NOT"}) ComboBoxOption.addItem(option);
    ComboBoxText.create(page, win::ComboKind::Editable, {114, y, 410, 23});
    ComboBoxOption.setSelectedIndex(TextAnd);
    ComboBoxText.setText(kDefaultPhrase);
    SelectDefaultPhraseOnFocus(ComboBoxText);
    CheckBoxAdditionalText.onClick = [this] { enableRow(CheckBoxAdditionalText.checked()); };
}

void AdditionalTextControls::enableRow(bool enabled) {
    ComboBoxOption.setEnabled(enabled);
    ComboBoxText.setEnabled(enabled);
}

void PageContainingText::create(win::Panel& page) {
    GroupBoxText.create(page, L"Word or phrase in the file", {4, 0, 533, 150});
    CheckBoxContainingTextSpecifyText.create(page, L"Specify text", {16, 20, 200, 19});
    ComboBoxContainingText0.create(page, win::ComboKind::Editable, {114, 40, 310, 23});
    ComboBoxContainingText0.setText(kDefaultPhrase);
    SelectDefaultPhraseOnFocus(ComboBoxContainingText0);
    CheckBoxContainingTextMatchCase.create(page, L"Match case", {434, 42, 96, 19});
    CheckBoxContainingTextMatchCase.setChecked(true);
    CheckBoxContainingTextRegularExpressions.create(page, L"Regular expressions", {230, 20, 190, 19});
    CheckBoxContainingTextWholeWords.create(page, L"Whole words", {434, 20, 96, 19});
    for (size_t i = 0; i < AdditionalText.size(); ++i) AdditionalText[i].create(page, 68 + static_cast<int>(i) * 27);

    CheckBoxContainingTextSpecifyText.onClick = [this] { CheckBoxContainingTextSpecifyTextClick(); };
    for (AdditionalTextControls& row : AdditionalText) row.enableRow(false);
    CheckBoxContainingTextSpecifyTextClick();
}

void PageContainingText::CheckBoxContainingTextSpecifyTextClick() {
    const bool on = CheckBoxContainingTextSpecifyText.checked();
    ComboBoxContainingText0.setEnabled(on);
    CheckBoxContainingTextMatchCase.setEnabled(on);
    CheckBoxContainingTextRegularExpressions.setEnabled(on);
    CheckBoxContainingTextWholeWords.setEnabled(on);
    for (AdditionalTextControls& row : AdditionalText) {
        row.CheckBoxAdditionalText.setEnabled(on);
        if (!on) row.enableRow(false);
    }
    // A checked row keeps its operator and phrase enabled, whether the page is on or off.
    for (AdditionalTextControls& row : AdditionalText) {
        if (row.CheckBoxAdditionalText.checked()) row.enableRow(true);
    }
}

void PageContainingText::read(SearchCriteria& c) const {
    c.ContainingText = CheckBoxContainingTextSpecifyText.checked();
    c.ContainingText0 = ComboBoxContainingText0.text();
    c.MatchCase = CheckBoxContainingTextMatchCase.checked();
    c.PhrasesAreRegularExpressions = CheckBoxContainingTextRegularExpressions.checked();
    c.PhrasesAreWholeWords = CheckBoxContainingTextWholeWords.checked();
    for (size_t i = 0; i < AdditionalText.size(); ++i) {
        c.AdditionalText[i].Enabled = AdditionalText[i].CheckBoxAdditionalText.checked();
        c.AdditionalText[i].Option = AdditionalText[i].ComboBoxOption.selectedIndex();
        c.AdditionalText[i].Text = AdditionalText[i].ComboBoxText.text();
    }
}

void PageContainingText::apply(const SearchCriteria& c) {
    ComboBoxContainingText0.setText(c.ContainingText0);
    CheckBoxContainingTextMatchCase.setChecked(c.MatchCase);
    CheckBoxContainingTextRegularExpressions.setChecked(c.PhrasesAreRegularExpressions);
    CheckBoxContainingTextWholeWords.setChecked(c.PhrasesAreWholeWords);
    for (size_t i = 0; i < AdditionalText.size(); ++i) {
        const AdditionalTextRow& row = c.AdditionalText[i];
        if (row.Option >= TextAnd && row.Option <= TextNot) AdditionalText[i].ComboBoxOption.setSelectedIndex(row.Option);
        AdditionalText[i].ComboBoxText.setText(row.Text);
        AdditionalText[i].CheckBoxAdditionalText.setChecked(row.Enabled);
    }
    CheckBoxContainingTextSpecifyText.setChecked(c.ContainingText);
}

}  // namespace findlark
