// Walk benchmark: a bare single-threaded FindFirstFileExW walk of a tree against Findlark's search of
// the same tree through the real worker, event queue and rows model, once with the look-ahead pool and
// once listing one folder after another; the UI thread's responsiveness is measured meanwhile. First,
// the bare walk with the top folders shared among the look-ahead's threads against it on one thread.
// Usage: walk_bench.exe TREE_FOLDER [MASK ...]   (masks "*.*" and "*.txt" when none are given)
//        walk_bench.exe --skip WITH_FOLDER WITHOUT_FOLDER   (a skipped node_modules against none)
#include "app/form_main.h"
#include "settings/registry_store.h"
#include "bench_support.h"
#include "search/folder_walk.h"
#include "win/platform_init.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cwctype>
#include <string>
#include <thread>
#include <vector>

namespace {

using bench::Clock;
using bench::Seconds;

struct TreeCount {
    long long entries = 0;
    long long txt = 0;  // names ending in ".txt", whatever the case
};

void BareWalk(const std::wstring& folder, TreeCount& count) {
    WIN32_FIND_DATAW entry;
    const HANDLE find = ::FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch,
                                           nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const wchar_t* n = entry.cFileName;
        if (n[0] == L'.' && (n[1] == 0 || (n[1] == L'.' && n[2] == 0))) continue;
        ++count.entries;
        const std::size_t length = std::wcslen(n);
        if (length >= 4 && ::CompareStringOrdinal(n + length - 4, 4, L".txt", 4, TRUE) == CSTR_EQUAL) ++count.txt;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) BareWalk(folder + L"\\" + n, count);
    } while (::FindNextFileW(find, &entry));
    ::FindClose(find);
}

Clock::duration TimeBareWalk(const std::wstring& tree) {
    const auto start = Clock::now();
    TreeCount count;
    BareWalk(tree, count);
    return Clock::now() - start;
}

// The same bare walk with the tree's top folders shared among `threads` threads: how much a second
// core can gain for any walk here.
Clock::duration TimeSharedBareWalk(const std::wstring& tree, unsigned threads) {
    const auto start = Clock::now();
    std::vector<std::wstring> tops;
    WIN32_FIND_DATAW entry;
    const HANDLE find = ::FindFirstFileExW((tree + L"\\*").c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr,
                                           FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) return Clock::now() - start;
    do {
        const wchar_t* n = entry.cFileName;
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(n[0] == L'.' && (n[1] == 0 || (n[1] == L'.' && n[2] == 0))))
            tops.push_back(tree + L"\\" + n);
    } while (::FindNextFileW(find, &entry));
    ::FindClose(find);
    std::atomic<std::size_t> next{0};
    std::vector<std::thread> walkers;
    for (unsigned t = 0; t < threads; ++t) {
        walkers.emplace_back([&] {
            TreeCount count;
            for (std::size_t k; (k = next++) < tops.size();) BareWalk(tops[k], count);
        });
    }
    for (std::thread& walker : walkers) walker.join();
    return Clock::now() - start;
}

// One search to its end, the messages pumped as the program's loop does; `firstRow` gets the best
// time from the click to the first row shown in the list.
Clock::duration TimeSearch(findlark::TFormMain& form, Clock::duration* firstRow = nullptr) {
    form.Results.clear();
    const auto start = Clock::now();
    form.BitBtnSearch.click();
    MSG message{};
    bool rowShown = false;
    while (form.searchState() == findlark::SearchState::Running && ::GetMessageW(&message, nullptr, 0, 0) > 0) {
        win::DispatchAppMessage(message);
        if (firstRow && !rowShown && form.ListViewResults.rowCount() > 0) {
            rowShown = true;
            *firstRow = std::min(*firstRow, Clock::now() - start);
        }
    }
    return Clock::now() - start;
}

// The engine's walk alone, every entry counted and nothing sent on: what the window's side costs shows
// against the full search.
class CountingVisitor final : public findlark::WalkVisitor {
public:
    void onFolder(const std::shared_ptr<const std::wstring>&) override {}
    void onMatch(const std::shared_ptr<const std::wstring>&, const findlark::EntryFacts&) override {}
    void onUnreadable(const std::wstring&) override {}
    bool checkRunRequests() override { return true; }
};

