#include "game/Game.h"

#include "characters/CharacterObject.h"
#include "characters/Player.h"
#include "characters/PlayerWorld.h"
#include "engine/platform/Clock.h"
#include "engine/serial/TypeNames.h"
#include "game/GameFlowCommands.h"
#include "scene/GraphicalObject.h"
#include "scene/Level.h"
#include "scene/SpacialInstance.h"
#include "script/NPC_Script.h"

#include "tests/game/FixedStepClock.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

namespace {

// A character that counts its updates and notes its deletion.
class CountingCharacter : public CharacterObject {
public:
    CountingCharacter(std::string name, std::vector<std::string>& deletedNames)
        : CharacterObject(name)
        , deleted(deletedNames)
    {
    }
    ~CountingCharacter() override { deleted.push_back(GetName()); }
    void Update(double step) override
    {
        ++updates;
        lastStep = step;
        if (onUpdate)
            onUpdate();
    }
    void Die() override
    {
        ++deaths;
        CharacterObject::Die();
    }
    bool IsDead() const override { return dying; }

    bool dying = false;
    int updates = 0;
    int deaths = 0;
    double lastStep = 0.0;
    std::function<void()> onUpdate;
    std::vector<std::string>& deleted;
};

class ScriptCharacter : public NPC_Script {
public:
    explicit ScriptCharacter(std::string name)
        : NPC_Script(std::move(name))
    {
    }
    void Update(double) override { ++updates; }
    bool IsDead() const override { return dying; }
    bool dying = false;
    int updates = 0;
};

class CountingPlayer : public Player {
public:
    using Player::Player;
    void UpdateInputs(double, AbstractInputManager*) override { ++updates; }
    int updates = 0;
};

// A game whose library binds the UI frames (an empty library).
class GameFrame : public testing::Test {
protected:
    void SetUp() override
    {
        std::istringstream empty("GameV0\r\nQuenholt\r\n0\r\n0\r\n0\r\n0\r\n");
        game.UnSerialize(empty);
    }
    // Outlives the game, which deletes the characters left.
    std::vector<std::string> deleted;
    FixedStepClock fixedStep;
    Game game;
};

} // namespace

TEST_F(GameFrame, TheCensusRemovesTheDeadAndSparesAllButScriptCharactersWhilePaused)
{
    auto* alive = new CountingCharacter("alive", deleted);
    auto* dead = new CountingCharacter("dead", deleted);
    auto* script = new ScriptCharacter("script");
    dead->dying = true;
    game.liveCharacters = {alive, dead, script};

    game.UpdateCharacters(true, 33.0);
    EXPECT_TRUE(deleted.empty()); // paused: even the dead one stays
    EXPECT_EQ(alive->updates, 0);
    EXPECT_EQ(script->updates, 1);

    script->dying = true;
    game.UpdateCharacters(true, 33.0);
    EXPECT_EQ(game.liveCharacters.size(), 2u); // the script character went
    EXPECT_EQ(alive->updates, 0);

    game.console.debug = true;
    game.console.messages.clear();
    game.UpdateCharacters(false, 33.0);
    EXPECT_EQ(deleted, (std::vector<std::string> {"dead"}));
    ASSERT_EQ(game.liveCharacters.size(), 1u);
    EXPECT_EQ(alive->updates, 1);
    EXPECT_EQ(alive->lastStep, 33.0);
    // The census in debug mode: the text, a blank and the count.
    ASSERT_EQ(game.console.messages.size(), 1u);
    EXPECT_EQ(game.console.messages.front().text, "NPC In Scene Alive :  1");
    EXPECT_EQ(game.console.messages.front().colour, 0xFFC8C8C8u);
}

// Say a flame its launcher puts out; the list closes up behind the walk.
TEST_F(GameFrame, ACharacterRemovedDuringTheWalkTakesNoOtherCharactersTurn)
{
    std::vector<CountingCharacter*> row;
    for (const char* name : {"a", "b", "c", "d", "e"})
        game.liveCharacters.push_back(row.emplace_back(new CountingCharacter(name, deleted)));
    row[2]->onUpdate = [&] { game.DeleteCharacter(row[0]); };
    row[3]->onUpdate = [&] { game.DeleteCharacter(row[4]); };
    game.UpdateCharacters(false, 33.0);
    EXPECT_EQ(deleted, (std::vector<std::string> {"a", "e"}));
    for (int i : {1, 2, 3})
        EXPECT_EQ(row[i]->updates, 1) << row[i]->GetName();
    EXPECT_EQ(game.liveCharacters, (std::vector<CharacterObject*> {row[1], row[2], row[3]}));
    EXPECT_FALSE(game.IsLiveCharacter(row[0], "a"));
    EXPECT_TRUE(game.IsLiveCharacter(row[3], "d"));
}

