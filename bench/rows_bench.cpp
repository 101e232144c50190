// Scale benchmark: millions of synthetic rows pushed by a worker through the real event queue into
// the main window's rows model and list, while the UI thread's responsiveness is measured; then the
// list sorted by each column through the menu, timed to the moment the list shows the new order; then
// the filter box typed into a key at a time, each key timed to the moment the list has painted its rows,
// against one bare pass over the same names with the typed text.
// Usage: rows_bench.exe [ROWS]
#include "app/form_main.h"
#include "settings/registry_store.h"
#include "bench_support.h"
#include "win/platform_init.h"

#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

// A worker that hands on `total` rows as fast as the queue takes them, in batches as the walk does.
findlark::RunLauncher Synthetic(long long total) {
    return [total](findlark::SearchRequest, std::shared_ptr<findlark::RunChannel> channel) {
        return win::WorkerThread([total, channel] {
            long long made = 0;
            int folderNumber = 0;
            while (made < total && !channel->control.stopRequested()) {
                const auto folder =
                    std::make_shared<const std::wstring>(L"C:\\bench\\folder " + std::to_wstring(folderNumber++));
                findlark::RowBatch batch;
                for (int i = 0; i < 4096 && made < total; ++i, ++made)
                    batch.add(L"report_" + std::to_wstring((made * 7919) % 1000003) + L".txt", folder, made % 65536,
                              40000.5 + static_cast<double>(made % 86400) / 86400, 0x20);
                channel->events.pushRows(std::move(batch));
            }
            if (!channel->control.stopRequested()) channel->events.pushEnd(false);
        });
    };
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const long long total = argc > 1 ? std::wcstoll(argv[1], nullptr, 10) : 4000000;
    const win::PlatformInit platform;
    win::SystemInteraction interaction;
    findlark::RegistryStore settings(bench::kSettingsKey);
    findlark::TFormMain form({interaction, settings, Synthetic(total), nullptr});
    findlark::SearchCriteria criteria;  // the defaults, whatever an earlier run left behind
    criteria.LookIn = false;
    form.Criteria.apply(criteria);
    ::ShowWindow(form.hwnd(), SW_SHOWNOACTIVATE);

    bench::ResponsivenessProbe probe;
    const SIZE_T heapBefore = bench::HeapBytesInUse();
    probe.start();
    const auto start = bench::Clock::now();
    form.BitBtnSearch.click();
    MSG message{};
    while (form.searchState() == findlark::SearchState::Running && ::GetMessageW(&message, nullptr, 0, 0) > 0)
        win::DispatchAppMessage(message);
    const auto elapsed = bench::Clock::now() - start;
    probe.stop();
    const SIZE_T heapAfter = bench::HeapBytesInUse();
    const int rows = form.Results.count();

    std::printf("rows listed:              %d\n", rows);
    std::printf("time:                     %.2f s (%.0f rows/s)\n", bench::Seconds(elapsed), rows / bench::Seconds(elapsed));
    std::printf("heap per row:             %.0f bytes\n",
                rows ? static_cast<double>(heapAfter > heapBefore ? heapAfter - heapBefore : 0) / rows : 0.0);
    std::printf("worst UI message delay:   %.1f ms\n", probe.worstMilliseconds());

    const std::pair<const char*, const win::MenuItem*> sorts[] = {
        {"name", &form.Name1}, {"folder", &form.Destination1}, {"size", &form.Size1}, {"date", &form.DateModified1}};
    bool sorted = true;
    for (const auto& [what, item] : sorts) {
        probe.resetWorst();
        probe.start();
        const auto sortStart = bench::Clock::now();
        form.runMenuCommand(item->id());
        while (form.Results.sorting() && ::GetMessageW(&message, nullptr, 0, 0) > 0) win::DispatchAppMessage(message);
        const auto sortTook = bench::Clock::now() - sortStart;
        probe.stop();
        sorted = sorted && form.Results.count() == rows;
        std::printf("sort by %-7s           %.2f s, worst UI message delay %.1f ms\n", what, bench::Seconds(sortTook),
                    probe.worstMilliseconds());
    }

    // Typing "report_12 folder 3", then taking it back a key at a time.
    const std::wstring typed = L"report_12 folder 3";
    std::vector<std::wstring> keys;
    for (std::size_t n = 1; n <= typed.size(); ++n) keys.push_back(typed.substr(0, n));
    for (std::size_t n = typed.size(); n-- > 0;) keys.push_back(typed.substr(0, n));
    double slowest = 0, sum = 0;
    probe.resetWorst();
    probe.start();
    for (const std::wstring& text : keys) {
        const auto keyStart = bench::Clock::now();
        form.EditFilter.setText(text);
        while (form.Results.sorting() && ::GetMessageW(&message, nullptr, 0, 0) > 0) win::DispatchAppMessage(message);
        // As between two keys typed: what waits is handled, the list painted.
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) win::DispatchAppMessage(message);
        const double took = bench::Seconds(bench::Clock::now() - keyStart);
        slowest = std::max(slowest, took);
        sum += took;
    }
    probe.stop();
    const bool filteredBack = form.Results.count() == rows;
    // The bare pass: every name searched once for the text as typed, case and all.
    const findlark::RowsSnapshot all = form.Results.rows().snapshot();
    const auto bareStart = bench::Clock::now();
    std::size_t found = 0;
    for (std::size_t i = 0; i < all.size(); ++i) found += all.entry(i).name.find(L"report_12") != std::wstring_view::npos;
    const double bare = bench::Seconds(bench::Clock::now() - bareStart);
    std::printf("filter, %zu keys:          mean %.1f ms, slowest %.1f ms a key (bare pass %.1f ms, %zu names), "
                "worst UI message delay %.1f ms\n",
                keys.size(), sum / static_cast<double>(keys.size()) * 1000, slowest * 1000, bare * 1000, found,
                probe.worstMilliseconds());
    return rows == total && sorted && filteredBack ? 0 : 1;
}
