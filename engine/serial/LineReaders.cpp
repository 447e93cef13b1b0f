#include "engine/serial/LineReaders.h"

#include "engine/platform/DebugOutput.h"
#include "engine/serial/ReaderContext.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <streambuf>

namespace {

// Access to a stream buffer's get area (protected in std::streambuf).
struct GetArea : std::streambuf {
    static const char* Next(const std::streambuf& buffer) { return (buffer.*&GetArea::gptr)(); }
    static const char* End(const std::streambuf& buffer) { return (buffer.*&GetArea::egptr)(); }
    static void Skip(std::streambuf& buffer, int count) { (buffer.*&GetArea::gbump)(count); }
};

// The next line, LF excluded, when it lies whole in the stream's buffer (as
// nearly every line does): taken there without a copy, as getline would
// take it. The text stays valid until the stream reads on. False, nothing
// taken, otherwise.
bool TakeBufferedLine(std::istream& is, std::string_view& text)
{
    if (!is.good())
        return false;
    std::streambuf* buffer = is.rdbuf();
    if (buffer == nullptr)
        return false;
    const char* next = GetArea::Next(*buffer);
    const char* end = GetArea::End(*buffer);
    if (next == nullptr || next >= end)
        return false;
    const void* lineEnd = std::memchr(next, '\n', static_cast<size_t>(end - next));
    if (lineEnd == nullptr)
        return false;
    const auto length = static_cast<const char*>(lineEnd) - next;
    if (static_cast<size_t>(length) > kMaxLineLength + 1)
        return false; // too long: the bounded reader says so
    text = std::string_view(next, static_cast<size_t>(length));
    GetArea::Skip(*buffer, static_cast<int>(length + 1));
    return true;
}

// The context bound to `is`: looked up when the thread reads another stream
// or a context was bound or unbound since, not on every line.
ReaderContext* ContextOf(std::istream& is)
{
    struct Cached {
        const std::istream* stream = nullptr;
        ReaderContext* context = nullptr;
        uint64_t bindings = 0;
    };
    thread_local Cached cached;
    const uint64_t bindings = ReaderContext::Bindings();
    if (cached.stream != &is || cached.bindings != bindings)
        cached = Cached {&is, ReaderContext::Of(is), bindings};
    return cached.context;
}

// One line buffer per thread: the numeric readers parse it in place instead
// of building a string stream for every line.
std::string& LineBuffer()
{
    thread_local std::string buffer;
    return buffer;
}

// Takes one line: the text up to the LF, a trailing CR removed. Tells the
// stream's context, if any, which line that was; `pastEnd` says the stream
// had no line left. A line beyond kMaxLineLength is not kept: the stream
// fails there (so the record stops at that line), the context records why,
// and the line reads as past the end. Returns how the line was read.
RawLine TakeLine(std::istream& is, std::string& line, bool& pastEnd)
{
    std::string_view buffered;
    RawLine got = RawLine::kLine;
    if (TakeBufferedLine(is, buffered)) {
        if (!buffered.empty() && buffered.back() == '\r')
            buffered.remove_suffix(1);
        line.assign(buffered);
        pastEnd = false;
    } else {
        got = ReadRawLine(is, line);
        pastEnd = got != RawLine::kLine;
    }
    if (ReaderContext* context = ContextOf(is)) {
        context->LineTaken(got == RawLine::kEnd);
        if (got == RawLine::kTooLong)
            context->RecordError(
                "a line of at most " + std::to_string(kMaxLineLength) + " characters", "a longer one");
        if (got == RawLine::kReadError)
            context->RecordError("a line", kFoundReadError);
    }
    return got;
}

// The line read for a typed reader: in the stream's buffer, or else in the
// per-thread buffer.
struct Line {
    std::string_view text;
    bool pastEnd = false;
};

Line ReadLine(std::istream& is)
{
    Line line;
    if (TakeBufferedLine(is, line.text)) {
        if (!line.text.empty() && line.text.back() == '\r')
            line.text.remove_suffix(1);
        if (ReaderContext* context = ContextOf(is))
            context->LineTaken(false);
        return line;
    }
    std::string& buffer = LineBuffer();
    TakeLine(is, buffer, line.pastEnd);
    line.text = buffer;
    return line;
}

// Fails a typed read: the context learns what the line held instead.
bool Refuse(std::istream& is, const Line& line, const std::string& expected)
{
    if (ReaderContext* context = ContextOf(is))
        context->RecordError(expected, line.pastEnd ? std::string(kFoundEnd) : QuoteFound(line.text));
    return false;
}

// Skips what a formatted extraction skips before a number.
std::string_view SkipBlanks(std::string_view text)
{
    size_t start = 0;
    while (start < text.size()
        && (text[start] == ' ' || text[start] == '\t' || text[start] == '\v' || text[start] == '\f'
            || text[start] == '\r'))
        ++start;
    return text.substr(start);
}

// Parses an optional sign and decimal digits into a magnitude. Fails when no
// digit follows the sign or the magnitude exceeds `limit`.
bool ParseMagnitude(std::string_view text, bool& negative, uint64_t& magnitude, uint64_t limit)
{
    text = SkipBlanks(text);
    negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.front() < '0' || text.front() > '9')
        return false;
    // The digits up to the first other character; beyond `limit` (at most
    // 2^32, so the sum never wraps) the number fails whatever follows.
    uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + static_cast<uint64_t>(c - '0');
        if (value > limit)
            return false;
    }
    magnitude = value;
    return true;
}

