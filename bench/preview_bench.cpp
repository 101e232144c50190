// Preview benchmark: how soon the pane shows the first matching lines of a 100 MiB file whose match is
// near its start, and of a 1 GiB file whose match is at its end against a bare search of that file
// (mapped whole, memchr and memcmp), taking turns; how soon another row is shown while a long read
// is under way; and how late the window answers meanwhile. Then Down pressed over 10,000 rows as fast as
// the window takes it: how many reads began, the heap before and after, and how soon the pane is idle.
// Usage: preview_bench.exe FOLDER (the two files are made there once, the 10,000 in FOLDER-many)
#include "app/form_main.h"
#include "settings/registry_store.h"
#include "bench_support.h"
#include "win/platform_init.h"

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

using bench::Clock;
using bench::Seconds;

const std::string kMarker = "findlark-marker";

// The file read through in pieces of 1 MiB, each searched with memchr and memcmp (a match across two
// pieces goes unseen, which costs this baseline nothing): how long reading alone takes here.
bool BareRead(const std::wstring& path) {
    const win::UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    std::vector<unsigned char> piece(1 << 20);
    bool found = false;
    DWORD done = 0;
    while (::ReadFile(file.get(), piece.data(), static_cast<DWORD>(piece.size()), &done, nullptr) && done > 0)
        found = bench::Holds(piece.data(), bench::ContentSize(piece.data(), done, false), kMarker) || found;
    return found;
}

// Lines of ordinary text, then the marker after `before` bytes, then text to `size` bytes.
void MakeFile(const std::wstring& path, unsigned long long size, unsigned long long before) {
    WIN32_FILE_ATTRIBUTE_DATA facts{};
    if (::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &facts) &&
        (static_cast<unsigned long long>(facts.nFileSizeHigh) << 32 | facts.nFileSizeLow) >= size)
        return;
    std::string block;
    while (block.size() < (1 << 20) - 64) block += "the quick brown fox jumps over the lazy dog, again and again\r\n";
    const win::UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    unsigned long long written = 0;
    bool marked = false;
    while (written < size) {
        const bool markHere = !marked && written + block.size() > before;
        marked = marked || markHere;
        const std::string piece = markHere ? kMarker + " is here\r\n" : block;
        DWORD done = 0;
        ::WriteFile(file.get(), piece.data(), static_cast<DWORD>(piece.size()), &done, nullptr);
        written += done;
    }
}

