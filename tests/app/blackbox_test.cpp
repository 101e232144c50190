// The program as a user's automation tool sees it: started as a process on the display, its menus
// reached through WM_COMMAND, its dialogs found by their captions, its list and status read from
// outside. Every action on the results runs here on real files.
#include "app/menu_ids.h"
#include "support/criteria_printer.h"
#include "support/file_text.h"
#include "support/temp_tree.h"
#include "win/handle.h"

#include <gtest/gtest.h>

#include <richedit.h>
#include <shlobj.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <thread>

using namespace findlark;
using namespace std::chrono_literals;
using Names = std::vector<std::wstring>;

namespace {

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    folder.resize(folder.find_last_of(L'\\'));
    return folder + L"\\..\\src\\";
}

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 15s) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(50ms);
    }
    return true;
}

std::wstring WindowText(HWND window) {
    wchar_t text[1024] = {};
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &ignored);
    return text;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return name;
}

// The running program, driven from outside.
class RemoteProgram {
public:
    RemoteProgram() {
        std::wstring command = L"\"" + ProgramFolder() + L"findlark.exe\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION started{};
        if (::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
            process_.reset(started.hProcess);
            ::CloseHandle(started.hThread);
            id_ = started.dwProcessId;
        }
        WaitFor([&] { return (main_ = topWindow(L"Findlark 1.0")) != nullptr; });
    }
    ~RemoteProgram() {
        if (main_) ::PostMessageW(main_, WM_CLOSE, 0, 0);
        if (process_ && ::WaitForSingleObject(process_.get(), 15000) != WAIT_OBJECT_0) ::TerminateProcess(process_.get(), 1);
    }
    HWND main() const { return main_; }
    void command(UINT id) const { ::PostMessageW(main_, WM_COMMAND, id, 0); }

