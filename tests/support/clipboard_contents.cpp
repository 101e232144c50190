#include "support/clipboard_contents.h"

#include "win/clipboard.h"

#include <commctrl.h>

namespace testing_support {
namespace {

// The clipboard, opened for the test's length of a read (another program may hold it a moment).
class OpenClipboardFor {
public:
    explicit OpenClipboardFor(HWND owner) {
        for (int attempt = 0; attempt < 50 && !open_; ++attempt) {
            open_ = ::OpenClipboard(owner) != FALSE;
            if (!open_) ::Sleep(10);
        }
    }
    ~OpenClipboardFor() {
        if (open_) ::CloseClipboard();
    }
    OpenClipboardFor(const OpenClipboardFor&) = delete;
    OpenClipboardFor& operator=(const OpenClipboardFor&) = delete;
    explicit operator bool() const { return open_; }

private:
    bool open_ = false;
};

}  // namespace

std::vector<std::wstring> FilesOnClipboard(HWND owner) {
    const OpenClipboardFor clipboard(owner);
    const auto drop = static_cast<HDROP>(clipboard ? ::GetClipboardData(CF_HDROP) : nullptr);
    return drop ? win::FilesOfDrop(drop) : std::vector<std::wstring>{};
}

std::wstring TextOnClipboard(HWND owner) {
    const OpenClipboardFor clipboard(owner);
    const HANDLE data = clipboard ? ::GetClipboardData(CF_UNICODETEXT) : nullptr;
    const auto* text = data ? static_cast<const wchar_t*>(::GlobalLock(data)) : nullptr;
    if (!text) return {};
    std::wstring copy(text);
    ::GlobalUnlock(data);
    return copy;
}

DWORD DropEffectOnClipboard(HWND owner) {
    const OpenClipboardFor clipboard(owner);
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
