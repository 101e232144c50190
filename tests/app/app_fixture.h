#pragma once
// The whole program in-process: its five windows over a settings store in memory, answering modal
// requests from a script.
#include "app/application.h"
#include "support/memory_store.h"
#include "support/ui_test.h"

#include <gtest/gtest.h>

#include <memory>

class AppTest : public ::testing::Test {
protected:
    void TearDown() override {
        app.reset();
        testing_support::PumpMessages();
        ::DeleteFileW(optionsFile.c_str());
    }
    findlark::Application& start(findlark::RunLauncher launcher = {}) {
        app = std::make_unique<findlark::Application>(findlark::MainWindowServices{
            interaction, settings, launcher ? std::move(launcher) : gate.launcher(), nullptr, optionsFile});
        return *app;
    }
    // Ends the program as the user does and gives the store what it wrote.
    void end() {
        app.reset();
        testing_support::PumpMessages();
    }
    findlark::TFormMain& main() { return app->main(); }
    std::wstring stored(const wchar_t* key) {
        const std::wstring* value = settings.find(findlark::kPreferences, key);
        return value ? *value : L"(missing)";
    }
    void store(const wchar_t* key, const std::wstring& value) { settings.set(findlark::kPreferences, key, value); }

    testing_support::ScriptedInteraction interaction;
    testing_support::MemoryStore settings;
    testing_support::GatedLauncher gate;
    std::unique_ptr<findlark::Application> app;
    // The automatic options file of this test.
    const std::wstring optionsFile = TempFile(L"SearchOptions.ini");

    static std::wstring TempFile(const wchar_t* name) {
        wchar_t folder[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, folder);
        static int serial = 0;
        return std::wstring(folder) + L"findlark-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
               std::to_wstring(++serial) + L"-" + name;
    }
};
