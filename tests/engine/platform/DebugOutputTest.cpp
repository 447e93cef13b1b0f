#include "engine/platform/DebugOutput.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>

TEST(DebugOutput, ASinkMayWriteAndRemoveItselfWhileItRuns)
{
    // Shared with the writer thread, which a deadlock would leave behind.
    struct Seen {
        std::string text;
        std::atomic<bool> done {false};
    };
    auto seen = std::make_shared<Seen>();
    platform::SetDebugSink([seen](std::string_view text) {
        seen->text += text;
        if (text == "outer") {
            platform::DebugOutput("inner");
            platform::SetDebugSink({});
        }
    });
    std::thread([seen] {
        platform::DebugOutput("outer");
        platform::DebugOutput("after"); // the sink is gone: it goes nowhere
        seen->done = true;
    }).detach();
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!seen->done && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_TRUE(seen->done) << "debug output from inside the sink deadlocked";
    EXPECT_EQ(seen->text, "outerinner");
}
