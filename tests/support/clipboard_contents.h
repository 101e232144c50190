#pragma once
// What the program handed to the clipboard and to its list's header, read back by tests.
#include <windows.h>

#include <string>
#include <vector>

namespace testing_support {

// The files of a CF_HDROP, the text, and the preferred drop effect (0 when none is given).
std::vector<std::wstring> FilesOnClipboard(HWND owner);
std::wstring TextOnClipboard(HWND owner);
DWORD DropEffectOnClipboard(HWND owner);

// The column of a list view whose header shows a sort arrow, and its direction; -1 for none.
int SortArrowColumn(HWND list, bool* ascending = nullptr);

}  // namespace testing_support
