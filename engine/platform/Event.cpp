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
        set_ = true;
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
    const auto isSet = [this] { return set_; };
    if (milliseconds == kInfinite)
        changed_.wait(lock, isSet);
    else if (!changed_.wait_for(lock, std::chrono::milliseconds(milliseconds), isSet))
        return false;
    if (!manualReset_)
        set_ = false;
    return true;
}

bool Event::SignalAndWait(Event& toSignal, Event& toWait, uint32_t milliseconds)
{
    toSignal.Set();
    return toWait.WaitFor(milliseconds);
}

} // namespace platform
