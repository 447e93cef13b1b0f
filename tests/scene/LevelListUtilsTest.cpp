#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scene/LevelListUtils.h"
#include "scene/Sprite.h"

TEST(SortByCount, OrdersByKeyAndKeepsEqualKeysInOrder)
{
    std::string a = "a", b = "b", c = "c", d = "d";
    std::vector<std::string*> items {&a, &b, &c, &d};
    std::vector<int32_t> keys {2, 1, 2, -5};
    SortByCount(items, keys);
    EXPECT_EQ(keys, (std::vector<int32_t> {-5, 1, 2, 2}));
    EXPECT_EQ(items, (std::vector<std::string*> {&d, &b, &a, &c}));
}

TEST(CountSerializable, CountsNullAndUnskippedEntries)
{
    Sprite kept1("a", "a.png", 0, 0, 1, 1);
    Sprite kept2("b", "b.png", 0, 0, 1, 1);
    Sprite skipped("c", "c.png", 0, 0, 1, 1);
    skipped.SetSkipSerialize(true);
    std::vector<ISerialization*> list {&kept1, &skipped, nullptr, &kept2};
    EXPECT_EQ(CountSerializable(list), 3);
}

TEST(EraseAt, RemovesOnlyIndexesInsideTheList)
{
    std::string a = "a", b = "b", c = "c";
    std::vector<std::string*> list {&a, &b, &c};
    EraseAt(3, list);
    EraseAt(-1, list);
    EXPECT_EQ(list.size(), 3u);
    EraseAt(1, list);
    EXPECT_EQ(list, (std::vector<std::string*> {&a, &c}));
}
