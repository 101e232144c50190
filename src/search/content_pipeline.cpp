#include "search/content_pipeline.h"

#include <algorithm>

namespace findlark {
namespace {

constexpr std::chrono::milliseconds kPausePoll{20};

}  // namespace

unsigned DefaultContentReaders() {
    const unsigned cores = std::thread::hardware_concurrency();
    return cores > 1 ? std::min(cores, 16u) : 0;
}

ContentPipeline::ContentPipeline(unsigned readers, const MakeTest& makeTest, const RunControl& control)
    : control_(control) {
    const auto stop = [this] { return stopRequested(); };
    readers_.reserve(readers);
    for (unsigned i = 0; i < readers; ++i) {
        try {
            readers_.emplace_back([this, test = makeTest(stop)] { readerLoop(test); });
        } catch (const std::system_error&) {
            break;  // no thread to be had: the readers that started do the work
        } catch (...) {
            // Any other failure ends the run with an error; the readers that started end first.
            closeAndJoin();
            throw;
        }
    }
    if (readers_.empty()) inlineTest_ = makeTest(stop);
}

ContentPipeline::~ContentPipeline() { closeAndJoin(); }

void ContentPipeline::closeAndJoin() {
    {
        const std::lock_guard lock(mutex_);
        closing_ = true;
    }
    work_.notify_all();
    for (std::thread& reader : readers_) {
        if (reader.joinable()) reader.join();
    }
}

bool ContentPipeline::stopRequested() const {
    if (control_.stopRequested()) return true;
    const std::lock_guard lock(mutex_);
    return closing_;
}

bool ContentPipeline::full() const {
    const std::lock_guard lock(mutex_);
    return jobs_.size() >= kMaxInFlight;
}

bool ContentPipeline::empty() const {
    const std::lock_guard lock(mutex_);
    return jobs_.empty();
}

void ContentPipeline::submit(std::wstring path) {
    if (readers_.empty()) {
        Job job{std::move(path), std::nullopt, nullptr};
        try {
            job.verdict = inlineTest_(job.path);
        } catch (...) {
            job.failure = std::current_exception();
        }
        const std::lock_guard lock(mutex_);
        jobs_.push_back(std::move(job));
        ++started_;
        return;
    }
    {
        const std::lock_guard lock(mutex_);
        jobs_.push_back({std::move(path), std::nullopt, nullptr});
    }
    work_.notify_one();
}

std::optional<ContentVerdict> ContentPipeline::takeFront(std::chrono::milliseconds wait) {
    std::unique_lock lock(mutex_);
    const auto known = [this] { return !jobs_.empty() && (jobs_.front().verdict || jobs_.front().failure); };
    // A timed wait of no time still sleeps a tick on some platforms.
    if (wait.count() > 0 ? !verdict_.wait_for(lock, wait, known) : !known()) return std::nullopt;
    Job job = std::move(jobs_.front());
    jobs_.pop_front();
    --started_;
    if (job.failure) std::rethrow_exception(job.failure);
    return job.verdict;
}

// A reader takes the oldest file no reader has started. While the run is paused it starts none:
// the files in hand are finished, the rest wait. After a stop each file is answered unread.
void ContentPipeline::readerLoop(const Test& test) noexcept {
    std::unique_lock lock(mutex_);
    while (true) {
        work_.wait(lock, [this] { return closing_ || started_ < jobs_.size(); });
        if (closing_) return;
        if (control_.pauseRequested() && !control_.stopRequested()) {
            lock.unlock();
            std::this_thread::sleep_for(kPausePoll);
            lock.lock();
            continue;
        }
        Job& job = jobs_[started_++];  // a deque keeps its elements in place as it grows
        const std::wstring path = job.path;
        lock.unlock();
        std::optional<ContentVerdict> verdict;
        std::exception_ptr failure;
        try {
            verdict = control_.stopRequested() ? ContentVerdict::Stopped : test(path);
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        job.verdict = verdict;
        job.failure = failure;
        verdict_.notify_all();
    }
}

}  // namespace findlark
