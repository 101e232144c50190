#include "support/clipboard_contents.h"

#include "win/clipboard.h"

#include <commctrl.h>

namespace testing_support {
namespace {

// Reads wait longer than the program does: a loaded test machine may hold the clipboard longer.
constexpr int kReadAttempts = 50;

}  // namespace

std::vector<std::wstring> FilesOnClipboard(HWND owner) {
    const win::ClipboardSession clipboard(owner, kReadAttempts);
    const auto drop = static_cast<HDROP>(clipboard ? ::GetClipboardData(CF_HDROP) : nullptr);
    return drop ? win::FilesOfDrop(drop) : std::vector<std::wstring>{};
}

std::wstring TextOnClipboard(HWND owner) {
    const win::ClipboardSession clipboard(owner, kReadAttempts);
    const HANDLE data = clipboard ? ::GetClipboardData(CF_UNICODETEXT) : nullptr;
    const auto* text = data ? static_cast<const wchar_t*>(::GlobalLock(data)) : nullptr;
    if (!text) return {};
    std::wstring copy(text);
    ::GlobalUnlock(data);
    return copy;
}

DWORD DropEffectOnClipboard(HWND owner) {
    const win::ClipboardSession clipboard(owner, kReadAttempts);
    const HANDLE data = clipboard ? ::GetClipboardData(win::DropEffectFormat()) : nullptr;
    const auto* effect = data ? static_cast<const DWORD*>(::GlobalLock(data)) : nullptr;
    if (!effect) return 0;
    const DWORD value = *effect;
    ::GlobalUnlock(data);
    return value;
}

int SortArrowColumn(HWND list, bool* ascending) {
    const HWND header = ListView_GetHeader(list);
    for (int i = 0; i < Header_GetItemCount(header); ++i) {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        Header_GetItem(header, i, &item);
        if (!(item.fmt & (HDF_SORTUP | HDF_SORTDOWN))) continue;
        if (ascending) *ascending = (item.fmt & HDF_SORTUP) != 0;
        return i;
    }
    return -1;
}

}  // namespace testing_support
