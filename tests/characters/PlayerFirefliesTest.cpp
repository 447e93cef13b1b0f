#include "characters/Firefly.h"
#include "tests/characters/PlayerTestWorld.h"

#include <gtest/gtest.h>

using namespace playertest;

namespace {

class PlayerFireflies : public ::testing::Test, public PlayerFixture { };

TEST_F(PlayerFireflies, ThreeFirefliesWaitOverThePlayerUntilTheFinderRuns)
{
    ASSERT_EQ(player->GetFireflies().size(), 3u);
    const std::vector<std::string> names = {"Firefly01", "Firefly02", "Firefly03"};
    for (size_t i = 0; i < 3; ++i) {
        const Firefly& firefly = *player->GetFireflies()[i];
        EXPECT_EQ(firefly.GetName(), names[i]);
        EXPECT_TRUE(firefly.IsAttached());
        EXPECT_EQ(firefly.GetPosition(), Point<float>(32.0f, 64.0f));
        EXPECT_EQ(firefly.GetTrailLength(), 3) << "a streak of three after-images";
    }
    // Without the finder they are not moved by the update.
    Target secret("Secret", 300.0f, 0.0f, 1);
    world.characters.push_back(&secret);
    player->targetCharacters.push_back(&secret);
    for (int i = 0; i < 5; ++i)
        Step(Keys(0, 0));
    for (const auto& firefly : player->GetFireflies())
        EXPECT_FALSE(firefly->HasTarget());
}

TEST_F(PlayerFireflies, TheNearestTargetWithin512PixelsIsShownAndAFartherOneIsNot)
{
    player->secretFinder = true;
    Target far("Far", 100.0f + 600.0f, 0.0f, 1);
    Target near("Near", 100.0f + 200.0f, 0.0f, 1);
    Target gone("Gone", 100.0f + 100.0f, 0.0f, 1); // no longer a live character
    // Its middle is its position plus (15, 31): 511.9 px right of the
    // player's, 17 below, just beyond 512 px.
    Target edge("Edge", 628.9f, 0.0f, 1);
    world.characters = {&far, &near, &edge};
    player->targetCharacters = {&far, &gone, &edge};
    Step(Keys(0, 0));
    for (const auto& firefly : player->GetFireflies()) {
        EXPECT_FALSE(firefly->HasTarget());
        EXPECT_TRUE(firefly->IsAttached());
    }
    player->targetCharacters = {&far, &near};
    // Each leaves the player for the target once it picks its next point
    // (within the 30 updates of a wander).
    for (int i = 0; i < 31; ++i)
        Step(Keys(0, 0));
    for (const auto& firefly : player->GetFireflies()) {
        ASSERT_TRUE(firefly->HasTarget());
        // The near target's box: (300, 63)-(331, 0).
        EXPECT_EQ(firefly->GetTargetBox(), Rect<int>(300, 63, 331, 0));
        EXPECT_FALSE(firefly->IsAttached());
    }
    // A new level: back over the player, no target, the old targets gone.
    player->ResetForLevel(false);
    EXPECT_TRUE(player->targetCharacters.empty());
    for (const auto& firefly : player->GetFireflies()) {
        EXPECT_TRUE(firefly->IsAttached());
        EXPECT_FALSE(firefly->HasTarget());
        EXPECT_EQ(firefly->GetPosition(), Point<float>(32.0f, 64.0f));
    }
}

} // namespace
