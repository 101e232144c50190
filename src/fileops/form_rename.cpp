#include "fileops/form_rename.h"

namespace findlark {

TFormRenameFile::TFormRenameFile(HWND owner) { createDialog(L"Enter New File Name", {577, 97}, owner); }

TFormRenameFile::~TFormRenameFile() { destroyWindow(); }

}  // namespace findlark
