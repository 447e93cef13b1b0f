#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace platform {

// A waitable event with the two reset modes the render pool relies on: a
// manual-reset event stays set until Reset; an auto-reset event releases one
// waiter and clears itself.
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
};

} // namespace platform
