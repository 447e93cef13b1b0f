#include "characters/Player.h"
#include "enemies/NPC_CrouchSkull.h"
#include "enemies/NPC_CrouchSkull_Ghost.h"
#include "enemies/NPC_FloatingSkull.h"
#include "enemies/Projectile_Fire_Launcher.h"
#include "enemies/Projectile_Thrower.h"
#include "engine/platform/Random.h"
#include "game/Game.h"
#include "scene/GraphicalObject.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

// The enemies' exact rules, on characters made by the game's factory in a
// game without a library (their looks are missing, so sizes are set by hand):
// the floating skull's destinations and hits, the crouching skull's
// knock-back, the thrown shot's arc and the ice armour's freeze.
namespace {

class EnemyRules : public ::testing::Test {
protected:
    template <class T> T* Make(const std::string& className, Point<float> at, Point<int> size)
    {
        auto* made = dynamic_cast<T*>(game.CreateCharacterByClass(className, className, nullptr));
        if (made != nullptr) {
            made->SetPosition(at);
            made->SetSize(size.x, size.y);
        }
        return made;
    }
    Player* MakePlayer(Point<float> at)
    {
        auto player = std::make_unique<Player>("Player");
        player->SetSize(64, 96);
        player->SetPosition(at);
        Player* kept = player.get();
        game.SetPlayer(std::move(player));
        return kept;
    }

