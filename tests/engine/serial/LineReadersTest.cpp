#include "engine/serial/LineReaders.h"

#include "engine/serial/ReaderContext.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <sstream>
#include <unistd.h>
#include <vector>

namespace {

// Reads the single line `text` with `reader` into a target that starts at
// `start`; returns the reader's result and leaves the value in `target`.
template <class T, class Reader> bool ReadOne(Reader reader, const std::string& text, T start, T& target)
{
    std::istringstream is(text + "\r\nnext\r\n");
    target = start;
    const bool ok = reader(is, target);
    std::string next;
    ReadStringLine(is, next);
    EXPECT_EQ(next, "next") << "the line \"" << text << "\" was not consumed exactly";
    return ok;
}

// A stream with no line end in sight: 'x' after 'x', like a device that
// never ends, but stopping after 64 MiB so that a reader without a bound
// still returns. Counts what it gave.
class EndlessLine : public std::streambuf {
public:
    size_t given = 0;

protected:
    int_type underflow() override
    {
        if (given >= (size_t(64) << 20))
            return traits_type::eof();
        block.assign(4096, 'x');
        given += block.size();
        setg(block.data(), block.data(), block.data() + block.size());
        return traits_type::to_int_type('x');
    }

private:
    std::string block;
};

// A file whose first read gives "12\r\n1" and whose next read fails, as a
// file stream's buffer fails on a disk error: by throwing.
class FailingRead : public std::streambuf {
protected:
    int_type underflow() override
    {
        if (reads++ > 0)
            throw std::ios_base::failure("basic_filebuf::underflow error reading the file");
        setg(first, first, first + 5);
        return traits_type::to_int_type(first[0]);
    }

private:
    char first[6] = "12\r\n1";
    int reads = 0;
};

} // namespace

TEST(LineReadersTest, StringLinesKeepTheirSpacesAndLoseTheLineEnd)
{
    std::istringstream is("  two spaces  \r\nlf only\nbare cr\r\r\n\r\nlast");
    std::string line;
    EXPECT_TRUE(ReadStringLine(is, line));
    EXPECT_EQ(line, "  two spaces  ");
    ReadStringLine(is, line);
    EXPECT_EQ(line, "lf only");
    ReadStringLine(is, line);
    EXPECT_EQ(line, "bare cr\r"); // only the CR of the line end goes
    ReadStringLine(is, line);
    EXPECT_EQ(line, "");
    ReadStringLine(is, line);
    EXPECT_EQ(line, "last");
}

TEST(LineReadersTest, PastTheEndStringsAreEmptyAndNumbersFail)
{
    // No line end after the last value: the stream has hit its end by then.
    std::istringstream is("12");
    int32_t value = 0;
    EXPECT_TRUE(ReadIntLine(is, value));
    EXPECT_EQ(value, 12);
    std::string line = "stale";
    EXPECT_TRUE(ReadStringLine(is, line));
    EXPECT_EQ(line, "");
    EXPECT_FALSE(ReadIntLine(is, value));
    uint32_t u = 3;
    float f = 1.0f;
    bool b = true;
    EXPECT_FALSE(ReadULongLine(is, u));
    EXPECT_FALSE(ReadFloatLine(is, f));
    EXPECT_FALSE(ReadBoolLine(is, b));
    EXPECT_EQ(value, 12);
    EXPECT_EQ(u, 3u);

    std::istringstream ended("7\r\n");
    EXPECT_TRUE(ReadIntLine(ended, value));
    EXPECT_FALSE(ReadIntLine(ended, value));
    EXPECT_FALSE(ReadIntLine(ended, value));
    EXPECT_EQ(value, 7);
}

TEST(LineReadersTest, SignedParsing)
{
    int32_t v = 0;
    const std::pair<const char*, int32_t> good[] = {
        {"12", 12},
        {" 12", 12},
        {"  -42abc", -42},
        {"\t+7 8", 7},
        {"3.9", 3},
        {"-2147483648", std::numeric_limits<int32_t>::min()},
        {"2147483647", std::numeric_limits<int32_t>::max()},
    };
    for (const auto& [text, expected] : good) {
        EXPECT_TRUE(ReadOne(ReadIntLine, text, 0, v)) << '"' << text << '"';
        EXPECT_EQ(v, expected) << '"' << text << '"';
        EXPECT_TRUE(ReadOne(ReadLongLine, text, 0, v)) << '"' << text << '"';
        EXPECT_EQ(v, expected) << '"' << text << '"';
    }

    // Failures leave the target as it was.
    for (const char* bad :
        {"", "   ", "abc", "-", "+-1", "- 1", "2147483648", "-2147483649", "99999999999999999999999"}) {
        EXPECT_FALSE(ReadOne(ReadIntLine, bad, 55, v)) << '"' << bad << '"';
        EXPECT_EQ(v, 55) << '"' << bad << '"';
        EXPECT_FALSE(ReadOne(ReadLongLine, bad, 55, v)) << '"' << bad << '"';
        EXPECT_EQ(v, 55);
    }
}

