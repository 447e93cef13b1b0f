#include "engine/input/InputTriggerer.h"

#include <gtest/gtest.h>

#include <sstream>

#include "engine/serial/LineReaders.h"

TEST(InputTriggererTest, EqualityIsCodeAndDirectionOnly)
{
    const InputTriggerer binding(8, -1);
    EXPECT_TRUE(binding == InputTriggerer(8, -1));
    EXPECT_FALSE(binding == InputTriggerer(8, 1));
    EXPECT_FALSE(binding == InputTriggerer(8, 0));
    EXPECT_FALSE(binding == InputTriggerer(9, -1));

    InputTriggerer released(8, -1);
    released.state = true;
    EXPECT_TRUE(binding == released);
}

TEST(InputTriggererTest, WriteAndReadBack)
{
    std::stringstream text;
    EXPECT_TRUE(InputTriggerer(8, -1).Write(text));
    EXPECT_TRUE(InputTriggerer(4294967295u, 1).Write(text));
    EXPECT_EQ(text.str(), "8\r\n-1\r\n4294967295\r\n1\r\n");

    InputTriggerer a;
    InputTriggerer b;
    EXPECT_TRUE(a.Read(text));
    EXPECT_TRUE(b.Read(text));
    EXPECT_EQ(a, InputTriggerer(8, -1));
    EXPECT_EQ(b.code, 4294967295u);
}

TEST(InputTriggererTest, BadCodeKeepsTheBindingAndSkipsTheDirection)
{
    std::istringstream text("letters\r\n-1\r\n");
    InputTriggerer binding(30, 0);
    EXPECT_FALSE(binding.Read(text));
    EXPECT_EQ(binding, InputTriggerer(30, 0));
    int32_t next = 0;
    EXPECT_TRUE(ReadIntLine(text, next)); // the direction line was not consumed
    EXPECT_EQ(next, -1);

    std::istringstream badDirection("12\r\nup\r\n");
    EXPECT_FALSE(binding.Read(badDirection));
    EXPECT_EQ(binding, InputTriggerer(12, 0));
}