TEST_F(GameFrame, TheLaterOfTwoLevelRequestsWinsAndTheConsoleAsksTheSameWay)
{
    game.RequestLevelChange("first.lvl", "a");
    EXPECT_TRUE(CmdChangeLevel("second.lvl \"gate west\""));
    EXPECT_EQ(game.pendingLevelFile, "second.lvl");
    EXPECT_EQ(game.startPointName, "gate west");
    EXPECT_TRUE(CmdChangeLevel("third.lvl"));
    EXPECT_EQ(game.startPointName, ""); // the default start point
    EXPECT_FALSE(CmdChangeLevel(""));
    EXPECT_FALSE(game.console.ExecuteCommand("setframedelay fast"));
    EXPECT_EQ(game.frameDelay, 33);
}

TEST_F(GameFrame, PacingUsesTheFrameDelayAndTheCatchUpOption)
{
    // The delay "setframedelay" set and the configuration's catch-up option.
    ASSERT_TRUE(game.console.ExecuteCommand("setframedelay 40"));
    game.timeStep = 30.0;
    game.UpdateFramePacing();
    EXPECT_EQ(game.fixedStepTick, 0);
    EXPECT_DOUBLE_EQ(game.MillisecondsToNextTick(), 10.0);
    game.GetConfig()->SetFrameCatchUp(false);
    game.timeStep = 50.0;
    game.UpdateFramePacing();
    EXPECT_EQ(game.fixedStepTick, 1);
    EXPECT_DOUBLE_EQ(game.framePacing.accumulator, 0.0);
}

TEST_F(GameFrame, TheTitleScreenCountsUpdateFramesAndRunsNoGameplay)
{
    auto* character = new CountingCharacter("c", deleted);
    game.liveCharacters = {character};
    game.frameDelay = 0; // every pass is an update frame
    for (int i = 0; i < 3; ++i)
        fixedStep.Pass(game);
    EXPECT_EQ(game.frameCounter, 3);
    EXPECT_EQ(character->updates, 0); // the menu flag holds gameplay
    EXPECT_EQ(game.uiState, 0);

    game.SetMenuFlag(false);
    fixedStep.Pass(game);
    EXPECT_EQ(game.uiState, 1);
    EXPECT_EQ(character->updates, 1);
    EXPECT_DOUBLE_EQ(game.GetTimeStep(), Game::kFixedStepMs);

    // A loading frame after a long load refreshes the step: the next pass
    // measures from it.
    GraphicalObject loading("Game_LoadingScreen_512_448");
    game.loadingScreen = &loading;
    for (int i = 0; i < 15; ++i)
        fixedStep.Step();
    game.Render(false);
    fixedStep.Pass(game);
    EXPECT_DOUBLE_EQ(game.GetTimeStep(), Game::kFixedStepMs);
    game.loadingScreen = nullptr;
}

// The rules of play (the player's jump window) read the game's time: one
// fixed step per world step, however long the passes really took.
TEST_F(GameFrame, TheGameTimeMovesOneFixedStepPerWorldStepWhateverThePassesTook)
{
    platform::ScopedManualClock clock;
    game.SetMenuFlag(false);
    game.GetConfig()->SetFrameCatchUp(true);
    game.Update(); // the first pass only starts the clock
    ASSERT_EQ(game.fixedStepTick, 0);
    const double start = game.GetGameTimeMs();
    struct Case {
        double passMs;
        bool tick;
    };
    // A slow pass of 200 ms is one update frame, not six; two short passes
    // gather the next.
    for (const Case c : {Case {200.0, true}, Case {5.0, false}, Case {26.0, true}}) {
        clock.Advance(c.passMs);
        game.Update();
        EXPECT_EQ(game.fixedStepTick != 0, c.tick) << c.passMs;
    }
    EXPECT_DOUBLE_EQ(game.GetGameTimeMs() - start, 2 * Game::kFixedStepMs);
    ASSERT_NE(GetPlayerWorld(), nullptr);
    EXPECT_DOUBLE_EQ(GetPlayerWorld()->GetTimeMs(), game.GetGameTimeMs());
}

// The arrival's 30 update frames, counted after the player's step, give the
// player no update; the frame that ends them does not either.
TEST_F(GameFrame, ThePlayerWaitsForItsArrivalToEnd)
{
    Level level("arrival");
    game.SetCurrentLevel(&level);
    auto* player = new CountingPlayer("Player");
    game.SetPlayer(std::unique_ptr<Player>(player));
    game.SetMenuFlag(false);
    game.frameDelay = 0;
    game.arrivalCounter = 28;
    std::vector<std::pair<int, int>> frames;
    for (int i = 0; i < 3; ++i) {
        fixedStep.Pass(game);
        frames.push_back({game.arrivalCounter, player->updates});
    }
    EXPECT_EQ(frames, (std::vector<std::pair<int, int>> {{29, 0}, {-1, 0}, {-1, 1}}));
    game.SetCurrentLevel(nullptr);
}
