#include "settings/form_options.h"

#include "model/size_units.h"

#include <algorithm>

namespace findlark {
TFormOptions::TFormOptions(SettingsStore& settings, HWND owner) : settings_(settings) {
    createDialog(L"Preferences", {487, 401}, owner);
    GroupBoxGeneral.create(*this, L"General preferences", {8, 6, 471, 92});
    CheckBoxGeneralRememberWindowPosition.create(*this, L"Remember window position", {20, 26, 300, 19});
    CheckBoxGeneralRememberWindowSize.create(*this, L"Remember window size", {20, 48, 300, 19});
    CheckBoxGeneralRememberSearchOptions.create(*this, L"Remember search options", {20, 70, 300, 19});
    GroupBoxFileSize.create(*this, L"File size", {8, 104, 471, 74});
    LabelShowFileSizeIn.create(*this, L"Show file size in (B - bytes, KB - kilobytes, MB - megabytes, GB - gigabytes):",
                               {20, 124, 450, 17});
    ComboBoxShowFileSizeIn.create(*this, win::ComboKind::List, {20, 144, 80, 23}, 4);
    for (const std::wstring_view unit : kSizeUnitTexts) ComboBoxShowFileSizeIn.addItem(unit);
    GroupBoxActions.create(*this, L"Actions", {8, 184, 471, 94});
    CheckBoxDeleteWithoutPrompting.create(*this, L"Delete without prompting", {20, 204, 300, 19});
    CheckBoxOverwriteWithoutPrompting.create(*this, L"Overwrite without prompting", {20, 226, 300, 19});
    CheckBoxUseRecycleBin.create(*this, L"Use the Recycle Bin for deleted items", {20, 248, 300, 19});
    GroupBoxContent.create(*this, L"Containing text", {8, 284, 471, 76});
    CheckBoxSearchTextOfOnlineOnlyFiles.create(*this, L"Search the text of online-only files (downloads them)",
                                               {20, 304, 400, 19});
    LabelPreviewContextLines.create(*this, L"Lines of context in the preview pane:", {20, 331, 220, 17});
    ComboBoxPreviewContextLines.create(*this, win::ComboKind::List, {244, 328, 50, 23}, 10);
    for (int lines = 0; lines <= kMostContextLines; ++lines) ComboBoxPreviewContextLines.addItem(std::to_wstring(lines));
    BitBtnOK.create(*this, L"&OK", {164, 366, 75, 25});
    BitBtnApply.create(*this, L"&Apply", {245, 366, 75, 25});
    BitBtnCancel.create(*this, L"&Cancel", {326, 366, 75, 25});
    BitBtnHelp.create(*this, L"&Help", {407, 366, 75, 25});
    setDefaultButton(BitBtnOK);
    setCancelButton(BitBtnCancel);

    FormCreate();
    for (win::CheckBox* box : {&CheckBoxGeneralRememberWindowPosition, &CheckBoxGeneralRememberWindowSize,
                               &CheckBoxGeneralRememberSearchOptions, &CheckBoxDeleteWithoutPrompting,
                               &CheckBoxOverwriteWithoutPrompting, &CheckBoxUseRecycleBin,
                               &CheckBoxSearchTextOfOnlineOnlyFiles})
        box->onClick = [this] { CheckBoxGeneralRememberWindowPositionClick(); };
    ComboBoxShowFileSizeIn.onChange = [this] { CheckBoxGeneralRememberWindowPositionClick(); };
    ComboBoxPreviewContextLines.onChange = [this] { CheckBoxGeneralRememberWindowPositionClick(); };
    BitBtnOK.onClick = [this] { BitBtnOKClick(); };
    BitBtnApply.onClick = [this] { BitBtnApplyClick(); };
    BitBtnCancel.onClick = [this] { BitBtnCancelClick(); };
    BitBtnHelp.onClick = [this] { BitBtnHelpClick(); };
}

TFormOptions::~TFormOptions() { destroyWindow(); }

void TFormOptions::FormCreate() {
    CheckBoxGeneralRememberWindowPosition.setChecked(settings_.read(setting::RememberWindowPosition));
    CheckBoxGeneralRememberWindowSize.setChecked(settings_.read(setting::RememberWindowSize));
    CheckBoxGeneralRememberSearchOptions.setChecked(settings_.read(setting::RememberSearchOptions));
    // A stored unit outside the list shows bytes rather than leaving sizes without a unit.
    const int unit = settings_.read(setting::ShowFileSizeIn);
    appliedUnit_ = IsSizeUnit(unit) ? unit : 0;
    ComboBoxShowFileSizeIn.setSelectedIndex(appliedUnit_);
    CheckBoxDeleteWithoutPrompting.setChecked(settings_.read(setting::DeleteWithoutPrompting));
    CheckBoxOverwriteWithoutPrompting.setChecked(settings_.read(setting::OverwriteWithoutPrompting));
    CheckBoxUseRecycleBin.setChecked(settings_.read(setting::UseRecycleBin));
    CheckBoxSearchTextOfOnlineOnlyFiles.setChecked(settings_.read(setting::SearchTextOfOnlineOnlyFiles));
    ComboBoxPreviewContextLines.setSelectedIndex(std::clamp(settings_.read(setting::PreviewContextLines), 0, kMostContextLines));
    BitBtnApply.setEnabled(false);
}

void TFormOptions::CheckBoxGeneralRememberWindowPositionClick() { BitBtnApply.setEnabled(true); }

void TFormOptions::BitBtnApplyClick() {
    settings_.write(setting::RememberWindowPosition, CheckBoxGeneralRememberWindowPosition.checked());
    settings_.write(setting::RememberWindowSize, CheckBoxGeneralRememberWindowSize.checked());
    settings_.write(setting::RememberSearchOptions, CheckBoxGeneralRememberSearchOptions.checked());
    settings_.write(setting::ShowFileSizeIn, ComboBoxShowFileSizeIn.selectedIndex());
    settings_.write(setting::DeleteWithoutPrompting, CheckBoxDeleteWithoutPrompting.checked());
    settings_.write(setting::OverwriteWithoutPrompting, CheckBoxOverwriteWithoutPrompting.checked());
    settings_.write(setting::UseRecycleBin, CheckBoxUseRecycleBin.checked());
    settings_.write(setting::SearchTextOfOnlineOnlyFiles, CheckBoxSearchTextOfOnlineOnlyFiles.checked());
    settings_.write(setting::PreviewContextLines, contextLines());
    appliedUnit_ = std::max(ComboBoxShowFileSizeIn.selectedIndex(), 0);
    BitBtnApply.setEnabled(false);
    opened_ = shown();  // what Cancel keeps from now on
    if (onApplied) onApplied();
}

// OK applies in full even when nothing changed.
void TFormOptions::BitBtnOKClick() {
    BitBtnApplyClick();
    endModal(IDOK);
}

void TFormOptions::BitBtnCancelClick() { endModal(IDCANCEL); }

void TFormOptions::BitBtnHelpClick() {
    if (onHelp) onHelp();
}

std::pair<int, std::wstring> TFormOptions::sizeUnit() const { return {appliedUnit_, std::wstring(SizeUnitText(appliedUnit_))}; }

TFormOptions::Shown TFormOptions::shown() const {
    return {CheckBoxGeneralRememberWindowPosition.checked(), CheckBoxGeneralRememberWindowSize.checked(),
            CheckBoxGeneralRememberSearchOptions.checked(),  ComboBoxShowFileSizeIn.selectedIndex(),
            CheckBoxDeleteWithoutPrompting.checked(),         CheckBoxOverwriteWithoutPrompting.checked(),
            CheckBoxUseRecycleBin.checked(),                  CheckBoxSearchTextOfOnlineOnlyFiles.checked(),
            ComboBoxPreviewContextLines.selectedIndex(),     BitBtnApply.enabled()};
}

void TFormOptions::onShowing() { opened_ = shown(); }

// A choice left unapplied would otherwise act at once: a delete or a copy would stop asking.
void TFormOptions::onEnded(int result) {
    if (result == IDOK) return;
    CheckBoxGeneralRememberWindowPosition.setChecked(opened_.rememberPosition);
    CheckBoxGeneralRememberWindowSize.setChecked(opened_.rememberSize);
    CheckBoxGeneralRememberSearchOptions.setChecked(opened_.rememberOptions);
    ComboBoxShowFileSizeIn.setSelectedIndex(opened_.unit);
    CheckBoxDeleteWithoutPrompting.setChecked(opened_.deleteWithoutPrompting);
    CheckBoxOverwriteWithoutPrompting.setChecked(opened_.overwriteWithoutPrompting);
    CheckBoxUseRecycleBin.setChecked(opened_.useRecycleBin);
    CheckBoxSearchTextOfOnlineOnlyFiles.setChecked(opened_.searchOnlineOnlyText);
    ComboBoxPreviewContextLines.setSelectedIndex(opened_.contextLines);
    BitBtnApply.setEnabled(opened_.applyEnabled);
}

}  // namespace findlark
