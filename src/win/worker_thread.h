#pragma once
// A thread that can be waited for with a time limit. It is never terminated: the body must own
// everything it touches. No exception leaves it, and the system's "no disk" box never comes from it.
#include "win/handle.h"

#include <functional>

namespace win {

class WorkerThread {
public:
    explicit WorkerThread(std::function<void()> body);
    WorkerThread(WorkerThread&&) noexcept = default;
    WorkerThread& operator=(WorkerThread&&) noexcept = default;

    // True when the thread has ended within the time limit.
    bool waitFor(DWORD milliseconds) const;
    bool finished() const { return waitFor(0); }

private:
    UniqueKernelHandle handle_;
};

}  // namespace win
