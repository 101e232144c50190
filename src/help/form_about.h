#pragma once
// "About Findlark".
#include "win/dialog.h"

namespace findlark {

class TFormAbout : public win::Dialog {
public:
    explicit TFormAbout(HWND owner);
    ~TFormAbout() override;
};

}  // namespace findlark
