#pragma once
// The one seam for everything modal or external. The program talks to the user's dialogs only
// through it, so tests script the answers and never block on a real modal window.
#include "win/html_help.h"

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace win {

class Dialog;

// What became of asking the shell to open something.
struct ShellOpenOutcome {
    enum class Result { Opened, NoAssociation, Failed } result = Result::Opened;
    DWORD error = 0;  // with Failed: why
};

// What an open or save dialog offers.
struct FileDialogRequest {
    std::wstring filter;            // "Text Files (*.txt)|*.txt|All Files (*.*)|*.*"
    std::wstring defaultExtension;  // added to a name typed without one; empty for none
    std::wstring fileName;          // the name the dialog opens with
    bool promptOverwrite = false;
    bool hideReadOnly = false;
    bool resizable = false;
    int* chosenType = nullptr;      // if given, receives the place (from 1) in `filter` of the type chosen
};

class Interaction {
public:
    virtual ~Interaction() = default;
    // The folder the user picked in the folder browser rooted at "My Computer", or nothing when
    // cancelled or when the item has no file-system path.
    virtual std::optional<std::wstring> browseForFolder(HWND owner, std::wstring_view instruction) = 0;
    // The file the user chose, or nothing when cancelled.
    virtual std::optional<std::wstring> openFileName(HWND owner, const FileDialogRequest& request) = 0;
    virtual std::optional<std::wstring> saveFileName(HWND owner, const FileDialogRequest& request) = 0;
    // Shows one of the program's own dialogs modally over `owner`; gives its result.
    virtual int showModal(Dialog& dialog, HWND owner) = 0;
    // A modal message box; gives the button pressed (IDOK, IDYES, ...).
    virtual int messageBox(HWND owner, std::wstring_view text, std::wstring_view caption, UINT flags) = 0;
    // Asks the shell to open a document, folder or address with the verb "open", showing nothing of
    // its own when that fails.
    virtual ShellOpenOutcome shellOpen(HWND owner, std::wstring_view target) = 0;
    // The system's "Open with" choice of a program for a file.
    virtual void openWith(HWND owner, std::wstring_view path) = 0;
    // Shows a help file: its table of contents (context 0), or the topic of a context number, which
    // is the page named.
    virtual void showHelp(HWND owner, const std::wstring& file, unsigned context, std::wstring_view page) = 0;
    // A popup menu at a point of the screen; gives the command chosen, or 0.
    virtual UINT trackPopupMenu(HWND owner, HMENU menu, POINT at) = 0;
    // Explorer, for each folder of the items, with its items selected.
    virtual void showInFolders(const std::vector<std::wstring>& paths) = 0;
    // Drags files out of the program until they are dropped; gives what the target did.
    virtual DWORD dragFiles(const std::vector<std::wstring>& paths) = 0;
};

// The real dialogs of the system.
class SystemInteraction final : public Interaction {
public:
    std::optional<std::wstring> browseForFolder(HWND owner, std::wstring_view instruction) override;
    std::optional<std::wstring> openFileName(HWND owner, const FileDialogRequest& request) override;
    std::optional<std::wstring> saveFileName(HWND owner, const FileDialogRequest& request) override;
    int showModal(Dialog& dialog, HWND owner) override;
    int messageBox(HWND owner, std::wstring_view text, std::wstring_view caption, UINT flags) override;
    ShellOpenOutcome shellOpen(HWND owner, std::wstring_view target) override;
    void openWith(HWND owner, std::wstring_view path) override;
    // Through the HTML Help viewer; without it, the shell opens the file.
    void showHelp(HWND owner, const std::wstring& file, unsigned context, std::wstring_view page) override;
    UINT trackPopupMenu(HWND owner, HMENU menu, POINT at) override;
    void showInFolders(const std::vector<std::wstring>& paths) override;
    DWORD dragFiles(const std::vector<std::wstring>& paths) override;

private:
    HtmlHelpViewer help_;
};

}  // namespace win
