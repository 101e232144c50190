#include "search/run_control.h"
#include "search/run_events.h"
#include "search/search_plan.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace findlark {
namespace {

using namespace std::chrono_literals;

FoundRow Named(const wchar_t* name) {
    FoundRow row;
    row.name = name;
    return row;
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

TEST(RunEvents, WakesOncePerBatchOfEventsAndKeepsTheirOrder) {
    int wakes = 0;
    RunEvents events([&] { ++wakes; });
    events.pushRows({Named(L"a")});
    events.pushRows({Named(L"b"), Named(L"c")});
    events.pushEnd(false);
    EXPECT_EQ(wakes, 1);
    auto drained = events.drain();
    ASSERT_EQ(drained.size(), 3u);
    EXPECT_EQ(drained[1].rows[1].name, L"c");
    EXPECT_EQ(drained[2].kind, RunEvent::Kind::Ended);
    EXPECT_TRUE(events.drain().empty());
    events.pushEnd(true);
    EXPECT_EQ(wakes, 2);
    EXPECT_TRUE(events.drain()[0].failed);
}

TEST(RowBatcher, HandsOnRowsAfterTheIntervalAndOnFlush) {
    RunEvents events(nullptr);
    RowBatcher batcher(events, 30ms);
    batcher.add(Named(L"1"));
    batcher.add(Named(L"2"));
    EXPECT_TRUE(events.drain().empty());
    std::this_thread::sleep_for(40ms);
    batcher.flushIfDue();
    auto first = events.drain();
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0].rows.size(), 2u);
    batcher.add(Named(L"3"));
    batcher.flush();
    batcher.flush();  // nothing pending: no empty batch
    auto second = events.drain();
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(second[0].rows[0].name, L"3");
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

}  // namespace
}  // namespace findlark
