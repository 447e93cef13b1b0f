#include "scene/PayloadFactory.h"

#include "scene/SceneObjectInstance.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

TEST(PayloadFactory, KnowsTheZoneAndPointKeysButReadsNoClassItDoesNotHave)
{
    for (const char* key : {"ZoneHolder::InstanceV0", "Zone_Teleport::InstanceV0", "ZoneInstanceV0",
             "Zone_NPCSpawner_Boss_Ultimate::InstanceV0", "Zone_TriggerScript::InstanceV0",
             "Point_PlayerStart::PointInstanceV0", "Point_MinimapLocation::PointInstanceV0"}) {
        EXPECT_TRUE(IsPayloadKey(key)) << key;
        std::istringstream is("field\r\n");
        EXPECT_EQ(CreatePayloadByKey(key, is), nullptr) << key;
        // Nothing of the payload's own lines was consumed.
        std::string line;
        std::getline(is, line);
        EXPECT_EQ(line, "field\r") << key;
    }
    // The point classes answer to their PointInstance keys only.
    EXPECT_FALSE(IsPayloadKey("Point_PlayerStart::InstanceV0"));
    EXPECT_FALSE(IsPayloadKey("NULL"));
    EXPECT_FALSE(IsPayloadKey(""));
    std::istringstream is("");
    EXPECT_EQ(CreatePayloadByKey("Unknown::InstanceV0", is), nullptr);
}

} // namespace