bool PumpUntil(const std::function<bool()>& condition, double limitSeconds = 120) {
    const auto end = Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(limitSeconds));
    MSG message{};
    while (!condition()) {
        if (Clock::now() > end) return false;
        if (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            win::DispatchAppMessage(message);
        } else {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
        }
    }
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fputs("usage: preview_bench FOLDER\n", stderr);
        return 2;
    }
    const win::PlatformInit platform;
    const std::wstring folder = argv[1];
    ::CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring nearFile = folder + L"\\near.txt", endFile = folder + L"\\end.txt";
    MakeFile(nearFile, 100ull << 20, 4096);
    MakeFile(endFile, 1ull << 30, (1ull << 30) - (2 << 20));

    win::SystemInteraction interaction;
    findlark::RegistryStore settings(bench::kSettingsKey);
    findlark::TFormMain form({interaction, settings, findlark::WorkerLauncher(), nullptr});
    findlark::SearchCriteria criteria = bench::FolderCriteria(folder);
    criteria.Mask = L"*.txt";
    criteria.ContainingText = true;
    criteria.ContainingText0 = std::wstring(kMarker.begin(), kMarker.end());
    form.Criteria.apply(criteria);
    if (!form.preview().shown()) form.ShowPreviewPane1Click();
    form.BitBtnSearch.click();
    PumpUntil([&] { return form.searchState() == findlark::SearchState::Idle; }, 600);
    form.Results.publish();
    if (form.Results.count() != 2) {
        std::fprintf(stderr, "expected 2 rows, found %d\n", form.Results.count());
        return 1;
    }
    const int endRow = 0, nearRow = 1;  // in the order of their names

    std::size_t started = 0;  // items the pane had begun to show before the timed one
    const auto focus = [&](int row) {
        form.ListViewResults.setFocused(row == endRow ? nearRow : endRow);
        PumpUntil([&] { return form.preview().idle(); });  // the other row's read is not timed
        PumpUntil([] { return false; }, 0.05);
        started = form.RichEditPreview.itemsStarted();
        form.ListViewResults.setFocused(row);
    };
    // The timed row's first marked lines are shown.
    const auto marked = [&] { return form.RichEditPreview.itemsStarted() > started && form.RichEditPreview.markCount() > 0; };
    bench::ResponsivenessProbe probe;
    Clock::duration bare = Clock::duration::max(), bareRead = bare, endFirst = bare, nearFirst = bare, afterLongRead = bare;
    for (int round = 0; round < 4; ++round) {
        unsigned long long bytes = 0;
        auto began = Clock::now();
        const int bareFound = bench::BareSearch({endFile}, kMarker, false, bytes);
        if (round > 0) bare = std::min(bare, Clock::now() - began);
        if (bareFound != 1) std::fprintf(stderr, "the bare search did not find the marker (%llu bytes)\n", bytes);
        began = Clock::now();
        if (!BareRead(endFile)) std::fprintf(stderr, "the bare read did not find the marker\n");
        if (round > 0) bareRead = std::min(bareRead, Clock::now() - began);

        probe.start();
        focus(endRow);
        began = Clock::now();
        PumpUntil(marked);
        if (round > 0) endFirst = std::min(endFirst, Clock::now() - began);

        focus(nearRow);
        began = Clock::now();
        PumpUntil(marked);
        if (round > 0) nearFirst = std::min(nearFirst, Clock::now() - began);

        // Another row while the long read is under way: the read in hand is dropped.
        focus(endRow);
        PumpUntil([] { return false; }, 0.1);
        started = form.RichEditPreview.itemsStarted();
        form.ListViewResults.setFocused(nearRow);
        began = Clock::now();
        PumpUntil(marked);
        if (round > 0) afterLongRead = std::min(afterLongRead, Clock::now() - began);
        PumpUntil([&] { return form.preview().idle(); });
        probe.stop();
    }
    std::printf("100 MiB, match near the start: first lines after %.1f ms\n", Seconds(nearFirst) * 1000);
    std::printf("1 GiB, match at the end: bare map+memchr %.3f s, first lines after %.3f s, ratio %.2f\n", Seconds(bare),
                Seconds(endFirst), Seconds(endFirst) / Seconds(bare));
    std::printf("1 GiB, the same read in pieces of 1 MiB with ReadFile, memchr and memcmp: %.3f s\n", Seconds(bareRead));
    std::printf("another row during a 1 GiB read: its first lines after %.1f ms\n", Seconds(afterLongRead) * 1000);
    std::printf("worst UI message delay: %.1f ms\n", probe.worstMilliseconds());

    // Holding Down: each key moves the focus; the pane keeps one read at most.
    const std::wstring many = folder + L"-many";  // beside the folder, whose search must find its two files only
    if (::CreateDirectoryW(many.c_str(), nullptr)) {
        const std::string text = "one line\r\n" + kMarker + " two\r\nthree\r\n";
        for (int i = 0; i < 10000; ++i) {
            const win::UniqueFileHandle file(::CreateFileW((many + L"\\f" + std::to_wstring(i) + L".txt").c_str(), GENERIC_WRITE,
                                                           0, nullptr, CREATE_ALWAYS, 0, nullptr));
            DWORD done = 0;
            ::WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &done, nullptr);
        }
    }
    findlark::SearchCriteria manyCriteria = bench::FolderCriteria(many);
    manyCriteria.ContainingText = true;
    manyCriteria.ContainingText0 = criteria.ContainingText0;
    form.Criteria.apply(manyCriteria);
    form.BitBtnSearch.click();
    PumpUntil([&] { return form.searchState() == findlark::SearchState::Idle; }, 600);
    form.Results.publish();
    const int rows = form.Results.count();
    form.ListViewResults.setFocused(0);
    PumpUntil([&] { return form.preview().idle(); });
    const SIZE_T heapBefore = bench::HeapBytesInUse();
    const std::size_t startedBefore = form.RichEditPreview.itemsStarted();
    bench::ResponsivenessProbe keysProbe;
    keysProbe.start();
    const auto keysBegan = Clock::now();
    for (int i = 1; i < rows; ++i) {
        ::SendMessageW(form.ListViewResults.hwnd(), WM_KEYDOWN, VK_DOWN, 1);
        MSG message{};
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) win::DispatchAppMessage(message);
    }
    const auto keysEnded = Clock::now();
    PumpUntil([&] { return form.preview().idle(); });
    const auto idleAt = Clock::now();
    keysProbe.stop();
    const SIZE_T heapAfter = bench::HeapBytesInUse();
    std::printf("Down over %d rows in %.2f s: %zu rows begun in the pane, idle %.1f ms after the last key, heap %.1f MiB "
                "before and %.1f MiB after, worst UI message delay %.1f ms\n",
                rows, Seconds(keysEnded - keysBegan), form.RichEditPreview.itemsStarted() - startedBefore,
                Seconds(idleAt - keysEnded) * 1000, heapBefore / 1048576.0, heapAfter / 1048576.0, keysProbe.worstMilliseconds());
    return 0;
}
