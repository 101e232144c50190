#pragma once
// Thin wrappers of the standard controls. Each runs its change handler whenever its state
// changes, whether the user or the program changed it; setting the state it already has runs nothing.
#include "win/control.h"
#include "win/handle.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace win {

class Label : public Control {
public:
    void create(Container& parent, std::wstring_view caption, Rect rect, unsigned anchors = AnchorsDefault);
};

class GroupBox : public Control {
public:
    void create(Container& parent, std::wstring_view caption, Rect rect, unsigned anchors = AnchorsDefault);
};

// A picture of an icon; the control owns the icon it shows.
class IconImage : public Control {
public:
    void create(Container& parent, Rect rect);
    void setIcon(UniqueIcon icon);
    HICON icon() const { return icon_.get(); }

private:
    UniqueIcon icon_;
};

// A sunken horizontal line.
class Divider : public Control {
public:
    void create(Container& parent, Rect rect, unsigned anchors = AnchorsDefault);
};

// A bar that fills from left to right.
class ProgressBar : public Control {
public:
    static constexpr int kRange = 1000;
    void create(Container& parent, Rect rect, unsigned anchors = AnchorsDefault);
    // 0 to kRange.
    void setPosition(int position);
};

class Button : public Control {
public:
    void create(Container& parent, std::wstring_view caption, Rect rect, unsigned anchors = AnchorsDefault);
    // Presses the button as the user would (nothing happens while it or its window is disabled).
    void click();
    void onCommand(WORD code) override;
    bool pressesOnEnter() const override { return true; }
    void press() override { ::SendMessageW(hwnd(), BM_CLICK, 0, 0); }
    std::function<void()> onClick;
};

// Text in blue that opens something when clicked, with the hand pointer over it.
class LinkLabel : public Control {
public:
    void create(Container& parent, std::wstring_view caption, Rect rect);
    void click();
    void onCommand(WORD code) override;
    HBRUSH onColor(HDC dc) override;
    bool onSetCursor() override;
    std::function<void()> onClick;
};

class CheckBox : public Control {
public:
    void create(Container& parent, std::wstring_view caption, Rect rect);
    bool checked() const { return checked_; }
    void setChecked(bool checked);
    void click();
    void onCommand(WORD code) override;
    std::function<void()> onClick;

private:
    bool checked_ = false;
};

class RadioGroup;

class RadioButton : public Control {
public:
    void create(Container& parent, RadioGroup& group, std::wstring_view caption, Rect rect);
    bool checked() const;
    void setChecked();  // checks this button and clears the others of its group
    void click();
    void onCommand(WORD code) override;

private:
    RadioGroup* group_ = nullptr;
    int index_ = -1;
};

// The radio buttons of one choice; the selected index is the choice's value.
class RadioGroup {
public:
    int add(RadioButton& button);
    int selected() const { return selected_; }
    void select(int index);
    int count() const { return static_cast<int>(buttons_.size()); }
    void setEnabled(bool enabled);
    std::function<void(int)> onSelect;

private:
    std::vector<RadioButton*> buttons_;
    int selected_ = -1;
};

class Edit : public Control {
public:
    ~Edit() override;
    void create(Container& parent, std::wstring_view text, Rect rect, DWORD extraStyle = 0,
                unsigned anchors = AnchorsDefault);
    // The grey hint an empty box shows.
    void setCueBanner(const std::wstring& hint);
    // Decides for every typed character whether the box takes it; unset, every character is taken.
    std::function<bool(wchar_t)> acceptChar;
    std::function<void()> onChange;
    void onCommand(WORD code) override;

private:
    static LRESULT CALLBACK subclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
};

enum class ComboKind { Editable, List, ImageList };

class ComboBox : public Control {
public:
    void create(Container& parent, ComboKind kind, Rect rect, int visibleRows = 8);
    void addItem(std::wstring_view text, int image = -1);
    std::vector<std::wstring> items() const;
    int count() const;
    void clear();
    int selectedIndex() const;
    void setSelectedIndex(int index);
    void setImageList(HIMAGELIST images);
    // The text of the edit field (editable kind) or of the selected row.
    std::wstring text() const;
    void setText(std::wstring_view text);
    // Selects the whole text of the edit field once the focus has settled there (after the click
    // that brought it, which would otherwise place the caret).
    void selectAllText();
    std::function<void()> onChange;
    // Runs when the box takes the focus.
    std::function<void()> onFocus;
    void onCommand(WORD code) override;

private:
    HWND comboHandle() const;
    ComboKind kind_ = ComboKind::List;
    int lastIndex_ = -1;
};

