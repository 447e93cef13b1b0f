#pragma once

#include "engine/platform/DebugOutput.h"

#include <mutex>
#include <string>
#include <string_view>
#include <vector>

// Collects the debug output while it lives, and removes its sink when it goes,
// however the test ends: a failed ASSERT_* returns early, and a sink left set
// would write into a test that is gone. The debug output has no way to read
// the sink it had before, so the capture leaves none: outside a capture the
// tests keep no sink.
//
// Messages may come from the render thread: they are kept under a lock, and
// read as copies.
class DebugCapture {
public:
    enum class Join {
        AsWritten,      // the messages one after another, as the console shows them
        LinePerMessage, // each message followed by a line end
    };

    explicit DebugCapture(Join join = Join::AsWritten)
        : join(join)
    {
        platform::SetDebugSink([this](std::string_view text) {
            std::lock_guard lock(mutex);
            messages.emplace_back(text);
        });
    }
    ~DebugCapture() { platform::SetDebugSink({}); }
    DebugCapture(const DebugCapture&) = delete;
    DebugCapture& operator=(const DebugCapture&) = delete;

    // Everything written since the start or the last Clear.
    std::string Text() const
    {
        std::lock_guard lock(mutex);
        std::string text;
        for (const std::string& message : messages) {
            text += message;
            if (join == Join::LinePerMessage)
                text += '\n';
        }
        return text;
    }

    // The messages apart, one per DebugOutput call.
    std::vector<std::string> Messages() const
    {
        std::lock_guard lock(mutex);
        return messages;
    }

    void Clear()
    {
        std::lock_guard lock(mutex);
        messages.clear();
    }

private:
    const Join join;
    mutable std::mutex mutex;
    std::vector<std::string> messages;
};
