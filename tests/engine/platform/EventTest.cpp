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
    // Waits are long so that a loaded machine cannot time them out; the
    // second Set releases the waiter the first one left waiting.
    Event event(false, false);
    std::atomic<int> woken = 0;
    auto waiter = [&] {
        if (event.WaitFor(20000))
            ++woken;
    };
    std::thread a(waiter);
    std::thread b(waiter);
    event.Set();
    const auto deadline = Clock::now() + std::chrono::seconds(20);
    while (woken.load() == 0 && Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_EQ(woken.load(), 1);
    // A manual reset would have let the other waiter through by now too.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(woken.load(), 1);
    EXPECT_FALSE(event.IsSet()); // the wake cleared it
    event.Set();
    a.join();
    b.join();
    EXPECT_EQ(woken.load(), 2);
}

// A thread that sets an event and resets it at once for its next round (the
// render thread's end-of-step event) still releases the thread that was
// waiting: before, the waiter found the flag clear again and slept on.
TEST(EventTest, ASetReleasesTheWaitersEvenWhenAResetFollows)
{
    for (const bool manualReset : {true, false}) {
        Event event(manualReset, false);
        std::atomic<bool> waiting = false;
        std::atomic<bool> woken = false;
        std::thread waiter([&] {
            waiting = true;
            woken = event.WaitFor(20000);
        });
        while (!waiting.load())
            std::this_thread::yield();
        // Give the waiter time to be inside the wait, then pulse.
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        event.Set();
        event.Reset();
        waiter.join();
        EXPECT_TRUE(woken.load()) << (manualReset ? "manual" : "auto") << " reset";
        EXPECT_FALSE(event.WaitFor(0)) << "the pulse is not kept for later waits";
    }
}

TEST(EventTest, SignalAndWaitHandsOver)
{
    Event request(false, false);
    Event reply(false, false);
    std::thread worker([&] {
        if (request.WaitFor(20000))
            reply.Set();
    });
    EXPECT_TRUE(Event::SignalAndWait(request, reply, 20000));
    worker.join();

    Event never(true, false);
    EXPECT_FALSE(Event::SignalAndWait(request, never, 10));
    EXPECT_TRUE(request.IsSet());
}
