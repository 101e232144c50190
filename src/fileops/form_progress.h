#pragma once
// The small window of a long file operation: items and bytes done of the total, the item in hand, and
// Cancel. It appears only when the operation has lasted about a second, and keeps the program's
// windows painted meanwhile.
#include "fileops/operation_prompts.h"
#include "win/dialog.h"

#include <chrono>
#include <cstdint>
#include <string>

namespace findlark {

class TFormProgress : public win::Dialog, public OperationProgress {
public:
    explicit TFormProgress(HWND owner);
    ~TFormProgress() override;

    win::Label LabelCounts;
    win::Label LabelItem;
    win::ProgressBar ProgressBarDone;
    win::Button BitBtnCancel;

    // How long an operation runs before the window shows.
    void setShowDelay(std::chrono::milliseconds delay) { showDelay_ = delay; }
    void BitBtnCancelClick();

    void begin(std::wstring_view caption) override;
    void addWork(std::size_t items, std::uint64_t bytes) override;
    void working(std::wstring_view path) override;
    void advance(std::size_t items, std::uint64_t bytes) override;
    bool cancelled() override;
    void end() override;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Shows the window once it is due, writes the texts and handles the waiting messages, each at
    // most every few milliseconds.
    void keepAlive();
    void showTexts();

    std::chrono::milliseconds showDelay_{1000};
    std::uint64_t startedAt_ = 0;
    std::uint64_t pumpedAt_ = 0;
    std::uint64_t shownAt_ = 0;
    bool running_ = false;
    bool cancelled_ = false;
    std::size_t itemsDone_ = 0, itemsTotal_ = 0;
    std::uint64_t bytesDone_ = 0, bytesTotal_ = 0;
    std::wstring current_;
};

}  // namespace findlark
