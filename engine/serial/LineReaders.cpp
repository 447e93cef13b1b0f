#include "engine/serial/LineReaders.h"

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <streambuf>

namespace {

// Read access to a stream buffer's get area (protected in std::streambuf).
struct GetArea : std::streambuf {
    static const char* Next(const std::streambuf& buffer) { return (buffer.*&GetArea::gptr)(); }
    static const char* End(const std::streambuf& buffer) { return (buffer.*&GetArea::egptr)(); }
};

// One line buffer per thread: the numeric readers parse it in place instead
// of building a string stream for every line.
std::string& LineBuffer()
{
    thread_local std::string buffer;
    return buffer;
}

std::string_view ReadLine(std::istream& is)
{
    std::string& line = LineBuffer();
    ReadStringLine(is, line);
    return line;
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
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
    (void)end;
    return error == std::errc() && magnitude <= limit;
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
    if (!ParseSigned(
            ReadLine(is), std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(), value))
        return false;
    target = static_cast<int32_t>(value);
    return true;
}

bool ReadUnsigned32(std::istream& is, uint32_t& target)
{
    uint32_t value = 0;
    if (!ParseUnsigned32(ReadLine(is), value))
        return false;
    target = value;
    return true;
}

} // namespace

bool ReadStringLine(std::istream& is, std::string& target)
{
    // getline leaves the target untouched when the stream has already ended,
    // so empty it first: past the end every line reads as empty.
    target.clear();
    std::getline(is, target);
    if (!target.empty() && target.back() == '\r')
        target.pop_back();
    return true;
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
    std::string_view text = SkipBlanks(ReadLine(is));
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
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (error == std::errc::invalid_argument)
        return false;
    // A stream extraction swallows an exponent mark without digits and then
    // rejects the whole number ("1e", "2.5e+x").
    if (end != last && (*end == 'e' || *end == 'E'))
        return false;
    if (error == std::errc::result_out_of_range) {
        // Overflow fails; underflow gives the nearest value, as strtof does.
        const std::string copy(first, static_cast<size_t>(end - first));
        errno = 0;
        value = std::strtof(copy.c_str(), nullptr);
        if (value == std::numeric_limits<float>::infinity()
            || value == -std::numeric_limits<float>::infinity())
            return false;
    }
    target = negative ? -value : value;
    return true;
}

bool ReadBoolLine(std::istream& is, bool& target)
{
    // Any number outside the int range is neither 0 nor 1 and fails the same.
    int64_t value = 0;
    if (!ParseSigned(
            ReadLine(is), std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(), value))
        return false;
    if (value != 0 && value != 1)
        return false;
    target = value == 1;
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
            const void* lineEnd
                = next != nullptr && next < end ? std::memchr(next, '\n', end - next) : nullptr;
            if (lineEnd != nullptr) {
                const auto length = static_cast<const char*>(lineEnd) - next;
                std::string_view line(next, static_cast<size_t>(length));
                if (!line.empty() && line.back() == '\r')
                    line.remove_suffix(1);
                if (line != marker)
                    return false; // nothing taken: the next read sees this line
                is.ignore(length + 1);
                return true;
            }
        }
    }

    // tellg fails on a stream that already hit its end: then the group is
    // absent and there is nothing to rewind.
    const std::istream::pos_type start = is.tellg();
    if (start == std::istream::pos_type(-1))
        return false;
    std::string& line = LineBuffer();
    ReadStringLine(is, line);
    if (line == marker)
        return true;
    is.clear();
    is.seekg(start);
    return false;
}
