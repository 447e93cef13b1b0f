#include "bosses/NPC_Boss2_Boat.h"
#include "bosses/NPC_Boss_Boat.h"
#include "bosses/NPC_MiniBoss_Boat.h"
#include "bosses/Projectile_Boss2_Boat.h"
#include "characters/Player.h"
#include "game/Game.h"
#include "tools/run/RunLegs.h"
#include "tools/run/RunMoves.h"

#include <algorithm>
#include <cmath>
#include <string>

// The boat: from the Well Bottom by the teleporter to the Lantern Ring, west
// to the Dock (its teleporter), up the gangway to the Deck and its
// mini-boss (rank 3), the Bow and its wreck-beast (the fire armour), the
// Stern and its mast-totem (the strafe), and from the Stern's high ledge
// back to the Dock.
namespace {

using RunMoves::FindLive;
using RunMoves::Standing;

constexpr float kTile = 32.0f;
using Keys = RunPilot::Keys;

// A jump toward x: the jump key held while walking that way, then the walk
// alone while the player comes down.
void JumpToward(RunPilot& pilot, float x, int jumpPasses = 10, int passes = 14)
{
    for (int pass = 0; pass < passes; ++pass) {
        Keys keys {x > pilot.X() ? RunPilot::Right : RunPilot::Left};
        if (pass < jumpPasses)
            keys.insert(RunPilot::Jump);
        pilot.Pass(keys);
    }
}

// Swings once toward x, turning first (a walk step) when facing away.
void SwingToward(RunPilot& pilot, float x)
{
    const int side = x > pilot.X() ? 1 : -1;
    if (pilot.ThePlayer()->GetFacingFromAnimation() != side)
        pilot.Pass({side > 0 ? RunPilot::Right : RunPilot::Left});
    pilot.Pass({RunPilot::Attack});
    pilot.Pass();
}

bool ToTheDock(RunPilot& pilot)
{
    if (!pilot.TeleportTo("Cimetery_TP_01.lvl"))
        return false;
    if (!pilot.WalkOut(0.0f, "Boat_TP_1.lvl"))
        return false;
    // The Dock's ring: a known teleporter.
    if (!pilot.WalkTo(17 * kTile + 16.0f))
        return false;
    if (!pilot.WaitUntil([&] { return pilot.TheGame().FindTeleportByLevel("boat_tp_1.lvl") != nullptr; }, 10))
        return pilot.Fail("the Dock's ring did not become a known teleporter");
    return true;
}

bool UpTheGangway(RunPilot& pilot)
{
    // West onto the low platform, over the hatch's door onto the gangway,
    // and out at its end.
    if (!pilot.WalkTo(11 * kTile))
        return false;
    JumpToward(pilot, 9 * kTile);
    JumpToward(pilot, 5 * kTile);
    if (pilot.Y() < 6 * kTile - 1.0f)
        return pilot.Fail("not on the Dock's gangway");
    return pilot.WalkOut(0.0f, "boat_01.lvl");
}

bool DeckFight(RunPilot& pilot)
{
    if (!pilot.WalkTo(11 * kTile, 2500))
        return false;
    auto* boss = FindLive<NPC_MiniBoss_Boat>(pilot, "miniboss_boat");
    if (boss == nullptr)
        return pilot.Fail("no mini-boss on the Deck");
    const float bossX = boss->GetPosition().x + 48.0f;
    const int start = pilot.Frame();
    while (pilot.Frame() - start < 2000 && pilot.SaveVar("done_b01") != "1") {
        if (FindLive<NPC_MiniBoss_Boat>(pilot, "miniboss_boat") == nullptr) {
            pilot.Pass();
            continue;
        }
        // Close enough for the blow, out of the body's reach.
        if (pilot.X() > bossX + 80.0f || pilot.X() < bossX + 40.0f) {
            pilot.WalkTo(bossX + 64.0f, 60);
            continue;
        }
        SwingToward(pilot, bossX);
    }
    if (pilot.SaveVar("done_b01") != "1")
        return pilot.Fail("the Deck's mini-boss still stands");
    // The rank in the alcove, on through the west exit.
    return pilot.WalkOut(0.0f, "boat_02.lvl", 600);
}

// One hop up onto a one-way plank: from where the player stands (its
// position, pixels) to where it lands, on the plank whose top is given.
struct Hop {
    float from, to, top;
};

// Whether the player stands on that plank's (or floor's) top.
bool On(RunPilot& pilot, float top)
{
    return Standing(pilot) && std::abs(pilot.Y() - top) < 4.0f;
}

// Walks to the hop's start and jumps, steering to its landing place; a
// second press when the first jump comes down short of the plank.
bool HopOnto(RunPilot& pilot, const Hop& hop)
{
    if (!pilot.WalkTo(hop.from, 200))
        return false;
    float last = pilot.Y();
    int second = -1;
    for (int pass = 0; pass < 70; ++pass) {
        Keys keys;
        if (std::abs(pilot.X() - hop.to) > 6.0f)
            keys.insert(hop.to > pilot.X() ? RunPilot::Right : RunPilot::Left);
        const bool falling = pass > 2 && pilot.Y() < last;
        if (falling && second < 0 && pilot.Y() < hop.top + 8.0f)
            second = pass + 1;
        if (pass < 10 || (second >= 0 && pass >= second && pass < second + 10))
            keys.insert(RunPilot::Jump);
        last = pilot.Y();
        pilot.Pass(keys);
        if (pass > 4 && Standing(pilot))
            break;
    }
    return On(pilot, hop.top);
}

// Climbs a stair of hops, from the first whose plank is above the player,
// until it stands on the top given.
bool Climb(RunPilot& pilot, const Hop* hops, int count, float goalTop)
{
    for (int tries = 0; tries < 3 * count && !On(pilot, goalTop); ++tries) {
        int next = 0;
        while (next < count && pilot.Y() > hops[next].top - 4.0f)
            ++next;
        if (next == count)
            return false;
        HopOnto(pilot, hops[next]);
    }
    return On(pilot, goalTop);
}

// The Bow's planks from the floor up; on the top one's east end (the post)
// the blow reaches the beast's body in every lane.
constexpr Hop kBowHops[3] = {{800.0f, 850.0f, 192.0f}, {900.0f, 960.0f, 288.0f}, {1040.0f, 1100.0f, 384.0f}};
constexpr float kBowPostX = 1165.0f;
constexpr float kBowPostTop = 384.0f;
// West of this the player stands out of the beast's reach on the floor.
constexpr float kBowOutOfReachX = 800.0f;
// The blows stop at this life until the beast has spat fire: the next one
// takes it past 22, where it asks for a grip.
constexpr int kBowGripLife = 24;

// From the post to where the open grip of the beast in that lane closes on
// the player: walks through these x in turn (dropping off plank ends), the
// last one in the grip. The beast's first lane lies at the floor, each next
// one level with the next plank.
struct GripWay {
    float x[2];
    int count;
};
constexpr GripWay kBowGripWays[4]
    = {{{680.0f, 1000.0f}, 2}, {{850.0f, 940.0f}, 2}, {{950.0f, 0.0f}, 1}, {{1030.0f, 0.0f}, 1}};

// Walks (falling where a plank ends) through the x of the way, landing
// after each.
void WalkThrough(RunPilot& pilot, const GripWay& way)
{
    for (int n = 0; n < way.count; ++n) {
        const float x = way.x[n];
        const int side = x > pilot.X() ? 1 : -1;
        for (int pass = 0; pass < 120 && (x - pilot.X()) * static_cast<float>(side) > 0.0f; ++pass)
            pilot.Pass({side > 0 ? RunPilot::Right : RunPilot::Left});
        // A player who walks off a plank's end starts to fall a few passes
        // later.
        for (int pass = 0; pass < 60 && (pass < 4 || !Standing(pilot)); ++pass)
            pilot.Pass();
    }
}

bool BowFight(RunPilot& pilot)
{
    // Off the upper deck, down into the arena: its script starts the beast.
    for (int pass = 0; pass < 60 && (pilot.Y() > 100.0f || !Standing(pilot)); ++pass)
        pilot.Pass(pilot.Y() > 200.0f ? Keys {RunPilot::Left} : Keys {});
    // Out of its reach on the floor while it comes in: its arm slams the
    // ground and the planks fall.
    if (!pilot.WalkTo(kBowOutOfReachX, 200))
        return false;
    auto slammed = [&] {
        auto* boss = FindLive<NPC_Boss_Boat>(pilot);
        return boss == nullptr
            || (boss->GetState() == NPC_Boss_Boat::kStrike && boss->GetStrikeCountdown() == 0);
    };
    if (!pilot.WaitUntil(slammed, 400))
        return pilot.Fail("the Bow's beast never slammed the ground");
    // Then from the post, in its reach: it spits fire before the blow that
    // asks for its grip, and the grip is let close on the player, who is
    // slammed down, before the last blows.
    bool fired = false;
    bool gripped = false;
    for (int pass = 0; pass < 6000 && pilot.SaveVar("done_b02") != "1";) {
        auto* boss = FindLive<NPC_Boss_Boat>(pilot);
        const int before = pilot.Frame();
        fired = fired || (boss != nullptr && boss->GetState() == NPC_Boss_Boat::kFire);
        gripped = gripped || (boss != nullptr && boss->IsHoldingPlayer());
        if (pilot.DialogueShown() || boss == nullptr || boss->IsExploding() || boss->IsHoldingPlayer()
            || !Standing(pilot))
            pilot.Pass();
        else if (!gripped && boss->GetState() == NPC_Boss_Boat::kPreparing) {
            WalkThrough(pilot, kBowGripWays[std::clamp(boss->GetLane(), 0, 3)]);
            pilot.WaitUntil(
                [&] { return boss->IsHoldingPlayer() || boss->GetState() == NPC_Boss_Boat::kIdle; }, 200);
        } else if (On(pilot, kBowPostTop) && std::abs(pilot.X() - kBowPostX) <= 24.0f) {
            if (fired || boss->GetLife() > kBowGripLife)
                SwingToward(pilot, pilot.X() + 100.0f);
            else
                pilot.Pass();
        } else if (Climb(pilot, kBowHops, 3, kBowPostTop))
            pilot.WalkTo(kBowPostX, 40);
        pass += pilot.Frame() - before;
    }
    if (pilot.SaveVar("done_b02") != "1")
        return pilot.Fail("the Bow's beast still stands");
    // The fire armour in the alcove, on through the west exit.
    return pilot.WalkOut(0.0f, "boat_03.lvl", 900);
}

// The Stern's planks beside the totem, alternating west and east, from the
// floor up to the high ledge's height.
constexpr Hop kSternHops[7] = {{450.0f, 480.0f, 192.0f}, {560.0f, 640.0f, 288.0f}, {620.0f, 520.0f, 384.0f},
    {560.0f, 640.0f, 480.0f}, {620.0f, 520.0f, 576.0f}, {560.0f, 640.0f, 672.0f}, {620.0f, 520.0f, 768.0f}};
// On a west plank's west end the blow reaches the part level with it; a
// few steps east the part's blades hang clear of the player.
constexpr float kSternPostX = 385.0f;
constexpr float kSternClearX = 445.0f;
// The high ledge, level with the top plank across a five-tile gap.
constexpr float kSternLedgeTop = 768.0f;
constexpr float kSternLedgeX = 24 * kTile - 40.0f;
constexpr float kSternJumpX = 585.0f;

// Whether the part is about to hang its blades or has them out.
bool BladesComing(NPC_Boss2_Boat* part)
{
    if (part->IsAttackPending() && part->GetFrameCounter() >= NPC_Boss2_Boat::kBladeDelay - 30)
        return true;
    for (Projectile_Boss2_Boat* blade : part->GetBlades())
        if (blade != nullptr && !blade->IsFree())
            return true;
    return false;
}

bool SternFight(RunPilot& pilot)
{
    auto* leader = FindLive<NPC_Boss2_Boat>(pilot, "boss_boat2");
    if (leader == nullptr)
        return pilot.Fail("no totem in the Stern");
    // Its parts from the bottom up, each fought from the west plank level
    // with it; the fourth loss explodes the totem.
    const float posts[4] = {192.0f, 384.0f, 576.0f, 768.0f};
    for (int n = 0; n < 4; ++n) {
        for (int pass = 0; pass < 3000;) {
            const int before = pilot.Frame();
            NPC_Boss2_Boat* part
                = n < static_cast<int>(leader->GetParts().size()) ? leader->GetParts()[n] : nullptr;
            if (part == nullptr || part->GetLife() <= 0)
                break;
            const bool level = On(pilot, posts[n]);
            if (!Standing(pilot) || pilot.DialogueShown())
                pilot.Pass();
            else if (!level || pilot.X() < kSternPostX - 25.0f || pilot.X() > kSternClearX + 24.0f) {
                if (Climb(pilot, kSternHops, 7, posts[n]))
                    pilot.WalkTo(kSternPostX, 40);
            } else if (BladesComing(part))
                pilot.Pass(pilot.X() < kSternClearX ? Keys {RunPilot::Right} : Keys {});
            else if (pilot.X() > kSternPostX + 6.0f)
                pilot.Pass({RunPilot::Left});
            else if (part->GetState() == NPC_Boss2_Boat::kEntry
                || part->GetState() == NPC_Boss2_Boat::kWaiting)
                pilot.Pass();
            else
                SwingToward(pilot, pilot.X() - 100.0f);
            pass += pilot.Frame() - before;
        }
    }
    if (!leader->IsExploding() && FindLive<NPC_Boss2_Boat>(pilot, "boss_boat2") != nullptr)
        return pilot.Fail("the Stern's totem still stands");
    // Up to the top west plank, and a running jump across to the high
    // ledge: the strafe, then the way back to the Dock.
    if (!Climb(pilot, kSternHops, 7, kSternLedgeTop))
        return pilot.Fail("could not climb to the Stern's top plank");
    if (!pilot.WalkTo(kSternJumpX, 100))
        return false;
    for (int pass = 0; pass < 60; ++pass) {
        pilot.Pass(pass < 10 ? Keys {RunPilot::Right, RunPilot::Jump} : Keys {RunPilot::Right});
        if (pass > 4 && Standing(pilot))
            break;
    }
    if (!On(pilot, kSternLedgeTop) || pilot.X() < kSternLedgeX)
        return pilot.Fail("the jump to the Stern's high ledge fell short");
    // Back over the strafe, which the jump flew over, and out east.
    if (!pilot.WalkTo(26 * kTile, 200))
        return false;
    return pilot.WalkOut(31 * kTile + 16.0f, "Boat_TP_1.lvl", 600)
        && pilot.WaitUntil([&] { return pilot.ThePlayer()->GetMoveState() == Player::kIdle; }, 60);
}

} // namespace

bool RunBoat(RunPilot& pilot)
{
    return ToTheDock(pilot) && UpTheGangway(pilot) && DeckFight(pilot) && BowFight(pilot)
        && SternFight(pilot);
}
