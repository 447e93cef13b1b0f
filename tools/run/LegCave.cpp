#include "bosses/NPC_Boss2_Cave.h"
#include "bosses/NPC_Boss_Cave.h"
#include "bosses/NPC_MiniBoss_Cave.h"
#include "characters/Player.h"
#include "game/Game.h"
#include "script/BackgroundEvent.h"
#include "tools/run/RunLegs.h"
#include "tools/run/RunMoves.h"

#include <cmath>
#include <string>
#include <utility>

// The cave: from the Well Head down its shaft to the Well Bottom (its
// teleporter), east through the Drowned Tunnels (the lever, the lantern
// column: the spider form, the tunnel one tile high), the Hive Hollow (the
// three heads: the crossbow), the Eye of the Deep (the great eye: climbing)
// and out by its alcove back to the Well Bottom.
namespace {

using RunMoves::Named;

constexpr float kTile = 32.0f;

float Tiles(float tiles)
{
    return tiles * kTile;
}

// Holds a direction with the jump key for a jump toward a ledge above: the
// jump key pressed again at its height for the second jump when `twice`.
void JumpToward(RunPilot& pilot, float x, bool twice, int passes = 24, int straight = 0)
{
    for (int pass = 0; pass < passes; ++pass) {
        RunPilot::Keys keys;
        if (pass >= straight && std::abs(pilot.X() - x) > 4.0f)
            keys.insert(x > pilot.X() ? RunPilot::Right : RunPilot::Left);
        if (pass < 8 || (twice && pass >= 10 && pass < 18))
            keys.insert(RunPilot::Jump);
        pilot.Pass(keys);
    }
}

// Blows of the scythe facing the way given: a turn when needed, then the
// attack key pressed afresh every other pair of passes.
void Swing(RunPilot& pilot, int facing, int passes)
{
    const int32_t turn = facing > 0 ? RunPilot::Right : RunPilot::Left;
    if (pilot.ThePlayer()->GetFacingFromAnimation() != facing)
        pilot.Pass({turn});
    for (int pass = 0; pass < passes; ++pass)
        pilot.Pass(pass % 4 < 2 ? RunPilot::Keys {RunPilot::Attack} : RunPilot::Keys {});
}

// Walks toward x holding the way, jumping where a step holds the player
// back, and reading no dialogue on: the help a teleporter shows while the
// player stands in its ring would be read on by the use key, which opens the
// teleport menu instead.
bool WalkThrough(RunPilot& pilot, float x, int limit = 1500)
{
    const std::string level = pilot.LevelName();
    RunPilot::Stride stride(pilot);
    for (int pass = 0; pass < limit; ++pass) {
        if (pilot.LevelName() != level || std::abs(pilot.X() - x) < kTile / 2)
            return true;
        pilot.Pass(stride.Toward(x > pilot.X() ? 1 : -1));
    }
    return pilot.Fail("could not walk through to x " + std::to_string(x) + " in " + level);
}

// Passes while a pickup's cut-scene plays.
bool WaitCutScene(RunPilot& pilot)
{
    pilot.Hold({}, 2);
    if (!pilot.WaitUntil(
            [] { return BackgroundEvent::FindByTypeName("BGEvent_PickupCinematic") == nullptr; }, 900))
        return pilot.Fail("a pickup's cut-scene never ended");
    return true;
}

// Turns into the spider or back, by its key.
bool SetSpiderForm(RunPilot& pilot, bool spider)
{
    for (int tries = 0; tries < 5 && pilot.ThePlayer()->IsSpiderForm() != spider; ++tries) {
        pilot.Tap(RunPilot::Spider);
        pilot.WaitUntil([&] { return pilot.ThePlayer()->IsSpiderForm() == spider; }, 30);
    }
    if (pilot.ThePlayer()->IsSpiderForm() != spider)
        return pilot.Fail(spider ? "the spider key did not turn the player into the spider"
                                 : "the spider key did not turn the spider back");
    return true;
}

// Onto the well's rim and down its shaft.
bool WellHead(RunPilot& pilot)
{
    if (!WalkThrough(pilot, Tiles(18)))
        return false;
    JumpToward(pilot, Tiles(21) + 16.0f, false, 16);
    if (!pilot.WaitUntil([&] { return pilot.LevelName() == "cave_tp.lvl"; }, 120))
        return pilot.Fail("did not fall down the well's shaft (at " + std::to_string(pilot.X()) + ")");
    return true;
}

// Down the ledges and through the ring (a known teleporter), east out.
bool WellBottomToTunnels(RunPilot& pilot)
{
    if (!WalkThrough(pilot, Tiles(27), 2000))
        return false;
    if (pilot.TheGame().FindTeleportByLevel("cave_tp.lvl") == nullptr)
        return pilot.Fail("the Well Bottom's teleporter is not known after walking through it");
    return pilot.WalkOut(Tiles(31) + 16.0f, "cave_01.lvl");
}

bool Tunnels(RunPilot& pilot)
{
    // The lever by its gate: struck until it is pulled.
    if (!pilot.WalkTo(Tiles(17)))
        return false;
    for (int round = 0; round < 20 && pilot.SaveVar("lever_c01") != "1"; ++round)
        Swing(pilot, 1, 8);
    if (pilot.SaveVar("lever_c01") != "1")
        return pilot.Fail("the lever lever_c01 was never pulled");
    // Over the lava, past the launcher and the chained pair, to the save and
    // into the corridor of the lantern column.
    if (!pilot.WalkTo(Tiles(42), 2000))
        return false;
    auto* column = Named<NPC_MiniBoss_Cave>(pilot, "miniboss_cave");
    if (column == nullptr)
        return pilot.Fail("no lantern column in the corridor");
    for (int round = 0; round < 400 && column->GetLife() > 0; ++round) {
        const float at = column->GetHome().x - Tiles(1.5f);
        if (std::abs(pilot.X() - at) > kTile)
            pilot.WalkTo(at, 60);
        Swing(pilot, 1, 8);
    }
    if (column->GetLife() > 0)
        return pilot.Fail("the lantern column still stands, life " + std::to_string(column->GetLife()));
    if (!pilot.WaitUntil([&] { return pilot.SaveVar("done_v01") == "1"; }, 600))
        return pilot.Fail("the column fell but the fight of the Drowned Tunnels was not saved won");
    // Through the alcove's gate onto the spider form, its cut-scene played.
    if (!pilot.WalkTo(Tiles(58) + 16.0f, 400))
        return false;
    if (!pilot.WaitUntil([&] { return pilot.ThePlayer()->IsModifierEnabled(Player::kSpiderAbility); }, 120))
        return pilot.Fail("the spider form was not taken in the Drowned Tunnels' alcove");
    if (!WaitCutScene(pilot))
        return false;
    // As a spider through the tunnel one tile high, out east.
    if (!SetSpiderForm(pilot, true))
        return false;
    return pilot.WalkOut(Tiles(63) + 16.0f, "cave_02.lvl", 600);
}

NPC_Boss_Cave* Head(RunPilot& pilot, int n)
{
    return Named<NPC_Boss_Cave>(pilot, NPC_Boss_Cave::kHeadPrefix + std::to_string(n));
}

// From the hollow's floor onto the boulder, then the platform over the
// walkway; true when standing on it.
bool ClimbToWalkwayPlatform(RunPilot& pilot)
{
    if (pilot.Y() > Tiles(5.5f))
        return true;
    if (!pilot.WalkTo(Tiles(15), 300))
        return false;
    JumpToward(pilot, Tiles(16.5f), false);
    JumpToward(pilot, Tiles(14), true);
    return pilot.Y() > Tiles(5.5f);
}

// On up from the walkway's platform: straight up onto the one above it,
// then west onto the ledge of the upper head; true when standing on it.
bool ClimbToLedge(RunPilot& pilot)
{
    if (pilot.Y() > Tiles(12.5f))
        return true;
    if (!ClimbToWalkwayPlatform(pilot))
        return false;
    if (pilot.Y() < Tiles(9.5f)) {
        if (!pilot.WalkTo(Tiles(15), 300))
            return false;
        JumpToward(pilot, Tiles(15), true);
    }
    // Up past the ledge's side first, then over it.
    JumpToward(pilot, Tiles(13), true, 30, 14);
    return pilot.Y() > Tiles(12.5f);
}

// Strikes a head, facing it, until it falls, from (standX, standY): the
// floor, the platform over the walkway or the upper ledge, climbed again
// whenever a blow or an insect throws the player down.
bool StrikeDown(RunPilot& pilot, NPC_Boss_Cave* head, float standX, float standY, int rounds)
{
    const int facing = head->GetPosition().x + Tiles(1.5f) > standX ? 1 : -1;
    for (int round = 0; round < rounds && head->GetLife() > 0; ++round) {
        if (standY > Tiles(12) && pilot.Y() < standY - Tiles(0.5f) && !ClimbToLedge(pilot))
            continue;
        if (standY > Tiles(5) && pilot.Y() < standY - Tiles(0.5f) && !ClimbToWalkwayPlatform(pilot))
            continue;
        if (std::abs(pilot.X() - standX) > kTile / 2 && !pilot.WalkTo(standX, 200))
            return false;
        Swing(pilot, facing, 8);
    }
    return head->GetLife() <= 0;
}

// The three heads: the east one from the floor, the west wall's from the
// platform over the walkway, the upper one from its ledge.
bool Hollow(RunPilot& pilot)
{
    if (!SetSpiderForm(pilot, false))
        return false;
    if (!pilot.WalkTo(Tiles(12)))
        return false;
    if (!pilot.WaitUntil(
            [&] { return Head(pilot, 1) != nullptr && Head(pilot, 1)->GetInsectsAlive() != -1; }, 200))
        return pilot.Fail("the heads of the Hive Hollow never started");
    NPC_Boss_Cave* east = nullptr;
    NPC_Boss_Cave* wall = nullptr;
    NPC_Boss_Cave* ledge = nullptr;
    for (int n = 1; n <= 3; ++n) {
        NPC_Boss_Cave* head = Head(pilot, n);
        if (head == nullptr)
            continue;
        if (head->GetDirection().x < 0.0f)
            east = head;
        else if (wall == nullptr)
            wall = head;
        else
            ledge = head;
    }
    // The west ones: the lower on the wall, the upper on the ledge.
    if (wall != nullptr && ledge != nullptr && ledge->GetPosition().y < wall->GetPosition().y)
        std::swap(wall, ledge);
    if (east == nullptr || wall == nullptr || ledge == nullptr)
        return pilot.Fail("the Hive Hollow does not hold its three heads");
    if (!StrikeDown(pilot, east, east->GetPosition().x - Tiles(1), Tiles(2), 100))
        return pilot.Fail("the east head still stands");
    if (!StrikeDown(pilot, wall, Tiles(13.5f), Tiles(6), 100))
        return pilot.Fail("the head on the west wall still stands");
    if (!StrikeDown(pilot, ledge, Tiles(13.3f), Tiles(13), 100))
        return pilot.Fail("the head on the upper ledge still stands");
    if (!pilot.WaitUntil([&] { return pilot.SaveVar("done_v02") == "1"; }, 300))
        return pilot.Fail("the heads fell but the fight of the Hive Hollow was not saved won");
    // Up the platforms to the alcove, onto the crossbow, out east.
    const auto inAlcove
        = [&] { return pilot.X() > Tiles(24) && pilot.Y() > Tiles(11.5f) && pilot.Y() < Tiles(13); };
    for (int tries = 0; tries < 30 && !inAlcove(); ++tries) {
        const float x = pilot.X();
        const float y = pilot.Y();
        if (y > Tiles(16.5f) && x > Tiles(24))
            pilot.WalkTo(Tiles(24.5f), 200); // off the alcove's roof, down into it
        else if (y > Tiles(12.5f))
            pilot.WalkTo(Tiles(15), 200); // off the ledge onto the platform under it
        else if (y > Tiles(9.5f) && x < Tiles(18))
            JumpToward(pilot, Tiles(22.5f), true, 40);
        else if (y > Tiles(9.5f))
            JumpToward(pilot, Tiles(25), false, 30, 6);
        else if (y > Tiles(7.5f))
            JumpToward(pilot, Tiles(22.5f), true);
        else if (y > Tiles(5.5f)) {
            if (pilot.WalkTo(Tiles(18), 200))
                JumpToward(pilot, Tiles(20), true);
        } else
            ClimbToWalkwayPlatform(pilot);
    }
    if (!inAlcove())
        return pilot.Fail("could not climb to the Hive Hollow's alcove");
    if (!pilot.WalkTo(Tiles(27.5f), 300))
        return false;
    if (!pilot.WaitUntil([&] { return pilot.ThePlayer()->IsModifierEnabled(Player::kCrossbow); }, 120))
        return pilot.Fail("the crossbow was not taken in the Hive Hollow's alcove");
    if (!WaitCutScene(pilot))
        return false;
    return pilot.WalkOut(Tiles(31) + 16.0f, "cave_03.lvl", 600);
}

// The great eye, struck from the west end of its pedestal through both
// its bars.
bool Eye(RunPilot& pilot)
{
    if (!pilot.WalkTo(Tiles(12)))
        return false;
    auto* eye = Named<NPC_Boss2_Cave>(pilot, NPC_Boss2_Cave::kLevelName);
    if (eye == nullptr)
        return pilot.Fail("no great eye in the Eye of the Deep");
    // Once, while the eye is red, down under the nearest marker of the roof,
    // so that its green raises a plant column there.
    bool plantRaised = false;
    for (int round = 0; round < 300 && !eye->IsExploding(); ++round) {
        if (!plantRaised && eye->GetState() == NPC_Boss2_Cave::kRed) {
            RunMoves::StandAt(pilot, Tiles(20));
            pilot.WaitUntil([&] { return eye->GetState() == NPC_Boss2_Cave::kGreen; }, 120);
            plantRaised = pilot.WaitUntil([&] { return eye->Plants().InPlay() > 0; }, 30);
            if (!plantRaised)
                return pilot.Fail(
                    "the eye's green raised no plant over the player at x " + std::to_string(pilot.X()));
        }
        if (std::abs(pilot.X() - Tiles(22)) > kTile / 2 || pilot.Y() < Tiles(3.5f))
            pilot.WalkTo(Tiles(22), 100);
        Swing(pilot, 1, 8);
    }
    if (!eye->IsExploding())
        return pilot.Fail("the great eye still stands, life " + std::to_string(eye->GetLife()));
    if (!pilot.WaitUntil([&] { return pilot.SaveVar("done_v03") == "1"; }, 600))
        return pilot.Fail("the eye fell but the fight of the Eye of the Deep was not saved won");
    // Up the platforms to the alcove, onto climbing, out east.
    for (int tries = 0; tries < 12 && !(pilot.X() > Tiles(24) && pilot.Y() > Tiles(13.5f)); ++tries) {
        const float y = pilot.Y();
        if (y < Tiles(5.5f))
            JumpToward(pilot, Tiles(18), true, 30);
        else if (y < Tiles(8.5f))
            JumpToward(pilot, Tiles(20.5f), true, 30);
        else if (y < Tiles(11.5f))
            JumpToward(pilot, Tiles(22.5f), true, 30);
        else
            JumpToward(pilot, Tiles(25.5f), true, 30, 10);
    }
    if (!pilot.WalkTo(Tiles(27.5f), 300))
        return false;
    if (!pilot.WaitUntil([&] { return pilot.ThePlayer()->IsModifierEnabled(Player::kClimb); }, 120))
        return pilot.Fail("climbing was not taken in the Eye of the Deep's alcove");
    if (!WaitCutScene(pilot))
        return false;
    // Out east, back to the Well Bottom.
    return pilot.WalkOut(Tiles(31) + 16.0f, "cave_tp.lvl", 600);
}

} // namespace

bool RunCave(RunPilot& pilot)
{
    return WellHead(pilot) && WellBottomToTunnels(pilot) && Tunnels(pilot) && Hollow(pilot) && Eye(pilot);
}
