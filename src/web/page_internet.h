#pragma once
// Page "Search On The Internet": a phrase and four pictures, one per search engine; a click hands the
// engine's address with the phrase to the default browser.
#include "web/search_address.h"
#include "win/controls.h"
#include "win/interaction.h"

namespace findlark {

class PageInternet {
public:
    void create(win::Panel& page, win::Interaction& interaction);

    win::GroupBox GroupBoxInternet;
    win::Label LabelWhatAreYouLookingFor;
    win::ComboBox ComboBoxSearchOnTheInternetWhatAreYouLookingFor;
    win::ImageButton ImageGoogle;
    win::ImageButton ImageYAHOO;
    win::ImageButton ImageMSN;
    win::ImageButton ImageAltaVista;

    void ImageGoogleClick() { search(SearchEngine::Google); }
    void ImageYAHOOClick() { search(SearchEngine::Yahoo); }
    void ImageMSNClick() { search(SearchEngine::MSN); }
    void ImageAltaVistaClick() { search(SearchEngine::AltaVista); }

private:
    void search(SearchEngine engine);
    win::Interaction* interaction_ = nullptr;
};

}  // namespace findlark
