#include "characters/Player.h"
#include "characters/PlayerModifier.h"
#include "characters/Projectile_Crossbow.h"
#include "enemies/NPC_CrouchSkull.h"
#include "enemies/NPC_DreamCatcher.h"
#include "enemies/NPC_Garden_Plant.h"
#include "enemies/Projectile_SadSoul.h"
#include "game/AchievementManager.h"
#include "game/Game.h"
#include "tools/run/RunLegs.h"
#include "tools/run/RunMoves.h"

#include <cmath>
#include <string>

// The trophies: from the Greenhouse Gate with the garden done, three
// achievements of the Overgrown Walk, which brings its foes back each time
// it is entered. Each entry burns the plant and the dream catcher by the
// door with the fire armor's area attack: two kills unhurt a round toward
// "Invincible". The first round goes on up the ledges over the door to the
// high shelf, where one bolt shot crouching east along it pierces the row of
// ten crouching skulls ("Scythe of Death"), along it and down by the far
// dream catcher, whose souls the
// ice armor's area attack destroys as they gather round the player, fifty
// for "Can't touch this"; back over the hollow tree to the door. Ends in the
// Greenhouse Gate's ring.
namespace {

using namespace RunMoves;
constexpr float kTile = 32.0f;

// The Greenhouse Gate's door to the Walk, and where the player stands in
// its ring (tiles 18 and 19).
constexpr float kGateDoor = 31 * kTile + 16.0f;
constexpr float kRing = 18.5f * kTile;
// The Walk's door back (walked into to its end), and where its two foes
// burn from, under the ledges up to the shelf (its top at tile 15).
constexpr float kWalkDoor = 0.0f;
constexpr float kBurnFrom = 6 * kTile;
constexpr float kShelfTop = 15 * kTile;
// The gap east of the shelf, down to the floor by the far dream catcher,
// and where its souls are met: close enough to draw them, too far for the
// area attack to reach the catcher itself.
constexpr float kGapEast = 35.5f * kTile;
constexpr float kMeetSouls = 33 * kTile;
// Under the hollow tree's crown (its top at tile 7), on the way back.
constexpr float kUnderCrown = 23.5f * kTile;
constexpr float kCrownTop = 7 * kTile;

constexpr int kRounds = 40;
constexpr int kSoulPasses = 4000;

Achievement* Trophy(RunPilot& pilot, const char* name)
{
    return pilot.TheGame().GetAchievements().FindByName(name);
}

bool Earned(RunPilot& pilot, const char* name)
{
    const Achievement* achievement = Trophy(pilot, name);
    return achievement != nullptr && achievement->IsComplete();
}

std::string Progress(RunPilot& pilot, const char* name)
{
    const Achievement* achievement = Trophy(pilot, name);
    return std::string("\"") + name + "\" counts "
        + (achievement != nullptr ? std::to_string(achievement->GetCurrent()) : std::string("nothing"));
}

int Charges(RunPilot& pilot)
{
    const Player* player = pilot.ThePlayer();
    return player != nullptr ? player->GetArmorState().armorCharges : 0;
}

// The Walk's plant and dream catcher by the door, while either lives.
CharacterObject* FoeByTheDoor(RunPilot& pilot)
{
    for (CharacterObject* foe :
        {static_cast<CharacterObject*>(FindLive<NPC_Garden_Plant>(pilot, "plant_g01a")),
            static_cast<CharacterObject*>(FindLive<NPC_DreamCatcher>(pilot, "catcher_g01a"))})
        if (foe != nullptr && foe->GetLife() > 0)
            return foe;
    return nullptr;
}

// In through the door, the two foes by it burnt (a blow for one the fire
// missed). The charge comes back in the Gate, where nothing can touch the
// player.
bool BurnByTheDoor(RunPilot& pilot)
{
    if (!pilot.WaitUntil([&] { return Charges(pilot) > 0; }, 400))
        return pilot.Fail("the armor's charge did not come back");
    if (!pilot.WalkOut(kGateDoor, "garden_01.lvl"))
        return false;
    if (!pilot.WalkTo(kBurnFrom))
        return false;
    pilot.Tap(RunPilot::FireArmor);
    pilot.WaitUntil([&] { return FoeByTheDoor(pilot) == nullptr; }, 20);
    return FoeByTheDoor(pilot) == nullptr
        || FightUntil(
            pilot, [&] { return FoeByTheDoor(pilot); }, [&] { return FoeByTheDoor(pilot) == nullptr; }, 600,
            "the foes by the Walk's door");
}

// Straight up from the floor by the door: the two ledges, then the shelf
// (one-way, all three).
bool ClimbToTheShelf(RunPilot& pilot)
{
    if (!StandAt(pilot, kBurnFrom))
        return false;
    for (int jump = 0; jump < 4 && pilot.Y() < kShelfTop - 1.0f; ++jump)
        DoubleJump(pilot, 1, 1.0e9f);
    if (pilot.Y() < kShelfTop - 1.0f)
        return pilot.Fail("did not climb to the Walk's shelf (feet at " + std::to_string(pilot.Y()) + ")");
    return true;
}

// Whether a skull of the shelf's row still lives.
bool SkullsOnTheShelf(RunPilot& pilot)
{
    Game& game = pilot.TheGame();
    for (size_t i = 0; i < game.GetCharacterCount(); ++i) {
        const auto* skull = dynamic_cast<NPC_CrouchSkull*>(game.GetCharacter(i));
        if (skull != nullptr && skull->GetLife() > 0 && skull->GetPosition().y >= kShelfTop - 1.0f)
            return true;
    }
    return false;
}

bool BoltInFlight(RunPilot& pilot)
{
    Game& game = pilot.TheGame();
    for (size_t i = 0; i < game.GetCharacterCount(); ++i) {
        const auto* bolt = dynamic_cast<Projectile_Crossbow*>(game.GetCharacter(i));
        if (bolt != nullptr && !bolt->IsDead())
            return true;
    }
    return false;
}

// On the shelf's west end, facing east: one bolt shot crouching, low enough
// for the skulls, pierces each it kills. The crossbow shoots only while an
// armor is worn (the fire one the door's foes were burnt with).
bool ShootTheRow(RunPilot& pilot)
{
    if (Earned(pilot, "Scythe of Death") || !SkullsOnTheShelf(pilot))
        return true;
    Player* player = pilot.ThePlayer();
    const PlayerArmorCrossbow* crossbow = GetPlayerArmorCrossbow(player);
    if (crossbow == nullptr || crossbow->boltsLeft <= 0)
        return pilot.Fail("no bolt left for the shelf's skulls");
    const auto worn = [&] {
        const int armor = pilot.ThePlayer()->GetCurrentArmor();
        return armor == Player::kFireArmor || armor == Player::kIceArmor;
    };
    if (!worn()) {
        pilot.Tap(RunPilot::IceArmor);
        if (!pilot.WaitUntil(worn, 60))
            return pilot.Fail("no armor could be worn on the shelf");
    }
    Settle(pilot);
    pilot.Pass({RunPilot::Right});
    pilot.Hold({RunPilot::Down}, 4);
    pilot.Pass({RunPilot::Down, RunPilot::Crossbow});
    pilot.Hold({RunPilot::Down}, 12);
    pilot.WaitUntil([&] { return !BoltInFlight(pilot); }, 200);
    if (!Earned(pilot, "Scythe of Death"))
        return pilot.Fail(Progress(pilot, "Scythe of Death") + " after the bolt along the shelf");
    return true;
}

// Whether a soul is about to touch the player, or all of those about are
// within the area attack's reach.
bool SoulsGathered(RunPilot& pilot)
{
    const Player* player = pilot.ThePlayer();
    if (player == nullptr)
        return false;
    int near = 0, far = 0;
    bool close = false;
    Game& game = pilot.TheGame();
    for (size_t i = 0; i < game.GetCharacterCount(); ++i) {
        auto* soul = dynamic_cast<Projectile_SadSoul*>(game.GetCharacter(i));
        if (soul == nullptr || soul->IsDead())
            continue;
        const Point<float> d = soul->GetCenter() - player->GetCenter();
        const float distance = d.Length();
        close = close || distance < 72.0f;
        (distance < 136.0f ? near : far) += 1;
    }
    return close || (near > 0 && far == 0);
}

// Down by the far dream catcher: its souls met by the ice armor's area
// attack until fifty are destroyed.
bool DestroyTheSouls(RunPilot& pilot)
{
    if (!pilot.WalkTo(kGapEast))
        return false;
    Settle(pilot);
    if (!StandAt(pilot, kMeetSouls))
        return false;
    // A catcher that the attacks brought down sends no more souls this
    // round: the next round meets it again.
    const auto catcherLives = [&] {
        const auto* catcher = FindLive<NPC_DreamCatcher>(pilot, "catcher_g01b");
        return catcher != nullptr && catcher->GetLife() > 0;
    };
    for (int pass = 0; pass < kSoulPasses && !Earned(pilot, "Can't touch this") && catcherLives(); ++pass) {
        if (std::abs(pilot.X() - kMeetSouls) > kTile && !StandAt(pilot, kMeetSouls))
            return false;
        if (Charges(pilot) > 0 && SoulsGathered(pilot))
            pilot.Tap(RunPilot::IceArmor);
        else
            pilot.Pass();
    }
    if (!Earned(pilot, "Can't touch this") && catcherLives())
        return pilot.Fail(Progress(pilot, "Can't touch this") + " by the far dream catcher");
    // Back west over the hollow tree's crown, to the door.
    if (!pilot.WalkTo(kUnderCrown))
        return false;
    DoubleJump(pilot, -1, kCrownTop + kTile);
    return pilot.WalkOut(kWalkDoor, "Garden_tp.lvl");
}

// One round: the door's foes burnt, then either the souls (once, first) or
// straight back out.
bool Round(RunPilot& pilot)
{
    if (!BurnByTheDoor(pilot))
        return false;
    if (!Earned(pilot, "Can't touch this"))
        return ClimbToTheShelf(pilot) && ShootTheRow(pilot) && DestroyTheSouls(pilot);
    return pilot.WalkOut(kWalkDoor, "Garden_tp.lvl");
}

} // namespace

bool RunTrophies(RunPilot& pilot)
{
    if (pilot.LevelName() != "garden_tp.lvl")
        return pilot.Fail("the trophies start at the Greenhouse Gate, not in " + pilot.LevelName());
    for (const char* name : {"Invincible", "Can't touch this", "Scythe of Death"})
        if (Trophy(pilot, name) == nullptr)
            return pilot.Fail(std::string("no \"") + name + "\" achievement");
    const auto done = [&] { return Earned(pilot, "Invincible") && Earned(pilot, "Can't touch this"); };
    for (int round = 0; round < kRounds && !done(); ++round)
        if (!Round(pilot))
            return false;
    if (!done())
        return pilot.Fail(Progress(pilot, "Invincible") + ", " + Progress(pilot, "Can't touch this")
            + " after " + std::to_string(kRounds) + " rounds");
    return pilot.WalkTo(kRing);
}