bool ParseSigned(std::string_view text, int64_t minimum, int64_t maximum, int64_t& value)
{
    bool negative = false;
    uint64_t magnitude = 0;
    const uint64_t limit = static_cast<uint64_t>(maximum) + 1; // room for the minimum
    if (!ParseMagnitude(text, negative, magnitude, limit))
        return false;
    const int64_t signedValue = negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
    if (signedValue < minimum || signedValue > maximum)
        return false;
    value = signedValue;
    return true;
}

bool ParseUnsigned32(std::string_view text, uint32_t& value)
{
    bool negative = false;
    uint64_t magnitude = 0;
    if (!ParseMagnitude(text, negative, magnitude, std::numeric_limits<uint32_t>::max()))
        return false;
    const uint32_t wrapped = static_cast<uint32_t>(magnitude);
    value = negative ? static_cast<uint32_t>(0u - wrapped) : wrapped;
    return true;
}

bool ReadSigned32(std::istream& is, int32_t& target)
{
    int64_t value = 0;
    const Line line = ReadLine(is);
    if (!ParseSigned(
            line.text, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(), value))
        return Refuse(is, line, "an integer");
    target = static_cast<int32_t>(value);
    return true;
}

bool ReadUnsigned32(std::istream& is, uint32_t& target)
{
    uint32_t value = 0;
    const Line line = ReadLine(is);
    if (!ParseUnsigned32(line.text, value))
        return Refuse(is, line, "an unsigned integer");
    target = value;
    return true;
}

// Whether the number from_chars took, [first, end), ends in an exponent:
// only its last digits and their sign are looked at, not the whole number.
bool EndsInExponent(const char* first, const char* end)
{
    const char* at = end;
    while (at != first && at[-1] >= '0' && at[-1] <= '9')
        --at;
    if (at == end)
        return false;
    if (at != first && (at[-1] == '+' || at[-1] == '-'))
        --at;
    return at != first && (at[-1] == 'e' || at[-1] == 'E');
}