    // A visible top-level window of the program with that caption.
    HWND topWindow(const std::wstring& caption) const {
        struct Search {
            DWORD process;
            const std::wstring* caption;
            HWND found;
        } search{id_, &caption, nullptr};
        ::EnumWindows(
            [](HWND window, LPARAM data) -> BOOL {
                auto& s = *reinterpret_cast<Search*>(data);
                DWORD owner = 0;
                ::GetWindowThreadProcessId(window, &owner);
                if (owner != s.process || !::IsWindowVisible(window) || WindowText(window) != *s.caption) return TRUE;
                s.found = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }
    HWND waitForWindow(const std::wstring& caption) const {
        HWND found = nullptr;
        WaitFor([&] { return (found = topWindow(caption)) != nullptr; });
        return found;
    }

    HWND child(HWND parent, const wchar_t* className, const std::wstring& text = {}) const {
        struct Search {
            const wchar_t* className;
            const std::wstring* text;
            HWND found;
        } search{className, &text, nullptr};
        ::EnumChildWindows(
            parent,
            [](HWND window, LPARAM data) -> BOOL {
                auto& s = *reinterpret_cast<Search*>(data);
                if (::lstrcmpiW(ClassOf(window).c_str(), s.className) != 0) return TRUE;
                if (!s.text->empty() && WindowText(window) != *s.text) return TRUE;
                s.found = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    std::wstring status() const { return WindowText(child(main_, STATUSCLASSNAMEW)); }
    // The preview pane: the rich edit placed on the main window itself.
    std::wstring preview() const {
        HWND found = nullptr;
        for (HWND window = ::GetWindow(main_, GW_CHILD); window && !found; window = ::GetWindow(window, GW_HWNDNEXT)) {
            if (::lstrcmpiW(ClassOf(window).c_str(), MSFTEDIT_CLASS) == 0) found = window;
        }
        return found ? WindowText(found) : L"(no pane)";
    }
    HWND list() const { return child(main_, WC_LISTVIEWW); }
    // The filter box: the edit placed on the main window itself.
    HWND filterBox() const {
        for (HWND window = ::GetWindow(main_, GW_CHILD); window; window = ::GetWindow(window, GW_HWNDNEXT)) {
            if (::lstrcmpiW(ClassOf(window).c_str(), WC_EDITW) == 0) return window;
        }
        return nullptr;
    }
    // Keys as typed: each character, then Esc through the program's own message loop.
    void type(HWND box, std::wstring_view text) const {
        for (const wchar_t c : text) ::PostMessageW(box, WM_CHAR, c, 0);
    }
    // A popup menu of the program open on the screen.
    HWND popupMenu() const {
        struct Search {
            DWORD process;
            HWND found;
        } search{id_, nullptr};
        ::EnumWindows(
            [](HWND window, LPARAM data) -> BOOL {
                auto& s = *reinterpret_cast<Search*>(data);
                DWORD owner = 0;
                ::GetWindowThreadProcessId(window, &owner);
                if (owner != s.process || !::IsWindowVisible(window) || ClassOf(window) != L"#32768") return TRUE;
                s.found = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    // The texts of one column of the results list, read from the program's memory.
    Names column(int column) const {
        const HWND list = child(main_, WC_LISTVIEWW);
        const int count = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
        const win::UniqueKernelHandle process(::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, id_));
        constexpr SIZE_T kText = 1024;
        auto* remote = static_cast<char*>(::VirtualAllocEx(process.get(), nullptr, sizeof(LVITEMW) + kText * sizeof(wchar_t),
                                                           MEM_COMMIT, PAGE_READWRITE));
        Names texts;
        for (int row = 0; row < count; ++row) {
            LVITEMW item{};
            item.iSubItem = column;
            item.cchTextMax = kText;
            item.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(LVITEMW));
            ::WriteProcessMemory(process.get(), remote, &item, sizeof(item), nullptr);
            ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote));
            wchar_t text[kText] = {};
            ::ReadProcessMemory(process.get(), remote + sizeof(LVITEMW), text, sizeof(text), nullptr);
            texts.emplace_back(text);
        }
        ::VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
        return texts;
    }
    // Until no operation holds the window any more.
    bool waitUntilIdle() const {
        return WaitFor([&] { return ::IsWindowEnabled(main_) != FALSE; });
    }
    void select(int row) const {
        const HWND list = child(main_, WC_LISTVIEWW);
        const win::UniqueKernelHandle process(::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, id_));
        void* remote = ::VirtualAllocEx(process.get(), nullptr, sizeof(LVITEMW), MEM_COMMIT, PAGE_READWRITE);
        LVITEMW item{};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        ::WriteProcessMemory(process.get(), remote, &item, sizeof(item), nullptr);
        ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote));
        ::VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
    }
    int selectedCount() const {
        return static_cast<int>(::SendMessageW(child(main_, WC_LISTVIEWW), LVM_GETSELECTEDCOUNT, 0, 0));
    }
    void press(HWND dialog, int id) const {
        ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
    }
    void click(HWND button) const { ::PostMessageW(button, BM_CLICK, 0, 0); }
    // The folder browser: the folder selected in its tree (as automation tools do, through the path
    // placed in the program's memory), then OK.
    void chooseFolder(const std::wstring& folder) const {
        const HWND dialog = waitForDialog();
        ASSERT_TRUE(dialog);
        const win::UniqueKernelHandle process(::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, id_));
        const SIZE_T bytes = (folder.size() + 1) * sizeof(wchar_t);
        void* remote = ::VirtualAllocEx(process.get(), nullptr, bytes, MEM_COMMIT, PAGE_READWRITE);
        ::WriteProcessMemory(process.get(), remote, folder.c_str(), bytes, nullptr);
        // The dialog takes a selection only once it has filled its tree: the box under it then names the folder.
        const std::wstring name = folder.substr(folder.find_last_of(L'\\') + 1);
        const bool selected = WaitFor([&] {
            ::SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(remote));
            return WindowText(child(dialog, L"Edit")) == name;
        });
        ::VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
        ASSERT_TRUE(selected);
        press(dialog, IDOK);
    }
    HWND waitForDialog() const {
        HWND found = nullptr;
        WaitFor([&] {
            ::EnumThreadWindows(
                ::GetWindowThreadProcessId(main_, nullptr),
                [](HWND window, LPARAM data) -> BOOL {
                    if (!::IsWindowVisible(window) || ClassOf(window) != L"#32770") return TRUE;
                    *reinterpret_cast<HWND*>(data) = window;
                    return FALSE;
                },
                reinterpret_cast<LPARAM>(&found));
            return found != nullptr;
        });
        return found;
    }

private:
    win::UniqueKernelHandle process_;
    DWORD id_ = 0;
    HWND main_ = nullptr;
};

class BlackBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        // A user's settings: no tip of the day, and last time's criteria searching the test's tree.
        HKEY key = nullptr;
        ::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Norvale\\Findlark\\Preferences", 0, nullptr, 0, KEY_WRITE, nullptr,
                          &key, nullptr);
        const win::UniqueRegistryKey preferences(key);
        for (const auto& [name, value] : {std::pair{L"ShowTipOfTheDayOnStartup", L"0"}, std::pair{L"RememberSearchOptions", L"1"},
                                          std::pair{L"DeleteWithoutPrompting", L"0"}, std::pair{L"OverwriteWithoutPrompting", L"0"}})
            ::RegSetValueExW(preferences.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                             static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
        tree.file(L"b.txt", 10);
        tree.file(L"a.txt", 30);
        tree.file(L"c.txt", 20);
        tree.folder(L"dir");
        tree.file(L"dir\\in.txt");
        const std::wstring ini = ProgramFolder() + L"SearchOptions.ini";
        ::DeleteFileW(ini.c_str());
        ::WritePrivateProfileStringW(L"Common", L"LookIn", L"0", ini.c_str());
        ::WritePrivateProfileStringW(L"Additional Folders", L"AdditionalFolders", L"1", ini.c_str());
        ::WritePrivateProfileStringW(L"Additional Folders", L"NumberOfDirectories", L"1", ini.c_str());
        ::WritePrivateProfileStringW(L"Additional Folders", L"Directory0", tree.root().c_str(), ini.c_str());
        ::WritePrivateProfileStringW(L"Advanced", L"SearchSubfolders", L"0", ini.c_str());
        ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, ini.c_str());
    }
    void TearDown() override {
        const std::wstring ini = ProgramFolder() + L"SearchOptions.ini";
        ::DeleteFileW(ini.c_str());
    }
    void search(RemoteProgram& program, int expectedRows) {
        program.command(CommandSearch);
        const std::wstring finished = L"Finished. " + std::to_wstring(expectedRows) + L" items found.";
        ASSERT_TRUE(WaitFor([&] { return program.status() == finished && program.column(0).size() == static_cast<size_t>(expectedRows); }))
            << Narrow(program.status());
    }
    testing_support::TempTree tree;
    testing_support::TempTree target;
};

TEST_F(BlackBoxTest, EveryActionOnTheResultsWorksFromOutside) {
    RemoteProgram program;
    ASSERT_TRUE(program.main()) << "the program's window did not appear";
    search(program, 4);
    EXPECT_EQ(program.column(0), (Names{L"a.txt", L"b.txt", L"c.txt", L"dir"}));

    // Sort by size, then again the other way.
    program.command(CommandSortSize);
    ASSERT_TRUE(WaitFor([&] { return program.column(0) == Names{L"dir", L"b.txt", L"c.txt", L"a.txt"}; }));
    program.command(CommandSortSize);
    ASSERT_TRUE(WaitFor([&] { return program.column(0) == Names{L"a.txt", L"c.txt", L"b.txt", L"dir"}; }));
    EXPECT_EQ(program.column(2), (Names{L"30 B", L"20 B", L"10 B", L"0 B"}));

    // Typed into the filter box: only the matching row, counted; Esc lists them all again.
    const HWND filter = program.filterBox();
    ASSERT_TRUE(filter);
    program.type(filter, L"B.T");
    ASSERT_TRUE(WaitFor([&] { return program.column(0) == Names{L"b.txt"}; }));
    EXPECT_EQ(program.status(), L"1 of 4 items shown");
    ::PostMessageW(filter, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(WaitFor([&] { return program.column(0) == Names{L"a.txt", L"c.txt", L"b.txt", L"dir"}; }));
    EXPECT_EQ(WindowText(filter), L"");

    // Select all, export.
    program.command(CommandSelectAll);
    ASSERT_TRUE(WaitFor([&] { return program.selectedCount() == 4; }));
    const std::wstring exported = target.path(L"list.txt");
    program.command(CommandExport);
    const HWND save = program.waitForDialog();
    ASSERT_TRUE(save);
    ::SetDlgItemTextW(save, 0x47c, exported.c_str());
    ::SetDlgItemTextW(save, 0x480, exported.c_str());
    program.press(save, IDOK);
    ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(std::filesystem::path(exported)); }));
    std::ifstream in(std::filesystem::path(exported), std::ios::binary);
    const std::string lines{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const std::string root(tree.root().begin(), tree.root().end());
    EXPECT_EQ(lines, root + "\\a.txt\r\n" + root + "\\c.txt\r\n" + root + "\\b.txt\r\n" + root + "\\dir\r\n");

    // Copy everything; one name is taken in the target: replace it.
    target.file(L"a.txt", 1);
    program.command(CommandCopy);
    program.chooseFolder(target.root());
    const HWND confirm = program.waitForWindow(L"Confirm File Replace");
    ASSERT_TRUE(confirm);
    program.click(program.child(confirm, WC_BUTTONW, L"Yes To &All"));
    ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(std::filesystem::path(target.path(L"dir\\in.txt"))) &&
                                     std::filesystem::file_size(std::filesystem::path(target.path(L"a.txt"))) == 30; }));
    ASSERT_TRUE(program.waitUntilIdle());  // no command is taken while an operation runs

    // Delete the selected rows after the question.
    program.command(CommandDelete);
    const HWND question = program.waitForWindow(L"Confirm Multiple File Delete");
    ASSERT_TRUE(question);
    program.press(question, IDYES);
    ASSERT_TRUE(WaitFor([&] { return program.column(0).empty(); }));
    ASSERT_TRUE(program.waitUntilIdle());
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(tree.path(L"a.txt"))));
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(tree.path(L"dir"))));

    // Move a folder within its volume: a rename, with nothing to delete and so no question.
    tree.folder(L"back");
    search(program, 1);
    testing_support::TempTree moved;
    program.command(CommandSelectAll);
    program.command(CommandMove);
    program.chooseFolder(moved.root());
    ASSERT_TRUE(WaitFor([&] { return program.column(0).empty(); }));
    ASSERT_TRUE(program.waitUntilIdle());
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(moved.path(L"back"))));
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(tree.path(L"back"))));
}

