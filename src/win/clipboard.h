#pragma once
// Files handed between programs: on the clipboard as Explorer pastes them, plain text, and files
// dropped on a window.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace win {

// The clipboard, open for the life of the object; another program may hold it for a moment, so
// opening is tried again every 10 ms, `attempts` times.
class ClipboardSession {
public:
    explicit ClipboardSession(HWND owner, int attempts = 10);
    ~ClipboardSession();
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;
    explicit operator bool() const { return open_; }

private:
    bool open_ = false;
};

// Files as CF_HDROP, marked to be copied (not moved) where they are pasted. False when the clipboard
// could not be had or filled.
bool PutFilesOnClipboard(HWND owner, const std::vector<std::wstring>& paths);
bool PutTextOnClipboard(HWND owner, const std::wstring& text);

// The paths a CF_HDROP holds.
std::vector<std::wstring> FilesOfDrop(HDROP drop);

// The format of the preferred drop effect that goes with files on the clipboard.
UINT DropEffectFormat();

// Drags the files out of the window (to Explorer, an editor, a mail) until they are dropped or the
// drag is given up; gives what the target did (DROPEFFECT_NONE when nothing).
DWORD DragFiles(const std::vector<std::wstring>& paths);

// The window takes files dropped on it (WM_DROPFILES); the paths of a drop, which is let go.
void AcceptDroppedFiles(HWND window);
std::vector<std::wstring> TakeDroppedFiles(WPARAM drop);

}  // namespace win
