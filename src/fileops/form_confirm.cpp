#include "fileops/form_confirm.h"

namespace findlark {

TFormConfirm::TFormConfirm(HWND owner) { createDialog(L"Confirm File Replace", {409, 257}, owner); }

TFormConfirm::~TFormConfirm() { destroyWindow(); }

}  // namespace findlark
