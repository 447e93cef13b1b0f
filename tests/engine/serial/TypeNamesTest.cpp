#include "engine/serial/TypeNames.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

TEST(TypeNamesTest, HoldsOneHundredFiftyDistinctNamesInBuildOrder)
{
    const auto& all = TypeNames::All();
    ASSERT_EQ(all.size(), 150u);
    std::set<std::string> distinct;
    for (const std::string* name : all) {
        ASSERT_NE(name, nullptr);
        EXPECT_FALSE(name->empty());
        distinct.insert(*name);
    }
    EXPECT_EQ(distinct.size(), 150u);
    EXPECT_EQ(*all.front(), "CharacterObject");
    EXPECT_EQ(*all[11], "Climb_Zone");
    EXPECT_EQ(*all.back(), "UI_Menu");
}

TEST(TypeNamesTest, ThreeKeysDifferFromTheirClass)
{
    EXPECT_EQ(TypeNames::Zone_ClimbJump, "Climb_Zone");
    EXPECT_EQ(TypeNames::Zone_TriggerScript, "Zone_TriggerZone");
    EXPECT_EQ(TypeNames::Zone_NPCSpawner_FloatingSkull, "Zone_NPCSPawner_FloatingSkull");

    // The class names themselves are not keys.
    std::set<std::string> keys;
    for (const std::string* name : TypeNames::All())
        keys.insert(*name);
    EXPECT_EQ(keys.count("Zone_ClimbJump"), 0u);
    EXPECT_EQ(keys.count("Zone_TriggerScript"), 0u);
    EXPECT_EQ(keys.count("Zone_NPCSpawner_FloatingSkull"), 0u);
    EXPECT_EQ(TypeNames::CollisionBox + "V0", "CollisionBoxV0");
}

TEST(TypeNamesTest, CharacterEventPrototypesInOrder)
{
    const auto& events = CharacterEventNames::All();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(*events[0], "OnExplose");
    EXPECT_EQ(*events[1], "OnSpecial_01");
    EXPECT_EQ(*events[2], "OnExploseWithPower");
}
