// Runs under stress: lost wake-ups, errors inside the worker, a worker that cannot start, and a
// window closed while millions of rows stream in.
#include "search/search_fixture.h"

#include "search/search_worker.h"

#include <chrono>
#include <new>
#include <system_error>

using namespace findlark;
using namespace std::chrono_literals;
using testing_support::PumpUntil;

namespace {

void MakeFiles(const testing_support::TempTree& tree, int count) {
    for (int i = 0; i < count; ++i) tree.file(L"f" + std::to_wstring(i) + L".txt");
}

}  // namespace

TEST_F(SearchTest, LostWakeUpsNeverLeaveTheWindowSearching) {
    MakeFiles(tree, 200);
    pages().apply(foldersOnly({tree.root()}));
    form->BitBtnSearch.click();
    // Every request to drain is lost on its way; the window must still end the run with every row.
    const bool ended = PumpUntil([&] {
        MSG stolen{};
        while (::PeekMessageW(&stolen, form->hwnd(), kRunEventsMessage, kRunEventsMessage, PM_REMOVE)) {}
        return form->searchState() == SearchState::Idle;
    });
    ASSERT_TRUE(ended);
    EXPECT_EQ(form->Results.count(), 200);
    EXPECT_EQ(status(), L"Finished. 200 items found.");
}

TEST_F(SearchTest, NothingEscapesTheWorkerAndItsEndAlwaysArrives) {
    MakeFiles(tree, 3);
    SearchRequest request{foldersOnly({tree.root()}), {}};
    int wakes = 0;
    // Every hand-over fails as if memory ran out.
    RunChannel channel([&]() -> bool {
        ++wakes;
        throw std::bad_alloc();
    });
    RunSearch(request, channel);  // noexcept: an escaping error would end the test program here
    EXPECT_GT(wakes, 0);
    const RunEvents::Taken taken = channel.events.take(100);
    EXPECT_TRUE(taken.ended);
    EXPECT_TRUE(taken.failed);
}

TEST_F(SearchTest, ARunThatCannotStartSaysWhyAndLeavesTheWindowFinished) {
    form.reset();
    form = makeForm([](SearchRequest, std::shared_ptr<RunChannel>) -> win::WorkerThread {
        throw std::system_error(ERROR_NOT_ENOUGH_MEMORY, std::system_category(), "CreateThread");
    });
    pages().apply(foldersOnly({tree.root()}));
    form->BitBtnSearch.click();
    ASSERT_EQ(interaction.messages.size(), 1u);
    EXPECT_EQ(interaction.messages[0].text.rfind(L"The search could not start: ", 0), 0u);
    EXPECT_TRUE(interaction.messages[0].flags & MB_ICONERROR);
    EXPECT_EQ(form->searchState(), SearchState::Idle);
    EXPECT_EQ(form->BitBtnSearch.text(), L"&Search");
    EXPECT_FALSE(form->BitBtnPause.enabled());
    EXPECT_TRUE(form->PageControlMain.enabled());
    EXPECT_TRUE(form->PageControlMain.visible());
    EXPECT_FALSE(form->PageControlSearchInformation.visible());
    EXPECT_EQ(status(), L"Finished. 0 items found.");
}

// A worker that finds rows faster than any window can list them, for as long as it is let run.
RunLauncher Flood() {
    return [](SearchRequest, std::shared_ptr<RunChannel> channel) {
        return win::WorkerThread([channel] {
            const auto folder = std::make_shared<const std::wstring>(L"C:\\flood");
            while (!channel->control.stopRequested()) {
                RowBatch batch;
                for (int i = 0; i < 20000; ++i) batch.add(L"row.txt", folder, 0, 0, 0);
                channel->events.pushRows(std::move(batch));
            }
        });
    };
}

TEST_F(SearchTest, ClosingTheWindowDuringAHugeRunEndsWithinSeconds) {
    form.reset();
    form = makeForm(Flood());
    pages().apply(foldersOnly({tree.root()}));
    form->BitBtnSearch.click();
    ASSERT_TRUE(PumpUntil([&] { return form->Results.count() >= 1500000; }, 60s));
    const auto start = std::chrono::steady_clock::now();
    ::PostMessageW(form->hwnd(), WM_CLOSE, 0, 0);
    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) win::DispatchAppMessage(message);
    form.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
    form = makeForm();
}
