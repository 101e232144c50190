#pragma once
// "About Findlark": the logo, the name and version, and links to the maker, the product and support.
#include "win/dialog.h"
#include "win/interaction.h"

namespace findlark {

class TFormAbout : public win::Dialog {
public:
    TFormAbout(HWND owner, win::Interaction& interaction);
    ~TFormAbout() override;

    win::ImageButton ImageLogo;
    win::Label LabelProductName;
    win::Label LabelVersion;
    win::Divider DividerTop;
    win::Label LabelHomePage;
    win::LinkLabel LinkHomePage;
    win::Label LabelProductPage;
    win::LinkLabel LinkProductPage;
    win::Label LabelSupport;
    win::LinkLabel LinkSupport;
    win::Divider DividerBottom;
    win::Button BitBtnOK;

private:
    win::UniqueGdiObject nameFont_;
    win::UniqueGdiObject versionFont_;
};

// The product's logo, drawn to fill a square.
void DrawLogo(HDC dc, const RECT& area);

}  // namespace findlark
