#pragma once
// The settings of the section "Preferences", each declared once with its key and its default.
namespace findlark {

inline constexpr wchar_t kPreferences[] = L"Preferences";

struct BoolSetting {
    const wchar_t* key;
    bool fallback;
};
struct IntSetting {
    const wchar_t* key;
    int fallback;
};
struct TextSetting {
    const wchar_t* key;
    const wchar_t* fallback;
};

namespace setting {
inline constexpr BoolSetting RememberWindowPosition{L"RememberWindowPosition", true};
inline constexpr BoolSetting RememberWindowSize{L"RememberWindowSize", true};
inline constexpr BoolSetting RememberSearchOptions{L"RememberSearchOptions", true};
inline constexpr IntSetting ShowFileSizeIn{L"ShowFileSizeIn", 0};
inline constexpr BoolSetting DeleteWithoutPrompting{L"DeleteWithoutPrompting", false};
inline constexpr BoolSetting OverwriteWithoutPrompting{L"OverwriteWithoutPrompting", false};
inline constexpr BoolSetting UseRecycleBin{L"UseRecycleBin", true};
inline constexpr BoolSetting SearchTextOfOnlineOnlyFiles{L"SearchTextOfOnlineOnlyFiles", false};
inline constexpr IntSetting MainWindowTop{L"MainWindowTop", -10000};
inline constexpr IntSetting MainWindowLeft{L"MainWindowLeft", -10000};
// The two size keys hold the crossed dimensions: "Width" the height, "Height" the width.
inline constexpr IntSetting MainWindowWidth{L"MainWindowWidth", 443};
inline constexpr IntSetting MainWindowHeight{L"MainWindowHeight", 633};
inline constexpr IntSetting WindowState{L"WindowState", 0};
inline constexpr IntSetting ActivePageIndex{L"ActivePageIndex", 0};
// The results' columns by number: Name, In Folder, Size, Date Modified, Type, Extension, Date Created,
// Date Accessed, Attributes; widths in design units.
inline constexpr IntSetting ColumnWidth[9] = {
    {L"Column0Width", 155}, {L"Column1Width", 155}, {L"Column2Width", 155}, {L"Column3Width", 155}, {L"Column4Width", 120},
    {L"Column5Width", 70},  {L"Column6Width", 130}, {L"Column7Width", 130}, {L"Column8Width", 70}};
// The columns shown, by number, in their order on screen.
inline constexpr TextSetting ResultColumns{L"ResultColumns", L"0,1,2,3"};
inline constexpr BoolSetting ShowTipOfTheDayOnStartup{L"ShowTipOfTheDayOnStartup", true};
inline constexpr BoolSetting ShowPreviewPane{L"ShowPreviewPane", true};
inline constexpr IntSetting PreviewPaneHeight{L"PreviewPaneHeight", 120};  // design units
inline constexpr IntSetting PreviewContextLines{L"PreviewContextLines", 2};
}  // namespace setting

inline constexpr int kPositionUnset = -10000;
enum StoredWindowState : int { StoredNormal = 0, StoredMaximized = 1, StoredMinimized = 2 };

}  // namespace findlark
