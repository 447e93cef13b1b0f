#include "game/LiveCharacterList.h"

#include "characters/CharacterObject.h"

#include <gtest/gtest.h>

// Each step changes the list and leaves it in the order of its row: a
// removal outside a hold closes up at once, one under a hold leaves an empty
// slot until the hold ends; a character placed before another lands there
// even over an empty slot; what went is no longer held.
TEST(LiveCharacterList, RemovalsKeepTheOrderAtOnceOrWhenTheHoldEnds)
{
    CharacterObject a("a"), b("b"), c2("c"), d("d"), e("e");
    CharacterObject* const c[] = {&a, &b, &c2, &d, &e};
    LiveCharacterList list {c[0], c[1], c[2], c[3]};
    EXPECT_FALSE(list.Remove(c[4]));
    EXPECT_TRUE(list.Remove(c[1]));
    EXPECT_EQ(list, (std::vector<CharacterObject*> {c[0], c[2], c[3]}));
    {
        const LiveCharacterList::RemovalHold hold(list);
        EXPECT_TRUE(list.Remove(c[2]));
        EXPECT_FALSE(list.Remove(c[2]));
        EXPECT_EQ(list, (std::vector<CharacterObject*> {c[0], nullptr, c[3]}));
        list.push_back(c[4]);
        list.MoveLastBefore(c[3]);
        EXPECT_EQ(list, (std::vector<CharacterObject*> {c[0], nullptr, c[4], c[3]}));
        EXPECT_TRUE(list.Remove(c[3]));
    }
    EXPECT_EQ(list, (std::vector<CharacterObject*> {c[0], c[4]}));
    EXPECT_FALSE(list.Contains(c[2]));
    EXPECT_TRUE(list.Contains(c[4]));
    list.push_back(c[1]);
    list.MoveLastBefore(c[1]); // itself, the last: stays
    list.MoveLastBefore(c[0]);
    EXPECT_EQ(list, (std::vector<CharacterObject*> {c[1], c[0], c[4]}));
    EXPECT_TRUE(list.Remove(c[0]));
    EXPECT_TRUE(list.Remove(c[4]));
    EXPECT_EQ(list, (std::vector<CharacterObject*> {c[1]}));
}
