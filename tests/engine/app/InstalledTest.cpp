#include "engine/app/Installed.h"

#include <gtest/gtest.h>

namespace {

struct FirstAccess {
    int value = 1;
};
struct SecondAccess {
    int value = 2;
};

TEST(Installed, EachInterfaceHoldsItsOwnObjectUntilRemoved)
{
    FirstAccess first;
    SecondAccess second;
    EXPECT_EQ(Installed<FirstAccess>::Get(), nullptr);
    Installed<FirstAccess>::Set(&first);
    EXPECT_EQ(Installed<FirstAccess>::Get(), &first);
    EXPECT_EQ(Installed<SecondAccess>::Get(), nullptr);
    Installed<SecondAccess>::Set(&second);
    EXPECT_EQ(Installed<SecondAccess>::Get()->value, 2);
    Installed<FirstAccess>::Set(nullptr);
    Installed<SecondAccess>::Set(nullptr);
    EXPECT_EQ(Installed<FirstAccess>::Get(), nullptr);
    EXPECT_EQ(Installed<SecondAccess>::Get(), nullptr);
}

} // namespace
