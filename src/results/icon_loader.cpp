#include "results/icon_loader.h"

#include <objbase.h>

#include <chrono>
#include <thread>

namespace findlark {
namespace {

// How long closing waits for a fetch in hand before it lets the thread finish on its own.
constexpr std::chrono::milliseconds kCloseWait{200};

}  // namespace

IconLoader::IconLoader(Fetch fetch, std::function<void()> delivered)
    : state_(std::make_shared<State>()), callback_(std::move(delivered)) {
    state_->fetch = std::move(fetch);
    state_->target = callback_.target();
}

IconLoader::~IconLoader() {
    std::unique_lock lock(state_->mutex);
    state_->stopping = true;
    state_->target = nullptr;
    state_->requests.clear();
    state_->changed.notify_all();
    if (started_) state_->changed.wait_for(lock, kCloseWait, [this] { return state_->finished; });
}

void IconLoader::request(std::uint64_t key, std::wstring path) {
    const std::lock_guard lock(state_->mutex);
    state_->requests.emplace_back(key, std::move(path));
    state_->changed.notify_all();
    if (started_) return;
    try {
        std::thread([state = state_] { run(state); }).detach();
        started_ = true;
    } catch (const std::system_error&) {
        state_->requests.clear();  // no thread: such rows keep the icon of their kind
    }
}

std::vector<std::pair<std::uint64_t, int>> IconLoader::takeAnswers() {
    const std::lock_guard lock(state_->mutex);
    state_->posted = false;
    return std::exchange(state_->answers, {});
}

void IconLoader::run(const std::shared_ptr<State>& state) noexcept {
    // Shortcuts are read through the shell's objects, which need COM on this thread.
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    try {
        serve(*state);
    } catch (...) {
        // Out of memory, say: the rows not answered keep the icon of their kind.
    }
    try {
        const std::lock_guard lock(state->mutex);
        state->finished = true;
        state->changed.notify_all();
    } catch (...) {
    }
    if (SUCCEEDED(com)) ::CoUninitialize();
}

void IconLoader::serve(State& state) {
    std::unique_lock lock(state.mutex);
    while (!state.stopping) {
        if (state.requests.empty()) {
            state.changed.wait(lock);
            continue;
        }
        auto [key, path] = std::move(state.requests.front());
        state.requests.pop_front();
        lock.unlock();
        int index = -1;
        try {
            index = state.fetch(path);
        } catch (...) {
        }
        lock.lock();
        if (index < 0) continue;
        state.answers.emplace_back(key, index);
        if (!state.posted && state.target) state.posted = ::PostMessageW(state.target, win::UiCallback::kMessage, 0, 0) != FALSE;
    }
}

}  // namespace findlark
