#pragma once
#include "app/form_main.h"
#include "support/criteria_printer.h"
#include "support/memory_store.h"
#include "support/ui_test.h"

#include <gtest/gtest.h>

#include <memory>

// A fresh main window per test, answering modal requests from a script.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The tip of the day would wait on the first activation; the tests that want it turn it on.
        settings.set(findlark::kPreferences, findlark::setting::ShowTipOfTheDayOnStartup.key, L"0");
        // Option files are the business of their own tests.
        settings.set(findlark::kPreferences, findlark::setting::RememberSearchOptions.key, L"0");
        form = makeForm();
    }
    std::unique_ptr<findlark::TFormMain> makeForm(findlark::RunLauncher launcher = {}) {
        return std::make_unique<findlark::TFormMain>(
            findlark::MainWindowServices{interaction, settings, launcher ? std::move(launcher) : gate.launcher(), nullptr});
    }
    void TearDown() override {
        form.reset();
        testing_support::PumpMessages();
    }

    findlark::CriteriaPages& pages() { return form->Criteria; }

    testing_support::ScriptedInteraction interaction;
    testing_support::MemoryStore settings;
    testing_support::GatedLauncher gate;  // open unless a test closes it
    std::unique_ptr<findlark::TFormMain> form;
};
