// The single-instance guard, with the real program started as processes.
#include <windows.h>

#include <gtest/gtest.h>

#include "win/handle.h"

#include <string>

namespace {

// The program beside the test executables: tests\..\src\findlark.exe of the build.
std::wstring ProgramPath() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    folder.resize(folder.find_last_of(L'\\'));
    return folder + L"\\..\\src\\findlark.exe";
}

win::UniqueKernelHandle StartProgram() {
    std::wstring command = L"\"" + ProgramPath() + L"\"";
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

}  // namespace
