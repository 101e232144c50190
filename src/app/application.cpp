#include "app/application.h"

namespace findlark {

Application::Application(MainWindowServices services)
    : main_(std::make_unique<TFormMain>(services)),
      options_(std::make_unique<TFormOptions>(services.settings, main_->hwnd())),
      about_(std::make_unique<TFormAbout>(main_->hwnd(), services.interaction)),
      confirm_(std::make_unique<TFormConfirm>(main_->hwnd(), services.interaction)),
      rename_(std::make_unique<TFormRenameFile>(main_->hwnd(), services.interaction)),
      progress_(std::make_unique<TFormProgress>(main_->hwnd())) {
    confirm_->connect(*rename_);
    main_->connect(*options_, *confirm_, *progress_, *about_);
}

Application::~Application() { main_.reset(); }

int Application::run(int showCommand) {
    main_->showInitially(showCommand);
    main_->BitBtnSearch.focus();
    return win::RunMessageLoop();
}

}  // namespace findlark
