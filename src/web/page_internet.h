#pragma once
// Page "Search On The Internet".
#include "win/controls.h"

namespace findlark {

class PageInternet {
public:
    void create(win::Panel& page);
    win::GroupBox GroupBoxInternet;
    win::Label LabelWhatAreYouLookingFor;
    win::ComboBox ComboBoxSearchOnTheInternetWhatAreYouLookingFor;
};

}  // namespace findlark
