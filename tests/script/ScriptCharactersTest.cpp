#include "characters/FullScreenParticleSystem.h"
#include "characters/Player.h"
#include "scene/AnimatedSprite.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Sprite.h"
#include "script/BGEvent_ChangeNPCPosTo.h"
#include "script/BGEvent_WaitEndOfAnimation.h"
#include "script/NPC_Script.h"
#include "tests/script/ScriptFixture.h"

#include <gtest/gtest.h>

namespace {

TEST(ScriptCharacter, GlidesAlongItsDirectionAtItsSpeed)
{
    NPC_Script actor("keeper");
    actor.SetPosition(Point<float>(100.0f, 50.0f));
    actor.SetDirection(Point<float>(1.0f, 0.0f));
    actor.SetSpeedValue(2.0f);
    actor.Update(500.0);
    EXPECT_FLOAT_EQ(actor.GetPosition().x, 132.0f);
    EXPECT_FLOAT_EQ(actor.GetPosition().y, 50.0f);
    actor.SetSpeedValue(0.0f);
    actor.SetState(7);
    actor.Update(33.0);
    EXPECT_FLOAT_EQ(actor.GetPosition().x, 132.0f);
    EXPECT_EQ(actor.GetPreviousState(), 7);
}

// A game with a level, a player, two script characters and a library of a
// still object and a looping animation.
class ScriptCharacters : public ScriptFixture {
protected:
    void SetUp() override
    {
        ScriptFixture::SetUp();
        game.SetPlayer(std::make_unique<Player>("Player"));
        keeper = static_cast<NPC_Script*>(game.CreateCharacterByClass("keeper", "NPC_Script", nullptr));
        spot = static_cast<NPC_Script*>(game.CreateCharacterByClass("keeper_spot", "NPC_Script", nullptr));
        ASSERT_NE(keeper, nullptr);
        ASSERT_NE(spot, nullptr);
        still.AddSpriteInstance(&frame0, 0, 0);
        still.SetSize(24, 40, true);
        loop.AddFrame(&frame0, 100.0f, 0.0f);
        loop.SetLoopStart(0);
        looping.AddAnimatedInstance(&loop, 0, 0);
        looping.SetSize(16, 16, true);
        game.nameMap["Still"] = &still;
        game.nameMap["Looping"] = &looping;
        owner.SetLevel(&level);
    }
    void TearDown() override
    {
        game.nameMap.clear();
        ScriptFixture::TearDown();
    }
    Script& Trigger(const std::string& text)
    {
        Script& script = Make(text);
        script.SetOwnerInstance(&owner);
        return script;
    }

