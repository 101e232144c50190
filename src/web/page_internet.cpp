#include "web/page_internet.h"

namespace findlark {

void PageInternet::create(win::Panel& page) {
    GroupBoxInternet.create(page, L"Search For The Information On The Internet", {4, 0, 533, 150});
}

}  // namespace findlark
