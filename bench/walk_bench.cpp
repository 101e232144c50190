// Walk benchmark: a bare FindFirstFileExW walk of a tree against Findlark's search of the same tree
// through the real worker, event queue and rows model, with the UI thread's responsiveness measured.
// Usage: walk_bench.exe TREE_FOLDER
#include "app/form_main.h"
#include "settings/registry_store.h"
#include "bench_support.h"
#include "win/platform_init.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

namespace {

using bench::Clock;
using bench::Seconds;

long long BareWalk(const std::wstring& folder) {
    long long count = 0;
    WIN32_FIND_DATAW entry;
    const HANDLE find = ::FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch,
                                           nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) return 0;
    do {
        const wchar_t* n = entry.cFileName;
        if (n[0] == L'.' && (n[1] == 0 || (n[1] == L'.' && n[2] == 0))) continue;
        ++count;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) count += BareWalk(folder + L"\\" + n);
    } while (::FindNextFileW(find, &entry));
    ::FindClose(find);
    return count;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fputs("usage: walk_bench TREE_FOLDER\n", stderr);
        return 2;
    }
    const std::wstring tree = argv[1];
    const win::PlatformInit platform;

    const long long entries = BareWalk(tree);  // warms the caches
    if (entries == 0) {
        std::fputs("the tree folder is empty or missing\n", stderr);
        return 1;
    }
    Clock::duration bare = Clock::duration::max(), findlark = Clock::duration::max();
    for (int round = 0; round < 3; ++round) {
        const auto start = Clock::now();
        BareWalk(tree);
        bare = std::min(bare, Clock::now() - start);
    }

    win::SystemInteraction interaction;
    findlark::RegistryStore settings(L"Software\\Norvale\\Findlark tools");
    findlark::TFormMain form({interaction, settings, findlark::WorkerLauncher(), nullptr});
    findlark::SearchCriteria criteria = form.Criteria.read();
    criteria.LookIn = false;
    criteria.AdditionalFolders = true;
    criteria.Directories = {tree};
    criteria.Mask = L"*.*";
    form.Criteria.apply(criteria);

    bench::ResponsivenessProbe probe;
    SIZE_T memoryBefore = 0, memoryAfter = 0;
    int rows = 0;
    for (int round = 0; round < 3; ++round) {
        form.Results.clear();
        if (round == 0) memoryBefore = bench::HeapBytesInUse();
        if (round == 2) probe.start();
        const auto start = Clock::now();
        form.BitBtnSearch.click();
        MSG message{};
        while (form.searchState() == findlark::SearchState::Running && ::GetMessageW(&message, nullptr, 0, 0) > 0) win::DispatchAppMessage(message);
        findlark = std::min(findlark, Clock::now() - start);
        if (round == 0) memoryAfter = bench::HeapBytesInUse();  // later rounds reuse the freed heap
        rows = form.Results.count();
    }
    probe.stop();

    std::printf("entries in tree:          %lld\n", entries);
    std::printf("rows delivered:           %d\n", rows);
    std::printf("bare FindFirstFileExW:    %.3f s (%.0f entries/s)\n", Seconds(bare), entries / Seconds(bare));
    std::printf("Findlark search:          %.3f s (%.0f rows/s)\n", Seconds(findlark), rows / Seconds(findlark));
    std::printf("ratio (Findlark / bare):  %.2f\n", Seconds(findlark) / Seconds(bare));
    std::printf("memory per row:           %.0f bytes\n",
                rows ? static_cast<double>(memoryAfter > memoryBefore ? memoryAfter - memoryBefore : 0) / rows : 0.0);
    std::printf("worst UI message delay:   %.1f ms\n", probe.worstMilliseconds());
    return rows == entries ? 0 : 1;
}
