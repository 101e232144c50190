#include "results/background_sort.h"

#include <system_error>

namespace findlark {

BackgroundSort::BackgroundSort(std::function<void()> done)
    : done_(std::move(done)), callback_([this] {
          if (finished_ && done_) done_();
      }) {}

BackgroundSort::~BackgroundSort() { cancel(); }

bool BackgroundSort::start(RowsSnapshot rows, Work work) {
    cancel();
    rows_ = std::move(rows);
    cancelled_ = false;
    finished_ = false;
    try {
        thread_ = std::thread([this, work = std::move(work), target = callback_.target()]() noexcept {
            try {
                order_ = work(rows_, [this] { return cancelled_.load(); });
            } catch (...) {
                order_.clear();  // out of memory: the list keeps its order
            }
            finished_ = true;
            ::PostMessageW(target, win::UiCallback::kMessage, 0, 0);
        });
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

std::vector<std::int32_t> BackgroundSort::take() {
    if (thread_.joinable()) thread_.join();
    finished_ = false;
    rows_ = {};
    return std::move(order_);
}

void BackgroundSort::cancel() {
    cancelled_ = true;
    if (thread_.joinable()) thread_.join();
    finished_ = false;
    rows_ = {};
    order_.clear();
}

}  // namespace findlark
