#pragma once
// "Preferences": what is remembered between runs, the unit of sizes, whether deleting and
// overwriting ask first, whether deleting uses the Recycle Bin and whether a content search reads
// (downloads) online-only files. Its controls are the live state of the two prompting choices, and the unit
// it last applied is the one sizes are shown in; the Remember choices act through the store. Cancel
// and the close box put back what the dialog showed when it opened or was last applied.
#include "settings/settings_store.h"
#include "win/dialog.h"

#include <algorithm>
#include <functional>
#include <string>
#include <utility>

namespace findlark {

class TFormOptions : public win::Dialog {
public:
    TFormOptions(SettingsStore& settings, HWND owner);
    ~TFormOptions() override;

    win::GroupBox GroupBoxGeneral;
    win::CheckBox CheckBoxGeneralRememberWindowPosition;
    win::CheckBox CheckBoxGeneralRememberWindowSize;
    win::CheckBox CheckBoxGeneralRememberSearchOptions;
    win::GroupBox GroupBoxFileSize;
    win::Label LabelShowFileSizeIn;
    win::ComboBox ComboBoxShowFileSizeIn;
    win::GroupBox GroupBoxActions;
    win::CheckBox CheckBoxDeleteWithoutPrompting;
    win::CheckBox CheckBoxOverwriteWithoutPrompting;
    win::CheckBox CheckBoxUseRecycleBin;
    win::GroupBox GroupBoxContent;
    win::CheckBox CheckBoxSearchTextOfOnlineOnlyFiles;
    win::Label LabelPreviewContextLines;
    win::ComboBox ComboBoxPreviewContextLines;
    win::Button BitBtnOK;
    win::Button BitBtnApply;
    win::Button BitBtnCancel;
    win::Button BitBtnHelp;

    void FormCreate();
    void CheckBoxGeneralRememberWindowPositionClick();
    void BitBtnApplyClick();
    void BitBtnOKClick();
    void BitBtnCancelClick();
    void BitBtnHelpClick();

    // The unit sizes are shown in, as last applied: its index 0 to 3 and its text.
    std::pair<int, std::wstring> sizeUnit() const;
    bool deleteWithoutPrompting() const { return CheckBoxDeleteWithoutPrompting.checked(); }
    bool overwriteWithoutPrompting() const { return CheckBoxOverwriteWithoutPrompting.checked(); }
    bool useRecycleBin() const { return CheckBoxUseRecycleBin.checked(); }
    bool searchOnlineOnlyText() const { return CheckBoxSearchTextOfOnlineOnlyFiles.checked(); }
    // Lines shown before and after each matching line in the preview pane.
    int contextLines() const { return std::max(ComboBoxPreviewContextLines.selectedIndex(), 0); }
    static constexpr int kMostContextLines = 9;

    // Runs at the end of every Apply: the list shows its sizes in the unit now chosen.
    std::function<void()> onApplied;
    std::function<void()> onHelp;

protected:
    void onShowing() override;
    void onEnded(int result) override;

private:
    // What the controls showed when the dialog opened or was last applied.
    struct Shown {
        bool rememberPosition, rememberSize, rememberOptions;
        int unit;
        bool deleteWithoutPrompting, overwriteWithoutPrompting;
        bool useRecycleBin;
        bool searchOnlineOnlyText;
        int contextLines;
        bool applyEnabled;
    };
    Shown shown() const;
    SettingsStore& settings_;
    Shown opened_{};
    int appliedUnit_ = 0;
};

}  // namespace findlark
