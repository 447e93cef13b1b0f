#include "engine/serial/ReaderContext.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "engine/serial/IntSerialize.h"
#include "engine/serial/LineReaders.h"
#include "tests/engine/platform/DebugCapture.h"

TEST(ReaderContextTest, EveryTypedReaderCountsItsLine)
{
    std::istringstream is("text\r\n-3\r\n7\r\n2.5\r\n1\r\n_T_updatetag_1.1_\r\n9\r\n");
    ReaderContext context(is, "levels/one.qhlevel");
    std::string s;
    int32_t i = 0;
    uint32_t u = 0;
    float f = 0.0f;
    bool b = false;
    EXPECT_EQ(context.GetLineNumber(), 0);
    ReadStringLine(is, s);
    EXPECT_EQ(context.GetLineNumber(), 1);
    ReadIntLine(is, i);
    ReadULongLine(is, u);
    ReadFloatLine(is, f);
    ReadBoolLine(is, b);
    EXPECT_EQ(context.GetLineNumber(), 5);
    // A marker that is not there gives its line back uncounted; one that is
    // there is a line taken.
    EXPECT_FALSE(ReadUpdateTag(is, "_T_updatetag_1.0_"));
    EXPECT_EQ(context.GetLineNumber(), 5);
    EXPECT_TRUE(ReadUpdateTag(is, "_T_updatetag_1.1_"));
    EXPECT_EQ(context.GetLineNumber(), 6);
    EXPECT_FALSE(ReadUpdateTag(is, "_T_updatetag_1.2_"));
    ReadIntLine(is, i);
    EXPECT_EQ(context.GetLineNumber(), 7);
    EXPECT_FALSE(context.HasError());
    EXPECT_EQ(context.Where(), "levels/one.qhlevel:7: ");
}

TEST(ReaderContextTest, FailedReadsSayFileLineExpectedAndFound)
{
    struct Case {
        const char* line;
        bool (*read)(std::istream&);
        const char* message;
    };
    const Case cases[] = {
        {"abc",
            [](std::istream& is) {
                int32_t v;
                return ReadIntLine(is, v);
            },
            "f.txt:2: expected an integer, found \"abc\""},
        {"x",
            [](std::istream& is) {
                uint32_t v;
                return ReadUIntLine(is, v);
            },
            "f.txt:2: expected an unsigned integer, found \"x\""},
        {"1e",
            [](std::istream& is) {
                float v;
                return ReadFloatLine(is, v);
            },
            "f.txt:2: expected a number, found \"1e\""},
        {"2",
            [](std::istream& is) {
                bool v;
                return ReadBoolLine(is, v);
            },
            "f.txt:2: expected 0 or 1, found \"2\""},
        {"tab\there",
            [](std::istream& is) {
                int32_t v;
                return ReadLongLine(is, v);
            },
            "f.txt:2: expected an integer, found \"tab\\x09here\""},
    };
    for (const Case& c : cases) {
        std::istringstream is(std::string("0\r\n") + c.line + "\r\n5\r\n");
        ReaderContext context(is, "f.txt");
        int32_t first = 0;
        ASSERT_TRUE(ReadIntLine(is, first));
        EXPECT_FALSE(c.read(is)) << c.line;
        EXPECT_EQ(context.GetError(), c.message);
        // Later failures are effects of the first: the first one stays.
        std::string rest;
        ReadStringLine(is, rest);
        ReadError(is, "something else", "anything");
        EXPECT_EQ(context.GetError(), c.message);
    }
}

TEST(ReaderContextTest, ReadsPastTheEndNameTheMissingLine)
{
    // Two lines, the last without its line end: the missing one is line 3.
    for (const char* text : {"1\r\n2\r\n", "1\r\n2"}) {
        std::istringstream is(text);
        ReaderContext context(is, "cut.txt");
        int32_t v = 0;
        ReadIntLine(is, v);
        ReadIntLine(is, v);
        std::string s = "stale";
        EXPECT_TRUE(ReadStringLine(is, s));
        EXPECT_EQ(context.GetLineNumber(), 3);
        EXPECT_FALSE(ReadIntLine(is, v));
        EXPECT_EQ(context.GetLineNumber(), 3);
        EXPECT_EQ(context.GetError(), "cut.txt:3: expected an integer, found the end of the file");
    }
}

