#pragma once
// Measures shared by the benchmarks: heap in use and how late the UI thread handles its messages.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

namespace bench {

using Clock = std::chrono::steady_clock;

// The benchmarks keep their preferences apart from the user's.
inline constexpr wchar_t kSettingsKey[] = L"Software\\Norvale\\Findlark benchmarks";

inline double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// Bytes in use on every heap of the process (the allocator's blocks as the heaps see them).
inline SIZE_T HeapBytesInUse() {
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
class ResponsivenessProbe {
public:
    ResponsivenessProbe() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &Proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"FindlarkBenchProbe";
        ::RegisterClassW(&wc);
        window_ = ::CreateWindowW(wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
        ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~ResponsivenessProbe() {
        stop();
        ::DestroyWindow(window_);
    }
    void start() {
        running_ = true;
        thread_ = std::thread([this] { run(); });
    }
    // A probe still on its way when the probe stops is not counted: the UI thread may do other
    // things than pumping messages until the next start.
    void stop() {
        running_ = false;
        if (thread_.joinable()) thread_.join();
        postedAt_ = 0;
    }
    double worstMilliseconds() const { return worstMicroseconds_ / 1000.0; }
    void resetWorst() { worstMicroseconds_ = 0; }

private:
    static constexpr UINT kProbe = WM_APP + 50;
    static long long Now() {
        return std::chrono::duration_cast<std::chrono::microseconds>(Clock::now().time_since_epoch()).count();
    }
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == kProbe) {
            auto* self = reinterpret_cast<ResponsivenessProbe*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
            const long long postedAt = self->postedAt_.exchange(0);
            if (postedAt != 0) self->worstMicroseconds_ = std::max(self->worstMicroseconds_, Now() - postedAt);
            return 0;
        }
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    void run() {
        while (running_) {
            long long expected = 0;
            if (postedAt_.compare_exchange_strong(expected, Now())) ::PostMessageW(window_, kProbe, 0, 0);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }

    HWND window_ = nullptr;
    std::atomic<long long> postedAt_{0};
    std::atomic<bool> running_{false};
    long long worstMicroseconds_ = 0;
    std::thread thread_;
};

}  // namespace bench
