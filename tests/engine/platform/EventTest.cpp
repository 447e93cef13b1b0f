#include "engine/platform/Event.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

using platform::Event;
using Clock = std::chrono::steady_clock;

TEST(EventTest, ManualResetStaysSetUntilReset)
{
    Event event(true, false);
    EXPECT_FALSE(event.WaitFor(0));
    event.Set();
    EXPECT_TRUE(event.WaitFor(0));
    EXPECT_TRUE(event.WaitFor(0));
    EXPECT_TRUE(event.IsSet());
    event.Reset();
    EXPECT_FALSE(event.WaitFor(0));
    EXPECT_TRUE(Event(true, true).WaitFor(0));
}

TEST(EventTest, AutoResetReleasesOneWaitThenClears)
{
    Event event(false, true);
    EXPECT_TRUE(event.WaitFor(0));
    EXPECT_FALSE(event.WaitFor(0));
    event.Set();
    event.Set(); // setting twice still releases one wait
    EXPECT_TRUE(event.WaitFor(0));
    EXPECT_FALSE(event.IsSet());
}

TEST(EventTest, TimedWaitTimesOutAfterItsTime)
{
    Event event(true, false);
    const auto start = Clock::now();
    EXPECT_FALSE(event.WaitFor(30));
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(30));
}

TEST(EventTest, AutoResetWakesOneOfTwoWaiters)
{
    Event event(false, false);
    std::atomic<int> woken = 0;
    auto waiter = [&] {
        if (event.WaitFor(300))
            ++woken;
    };
    std::thread a(waiter);
    std::thread b(waiter);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    event.Set();
    a.join();
    b.join();
    EXPECT_EQ(woken.load(), 1);
    EXPECT_FALSE(event.IsSet()); // the wake cleared it
}

TEST(EventTest, SignalAndWaitHandsOver)
{
    Event request(false, false);
    Event reply(false, false);
    std::thread worker([&] {
        if (request.WaitFor(5000))
            reply.Set();
    });
    EXPECT_TRUE(Event::SignalAndWait(request, reply, 5000));
    worker.join();

    Event never(true, false);
    EXPECT_FALSE(Event::SignalAndWait(request, never, 10));
    EXPECT_TRUE(request.IsSet());
}