TEST(LineReadersTest, UnsignedParsingWrapsNegatives)
{
    uint32_t v = 0;
    EXPECT_TRUE(ReadOne(ReadULongLine, "-1", 0u, v));
    EXPECT_EQ(v, 4294967295u);
    EXPECT_TRUE(ReadOne(ReadUIntLine, "4294967295", 0u, v));
    EXPECT_EQ(v, 4294967295u);
    EXPECT_TRUE(ReadOne(ReadUIntLine, "-4294967295", 0u, v));
    EXPECT_EQ(v, 1u);
    EXPECT_TRUE(ReadOne(ReadULongLine, " 48 button", 0u, v));
    EXPECT_EQ(v, 48u);
    for (const char* bad : {"", "x1", "4294967296", "-4294967296"}) {
        EXPECT_FALSE(ReadOne(ReadUIntLine, bad, 9u, v)) << '"' << bad << '"';
        EXPECT_FALSE(ReadOne(ReadULongLine, bad, 9u, v)) << '"' << bad << '"';
        EXPECT_EQ(v, 9u);
    }
}

TEST(LineReadersTest, CountsAreNamedAtTheirOwnLine)
{
    const auto readCount = [](std::istream& is, uint32_t& t) { return ReadCountLine(is, t); };
    uint32_t v = 0;
    EXPECT_TRUE(ReadOne(readCount, "12", 0u, v));
    EXPECT_EQ(v, 12u);
    for (const char* bad : {"-1", "2147483647", "1048577", "x"}) {
        EXPECT_FALSE(ReadOne(readCount, bad, 9u, v)) << bad;
        EXPECT_EQ(v, 9u);
    }
}

// The one parser of numbers given as tokens: the whole token, finite, within
// the range; what a lenient reader would half-read is refused and leaves the
// value as it was.
TEST(LineReadersTest, NumberTokensAreWholeFiniteAndInRange)
{
    for (const auto& [token, expected] : {std::pair<const char*, double> {"2.5", 2.5}, {"-1e1", -10.0},
             {".5", 0.5}, {"+7", 7.0}, {"100", 100.0}}) {
        double value = -42.0;
        EXPECT_TRUE(ParseNumberToken(token, -100.0, 100.0, value)) << '"' << token << '"';
        EXPECT_EQ(value, expected) << '"' << token << '"';
    }
    for (const char* token : {"-1e3", "100.5", "infx", "nanx", "-infx", "inf", "nan", " 1e30x",
             "\t2147483648x", "1 ", "2x", "0x10", "1e999", "", "-"}) {
        double value = -42.0;
        EXPECT_FALSE(ParseNumberToken(token, -100.0, 100.0, value)) << '"' << token << '"';
        EXPECT_EQ(value, -42.0) << '"' << token << '"';
    }
    for (const int64_t expected : {2147483647LL, -2147483648LL}) {
        int64_t value = 5;
        EXPECT_TRUE(ParseIntToken(std::to_string(expected), -2147483648LL, 2147483647LL, value));
        EXPECT_EQ(value, expected);
    }
    for (const char* token : {"2147483648", "\t2147483648x", "2.0", "99999999999999999999999", "+"}) {
        int64_t value = 5;
        EXPECT_FALSE(ParseIntToken(token, -2147483648LL, 2147483647LL, value)) << token;
    }
    EXPECT_EQ(ExpectedIntToken(0, 10), "an integer from 0 to 10");
    EXPECT_EQ(ExpectedNumberToken(-0.5, 1000000), "a number from -0.5 to 1000000");
}

