#pragma once
// Content tests on reader threads, one per core, ahead of the walk: the walk hands each file on and
// takes the verdicts back in the order it gave the files, so rows keep the walk's order. At most a
// fixed number of files are in flight; a reader reads one file at a time in bounded pieces.
#include "search/content_scan.h"
#include "search/run_control.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace findlark {

// Readers for a pipeline: one core each, none on a single core (the walk's thread then reads).
unsigned DefaultContentReaders();

class ContentPipeline {
public:
    static constexpr std::size_t kMaxInFlight = 64;
    // One reader's test of one file; `stopRequested` is asked between its pieces.
    using Test = std::function<ContentVerdict(const std::wstring& path)>;
    using MakeTest = std::function<Test(std::function<bool()> stopRequested)>;

    // With no readers (or none that could start) each file is tested when it is handed on.
    ContentPipeline(unsigned readers, const MakeTest& makeTest, const RunControl& control);
    ~ContentPipeline();
    ContentPipeline(const ContentPipeline&) = delete;
    ContentPipeline& operator=(const ContentPipeline&) = delete;

    bool full() const;
    bool empty() const;
    void submit(std::wstring path);
    // The verdict of the oldest file handed on, once it is known; waits for it at most `wait`.
    // Rethrows what ended a reader's test of that file.
    std::optional<ContentVerdict> takeFront(std::chrono::milliseconds wait = {});

private:
    void closeAndJoin();
    struct Job {
        std::wstring path;
        std::optional<ContentVerdict> verdict;
        std::exception_ptr failure;
    };
    void readerLoop(const Test& test) noexcept;
    bool stopRequested() const;

    const RunControl& control_;
    mutable std::mutex mutex_;
    std::condition_variable work_;
    std::condition_variable verdict_;
    std::deque<Job> jobs_;        // in the order handed on; the front is the next to take
    std::size_t started_ = 0;     // jobs at the front that a reader has started
    bool closing_ = false;
    Test inlineTest_;             // without readers
    std::vector<std::thread> readers_;
};

}  // namespace findlark
