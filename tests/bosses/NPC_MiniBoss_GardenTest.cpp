#include "bosses/NPC_MiniBoss_Garden.h"
#include "engine/platform/Random.h"

#include "tests/bosses/LibGardenArena.h"

#include <gtest/gtest.h>

// The creature under the Overgrown Walk: hidden while the player is away,
// its bottom rises under the player three to five times, then its body at a
// random place, each for one play of its animation and 30 hidden frames; and
// the whole arena of the garden mini-boss.
namespace {

const ArenaKit kWalk {"g01", "miniboss_garden", "miniboss_garden_State_DIE",
    "NPC_MiniBoss_Garden_GraphicalBody", 26, "3", true, 5};

class MiniBossGarden : public LibGardenArena {
protected:
    // Its ground: 16 x 5 tiles from tile (8, 2).
    NPC_MiniBoss_Garden* Enter(const std::string& extra = "")
    {
        BossArena::Enter(extra + "place Zone_NPCSpawner_MiniBoss_Garden miniboss_garden 8 2 16x5\n");
        Pass();
        return NamedAs<NPC_MiniBoss_Garden>("miniboss_garden");
    }
};

TEST_F(MiniBossGarden, ItRisesUnderThePlayerSeveralTimesThenWholeAtItsDrawnPlace)
{
    NPC_MiniBoss_Garden* creature = Enter();
    ASSERT_NE(creature, nullptr);
    EXPECT_EQ(creature->GetLife(), 20);
    EXPECT_EQ(creature->area, Rect<int>(256, 64 + 160, 256 + 512, 64));
    // Three to five bottom rises, then the body somewhere that leaves 128
    // pixels before the far side.
    const int rises = creature->GetRiseCount();
    EXPECT_GE(rises, 3);
    EXPECT_LE(rises, 5);
    const int bodyX = creature->GetTargetX();
    EXPECT_GE(bodyX, 256);
    EXPECT_LE(bodyX, 256 + 512 - 128);
    // Away from its ground it stays hidden and its countdown waits.
    ThePlayer().SetPosition(Point<float>(64.0f, kFloor));
    Passes(50);
    EXPECT_EQ(creature->GetCurrentGraphical(), nullptr);
    // Inside: at once its bottom, centred under the player.
    std::vector<int> risesAt;
    std::vector<int> states;
    GraphicalObject* last = nullptr;
    for (int frame = 0; frame < 1200 && states.size() < static_cast<size_t>(rises) + 2; ++frame) {
        ThePlayer().SetPosition(Point<float>(400.0f, kFloor));
        Pass();
        GraphicalObject* now = creature->GetCurrentGraphical();
        if (now != nullptr && now != last) {
            risesAt.push_back(frame);
            states.push_back(creature->GetState());
            if (creature->GetState() == NPC_MiniBoss_Garden::kBottomOut) {
                EXPECT_FLOAT_EQ(creature->GetPosition().x + now->GetSize().x / 2,
                    400.0f + ThePlayer().GetSize().x * 0.5f);
                EXPECT_FLOAT_EQ(creature->GetPosition().y, kFloor);
            } else {
                EXPECT_FLOAT_EQ(creature->GetPosition().x, static_cast<float>(bodyX));
                // Its top at the ground's top.
                EXPECT_FLOAT_EQ(creature->GetPosition().y + now->GetSize().y, 64.0f + 160.0f - 1.0f);
            }
        }
        last = now;
    }
    std::vector<int> expected(static_cast<size_t>(rises), NPC_MiniBoss_Garden::kBottomOut);
    expected.push_back(NPC_MiniBoss_Garden::kBodyOut);
    expected.push_back(NPC_MiniBoss_Garden::kBottomOut);
    EXPECT_EQ(states, expected);
    ASSERT_GE(risesAt.size(), 3u);
    EXPECT_EQ(risesAt.front(), 0);
    // Each rise lasts one play of its animation, and 30 hidden frames follow.
    const int bottom = risesAt[1] - risesAt[0];
    EXPECT_EQ(risesAt[2] - risesAt[1], bottom);
    EXPECT_GT(bottom, 30);
}

TEST_F(MiniBossGarden, TheArenaRunsFromTheWalkInToTheRewardAndAReloadFindsTheFightDone)
{
    NPC_MiniBoss_Garden* creature = Enter(KitText(kWalk));
    ASSERT_NE(creature, nullptr);
    WalkIn(kWalk);
    // It surfaces by itself; each part that is out takes blows (dealt
    // directly: the creature is out only for moments).
    ASSERT_NE(PassUntil(
                  [&] {
                      ThePlayer().SetPosition(Point<float>(400.0f, kFloor));
                      return creature->GetCurrentGraphical() != nullptr;
                  },
                  100),
        -1);
    Strike(creature, 19);
    EXPECT_FALSE(creature->IsExploding());
    Strike(creature, 1);
    EXPECT_TRUE(creature->IsExploding());
    EXPECT_EQ(game.slowMotionBudget, 0);
    FinishAndReload(kWalk, [&] { return Named("miniboss_garden"); });
}

} // namespace