TEST(LineReadersTest, FloatParsingTakesWhatTheWriterWrites)
{
    float v = 0.0f;
    const std::pair<const char*, float> good[] = {
        {"0.5", 0.5f},
        {"-2", -2.0f},
        {" 1.25xyz", 1.25f},
        {".75", 0.75f},
        {"1e+10", 1e10f},
        {"1.5e-05", 1.5e-5f},
        {"3.40282e+038", 3.40282e38f},
        {"1.17549e-038", 1.17549e-38f},
        {"2E3", 2000.0f},
        {"1.5.3", 1.5f},
        {"+4", 4.0f},
        // A complete exponent ends the number; what follows is ignored, as a
        // stream extraction ignores it.
        {"1e5e", 1e5f},
        {"2.5e+3E-", 2500.0f},
        {"7e1e1", 70.0f},
    };
    for (const auto& [text, expected] : good) {
        EXPECT_TRUE(ReadOne(ReadFloatLine, text, 0.0f, v)) << text;
        EXPECT_EQ(v, expected) << text;
    }
    for (const char* bad :
        {"", "abc", ".", "-", "1e", "1e+", "1.5E", "2e-x", "inf", "nan", "1e+039", "1e400"}) {
        EXPECT_FALSE(ReadOne(ReadFloatLine, bad, 9.5f, v)) << '"' << bad << '"';
        EXPECT_EQ(v, 9.5f) << '"' << bad << '"';
    }
}

TEST(LineReadersTest, FloatsReadAsTheCorrectlyRoundedValue)
{
    // Every text must give the float nearest to its decimal value, as
    // from_chars gives it: short decimals (taken by a quicker path) and the
    // longer ones around them, as the writer writes them and written longer.
    std::vector<std::string> texts = {"0.1", "0.2", "0.3", "16777215", "16777216", "16777217", "1677721.5",
        "0.0000000001", "0.00000000001", "0000000000001.5", "9999999.", "3.1415927", "0.3333333", "8388607.5",
        "1.00000001", "123456.7", "0.0000001", "5e-1", "2.5E2", "-0"};
    for (int i = 0; i < 20000; ++i) {
        const float value = static_cast<float>(i) * 0.0137f - 91.0f;
        std::ostringstream written;
        WriteLine(written, value);
        texts.push_back(written.str().substr(0, written.str().size() - 2));
        char longer[32];
        std::snprintf(longer, sizeof longer, "%.9g", static_cast<double>(value) / 7.0);
        texts.emplace_back(longer);
    }
    for (const std::string& text : texts) {
        float expected = 0.0f;
        const bool negative = text.front() == '-';
        const char* first = text.data() + (negative ? 1 : 0);
        ASSERT_EQ(std::from_chars(first, text.data() + text.size(), expected).ec, std::errc()) << text;
        expected = negative ? -expected : expected;
        float v = 0.0f;
        ASSERT_TRUE(ReadOne(ReadFloatLine, text, 9.5f, v)) << text;
        EXPECT_EQ(std::bit_cast<uint32_t>(v), std::bit_cast<uint32_t>(expected)) << text;
    }
}

TEST(LineReadersTest, BoolsAreZeroOrOneOnly)
{
    bool v = false;
    EXPECT_TRUE(ReadOne(ReadBoolLine, "1", false, v));
    EXPECT_TRUE(v);
    EXPECT_TRUE(ReadOne(ReadBoolLine, " 0", true, v));
    EXPECT_FALSE(v);
    for (const char* bad : {"2", "-1", "true", "false", "", "yes"}) {
        EXPECT_FALSE(ReadOne(ReadBoolLine, bad, true, v)) << '"' << bad << '"';
        EXPECT_TRUE(v);
    }
}

TEST(LineReadersTest, WritersUseCrLfAndStandardFormats)
{
    std::ostringstream os;
    WriteLine(os, -5);
    WriteLine(os, 4294967295u);
    WriteLine(os, true);
    WriteLine(os, false);
    WriteLine(os, 1.0f / 3.0f);
    WriteLine(os, 1e10f);
    WriteLine(os, 2.0f);
    WriteLine(os, std::string(" text "));
    WriteLine(os, "literal");
    EXPECT_EQ(os.str(), "-5\r\n4294967295\r\n1\r\n0\r\n0.333333\r\n1e+10\r\n2\r\n text \r\nliteral\r\n");

    // What the writers write, the readers read back.
    std::istringstream is(os.str());
    int32_t i = 0;
    uint32_t u = 0;
    bool t = false;
    bool f = true;
    float third = 0.0f;
    float big = 0.0f;
    EXPECT_TRUE(ReadIntLine(is, i) && ReadULongLine(is, u) && ReadBoolLine(is, t) && ReadBoolLine(is, f)
        && ReadFloatLine(is, third) && ReadFloatLine(is, big));
    EXPECT_EQ(i, -5);
    EXPECT_EQ(u, 4294967295u);
    EXPECT_TRUE(t);
    EXPECT_FALSE(f);
    EXPECT_FLOAT_EQ(third, 0.333333f);
    EXPECT_EQ(big, 1e10f);
}

