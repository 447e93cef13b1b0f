#include "engine/platform/Event.h"

#include <chrono>

namespace platform {

Event::Event(bool manualReset, bool initiallySet)
    : manualReset_(manualReset)
    , set_(initiallySet)
{
}

void Event::Set()
{
    {
        std::lock_guard lock(mutex_);
        if (manualReset_) {
            set_ = true;
            ++generation_;
        } else if (waiters_ > released_) {
            // A waiter takes this Set at once; the event stays clear.
            ++released_;
        } else {
            set_ = true;
        }
    }
    if (manualReset_)
        changed_.notify_all();
    else
        changed_.notify_one();
}

void Event::Reset()
{
    std::lock_guard lock(mutex_);
    set_ = false;
}

bool Event::IsSet() const
{
    std::lock_guard lock(mutex_);
    return set_;
}

bool Event::WaitFor(uint32_t milliseconds)
{
    std::unique_lock lock(mutex_);
    if (manualReset_) {
        const uint64_t seen = generation_;
        const auto released = [this, seen] { return set_ || generation_ != seen; };
        if (milliseconds == kInfinite)
            changed_.wait(lock, released);
        else if (!changed_.wait_for(lock, std::chrono::milliseconds(milliseconds), released))
            return false;
        return true;
    }
    if (set_) {
        set_ = false;
        return true;
    }
    ++waiters_;
    const auto released = [this] { return released_ > 0 || set_; };
    bool woken = true;
    if (milliseconds == kInfinite)
        changed_.wait(lock, released);
    else
        woken = changed_.wait_for(lock, std::chrono::milliseconds(milliseconds), released);
    --waiters_;
    if (!woken)
        return false;
    if (released_ > 0)
        --released_;
    else
        set_ = false;
    return true;
}

bool Event::SignalAndWait(Event& toSignal, Event& toWait, uint32_t milliseconds)
{
    toSignal.Set();
    return toWait.WaitFor(milliseconds);
}

} // namespace platform
