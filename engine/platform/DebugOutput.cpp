#include "engine/platform/DebugOutput.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace platform {

namespace {

struct DebugChannel {
    std::mutex mutex;
    std::function<void(std::string_view)> sink;
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
    if (channel.sink)
        channel.sink(text);
}

void SetDebugSink(std::function<void(std::string_view)> sink)
{
    DebugChannel& channel = Channel();
    std::lock_guard lock(channel.mutex);
    channel.sink = std::move(sink);
}

} // namespace platform
