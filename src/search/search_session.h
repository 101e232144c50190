#pragma once
// The life of search runs, without any window: start, stop, pause, resume and the hand-over of each
// run's rows. At most one run is current; a stopped run keeps its worker until it has ended, but its
// rows never reach the list again.
#include "search/search_worker.h"
#include "win/worker_thread.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace findlark {

enum class SearchState { Idle, Running };
enum class PauseState { Running, Paused };

// Starts the worker of one run; tests put their own in its place.
using RunLauncher = std::function<win::WorkerThread(SearchRequest, std::shared_ptr<RunChannel>)>;
RunLauncher WorkerLauncher();

class SearchSession {
public:
    // `wake` asks the window to call drain() and says whether the request was delivered.
    explicit SearchSession(std::function<bool()> wake, RunLauncher launcher = WorkerLauncher());
    ~SearchSession();
    SearchSession(const SearchSession&) = delete;
    SearchSession& operator=(const SearchSession&) = delete;

    SearchState state() const { return run_ ? SearchState::Running : SearchState::Idle; }
    PauseState pauseState() const { return pauseState_; }
    // The current run's worker is held by its pause at this moment.
    bool workerHolding() const { return run_ && run_->channel->control.holding(); }

    // Starts a run. Throws when its worker cannot start; the session then stays idle.
    void start(SearchRequest request);
    // Lets the current run go (a paused worker is released and ends); gives the rows its worker had
    // handed on at this moment.
    RunEvents::Taken stop();
    void pause();
    void resume();
    // Hands over at most `maxRows` rows of the current run. When the result says `ended`, the run
    // has finished by itself and the session is idle again.
    RunEvents::Taken drain(std::size_t maxRows);
    // The current run's progress as its worker last reported it; nothing when idle.
    RunProgress progress() const;

    // Waits until every stopped or ended worker has ended; false at the time limit.
    bool waitForStoppedWorkers(std::chrono::milliseconds limit);
    // Stops every worker and waits for them at most `limit`; a worker still inside one system call
    // after that ends by itself, owning everything it touches.
    void stopAll(std::chrono::milliseconds limit);

private:
    struct Run {
        std::shared_ptr<RunChannel> channel;
        win::WorkerThread worker;
    };
    void retire();

    std::function<bool()> wake_;
    RunLauncher launcher_;
    std::optional<Run> run_;
    std::vector<Run> retired_;
    PauseState pauseState_ = PauseState::Running;
};

}  // namespace findlark
