#include "game/LiveCharacterList.h"

#include "characters/CharacterObject.h"

#include <gtest/gtest.h>

// Each step changes the list and leaves it in the order of its row: a
// removal outside a hold closes up at once, one under a hold leaves an empty
// slot until the hold ends; a character placed before another lands there
// even over an empty slot; what went is no longer held.
TEST(LiveCharacterList, RemovalsKeepTheOrderAtOnceOrWhenTheHoldEnds)
{
    CharacterObject a("a"), b("b"), c("c"), d("d"), e("e");
    using List = std::vector<CharacterObject*>;
    LiveCharacterList list {&a, &b, &c, &d};
    EXPECT_FALSE(list.Remove(&e));
    EXPECT_TRUE(list.Remove(&b));
    EXPECT_EQ(list, (List {&a, &c, &d}));
    {
        const LiveCharacterList::RemovalHold hold(list);
        EXPECT_TRUE(list.Remove(&c));
        EXPECT_FALSE(list.Remove(&c));
        EXPECT_EQ(list, (List {&a, nullptr, &d}));
        list.push_back(&e);
        list.MoveLastBefore(&d);
        EXPECT_EQ(list, (List {&a, nullptr, &e, &d}));
        EXPECT_TRUE(list.Remove(&d));
    }
    EXPECT_EQ(list, (List {&a, &e}));
    EXPECT_FALSE(list.Contains(&c));
    EXPECT_TRUE(list.Contains(&e));
    list.push_back(&b);
    list.MoveLastBefore(&b); // itself, the last: stays
    list.MoveLastBefore(&a);
    EXPECT_EQ(list, (List {&b, &a, &e}));
    EXPECT_TRUE(list.Remove(&a));
    EXPECT_TRUE(list.Remove(&e));
    EXPECT_EQ(list, (List {&b}));
}
