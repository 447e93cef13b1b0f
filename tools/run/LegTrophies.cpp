#include "characters/Player.h"
#include "enemies/NPC_DreamCatcher.h"
#include "enemies/NPC_Garden_Plant.h"
#include "game/AchievementManager.h"
#include "game/Game.h"
#include "tools/run/RunLegs.h"
#include "tools/run/RunMoves.h"

#include <string>

// The trophies: from the Greenhouse Gate with the garden done, fifty kills in
// a row without a touch for "Invincible". The Overgrown Walk brings its foes
// back each time it is entered, and the two by its door, the pot's plant and
// the first dream catcher, both burn at once in the fire armor's area attack
// before either can reach the player. So: in through the door, burn them,
// out again while the armor's charge comes back, until the count is full.
// Ends in the Greenhouse Gate's ring.
namespace {

using namespace RunMoves;
constexpr float kTile = 32.0f;

// The Greenhouse Gate's door to the Walk, and where the player stands in
// its ring (tiles 18 and 19).
constexpr float kGateDoor = 31 * kTile + 16.0f;
constexpr float kRing = 18.5f * kTile;
// The Walk's door back, and where its two foes burn from.
constexpr float kWalkDoor = 16.0f;
constexpr float kBurnFrom = 6 * kTile;

constexpr int kRounds = 40;

Achievement* Invincible(RunPilot& pilot)
{
    return pilot.TheGame().GetAchievements().FindByName("Invincible");
}

bool Earned(RunPilot& pilot)
{
    const Achievement* invincible = Invincible(pilot);
    return invincible != nullptr && invincible->IsComplete();
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

// One round: in, burn the two foes by the door (a blow for one the fire
// missed), out.
bool Round(RunPilot& pilot)
{
    // The charge comes back in the Gate, where nothing can touch the player.
    if (!pilot.WaitUntil([&] { return Charges(pilot) > 0; }, 400))
        return pilot.Fail("the armor's charge did not come back");
    if (!pilot.WalkOut(kGateDoor, "garden_01.lvl"))
        return false;
    if (!pilot.WalkTo(kBurnFrom))
        return false;
    pilot.Tap(RunPilot::FireArmor);
    pilot.WaitUntil([&] { return FoeByTheDoor(pilot) == nullptr; }, 20);
    if (FoeByTheDoor(pilot) != nullptr
        && !FightUntil(
            pilot, [&] { return FoeByTheDoor(pilot); }, [&] { return FoeByTheDoor(pilot) == nullptr; }, 600,
            "the foes by the Walk's door"))
        return false;
    return pilot.WalkOut(kWalkDoor, "Garden_tp.lvl");
}

} // namespace

bool RunTrophies(RunPilot& pilot)
{
    if (pilot.LevelName() != "garden_tp.lvl")
        return pilot.Fail("the trophies start at the Greenhouse Gate, not in " + pilot.LevelName());
    if (Invincible(pilot) == nullptr)
        return pilot.Fail("no \"Invincible\" achievement");
    for (int round = 0; round < kRounds && !Earned(pilot); ++round)
        if (!Round(pilot))
            return false;
    if (!Earned(pilot))
        return pilot.Fail("\"Invincible\" counts " + std::to_string(Invincible(pilot)->GetCurrent())
            + " after " + std::to_string(kRounds) + " rounds");
    return pilot.WalkTo(kRing);
}
