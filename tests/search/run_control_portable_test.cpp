#include "search/run_control.h"
#include "search/run_events.h"
#include "search/search_plan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

namespace findlark {
namespace {

using namespace std::chrono_literals;

RowBatch Named(std::initializer_list<const wchar_t*> names) {
    static const auto folder = std::make_shared<const std::wstring>(L"C:");
    RowBatch batch;
    for (const wchar_t* name : names) batch.add(name, folder, 0, 0, 0);
    return batch;
}

// The names of the rows taken, in order.
std::vector<std::wstring> Names(const RunEvents::Taken& taken) {
    std::vector<std::wstring> names;
    for (const RowSlice& slice : taken.slices) {
        for (std::size_t row = slice.begin; row < slice.end; ++row) names.emplace_back(slice.batch->name(row));
    }
    return names;
}

TEST(RunControl, PauseHoldsTheWorkerUntilResumeOrStop) {
    for (const bool stopInstead : {false, true}) {
        RunControl control;
        std::atomic<int> checks{0};
        std::atomic<bool> ended{false}, result{false};
        control.requestPause();
        int flushes = 0;
        std::thread worker([&] {
            result = control.checkRunRequests([&] { ++flushes; });
            ++checks;
            ended = true;
        });
        std::this_thread::sleep_for(50ms);
        EXPECT_FALSE(ended);
        if (stopInstead) control.requestStop(); else control.resume();
        worker.join();
        EXPECT_EQ(result.load(), !stopInstead);
        EXPECT_EQ(flushes, 1);  // pending rows are handed on before waiting
    }
}

TEST(RunControl, StopIsFinalAndBelongsToOneRun) {
    RunControl first, second;
    first.requestStop();
    EXPECT_FALSE(first.checkRunRequests());
    first.resume();
    EXPECT_FALSE(first.checkRunRequests());
    EXPECT_TRUE(second.checkRunRequests());
}

RowBatch Batch(int count, int first = 0) {
    static const auto folder = std::make_shared<const std::wstring>(L"C:");
    RowBatch batch;
    for (int i = 0; i < count; ++i) batch.add(std::to_wstring(first + i), folder, 0, 0, 0);
    return batch;
}

TEST(RunEvents, AsksOnceUntilTheWindowTakesAndKeepsTheOrder) {
    int wakes = 0;
    RunEvents events([&] { ++wakes; return true; });
    events.pushRows(Named({L"a"}));
    events.pushRows(Named({L"b", L"c"}));
    events.pushEnd(false);
    EXPECT_EQ(wakes, 1);
    // One take gathers every pending batch.
    RunEvents::Taken taken = events.take(100);
    EXPECT_EQ(Names(taken), (std::vector<std::wstring>{L"a", L"b", L"c"}));
    EXPECT_TRUE(taken.ended);
    EXPECT_FALSE(taken.failed);
    EXPECT_EQ(events.take(100).rowCount(), 0u);
}

TEST(RunEvents, ARequestThatWasNotDeliveredIsMadeAgain) {
    std::vector<bool> answers{false, true};
    int wakes = 0;
    RunEvents events([&] { return answers[static_cast<size_t>(std::min(wakes++, 1))]; });
    events.pushRows(Batch(1));
    events.pushRows(Batch(1));  // the first request was lost: ask again
    events.pushEnd(true);       // the second one is on its way: no third
    EXPECT_EQ(wakes, 2);
    const RunEvents::Taken taken = events.take(10);
    EXPECT_EQ(taken.rowCount(), 2u);
    EXPECT_TRUE(taken.ended);
    EXPECT_TRUE(taken.failed);
}

TEST(RunEvents, TakesAtMostTheCapAndAsksAgainForTheRest) {
    int wakes = 0;
    RunEvents events([&] { ++wakes; return true; });
    events.pushRows(Batch(5, 0));
    events.pushRows(Batch(5, 5));
    events.pushEnd(false);
    RunEvents::Taken first = events.take(7);
    EXPECT_EQ(Names(first), (std::vector<std::wstring>{L"0", L"1", L"2", L"3", L"4", L"5", L"6"}));
    EXPECT_FALSE(first.ended);  // rows before the end are still pending
    EXPECT_EQ(wakes, 2);
    RunEvents::Taken rest = events.take(7);
    EXPECT_EQ(Names(rest), (std::vector<std::wstring>{L"7", L"8", L"9"}));
    EXPECT_TRUE(rest.ended);
    EXPECT_EQ(wakes, 2);
}

TEST(RunEvents, AWorkerFarAheadWaitsForRoomUntilTakenOrClosed) {
    for (const bool closeInstead : {false, true}) {
        RunEvents events([] { return true; });
        events.pushRows(Batch(static_cast<int>(RunEvents::kMaxPendingRows)));
        std::atomic<bool> pushed{false};
        std::thread worker([&] {
            events.pushRows(Batch(1));
            pushed = true;
        });
        std::this_thread::sleep_for(50ms);
        EXPECT_FALSE(pushed);
        if (closeInstead) events.close(); else events.take(10);
        worker.join();
        EXPECT_TRUE(pushed);
        if (closeInstead) {
            EXPECT_EQ(events.take(10).rowCount(), 0u);  // a closed queue keeps nothing
        }
    }
}

// Stop keeps what the worker had handed on; after that nothing asks the window, which may be gone.
TEST(RunEvents, ClosingGivesWhatWasQueuedAndAsksNothingMore) {
    int wakes = 0;
    RunEvents events([&] {
        ++wakes;
        return false;  // never delivered: every push asks again
    });
    events.pushRows(Batch(3));
    EXPECT_EQ(wakes, 1);
    const RunEvents::Taken queued = events.close();
    EXPECT_EQ(Names(queued), (std::vector<std::wstring>{L"0", L"1", L"2"}));
    events.pushRows(Batch(2));
    events.pushEnd(true);
    EXPECT_EQ(wakes, 1);
    EXPECT_EQ(events.take(10).rowCount(), 0u);
}

TEST(RowBatcher, HandsOnTheFirstRowsAtOnceThenAfterTheIntervalAndOnFlush) {
    RunEvents events([] { return true; });
    RowBatcher batcher(events, 30ms);
    const auto folder = std::make_shared<const std::wstring>(L"C:");
    EXPECT_FALSE(batcher.flushIfDue());
    batcher.add(L"0", folder, 0, 0, 0);
    EXPECT_TRUE(batcher.flushIfDue());
    EXPECT_EQ(events.take(10).rowCount(), 1u);
    batcher.add(L"1", folder, 0, 0, 0);
    batcher.add(L"2", folder, 0, 0, 0);
    EXPECT_FALSE(batcher.flushIfDue());
    EXPECT_EQ(events.take(10).rowCount(), 0u);
    std::this_thread::sleep_for(40ms);
    batcher.flushIfDue();
    EXPECT_EQ(events.take(10).rowCount(), 2u);
    batcher.add(L"3", folder, 0, 0, 0);
    batcher.flush();
    batcher.flush();  // nothing pending: no empty batch
    EXPECT_EQ(Names(events.take(10)), std::vector<std::wstring>{L"3"});
}

TEST(SearchPlan, EffectiveMaskAndDocumentsRoot) {
    SearchCriteria c;
    EXPECT_EQ(EffectiveMask(c), L"*.*");
    c.Mask = L"*.txt";
    EXPECT_EQ(EffectiveMask(c), L"*.txt");
    c.AllOrPartOfTheFileName = false;
    EXPECT_EQ(EffectiveMask(c), L"*.*");
    EXPECT_TRUE(MaskMatchesEverything(L"*"));
    EXPECT_TRUE(MaskMatchesEverything(L"*.*"));
    EXPECT_FALSE(MaskMatchesEverything(L"*.txt"));
    EXPECT_EQ(DocumentsRoot(L"C:\\Users\\me\\Documents\\"), L"C:\\Users\\me\\Documents");
    EXPECT_EQ(DocumentsRoot(L"C:\\Docs"), L"C:\\Docs");
    EXPECT_EQ(DocumentsRoot(L""), L"");
}

TEST(SearchPlan, DriveRootsAreAskedAboutWithTheirSeparator) {
    EXPECT_EQ(FolderQueryPath(L"C:"), L"C:\\");
    EXPECT_EQ(FolderQueryPath(L"d:"), L"d:\\");
    EXPECT_EQ(FolderQueryPath(L"C:\\Users"), L"C:\\Users");
    EXPECT_EQ(FolderQueryPath(L"1:"), L"1:");
    EXPECT_EQ(FolderQueryPath(L""), L"");
}

}  // namespace
}  // namespace findlark
