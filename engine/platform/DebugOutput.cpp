#include "engine/platform/DebugOutput.h"

#include <algorithm>
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

bool IsUnprintable(unsigned char c)
{
    return (c < 0x20 && c != '\n' && c != '\t') || c == 0x7F;
}

} // namespace

std::string PrintableMessage(std::string_view text)
{
    constexpr std::string_view kCut = "...";
    std::string shown;
    shown.reserve(std::min(text.size(), kMaxMessageLength));
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        const size_t width = IsUnprintable(c) ? 4 : 1;
        if (shown.size() + width > kMaxMessageLength - kCut.size()) {
            shown += kCut;
            break;
        }
        if (width == 1) {
            shown += ch;
            continue;
        }
        static constexpr char kHex[] = "0123456789abcdef";
        shown += "\\x";
        shown += kHex[c >> 4];
        shown += kHex[c & 15];
    }
    return shown;
}

void DebugOutput(std::string_view raw)
{
    // Most messages are short and clean: only the others are copied.
    std::string printable;
    std::string_view text = raw;
    if (raw.size() > kMaxMessageLength || std::any_of(raw.begin(), raw.end(), [](char c) {
            return IsUnprintable(static_cast<unsigned char>(c));
        })) {
        printable = PrintableMessage(raw);
        text = printable;
    }
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

bool IsDebugLogOn()
{
    return Channel().toStderr;
}

void ReportProblem(std::string_view raw)
{
    const std::string text = PrintableMessage(raw);
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
