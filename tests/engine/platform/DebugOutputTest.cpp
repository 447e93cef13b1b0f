#include "engine/platform/DebugOutput.h"
#include "tests/engine/platform/DebugCapture.h"

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

// Messages carry text from files and console lines: control bytes come out
// escaped and a huge text is cut, so the log stays printable and small.
TEST(DebugOutput, MessagesArePrintableAndShort)
{
    DebugCapture debug;
    platform::DebugOutput(std::string("bad \x01\x1b[2J\x7f name\tand line\n", 25));
    EXPECT_EQ(debug.Text(), "bad \\x01\\x1b[2J\\x7f name\tand line\n");
    debug.Clear();
    platform::DebugOutput("font: " + std::string(10 * 1024 * 1024, 'x'));
    const std::string said = debug.Text();
    EXPECT_EQ(said.size(), platform::kMaxMessageLength);
    EXPECT_EQ(said.substr(said.size() - 3), "...");
    EXPECT_EQ(platform::PrintableMessage("\xC3\xA9t\xC3\xA9"), "\xC3\xA9t\xC3\xA9") << "UTF-8 letters stay";
}