    Game game;
};

TEST_F(EnemyRules, ARandomDestinationCloserThanAHundredPixelsIsPushedOutAlongItsLine)
{
    struct Case {
        uint32_t r1, r2;
        Point<int> destination;
    };
    // Zone (0, 400)-(400, 0); the skull at (0, 0) with no size.
    const Case cases[] = {
        {3, 4, {60, 80}},       // 5 px away: pushed out to 100 px
        {300, 400, {300, 400}}, // 500 px away: kept
        {0, 0, {0, 0}},         // on the skull itself: nowhere to push
        {401, 402, {0, 100}},   // draws wrap by the span (401): (0, 1), pushed out
    };
    auto* skull = Make<NPC_FloatingSkull>("NPC_FloatingSkull", {0.0f, 0.0f}, {0, 0});
    ASSERT_NE(skull, nullptr);
    skull->roamingRect = Rect<int>(0, 400, 400, 0);
    for (const Case& c : cases) {
        const platform::ScopedRandomValues draws({c.r1, c.r2});
        skull->PickRandomDestination();
        EXPECT_EQ(skull->GetDestination(), c.destination) << c.r1 << "," << c.r2;
    }
}

TEST_F(EnemyRules, FloatingSkullHitsCountByKindAndFrozenState)
{
    auto* attacker = Make<NPC_CrouchSkull>("NPC_CrouchSkull", {0.0f, 0.0f}, {48, 32});
    struct Case {
        int kind;
        bool frozen;
        int hitKind;
        int lifeAfter;
        int mark;
    };
    // Life 4, area hits of 1.
    const Case cases[] = {
        {0, false, 2, 2, 2}, // the plain skull is weak to ice
        {0, false, 1, 3, 0},
        {1, true, 1, 2, 1}, // a frozen ghost is weak to fire
        {1, true, 2, 3, 0},
        {5, false, 2, 4, 0}, // the garden shot is hurt by fire only
        {5, false, 1, 3, 1},
    };
    for (const Case& c : cases) {
        auto* skull = Make<NPC_FloatingSkull>("NPC_FloatingSkull", {200.0f, 0.0f}, {40, 40});
        skull->SetKind(c.kind);
        skull->SetLife(4);
        if (c.frozen)
            skull->Freeze();
        skull->ReceiveHit(attacker, c.hitKind, 1.0f);
        EXPECT_EQ(skull->GetLife(), c.lifeAfter) << "kind " << c.kind << " hit " << c.hitKind;
        EXPECT_EQ(skull->GetPowerHit(), c.mark) << "kind " << c.kind << " hit " << c.hitKind;
    }
}

TEST_F(EnemyRules, AFloatingSkullIsKnockedBackAwayFromItsAttackerAndDiesBelowOneLife)
{
    auto* skull = Make<NPC_FloatingSkull>("NPC_FloatingSkull", {100.0f, 0.0f}, {40, 40});
    auto* same = Make<NPC_FloatingSkull>("NPC_FloatingSkull", {100.0f, 50.0f}, {40, 40});
    skull->SetKind(0);
    skull->SetLife(1);
    skull->ApplyDamage(same, 2);
    EXPECT_EQ(skull->GetDirection(), Point<float>(-2.0f, 0.0f)) << "the same centre x pushes left";
    EXPECT_EQ(skull->GetState(), NPC_FloatingSkull::kKnockedBack);
    EXPECT_FLOAT_EQ(skull->GetSpeedValue(), 16.0f);
    EXPECT_EQ(skull->GetLife(), -1);
    EXPECT_TRUE(skull->IsDead());
    // Struck from the left, it flies right.
    same->SetPosition({200.0f, 0.0f});
    same->ApplyDamage(skull, 1);
    EXPECT_EQ(same->GetDirection(), Point<float>(2.0f, 0.0f));
}

TEST_F(EnemyRules, ACrouchingSkullIsKnockedBackOnlyByAnAttackerThatShows)
{
    auto* skull = Make<NPC_CrouchSkull>("NPC_CrouchSkull", {100.0f, 0.0f}, {48, 32});
    auto* attacker = Make<NPC_CrouchSkull>("NPC_CrouchSkull", {200.0f, 0.0f}, {48, 32});
    skull->ApplyDamage(attacker, 1);
    EXPECT_EQ(skull->GetLife(), 2) << "an attacker without a look only flashes";
    EXPECT_EQ(skull->GetState(), NPC_CrouchSkull::kWalk);
    GraphicalObject look("look");
    attacker->SetCurrentGraphical(&look);
    skull->ApplyDamage(attacker, 1);
    EXPECT_EQ(skull->GetLife(), 1);
    EXPECT_EQ(skull->GetState(), NPC_CrouchSkull::kKnockedBack);
    EXPECT_EQ(skull->GetDirection().x, -1.0f) << "away from the attacker on its right";
    // A fire area hit of 1 kills the skull with 1 life left (twice), dying.
    skull->ReceiveHit(attacker, 1, 1.0f);
    EXPECT_EQ(skull->GetState(), NPC_CrouchSkull::kDying);
    EXPECT_EQ(skull->GetPowerHit(), 1);
    attacker->SetCurrentGraphical(nullptr);
}

TEST_F(EnemyRules, TheThrownShotLosesTheAttenuationEveryUpdateAlongAnArc)
{
    auto* shot = Make<Projectile_Thrower>("Projectile_Thrower", {0.0f, 0.0f}, {16, 16});
    ASSERT_NE(shot, nullptr);
    EXPECT_EQ(shot->GetDirection(), Point<float>(4.0f, 2.0f));
    // Frame time 1000 / 32 ms: a step of one pixel per unit of direction.
    const float heights[] = {1.5f, 2.5f, 3.0f, 3.0f, 2.5f, 1.5f};
    for (float height : heights) {
        shot->Update(1000.0 / 32.0);
        EXPECT_FLOAT_EQ(shot->GetPosition().y, height);
    }
    EXPECT_FLOAT_EQ(shot->GetPosition().x, 24.0f) << "the horizontal speed stays";
    // A hit of the player's removes it at once.
    shot->ReceiveHit(nullptr, 0, 1.0f);
    EXPECT_TRUE(shot->IsDead());
}

// At the fastest speed and strongest attenuation the tuning takes, a shot
// that nothing stops ends far beyond any level instead of flying on until
// its coordinates overflow.
TEST_F(EnemyRules, AShotNothingStopsEndsFarBeyondTheLevel)
{
    game.tuning.npc.throwerProjectileSpeed = 1000.0f;
    game.tuning.npc.throwerProjectileAttenuation = Point<float>(-10.0f, 10.0f);
    auto* shot = Make<Projectile_Thrower>("Projectile_Thrower", {0.0f, 0.0f}, {16, 16});
    ASSERT_NE(shot, nullptr);
    int updates = 0;
    while (!shot->IsDead() && updates < 100000) {
        shot->Update(1000.0 / 32.0);
        ++updates;
    }
    EXPECT_TRUE(shot->IsDead());
    EXPECT_TRUE(std::isfinite(shot->GetPosition().x) && std::isfinite(shot->GetPosition().y));
}

TEST_F(EnemyRules, AFlameWhoseLookTheLibraryLacksEndsAtItsFirstUpdate)
{
    // Without its look a flame has no animation to finish: it would stay in
    // the level for ever (a long fight's flames piled up by the thousand).
    MakePlayer({0.0f, 0.0f});
    auto* flame = Make<Projectile_Fire_Launcher>("Projectile_Fire_Launcher", {64.0f, 0.0f}, {32, 32});
    ASSERT_NE(flame, nullptr);
    flame->Update(1000.0 / 30.0);
    EXPECT_EQ(flame->GetCurrentGraphical(), nullptr);
    EXPECT_TRUE(flame->IsDead());
}

TEST_F(EnemyRules, TheIceArmourFreezesGhostsAndFloatingSkullsCloserThan128Pixels)
{
    Player* player = MakePlayer({0.0f, 0.0f});
    // Centres 100 and 140 pixels from the player's centre (32, 48).
    auto* nearGhost = Make<NPC_CrouchSkull_Ghost>("NPC_CrouchSkull_Ghost", {108.0f, 32.0f}, {48, 32});
    auto* farGhost = Make<NPC_CrouchSkull_Ghost>("NPC_CrouchSkull_Ghost", {148.0f, 32.0f}, {48, 32});
    // Centre 90.9 px right of and above the player's: 128.55 px away.
    auto* diagonalGhost = Make<NPC_CrouchSkull_Ghost>("NPC_CrouchSkull_Ghost", {98.9f, 122.9f}, {48, 32});
    auto* nearSkull = Make<NPC_FloatingSkull>("NPC_FloatingSkull", {-88.0f, 28.0f}, {40, 40});
    auto* farSkull = Make<NPC_FloatingSkull>("NPC_FloatingSkull", {-128.0f, 28.0f}, {40, 40});
    nearSkull->SetKind(1);
    farSkull->SetKind(1);
    ASSERT_NE(nearGhost, nullptr);
    EXPECT_FALSE(nearGhost->IsHitByBox(Rect<int>(-1000, 1000, 1000, -1000), false))
        << "a ghost cannot be hit";
    player->FreezeGhostsNear(player->GetCenter(), 128.0f);
    EXPECT_FALSE(nearGhost->ghost);
    EXPECT_EQ(nearGhost->GetDrawingEffect(), nullptr) << "the ghost effect goes";
    EXPECT_TRUE(farGhost->ghost);
    EXPECT_TRUE(diagonalGhost->ghost);
    EXPECT_NE(farGhost->GetDrawingEffect(), nullptr);
    EXPECT_TRUE(nearSkull->IsFrozen());
    EXPECT_FALSE(farSkull->IsFrozen());
    // A second freeze changes nothing.
    const float speed = nearSkull->GetSpeedValue();
    nearSkull->Freeze();
    EXPECT_EQ(nearSkull->GetSpeedValue(), speed);
}

TEST_F(EnemyRules, AGhostSkullMakesTheMissingRightLookOnceInTheGamesTableWhereItIsFound)
{
    const std::string name = "NPC_FloatingSkull_Ghost_GraphicalIdleR";
    ASSERT_EQ(Game::FindSceneObject(name, false), nullptr);
    auto* first = Make<NPC_FloatingSkull>("NPC_FloatingSkull", {0.0f, 0.0f}, {40, 40});
    auto* second = Make<NPC_FloatingSkull>("NPC_FloatingSkull", {0.0f, 0.0f}, {40, 40});
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    first->SetKind(1);
    auto* made = dynamic_cast<GraphicalObject*>(Game::FindSceneObject(name, false));
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->GetCategory(), "(NPC)");
    EXPECT_EQ(made->GetSize(), Point<int>(64, 64));
    second->SetKind(1);
    int named = 0;
    for (SceneObject* object : game.sceneObjects)
        named += object->GetName() == name ? 1 : 0;
    EXPECT_EQ(named, 1) << "the second ghost finds the first one's";
}

} // namespace
