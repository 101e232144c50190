#include "help/form_about.h"

#include "help/help_links.h"

namespace findlark {
namespace {

win::UniqueGdiObject BoldFont(HFONT base, int pixelHeight) {
    LOGFONTW face{};
    ::GetObjectW(base, sizeof(face), &face);
    face.lfWeight = FW_BOLD;
    if (pixelHeight) face.lfHeight = -pixelHeight;
    return win::UniqueGdiObject(::CreateFontIndirectW(&face));
}

}  // namespace

// A magnifying glass over a lark's wing: an orange ring, a grey handle, a sweep of feathers.
void DrawLogo(HDC dc, const RECT& area) {
    ::FillRect(dc, &area, ::GetSysColorBrush(COLOR_BTNFACE));
    const int size = std::min(area.right - area.left, area.bottom - area.top);
    const auto at = [&](int permille) { return size * permille / 1000; };
    const int x = area.left, y = area.top;
    const win::UniqueGdiObject wing(::CreateSolidBrush(RGB(120, 150, 200)));
    const win::UniqueGdiObject noPen(::CreatePen(PS_NULL, 0, 0));
    const win::UniqueGdiObject handle(::CreatePen(PS_SOLID, std::max(3, at(110)), RGB(90, 90, 90)));
    const win::UniqueGdiObject ring(::CreatePen(PS_SOLID, std::max(3, at(80)), RGB(230, 120, 20)));
    {
        const win::SelectedObject pen(dc, noPen.get()), brush(dc, wing.get());
        for (int feather = 0; feather < 3; ++feather) {
            const int inset = at(60 + feather * 90);
            ::Pie(dc, x + inset, y + at(80) + inset / 2, x + at(760) - inset / 3, y + at(640), x + at(760), y + at(360),
                  x + inset, y + at(360));
        }
    }
    {
        const win::SelectedObject pen(dc, handle.get());
        ::MoveToEx(dc, x + at(640), y + at(640), nullptr);
        ::LineTo(dc, x + at(900), y + at(900));
    }
    const win::SelectedObject pen(dc, ring.get()), hollow(dc, ::GetStockObject(NULL_BRUSH));
    ::Ellipse(dc, x + at(300), y + at(300), x + at(720), y + at(720));
}

TFormAbout::TFormAbout(HWND owner, win::Interaction& interaction) {
    createDialog(L"About Findlark", {400, 265}, owner);
    ImageLogo.create(*this, {12, 12, 128, 128});
    LabelProductName.create(*this, L"Findlark", {156, 24, 230, 26});
    LabelVersion.create(*this, L"Version 1.0 (January 2005)", {156, 58, 230, 17});
    DividerTop.create(*this, {156, 86, 232, 2});
    LabelHomePage.create(*this, L"Norvale Home Page:", {156, 96, 232, 15});
    LinkHomePage.create(*this, kHomePage, {156, 111, 232, 15});
    LabelProductPage.create(*this, L"Findlark Product Page:", {156, 130, 232, 15});
    LinkProductPage.create(*this, kProductSite, {156, 145, 232, 15});
    LabelSupport.create(*this, L"Support:", {156, 164, 232, 15});
    LinkSupport.create(*this, std::wstring(L"maito: ") + kSupportMail, {156, 179, 232, 15});
    DividerBottom.create(*this, {12, 212, 376, 2});
    BitBtnOK.create(*this, L"&OK", {162, 228, 75, 25});
    setDefaultButton(BitBtnOK);
    setCancelButton(BitBtnOK);

    // The logo is a picture only: it takes no focus and no click.
    ImageLogo.onPaint = [](HDC dc, const RECT& area) { DrawLogo(dc, area); };
    ::SetWindowLongPtrW(ImageLogo.hwnd(), GWL_STYLE, ::GetWindowLongPtrW(ImageLogo.hwnd(), GWL_STYLE) & ~WS_TABSTOP);
    ImageLogo.setEnabled(false);
    nameFont_ = BoldFont(font(), scale(19));
    versionFont_ = BoldFont(font(), 0);
    ::SendMessageW(LabelProductName.hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(nameFont_.get()), FALSE);
    ::SendMessageW(LabelVersion.hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(versionFont_.get()), FALSE);

    LinkHomePage.onClick = [&interaction] { interaction.shellOpen(nullptr, kHomePage); };
    LinkProductPage.onClick = [&interaction] { interaction.shellOpen(nullptr, kProductPage); };
    LinkSupport.onClick = [&interaction] { interaction.shellOpen(nullptr, std::wstring(L"mailto:") + kSupportMail); };
    BitBtnOK.onClick = [this] { endModal(IDOK); };
}

TFormAbout::~TFormAbout() { destroyWindow(); }

}  // namespace findlark
