#pragma once
#include "app/form_main.h"
#include "support/criteria_printer.h"
#include "support/ui_test.h"

#include <gtest/gtest.h>

#include <memory>

// A fresh main window per test, answering modal requests from a script.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { form = std::make_unique<findlark::TFormMain>(interaction, gate.launcher()); }
    void TearDown() override {
        form.reset();
        testing_support::PumpMessages();
    }

    findlark::CriteriaPages& pages() { return form->Criteria; }

    testing_support::ScriptedInteraction interaction;
    testing_support::GatedLauncher gate;  // open unless a test closes it
    std::unique_ptr<findlark::TFormMain> form;
};