// A right-click on a row opens the context menu, Explorer's items included; its "Copy" (the
// mnemonic C, which none of our own items uses) puts the file on the clipboard.
TEST_F(BlackBoxTest, TheContextMenuOfARowOpensAndExplorersCopyWorks) {
    RemoteProgram program;
    ASSERT_TRUE(program.main()) << "the program's window did not appear";
    search(program, 4);
    program.select(0);
    ASSERT_TRUE(WaitFor([&] { return program.selectedCount() == 1; }));
    if (::OpenClipboard(nullptr)) {
        ::EmptyClipboard();
        ::CloseClipboard();
    }
    RECT area{};
    ::GetWindowRect(program.list(), &area);
    ::PostMessageW(program.list(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(program.list()),
                   MAKELPARAM(area.left + 40, area.top + 40));
    HWND menu = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (menu = program.popupMenu()) != nullptr; })) << "no popup menu appeared";
    ::PostMessageW(menu, WM_CHAR, L'c', 0);
    const auto copied = [] {
        if (!::OpenClipboard(nullptr)) return false;
        const bool files = ::IsClipboardFormatAvailable(CF_HDROP) != FALSE;
        ::CloseClipboard();
        return files;
    };
    EXPECT_TRUE(WaitFor(copied, 5s)) << "Explorer's Copy put nothing on the clipboard";
    if (program.popupMenu()) ::PostMessageW(program.popupMenu(), WM_KEYDOWN, VK_ESCAPE, 0);
}

// The move that used to delete the only copy: a folder moved into the folder that holds it. It is
// refused before any question.
TEST_F(BlackBoxTest, AFolderMovedOntoItselfIsRefusedAndKept) {
    RemoteProgram program;
    ASSERT_TRUE(program.main()) << "the program's window did not appear";
    search(program, 4);
    ASSERT_EQ(program.column(0)[3], L"dir");
    program.select(3);
    ASSERT_TRUE(WaitFor([&] { return program.selectedCount() == 1; }));
    program.command(CommandMove);
    program.chooseFolder(tree.root());
    HWND refusal = nullptr;  // the message box, once the folder browser has gone
    ASSERT_TRUE(WaitFor([&] { return (refusal = program.waitForDialog()) && WindowText(refusal) == L"Findlark 1.0"; }));
    EXPECT_EQ(WindowText(refusal), L"Findlark 1.0");
    program.press(refusal, IDOK);
    ASSERT_TRUE(program.waitUntilIdle());
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(tree.path(L"dir\\in.txt"))));
    EXPECT_EQ(program.column(0).size(), 4u);
}

// The pane shows the focused row's file; another process reads it as a screen reader would.
TEST_F(BlackBoxTest, TheFocusedRowsLinesAreReadFromThePane) {
    testing_support::WriteText(tree.path(L"a.txt"), "first\nsecond line\n");
    RemoteProgram program;
    ASSERT_TRUE(program.main()) << "the program's window did not appear";
    search(program, 4);
    program.select(2);
    const std::wstring expected = tree.path(L"a.txt") + L"\r\n1- first\r\n2- second line\r\n";
    ASSERT_TRUE(WaitFor([&] { return program.preview() == L"Binary file, 20 bytes\r\n"; })) << Narrow(program.preview());
    program.select(0);
    ASSERT_TRUE(WaitFor([&] { return program.preview() == expected; })) << Narrow(program.preview());
}

}  // namespace
