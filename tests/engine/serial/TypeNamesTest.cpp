#include "engine/serial/TypeNames.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

TEST(TypeNamesTest, OneHundredFiftyDistinctKeysWithThreeThatDifferFromTheirClass)
{
    std::set<std::string> keys;
    for (const std::string* name : TypeNames::All()) {
        ASSERT_NE(name, nullptr);
        EXPECT_FALSE(name->empty());
        keys.insert(*name);
    }
    EXPECT_EQ(keys.size(), TypeNames::Count);
    EXPECT_EQ(TypeNames::Count, 150u);
    // Files use these keys as they stand, never the class names.
    EXPECT_EQ(TypeNames::Zone_ClimbJump, "Climb_Zone");
    EXPECT_EQ(TypeNames::Zone_TriggerScript, "Zone_TriggerZone");
    EXPECT_EQ(TypeNames::Zone_NPCSpawner_FloatingSkull, "Zone_NPCSPawner_FloatingSkull");
    for (const char* className : {"Zone_ClimbJump", "Zone_TriggerScript", "Zone_NPCSpawner_FloatingSkull"})
        EXPECT_EQ(keys.count(className), 0u) << className;
}