Clock::duration TimeEngineWalk(const std::wstring& tree, const std::wstring& mask, unsigned lookAheadThreads,
                               const std::wstring& skipFolders = {}) {
    findlark::WalkOptions options;
    options.mask = mask;
    options.skipFolders = skipFolders;
    options.lookAheadThreads = lookAheadThreads;
    CountingVisitor visitor;
    const auto start = Clock::now();
    findlark::FolderWalk(options, visitor).SearchRoot(tree);
    return Clock::now() - start;
}

// Lists one folder after another on the worker: the walk without the look-ahead pool.
findlark::RunLauncher SequentialLauncher() {
    return [](findlark::SearchRequest request, std::shared_ptr<findlark::RunChannel> channel) {
        request.lookAheadThreads = 0;
        return findlark::WorkerLauncher()(std::move(request), std::move(channel));
    };
}

}  // namespace

// A tree with a node_modules folder searched with "Skip folders: node_modules" against the same tree
// without that folder: what a skip costs beyond the folders it leaves out.
int SkipBench(const std::wstring& withFolder, const std::wstring& withoutFolder) {
    TreeCount with, without;
    BareWalk(withFolder, with);  // warms the caches
    BareWalk(withoutFolder, without);
    std::printf("entries: %lld with node_modules, %lld without\n", with.entries, without.entries);
    win::SystemInteraction interaction;
    findlark::RegistryStore settings(bench::kSettingsKey);
    findlark::TFormMain form({interaction, settings, findlark::WorkerLauncher(), nullptr});
    findlark::SearchCriteria criteria = bench::FolderCriteria(withFolder);
    Clock::duration skipped = Clock::duration::max(), plain = skipped, engineSkipped = skipped, enginePlain = skipped;
    const unsigned threads = findlark::DefaultLookAheadThreads();
    for (int round = 0; round < 4; ++round) {
        engineSkipped = std::min(engineSkipped, TimeEngineWalk(withFolder, L"*.*", threads, L"node_modules"));
        enginePlain = std::min(enginePlain, TimeEngineWalk(withoutFolder, L"*.*", threads));
        criteria.Directories = {withFolder};
        criteria.SkipFolders = L"node_modules";
        form.Criteria.apply(criteria);
        skipped = std::min(skipped, TimeSearch(form));
        criteria.Directories = {withoutFolder};
        criteria.SkipFolders.clear();
        form.Criteria.apply(criteria);
        plain = std::min(plain, TimeSearch(form));
    }
    std::printf("skip node_modules: Findlark %.3f s against %.3f s without the folder (%.2fx); engine alone %.3f s "
                "against %.3f s (%.2fx)\n",
                Seconds(skipped), Seconds(plain), Seconds(skipped) / Seconds(plain), Seconds(engineSkipped),
                Seconds(enginePlain), Seconds(engineSkipped) / Seconds(enginePlain));
    return 0;
}

