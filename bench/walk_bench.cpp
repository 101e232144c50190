// Walk benchmark: a bare FindFirstFileExW walk of a tree against Findlark's search of the same tree
// through the real worker, event queue and rows model, with the UI thread's responsiveness measured.
// Usage: walk_bench.exe TREE_FOLDER
#include "app/form_main.h"
#include "win/platform_init.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

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

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// Bytes in use on every heap of the process (the allocator's blocks as the heaps see them).
SIZE_T PrivateBytes() {
    HANDLE heaps[64];
    const DWORD count = std::min<DWORD>(::GetProcessHeaps(64, heaps), 64);
    SIZE_T used = 0;
    for (DWORD i = 0; i < count; ++i) {
        PROCESS_HEAP_ENTRY entry{};
        if (!::HeapLock(heaps[i])) continue;
        while (::HeapWalk(heaps[i], &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) used += entry.cbData + entry.cbOverhead;
        }
        ::HeapUnlock(heaps[i]);
    }
    return used;
}

// Posts a stamped message to the UI thread every few milliseconds; the UI thread records how late
// each one was handled.
struct ResponsivenessProbe {
    static constexpr UINT kProbe = WM_APP + 50;
    std::atomic<long long> postedAt{0};
    std::atomic<bool> running{true};
    long long worstMicroseconds = 0;
    HWND window = nullptr;

    static long long Now() {
        return std::chrono::duration_cast<std::chrono::microseconds>(Clock::now().time_since_epoch()).count();
    }
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == kProbe) {
            auto* self = reinterpret_cast<ResponsivenessProbe*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
            self->worstMicroseconds = std::max(self->worstMicroseconds, Now() - self->postedAt.load());
            self->postedAt = 0;
            return 0;
        }
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    void createWindow() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &Proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"FindlarkBenchProbe";
        ::RegisterClassW(&wc);
        window = ::CreateWindowW(wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    void run() {
        while (running) {
            long long expected = 0;
            if (postedAt.compare_exchange_strong(expected, Now())) ::PostMessageW(window, kProbe, 0, 0);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
};

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
    findlark::TFormMain form(interaction);
    findlark::SearchCriteria criteria = form.Criteria.read();
    criteria.LookIn = false;
    criteria.AdditionalFolders = true;
    criteria.Directories = {tree};
    criteria.Mask = L"*.*";
    form.Criteria.apply(criteria);

    ResponsivenessProbe probe;
    probe.createWindow();
    std::thread prober;
    SIZE_T memoryBefore = 0, memoryAfter = 0;
    int rows = 0;
    for (int round = 0; round < 3; ++round) {
        form.Results.clear();
        if (round == 0) memoryBefore = PrivateBytes();
        if (round == 2) prober = std::thread([&] { probe.run(); });
        const auto start = Clock::now();
        form.BitBtnSearch.click();
        MSG message{};
        while (form.searchState() == 1 && ::GetMessageW(&message, nullptr, 0, 0) > 0) win::DispatchAppMessage(message);
        findlark = std::min(findlark, Clock::now() - start);
        if (round == 0) memoryAfter = PrivateBytes();  // later rounds reuse the freed heap
        rows = form.Results.count();
    }
    probe.running = false;
    prober.join();

    std::printf("entries in tree:          %lld\n", entries);
    std::printf("rows delivered:           %d\n", rows);
    std::printf("bare FindFirstFileExW:    %.3f s (%.0f entries/s)\n", Seconds(bare), entries / Seconds(bare));
    std::printf("Findlark search:          %.3f s (%.0f rows/s)\n", Seconds(findlark), rows / Seconds(findlark));
    std::printf("ratio (Findlark / bare):  %.2f\n", Seconds(findlark) / Seconds(bare));
    std::printf("memory per row:           %.0f bytes\n",
                rows ? static_cast<double>(memoryAfter > memoryBefore ? memoryAfter - memoryBefore : 0) / rows : 0.0);
    std::printf("worst UI message delay:   %.1f ms\n", probe.worstMicroseconds / 1000.0);
    return rows == entries ? 0 : 1;
}