// The common float of a record ("1.125", "-0.785398", "448"): digits, at
// most one point, at most 7 significant digits and no exponent mark after.
// Then the digits are a whole number below 2^24 and the power of ten at most
// 10^10, both exact in a float, so one division rounds as the correctly
// rounded parse does. False, `value` unchanged, for anything else.
bool ParseShortDecimal(const char* first, const char* last, float& value)
{
    static constexpr float kPowers[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f, 1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
    uint32_t digits = 0;
    int decimals = 0;
    bool point = false;
    bool anyDigit = false;
    const char* at = first;
    for (; at != last; ++at) {
        const char c = *at;
        if (c >= '0' && c <= '9') {
            digits = digits * 10 + static_cast<uint32_t>(c - '0');
            if (digits >= (1u << 24))
                return false;
            anyDigit = true;
            decimals += point ? 1 : 0;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!anyDigit || decimals > 10 || (at != last && (*at == 'e' || *at == 'E')))
        return false;
    value = static_cast<float>(digits) / kPowers[decimals];
    return true;
}

// Parses a float the way a formatted stream extraction does.
bool ParseFloat(std::string_view text, float& target)
{
    text = SkipBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // A stream extraction takes only digits and a point here: "inf", "nan"
    // and a second sign fail.
    if (text.empty() || !((text.front() >= '0' && text.front() <= '9') || text.front() == '.'))
        return false;
    float value = 0.0f;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (ParseShortDecimal(first, last, value)) {
        target = negative ? -value : value;
        return true;
    }
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (error == std::errc::invalid_argument)
        return false;
    // A stream extraction swallows an exponent mark without digits and then
    // rejects the whole number ("1e", "2.5e+x"). An exponent mark behind a
    // complete exponent ends the number like any other character ("1e5e"
    // reads as 1e5).
    if (end != last && (*end == 'e' || *end == 'E') && !EndsInExponent(first, end))
        return false;
    if (error == std::errc::result_out_of_range) {
        // Overflow fails; underflow gives the nearest value, as strtof does.
        const std::string copy(first, end);
        errno = 0;
        value = std::strtof(copy.c_str(), nullptr);
        if (value == std::numeric_limits<float>::infinity()
            || value == -std::numeric_limits<float>::infinity())
            return false;
    }
    target = negative ? -value : value;
    return true;
}

// A number printed for a message: integral values without a point.
std::string NumberText(double value)
{
    if (value == std::floor(value) && std::fabs(value) < 1e15)
        return std::to_string(static_cast<long long>(value));
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof(text), value);
    return error == std::errc() ? std::string(text, end) : std::string("?");
}

// Marks a stream whose file could not be read.
void SetBad(std::istream& is)
{
    try {
        is.setstate(std::ios::badbit | std::ios::failbit);
    } catch (...) {
        // A stream that asks for exceptions is bad all the same.
    }
}

} // namespace

bool ParseIntToken(std::string_view token, int64_t minimum, int64_t maximum, int64_t& value)
{
    // Blanks would be skipped by the digit parsing: a token has none.
    if (token.empty() || token.size() > 24 || SkipBlanks(token).size() != token.size())
        return false;
    size_t at = token.front() == '-' || token.front() == '+' ? 1 : 0;
    if (at == token.size())
        return false;
    for (; at < token.size(); ++at)
        if (token[at] < '0' || token[at] > '9')
            return false;
    int64_t parsed = 0;
    if (!ParseSigned(
            token, std::numeric_limits<int64_t>::min() + 1, std::numeric_limits<int64_t>::max() - 1, parsed)
        || parsed < minimum || parsed > maximum)
        return false;
    value = parsed;
    return true;
}

bool ParseNumberToken(std::string_view token, double minimum, double maximum, double& value)
{
    if (token.empty())
        return false;
    std::string_view digits = token;
    const bool negative = digits.front() == '-';
    if (negative || digits.front() == '+')
        digits.remove_prefix(1);
    // Digits or a point first: "inf", "nan", blanks and a second sign fail.
    if (digits.empty() || !((digits.front() >= '0' && digits.front() <= '9') || digits.front() == '.'))
        return false;
    double parsed = 0.0;
    const char* last = digits.data() + digits.size();
    const auto [end, error] = std::from_chars(digits.data(), last, parsed, std::chars_format::general);
    if (error != std::errc() || end != last || !std::isfinite(parsed))
        return false;
    parsed = negative ? -parsed : parsed;
    if (!(parsed >= minimum && parsed <= maximum))
        return false;
    value = parsed;
    return true;
}

std::string ExpectedIntToken(int64_t minimum, int64_t maximum)
{
    return "an integer from " + std::to_string(minimum) + " to " + std::to_string(maximum);
}

std::string ExpectedNumberToken(double minimum, double maximum)
{
    return "a number from " + NumberText(minimum) + " to " + NumberText(maximum);
}

