// Content benchmark: a bare read of every file of a text tree (mapped, every byte touched) against
// Findlark's content search for a phrase near the end of each file through the real worker; then how
// long Stop takes while a run scans a file of more than 1 GiB without a zero byte.
// Usage: content_bench.exe TEXT_FOLDER HUGE_FOLDER PHRASE
#include "app/form_main.h"
#include "settings/registry_store.h"
#include "bench_support.h"
#include "win/platform_init.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

using bench::Clock;
using bench::Seconds;

std::vector<std::wstring> FilesOf(const std::wstring& folder) {
    std::vector<std::wstring> files;
    WIN32_FIND_DATAW entry;
    const win::UniqueFindHandle find(::FindFirstFileW((folder + L"\\*").c_str(), &entry));
    if (!find) return files;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.push_back(folder + L"\\" + entry.cFileName);
    } while (::FindNextFileW(find.get(), &entry));
    return files;
}

// Maps each file whole and reads every byte.
unsigned long long BareRead(const std::vector<std::wstring>& files, unsigned long long& bytes) {
    unsigned long long sum = 0;
    bytes = 0;
    for (const std::wstring& path : files) {
        const win::UniqueFileHandle file(
            ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        LARGE_INTEGER size{};
        if (!file || !::GetFileSizeEx(file.get(), &size) || size.QuadPart == 0) continue;
        const win::UniqueKernelHandle mapping(::CreateFileMappingW(file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
        const auto* view = static_cast<const unsigned char*>(::MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
        if (!view) continue;
        for (long long i = 0; i < size.QuadPart; ++i) sum += view[i];
        bytes += static_cast<unsigned long long>(size.QuadPart);
        ::UnmapViewOfFile(view);
    }
    return sum;
}

findlark::SearchCriteria ContentCriteria(const std::wstring& folder, const std::wstring& phrase) {
    findlark::SearchCriteria c;  // the defaults, whatever an earlier run left behind
    c.LookIn = false;
    c.AdditionalFolders = true;
    c.Directories = {folder};
    c.ContainingText = true;
    c.ContainingText0 = phrase;
    return c;
}

void RunToEnd(findlark::TFormMain& form) {
    form.BitBtnSearch.click();
    MSG message{};
    while (form.searchState() == findlark::SearchState::Running && ::GetMessageW(&message, nullptr, 0, 0) > 0)
        win::DispatchAppMessage(message);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fputs("usage: content_bench TEXT_FOLDER HUGE_FOLDER PHRASE\n", stderr);
        return 2;
    }
    const win::PlatformInit platform;
    const std::vector<std::wstring> files = FilesOf(argv[1]);
    unsigned long long bytes = 0;
    volatile unsigned long long sink = BareRead(files, bytes);  // warms the cache
    Clock::duration bare = Clock::duration::max(), findlark = Clock::duration::max();
    for (int round = 0; round < 3; ++round) {
        const auto start = Clock::now();
        sink = sink + BareRead(files, bytes);
        bare = std::min(bare, Clock::now() - start);
    }

    win::SystemInteraction interaction;
    findlark::RegistryStore settings(bench::kSettingsKey);
    findlark::TFormMain form({interaction, settings, findlark::WorkerLauncher(), nullptr});
    form.Criteria.apply(ContentCriteria(argv[1], argv[3]));
    int rows = 0;
    for (int round = 0; round < 3; ++round) {
        const auto start = Clock::now();
        RunToEnd(form);
        findlark = std::min(findlark, Clock::now() - start);
        rows = form.Results.count();
    }

    // Stop while the worker is inside the huge file.
    form.Criteria.apply(ContentCriteria(argv[2], argv[3]));
    form.BitBtnSearch.click();
    ::Sleep(300);
    const auto stopAt = Clock::now();
    form.BitBtnSearch.click();
    const bool ended = form.session().waitForStoppedWorkers(std::chrono::seconds(30));
    const auto stopTook = Clock::now() - stopAt;

    std::printf("files, bytes:             %zu, %.0f MiB\n", files.size(), bytes / 1048576.0);
    std::printf("bare mapped read:         %.3f s (%.0f MiB/s)\n", Seconds(bare), bytes / 1048576.0 / Seconds(bare));
    std::printf("Findlark content search:  %.3f s (%d of %zu files found)\n", Seconds(findlark), rows, files.size());
    std::printf("ratio (Findlark / bare):  %.2f\n", Seconds(findlark) / Seconds(bare));
    std::printf("stop inside a huge file:  %.1f ms%s\n", Seconds(stopTook) * 1000, ended ? "" : " (not ended!)");
    return rows == static_cast<int>(files.size()) && ended ? 0 : 1;
}
