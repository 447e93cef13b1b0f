#include "engine/app/SplitCommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Tokens = std::vector<std::string>;

TEST(SplitCommandLine, FollowsEveryTokenizerRule)
{
    const struct {
        const char* text;
        Tokens tokens;
    } cases[] = {
        {"", {}},
        {"a  b ", {"a", "b"}},
        {" walk 30", {"walk", "30"}},
        {"a\tb c", {"a\tb", "c"}}, // a tab is an ordinary character
        {"\"a b\" c", {"a b", "c"}},
        {"\"a b\"c d", {"a b", "d"}}, // the character after the closing quote is skipped
        {"\"a b\"", {"a b"}},
        {"x \"a b\"", {"x", "a b"}},
        {"a \"unterminated b", {"a"}},
        {"a \"\" b", {"a", "b"}}, // a quoted empty token is dropped
        {"word // comment", {"word"}},
        {"wo//rd more", {}},
        {"a \"x // y\" b", {"a"}},        // the slashes count after quote removal
        {"a b\"c d", {"a", "b\"c", "d"}}, // a quote inside a token is ordinary
        {"   ", {}},
        {"\"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitCommandLine(c.text), c.tokens) << '[' << c.text << ']';
}

TEST(SplitCommandLine, KeepsBytesOutsideAsciiAndEmbeddedNuls)
{
    const std::string text("\xC3\xA9t\xC3\xA9 a\0b c", 11);
    const Tokens tokens = SplitCommandLine(text);
    ASSERT_EQ(tokens.size(), 3u);
    EXPECT_EQ(tokens[0], "\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(tokens[1], std::string("a\0b", 3));
    EXPECT_EQ(tokens[2], "c");
}

} // namespace
