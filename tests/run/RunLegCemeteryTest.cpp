#include "bosses/NPC_Boss_Ultimate.h"
#include "characters/Player.h"
#include "enemies/NPC_Door.h"
#include "game/GameSaveData.h"
#include "game/GameUIAccess.h"
#include "script/ScriptVar.h"
#include "tools/run/RunLegs.h"
#include "tools/run/RunMoves.h"
#include "ui/UI_Frame_Text.h"

#include "tests/run/RunFixture.h"

#include <algorithm>
#include <chrono>
#include <iostream>

// The cemetery's two legs flown by keys: the opening one from the intro of a
// new game to the Well Head, and the finale from a hub with the six second
// bosses down, through the Crypt and the Heart to the ending and the title.
// Their levers, rings, score, achievements and what they make heard are the
// whole run's to check.
namespace {

class RunLegCemetery : public RunFixture {
protected:
    // Prints how long a flight took and how many passes it needed.
    void FlyTimed(const RunLeg& leg, const char* name)
    {
        const auto start = std::chrono::steady_clock::now();
        const int frames = pilot->Frame();
        Fly(leg);
        const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::cout << name << ": " << pilot->Frame() - frames << " passes, " << seconds << " s\n";
    }
};

// The moves the cemetery's legs are made of, each short, in the one-process
// run as well.
using RunMovesWorld = RunFixture;

TEST_F(RunMovesWorld, AStruckDoorOpensOnThePilotsClockAndLetsThePlayerThrough)
{
    Arrive("cemetery_01.lvl", "from_cemetery_02");
    ASSERT_TRUE(game.console.ExecuteCommand("setplayerattackrank 2"));
    auto* door = dynamic_cast<NPC_Door*>(game.FindCharacterByName("gate_door", nullptr));
    ASSERT_NE(door, nullptr);
    // From the east side, a blow's reach from the door.
    ASSERT_TRUE(RunMoves::StandAt(*pilot, door->GetPosition().x + 48.0f)) << pilot->Failure();
    EXPECT_EQ(pilot->ThePlayer()->GetMoveState(), Player::kIdle);
    ASSERT_TRUE(RunMoves::StrikeUntil(
        *pilot, -1, [&] { return door->GetDoorState() != NPC_Door::kClosed; }, 60, "the door"))
        << pilot->Failure();
    // Every pass moves the game's clock by one frame, so the door's copy in
    // the collisions finishes opening.
    EXPECT_DOUBLE_EQ(game.GetTimeStep(), RunPilot::kPassMilliseconds);
    ASSERT_TRUE(pilot->WaitUntil([&] { return door->GetDoorState() == NPC_Door::kOpen; }, 120));
    EXPECT_TRUE(pilot->WalkTo(door->GetPosition().x - 96.0f, 200)) << pilot->Failure();
}

TEST_F(RunMovesWorld, AFightEndsWhenItsConditionHoldsAndFailsSayingWhatWasFought)
{
    Arrive("cemetery_01.lvl");
    ASSERT_TRUE(
        pilot->WaitUntil([&] { return pilot->SaveVar("intro_done") == "1" && !game.gameplayPaused; }));
    int passes = 0;
    EXPECT_TRUE(RunMoves::FightUntil(
        *pilot, [] { return nullptr; }, [&] { return ++passes > 3; }, 10, "nothing"));
    EXPECT_EQ(passes, 4);
    EXPECT_FALSE(RunMoves::FightUntil(
        *pilot, [] { return nullptr; }, [] { return false; }, 5, "a shadow"));
    EXPECT_NE(pilot->Failure().find("the fight with a shadow was not won in 5 passes"), std::string::npos)
        << pilot->Failure();
    // No foe in reach: the nearest of no name is none.
    EXPECT_EQ(RunMoves::Nearest(*pilot, {"no_such_character"}), nullptr);
    EXPECT_FALSE(RunMoves::PickupTaken(*pilot, "no_such_pickup"));
    EXPECT_FALSE(RunMoves::PickupTaken(*pilot, "rank_c01")) << "still lying in its niche";
}

TEST_F(RunLegCemetery, FromTheIntroThroughTheSkullToTheWellHead)
{
    Arrive("cemetery_01.lvl");
    FlyTimed(RunCemetery, "cemetery");
    EXPECT_EQ(pilot->LevelName(), "cimetery_tp_02.lvl");
    ASSERT_NE(pilot->ThePlayer(), nullptr);
    EXPECT_EQ(pilot->ThePlayer()->GetAttackRank(), 2);
    EXPECT_TRUE(pilot->ThePlayer()->IsModifierEnabled(Player::kDoubleJump));
    for (const char* var : {"intro_done", "urn_c01", "done_cm"})
        EXPECT_EQ(pilot->SaveVar(var), "1") << var;
    EXPECT_EQ(debug.Text().find("Script Error"), std::string::npos);
}

TEST_F(RunLegCemetery, FromTheChapelThroughTheCryptAndTheHeartToTheEndingAndTheTitle)
{
    // What the legs before leave: every ability, the fourth rank, the six
    // second bosses down.
    Arrive("Cimetery_TP_03.lvl");
    // The debug flag of the whole run, with which the Crypt's end types the
    // god flag off; the two max life rewards of the garden.
    ASSERT_TRUE(game.console.ExecuteCommand("debug"));
    game.GetPlayer()->SetMaxLife(8);
    game.GetPlayer()->SetLife(8);
    ASSERT_TRUE(game.console.ExecuteCommand("enableplayerarmors"));
    ASSERT_TRUE(game.console.ExecuteCommand("setplayerattackrank 4"));
    for (const char* done : {"done_b03", "done_v03", "done_s03", "done_l03", "done_u03", "done_g03"})
        game.CreateSaveVar(done)->SetValue("1");
    // The player's life through the Heart: its lowest, and what is left when
    // the maw is down.
    int lowest = 8, left = -1;
    pilot->SetAfterPass([&] {
        const Player* player = pilot->ThePlayer();
        if (player == nullptr || pilot->LevelName() != "cemetery_heart.lvl" || left >= 0)
            return;
        lowest = std::min(lowest, player->GetLife());
        if (pilot->SaveVar("done_h") == "1")
            left = player->GetLife();
    });
    FlyTimed(RunFinale, "finale");
    pilot->SetAfterPass({});

    // The Heart was fought without the god flag, which the Crypt's end typed
    // off, and won with hearts to spare: the stone by the maw holds the
    // Warden where its body, spikes, spit and claw do not reach him.
    EXPECT_FALSE(game.godMode);
    std::cout << "the Heart won with " << left << " of 8 life left (lowest " << lowest << ")\n";
    EXPECT_GE(left, 4);
    EXPECT_GE(lowest, 4);
    EXPECT_EQ(pilot->SaveVar("done_f"), "1");
    EXPECT_EQ(pilot->SaveVar("done_h"), "1");
    // Back on the title, the level let go.
    EXPECT_TRUE(game.menuFlag);
    EXPECT_EQ(game.GetCurrentLevel(), nullptr);
    EXPECT_EQ(game.endingMode, 0);
    // The ending's frame showed the completion and the time, then asked for
    // a key.
    auto* ending = dynamic_cast<UI_Frame_Text*>(game.endScoreFrame.get());
    ASSERT_NE(ending, nullptr);
    EXPECT_EQ(ending->GetText().rfind("DISCOVERED :", 0), 0u) << ending->GetText();
    EXPECT_NE(ending->GetText().find("%" + std::string(24, ' ') + "TIME :"), std::string::npos)
        << ending->GetText();
    // The frame is 448 wide; the world font's narrow blanks keep the 96
    // before the words and the words whole on one line, under the score.
    EXPECT_EQ(ending->GetSize().x, 448);
    const std::vector<std::string>& lines = ending->GetLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], std::string(96, ' ') + "PRESS ANY BUTTON ...");
    EXPECT_EQ(debug.Text().find("Script Error"), std::string::npos);

    // The win was saved at the place the Heart's stone saves, two steps east
    // of it, before the ending, with both of its achievements: Continue
    // finds the fight won.
    GameSaveData slot;
    std::vector<std::pair<std::string, int32_t>> trophies;
    ASSERT_TRUE(slot.ReadFile(GameSaveData::GetSlotPath(0), &trophies));
    EXPECT_EQ(slot.GetMapName(), "cemetery_heart.lvl");
    EXPECT_EQ(slot.GetPosition(), Point<float>(3 * 32.0f, 10 * 32.0f));
    const auto& vars = slot.GetSaveVars();
    EXPECT_TRUE(std::ranges::any_of(
        vars, [](const auto& var) { return var->GetName() == "done_h" && var->GetValue() == "1"; }));
    for (const char* name : {"Found the Cure", "Thanks Ombrix"})
        EXPECT_TRUE(std::ranges::find(trophies, std::pair<std::string, int32_t>(name, 1)) != trophies.end())
            << name;
    GameUIAccess(game).StartSaveSlot(0);
    pilot->Pass();
    ASSERT_EQ(pilot->LevelName(), "cemetery_heart.lvl");
    EXPECT_EQ(pilot->SaveVar("done_h"), "1");
    for (const char* name : {"Found the Cure", "Thanks Ombrix"})
        EXPECT_TRUE(game.GetAchievements().FindByName(name)->IsComplete()) << name;
    // Into the arena: no step of the fight starts again.
    ASSERT_TRUE(pilot->WalkTo(40 * 32.0f)) << pilot->Failure();
    pilot->Hold({}, 120);
    for (CharacterObject* body : game.FindCharactersByName("cell_etape_1", nullptr, true))
        EXPECT_NE(body->GetState(), NPC_Boss_Ultimate::kStep1Open);
    EXPECT_TRUE(game.FindCharactersByName("Projectile_Boss_Ultimate_Step1", nullptr, true).empty());
}

} // namespace