    NPC_Script* keeper = nullptr;
    NPC_Script* spot = nullptr;
    Sprite frame0 {"f0", "f.png", 0, 0, 15, 15};
    AnimatedSprite loop {"loop"};
    GraphicalObject still {"Still"};
    GraphicalObject looping {"Looping"};
    Level::Instance owner;
};

TEST_F(ScriptCharacters, AWalkSnapsOntoItsTargetWithinSpeedPlusOne)
{
    keeper->SetPosition(Point<float>(0.0f, 0.0f));
    spot->SetPosition(Point<float>(40.0f, 30.0f));
    BGEvent_ChangeNPCPosTo walk("w", keeper, 3.0f, 40, 30);
    EXPECT_FLOAT_EQ(keeper->GetDirection().x, 0.8f);
    EXPECT_FLOAT_EQ(keeper->GetDirection().y, 0.6f);
    int ticks = 0;
    while (!walk.IsFinished() && ticks < 100) {
        keeper->Update(33.0);
        walk.Update();
        ++ticks;
        if (!walk.IsFinished()) {
            const Point<float> p = keeper->GetPosition();
            const float dx = static_cast<float>(static_cast<int>(p.x)) - 40.0f;
            const float dy = static_cast<float>(static_cast<int>(p.y)) - 30.0f;
            EXPECT_GT(dx * dx + dy * dy, 16.0f) << ticks;
        }
    }
    // 50 pixels at 3 x 32 x 0.033 = 3.168 a frame.
    EXPECT_NEAR(ticks, 15, 1);
    EXPECT_EQ(keeper->GetPosition(), Point<float>(40.0f, 30.0f));
    EXPECT_EQ(keeper->GetSpeedValue(), 0.0f);
}

TEST_F(ScriptCharacters, AWalkWithoutACharacterOrWhoseCharacterWentNeverFinishes)
{
    BGEvent_ChangeNPCPosTo nobody("w", nullptr, 2.0f, 0, 0);
    for (int i = 0; i < 10; ++i)
        nobody.Update();
    EXPECT_FALSE(nobody.IsFinished());
    BGEvent_ChangeNPCPosTo walk("w", keeper, 2.0f, 500, 0);
    game.DeleteCharacter(keeper);
    walk.Update();
    EXPECT_FALSE(walk.IsFinished());
}

TEST_F(ScriptCharacters, EndOfAnimationWaitsForANonLoopingAnimation)
{
    keeper->SetOwnedGraphical(
        std::unique_ptr<GraphicalObject>(static_cast<GraphicalObject*>(looping.Clone(true))));
    BGEvent_WaitEndOfAnimation loopingWait("w", keeper);
    for (int i = 0; i < 20; ++i)
        loopingWait.Update();
    EXPECT_FALSE(loopingWait.IsFinished());
    keeper->SetOwnedGraphical(
        std::unique_ptr<GraphicalObject>(static_cast<GraphicalObject*>(still.Clone(true))));
    loopingWait.Update();
    EXPECT_TRUE(loopingWait.IsFinished());
}

TEST_F(ScriptCharacters, CommandsReachEveryCharacterOfAName)
{
    Script& script
        = Trigger("SendMessageTo keeper disable;SetGraphical keeper Still;SetGraphical keeper Unknown;"
                  "Event_ChangeNPCTargetToLocator keeper keeper_spot 2;"
                  "Event_ChangeNPCTargetToLocator nobody keeper_spot 2;waitEvent_WaitEndOfAnimation keeper;"
                  "SetPlayerFullLife");
    spot->SetPosition(Point<float>(64.0f, 0.0f));
    // An enemy of the same name takes the new look too, as its own copy.
    CharacterObject* door = game.CreateCharacterByClass("keeper", "NPC_Door", nullptr);
    ASSERT_NE(door, nullptr);
    game.GetPlayer()->SetMaxLife(5);
    game.GetPlayer()->SetLife(1);
    RunToEnd(script);
    EXPECT_EQ(ErrorCount(), 0);
    EXPECT_FALSE(keeper->IsEnabled());
    for (CharacterObject* named : {static_cast<CharacterObject*>(keeper), door}) {
        ASSERT_NE(named->GetCurrentGraphical(), nullptr);
        EXPECT_EQ(named->GetCurrentGraphical()->GetName(), "Still");
        EXPECT_NE(named->GetCurrentGraphical(), &still);
    }
    EXPECT_NE(keeper->GetCurrentGraphical(), door->GetCurrentGraphical());
    EXPECT_EQ(keeper->GetSpeedValue(), 2.0f);
    EXPECT_EQ(game.GetPlayer()->GetLife(), 5);
    // Without a trigger the trigger commands fail.
    RunToEnd(Make("SetGraphical keeper Still;Event_WaitEndOfAnimation keeper"));
    EXPECT_EQ(ErrorCount(), 2);
}

TEST_F(ScriptCharacters, FullScreenParticleCellsAreAtLeastOnePixel)
{
    level.CreateLayer(Level::kScene, "Collisions", nullptr, 512, 448, 64, 64);
    Layer* sky = level.CreateLayer(Level::kBackground, "BG_Sky", nullptr, 512, 448, 64, 64);
    struct Case {
        std::string gaps;
        size_t pool;
    };
    // Objects 24 x 40 and 16 x 16: cells of the largest plus the gaps.
    const Case cases[] = {
        {"0 0", (448 / 40 + 8) * (512 / 24 + 8)},
        {"8 -10", (448 / 30 + 8) * (512 / 32 + 8)},
        {"-100 -100", (448 + 8) * (512 + 8)},
    };
    for (const Case& c : cases) {
        RunToEnd(
            Make("AddFullscreenParticles BG_Sky " + c.gaps + " Still,Looping,Missing 1 2 3 4 5 6 7 8 9"));
        auto* system
            = dynamic_cast<ParticleSystem*>(sky->GetParticleSystem(sky->GetParticleSystemCount() - 1));
        ASSERT_NE(system, nullptr) << c.gaps;
        EXPECT_EQ(system->GetPoolSize(), c.pool) << c.gaps;
        EXPECT_EQ(system->GetSprites().size(), 2u);
    }
    EXPECT_EQ(sky->GetParticleSystemCount(), 3u);
    // Twelve tokens, or a layer nowhere, are errors.
    RunToEnd(Make("AddFullscreenParticles BG_Sky 0 0 Still 1 2 3 4 5 6 7 8;"
                  "AddFullscreenParticles Nowhere 0 0 Still 1 2 3 4 5 6 7 8 9"));
    EXPECT_EQ(ErrorCount(), 2);
}

TEST_F(ScriptCharacters, ACharactersMessageReleasesAWaitingScript)
{
    Script& script = Make("waitEvent_WaitMessage Keeper_State_DIE;Record released");
    Frame(&script);
    keeper->Die();
    Frame(&script);
    Frame(&script);
    EXPECT_EQ(record, (std::vector<std::string> {"Test: released"}));
}

} // namespace
