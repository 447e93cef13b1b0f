#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace platform {

// A waitable event with the two reset modes the render pool relies on: a
// manual-reset event stays set until Reset; an auto-reset event releases one
// waiter and clears itself. A Set releases the threads already waiting even
// when a Reset follows before they run: a thread that signals and at once
// resets for its next round must not leave its waiter asleep.
class Event {
public:
    static constexpr uint32_t kInfinite = 0xFFFFFFFFu;

    Event(bool manualReset, bool initiallySet);
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    void Set();
    void Reset();
    bool IsSet() const;

    // Waits until the event is set; true when it was, false on time-out.
    // kInfinite waits without limit.
    bool WaitFor(uint32_t milliseconds);
    void Wait() { WaitFor(kInfinite); }

    // Sets `toSignal`, then waits on `toWait`.
    static bool SignalAndWait(Event& toSignal, Event& toWait, uint32_t milliseconds);

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    const bool manualReset_;
    bool set_;
    // Manual reset: each Set starts a new generation; a waiter that saw an
    // older one is released whatever the flag says now.
    uint64_t generation_ = 0;
    // Auto reset: waiters inside WaitFor, and those a Set has released that
    // have not yet woken.
    uint32_t waiters_ = 0;
    uint32_t released_ = 0;
};

} // namespace platform
