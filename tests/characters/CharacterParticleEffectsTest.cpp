#include "characters/CharacterObject.h"
#include "characters/EventParticleSystem.h"
#include "characters/LocalParticleSystem.h"
#include "characters/ParticleLinkCommand.h"

#include "script/BGEvent_HandleParticleSystem.h"
#include "tests/characters/CharacterTestSupport.h"
#include "tests/engine/platform/DebugCapture.h"

#include <gtest/gtest.h>

namespace {

// Burst definitions as the game library holds them, linked by the console
// command; the table is emptied after each test.
class ParticleLinks : public testing::Test {
protected:
    ParticleLinks()
    {
        game.characterClasses = {"NPC_CrouchSkull", "NPC_Boss_Snow"};
        back.SetInFront(false);
        front.SetInFront(true);
        game.systems = {{"Dust", &back}, {"Sparks", &front}};
    }
    ~ParticleLinks() override { EventParticleSystem::ClearLinks(); }
    charactertest::FakeCharacterGame game;
    LocalParticleSystem back {0, 0, 2, 2};
    LocalParticleSystem front {0, 0, 2, 2};
    DebugCapture debug;
    Layer* frontLayer = reinterpret_cast<Layer*>(0x10);
    Layer* backLayer = reinterpret_cast<Layer*>(0x20);
};

TEST_F(ParticleLinks, ALinkGivesEachNewCharacterOfExactlyThatClassItsOwnCopies)
{
    EXPECT_TRUE(AddParticleSystemInNpc({"OnExplose", "NPC_CrouchSkull", "Dust"}));
    EXPECT_TRUE(AddParticleSystemInNpc({"OnExplose", "NPC_CrouchSkull", "Dust"}));
    // The class may come first, as the settings files write it.
    EXPECT_TRUE(AddParticleSystemInNpc({"NPC_CrouchSkull", "OnExploseWithPower", "Sparks"}));

    CharacterObject skull("NPC_CrouchSkull");
    ASSERT_EQ(skull.GetOnExploseEffects().size(), 2u);
    EXPECT_NE(skull.GetOnExploseEffects()[0], &back); // copies, never the definition
    EXPECT_NE(skull.GetOnExploseEffects()[0], skull.GetOnExploseEffects()[1]);
    EXPECT_EQ(skull.GetOnExploseWithPowerEffects().size(), 1u);
    EXPECT_TRUE(skull.GetOnSpecialEffects().empty());

    CharacterObject lower("npc_crouchskull");
    EXPECT_TRUE(lower.GetOnExploseEffects().empty());
}

TEST_F(ParticleLinks, BadLinksAreSkippedWithTheirReason)
{
    EXPECT_FALSE(AddParticleSystemInNpc({"OnExplose", "NPC_Nobody", "Dust"}));
    EXPECT_NE(debug.Text().find("no character is made as \"NPC_Nobody\""), std::string::npos);
    EXPECT_FALSE(AddParticleSystemInNpc({"OnExplose", "NPC_CrouchSkull", "Smoke"}));
    EXPECT_NE(debug.Text().find("no particle system \"Smoke\""), std::string::npos) << debug.Text();
    EXPECT_FALSE(AddParticleSystemInNpc({"OnVanish", "NPC_CrouchSkull", "Dust"}));
    EXPECT_NE(debug.Text().find("no event \"OnVanish\""), std::string::npos) << debug.Text();
    EXPECT_FALSE(AddParticleSystemInNpc({"OnExplose", "NPC_CrouchSkull"}));
    for (const auto& record : EventParticleSystem::Table())
        EXPECT_TRUE(record->links.empty()) << record->name;
    EXPECT_EQ(EventParticleSystem::Table().size(), 3u);
}

TEST_F(ParticleLinks, DeathLaunchesItsSystemsIntoTheLayersByTheirFrontFlag)
{
    AddParticleSystemInNpc({"OnExplose", "NPC_Boss_Snow", "Dust"});
    AddParticleSystemInNpc({"OnExplose", "NPC_Boss_Snow", "Sparks"});
    AddParticleSystemInNpc({"OnExploseWithPower", "NPC_Boss_Snow", "Sparks"});
    game.frontLayer = frontLayer;
    game.backLayer = backLayer;

    CharacterObject boss("NPC_Boss_Snow");
    boss.SetSize(40, 20);
    boss.SetPosition(Point<float>(100.7f, 50.2f));
    LocalParticleSystem* dust = boss.GetOnExploseEffects()[0];
    boss.Die();
    // Without copying, the systems pass to the layers: the list is empty.
    EXPECT_TRUE(boss.GetOnExploseEffects().empty());
    ASSERT_EQ(game.placed.size(), 2u);
    EXPECT_EQ(game.placed[0].system.get(), dust);
    EXPECT_EQ(game.placed[0].layer, backLayer);
    EXPECT_EQ(game.placed[1].layer, frontLayer);
    // Each followed by its event at the centre, named after the owner.
    ASSERT_EQ(game.events.size(), 2u);
    auto* follow = dynamic_cast<BGEvent_HandleParticleSystem*>(game.events[1].get());
    ASSERT_NE(follow, nullptr);
    EXPECT_EQ(follow->GetName(), "LPS NPC_Boss_Snow");
    EXPECT_EQ(follow->GetPosition(), Point<int>(120, 60));
    EXPECT_FALSE(follow->GetRemoveWhenDone());
    EXPECT_EQ(dust->GetPosition(), Point<int>(120, 60));
    // The power list was not launched; it stays with the character.
    EXPECT_EQ(boss.GetOnExploseWithPowerEffects().size(), 1u);
}

TEST_F(ParticleLinks, APowerHitChoosesThePowerListAndCopiesStayWithTheirOwner)
{
    AddParticleSystemInNpc({"OnExplose", "NPC_Boss_Snow", "Dust"});
    AddParticleSystemInNpc({"OnExploseWithPower", "NPC_Boss_Snow", "Sparks"});
    game.frontLayer = frontLayer;
    CharacterObject boss("NPC_Boss_Snow");
    boss.SetPowerHit(1);
    boss.Die();
    ASSERT_EQ(game.placed.size(), 1u);
    EXPECT_EQ(game.placed[0].layer, frontLayer);
    EXPECT_TRUE(boss.GetOnExploseWithPowerEffects().empty());
    EXPECT_EQ(boss.GetOnExploseEffects().size(), 1u);

    // Copying leaves the list whole; a system no layer takes (no back layer
    // here) stays in the list, and its event is still made.
    std::vector<LocalParticleSystem*> list {&back, nullptr, &front};
    game.events.clear();
    CharacterObject::LaunchParticleEffect(nullptr, list, &boss, true, 5, 6);
    EXPECT_EQ(list, (std::vector<LocalParticleSystem*> {&back, nullptr, &front}));
    EXPECT_EQ(game.events.size(), 2u);
    EXPECT_EQ(game.placed.size(), 2u); // one more: the copy of the front system
    CharacterObject::LaunchParticleEffect(nullptr, list, &boss, false, 5, 6);
    EXPECT_EQ(list, (std::vector<LocalParticleSystem*> {&back, nullptr}));
    game.placed.back().system.release(); // the test's own system, not the layer's
}

} // namespace