int wmain(int argc, wchar_t** argv) {
    if (argc == 4 && std::wstring(argv[1]) == L"--skip") {
        const win::PlatformInit platform;
        return SkipBench(argv[2], argv[3]);
    }
    if (argc < 2) {
        std::fputs("usage: walk_bench TREE_FOLDER [MASK ...] | walk_bench --skip WITH_FOLDER WITHOUT_FOLDER\n", stderr);
        return 2;
    }
    const std::wstring tree = argv[1];
    std::vector<std::wstring> masks(argv + 2, argv + argc);
    if (masks.empty()) masks = {L"*.*", L"*.txt"};
    const win::PlatformInit platform;

    TreeCount count;
    BareWalk(tree, count);  // warms the caches
    if (count.entries == 0) {
        std::fputs("the tree folder is empty or missing\n", stderr);
        return 1;
    }
    std::printf("entries in tree:            %lld\n", count.entries);
    std::printf("look-ahead threads:         %u\n", findlark::DefaultLookAheadThreads());
    Clock::duration oneThread = Clock::duration::max(), shared = oneThread;
    for (int round = 0; round < 3; ++round) {
        oneThread = std::min(oneThread, TimeBareWalk(tree));
        shared = std::min(shared, TimeSharedBareWalk(tree, findlark::DefaultLookAheadThreads()));
    }
    std::printf("bare walk, top folders shared among %u threads: %.3f s against %.3f s on one, ratio %.2f\n",
                findlark::DefaultLookAheadThreads(), Seconds(shared), Seconds(oneThread), Seconds(shared) / Seconds(oneThread));

    win::SystemInteraction interaction;
    findlark::RegistryStore settings(bench::kSettingsKey);
    findlark::TFormMain pooled({interaction, settings, findlark::WorkerLauncher(), nullptr});
    findlark::TFormMain sequential({interaction, settings, SequentialLauncher(), L"FINDLARK_BENCH_SECOND_WINDOW"});
    bool allRowsDelivered = true;
    for (const std::wstring& mask : masks) {
        findlark::SearchCriteria criteria = bench::FolderCriteria(tree);
        criteria.Mask = mask;
        pooled.Criteria.apply(criteria);
        sequential.Criteria.apply(criteria);

        bench::ResponsivenessProbe probe;
        SIZE_T memoryBefore = 0, memoryAfter = 0;
        Clock::duration bare = Clock::duration::max(), withPool = bare, oneByOne = bare, engineAlone = bare,
                        engineWithPool = bare, firstRow = bare;
        // Rounds alternate between the three so that a change in the machine's load hits them alike.
        for (int round = 0; round < 4; ++round) {
            bare = std::min(bare, TimeBareWalk(tree));
            engineAlone = std::min(engineAlone, TimeEngineWalk(tree, mask, 0));
            engineWithPool = std::min(engineWithPool, TimeEngineWalk(tree, mask, findlark::DefaultLookAheadThreads()));
            oneByOne = std::min(oneByOne, TimeSearch(sequential));
            sequential.Results.clear();
            pooled.Results.clear();
            if (round == 0) memoryBefore = bench::HeapBytesInUse();
            if (round > 0) probe.start();  // the first round grows the heap; the UI's worst case comes later
            withPool = std::min(withPool, TimeSearch(pooled, &firstRow));
            probe.stop();
            if (round == 0) memoryAfter = bench::HeapBytesInUse();  // later rounds reuse the freed heap
        }
        const int rows = pooled.Results.count();
        const long long expected = mask == L"*.*" ? count.entries : mask == L"*.txt" ? count.txt : rows;
        allRowsDelivered = allRowsDelivered && rows == expected;

        std::printf("mask %ls\n", mask.c_str());
        std::printf("  rows delivered:           %d of %lld\n", rows, expected);
        std::printf("  bare FindFirstFileExW:    %.3f s (%.0f entries/s)\n", Seconds(bare), count.entries / Seconds(bare));
        std::printf("  Findlark, look-ahead:     %.3f s   ratio %.2f\n", Seconds(withPool), Seconds(withPool) / Seconds(bare));
        std::printf("  Findlark, one by one:     %.3f s   ratio %.2f\n", Seconds(oneByOne), Seconds(oneByOne) / Seconds(bare));
        std::printf("  engine alone, look-ahead: %.3f s   ratio %.2f\n", Seconds(engineWithPool), Seconds(engineWithPool) / Seconds(bare));
        std::printf("  engine alone, one by one: %.3f s   ratio %.2f\n", Seconds(engineAlone), Seconds(engineAlone) / Seconds(bare));
        std::printf("  memory per row:           %.0f bytes\n",
                    rows ? static_cast<double>(memoryAfter > memoryBefore ? memoryAfter - memoryBefore : 0) / rows : 0.0);
        std::printf("  worst UI message delay:   %.1f ms\n", probe.worstMilliseconds());
        std::printf("  first row shown after:    %.1f ms\n", Seconds(firstRow) * 1000);
    }
    return allRowsDelivered ? 0 : 1;
}
