#pragma once
// The program's windows, made in their order at start-up and living until it ends.
#include "app/form_main.h"
#include "fileops/form_confirm.h"
#include "fileops/form_progress.h"
#include "fileops/form_rename.h"
#include "help/form_about.h"
#include "settings/form_options.h"

#include <memory>

namespace findlark {

class Application {
public:
    explicit Application(MainWindowServices services);
    // The main window goes first, so its FormDestroy never meets a dialog already gone.
    ~Application();

    // Shows the main window and runs the message loop until the program is asked to end.
    int run(int showCommand);

    TFormMain& main() { return *main_; }
    TFormOptions& options() { return *options_; }
    TFormAbout& about() { return *about_; }
    TFormConfirm& confirm() { return *confirm_; }
    TFormRenameFile& rename() { return *rename_; }
    TFormProgress& progress() { return *progress_; }

private:
    std::unique_ptr<TFormMain> main_;
    std::unique_ptr<TFormOptions> options_;
    std::unique_ptr<TFormAbout> about_;
    std::unique_ptr<TFormConfirm> confirm_;
    std::unique_ptr<TFormRenameFile> rename_;
    std::unique_ptr<TFormProgress> progress_;
};

}  // namespace findlark
