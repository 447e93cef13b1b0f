#include "engine/platform/DebugOutput.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>

namespace platform {

namespace {

// Messages from both threads go out one at a time. The lock is recursive and
// the sink is shared, so a sink may itself write debug output, or replace or
// remove itself, while it runs.
struct DebugChannel {
    using Sink = std::function<void(std::string_view)>;
    std::recursive_mutex mutex;
    std::shared_ptr<const Sink> sink;
    const bool toStderr;

    DebugChannel()
        : toStderr([] {
            const char* log = std::getenv("QUENHOLT_LOG");
            return log && std::strcmp(log, "1") == 0;
        }())
    {
    }
};

DebugChannel& Channel()
{
    static DebugChannel channel;
    return channel;
}

} // namespace

void DebugOutput(std::string_view text)
{
    DebugChannel& channel = Channel();
    std::lock_guard lock(channel.mutex);
    if (channel.toStderr) {
        std::fwrite(text.data(), 1, text.size(), stderr);
        if (text.empty() || text.back() != '\n')
            std::fputc('\n', stderr);
    }
    if (const std::shared_ptr<const DebugChannel::Sink> sink = channel.sink)
        (*sink)(text);
}

void ReportProblem(std::string_view text)
{
    DebugChannel& channel = Channel();
    std::lock_guard lock(channel.mutex);
    DebugOutput(text);
    if (!channel.toStderr) {
        std::fwrite(text.data(), 1, text.size(), stderr);
        if (text.empty() || text.back() != '\n')
            std::fputc('\n', stderr);
    }
}

void SetDebugSink(std::function<void(std::string_view)> sink)
{
    DebugChannel& channel = Channel();
    std::lock_guard lock(channel.mutex);
    channel.sink = sink ? std::make_shared<const DebugChannel::Sink>(std::move(sink)) : nullptr;
}

} // namespace platform
