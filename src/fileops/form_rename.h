#pragma once
// "Enter New File Name".
#include "win/dialog.h"

namespace findlark {

class TFormRenameFile : public win::Dialog {
public:
    explicit TFormRenameFile(HWND owner);
    ~TFormRenameFile() override;
};

}  // namespace findlark
