#include "search/content_pipeline.h"

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <set>
#include <stdexcept>

namespace findlark {
namespace {

using namespace std::chrono_literals;

// A test that takes a path's number of milliseconds ("7" sleeps 7 ms) and passes even numbers;
// "throw" fails, "forever" runs until it is told to stop.
struct FakeReaders {
    std::mutex mutex;
    std::map<std::wstring, int> calls;
    std::atomic<int> running{0};
    std::atomic<int> mostRunning{0};

    ContentPipeline::MakeTest make() {
        return [this](std::function<bool()> stopRequested) -> ContentPipeline::Test {
            return [this, stopRequested](const std::wstring& path) {
                {
                    const std::lock_guard lock(mutex);
                    ++calls[path];
                }
                const int now = ++running;
                for (int most = mostRunning; now > most && !mostRunning.compare_exchange_weak(most, now);) {
                }
                struct Leave {
                    std::atomic<int>& running;
                    ~Leave() { --running; }
                } leave{running};
                if (path == L"throw") throw std::runtime_error("read");
                if (path == L"forever") {
                    while (!stopRequested()) std::this_thread::sleep_for(1ms);
                    return ContentVerdict::Stopped;
                }
                const int ms = std::stoi(path);
                std::this_thread::sleep_for(std::chrono::milliseconds(ms));
                return ms % 2 == 0 ? ContentVerdict::Pass : ContentVerdict::Fail;
            };
        };
    }
};

ContentVerdict Take(ContentPipeline& pipeline) {
    const std::optional<ContentVerdict> verdict = pipeline.takeFront(10s);
    EXPECT_TRUE(verdict);
    return verdict.value_or(ContentVerdict::Stopped);
}

TEST(ContentPipeline, VerdictsComeInTheOrderGivenWhateverOrderTheReadersFinish) {
    for (const unsigned readers : {0u, 1u, 3u}) {
        FakeReaders fake;
        RunControl control;
        ContentPipeline pipeline(readers, fake.make(), control);
        const std::vector<int> delays{9, 0, 4, 1, 8, 2, 0, 7, 3, 6, 5, 1, 0, 2};
        std::vector<ContentVerdict> verdicts;
        for (std::size_t i = 0; i < delays.size(); ++i) {
            ASSERT_FALSE(pipeline.full());
            pipeline.submit(std::to_wstring(delays[i]) + L"#" + std::to_wstring(i));
        }
        while (!pipeline.empty()) verdicts.push_back(Take(pipeline));
        ASSERT_EQ(verdicts.size(), delays.size());
        for (std::size_t i = 0; i < delays.size(); ++i)
            EXPECT_EQ(verdicts[i], delays[i] % 2 == 0 ? ContentVerdict::Pass : ContentVerdict::Fail) << readers << " " << i;
        for (const auto& [path, count] : fake.calls) EXPECT_EQ(count, 1) << "read twice: " << std::string(path.begin(), path.end());
        EXPECT_EQ(fake.calls.size(), delays.size());
        EXPECT_LE(fake.mostRunning.load(), static_cast<int>(std::max(readers, 1u)));
    }
}

TEST(ContentPipeline, AtMostAFixedNumberOfFilesAreInFlight) {
    FakeReaders fake;
    RunControl control;
    ContentPipeline pipeline(2, fake.make(), control);
    for (std::size_t i = 0; i < ContentPipeline::kMaxInFlight; ++i) pipeline.submit(L"0#" + std::to_wstring(i));
    EXPECT_TRUE(pipeline.full());
    Take(pipeline);
    EXPECT_FALSE(pipeline.full());
}

TEST(ContentPipeline, AFailingReadIsRethrownForItsOwnFileOnly) {
    FakeReaders fake;
    RunControl control;
    ContentPipeline pipeline(2, fake.make(), control);
    pipeline.submit(L"2");
    pipeline.submit(L"throw");
    pipeline.submit(L"1");
    EXPECT_EQ(Take(pipeline), ContentVerdict::Pass);
    EXPECT_THROW(pipeline.takeFront(10s), std::runtime_error);
    EXPECT_EQ(Take(pipeline), ContentVerdict::Fail);
}

// A reader that cannot be made after others started ends the run with an error, never the program:
// the started readers end first.
TEST(ContentPipeline, AReaderThatCannotBeMadeEndsTheRunNotTheProgram) {
    RunControl control;
    int made = 0;
    const ContentPipeline::MakeTest failsSecond = [&made](const std::function<bool()>&) -> ContentPipeline::Test {
        if (++made == 2) throw std::runtime_error("no reader");
        return [](const std::wstring&) { return ContentVerdict::Pass; };
    };
    EXPECT_THROW(ContentPipeline(3, failsSecond, control), std::runtime_error);
}

// Stop reaches every reader inside its file, and the files not yet started are answered unread.
TEST(ContentPipeline, StopEndsEveryReaderAtOnce) {
    FakeReaders fake;
    RunControl control;
    auto pipeline = std::make_unique<ContentPipeline>(3, fake.make(), control);
    for (int i = 0; i < 3; ++i) pipeline->submit(L"forever");
    for (int i = 0; i < 5; ++i) pipeline->submit(L"0#" + std::to_wstring(i));
    while (fake.running < 3) std::this_thread::sleep_for(1ms);
    const auto stopAt = std::chrono::steady_clock::now();
    control.requestStop();
    for (int i = 0; i < 8; ++i) EXPECT_EQ(Take(*pipeline), ContentVerdict::Stopped);
    pipeline.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - stopAt, 100ms);
    EXPECT_EQ(fake.calls.size(), 1u);  // only the three "forever" files were read
}

TEST(ContentPipeline, PauseFinishesTheFilesInHandAndStartsNoOther) {
    FakeReaders fake;
    RunControl control;
    ContentPipeline pipeline(2, fake.make(), control);
    pipeline.submit(L"30#a");
    pipeline.submit(L"30#b");
    while (fake.running < 2) std::this_thread::sleep_for(1ms);
    control.requestPause();
    pipeline.submit(L"0#c");
    EXPECT_EQ(Take(pipeline), ContentVerdict::Pass);
    EXPECT_EQ(Take(pipeline), ContentVerdict::Pass);
    EXPECT_FALSE(pipeline.takeFront(100ms));  // held while paused
    EXPECT_EQ(fake.calls.count(L"0#c"), 0u);
    control.resume();
    EXPECT_EQ(Take(pipeline), ContentVerdict::Pass);
}

// Closing without a stop (a run that failed elsewhere) still lets every reader go.
TEST(ContentPipeline, ClosingEndsAReaderInsideAFile) {
    FakeReaders fake;
    RunControl control;
    const auto start = std::chrono::steady_clock::now();
    {
        ContentPipeline pipeline(2, fake.make(), control);
        pipeline.submit(L"forever");
        while (fake.running < 1) std::this_thread::sleep_for(1ms);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
}

}  // namespace
}  // namespace findlark
