#include "criteria/page_common.h"

#include "criteria/look_in_table.h"
#include "model/ascii_case.h"

namespace findlark {

void PageCommon::create(win::Panel& page, const LookInTable& lookIn) {
    GroupBoxCommon.create(page, L"Common search options", {4, 0, 533, 150});
    CheckBoxAllOrPartOfTheFileName.create(page, L"All or part of the file name:", {16, 20, 250, 19});
    ComboBoxExAllOrPartOfTheFileName.create(page, win::ComboKind::Editable, {16, 42, 380, 23});
    CheckBoxCaseSensitiveMask.create(page, L"Case sensitive", {410, 34, 120, 19});
    CheckBoxRegularExpression.create(page, L"Regular expression", {410, 54, 120, 19});
    CheckBoxLookIn.create(page, L"Look in:", {16, 78, 250, 19});
    ComboBoxExLookIn.create(page, win::ComboKind::ImageList, {16, 100, 380, 23});
    ComboBoxExLookIn.setImageList(lookIn.imageList.get());
    for (size_t i = 0; i < lookIn.captions.size(); ++i) ComboBoxExLookIn.addItem(lookIn.captions[i], lookIn.images[i]);
    const std::vector<wchar_t> letters = lookIn.driveLetters();
    driveLetters_.assign(letters.begin(), letters.end());

    CheckBoxAllOrPartOfTheFileName.onClick = [this] { CheckBoxAllOrPartOfTheFileNameClick(); };
    CheckBoxLookIn.onClick = [this] { CheckBoxLookInClick(); };
    CheckBoxAllOrPartOfTheFileName.setChecked(true);
    ComboBoxExLookIn.setSelectedIndex(LookInLocalHardDrives);
    CheckBoxLookIn.setChecked(true);
}

void PageCommon::CheckBoxAllOrPartOfTheFileNameClick() {
    ComboBoxExAllOrPartOfTheFileName.setEnabled(CheckBoxAllOrPartOfTheFileName.checked());
}

void PageCommon::CheckBoxLookInClick() {
    const bool on = CheckBoxLookIn.checked();
    ComboBoxExLookIn.setEnabled(on);
    if (on && ComboBoxExLookIn.selectedIndex() < 0) ComboBoxExLookIn.setSelectedIndex(LookInLocalHardDrives);
}

void PageCommon::read(SearchCriteria& c) const {
    c.AllOrPartOfTheFileName = CheckBoxAllOrPartOfTheFileName.checked();
    c.Mask = ComboBoxExAllOrPartOfTheFileName.text();
    c.CaseSensitive = CheckBoxCaseSensitiveMask.checked();
    c.MaskIsRegularExpression = CheckBoxRegularExpression.checked();
    c.LookIn = CheckBoxLookIn.checked();
    c.LookInWhere = ComboBoxExLookIn.selectedIndex();
    const int drive = c.LookInWhere - LookInFirstDrive;
    c.LookInDrive = drive >= 0 && drive < static_cast<int>(driveLetters_.size()) ? std::wstring(1, driveLetters_[drive]) : L"";
}

void PageCommon::apply(const SearchCriteria& c) {
    ComboBoxExAllOrPartOfTheFileName.setText(c.Mask);
    CheckBoxCaseSensitiveMask.setChecked(c.CaseSensitive);
    CheckBoxRegularExpression.setChecked(c.MaskIsRegularExpression);
    CheckBoxAllOrPartOfTheFileName.setChecked(c.AllOrPartOfTheFileName);
    const std::size_t drive = c.LookInDrive.size() == 1 ? driveLetters_.find(AsciiUpper(c.LookInDrive[0])) : std::wstring::npos;
    if (drive != std::wstring::npos) {
        ComboBoxExLookIn.setSelectedIndex(LookInFirstDrive + static_cast<int>(drive));
    } else if (c.LookInWhere >= -1 && c.LookInWhere < ComboBoxExLookIn.count()) {
        ComboBoxExLookIn.setSelectedIndex(c.LookInWhere);
    }
    CheckBoxLookIn.setChecked(c.LookIn);
}

}  // namespace findlark
