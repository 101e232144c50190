// Entry of the Windows test executables: the same platform set-up as the program, and a watchdog that
// turns a test that hangs (a modal loop, a message that never comes, a shell call that never returns)
// into a failure that names the test, instead of a silent time-out of the whole executable.
#include "win/platform_init.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// Tests that call the shell or run file operations end within seconds or not at all.
std::chrono::seconds LimitFor(const ::testing::TestInfo& test) {
    const std::string suite = test.test_suite_name();
    const bool fileOperation = suite.rfind("FileOperation", 0) == 0 || suite.rfind("RecycleBin", 0) == 0;
    return std::chrono::seconds(fileOperation ? 10 : 120);
}

class Watchdog final : public ::testing::EmptyTestEventListener {
public:
    Watchdog() : thread_([this] { watch(); }) {}
    ~Watchdog() override {
        {
            const std::lock_guard lock(mutex_);
            ending_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }

    void OnTestStart(const ::testing::TestInfo& test) override {
        const std::lock_guard lock(mutex_);
        name_ = std::string(test.test_suite_name()) + "." + test.name();
        deadline_ = Clock::now() + LimitFor(test);
        running_ = true;
    }
    void OnTestEnd(const ::testing::TestInfo&) override {
        const std::lock_guard lock(mutex_);
        running_ = false;
    }

private:
    void watch() {
        std::unique_lock lock(mutex_);
        while (!ending_) {
            wake_.wait_for(lock, std::chrono::milliseconds(200));
            if (running_ && Clock::now() > deadline_) {
                std::fprintf(stderr, "\n[  FAILED  ] %s did not end in time (watchdog); the executable stops here\n",
                             name_.c_str());
                std::fflush(stderr);
                std::fflush(stdout);
                ::TerminateProcess(::GetCurrentProcess(), 3);
            }
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::string name_;
    Clock::time_point deadline_{};
    bool running_ = false;
    bool ending_ = false;
    std::thread thread_;
};

}  // namespace

int main(int argc, char** argv) {
    const win::PlatformInit platform;
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(std::make_unique<Watchdog>().release());  // gtest owns it
    return RUN_ALL_TESTS();
}
