// The toolkit's forms: what happens to controls that go before their form, and font changes.
#include "win/controls.h"
#include "win/dialog.h"
#include "win/form.h"
#include "support/ui_test.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <memory>

namespace {

class TestForm : public win::Form {
public:
    TestForm() { createWindow({.caption = L"test", .designClient = {300, 200}}); }
    ~TestForm() override { destroyWindow(); }
    void changeDpi(UINT dpi) {
        RECT r{};
        ::GetWindowRect(hwnd(), &r);
        ::SendMessageW(hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&r));
    }
    win::Button kept;
};

TEST(Form, AControlDestroyedBeforeItsFormTakesItsWindowAndLeavesTheLayout) {
    TestForm form;
    form.kept.create(form, L"kept", {10, 10, 80, 25}, win::AnchorLeft | win::AnchorTop | win::AnchorRight);
    auto early = std::make_unique<win::Button>();
    early->create(form, L"early", {10, 50, 80, 25}, win::AnchorLeft | win::AnchorTop | win::AnchorRight);
    const HWND earlyWindow = early->hwnd();
    early.reset();
    EXPECT_FALSE(::IsWindow(earlyWindow));
    // Layout and fonts after the control is gone reach only the living ones.
    ::SetWindowPos(form.hwnd(), nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER);
    form.changeDpi(144);
    RECT r{};
    ::GetClientRect(form.kept.hwnd(), &r);
    EXPECT_GT(r.right, 80);
}

// Stored widths are design units: at 144 DPI a column is drawn half as wide again and reads back the
// same, and moving between monitors keeps its share of the list.
TEST(Form, ListColumnsScaleWithTheDpiAndKeepTheirDesignWidths) {
    TestForm form;
    win::VirtualListView list;
    list.create(form, {0, 0, 300, 200}, win::AnchorsDefault, {{L"Name", 100}});
    list.setColumnWidth(0, 120);
    form.changeDpi(144);
    EXPECT_EQ(ListView_GetColumnWidth(list.hwnd(), 0), 180);
    EXPECT_EQ(list.columnWidth(0), 120);
    list.setColumnWidth(0, 80);
    EXPECT_EQ(ListView_GetColumnWidth(list.hwnd(), 0), 120);
    form.changeDpi(96);
    EXPECT_EQ(list.columnWidth(0), 80);
}

// Records, whenever a control is handed a font, whether the font it had until then still exists.
LRESULT CALLBACK CheckReplacedFont(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    if (message == WM_SETFONT) {
        const auto previous = reinterpret_cast<HGDIOBJ>(::SendMessageW(hwnd, WM_GETFONT, 0, 0));
        if (previous && ::GetObjectType(previous) == 0) ++*reinterpret_cast<int*>(data);
    }
    return ::DefSubclassProc(hwnd, message, wParam, lParam);
}

TEST(Form, ControlsGetTheNewFontBeforeTheOldOneIsFreed) {
    TestForm form;
    form.kept.create(form, L"kept", {10, 10, 80, 25});
    int drawnWithFreedFont = 0;
    ::SetWindowSubclass(form.kept.hwnd(), &CheckReplacedFont, 1, reinterpret_cast<DWORD_PTR>(&drawnWithFreedFont));
    const auto before = reinterpret_cast<HGDIOBJ>(::SendMessageW(form.kept.hwnd(), WM_GETFONT, 0, 0));
    form.changeDpi(144);
    form.changeDpi(96);
    ::RemoveWindowSubclass(form.kept.hwnd(), &CheckReplacedFont, 1);
    EXPECT_EQ(drawnWithFreedFont, 0);
    EXPECT_NE(reinterpret_cast<HGDIOBJ>(::SendMessageW(form.kept.hwnd(), WM_GETFONT, 0, 0)), before);
    EXPECT_EQ(::GetObjectType(before), 0u);  // and the old one is not leaked
}