bool SkipByteOrderMark(std::istream& is)
{
    static constexpr std::string_view kMark = "\xEF\xBB\xBF";
    std::streambuf* buffer = is.rdbuf();
    if (!is.good() || buffer == nullptr)
        return false;
    // Looked for in the buffer, not through the stream: a read the system
    // fails is left to the line reader after, which names it.
    try {
        if (buffer->sgetc() != static_cast<unsigned char>(kMark[0]))
            return false;
    } catch (...) {
        return false;
    }
    const char* next = GetArea::Next(*buffer);
    const char* end = GetArea::End(*buffer);
    if (next == nullptr || end - next < static_cast<std::ptrdiff_t>(kMark.size())
        || std::string_view(next, kMark.size()) != kMark)
        return false;
    GetArea::Skip(*buffer, static_cast<int>(kMark.size()));
    return true;
}

RawLine ReadRawLine(std::istream& is, std::string& line)
{
    line.clear();
    const std::istream::sentry ready(is, true);
    std::streambuf* buffer = is.rdbuf();
    if (!ready || buffer == nullptr) {
        is.setstate(std::ios::failbit);
        return RawLine::kEnd;
    }
    for (;;) {
        int c = 0;
        // A file stream's buffer throws when the system fails a read: the
        // file ends there, bad, rather than the exception ending the game.
        try {
            c = buffer->sbumpc();
        } catch (...) {
            line.clear();
            SetBad(is);
            return RawLine::kReadError;
        }
        if (c == std::char_traits<char>::eof()) {
            // As getline: a last line without its LF is a line; nothing at
            // all fails the stream.
            is.setstate(line.empty() ? std::ios::eofbit | std::ios::failbit : std::ios::eofbit);
            return line.empty() ? RawLine::kEnd : RawLine::kLine;
        }
        if (c == '\n')
            break;
        // One byte more than the bound may be the CR of the line end.
        if (line.size() > kMaxLineLength) {
            line.clear();
            is.setstate(std::ios::failbit);
            return RawLine::kTooLong;
        }
        line.push_back(static_cast<char>(c));
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    if (line.size() > kMaxLineLength) {
        line.clear();
        is.setstate(std::ios::failbit);
        return RawLine::kTooLong;
    }
    return RawLine::kLine;
}

bool ReadStringLine(std::istream& is, std::string& target)
{
    bool pastEnd = false;
    // Only a line beyond the bound or a read error fails (the stream stops
    // there).
    const RawLine got = TakeLine(is, target, pastEnd);
    return got != RawLine::kTooLong && got != RawLine::kReadError;
}

bool ReadIntLine(std::istream& is, int32_t& target)
{
    return ReadSigned32(is, target);
}

bool ReadLongLine(std::istream& is, int32_t& target)
{
    return ReadSigned32(is, target);
}

bool ReadUIntLine(std::istream& is, uint32_t& target)
{
    return ReadUnsigned32(is, target);
}

bool ReadULongLine(std::istream& is, uint32_t& target)
{
    return ReadUnsigned32(is, target);
}

bool ReadFloatLine(std::istream& is, float& target)
{
    const Line line = ReadLine(is);
    if (!ParseFloat(line.text, target))
        return Refuse(is, line, "a number");
    return true;
}

bool ReadCountLine(std::istream& is, uint32_t& target, uint32_t maximum)
{
    int64_t value = 0;
    const Line line = ReadLine(is);
    if (!ParseSigned(line.text, 0, maximum, value))
        return Refuse(is, line, "a count from 0 to " + std::to_string(maximum));
    target = static_cast<uint32_t>(value);
    return true;
}

bool ReadBoolLine(std::istream& is, bool& target)
{
    // Any number outside the int range is neither 0 nor 1 and fails the same.
    int64_t value = 0;
    const Line line = ReadLine(is);
    if (!ParseSigned(
            line.text, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(), value)
        || (value != 0 && value != 1))
        return Refuse(is, line, "0 or 1");
    target = value == 1;
    return true;
}

bool ReadCoordinateLine(std::istream& is, float& target)
{
    float value = 0.0f;
    const Line line = ReadLine(is);
    if (!ParseFloat(line.text, value) || !(std::fabs(value) <= static_cast<float>(kMaxCoordinate)))
        return Refuse(is, line, "a coordinate within +-" + std::to_string(kMaxCoordinate));
    target = value;
    return true;
}

bool ReadCoordinateLine(std::istream& is, int32_t& target)
{
    int64_t value = 0;
    const Line line = ReadLine(is);
    if (!ParseSigned(line.text, -kMaxCoordinate, kMaxCoordinate, value))
        return Refuse(is, line, "a coordinate within +-" + std::to_string(kMaxCoordinate));
    target = static_cast<int32_t>(value);
    return true;
}

bool ReadTextLine(std::istream& is, std::string& target)
{
    const Line line = ReadLine(is);
    const bool clean = std::none_of(line.text.begin(), line.text.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return (u < 0x20 && u != '\t') || u == 0x7F;
    });
    if (line.pastEnd || !clean)
        return Refuse(is, line, "a line of text");
    target.assign(line.text);
    return true;
}

