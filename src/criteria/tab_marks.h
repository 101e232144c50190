#pragma once
// The images of the page tabs: the active tab shows one mark, every other tab another.
#include "win/controls.h"
#include "win/handle.h"

namespace findlark {

inline constexpr int kTabImageInactive = 3;
inline constexpr int kTabImageActive = 8;

// `ImageListMenu`: small images drawn in code; the tab marks sit at their two indexes.
win::UniqueImageList CreateImageListMenu(int size);
void MarkTabs(win::PageControl& pages);

}  // namespace findlark