class ListBox : public Control {
public:
    void create(Container& parent, Rect rect);
    void addItem(std::wstring_view text);
    void removeAt(int index);
    void clear();
    int count() const;
    std::wstring item(int index) const;
    std::vector<std::wstring> items() const;
    int selectedIndex() const;
    void setSelectedIndex(int index);
};

enum class PickerKind { Date, Time };

class DateTimePicker : public Control {
public:
    void create(Container& parent, PickerKind kind, Rect rect);
    SYSTEMTIME value() const;
    void setValue(const SYSTEMTIME& value);
    // Runs when the user types or picks a value, and when the program sets one.
    std::function<void()> onChange;
    LRESULT onNotify(NMHDR& header) override;
};

// Up-down buttons without a buddy: they report each click's direction and leave the text to the owner.
class UpDown : public Control {
public:
    void create(Container& parent, Rect rect);
    std::function<void(int delta)> onDelta;
    LRESULT onNotify(NMHDR& header) override;
};

// Two panels: the first just wide enough for a sample text in the bar's font at the window's DPI,
// the second taking the rest.
class StatusBar : public Control {
public:
    static constexpr int kPanels = 2;
    void create(Container& parent, std::wstring firstPanelSample);
    void setPanelText(int panel, std::wstring_view text);
    // A text that ends in a path: when it is too wide for its panel, characters before its last
    // backslash give way to "...", so the counts in front and the last folder stay readable. It is
    // fitted again whenever the panel's width changes.
    void setPanelPathText(int panel, std::wstring_view text);
    std::wstring panelText(int panel) const;  // as shown
    int firstPanelWidth() const;
    void afterLayout() override;

private:
    struct PanelText {
        std::wstring text;
        bool shortenPath = false;  // fitted to the panel as a path
    };
    void showPanel(int panel);
    std::wstring fittedText(int panel, const std::wstring& text) const;
    HGDIOBJ font() const;
    std::wstring firstPanelSample_;
    std::array<PanelText, kPanels> panels_;
};

// Loads the rich edit's library once; its window class exists from then on.
void LoadRichEdit();

class RichEdit : public Control {
public:
    void create(Container& parent, Rect rect);
};

// A child window of ours that hosts controls, such as one page of a page control.
class Panel : public Control, public Container {
public:
    void create(Container& parent, Rect rect, unsigned anchors = AnchorsDefault);
    Form& form() override { return Control::parent().form(); }
};

// A picture that acts as a button: drawn by its owner inside a raised frame, the hand pointer over
// it, pressed by a click, Space or Enter.
class ImageButton : public Panel {
public:
    void create(Container& parent, Rect rect);
    void click();
    bool pressesOnEnter() const override { return true; }
    void press() override { click(); }
    // Draws the picture into the rectangle inside the frame.
    std::function<void(HDC dc, const RECT& area)> onPaint;
    std::function<void()> onClick;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool pressed_ = false;  // pressed on the picture and not yet released
};

// Tabs shown as flat buttons above a stack of pages; only the active page is visible. The tab strip is
// a tab stop of its own (the arrow keys then switch pages); the pages are its siblings below it, so
// keyboard navigation walks into the active page after the strip.
class PageControl : public Control {
public:
    void create(Container& parent, Rect rect, unsigned anchors);
    Panel& addPage(std::wstring_view caption);
    Panel& page(int index) const { return *pages_.at(static_cast<size_t>(index)); }
    int count() const { return static_cast<int>(pages_.size()); }
    int activeIndex() const;
    // Brings a page to the front without running the change handler.
    void setActiveIndex(int index);
    // Changes the page as the user does: runs the change handler when the page changed.
    void changePage(int index);
    void setImageList(HIMAGELIST images);
    int tabImage(int index) const;
    void setTabImage(int index, int image);
    // Whether the window is the strip, a page or inside a page.
    bool contains(HWND window) const;
    // The strip and its pages together.
    void setEnabled(bool enabled) override;
    void setVisible(bool visible) override;
    std::function<void()> onChange;
    LRESULT onNotify(NMHDR& header) override;
    void afterLayout() override;

private:
    void showActivePage();
    std::vector<std::unique_ptr<Panel>> pages_;
    int wholeHeight_ = 0;  // strip and pages, as the form placed the control
    int stripHeight_ = -1;
};

}  // namespace win
