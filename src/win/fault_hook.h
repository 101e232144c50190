#pragma once
// A place where tests make the program fail as the platform or the memory might: set by a test while
// nothing runs, read by any thread. Unset, it costs one atomic read.
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

namespace win {

template <typename Signature>
class FaultHook {
public:
    using Fault = std::function<Signature>;
    void set(Fault fault) {
        const std::lock_guard lock(mutex_);
        fault_ = fault ? std::make_shared<const Fault>(std::move(fault)) : nullptr;
        set_.store(fault_ != nullptr, std::memory_order_release);
    }
    // The fault in place, or null.
    std::shared_ptr<const Fault> current() const {
        if (!set_.load(std::memory_order_acquire)) return nullptr;
        const std::lock_guard lock(mutex_);
        return fault_;
    }

private:
    mutable std::mutex mutex_;
    std::shared_ptr<const Fault> fault_;
    std::atomic<bool> set_{false};
};

}  // namespace win