TEST(ReaderContextTest, ContextsNestAndUnbind)
{
    std::istringstream is("1\r\nx\r\n");
    int32_t v = 0;
    {
        ReaderContext outer(is, "outer");
        ReadIntLine(is, v);
        {
            ReaderContext inner(is, "inner");
            EXPECT_EQ(ReaderContext::Of(is), &inner);
            EXPECT_FALSE(ReadIntLine(is, v));
            EXPECT_EQ(inner.GetError(), "inner:1: expected an integer, found \"x\"");
        }
        EXPECT_EQ(ReaderContext::Of(is), &outer);
        EXPECT_FALSE(outer.HasError());
        EXPECT_EQ(outer.GetLineNumber(), 1);
    }
    EXPECT_EQ(ReaderContext::Of(is), nullptr);
    // Without a context a failure is still only a false result.
    std::istringstream bare("y\r\n");
    EXPECT_FALSE(ReadIntLine(bare, v));
    EXPECT_EQ(v, 1);
}

TEST(ReaderContextTest, ReadsFollowTheBindingAsItChanges)
{
    std::istringstream is("1\r\n2\r\n3\r\nx\r\n");
    std::istringstream other("4\r\ny\r\n");
    int32_t v = 0;
    ReadIntLine(is, v); // no context yet: not counted anywhere
    {
        ReaderContext first(is, "first");
        ReaderContext second(other, "second");
        // Reads alternating between two streams count each on its own context.
        ReadIntLine(is, v);
        ReadIntLine(other, v);
        EXPECT_EQ(first.GetLineNumber(), 1);
        EXPECT_EQ(second.GetLineNumber(), 1);
        {
            ReaderContext hiding(is, "hiding");
            ReadIntLine(is, v);
            EXPECT_EQ(hiding.GetLineNumber(), 1);
        }
        EXPECT_FALSE(ReadIntLine(is, v));
        EXPECT_FALSE(ReadIntLine(other, v));
        EXPECT_EQ(first.GetError(), "first:2: expected an integer, found \"x\"");
        EXPECT_EQ(second.GetError(), "second:2: expected an integer, found \"y\"");
    }
    // Unbound again: a failure records nothing and names no context.
    std::istringstream more("z\r\n");
    EXPECT_FALSE(ReadIntLine(more, v));
    EXPECT_EQ(ReaderContext::Of(more), nullptr);
}

TEST(ReaderContextTest, QuotedFindingsAreShortAndPrintable)
{
    EXPECT_EQ(QuoteFound("plain"), "\"plain\"");
    EXPECT_EQ(QuoteFound(std::string("a\0b\"", 4)), "\"a\\x00b\\x22\"");
    const std::string quoted = QuoteFound(std::string(100000, 'z'));
    EXPECT_LT(quoted.size(), 80u);
    EXPECT_EQ(quoted.substr(quoted.size() - 4), "...\"");
}

TEST(ReaderContextTest, RecordFilesReportTheirDamageAndKeepTheObject)
{
    const auto dir = std::filesystem::temp_directory_path() / ("quenholt_ctx_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string good = (dir / "good.txt").string();
    const std::string bad = (dir / "bad.txt").string();
    std::ofstream(good, std::ios::binary) << "42\r\n";
    std::ofstream(bad, std::ios::binary) << "forty-two\r\n";

    IntSerialize value(7);
    std::string error;
    EXPECT_TRUE(ReadRecordFile(good, value, &error));
    EXPECT_EQ(value.value, 42);

    DebugCapture debug;
    EXPECT_FALSE(ReadRecordFile(bad, value, &error));
    EXPECT_EQ(value.value, 42);
    EXPECT_EQ(error, bad + ":1: expected an integer, found \"forty-two\"");
    EXPECT_NE(debug.Text().find(error), std::string::npos) << debug.Text();

    EXPECT_FALSE(ReadRecordFile((dir / "missing.txt").string(), value, &error));
    EXPECT_NE(error.find("missing.txt"), std::string::npos);
    EXPECT_EQ(value.value, 42);
    std::filesystem::remove_all(dir);
}
