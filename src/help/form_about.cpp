#include "help/form_about.h"

namespace findlark {

TFormAbout::TFormAbout(HWND owner) { createDialog(L"About Findlark", {400, 265}, owner); }

TFormAbout::~TFormAbout() { destroyWindow(); }

}  // namespace findlark
