#pragma once

#include <chrono>
#include <cstdint>
#include <mutex>

namespace platform {

// A recursive mutex with timed acquisition, as the game mutex and the render
// pool's mutexes need. Also satisfies the standard Lockable requirements.
class TimedMutex {
public:
    static constexpr uint32_t kInfinite = 0xFFFFFFFFu;

    bool Acquire(uint32_t milliseconds)
    {
        if (milliseconds == kInfinite) {
            mutex_.lock();
            return true;
        }
        return mutex_.try_lock_for(std::chrono::milliseconds(milliseconds));
    }
    void Release() { mutex_.unlock(); }

    void lock() { mutex_.lock(); }
    void unlock() { mutex_.unlock(); }
    bool try_lock() { return mutex_.try_lock(); }
    template <class Rep, class Period> bool try_lock_for(const std::chrono::duration<Rep, Period>& timeout)
    {
        return mutex_.try_lock_for(timeout);
    }

private:
    std::recursive_timed_mutex mutex_;
};

} // namespace platform
