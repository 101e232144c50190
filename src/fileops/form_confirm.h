#pragma once
// "Confirm File Replace".
#include "win/dialog.h"

namespace findlark {

class TFormConfirm : public win::Dialog {
public:
    explicit TFormConfirm(HWND owner);
    ~TFormConfirm() override;
};

}  // namespace findlark