// The folder being searched can be far wider than the bar: the counts in front and the last folder
// stay readable at any width, and the whole text returns when there is room again.
TEST(Form, AStatusPathTooWideForItsPanelIsShortenedInTheMiddleAndRefittedOnResize) {
    TestForm form;
    win::StatusBar bar;
    bar.create(form, L"Finished.");
    std::wstring folder = L"C:";
    for (int i = 0; i < 3; ++i) folder += L"\\a rather long folder name " + std::to_wstring(i);
    const std::wstring text = L"12 folders searched, 3 items found \u2014 " + folder + L"\\last one";
    bar.setPanelPathText(1, text);
    bar.setPanelText(0, text);  // an ordinary text is shown as it is, whatever the width

    const std::wstring shown = bar.panelText(1);
    EXPECT_LT(shown.size(), text.size());
    EXPECT_EQ(shown.rfind(L"12 folders", 0), 0u) << shown;
    EXPECT_NE(shown.find(L"..."), std::wstring::npos) << shown;
    EXPECT_TRUE(shown.ends_with(L"\\last one")) << shown;
    EXPECT_EQ(bar.panelText(0), text);

    ::SetWindowPos(form.hwnd(), nullptr, 0, 0, 240, 200, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_LT(bar.panelText(1).size(), shown.size());
    ::SetWindowPos(form.hwnd(), nullptr, 0, 0, 1000, 200, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(bar.panelText(1), text);
}

// After a size change every control is painted whole again: controls that only moved (anchored
// right or bottom) were left as slivers, and the status bar blank, until something else redrew them.
TEST(Form, EveryControlIsRepaintedWholeAfterASizeChange) {
    TestForm form;
    form.kept.create(form, L"kept", {10, 10, 80, 25}, win::AnchorTop | win::AnchorRight);
    win::Button stretched;
    stretched.create(form, L"stretched", {10, 50, 200, 25}, win::AnchorLeft | win::AnchorTop | win::AnchorRight);
    win::StatusBar bar;
    bar.create(form, L"Finished.");
    ::ShowWindow(form.hwnd(), SW_SHOW);
    testing_support::PumpMessages();
    for (const HWND window : {form.kept.hwnd(), stretched.hwnd(), bar.hwnd()}) ::ValidateRect(window, nullptr);
    ::SetWindowPos(form.hwnd(), nullptr, 0, 0, 520, 380, SWP_NOMOVE | SWP_NOZORDER);
    for (const HWND window : {form.kept.hwnd(), stretched.hwnd(), bar.hwnd()}) {
        RECT client{}, update{};
        ::GetClientRect(window, &client);
        ASSERT_TRUE(::GetUpdateRect(window, &update, FALSE));
        EXPECT_TRUE(::EqualRect(&client, &update));
    }
}

// A dialog that records whether its owner could take the activation when the dialog went.
class TestDialog : public win::Dialog {
public:
    explicit TestDialog(HWND owner) : owner_(owner) { createDialog(L"dialog", {200, 100}, owner); }
    ~TestDialog() override { destroyWindow(); }
    bool ownerEnabledWhenHidden = false;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_SHOWWINDOW && !wParam) ownerEnabledWhenHidden = ::IsWindowEnabled(owner_) != FALSE;
        return Dialog::handleMessage(message, wParam, lParam);
    }

private:
    HWND owner_;
};

// Hiding a dialog while its owner is still disabled hands the activation to some other program.
TEST(Dialog, ItsOwnerIsEnabledBeforeTheDialogHides) {
    TestForm owner;
    ::ShowWindow(owner.hwnd(), SW_SHOW);
    TestDialog dialog(owner.hwnd());
    ::PostMessageW(dialog.hwnd(), WM_CLOSE, 0, 0);  // the close box, once the dialog runs
    EXPECT_EQ(dialog.runModal(owner.hwnd()), IDCANCEL);
    EXPECT_TRUE(dialog.ownerEnabledWhenHidden);
    EXPECT_FALSE(::IsWindowVisible(dialog.hwnd()));
    EXPECT_TRUE(::IsWindowEnabled(owner.hwnd()));
    EXPECT_EQ(::GetActiveWindow(), owner.hwnd());
}

class ButtonsDialog : public win::Dialog {
public:
    explicit ButtonsDialog(HWND owner) {
        createDialog(L"buttons", {300, 100}, owner);
        yesToAll.create(*this, L"Yes To &All", {8, 8, 80, 25});
        abort.create(*this, L"&Abort", {96, 8, 80, 25});
        no.create(*this, L"&No", {184, 8, 80, 25});
        for (win::Button* button : {&yesToAll, &abort, &no}) button->onClick = [this, button] { pressed = button; };
    }
    ~ButtonsDialog() override { destroyWindow(); }
    win::Button yesToAll, abort, no;
    win::Button* pressed = nullptr;
};

// Two buttons share "A": the key moves between them and presses neither, with or without Alt. Keys
// typed before a dialog appears never reach it.
TEST(Dialog, AMnemonicSharedByTwoButtonsPressesNeither) {
    TestForm owner;
    ::ShowWindow(owner.hwnd(), SW_SHOW);
    ButtonsDialog dialog(owner.hwnd());
    ::ShowWindow(dialog.hwnd(), SW_SHOW);
    dialog.no.focus();
    for (const UINT message : {WM_CHAR, WM_SYSCHAR, WM_CHAR}) {
        MSG key{dialog.no.hwnd(), message, L'a', 1, 0, {}};
        key.hwnd = ::GetFocus();
        win::DispatchAppMessage(key);
    }
    EXPECT_EQ(dialog.pressed, nullptr);
    EXPECT_EQ(::GetFocus(), dialog.yesToAll.hwnd());  // Yes To All, Abort, Yes To All
    ::ShowWindow(dialog.hwnd(), SW_HIDE);

    ::PostMessageW(dialog.no.hwnd(), WM_KEYDOWN, 'N', 1);
    ::PostMessageW(dialog.no.hwnd(), WM_CHAR, L'n', 1);
    ::PostMessageW(dialog.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(dialog.runModal(owner.hwnd()), IDCANCEL);
    EXPECT_EQ(dialog.pressed, nullptr);
}

TEST(Form, TheProgramNeverShowsTheSystemsNoDiskBox) {
    const UINT wanted = SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX;
    EXPECT_EQ(::GetErrorMode() & wanted, wanted);
}

}  // namespace
