#pragma once
// Measures shared by the benchmarks: heap in use and how late the UI thread handles its messages.
#include <windows.h>

#include "model/search_criteria.h"
#include "win/handle.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

// The default criteria (whatever an earlier run left behind) searching one folder.
inline findlark::SearchCriteria FolderCriteria(const std::wstring& folder) {
    findlark::SearchCriteria criteria;
    criteria.LookIn = false;
    criteria.AdditionalFolders = true;
    criteria.Directories = {folder};
    return criteria;
}

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

inline std::vector<std::wstring> FilesOf(const std::wstring& folder) {
    std::vector<std::wstring> files;
    WIN32_FIND_DATAW entry;
    const win::UniqueFindHandle find(::FindFirstFileW((folder + L"\\*").c_str(), &entry));
    if (!find) return files;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.push_back(folder + L"\\" + entry.cFileName);
    } while (::FindNextFileW(find.get(), &entry));
    return files;
}

// memchr for a byte of the needle that text seldom holds (not a small letter, space or zero), then
// memcmp around it.
inline bool Holds(const unsigned char* text, std::size_t size, const std::string& needle) {
    std::size_t anchor = 0;
    for (std::size_t i = 0; i < needle.size(); ++i) {
        const auto c = static_cast<unsigned char>(needle[i]);
        if (c != 0 && c != ' ' && !(c >= 'a' && c <= 'z')) anchor = i;
    }
    const auto rare = static_cast<unsigned char>(needle[anchor]);
    if (size < needle.size()) return false;
    const unsigned char* const last = text + anchor + (size - needle.size());
    for (const unsigned char* at = text + anchor; at <= last; ++at) {
        at = static_cast<const unsigned char*>(std::memchr(at, rare, static_cast<std::size_t>(last - at) + 1));
        if (!at) return false;
        if (std::memcmp(at - anchor, needle.data(), needle.size()) == 0) return true;
    }
    return false;
}

// The content: up to the first zero byte, or the first zero code unit of UTF-16 text after its mark.
inline std::size_t ContentSize(const unsigned char* text, std::size_t size, bool utf16) {
    if (!utf16) {
        const void* zero = std::memchr(text, 0, size);
        return zero ? static_cast<std::size_t>(static_cast<const unsigned char*>(zero) - text) : size;
    }
    for (std::size_t at = 2; at + 1 < size; at += 2) {
        if (text[at] == 0 && text[at + 1] == 0) return at;
    }
    return size;
}

// Maps each file whole and looks for the needle's bytes: the fastest plain way to the same answer.
inline int BareSearch(const std::vector<std::wstring>& files, const std::string& needle, bool utf16, unsigned long long& bytes) {
    int found = 0;
    bytes = 0;
    for (const std::wstring& path : files) {
        const win::UniqueFileHandle file(
            ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        LARGE_INTEGER size{};
        if (!file || !::GetFileSizeEx(file.get(), &size) || size.QuadPart == 0) continue;
        const win::UniqueKernelHandle mapping(::CreateFileMappingW(file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
        const auto* view = static_cast<const unsigned char*>(::MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
        if (!view) continue;
        found += Holds(view, ContentSize(view, static_cast<std::size_t>(size.QuadPart), utf16), needle) ? 1 : 0;
        bytes += static_cast<unsigned long long>(size.QuadPart);
        ::UnmapViewOfFile(view);
    }
    return found;
}

}  // namespace bench
