#include "bosses/NPC_MiniBoss_Garden.h"
#include "engine/platform/Random.h"

#include "tests/bosses/LibGardenArena.h"

#include <gtest/gtest.h>

// The creature under the Overgrown Walk: hidden while the player is away,
// its bottom rises under the player three to five times, then its body at a
// random place, each for one play of its animation and 30 hidden frames; and
// the whole arena of the garden mini-boss.
namespace {

const ArenaKit kWalk {"g01", "miniboss_garden", "miniboss_garden_State_DIE", "NPC_MiniBoss_Garden_GraphicalBody",
    26, "3", true, 5};

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
    // r1 = 0.5 gives 3 + 1.425 = 4 bottom rises; r2 = 0.25 a body a quarter
    // of the way along the ground less 128.
    const platform::ScopedRandomValues draws({0x80000000u, 0x40000000u, 0x00000000u, 0x00000000u});
    NPC_MiniBoss_Garden* creature = Enter();
    ASSERT_NE(creature, nullptr);
    EXPECT_EQ(creature->GetLife(), 20);
    EXPECT_EQ(creature->rect, Rect<int>(256, 64 + 160, 256 + 512, 64));
    EXPECT_EQ(creature->GetRiseCount(), 4);
    EXPECT_EQ(creature->GetTargetX(), static_cast<int>(0.25 * (512 - 128) + 256));
    // Away from its ground it stays hidden and its countdown waits.
    ThePlayer().SetPosition(Point<float>(64.0f, kFloor));
    Passes(50);
    EXPECT_EQ(creature->GetCurrentGraphical(), nullptr);
    // Inside: at once its bottom, centred under the player.
    std::vector<int> risesAt;
    std::vector<int> states;
    int frame = 0;
    GraphicalObject* last = nullptr;
    for (; frame < 800 && states.size() < 6; ++frame) {
        ThePlayer().SetPosition(Point<float>(400.0f, kFloor));
        Pass();
        GraphicalObject* now = creature->GetCurrentGraphical();
        if (now != nullptr && now != last) {
            risesAt.push_back(frame);
            states.push_back(creature->GetState());
            if (creature->GetState() == NPC_MiniBoss_Garden::kBottomOut)
                EXPECT_FLOAT_EQ(creature->GetPosition().x + now->GetSize().x * 0.5f,
                    400.0f + ThePlayer().GetSize().x * 0.5f);
            else
                EXPECT_FLOAT_EQ(creature->GetPosition().x, static_cast<float>(0.25 * (512 - 128) + 256));
        }
        last = now;
    }
    ASSERT_EQ(states.size(), 6u);
    EXPECT_EQ(risesAt.front(), 0);
    EXPECT_EQ(states, (std::vector<int> {1, 1, 1, 1, 0, 1}));
    // Each rise lasts its animation's play and 30 hidden frames follow.
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
    ASSERT_NE(PassUntil([&] { return creature->GetCurrentGraphical() != nullptr; }, 100), -1);
    Strike(creature, 19);
    EXPECT_FALSE(creature->IsExploding());
    Strike(creature, 1);
    EXPECT_TRUE(creature->IsExploding());
    EXPECT_EQ(game.slowMotionBudget, 0);
    FinishAndReload(kWalk, [&] { return Named("miniboss_garden"); });
}

} // namespace