TEST(LineReadersTest, UpdateTagRewindsOverTheWholeLine)
{
    for (const char* end : {"\r\n", "\n"}) {
        const std::string e = end;
        std::istringstream is("_A_updatetag_1.1_" + e + "5" + e + "_A_updatetag_1.2x" + e + "6" + e);
        int32_t value = 0;
        EXPECT_TRUE(ReadUpdateTag(is, "_A_updatetag_1.1_"));
        EXPECT_TRUE(ReadIntLine(is, value));
        EXPECT_EQ(value, 5);
        EXPECT_FALSE(ReadUpdateTag(is, "_A_updatetag_1.2_"));
        std::string again;
        ReadStringLine(is, again);
        EXPECT_EQ(again, "_A_updatetag_1.2x");
        // A rewound line can be rewound again, and a number is no tag.
        EXPECT_FALSE(ReadUpdateTag(is, "_A_updatetag_1.3_"));
        EXPECT_TRUE(ReadIntLine(is, value));
        EXPECT_EQ(value, 6);
    }
}

TEST(LineReadersTest, UpdateTagAtTheEndMeansGroupAbsent)
{
    std::istringstream clean("3\r\n");
    int32_t value = 0;
    ReadIntLine(clean, value);
    EXPECT_FALSE(ReadUpdateTag(clean, "_B_updatetag_1.1_"));
    EXPECT_FALSE(ReadIntLine(clean, value));
    EXPECT_EQ(value, 3);

    // The stream already ended inside the last line.
    std::istringstream cut("3");
    ReadIntLine(cut, value);
    EXPECT_FALSE(ReadUpdateTag(cut, "_B_updatetag_1.1_"));
    std::string line = "stale";
    ReadStringLine(cut, line);
    EXPECT_EQ(line, "");
}

TEST(LineReadersTest, EmptyMarkerMatchesAnEmptyLineButNotTheEnd)
{
    for (const char* text : {"", "x\r\n", "x"}) {
        std::istringstream is(text);
        std::string line;
        if (*text != '\0')
            ReadStringLine(is, line);
        EXPECT_FALSE(ReadUpdateTag(is, "")) << '"' << text << '"';
        EXPECT_FALSE(ReadUpdateTag(is, "")) << "a second look still finds no line";
    }
    std::istringstream blank("\r\n5\r\n");
    EXPECT_TRUE(ReadUpdateTag(blank, ""));
    int32_t value = 0;
    EXPECT_TRUE(ReadIntLine(blank, value));
    EXPECT_EQ(value, 5);
}

TEST(LineReadersTest, UpdateTagRewindsInFiles)
{
    const auto path
        = std::filesystem::temp_directory_path() / ("quenholt_tags_" + std::to_string(getpid()) + ".txt");
    for (const char* end : {"\r\n", "\n"}) {
        {
            std::ofstream file(path, std::ios::binary);
            file << "first" << end << "_C_updatetag_1.1_" << end << "tail";
        }
        for (const auto mode : {std::ios::in | std::ios::binary, std::ios::in}) {
            std::ifstream file(path, mode);
            std::string line;
            ReadStringLine(file, line);
            EXPECT_FALSE(ReadUpdateTag(file, "_C_updatetag_1.0_"));
            EXPECT_TRUE(ReadUpdateTag(file, "_C_updatetag_1.1_"));
            EXPECT_FALSE(ReadUpdateTag(file, "_C_updatetag_1.2_"));
            ReadStringLine(file, line);
            EXPECT_EQ(line, "tail");
        }
    }
    std::filesystem::remove(path);
}

TEST(LineReadersTest, UpdateTagRewindsAtEveryBufferPosition)
{
    // Enough records of varying length that markers fall on the file
    // buffer's boundaries and at the start of a fresh stream.
    const auto path
        = std::filesystem::temp_directory_path() / ("quenholt_tagrun_" + std::to_string(getpid()) + ".txt");
    const int records = 4000;
    {
        std::ofstream file(path, std::ios::binary);
        for (int i = 0; i < records; ++i) {
            if (i % 3 != 1)
                WriteLine(file, "_T_updatetag_1.1_");
            WriteLine(file, std::string(static_cast<size_t>(i * 7 % 61), 'x'));
            WriteLine(file, i);
        }
    }
    std::ifstream file(path, std::ios::binary);
    int found = 0;
    for (int i = 0; i < records; ++i) {
        ASSERT_FALSE(ReadUpdateTag(file, "_T_updatetag_1.0_")) << i;
        const bool present = ReadUpdateTag(file, "_T_updatetag_1.1_");
        ASSERT_EQ(present, i % 3 != 1) << i;
        found += present;
        std::string filler;
        int32_t value = -1;
        ReadStringLine(file, filler);
        ASSERT_EQ(filler.size(), static_cast<size_t>(i * 7 % 61)) << i;
        ASSERT_TRUE(ReadIntLine(file, value));
        ASSERT_EQ(value, i);
    }
    EXPECT_GT(found, 0);
    EXPECT_FALSE(ReadUpdateTag(file, "_T_updatetag_1.1_"));
    std::filesystem::remove(path);
}

