#include "game/Game.h"
#include "script/ScriptVar.h"
#include "tools/run/HeartPlayer.h"

#include "tests/run/RunFixture.h"

#include <iostream>
#include <string>

// The Heart as an ordinary player meets it, with what the world has given
// him by then (8 life, the fourth rank, both armors at level 2) and no god
// flag: he sees only what is drawn, reacts 400 ms after a danger shows,
// swings at most once every 20 passes and keeps to one plain way. Each way
// must win at least 4 of 5 seeds.
namespace {

class RunLegHeart : public RunFixture {
protected:
    struct Tally {
        int wins = 0;
        std::string figures;
    };

    Tally PlayFiveSeeds(HeartPlayer::Way way)
    {
        Tally tally;
        for (uint32_t seed = 1; seed <= 5; ++seed) {
            platform::ScopedRandomSeed fightSeed {seed};
            // A fresh fight: not won yet (the level is entered again once
            // the game has taken the last win's variables back), the world's
            // end-game stats.
            EXPECT_TRUE(game.console.ExecuteCommand("god 0"));
            for (int entry = 0; entry < 2; ++entry) {
                EXPECT_TRUE(game.console.ExecuteCommand("changelevel cemetery_heart.lvl from_crypt"));
                pilot->Pass();
                if (ScriptVar* won = Game::FindSaveVar("done_h"))
                    won->SetValue("0");
            }
            Player* player = game.GetPlayer();
            if (player == nullptr) {
                ADD_FAILURE() << "no player at seed " << seed;
                continue;
            }
            player->SetMaxLife(8);
            player->SetLife(8);
            // (The last fight's ending left his keys ignored.)
            player->SetInputLocked(false);
            EXPECT_TRUE(game.console.ExecuteCommand("setplayerattackrank 4"));
            EXPECT_TRUE(game.console.ExecuteCommand("enableplayerarmors"));
            WearIceWithBothArmorsAtLevel2(*player);
            const HeartPlayer::Result result = HeartPlayer(*pilot, way).Fight(9000);
            if (result.won) {
                // The ending plays out (the words read on), and a key brings
                // the title back.
                EXPECT_TRUE(pilot->WaitUntil([&] { return game.endingMode > 0; }, 1500));
                pilot->Hold({}, 95);
                pilot->Tap(RunPilot::Jump);
                EXPECT_TRUE(pilot->WaitUntil([&] { return game.endingMode == 0 && game.menuFlag; }, 60));
            } else {
                // A lost fight ends on the death screen: the game brings the
                // player back before the next one.
                EXPECT_TRUE(pilot->WaitUntil(
                    [&] { return game.GetPlayer() != nullptr && game.GetPlayer()->GetLife() > 0; }, 600));
            }
            EXPECT_FALSE(game.godMode);
            tally.wins += result.won ? 1 : 0;
            tally.figures += " seed " + std::to_string(seed) + ": "
                + (result.won ? "won, " + std::to_string(result.lifeLeft) + " life left, lowest "
                            + std::to_string(result.lowestLife)
                              : "lost at " + result.lostAt)
                + " (" + std::to_string(result.passes) + " passes);";
        }
        std::cout << tally.wins << " of 5 won:" << tally.figures << "\n";
        return tally;
    }
};

TEST_F(RunLegHeart, StandingAtEachWallAndStrikingWinsFourOfFiveSeeds)
{
    const Tally tally = PlayFiveSeeds(HeartPlayer::Way::AtTheWalls);
    EXPECT_GE(tally.wins, 4) << tally.figures;
}

TEST_F(RunLegHeart, SteppingBackFromEachShownStoneWinsFourOfFiveSeeds)
{
    const Tally tally = PlayFiveSeeds(HeartPlayer::Way::StepBackFromStones);
    EXPECT_GE(tally.wins, 4) << tally.figures;
}

TEST_F(RunLegHeart, StandingOneStepBackFromTheWestWallWinsFourOfFiveSeeds)
{
    const Tally tally = PlayFiveSeeds(HeartPlayer::Way::OneStepBackFromTheWest);
    EXPECT_GE(tally.wins, 4) << tally.figures;
}

} // namespace
