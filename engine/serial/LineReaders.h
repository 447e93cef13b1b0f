#pragma once

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

// Always true; at the end of the stream the target becomes empty.
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
// Only the numbers 0 and 1.
bool ReadBoolLine(std::istream& is, bool& target);

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
