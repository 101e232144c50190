#include "win/controls.h"

#include "win/form.h"

#include <commctrl.h>
#include <richedit.h>

#include <cwchar>

#include "win/handle.h"

namespace win {
namespace {

constexpr DWORD kTab = WS_TABSTOP | WS_GROUP;

}  // namespace

void Label::create(Container& parent, std::wstring_view caption, Rect rect, unsigned anchors) {
    Control::create(parent, WC_STATICW, caption, SS_LEFT, 0, rect, anchors);
}

void GroupBox::create(Container& parent, std::wstring_view caption, Rect rect, unsigned anchors) {
    Control::create(parent, WC_BUTTONW, caption, BS_GROUPBOX | WS_GROUP, 0, rect, anchors);
}

void IconImage::create(Container& parent, Rect rect) {
    Control::create(parent, WC_STATICW, L"", SS_ICON | SS_CENTERIMAGE, 0, rect);
}

// The control lets go of the old icon before it is freed.
void IconImage::setIcon(UniqueIcon icon) {
    ::SendMessageW(hwnd(), STM_SETICON, reinterpret_cast<WPARAM>(icon.get()), 0);
    icon_ = std::move(icon);
}

void Divider::create(Container& parent, Rect rect, unsigned anchors) {
    Control::create(parent, WC_STATICW, L"", SS_ETCHEDHORZ, 0, rect, anchors);
}

void ProgressBar::create(Container& parent, Rect rect, unsigned anchors) {
    Control::create(parent, PROGRESS_CLASSW, L"", 0, 0, rect, anchors);
    ::SendMessageW(hwnd(), PBM_SETRANGE32, 0, kRange);
}

void ProgressBar::setPosition(int position) { ::SendMessageW(hwnd(), PBM_SETPOS, static_cast<WPARAM>(position), 0); }

void Button::create(Container& parent, std::wstring_view caption, Rect rect, unsigned anchors) {
    Control::create(parent, WC_BUTTONW, caption, BS_PUSHBUTTON | kTab, 0, rect, anchors);
}

void Button::click() {
    if (enabled() && ::IsWindowEnabled(::GetAncestor(hwnd(), GA_ROOT)) && onClick) onClick();
}

void Button::onCommand(WORD code) {
    if (code == BN_CLICKED && onClick) onClick();
}

void LinkLabel::create(Container& parent, std::wstring_view caption, Rect rect) {
    Control::create(parent, WC_STATICW, caption, SS_LEFT | SS_NOTIFY, 0, rect);
}

void LinkLabel::click() {
    if (onClick) onClick();
}

void LinkLabel::onCommand(WORD code) {
    if (code == STN_CLICKED) click();
}

HBRUSH LinkLabel::onColor(HDC dc) {
    ::SetTextColor(dc, RGB(0, 0, 255));
    ::SetBkMode(dc, TRANSPARENT);
    return ::GetSysColorBrush(COLOR_BTNFACE);
}

bool LinkLabel::onSetCursor() {
    ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
    return true;
}

void CheckBox::create(Container& parent, std::wstring_view caption, Rect rect) {
    Control::create(parent, WC_BUTTONW, caption, BS_AUTOCHECKBOX | kTab, 0, rect);
}

void CheckBox::setChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    ::SendMessageW(hwnd(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (onClick) onClick();
}

void CheckBox::click() { ::SendMessageW(hwnd(), BM_CLICK, 0, 0); }

void CheckBox::onCommand(WORD code) {
    if (code != BN_CLICKED) return;
    const bool now = ::SendMessageW(hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (now == checked_) return;
    checked_ = now;
    if (onClick) onClick();
}

void RadioButton::create(Container& parent, RadioGroup& group, std::wstring_view caption, Rect rect) {
    group_ = &group;
    // The first button of a group starts the group for keyboard navigation.
    const DWORD style = BS_AUTORADIOBUTTON | (group.count() == 0 ? kTab : 0);
    Control::create(parent, WC_BUTTONW, caption, style, 0, rect);
    index_ = group.add(*this);
}

bool RadioButton::checked() const { return group_->selected() == index_; }
void RadioButton::setChecked() { group_->select(index_); }
void RadioButton::click() { ::SendMessageW(hwnd(), BM_CLICK, 0, 0); }

void RadioButton::onCommand(WORD code) {
    if (code == BN_CLICKED && ::SendMessageW(hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED) group_->select(index_);
}

int RadioGroup::add(RadioButton& button) {
    buttons_.push_back(&button);
    return count() - 1;
}

void RadioGroup::select(int index) {
    if (index == selected_) return;
    selected_ = index;
    for (int i = 0; i < count(); ++i) {
        const HWND h = buttons_[static_cast<size_t>(i)]->hwnd();
        ::SendMessageW(h, BM_SETCHECK, i == index ? BST_CHECKED : BST_UNCHECKED, 0);
        // Tab reaches a group at its checked button.
        LONG_PTR style = ::GetWindowLongPtrW(h, GWL_STYLE);
        style = i == index ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
        ::SetWindowLongPtrW(h, GWL_STYLE, style);
    }
    if (onSelect) onSelect(index);
}

void RadioGroup::setEnabled(bool enabled) {
    for (RadioButton* button : buttons_) button->setEnabled(enabled);
}

void Edit::create(Container& parent, std::wstring_view text, Rect rect, DWORD extraStyle, unsigned anchors) {
    Control::create(parent, WC_EDITW, text, ES_AUTOHSCROLL | kTab | extraStyle, WS_EX_CLIENTEDGE, rect, anchors);
    ::SetWindowSubclass(hwnd(), &Edit::subclassProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

void Edit::setCueBanner(const std::wstring& hint) {
    ::SendMessageW(hwnd(), EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(hint.c_str()));
}

Edit::~Edit() {
    if (hwnd() && ::IsWindow(hwnd())) ::RemoveWindowSubclass(hwnd(), &Edit::subclassProc, 1);
}

LRESULT CALLBACK Edit::subclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR data) {
    auto* self = reinterpret_cast<Edit*>(data);
    if (message == WM_CHAR && self->acceptChar && !self->acceptChar(static_cast<wchar_t>(wParam))) return 0;
    if (message == WM_NCDESTROY) ::RemoveWindowSubclass(hwnd, &Edit::subclassProc, 1);
    return ::DefSubclassProc(hwnd, message, wParam, lParam);
}

void Edit::onCommand(WORD code) {
    if (code == EN_CHANGE && onChange) onChange();
}

void ComboBox::create(Container& parent, ComboKind kind, Rect rect, int visibleRows) {
    kind_ = kind;
    const DWORD kindStyle = kind == ComboKind::Editable ? CBS_DROPDOWN | CBS_AUTOHSCROLL : CBS_DROPDOWNLIST;
    const wchar_t* cls = kind == ComboKind::ImageList ? WC_COMBOBOXEXW : WC_COMBOBOXW;
    // The height of a combo box's window includes its dropped-down list.
    Rect withList = rect;
    withList.h = rect.h + visibleRows * 16;
    Control::create(parent, cls, L"", kindStyle | WS_VSCROLL | kTab, 0, withList);
    ::SendMessageW(comboHandle(), CB_SETMINVISIBLE, static_cast<WPARAM>(visibleRows), 0);
}

HWND ComboBox::comboHandle() const {
    return kind_ == ComboKind::ImageList ? reinterpret_cast<HWND>(::SendMessageW(hwnd(), CBEM_GETCOMBOCONTROL, 0, 0))
                                         : hwnd();
}

void ComboBox::addItem(std::wstring_view text, int image) {
    std::wstring copy(text);
    if (kind_ == ComboKind::ImageList) {
        COMBOBOXEXITEMW item{};
        item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
        item.iItem = -1;
        item.pszText = copy.data();
        item.iImage = item.iSelectedImage = image;
        ::SendMessageW(hwnd(), CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    } else {
        ::SendMessageW(hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(copy.c_str()));
    }
}

std::vector<std::wstring> ComboBox::items() const {
    std::vector<std::wstring> result;
    const HWND combo = comboHandle();
    const int n = count();
    if (kind_ == ComboKind::ImageList) {
        // The rows of an extended combo box keep their texts in the outer control.
        for (int i = 0; i < n; ++i) {
            wchar_t text[512] = {};
            COMBOBOXEXITEMW item{};
            item.mask = CBEIF_TEXT;
            item.iItem = i;
            item.pszText = text;
            item.cchTextMax = 512;
            ::SendMessageW(hwnd(), CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
            result.emplace_back(text);
        }
        return result;
    }
    for (int i = 0; i < n; ++i) {
        const auto length = ::SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring item(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
        ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item.data()));
        item.resize(static_cast<size_t>(length > 0 ? length : 0));
        result.push_back(std::move(item));
    }
    return result;
}

int ComboBox::count() const { return static_cast<int>(::SendMessageW(comboHandle(), CB_GETCOUNT, 0, 0)); }

void ComboBox::clear() {
    if (kind_ == ComboKind::ImageList) {
        while (count() > 0) ::SendMessageW(hwnd(), CBEM_DELETEITEM, 0, 0);
    } else {
        ::SendMessageW(hwnd(), CB_RESETCONTENT, 0, 0);
    }
    lastIndex_ = -1;
}

int ComboBox::selectedIndex() const { return static_cast<int>(::SendMessageW(comboHandle(), CB_GETCURSEL, 0, 0)); }

void ComboBox::setSelectedIndex(int index) {
    if (index == selectedIndex()) return;
    ::SendMessageW(hwnd(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    lastIndex_ = selectedIndex();
    if (onChange) onChange();
}

void ComboBox::setImageList(HIMAGELIST images) {
    ::SendMessageW(hwnd(), CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
}

std::wstring ComboBox::text() const {
    if (kind_ == ComboKind::Editable) return Control::text();
    const int index = selectedIndex();
    if (index < 0) return {};
    return items()[static_cast<size_t>(index)];
}

void ComboBox::setText(std::wstring_view text) {
    if (kind_ == ComboKind::Editable) Control::setText(text);
}

void ComboBox::selectAllText() { ::PostMessageW(comboHandle(), CB_SETEDITSEL, 0, MAKELPARAM(0, -1)); }

void ComboBox::onCommand(WORD code) {
    if (code == CBN_SETFOCUS && onFocus) onFocus();
    if (code != CBN_SELCHANGE) return;
    const int now = selectedIndex();
    if (now == lastIndex_) return;
    lastIndex_ = now;
    if (onChange) onChange();
}

void ListBox::create(Container& parent, Rect rect) {
    Control::create(parent, WC_LISTBOXW, L"", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | kTab,
                    WS_EX_CLIENTEDGE, rect);
}

void ListBox::addItem(std::wstring_view text) {
    const std::wstring copy(text);
    ::SendMessageW(hwnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(copy.c_str()));
}

void ListBox::removeAt(int index) { ::SendMessageW(hwnd(), LB_DELETESTRING, static_cast<WPARAM>(index), 0); }
void ListBox::clear() { ::SendMessageW(hwnd(), LB_RESETCONTENT, 0, 0); }
int ListBox::count() const { return static_cast<int>(::SendMessageW(hwnd(), LB_GETCOUNT, 0, 0)); }

std::wstring ListBox::item(int index) const {
    const auto length = ::SendMessageW(hwnd(), LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    ::SendMessageW(hwnd(), LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

std::vector<std::wstring> ListBox::items() const {
    std::vector<std::wstring> result;
    for (int i = 0; i < count(); ++i) result.push_back(item(i));
    return result;
}

int ListBox::selectedIndex() const { return static_cast<int>(::SendMessageW(hwnd(), LB_GETCURSEL, 0, 0)); }
void ListBox::setSelectedIndex(int index) { ::SendMessageW(hwnd(), LB_SETCURSEL, static_cast<WPARAM>(index), 0); }

void DateTimePicker::create(Container& parent, PickerKind kind, Rect rect) {
    const DWORD style = kind == PickerKind::Date ? DTS_SHORTDATEFORMAT : DTS_TIMEFORMAT;
    Control::create(parent, DATETIMEPICK_CLASSW, L"", style | kTab, 0, rect);
}

SYSTEMTIME DateTimePicker::value() const {
    SYSTEMTIME time{};
    ::SendMessageW(hwnd(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
    return time;
}

void DateTimePicker::setValue(const SYSTEMTIME& value) {
    ::SendMessageW(hwnd(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&value));
    if (onChange) onChange();
}

LRESULT DateTimePicker::onNotify(NMHDR& header) {
    if (header.code == DTN_DATETIMECHANGE && onChange) onChange();
    return 0;
}

void UpDown::create(Container& parent, Rect rect) {
    Control::create(parent, UPDOWN_CLASSW, L"", UDS_ARROWKEYS, 0, rect);
    // The position never moves (see onNotify), so a wide range keeps both directions reporting.
    ::SendMessageW(hwnd(), UDM_SETRANGE32, static_cast<WPARAM>(-1000), 1000);
}

LRESULT UpDown::onNotify(NMHDR& header) {
    if (header.code != UDN_DELTAPOS) return 0;
    const auto& change = reinterpret_cast<NMUPDOWN&>(header);
    if (onDelta) onDelta(change.iDelta);
    return TRUE;  // keep the control's own position: the owner keeps the number
}

void StatusBar::create(Container& parent, std::wstring firstPanelSample) {
    firstPanelSample_ = std::move(firstPanelSample);
    Control::create(parent, STATUSCLASSNAMEW, L"", SBARS_SIZEGRIP, 0, Rect{});
    afterLayout();
}

int StatusBar::firstPanelWidth() const {
    RECT panel{};
    ::SendMessageW(hwnd(), SB_GETRECT, 0, reinterpret_cast<LPARAM>(&panel));
    return panel.right - panel.left;
}

void StatusBar::setPanelText(int panel, std::wstring_view text) {
    if (panel < 0 || panel >= kPanels) return;
    panels_[panel] = {std::wstring(text), false};
    showPanel(panel);
}

void StatusBar::setPanelPathText(int panel, std::wstring_view text) {
    if (panel < 0 || panel >= kPanels) return;
    panels_[panel] = {std::wstring(text), true};
    showPanel(panel);
}

void StatusBar::showPanel(int panel) {
    const PanelText& shown = panels_[panel];
    const std::wstring text = shown.shortenPath ? fittedText(panel, shown.text) : shown.text;
    ::SendMessageW(hwnd(), SB_SETTEXTW, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring StatusBar::fittedText(int panel, const std::wstring& text) const {
    RECT part{};
    ::SendMessageW(hwnd(), SB_GETRECT, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(&part));
    int borders[3] = {};
    ::SendMessageW(hwnd(), SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    // The text's margins inside the panel, and the size grip that covers the end of the last one.
    int room = part.right - part.left - 2 * (borders[0] + borders[2] + ::GetSystemMetrics(SM_CXEDGE));
    if (panel == kPanels - 1) room -= ::GetSystemMetrics(SM_CXVSCROLL);
    if (room <= 0) return text;
    std::wstring fitted = text;
    fitted.resize(text.size() + 4);  // the platform may write a longer "..." text in place
    RECT bounds{0, 0, room, 0};
    const WindowDc dc(hwnd());
    const SelectedObject selected(dc.get(), font());
    ::DrawTextW(dc.get(), fitted.data(), -1, &bounds,
                DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT | DT_PATH_ELLIPSIS | DT_END_ELLIPSIS | DT_MODIFYSTRING);
    fitted.resize(std::wcslen(fitted.c_str()));
    return fitted;
}

HGDIOBJ StatusBar::font() const {
    const auto font = reinterpret_cast<HFONT>(::SendMessageW(hwnd(), WM_GETFONT, 0, 0));
    return font ? font : ::GetStockObject(DEFAULT_GUI_FONT);
}

std::wstring StatusBar::panelText(int panel) const {
    const auto length = LOWORD(::SendMessageW(hwnd(), SB_GETTEXTLENGTHW, static_cast<WPARAM>(panel), 0));
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    ::SendMessageW(hwnd(), SB_GETTEXTW, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return text;
}

// The font and the DPI may have changed with the layout, so the first panel is measured again.
void StatusBar::afterLayout() {
    ::SendMessageW(hwnd(), WM_SIZE, 0, 0);
    SIZE text{};
    {
        const WindowDc dc(hwnd());
        const SelectedObject selected(dc.get(), font());
        ::GetTextExtentPoint32W(dc.get(), firstPanelSample_.c_str(), static_cast<int>(firstPanelSample_.size()), &text);
    }
    // The panel's frame and the text's margins: the bar's own borders and a line's height, which
    // grows with the font and so with the DPI.
    int borders[3] = {};
    ::SendMessageW(hwnd(), SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    const int margins = 2 * (borders[0] + borders[2]) + text.cy;
    int edges[] = {text.cx + margins, -1};
    ::SendMessageW(hwnd(), SB_SETPARTS, kPanels, reinterpret_cast<LPARAM>(edges));
    for (int panel = 0; panel < kPanels; ++panel) {
        if (panels_[panel].shortenPath) showPanel(panel);
    }
}

void LoadRichEdit() { static const UniqueModule library(::LoadLibraryW(L"msftedit.dll")); }

void RichEdit::create(Container& parent, Rect rect) {
    LoadRichEdit();
    Control::create(parent, MSFTEDIT_CLASS, L"", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | kTab,
                    WS_EX_CLIENTEDGE, rect);
}

void Panel::create(Container& parent, Rect rect, unsigned anchors) {
    Control::create(parent, windowClass(L"FindlarkPanel", ::GetSysColorBrush(COLOR_BTNFACE)), L"",
                    WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, rect, anchors, static_cast<Container*>(this));
}

void ImageButton::create(Container& parent, Rect rect) {
    Panel::create(parent, rect);
    LONG_PTR style = ::GetWindowLongPtrW(hwnd(), GWL_STYLE) | WS_TABSTOP;
    ::SetWindowLongPtrW(hwnd(), GWL_STYLE, style);
}

void ImageButton::click() {
    if (enabled() && onClick) onClick();
}

LRESULT ImageButton::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        const HDC dc = ::BeginPaint(windowHandle(), &paint);
        RECT area{};
        ::GetClientRect(windowHandle(), &area);
        ::DrawEdge(dc, &area, EDGE_RAISED, BF_RECT | BF_ADJUST);
        if (onPaint) onPaint(dc, area);
        if (::GetFocus() == windowHandle()) {
            RECT focus = area;
            ::InflateRect(&focus, -2, -2);
            ::DrawFocusRect(dc, &focus);
        }
        ::EndPaint(windowHandle(), &paint);
        return 0;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        ::InvalidateRect(windowHandle(), nullptr, FALSE);
        return 0;
    case WM_SETCURSOR:
        ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
    // A click is a press and a release on the picture: a release that began elsewhere, or a press
    // released elsewhere, does nothing.
    case WM_LBUTTONDOWN:
        ::SetFocus(windowHandle());
        ::SetCapture(windowHandle());
        pressed_ = true;
        return 0;
    case WM_LBUTTONUP: {
        const bool wasPressed = pressed_;
        pressed_ = false;
        if (::GetCapture() == windowHandle()) ::ReleaseCapture();
        RECT area{};
        ::GetClientRect(windowHandle(), &area);
        const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (wasPressed && ::PtInRect(&area, at)) click();
        return 0;
    }
    case WM_CAPTURECHANGED:
        pressed_ = false;
        return 0;
    case WM_GETDLGCODE:
        return DLGC_BUTTON;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE) click();
        return 0;
    default:
        return Panel::handleMessage(message, wParam, lParam);
    }
}

void PageControl::create(Container& parent, Rect rect, unsigned anchors) {
    Control::create(parent, WC_TABCONTROLW, L"", TCS_BUTTONS | TCS_FLATBUTTONS | TCS_MULTILINE | kTab, 0, rect,
                    anchors);
}

Panel& PageControl::addPage(std::wstring_view caption) {
    std::wstring text(caption);
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = text.data();
    item.iImage = -1;
    const int index = count();
    ::SendMessageW(hwnd(), TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    auto page = std::make_unique<Panel>();
    page->create(parent(), Rect{});
    page->Control::setVisible(index == activeIndex() && visible());
    if (!enabled()) page->Control::setEnabled(false);
    pages_.push_back(std::move(page));
    afterLayout();
    return *pages_.back();
}

int PageControl::activeIndex() const { return static_cast<int>(::SendMessageW(hwnd(), TCM_GETCURSEL, 0, 0)); }

void PageControl::setActiveIndex(int index) {
    ::SendMessageW(hwnd(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    showActivePage();
}

void PageControl::changePage(int index) {
    if (index == activeIndex()) return;
    setActiveIndex(index);
    if (onChange) onChange();
}

void PageControl::showActivePage() {
    const int active = visible() ? activeIndex() : -1;
    for (int i = 0; i < count(); ++i) {
        if (i != active) pages_[static_cast<size_t>(i)]->Control::setVisible(false);
    }
    if (active >= 0 && active < count()) pages_[static_cast<size_t>(active)]->Control::setVisible(true);
}

bool PageControl::contains(HWND window) const {
    if (!window) return false;
    if (window == hwnd()) return true;
    for (const auto& page : pages_) {
        if (window == page->hwnd() || ::IsChild(page->hwnd(), window)) return true;
    }
    return false;
}

void PageControl::setEnabled(bool enabled) {
    Control::setEnabled(enabled);
    for (const auto& page : pages_) page->Control::setEnabled(enabled);
}

void PageControl::setVisible(bool visible) {
    Control::setVisible(visible);
    showActivePage();
}

void PageControl::setImageList(HIMAGELIST images) {
    ::SendMessageW(hwnd(), TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
}

int PageControl::tabImage(int index) const {
    TCITEMW item{};
    item.mask = TCIF_IMAGE;
    ::SendMessageW(hwnd(), TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return item.iImage;
}

void PageControl::setTabImage(int index, int image) {
    TCITEMW item{};
    item.mask = TCIF_IMAGE;
    item.iImage = image;
    ::SendMessageW(hwnd(), TCM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

LRESULT PageControl::onNotify(NMHDR& header) {
    if (header.code == TCN_SELCHANGE) {
        showActivePage();
        if (onChange) onChange();
    } else if (header.code == TCN_KEYDOWN) {
        // Button tabs move only a focus mark with the arrows; here the arrows switch pages.
        const WORD key = reinterpret_cast<NMTCKEYDOWN&>(header).wVKey;
        const int active = activeIndex();
        if (key == VK_RIGHT && active + 1 < count()) changePage(active + 1);
        if (key == VK_LEFT && active > 0) changePage(active - 1);
    }
    return 0;
}

// The form places the control over its whole design rectangle; the strip keeps the height of its rows
// of buttons and the pages fill the rest.
void PageControl::afterLayout() {
    RECT placed{};
    ::GetWindowRect(hwnd(), &placed);
    ::MapWindowPoints(HWND_DESKTOP, parent().windowHandle(), reinterpret_cast<POINT*>(&placed), 2);
    const int width = placed.right - placed.left;
    if (placed.bottom - placed.top != stripHeight_) wholeHeight_ = placed.bottom - placed.top;
    RECT display{0, 0, width, wholeHeight_};
    ::SendMessageW(hwnd(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    stripHeight_ = display.top;
    ::SetWindowPos(hwnd(), nullptr, 0, 0, width, stripHeight_, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (const auto& page : pages_) {
        ::SetWindowPos(page->hwnd(), nullptr, placed.left, placed.top + stripHeight_, width, wholeHeight_ - stripHeight_,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

}  // namespace win
