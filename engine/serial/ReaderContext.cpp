#include "engine/serial/ReaderContext.h"

#include <fstream>

#include "engine/platform/DebugOutput.h"
#include "engine/platform/Paths.h"
#include "engine/serial/ISerialization.h"

namespace {

// The stream slot that holds the bound context.
int ContextSlot()
{
    static const int slot = std::ios_base::xalloc();
    return slot;
}

} // namespace

std::atomic<uint64_t> ReaderContext::bindings {0};

ReaderContext::ReaderContext(std::istream& is, std::string fileName, bool quiet)
    : stream(is)
    , fileName(std::move(fileName))
    , quiet(quiet)
    , hidden(static_cast<ReaderContext*>(is.pword(ContextSlot())))
{
    is.pword(ContextSlot()) = this;
    bindings.fetch_add(1, std::memory_order_acq_rel);
}

ReaderContext::~ReaderContext()
{
    stream.pword(ContextSlot()) = hidden;
    bindings.fetch_add(1, std::memory_order_acq_rel);
}

ReaderContext* ReaderContext::Of(std::istream& is)
{
    // iword/pword allocate on first use for the stream; a stream never bound
    // reads a null pointer.
    return static_cast<ReaderContext*>(is.pword(ContextSlot()));
}

std::string ReaderContext::Where() const
{
    return fileName + ":" + std::to_string(lastLine) + ": ";
}

std::string ReaderContext::WhereOf(std::istream& is)
{
    const ReaderContext* context = Of(is);
    return context != nullptr ? context->Where() : std::string();
}

void ReaderContext::RecordError(std::string_view expected, std::string_view found)
{
    if (!error.empty())
        return;
    // Names in `expected` and the text in `found` come from the file: the
    // message keeps them printable and short.
    error = platform::PrintableMessage(
        Where() + "expected " + std::string(expected) + ", found " + std::string(found));
}

void ReaderContext::Report() const
{
    platform::ReportProblem(error.empty() ? Where() + "expected a complete record" : error);
}

void ReaderContext::LineTaken(bool pastEnd)
{
    if (pastEnd) {
        lastLine = linesTaken + 1;
        return;
    }
    lastLine = ++linesTaken;
}

bool ReadError(std::istream& is, std::string_view expected, std::string_view found)
{
    if (ReaderContext* context = ReaderContext::Of(is))
        context->RecordError(expected, found);
    else
        platform::DebugOutput(
            std::string("read error: expected ") + std::string(expected) + ", found " + std::string(found));
    return false;
}

LenientRead::LenientRead(std::istream& is)
    : stream(is)
    , hadError(ReaderContext::Of(is) != nullptr && ReaderContext::Of(is)->HasError())
{
}

void LenientRead::Skipped(std::string_view what) const
{
    ReaderContext* context = ReaderContext::Of(stream);
    if (context == nullptr) {
        platform::DebugOutput("skipped " + std::string(what) + "\n");
        return;
    }
    std::string message = context->Where() + "skipped " + std::string(what);
    if (!hadError && context->HasError()) {
        // The failed read's own words at their own place, which lies before
        // the last line taken when the part skipped was read on to its end.
        const std::string& error = context->GetError();
        const size_t expected = error.find("expected ");
        if (expected != std::string::npos)
            message
                = error.substr(0, expected) + "skipped " + std::string(what) + ": " + error.substr(expected);
        context->ClearError();
    }
    if (!context->IsQuiet())
        platform::DebugOutput(platform::PrintableMessage(message) + "\n");
}

std::string QuoteFound(std::string_view line)
{
    constexpr size_t kShown = 60;
    std::string quoted = "\"";
    for (size_t i = 0; i < line.size() && i < kShown; ++i) {
        const auto c = static_cast<unsigned char>(line[i]);
        if (c < 0x20 || c == 0x7F || c == '"' || c == '\\') {
            static constexpr char kHex[] = "0123456789abcdef";
            quoted += "\\x";
            quoted += kHex[c >> 4];
            quoted += kHex[c & 15];
        } else {
            quoted += static_cast<char>(c);
        }
    }
    if (line.size() > kShown)
        quoted += "...";
    quoted += '"';
    return quoted;
}

bool ReadRecordFile(const std::string& path, ISerialization& record, std::string* error)
{
    std::ifstream file = platform::OpenRegularFile(platform::ResolvePath(path), std::ios::binary);
    if (!file.is_open()) {
        const std::string message = path + ": cannot be opened";
        platform::ReportProblem(message);
        if (error)
            *error = message;
        return false;
    }
    ReaderContext context(file, path);
    if (record.UnSerialize(file))
        return true;
    context.Report();
    if (error)
        *error = context.HasError() ? context.GetError() : context.Where() + "expected a complete record";
    return false;
}
