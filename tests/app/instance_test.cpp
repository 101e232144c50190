// The single-instance guard, with the real program started as processes.
#include <windows.h>

#include <gtest/gtest.h>

#include "win/handle.h"

#include <string>
#include <string_view>
#include <vector>

namespace {

// The program beside the test executables: tests\..\src\findlark.exe of the build.
std::wstring ProgramPath() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    folder.resize(folder.find_last_of(L'\\'));
    return folder + L"\\..\\src\\findlark.exe";
}

win::UniqueKernelHandle StartProgram(const std::wstring& arguments = {}) {
    std::wstring command = L"\"" + ProgramPath() + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return {};
    ::CloseHandle(process.hThread);
    return win::UniqueKernelHandle(process.hProcess);
}

bool Running(const win::UniqueKernelHandle& process) { return ::WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT; }

TEST(SingleInstance, ASecondCopyEndsByItselfAndTheFirstRunsOn) {
    const win::UniqueKernelHandle first = StartProgram();
    ASSERT_TRUE(first);
    ::Sleep(3000);  // the first copy has made its window and the instance event
    ASSERT_TRUE(Running(first));

    const win::UniqueKernelHandle second = StartProgram();
    ASSERT_TRUE(second);
    EXPECT_EQ(::WaitForSingleObject(second.get(), 15000), WAIT_OBJECT_0) << "the second copy did not end";
    DWORD code = 1;
    ::GetExitCodeProcess(second.get(), &code);
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(Running(first));

    // Once the first has gone, the event goes with it and a new copy starts normally.
    ::TerminateProcess(first.get(), 0);
    ::WaitForSingleObject(first.get(), 5000);
    const win::UniqueKernelHandle third = StartProgram();
    ASSERT_TRUE(third);
    EXPECT_EQ(::WaitForSingleObject(third.get(), 4000), static_cast<DWORD>(WAIT_TIMEOUT)) << "a fresh start ended";
    ::TerminateProcess(third.get(), 0);
    ::WaitForSingleObject(third.get(), 5000);
}

// The items of the first list box of the running copy's main window, read from this process.
std::vector<std::wstring> FoldersShownByRunningCopy() {
    HWND main = nullptr;
    ::EnumWindows(
        [](HWND window, LPARAM found) -> BOOL {
            if (!::GetPropW(window, L"Findlark.MainWindow")) return TRUE;
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&main));
    std::vector<std::wstring> items;
    if (!main) return items;
    HWND list = nullptr;
    ::EnumChildWindows(
        main,
        [](HWND child, LPARAM found) -> BOOL {
            wchar_t name[32] = {};
            ::GetClassNameW(child, name, 32);
            if (std::wstring_view(name) != L"ListBox") return TRUE;
            *reinterpret_cast<HWND*>(found) = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&list));
    const auto count = list ? ::SendMessageW(list, LB_GETCOUNT, 0, 0) : 0;
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring item(static_cast<std::size_t>(::SendMessageW(list, LB_GETTEXTLEN, i, 0)), L'\0');
        ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data()));
        items.push_back(item);
    }
    return items;
}

// The version resource names the product, its maker and the version the about box shows.
TEST(VersionResource, NamesProductMakerAndVersion) {
    const std::wstring program = ProgramPath();
    DWORD ignored = 0;
    std::vector<unsigned char> data(::GetFileVersionInfoSizeW(program.c_str(), &ignored));
    ASSERT_FALSE(data.empty());
    ASSERT_TRUE(::GetFileVersionInfoW(program.c_str(), 0, static_cast<DWORD>(data.size()), data.data()));
    const auto value = [&](const wchar_t* name) {
        wchar_t* text = nullptr;
        UINT length = 0;
        const std::wstring key = std::wstring(L"\\StringFileInfo\\040904b0\\") + name;
        return ::VerQueryValueW(data.data(), key.c_str(), reinterpret_cast<void**>(&text), &length) && text
                   ? std::wstring(text)
                   : std::wstring();
    };
    EXPECT_EQ(value(L"ProductName"), L"Findlark");
    EXPECT_EQ(value(L"CompanyName"), L"Norvale");
    EXPECT_EQ(value(L"ProductVersion"), L"1.0");  // "Version 1.0" in the about box
    EXPECT_EQ(value(L"FileVersion"), L"1.0.0.0");
}

TEST(SingleInstance, ASecondCopyHandsItsFoldersToTheFirst) {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"findlark-handed-" + std::to_wstring(::GetCurrentProcessId());
    ::CreateDirectoryW(folder.c_str(), nullptr);
    const win::UniqueKernelHandle first = StartProgram();
    ASSERT_TRUE(first);
    ::Sleep(3000);
    const win::UniqueKernelHandle second = StartProgram(L"\"" + folder + L"\"");
    ASSERT_TRUE(second);
    EXPECT_EQ(::WaitForSingleObject(second.get(), 15000), WAIT_OBJECT_0) << "the second copy did not end";
    // The hand-over waits while the first copy asks something (its tip of the day), then is taken.
    ::Sleep(1000);
    if (const HWND tip = ::FindWindowW(nullptr, L"Tips and Tricks")) {
        EXPECT_TRUE(FoldersShownByRunningCopy().empty());
        ::PostMessageW(tip, WM_CLOSE, 0, 0);
    }
    for (int wait = 0; wait < 50 && FoldersShownByRunningCopy().empty(); ++wait) ::Sleep(100);
    EXPECT_EQ(FoldersShownByRunningCopy(), std::vector<std::wstring>{folder});
    EXPECT_TRUE(Running(first));
    ::TerminateProcess(first.get(), 0);
    ::WaitForSingleObject(first.get(), 5000);
    ::RemoveDirectoryW(folder.c_str());
}

}  // namespace
