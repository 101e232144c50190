#pragma once
// A bar between two controls that the mouse drags up and down; its owner places it and the two.
#include "win/controls.h"

#include <functional>

namespace win {

class Splitter : public Panel {
public:
    void create(Container& parent);
    // The pointer moved while dragging: its height in the parent's client area, in pixels.
    std::function<void(int y)> onDrag;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool dragging_ = false;
};

}  // namespace win
