#include "web/page_internet.h"

namespace findlark {

void PageInternet::create(win::Panel& page) {
    GroupBoxInternet.create(page, L"Search For The Information On The Internet", {4, 0, 533, 150});
    LabelWhatAreYouLookingFor.create(page, L"What are you looking for?", {16, 18, 300, 17});
    ComboBoxSearchOnTheInternetWhatAreYouLookingFor.create(page, win::ComboKind::Editable, {16, 36, 509, 23});
}

}  // namespace findlark
