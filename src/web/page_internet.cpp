#include "web/page_internet.h"

#include "settings/recent_box.h"
#include "win/form.h"
#include "win/handle.h"

namespace findlark {
namespace {

// A neutral button of our own: the engine's name on a soft gradient. No engine's logo is used.
void DrawEngine(HDC dc, const RECT& area, const wchar_t* name, COLORREF accent) {
    TRIVERTEX vertices[2] = {{area.left, area.top, 0xFF00, 0xFF00, 0xFF00, 0},
                             {area.right, area.bottom, static_cast<COLOR16>(GetRValue(accent) << 8),
                              static_cast<COLOR16>(GetGValue(accent) << 8), static_cast<COLOR16>(GetBValue(accent) << 8), 0}};
    GRADIENT_RECT gradient{0, 1};
    ::GdiGradientFill(dc, vertices, 2, &gradient, 1, GRADIENT_FILL_RECT_V);
    LOGFONTW face{};
    face.lfHeight = -(area.bottom - area.top) * 11 / 20;
    face.lfWeight = FW_BOLD;
    face.lfQuality = ANTIALIASED_QUALITY;
    ::lstrcpynW(face.lfFaceName, L"Tahoma", LF_FACESIZE);
    const win::UniqueGdiObject font(::CreateFontIndirectW(&face));
    const win::SelectedObject selected(dc, font.get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(40, 40, 60));
    RECT text = area;
    ::DrawTextW(dc, name, -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

}  // namespace

void PageInternet::create(win::Panel& page, win::Interaction& interaction) {
    interaction_ = &interaction;
    GroupBoxInternet.create(page, L"Search For The Information On The Internet", {4, 0, 533, 162});
    LabelWhatAreYouLookingFor.create(page, L"What are you looking for?", {16, 16, 300, 17});
    ComboBoxSearchOnTheInternetWhatAreYouLookingFor.create(page, win::ComboKind::Editable, {16, 33, 503, 23});
    struct Picture {
        win::ImageButton* image;
        SearchEngine engine;
        COLORREF accent;
        win::Rect rect;
    };
    const Picture pictures[] = {{&ImageGoogle, SearchEngine::Google, RGB(196, 214, 250), {16, 60, 241, 49}},
                                {&ImageYAHOO, SearchEngine::Yahoo, RGB(222, 206, 246), {278, 60, 241, 49}},
                                {&ImageMSN, SearchEngine::MSN, RGB(200, 234, 214), {16, 110, 241, 49}},
                                {&ImageAltaVista, SearchEngine::AltaVista, RGB(250, 224, 196), {278, 110, 241, 49}}};
    for (const Picture& p : pictures) {
        p.image->create(page, p.rect);
        p.image->onPaint = [p](HDC dc, const RECT& area) { DrawEngine(dc, area, EngineName(p.engine), p.accent); };
    }
    // The frame goes beneath the pictures, or it would paint over them.
    ::SetWindowPos(GroupBoxInternet.hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ImageGoogle.onClick = [this] { ImageGoogleClick(); };
    ImageYAHOO.onClick = [this] { ImageYAHOOClick(); };
    ImageMSN.onClick = [this] { ImageMSNClick(); };
    ImageAltaVista.onClick = [this] { ImageAltaVistaClick(); };
}

void PageInternet::search(SearchEngine engine) {
    auto& box = ComboBoxSearchOnTheInternetWhatAreYouLookingFor;
    interaction_->shellOpen(GroupBoxInternet.parent().form().hwnd(), SearchAddress(engine, box.text()));
    // The search has gone to the shell; a failure in the history changes nothing of it.
    try {
        PushRecent(box);
    } catch (...) {
    }
}

}  // namespace findlark
