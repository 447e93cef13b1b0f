#include "tools/run/RunLegs.h"
#include "tools/run/RunMoves.h"

#include "bosses/NPC_Boss2_Garden.h"
#include "bosses/NPC_Boss_Garden.h"
#include "bosses/NPC_MiniBoss_Garden.h"
#include "characters/CharacterObject.h"
#include "characters/Player.h"
#include "game/Game.h"

#include <algorithm>
#include <cmath>
#include <string>

// The garden leg. From the Frost Gate the teleport goes to the Chapel; from
// its altar the passage west runs over a lava pit that the worn level-2 ice
// armor freezes, to the Greenhouse Gate. The Overgrown Walk's hollow tree,
// its lever and its mini-boss; the Helmet Court's boss; the Burning
// Orchard's ghost; back to the Greenhouse Gate's teleporter. Each level is
// one step, chosen by the level the player stands in.
namespace {

using RunMoves::InAir;
using RunMoves::NamedCharacter;

constexpr float kTile = 32.0f;
using Keys = RunPilot::Keys;

Keys Move(int dir)
{
    if (dir < 0)
        return {RunPilot::Left};
    if (dir > 0)
        return {RunPilot::Right};
    return {};
}

// A jump toward `dir` (-1, 0, 1), jumping again near the top when `twice`;
// passes until the player stands again.
void Leap(RunPilot& pilot, int dir, bool twice, int firstHold = 10)
{
    Keys jump = Move(dir);
    jump.insert(RunPilot::Jump);
    pilot.Hold(jump, firstHold);
    if (twice) {
        pilot.Pass(Move(dir));
        pilot.Hold(jump, 12);
    }
    for (int pass = 0; pass < 90 && InAir(pilot); ++pass)
        pilot.Pass(Move(dir));
    pilot.Pass();
}

float CentreX(RunPilot& pilot)
{
    Player* player = pilot.ThePlayer();
    return player != nullptr ? player->GetPosition().x + static_cast<float>(player->GetSize().x) / 2.0f
                             : 0.0f;
}

// A blow: pressed on one pass, released on the next.
void Strike(RunPilot& pilot, int dir = 0)
{
    Keys keys = Move(dir);
    keys.insert(RunPilot::Attack);
    pilot.Pass(keys);
    pilot.Pass();
}

// Walks toward x holding the key, reading nothing on: over a teleporter the
// key that reads a dialogue on would open its menu.
bool Cross(RunPilot& pilot, float x, int limit = 200)
{
    const int dir = x > pilot.X() ? 1 : -1;
    const std::string level = pilot.LevelName();
    for (int pass = 0; pass < limit; ++pass) {
        if ((x - pilot.X()) * static_cast<float>(dir) <= 0.0f || pilot.LevelName() != level)
            return true;
        pilot.Pass(Move(dir));
    }
    return pilot.Fail("could not cross to x " + std::to_string(x) + " in " + level);
}

// The ice armor worn and used: a press wears it when another is worn, the
// next uses it; each waits for a charge.
bool UseIceArmor(RunPilot& pilot)
{
    Player* player = pilot.ThePlayer();
    for (int press = 0; press < 2 && player != nullptr; ++press) {
        if (!pilot.WaitUntil([&] { return player->GetArmorState().armorCharges > 0; }, 400))
            return pilot.Fail("the ice armor has no charge");
        const bool worn = player->GetCurrentArmor() == Player::kIceArmor;
        pilot.Tap(RunPilot::IceArmor);
        pilot.Hold({}, 10);
        if (worn)
            return true;
    }
    return pilot.Fail("the ice armor could not be worn");
}

// ---- the Chapel: from the teleporter onto the ledge over the altar, as a
// spider up over the passage's lip (a standing player's head meets the roof
// there), the lava frozen, west out to the Greenhouse Gate.
bool Chapel(RunPilot& pilot)
{
    if (!Cross(pilot, 13.7f * kTile))
        return false;
    if (!pilot.WaitUntil([&] { return !pilot.DialogueShown(); }, 300))
        return pilot.Fail("a dialogue stays open in the Chapel");
    // The ledge over the altar (tiles 13-15, top at 6).
    Leap(pilot, 0, true);
    if (std::abs(pilot.Y() - 6.0f * kTile) > 4.0f)
        return pilot.Fail("did not reach the ledge over the Chapel's altar");
    if (!pilot.WalkTo(13.0f * kTile))
        return false;
    // Up and west as a spider onto the passage's lip (tiles 10-11, top at 9),
    // held over it.
    pilot.Tap(RunPilot::Spider);
    pilot.Hold({}, 10);
    for (int pass = 0; pass < 60; ++pass) {
        Keys keys;
        if (pass < 8 || (pass > 8 && pass < 20))
            keys.insert(RunPilot::Jump);
        if (pass >= 8 && InAir(pilot)) {
            if (pilot.X() > 11.0f * kTile)
                keys.insert(RunPilot::Left);
            else if (pilot.X() < 10.3f * kTile)
                keys.insert(RunPilot::Right);
        }
        pilot.Pass(keys);
        if (pass > 20 && !InAir(pilot))
            break;
    }
    pilot.Tap(RunPilot::Spider);
    pilot.Hold({}, 10);
    if (std::abs(pilot.Y() - 9.0f * kTile) > 4.0f || pilot.ThePlayer()->IsSpiderForm())
        return pilot.Fail("did not reach the Chapel's passage");
    // The level-2 ice armor, worn and used, freezes the pit.
    if (!UseIceArmor(pilot))
        return false;
    pilot.Hold({}, 30);
    return pilot.WalkOut(0.0f, "Garden_tp.lvl");
}

// ---- the Greenhouse Gate: its teleporter found on the way east, or, at the
// end, the place the leg ends.
bool Greenhouse(RunPilot& pilot)
{
    const float ring = 18.0f * kTile + kTile;
    if (pilot.TheGame().FindTeleportByLevel("garden_tp.lvl") == nullptr) {
        if (!Cross(pilot, ring))
            return false;
        if (!pilot.WaitUntil(
                [&] { return pilot.TheGame().FindTeleportByLevel("garden_tp.lvl") != nullptr; }, 30))
            return pilot.Fail("the Greenhouse Gate's teleporter was not found");
    }
    if (pilot.SaveVar("done_g03") == "1")
        return Cross(pilot, ring - kTile / 2);
    if (!Cross(pilot, 24.0f * kTile))
        return false;
    return pilot.WalkOut(31.0f * kTile, "garden_01.lvl");
}

// ---- the Overgrown Walk: into the hollow tree (the secret), over it by its
// steps, the lever, the mini-boss, the reward, east out.
bool Walk(RunPilot& pilot)
{
    if (pilot.SaveVar("done_g01") != "1") {
        // The hollow under the tree's crown (tiles 18-21).
        if (!pilot.WalkTo(19.0f * kTile))
            return false;
        // Back to the step at 15-17 (top at 6), over the crown (top at 7) and
        // down beyond it.
        if (!pilot.WalkTo(15.5f * kTile))
            return false;
        Leap(pilot, 0, true);
        Leap(pilot, 1, false);
        if (pilot.X() < 23.0f * kTile)
            return pilot.Fail("did not climb over the hollow tree");
        if (!pilot.WalkTo(33.5f * kTile))
            return false;
        for (int blow = 0; blow < 10 && pilot.SaveVar("lever_g01") != "1"; ++blow)
            Strike(pilot, 1);
        if (pilot.SaveVar("lever_g01") != "1")
            return pilot.Fail("the Overgrown Walk's lever was not pulled");
        // Its gate opens when the pull has played.
        pilot.Hold({}, 30);
        if (!pilot.WalkTo(50.0f * kTile))
            return false;
        // The creature surfaces under the player: blows where it stands meet
        // it.
        for (int pass = 0; pass < 3000 && pilot.SaveVar("done_g01") != "1"; ++pass) {
            auto* boss = dynamic_cast<NPC_MiniBoss_Garden*>(NamedCharacter(pilot, "miniboss_garden"));
            if (boss == nullptr)
                break;
            Strike(pilot);
        }
        pilot.WaitUntil([&] { return pilot.SaveVar("done_g01") == "1"; }, 400);
    }
    if (pilot.SaveVar("done_g01") != "1")
        return pilot.Fail("the Overgrown Walk's mini-boss was not beaten");
    if (!pilot.WalkTo(61.0f * kTile))
        return false;
    return pilot.WalkOut(63.0f * kTile, "garden_02.lvl");
}

// Faces the centre x and strikes: one pass pressed, one released.
void StrikeToward(RunPilot& pilot, float x)
{
    const float centre = CentreX(pilot);
    Strike(pilot, std::abs(x - centre) < 8.0f ? 0 : (x > centre ? 1 : -1));
}

// ---- the Helmet Court: in past the gate, the helmeted skull's dashes met
// with blows until its helmet breaks and it falls, the reward, east out.
bool Court(RunPilot& pilot)
{
    if (pilot.SaveVar("done_g02") != "1") {
        if (!pilot.WalkTo(14.0f * kTile))
            return false;
        for (int pass = 0; pass < 6000 && pilot.SaveVar("done_g02") != "1"; ++pass) {
            auto* boss = dynamic_cast<NPC_Boss_Garden*>(NamedCharacter(pilot, "boss_garden"));
            if (boss == nullptr || boss->IsExploding())
                break;
            StrikeToward(pilot, boss->GetAnchor().x);
        }
        pilot.WaitUntil([&] { return pilot.SaveVar("done_g02") == "1"; }, 400);
    }
    if (pilot.SaveVar("done_g02") != "1")
        return pilot.Fail("the Helmet Court's boss was not beaten");
    if (!pilot.WalkTo(28.0f * kTile))
        return false;
    return pilot.WalkOut(31.0f * kTile, "garden_03.lvl");
}

// ---- the Burning Orchard: the ghost shows itself on one of four platforms
// at a time; the player climbs there by the pit's low steps and strikes while
// it is not fading.
struct Ledge {
    float left, right, top;
};
// The player's feet: its collision box spans x + 11 to x + 53.
constexpr float kFeetLeft = 11.0f;
constexpr float kFeetRight = 53.0f;
// Where the orchard's player can stand: the spawn places' platforms, the
// pit's steps, the ledge west of the entry gate, the tile of floor before the
// alcove's gate, the alcove's roof, the pit's floor.
enum OrchardPlace { kA, kB, kC, kD, kStepLeft, kStepRight, kOutside, kBeforeAlcove, kRoof, kPit, kNowhere };
constexpr Ledge kOrchard[] = {
    {4 * kTile, 9 * kTile, 8 * kTile},
    {13 * kTile, 18 * kTile, 10 * kTile},
    {31 * kTile, 36 * kTile, 10 * kTile},
    {39 * kTile, 44 * kTile, 8 * kTile},
    {10 * kTile, 13 * kTile, 5 * kTile},
    {35 * kTile, 38 * kTile, 5 * kTile},
    {1 * kTile, 9 * kTile, 2 * kTile},
    {40 * kTile, 41 * kTile, 2 * kTile},
    {42 * kTile, 48 * kTile, 7 * kTile},
    {9 * kTile, 40 * kTile, 1 * kTile},
};

OrchardPlace WhereInOrchard(RunPilot& pilot)
{
    if (InAir(pilot))
        return kNowhere;
    for (int i = kA; i <= kPit; ++i) {
        const Ledge& ledge = kOrchard[i];
        if (std::abs(pilot.Y() - ledge.top) < 4.0f && pilot.X() + kFeetRight > ledge.left
            && pilot.X() + kFeetLeft < ledge.right)
            return static_cast<OrchardPlace>(i);
    }
    return kNowhere;
}

// The next place on the way from one to another.
OrchardPlace NextHop(OrchardPlace from, OrchardPlace to)
{
    if (to == kBeforeAlcove) {
        switch (from) {
        case kA:
        case kB:
            return kStepLeft;
        case kC:
        case kD:
            return kStepRight;
        case kStepLeft:
        case kStepRight:
            return kPit;
        case kOutside:
            return kA;
        case kRoof:
            // The alcove's roof is walled off from the floor by the east
            // platform: up onto it, then down the steps.
            return kD;
        default:
            return kBeforeAlcove;
        }
    }
    const bool west = to == kA || to == kB || to == kStepLeft;
    switch (from) {
    case kPit:
        return west ? kStepLeft : kStepRight;
    case kOutside:
        return kA;
    case kBeforeAlcove:
        return kStepRight;
    case kRoof:
        return kD;
    case kStepLeft:
        return west ? to : kPit;
    case kStepRight:
        return west ? kPit : to;
    case kA:
        return to == kB ? kB : kStepLeft;
    case kB:
        return to == kA ? kA : kStepLeft;
    case kC:
        return to == kD ? kD : kStepRight;
    case kD:
        return to == kC ? kC : kStepRight;
    default:
        return to;
    }
}

// Steps toward x (the player's place) for a few passes, without jumping.
void StepTo(RunPilot& pilot, float x, int limit = 60)
{
    for (int pass = 0; pass < limit && std::abs(pilot.X() - x) > 6.0f && !InAir(pilot); ++pass)
        pilot.Pass(Move(x > pilot.X() ? 1 : -1));
}

// From the place the player stands on to the next: up by a double jump from
// beside it, steering over it once above its top; down by walking off toward
// it and steering while falling.
void Hop(RunPilot& pilot, OrchardPlace from, OrchardPlace to)
{
    const Ledge& here = kOrchard[from];
    const Ledge& there = kOrchard[to];
    const float middle = (there.left + there.right) / 2.0f - (kFeetLeft + kFeetRight) / 2.0f;
    if (there.top > here.top + 8.0f) {
        float beside = there.left > pilot.X() + kFeetLeft ? there.left - 4.0f - kFeetRight
                                                          : there.right + 4.0f - kFeetLeft;
        beside = std::clamp(beside, here.left - kFeetRight + 12.0f, here.right - kFeetLeft - 12.0f);
        StepTo(pilot, beside);
        for (int pass = 0; pass < 70; ++pass) {
            Keys keys;
            if (pass < 8 || (pass > 8 && pass < 18))
                keys.insert(RunPilot::Jump);
            if (pilot.Y() > there.top + 2.0f && std::abs(pilot.X() - middle) > 10.0f)
                keys.insert(pilot.X() < middle ? RunPilot::Right : RunPilot::Left);
            pilot.Pass(keys);
            if (pass > 4 && !InAir(pilot))
                return;
        }
        return;
    }
    for (int pass = 0; pass < 90; ++pass) {
        if (pass > 4 && !InAir(pilot) && WhereInOrchard(pilot) != from)
            return;
        if (std::abs(pilot.X() - middle) > 10.0f) {
            pilot.Pass(Move(middle > pilot.X() ? 1 : -1));
        } else if (!InAir(pilot) && WhereInOrchard(pilot) == from) {
            // Right above the place: off the nearer edge of this one first.
            pilot.Pass(Move(here.right - pilot.X() < pilot.X() - here.left ? 1 : -1));
        } else {
            pilot.Pass();
        }
    }
}

bool GhostShows(const NPC_Boss2_Garden& ghost)
{
    const int state = ghost.GetState();
    return state == NPC_Boss2_Garden::kIdle || state == NPC_Boss2_Garden::kAttacking
        || state == NPC_Boss2_Garden::kAfterAttack || state == NPC_Boss2_Garden::kFadingIn;
}

bool HoldsAScythe(const NPC_Boss2_Garden& ghost)
{
    for (int slot = 0; slot < NPC_Boss2_Garden::kScytheSlots; ++slot)
        if (ghost.GetScythe(slot) != nullptr)
            return true;
    return false;
}

// A bolt shot toward the centre x, and the passes of its flight.
void Shoot(RunPilot& pilot, float x)
{
    pilot.Pass(Move(x > CentreX(pilot) ? 1 : -1));
    pilot.Tap(RunPilot::Crossbow);
    pilot.Hold({}, 12);
}

// In, the ghost sought out each time it shows, then down to the alcove (its
// gate open), the reward and the way back to the Greenhouse Gate. Beside the
// ghost the first time, the fire armor's area attack (putting it on uses
// it), and a bolt, which the ghost catches as a scythe.
bool Orchard(RunPilot& pilot)
{
    if (pilot.SaveVar("done_g03") != "1") {
        if (!pilot.WalkTo(20.0f * kTile))
            return false;
        Player* player = pilot.ThePlayer();
        bool burnt = false;
        bool caught = false;
        int bolts = 0;
        for (int round = 0; round < 4000 && pilot.SaveVar("done_g03") != "1"; ++round) {
            auto* ghost = dynamic_cast<NPC_Boss2_Garden*>(NamedCharacter(pilot, "boss_garden2"));
            if (ghost == nullptr || ghost->IsExploding())
                break;
            if (!GhostShows(*ghost) || ghost->IsAppearOnly()) {
                pilot.Pass();
                continue;
            }
            const float ghostX = ghost->GetPosition().x + static_cast<float>(ghost->GetSize().x) / 2.0f;
            OrchardPlace under = kNowhere;
            for (int i = kA; i <= kD; ++i)
                if (ghostX > kOrchard[i].left && ghostX < kOrchard[i].right)
                    under = static_cast<OrchardPlace>(i);
            const OrchardPlace here = WhereInOrchard(pilot);
            if (under == kNowhere || here == under) {
                if (ghost->GetState() == NPC_Boss2_Garden::kFadingIn) {
                    pilot.Pass();
                } else if (here == under && !burnt && player->GetArmorState().armorCharges > 0) {
                    pilot.Tap(RunPilot::FireArmor);
                    burnt = player->GetCurrentArmor() == Player::kFireArmor;
                } else if (here == under && !caught && bolts < 3) {
                    Shoot(pilot, ghostX);
                    ++bolts;
                    caught = HoldsAScythe(*ghost);
                } else {
                    StrikeToward(pilot, ghostX);
                }
            } else if (here == kNowhere) {
                pilot.Pass();
            } else {
                Hop(pilot, here, NextHop(here, under));
            }
        }
        pilot.WaitUntil([&] { return pilot.SaveVar("done_g03") == "1"; }, 400);
    }
    if (pilot.SaveVar("done_g03") != "1")
        return pilot.Fail("the Burning Orchard's ghost was not beaten");
    // Down to the floor before the alcove, whose gate is open now.
    for (int hop = 0; hop < 12; ++hop) {
        pilot.Hold({}, 2);
        const OrchardPlace here = WhereInOrchard(pilot);
        if (here == kBeforeAlcove)
            break;
        if (here != kNowhere)
            Hop(pilot, here, NextHop(here, kBeforeAlcove));
    }
    if (!pilot.WalkTo(44.0f * kTile))
        return false;
    return pilot.WalkOut(47.0f * kTile, "Garden_tp.lvl");
}

} // namespace

bool RunGarden(RunPilot& pilot)
{
    for (int step = 0; step < 12; ++step) {
        const std::string level = pilot.LevelName();
        if (level == "snow_tp.lvl") {
            if (!pilot.TeleportTo("Cimetery_TP_03.lvl"))
                return false;
        } else if (level == "cimetery_tp_03.lvl") {
            if (!Chapel(pilot))
                return false;
        } else if (level == "garden_01.lvl") {
            if (!Walk(pilot))
                return false;
        } else if (level == "garden_02.lvl") {
            if (!Court(pilot))
                return false;
        } else if (level == "garden_03.lvl") {
            if (!Orchard(pilot))
                return false;
        } else if (level == "garden_tp.lvl") {
            if (!Greenhouse(pilot))
                return false;
            if (pilot.SaveVar("done_g03") == "1")
                return true;
        } else {
            return pilot.Fail("the garden leg does not pass through " + level);
        }
    }
    return pilot.Fail("the garden leg went round in circles");
}