TEST(LineReadersTest, TextAndExpectedLines)
{
    std::istringstream is("  spaced name\t\r\nbell\a\r\nSpriteV0Ptr\r\nSpriteV0\r\n");
    std::string text = "kept";
    EXPECT_TRUE(ReadTextLine(is, text));
    EXPECT_EQ(text, "  spaced name\t");
    EXPECT_FALSE(ReadTextLine(is, text)); // a control byte: no writer writes one
    EXPECT_EQ(text, "  spaced name\t");
    EXPECT_TRUE(ReadExpectedLine(is, "SpriteV0Ptr"));
    EXPECT_FALSE(ReadExpectedLine(is, "SpriteV0Ptr"));
    // Past the end neither reads, not even an empty text or expected line.
    EXPECT_FALSE(ReadTextLine(is, text));
    EXPECT_FALSE(ReadExpectedLine(is, ""));
    EXPECT_EQ(text, "  spaced name\t");
    std::istringstream empty("\r\n");
    EXPECT_TRUE(ReadTextLine(empty, text));
    EXPECT_EQ(text, "");
}

TEST(LineReadersTest, ALineBeyondTheBoundOrAReadErrorFailsTheReadAndIsNotKept)
{
    // Every reader stops soon after the bound: the line is neither kept nor
    // read to its end, the stream fails and the context says why. A read
    // error fails the line after those read before it (never throws) and
    // leaves the stream bad.
    const std::function<bool(std::istream&)> readers[] = {
        [](std::istream& is) {
            int32_t value = 7;
            return ReadIntLine(is, value) || value != 7;
        },
        [](std::istream& is) {
            std::string text;
            return ReadTextLine(is, text);
        },
        [](std::istream& is) {
            std::string text;
            return ReadStringLine(is, text) || !text.empty();
        },
        [](std::istream& is) { return ReadUpdateTag(is, "x"); },
        [](std::istream& is) {
            std::string text;
            const RawLine raw = ReadRawLine(is, text);
            return raw != (is.bad() ? RawLine::kReadError : RawLine::kTooLong) || !text.empty();
        },
    };
    for (size_t n = 0; n < 2 * std::size(readers); ++n) {
        const size_t i = n % std::size(readers);
        const bool broken = n >= std::size(readers);
        if (broken && i == 3)
            continue; // a read error is the typed and raw readers' case
        SCOPED_TRACE(n);
        EndlessLine endless;
        FailingRead failing;
        std::istream is(broken ? static_cast<std::streambuf*>(&failing) : &endless);
        ReaderContext context(is, broken ? "unreadable" : "endless");
        int32_t first = 0;
        EXPECT_EQ(broken && ReadIntLine(is, first) && first == 12, broken);
        EXPECT_FALSE(readers[i](is));
        EXPECT_LT(endless.given, kMaxLineLength + 8192);
        EXPECT_EQ(is.bad(), broken);
        // The tag gives its line back; the raw reader counts none.
        if (i != 3 && i != 4) {
            EXPECT_EQ(context.GetError(),
                broken ? "unreadable:2: expected a line, found a read error"
                       : "endless:1: expected a line of at most " + std::to_string(kMaxLineLength)
                        + " characters, found a "
                          "longer one");
        }
    }

    // Up to the bound a line reads whole, with or without its CR, in the
    // buffer or across the stream's reads.
    const std::string longest(kMaxLineLength, '7');
    std::istringstream fits(longest + "\r\n" + longest + "\n" + longest + "8\r\n");
    std::string text;
    EXPECT_TRUE(ReadStringLine(fits, text));
    EXPECT_EQ(text, longest);
    EXPECT_TRUE(ReadTextLine(fits, text));
    EXPECT_EQ(text.size(), kMaxLineLength);
    EXPECT_FALSE(ReadStringLine(fits, text));
    EXPECT_TRUE(text.empty());
    EXPECT_TRUE(fits.fail()) << "the stream stopped at the long line";
}
