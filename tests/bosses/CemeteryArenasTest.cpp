#include "bosses/BossFrame.h"
#include "bosses/NPC_Boss_Final.h"
#include "bosses/NPC_Boss_Ultimate.h"
#include "bosses/Projectile_Boss_Final.h"

#include "tests/bosses/CemeteryWorld.h"

#include <gtest/gtest.h>

#include <algorithm>

// The last fights in the world's own levels: the Chapel's crypt stair that
// opens with the six second bosses down, the Crypt's fight to its stair down
// to the Heart, and the Heart's three steps to the ending.
namespace {

using CemeteryArenas = CemeteryWorld;

const char* const kSecondBosses[] = {"done_b03", "done_v03", "done_s03", "done_l03", "done_u03", "done_g03"};

TEST_F(CemeteryArenas, WithFiveSecondBossesDownTheCryptStairStaysShut)
{
    EnterLevel("Cimetery_TP_03.lvl");
    for (int i = 0; i < 5; ++i)
        game.CreateSaveVar(kSecondBosses[i])->SetValue("1");
    StandIn("crypt_stairs");
    Passes(30);
    EXPECT_EQ(LevelName(), "cimetery_tp_03.lvl");
}

TEST_F(CemeteryArenas, WithTheSixDownTheCryptStairLeadsToTheCrypt)
{
    EnterLevel("Cimetery_TP_03.lvl");
    for (const char* done : kSecondBosses)
        game.CreateSaveVar(done)->SetValue("1");
    StandIn("crypt_stairs");
    ASSERT_GE(PassUntil([&] { return LevelName() == "cemetery_crypt.lvl"; }, 30), 0) << debug.Text();
    EXPECT_NE(NamedAs<NPC_Boss_Final>("boss_final"), nullptr);
}

TEST_F(CemeteryArenas, TheCryptsFightFollowsItsPhasesToItsEndAndOpensTheStairDown)
{
    EnterLevel("cemetery_crypt.lvl", "from_chapel");
    ThePlayer().SetInvulnerableFrames(1 << 20);
    Watched boss(NamedAs<NPC_Boss_Final>("boss_final"));
    ASSERT_NE(boss, nullptr);
    EXPECT_EQ(Look("gate_out_f"), "Gate_Closed");
    StandIn("arena_f");
    // The shake, then "start".
    ASSERT_GE(PassUntil([&] { return boss->GetState() == NPC_Boss_Final::kPhase1; }, 60), 0) << debug.Text();
    EXPECT_EQ(Look("gate_in_f"), "Gate_Closed");
    // Each phase's message is awaited in turn by the arena's script.
    // The Shade's words at the third phase are read on before its end.
    for (int phase = 1; phase <= 3; ++phase) {
        Strike(boss, phase < 3 ? 60 : 80);
        PassReadingOn([] { return false; }, 30);
    }
    EXPECT_EQ(boss->GetState(), NPC_Boss_Final::kDying);
    // The skulls of its last heads are struck down as they come.
    ASSERT_GE(PassUntil(
                  [&] {
                      for (CharacterObject* skull : Boss::FindAll(Projectile_Boss_Final::kSkullName))
                          skull->SetDead(true);
                      return !Live(boss);
                  },
                  600),
        0);
    ASSERT_GE(PassUntil([&] { return SaveVar("done_f") == "1"; }, 60), 0) << debug.Text();
    EXPECT_EQ(Look("gate_out_f"), "Gate_Open");
    EXPECT_EQ(Look("gate_in_f"), "Gate_Open");
    // A later visit finds the stair open and the boss gone from sight.
    EnterLevel("cemetery_crypt.lvl", "from_chapel");
    boss = Watched(NamedAs<NPC_Boss_Final>("boss_final"));
    ASSERT_NE(boss, nullptr);
    StandIn("arena_f");
    Passes(60);
    EXPECT_EQ(boss->GetCurrentGraphical(), nullptr);
    EXPECT_EQ(Look("gate_out_f"), "Gate_Open");
    // The stair leads down to the Heart.
    ThePlayer().SetPosition(Point<float>(31 * kTile + 4.0f, kFloor));
    ASSERT_GE(PassUntil([&] { return LevelName() == "cemetery_heart.lvl"; }, 30), 0) << debug.Text();
}

// Once the fight has shut the entry gate, the Warden stays east of it:
// leaping west at it again and again, and knocked west by the boss's
// touch in the air and on the floor, he never gets over it or through it.
TEST_F(CemeteryArenas, TheCryptsShutEntryGateHoldsTheWardenInTheFight)
{
    EnterLevel("cemetery_crypt.lvl", "from_chapel");
    auto* boss = NamedAs<NPC_Boss_Final>("boss_final");
    ASSERT_NE(boss, nullptr);
    StandIn("arena_f");
    ASSERT_GE(PassUntil([&] { return Look("gate_in_f") == "Gate_Closed"; }, 60), 0) << debug.Text();
    const float gateEast = Named("gate_in_f")->GetPosition().x + kTile;
    ThePlayer().SetPosition(Point<float>(gateEast + kTile, kFloor));
    float westmost = ThePlayer().GetWorldBox().left;
    for (int pass = 0; pass < 900; ++pass) {
        ThePlayer().SetLife(ThePlayer().GetMaxLife());
        InputActions keys;
        keys.x = -1.0f;
        // A jump, then a second one high in the air.
        if (pass % 40 < 6 || (pass % 40 >= 14 && pass % 40 < 18))
            keys.SetAction1();
        // The boss's touch, moving west, on the floor and at the top of a leap.
        if (pass % 40 == 0 || pass % 40 == 12) {
            boss->SetDirection(Point<float>(-1.0f, 0.0f));
            ThePlayer().ApplyDamage(boss, 1);
        }
        Pass(keys);
        westmost = std::min(westmost, ThePlayer().GetWorldBox().left);
    }
    EXPECT_GE(westmost, gateEast - 1.0f) << "the Warden got west of the shut gate";
}

TEST_F(CemeteryArenas, TheCryptsBossHoversWithinAJumpingBlowsReach)
{
    EnterLevel("cemetery_crypt.lvl", "from_chapel");
    ThePlayer().SetInvulnerableFrames(1 << 20);
    ThePlayer().SetAttackRank(2);
    auto* boss = NamedAs<NPC_Boss_Final>("boss_final");
    ASSERT_NE(boss, nullptr);
    ASSERT_TRUE(Send("boss_final", "start"));
    // Under it, at the top of its bob, the player jumps and strikes.
    int blows = 0;
    for (int pass = 0; pass < 400 && boss->GetLife() == NPC_Boss_Final::kMaxLife; ++pass) {
        const float under = boss->GetCenter().x - ThePlayer().GetSize().x / 2;
        if (ThePlayer().GetMoveState() == Player::kIdle || ThePlayer().GetMoveState() == Player::kWalk)
            ThePlayer().SetPosition(Point<float>(under, kFloor));
        InputActions keys;
        if (pass % 24 < 8)
            keys.SetAction1();
        if (pass % 24 >= 6 && pass % 24 < 10) {
            keys.SetAction3();
            ++blows;
        }
        Pass(keys);
    }
    EXPECT_LT(boss->GetLife(), NPC_Boss_Final::kMaxLife) << blows << " blows";
}

TEST_F(CemeteryArenas, TheHeartsThreeStepsEndInTheEnding)
{
    EnterLevel("cemetery_heart.lvl", "from_crypt");
    ThePlayer().SetInvulnerableFrames(1 << 20);
    auto bodies = [&](const char* name) {
        std::vector<NPC_Boss_Ultimate*> found;
        for (CharacterObject* c : Boss::FindAll(name))
            if (auto* body = dynamic_cast<NPC_Boss_Ultimate*>(c))
                found.push_back(body);
        return found;
    };
    ASSERT_EQ(bodies("cell_etape_1").size(), 2u);
    ASSERT_EQ(bodies("cell_etape_2").size(), 1u);
    const Watched maw(NamedAs<NPC_Boss_Ultimate>("NPC_Boss_Ultimate"));
    ASSERT_NE(maw, nullptr);
    StandIn("arena_h");
    // Each step is started by the script once the one before is over.
    const std::pair<const char*, int> steps[]
        = {{"cell_etape_1", NPC_Boss_Ultimate::kStep1Grow}, {"cell_etape_2", NPC_Boss_Ultimate::kStep2Pause}};
    for (const auto& [name, fighting] : steps) {
        for (NPC_Boss_Ultimate* body : bodies(name)) {
            ASSERT_GE(PassUntil([&, fighting = fighting] { return body->GetState() == fighting; }, 120), 0)
                << name;
            Strike(body, 40);
        }
    }
    ASSERT_GE(PassUntil([&] { return maw->GetState() == NPC_Boss_Ultimate::kStep3Idle; }, 120), 0)
        << debug.Text();
    Strike(maw, 300);
    EXPECT_TRUE(maw->IsExploding());
    // A player who keeps swinging for two seconds after the maw's picture is
    // gone (and 400 ms to see it) reads none of the last words on: they wait
    // until he has stopped.
    const auto wordsShown = [&] { return !game.uiFrames.empty() && game.uiFrames[0]->IsVisible(); };
    constexpr int kStopsAfter = 60 + 12;
    int sinceGone = -1;
    for (int pass = 0; pass < 900 && sinceGone < kStopsAfter; ++pass) {
        ASSERT_FALSE(wordsShown()) << "the words opened " << sinceGone << " passes after the maw was gone";
        sinceGone = Live(maw) && maw->GetCurrentGraphical() != nullptr ? -1 : sinceGone + 1;
        InputActions keys;
        if (pass % 20 == 0)
            keys.SetAction3();
        Pass(keys);
    }
    ASSERT_EQ(sinceGone, kStopsAfter);
    ASSERT_GE(PassUntil(wordsShown, 600), 0);
    Passes(60);
    EXPECT_TRUE(wordsShown());
    // Its death runs the ending: the last words, read on, then the ending.
    ASSERT_GE(PassReadingOn([&] { return game.endingMode == 1; }, 900), 0) << debug.Text();
    EXPECT_EQ(SaveVar("done_h"), "1");
    EXPECT_FALSE(Live(maw));
}

TEST_F(CemeteryArenas, AWonHeartShowsNoWallCellAliveWhenThePlayerComesBack)
{
    // Won on an earlier visit (the first level of a game starts its
    // variables afresh).
    EnterLevel("cemetery_crypt.lvl", "from_chapel");
    game.CreateSaveVar("done_h")->SetValue("1");
    EnterLevel("cemetery_heart.lvl", "from_crypt");
    ASSERT_EQ(SaveVar("done_h"), "1");
    Passes(10);
    StandIn("arena_h");
    Passes(60);
    for (const char* name : {"cell_etape_1", "cell_etape_2", "NPC_Boss_Ultimate"}) {
        for (CharacterObject* body : Boss::FindAll(name)) {
            if (dynamic_cast<NPC_Boss_Ultimate*>(body) == nullptr)
                continue;
            EXPECT_TRUE(!body->IsEnabled() || body->GetCurrentGraphical() == nullptr) << name;
        }
    }
}

} // namespace
