#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <type_traits>

// Typed line readers of the versioned text format. Each reads exactly one
// line (up to LF, a trailing CR removed) and parses that line alone the way a
// formatted stream extraction would: leading blanks skipped, an optional sign,
// decimal digits, the rest of the line ignored. A failed parse returns false,
// leaves the target unchanged and still consumes the line. None throws.
// When a ReaderContext is bound to the stream, each reader counts its line
// there and a failed parse records "file:line: expected X, found Y".

// The longest line any reader takes (a trailing CR not counted): far beyond
// every line a writer of the system produces. A longer line (a file with no
// line end, a damaged file) is not kept: the reader fails, the stream fails
// there, and a bound context records "expected a line of at most ...".
inline constexpr size_t kMaxLineLength = 1 << 16;

// One raw line for readers outside the typed readers below: the text up to
// LF, a trailing CR removed, at most kMaxLineLength characters. kEnd when
// nothing was left (the stream fails, as getline); kTooLong leaves `line`
// empty and the stream failed; kReadError (the system could not read the
// file: a disk or network error) leaves `line` empty and the stream bad, the
// same as the end for a reader that stops there. Counts no line in a context.
enum class RawLine { kLine, kEnd, kTooLong, kReadError };
RawLine ReadRawLine(std::istream& is, std::string& line);

// Takes a UTF-8 byte-order mark at the stream's current place, if one lies
// whole in its buffer (at the start of a file it does). True if one was
// taken. Counts no line.
bool SkipByteOrderMark(std::istream& is);

// True but for a line beyond kMaxLineLength or a read error; at the end of
// the stream the target becomes empty.
bool ReadStringLine(std::istream& is, std::string& target);
bool ReadIntLine(std::istream& is, int32_t& target);
// Unsigned readers accept a minus sign and wrap modulo 2^32 ("-1" gives 4294967295).
bool ReadUIntLine(std::istream& is, uint32_t& target);
bool ReadULongLine(std::istream& is, uint32_t& target);
bool ReadLongLine(std::istream& is, int32_t& target);
// Floats as a stream extraction reads them: "1e5e" gives 1e5 (the number
// ends after its exponent), while an exponent mark without digits ("1e",
// "2e+") fails the line, as does "inf", "nan" or a value beyond the float range.
bool ReadFloatLine(std::istream& is, float& target);
// The most items a record may announce (a layer's instances, a level's
// names or points): far beyond any level, so a damaged count ("-1",
// "2147483647") is named at its own line rather than where the items run out.
inline constexpr uint32_t kMaxRecordCount = 1u << 20;
// A count line: an integer from 0 to `maximum`, read as ReadIntLine reads.
bool ReadCountLine(std::istream& is, uint32_t& target, uint32_t maximum = kMaxRecordCount);
// Only the numbers 0 and 1.
bool ReadBoolLine(std::istream& is, bool& target);

// A number given as one token of text (a command argument, a settings
// value): the whole token is the number (no blank, no trailing character, no
// "inf" or "nan"), finite and within [minimum, maximum]. Integers are decimal
// digits with an optional sign; numbers may have a point and an exponent.
// False, value unchanged, otherwise. The same digit parsing as the line
// readers above.
bool ParseIntToken(std::string_view token, int64_t minimum, int64_t maximum, int64_t& value);
bool ParseNumberToken(std::string_view token, double minimum, double maximum, double& value);
// What such a token was expected to be: "an integer from 0 to 100", "a
// number from -10 to 10".
std::string ExpectedIntToken(int64_t minimum, int64_t maximum);
std::string ExpectedNumberToken(double minimum, double maximum);

// The largest coordinate magnitude a record may hold (positions, offsets,
// box corners, sizes): 2^22 = 4194304 pixels, far more than any level spans
// and small enough that sums of a few coordinates never overflow an int and
// floats still hold whole pixels. A record holding more is damaged.
inline constexpr int kMaxCoordinate = 1 << 22;

// A coordinate line: a float or an int (as ReadFloatLine, ReadIntLine) whose
// magnitude is at most kMaxCoordinate. Fails, target unchanged, otherwise.
bool ReadCoordinateLine(std::istream& is, float& target);
bool ReadCoordinateLine(std::istream& is, int32_t& target);

// A text field of a record (a name, a file name, a keyword): the line itself,
// spaces kept. Unlike ReadStringLine it fails, target unchanged, at the end
// of the stream and on a line holding control characters other than tab,
// which no writer of the system produces.
bool ReadTextLine(std::istream& is, std::string& target);

// A line that must be exactly `expected` (a class tag, a reference tag).
bool ReadExpectedLine(std::istream& is, std::string_view expected);

// A class line a record reads and does not compare: any line is taken (one
// that is not `expected` is named on the debug output); fails only at the
// end of the stream.
bool ReadClassLine(std::istream& is, std::string_view expected);

// Reads the marker line of a versioned field group. True when the line equals
// `marker`; otherwise the stream is moved back to where the line started (so
// the next read sees that line again) and false says the group is absent. At
// the end of the stream the group is absent too, whatever the marker (even an
// empty one). A marker that is absent is no error.
bool ReadUpdateTag(std::istream& is, std::string_view marker);

// The line end every writer of the system uses.
inline constexpr std::string_view kLineEnd = "\r\n";

// Writes one value and the line end: bools as "1"/"0", numbers with the
// stream's standard formatting (floats in general format, 6 digits).
template <class T> void WriteLine(std::ostream& os, const T& value)
{
    if constexpr (std::is_same_v<T, bool>)
        os << (value ? '1' : '0');
    else
        os << value;
    os << kLineEnd;
}