bool ReadExpectedLine(std::istream& is, std::string_view expected)
{
    const Line line = ReadLine(is);
    if (line.pastEnd || line.text != expected)
        return Refuse(is, line, QuoteFound(expected));
    return true;
}

bool ReadClassLine(std::istream& is, std::string_view expected)
{
    const Line line = ReadLine(is);
    if (line.pastEnd)
        return Refuse(is, line, QuoteFound(expected));
    if (line.text != expected) {
        platform::DebugOutput(ReaderContext::WhereOf(is) + "read " + QuoteFound(line.text)
            + " as the class line " + QuoteFound(expected) + "\n");
    }
    return true;
}

bool ReadUpdateTag(std::istream& is, std::string_view marker)
{
    // Most marker lines lie whole in the stream's buffer: look at the line
    // there and take it only when it is the marker. A file stream's tellg and
    // seekg cost a system call each and a seek drops the buffer.
    if (is.good()) {
        if (std::streambuf* buffer = is.rdbuf()) {
            const char* next = GetArea::Next(*buffer);
            const char* end = GetArea::End(*buffer);
            // A line that is the marker starts with it: most lines are told
            // apart by their first bytes, without looking for their end.
            if (next != nullptr && static_cast<size_t>(end - next) >= marker.size()
                && std::memcmp(next, marker.data(), marker.size()) != 0)
                return false;
            const void* lineEnd
                = next != nullptr && next < end ? std::memchr(next, '\n', end - next) : nullptr;
            if (lineEnd != nullptr) {
                const auto length = static_cast<const char*>(lineEnd) - next;
                std::string_view line(next, static_cast<size_t>(length));
                if (!line.empty() && line.back() == '\r')
                    line.remove_suffix(1);
                if (line != marker)
                    return false; // nothing taken: the next read sees this line
                if (length < std::numeric_limits<int>::max())
                    GetArea::Skip(*buffer, static_cast<int>(length + 1));
                else
                    is.ignore(length + 1);
                if (ReaderContext* context = ContextOf(is))
                    context->LineTaken(false);
                return true;
            }
        }
    }

    // tellg fails on a stream that already hit its end: then the group is
    // absent and there is nothing to rewind.
    const std::istream::pos_type start = is.tellg();
    if (start == std::istream::pos_type(-1))
        return false;
    // The line is read without counting it: a marker that is not there
    // gives its line back. At the end of the stream there is no line at all,
    // so not even an empty marker matches.
    std::string& line = LineBuffer();
    const RawLine got = ReadRawLine(is, line);
    if (got == RawLine::kReadError) {
        // The stream stays bad: the record stops at the next read.
        if (ReaderContext* context = ContextOf(is))
            context->RecordError("a line", kFoundReadError);
        return false;
    }
    const bool pastEnd = got != RawLine::kLine;
    if (!pastEnd && line == marker) {
        if (ReaderContext* context = ContextOf(is))
            context->LineTaken(false);
        return true;
    }
    is.clear();
    is.seekg(start);
    return false;
}
