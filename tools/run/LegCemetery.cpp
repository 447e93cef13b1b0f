#include "bosses/NPC_MiniBoss_FloatingSkull.h"
#include "characters/Player.h"
#include "enemies/NPC_Door.h"
#include "enemies/NPC_Thrower.h"
#include "enemies/Projectile_Thrower.h"
#include "game/Game.h"
#include "scene/BackgroundEvent.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "tools/run/RunLegs.h"
#include "tools/run/RunMoves.h"

#include <cmath>

// The cemetery, from the intro of a new game in the Gate of Ashes: the map
// piece, the Lantern Ring's teleporter (west) and back, the urn, the rank on
// the floor past it, the first door, the Ossuary's lever and its skull
// mini-boss (the double jump), the ledge up to the Well Head and its
// teleporter.
namespace {

using namespace RunMoves;
constexpr float kTile = 32.0f;

// Walks toward the hub's ring until its teleporter is known. The ring's
// help stays shown while the player stands in it, so it is not read on: the
// use key there would open the teleport menu.
bool WalkOntoRing(RunPilot& pilot, const std::string& hub)
{
    Level* level = pilot.TheGame().GetCurrentLevel();
    Layer* collisions = level != nullptr ? level->GetLayer(Level::kScene, "Collisions") : nullptr;
    auto* placed = collisions != nullptr
        ? collisions->FindInstanceByName("tp_" + hub.substr(0, hub.size() - 4))
        : nullptr;
    if (placed == nullptr)
        return pilot.Fail("no teleporter in " + pilot.LevelName());
    const int side = placed->GetPosition().x + kTile > pilot.X() ? 1 : -1;
    for (int pass = 0; pass < 400; ++pass) {
        if (pilot.TheGame().FindTeleportByLevel(hub) != nullptr) {
            Settle(pilot);
            return true;
        }
        pilot.Pass({side > 0 ? RunPilot::Right : RunPilot::Left});
    }
    return pilot.Fail("the teleporter of " + hub + " did not become known");
}

// The Gate of Ashes up to its first door: the map piece hanging over the
// plinth, then west to the Lantern Ring's ring (and its dud) and back.
bool GateAndRing(RunPilot& pilot)
{
    if (!pilot.WaitUntil(
            [&] { return pilot.SaveVar("intro_done") == "1" && !pilot.TheGame().gameplayPaused; }, 900))
        return pilot.Fail("the intro did not end");
    // The map piece floats above the floor west of the save: a jump under
    // it takes it.
    if (!pilot.WalkTo(6 * kTile + 16.0f))
        return false;
    pilot.Hold({RunPilot::Jump}, 10);
    if (!pilot.WaitUntil([&] { return PickupTaken(pilot, "map_01") && !pilot.MapOpen(); }, 200))
        return pilot.Fail("the map piece was not taken");

    if (!pilot.WalkOut(0.0f, "Cimetery_TP_01.lvl"))
        return false;
    // Past the dud behind the ring (it stays) into the ring.
    if (!WalkOntoRing(pilot, "cimetery_tp_01.lvl"))
        return false;
    return pilot.WalkOut(31 * kTile + 16.0f, "cemetery_01.lvl");
}

// The urn, the rank on the floor past it, and the first door.
bool UrnRankAndDoor(RunPilot& pilot)
{
    // Back over the Keeper: the scythe on his plinth is touched (it stays
    // there, a decoration).
    if (!StandAt(pilot, 14 * kTile + 8.0f))
        return false;
    if (!StandAt(pilot, 16 * kTile + 16.0f))
        return false;
    if (!StrikeUntil(
            pilot, 1, [&] { return pilot.SaveVar("urn_c01") == "1"; }, 60, "the urn"))
        return false;
    // What the urn dropped lies about it, out of reach for a few ticks:
    // standing by, the player takes what lands within its body.
    pilot.WaitUntil([] { return BackgroundEvent::FindByTypeName("BGEvent_HandleDropItem") == nullptr; }, 24);
    if (!pilot.WalkTo(19 * kTile) || !pilot.WalkTo(25 * kTile + 8.0f))
        return false;
    if (!pilot.WaitUntil([&] { return pilot.ThePlayer()->GetAttackRank() == 2; }, 30))
        return pilot.Fail("the rank past the urn was not taken");

    auto* door = dynamic_cast<NPC_Door*>(pilot.TheGame().FindCharacterByName("gate_door", nullptr));
    if (door == nullptr)
        return pilot.Fail("no first door in " + pilot.LevelName());
    // Up to the closed door (the hint is read on the way).
    if (!StandAt(pilot, door->GetPosition().x - 48.0f))
        return false;
    if (!StrikeUntil(
            pilot, 1, [&] { return door->GetDoorState() != NPC_Door::kClosed; }, 60, "the first door"))
        return false;
    if (!pilot.WaitUntil([&] { return door->GetDoorState() == NPC_Door::kOpen; }, 200))
        return pilot.Fail("the first door did not open");
    // Through it, and by it until it shuts behind the player (it goes when
    // out of sight, so it is looked up afresh).
    if (!StandAt(pilot, door->GetPosition().x + 2 * kTile))
        return false;
    const auto shut = [&] {
        const auto* gate = Named<NPC_Door>(pilot, "gate_door");
        return gate == nullptr || gate->GetDoorState() != NPC_Door::kOpen;
    };
    if (!pilot.WaitUntil(shut, 200) || Named<NPC_Door>(pilot, "gate_door") == nullptr)
        return pilot.Fail("the first door did not close behind the player");
    return pilot.WalkOut(63 * kTile + 16.0f, "cemetery_02.lvl", 2500);
}

// The Ossuary: the lever, the mini-boss, the double jump, the ledge.
bool Ossuary(RunPilot& pilot)
{
    // The thrower on its ledge throws at a player who rises under it.
    if (auto* thrower = FindLive<NPC_Thrower>(pilot)) {
        if (!StandAt(pilot, thrower->GetCenter().x - 32.0f))
            return false;
        const auto thrown = [&] {
            const int state = thrower->GetState();
            return FindLive<Projectile_Thrower>(pilot) != nullptr || state == NPC_Thrower::kThrown
                || state == NPC_Thrower::kReload;
        };
        for (int attempt = 0; attempt < 3 && !thrown(); ++attempt) {
            pilot.Hold({RunPilot::Jump}, 8);
            pilot.WaitUntil(thrown, 30);
        }
        if (!thrown())
            return pilot.Fail("the thrower did not throw");
        Settle(pilot);
    }
    if (!StandAt(pilot, 26 * kTile + 16.0f))
        return false;
    if (!StrikeUntil(
            pilot, 1, [&] { return pilot.SaveVar("lever_c02") == "1"; }, 60, "the lever"))
        return false;
    pilot.Hold({}, 20);
    if (!pilot.WalkTo(38 * kTile, 2000))
        return false;
    // The skull leads its swarm at the player; its death opens the alcove.
    const Foe skull = [&]() -> CharacterObject* {
        CharacterObject* boss = pilot.TheGame().FindCharacterByName("miniboss_skull", nullptr);
        if (boss != nullptr && boss->GetLife() > 0 && !boss->IsExploding())
            return boss;
        return Nearest(pilot, {"NPC_FloatingSkull", "miniboss_skull"});
    };
    if (!FightUntil(
            pilot, skull, [&] { return pilot.SaveVar("done_cm") == "1"; }, 4000, "the skull mini-boss"))
        return false;
    if (!pilot.WalkTo(45 * kTile + 8.0f))
        return false;
    if (!pilot.WaitUntil(
            [&] {
                return pilot.ThePlayer()->IsModifierEnabled(Player::kDoubleJump)
                    && !pilot.TheGame().gameplayPaused;
            },
            400))
        return pilot.Fail("the double jump was not taken");
    // Up onto the ledge from west of it, and out east.
    if (!StandAt(pilot, 40 * kTile + 8.0f))
        return false;
    for (int attempt = 0; attempt < 4 && pilot.LevelName() == "cemetery_02.lvl"; ++attempt) {
        DoubleJump(pilot, 1, 7 * kTile + 8.0f);
        if (pilot.LevelName() != "cemetery_02.lvl")
            break;
        if (pilot.Y() > 6 * kTile)
            pilot.WalkTo(47 * kTile + 16.0f, 200);
        else if (!StandAt(pilot, 40 * kTile + 8.0f))
            return false;
    }
    if (!pilot.WaitUntil([&] { return pilot.LevelName() == "cimetery_tp_02.lvl"; }, 30))
        return pilot.Fail("the ledge did not lead to the Well Head");
    return true;
}

} // namespace

bool RunCemetery(RunPilot& pilot)
{
    if (pilot.LevelName() != "cemetery_01.lvl")
        return pilot.Fail("the cemetery leg starts in cemetery_01.lvl, not " + pilot.LevelName());
    if (!GateAndRing(pilot) || !UrnRankAndDoor(pilot) || !Ossuary(pilot))
        return false;
    // The Well Head's teleporter.
    return WalkOntoRing(pilot, "cimetery_tp_02.lvl");
}
