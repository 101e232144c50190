#include "search/search_session.h"

#include <algorithm>

namespace findlark {

RunLauncher WorkerLauncher() {
    return [](SearchRequest request, std::shared_ptr<RunChannel> channel) {
        return win::WorkerThread([request = std::move(request), channel = std::move(channel)] {
            RunSearch(request, *channel);
        });
    };
}

SearchSession::SearchSession(std::function<bool()> wake, RunLauncher launcher)
    : wake_(std::move(wake)), launcher_(std::move(launcher)) {}

SearchSession::~SearchSession() { stopAll(std::chrono::seconds(1)); }

void SearchSession::start(SearchRequest request) {
    if (run_) stop();
    // Workers that have ended since need no more waiting for.
    std::erase_if(retired_, [](const Run& run) { return run.worker.finished(); });
    pauseState_ = PauseState::Running;
    auto channel = std::make_shared<RunChannel>(wake_);
    win::WorkerThread worker = launcher_(std::move(request), channel);
    run_.emplace(Run{std::move(channel), std::move(worker)});
}

void SearchSession::retire() {
    pauseState_ = PauseState::Running;
    if (!run_) return;
    retired_.push_back(std::move(*run_));
    run_.reset();
}

RunEvents::Taken SearchSession::stop() {
    RunEvents::Taken queued;
    if (run_) queued = run_->channel->stop();
    retire();
    return queued;
}

void SearchSession::pause() {
    if (!run_) return;
    pauseState_ = PauseState::Paused;
    run_->channel->control.requestPause();
}

void SearchSession::resume() {
    if (!run_) return;
    run_->channel->control.resume();
    pauseState_ = PauseState::Running;
}

RunEvents::Taken SearchSession::drain(std::size_t maxRows) {
    if (!run_) return {};
    RunEvents::Taken taken = run_->channel->events.take(maxRows);
    if (taken.ended) retire();
    return taken;
}

RunProgress SearchSession::progress() const { return run_ ? run_->channel->events.progress() : RunProgress{}; }

bool SearchSession::waitForStoppedWorkers(std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (const Run& run : retired_) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (!run.worker.waitFor(static_cast<DWORD>(std::max<long long>(left.count(), 0)))) return false;
    }
    return true;
}

void SearchSession::stopAll(std::chrono::milliseconds limit) {
    stop();
    for (Run& run : retired_) run.channel->stop();
    waitForStoppedWorkers(limit);
    retired_.clear();
}

}  // namespace findlark
