#include "win/worker_thread.h"

#include <memory>
#include <system_error>

namespace win {
namespace {

DWORD WINAPI ThreadStart(void* parameter) {
    const std::unique_ptr<std::function<void()>> body(static_cast<std::function<void()>*>(parameter));
    // An empty drive must not raise the system's "no disk" box from this thread either.
    ::SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, nullptr);
    // No exception may leave a thread: that would end the whole program.
    try {
        (*body)();
        return 0;
    } catch (...) {
        return 1;
    }
}

}  // namespace

WorkerThread::WorkerThread(std::function<void()> body) {
    auto owned = std::make_unique<std::function<void()>>(std::move(body));
    handle_.reset(::CreateThread(nullptr, 0, &ThreadStart, owned.get(), 0, nullptr));
    if (!handle_) throw std::system_error(static_cast<int>(::GetLastError()), std::system_category(), "CreateThread");
    owned.release();  // the thread owns it now
}

bool WorkerThread::waitFor(DWORD milliseconds) const {
    return !handle_ || ::WaitForSingleObject(handle_.get(), milliseconds) == WAIT_OBJECT_0;
}

}  // namespace win
