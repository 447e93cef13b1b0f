#include "bosses/Projectile_Boss2_Bibli_Guardian.h"
#include "characters/Player.h"
#include "characters/PlayerModifier.h"
#include "characters/PlayerWorld.h"
#include "enemies/NPC_Door.h"
#include "game/Game.h"
#include "scene/BackgroundEvent.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "scene/MapModel.h"
#include "tools/run/RunLegs.h"
#include "tools/run/RunMoves.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

// The library leg: from the Sunken Dock by teleport to the Well Head, up its
// climb wall to the Chapel (the absorb-souls pickup on the altar, the bell),
// through the north crossbow door to the Reading Tower (the atlas at the
// top), the Endless Stacks (the secret room of the fireflies, the lost page,
// the lever, the mini-boss), the Hall of Whispers (the ghost), the Sealed Vault (the
// four-piece boss) and back down to the tower.
namespace {

constexpr float kTile = 32.0f;
using Keys = RunPilot::Keys;
using RunMoves::NamedCharacter;
using RunMoves::Standing;

void Trace(RunPilot& pilot, const std::string& what)
{
    if (std::getenv("RUN_TRACE") == nullptr)
        return;
    const Player* p = pilot.ThePlayer();
    std::fprintf(stderr, "[%6d] %-22s x %7.1f y %7.1f (tile %5.1f %5.1f) state %d  %s\n", pilot.Frame(),
        pilot.LevelName().c_str(), pilot.X(), pilot.Y(), pilot.X() / kTile, pilot.Y() / kTile,
        p != nullptr ? p->GetMoveState() : -1, what.c_str());
}

// Holds the keys until `done` holds; false after `limit` passes.
[[maybe_unused]] bool HoldUntil(
    RunPilot& pilot, const Keys& keys, const std::function<bool()>& done, int limit)
{
    for (int pass = 0; pass < limit; ++pass) {
        if (done())
            return true;
        pilot.Pass(keys);
    }
    return done();
}

// A jump holding `side`, with a second jump at the top of the first; ends
// when the player stands again, hangs on a wall or the level changes.
bool DoubleJump(RunPilot& pilot, int32_t side, int limit = 90)
{
    const std::string level = pilot.LevelName();
    for (int pass = 0; pass < limit; ++pass) {
        Keys keys;
        if (side != 0)
            keys.insert(side);
        if (pass < 8 || (pass >= 10 && pass < 18))
            keys.insert(RunPilot::Jump);
        pilot.Pass(keys);
        Trace(pilot, "double jump");
        const int state = pilot.ThePlayer()->GetMoveState();
        if (pilot.LevelName() != level || state == Player::kHanging || state == Player::kClimbing
            || (pass > 2 && state != Player::kJump && state != Player::kEndJump && state != Player::kFall))
            return true;
    }
    return pilot.Fail("a double jump did not land in " + level);
}

// From the wall it hangs on: up until the feet are above `y` (pixels), then
// off the wall and toward `side`.
bool ClimbOver(RunPilot& pilot, float y, int32_t side)
{
    if (pilot.ThePlayer()->GetMoveState() != Player::kHanging)
        return pilot.Fail("not hanging on a wall in " + pilot.LevelName());
    const std::string level = pilot.LevelName();
    if (!HoldUntil(
            pilot, {RunPilot::Up}, [&] { return pilot.Y() > y || pilot.LevelName() != level; }, 200))
        return pilot.Fail("could not climb above y " + std::to_string(y) + " in " + level);
    Trace(pilot, "climbed");
    if (pilot.LevelName() != level)
        return true;
    pilot.Pass({RunPilot::Up, RunPilot::Jump});
    for (int pass = 0; pass < 60 && pilot.LevelName() == level; ++pass) {
        pilot.Pass({side});
        Trace(pilot, "off the wall");
        const int state = pilot.ThePlayer()->GetMoveState();
        if (state != Player::kJump && state != Player::kEndJump && state != Player::kFall)
            return true;
    }
    return true;
}

// The key that steers toward x, braking ahead of it: none once there.
int32_t SteerTo(RunPilot& pilot, float x, float velocity)
{
    const float d = x - pilot.X();
    if (d * velocity > 0.0f && std::abs(d) < std::abs(velocity) * 2.5f)
        return velocity > 0.0f ? RunPilot::Left : RunPilot::Right;
    if (std::abs(d) > 6.0f)
        return d > 0.0f ? RunPilot::Right : RunPilot::Left;
    if (std::abs(velocity) > 2.0f)
        return velocity > 0.0f ? RunPilot::Left : RunPilot::Right;
    return 0;
}

// A jump (a double one when `twice`) that steers toward x and lands on the
// floor whose top is y (pixels).
bool JumpTo(RunPilot& pilot, float x, float y, bool twice, bool quiet = false)
{
    const std::string level = pilot.LevelName();
    float last = pilot.X();
    bool left = false;
    int retries = 0;
    for (int pass = 0; pass < 120; ++pass) {
        // A jump that did not leave the ground (the key read as still held):
        // let go of it and press again.
        if (!left && pass == 6 && retries < 3) {
            ++retries;
            pilot.Pass();
            pass = -1;
            continue;
        }
        Keys keys;
        if (pass < 8 || (twice && pass >= 10 && pass < 18))
            keys.insert(RunPilot::Jump);
        if (const int32_t steer = SteerTo(pilot, x, pilot.X() - last))
            keys.insert(steer);
        last = pilot.X();
        pilot.Pass(keys);
        Trace(pilot, "jump to " + std::to_string(x / kTile) + ", " + std::to_string(y / kTile));
        if (pilot.LevelName() != level)
            return true;
        if (!Standing(pilot))
            left = true;
        if (left && pass > 2 && Standing(pilot)) {
            if (std::abs(pilot.Y() - y) < 8.0f)
                return true;
            if (quiet)
                return false;
            return pilot.Fail("a jump to (" + std::to_string(x / kTile) + ", " + std::to_string(y / kTile)
                + ") in " + level + " landed at (" + std::to_string(pilot.X() / kTile) + ", "
                + std::to_string(pilot.Y() / kTile) + ")");
        }
    }
    return !quiet && pilot.Fail("a jump in " + level + " never landed");
}

// Walks toward x holding the one key, without reading any dialogue (in a
// teleporter the key that reads one on opens the teleport menu).
bool Step(RunPilot& pilot, float x, int limit = 120)
{
    const int32_t side = x > pilot.X() ? RunPilot::Right : RunPilot::Left;
    if (!HoldUntil(
            pilot, {side}, [&] { return side == RunPilot::Right ? pilot.X() >= x : pilot.X() <= x; }, limit))
        return pilot.Fail("could not step to x " + std::to_string(x / kTile) + " in " + pilot.LevelName());
    pilot.Pass();
    return true;
}

// Until no pickup cut-scene runs.
bool AfterCutScene(RunPilot& pilot)
{
    return pilot.WaitUntil(
        [&] {
            return BackgroundEvent::FindByTypeName("BGEvent_PickupCinematic") == nullptr
                && !pilot.ThePlayer()->IsInputLocked();
        },
        900);
}

// A bolt at the crossbow door `door` the player faces; true once it opened.
bool Shoot(RunPilot& pilot, const std::string& door)
{
    auto* target = dynamic_cast<NPC_Door*>(pilot.TheGame().FindCharacterByName(door, nullptr));
    if (target == nullptr)
        return pilot.Fail("no door " + door + " in " + pilot.LevelName());
    pilot.Pass();
    pilot.Tap(RunPilot::Crossbow);
    if (!pilot.WaitUntil([&] { return target->GetDoorState() == NPC_Door::kOpen; }, 90))
        return pilot.Fail(
            "the bolt did not open " + door + " (at " + std::to_string(pilot.X() / kTile) + ")");
    Trace(pilot, door + " open");
    return true;
}

// Where a character can be struck: the span of its hurt boxes.
struct Span {
    float left = 0.0f, right = 0.0f, bottom = 0.0f, top = 0.0f;
    bool found = false;
};

Span HurtSpan(CharacterObject* c)
{
    Span span;
    if (c == nullptr)
        return span;
    for (Rect<int> box : c->GetHurtBoxes()) {
        box.Offset(c->GetPosition().ToInt());
        const float l = static_cast<float>(std::min(box.x0, box.x1)),
                    r = static_cast<float>(std::max(box.x0, box.x1));
        const float b = static_cast<float>(std::min(box.y0, box.y1)),
                    t = static_cast<float>(std::max(box.y0, box.y1));
        if (!span.found)
            span = {l, r, b, t, true};
        span.left = std::min(span.left, l);
        span.right = std::max(span.right, r);
        span.bottom = std::min(span.bottom, b);
        span.top = std::max(span.top, t);
    }
    return span;
}

// Blows at what `target` gives (walking to it unless told to stay, turning
// to it) until `won` holds or `limit` passes went by. A target out of sight
// is waited for.
void Engage(RunPilot& pilot, const std::function<CharacterObject*()>& target,
    const std::function<bool()>& won, int limit, const std::string& what, bool stay, float lo = 0.0f,
    float hi = 0.0f)
{
    constexpr float kReach = 56.0f;
    for (int pass = 0; pass < limit; ++pass) {
        if (won())
            return;
        Player* player = pilot.ThePlayer();
        const Span span = HurtSpan(target());
        if (!span.found || player->IsAttacking()) {
            pilot.Pass();
            continue;
        }
        const float centre = pilot.X() + 32.0f;
        int32_t side = (span.left + span.right) / 2.0f > centre ? RunPilot::Right : RunPilot::Left;
        bool reach = span.right >= centre - kReach && span.left <= centre + kReach;
        if (span.right < centre - kReach)
            side = RunPilot::Left;
        else if (span.left > centre + kReach)
            side = RunPilot::Right;
        reach = reach && span.bottom < pilot.Y() + 96.0f + 16.0f && span.top > pilot.Y() - 16.0f;
        const int facing = player->GetFacingFromAnimation();
        // Staying on a platform: walking only within [lo, hi] (pixels).
        const bool walk = !stay || (lo < hi && (side == RunPilot::Right ? pilot.X() < hi : pilot.X() > lo));
        if (!reach)
            pilot.Pass(walk ? Keys {side} : Keys {});
        else if ((side == RunPilot::Right) != (facing == 1))
            pilot.Pass({side});
        else
            pilot.Pass({RunPilot::Attack});
        if (pass % 30 == 0)
            Trace(pilot,
                what + " life " + std::to_string(target() != nullptr ? target()->GetLife() : -1) + " span "
                    + std::to_string(span.left / kTile) + "-" + std::to_string(span.right / kTile) + " y "
                    + std::to_string(span.bottom / kTile) + "-" + std::to_string(span.top / kTile));
    }
}

// Fights the character of that name (a page, a lever, a fight) until the
// save variable holds. Unlike RunMoves::FightUntil it aims at the hurt boxes
// and strikes from the edge of the blow's reach: the stacks' jumps start
// from where the page's blow leaves the player.
bool FightNamed(RunPilot& pilot, const std::string& name, const std::string& var, int limit)
{
    const auto won = [&] { return pilot.SaveVar(var) == "1"; };
    Engage(
        pilot, [&] { return NamedCharacter(pilot, name); }, won, limit, name, false);
    return won()
        || pilot.Fail(name + " was not won in " + std::to_string(limit) + " passes (in " + pilot.LevelName()
            + " at " + std::to_string(pilot.X() / kTile) + ", " + std::to_string(pilot.Y() / kTile) + ")");
}

// The Chapel's bell, east of its ring, struck from a step west of it until
// it rings.
bool StrikeTheBell(RunPilot& pilot)
{
    const CharacterObject* bell = NamedCharacter(pilot, "bell");
    if (bell == nullptr)
        return pilot.Fail("no bell in " + pilot.LevelName());
    const float x = bell->GetPosition().x - 2 * kTile;
    const auto rings = [&] {
        const CharacterObject* struck = NamedCharacter(pilot, "bell");
        return struck != nullptr && struck->GetCurrentGraphical() != nullptr
            && struck->GetCurrentGraphical()->GetName() == "Actor_Bell_Ring";
    };
    return Step(pilot, x, 150) && RunMoves::StrikeUntil(pilot, 1, rings, 60, "the bell");
}

// The Well Head: over the well to its east wall, up the wall and through the
// upper floor to the Chapel.
bool ToChapel(RunPilot& pilot)
{
    if (!pilot.TeleportTo("Cimetery_TP_02.lvl"))
        return false;
    Trace(pilot, "at the Well Head");
    // Off the ring first: the teleporter's hint dialogue would take the
    // attack key that reads it on as the use key.
    HoldUntil(
        pilot, {RunPilot::Right}, [&] { return pilot.X() > 15 * kTile; }, 30);
    if (!pilot.WalkTo(17 * kTile) || !DoubleJump(pilot, RunPilot::Right))
        return false;
    if (!ClimbOver(pilot, 15 * kTile, RunPilot::Right))
        return false;
    if (!pilot.WaitUntil([&] { return pilot.LevelName() == "cimetery_tp_03.lvl"; }, 60))
        return pilot.Fail("did not climb out of the Well Head (at " + std::to_string(pilot.X() / kTile) + ", "
            + std::to_string(pilot.Y() / kTile) + ")");
    Trace(pilot, "in the Chapel");
    return true;
}

// The Chapel: the absorb-souls pickup on the altar, the teleporter, the
// bell, the platforms up to the north door, a bolt through it and up the
// stairwell.
bool ThroughChapel(RunPilot& pilot)
{
    pilot.WaitUntil([&] { return !pilot.DialogueShown(); }, 300);
    if (!pilot.WalkTo(11.5f * kTile))
        return false;
    Trace(pilot, "on the altar");
    if (!pilot.WaitUntil([&] { return pilot.SaveVar("got_7") == "1"; }, 30) || !AfterCutScene(pilot))
        return pilot.Fail("the altar's pickup was not taken");
    Trace(pilot, "souls taken");
    if (!Step(pilot, 18.2f * kTile))
        return false;
    if (pilot.TheGame().FindTeleportByLevel("cimetery_tp_03.lvl") == nullptr)
        return pilot.Fail("the Chapel's teleporter was not found");
    if (!StrikeTheBell(pilot))
        return false;
    Trace(pilot, "the bell rung");
    // The fire armor's area attack, once, while it is worn and charged (its
    // upgrade lies ahead, in the vault).
    if (const PlayerArmorState& armor = pilot.ThePlayer()->GetArmorState();
        armor.currentArmor == Player::kFireArmor && armor.armorCharges > 0) {
        pilot.Tap(RunPilot::FireArmor);
        Trace(pilot, "fire armor used");
    }
    if (!Step(pilot, 16.5f * kTile, 240) || !JumpTo(pilot, 14 * kTile, 6 * kTile, true)
        || !JumpTo(pilot, 17.2f * kTile, 7 * kTile, false))
        return false;
    Trace(pilot, "before the north door");
    // Facing the door, two tiles from it: the bolt leaves two tiles ahead.
    pilot.Pass({RunPilot::Right});
    if (!Shoot(pilot, "door_chapel"))
        return false;
    // Into the stairwell, and up.
    if (!HoldUntil(
            pilot, {RunPilot::Right}, [&] { return pilot.X() > 21.5f * kTile; }, 30))
        return pilot.Fail(
            "could not pass the Chapel's north door (at " + std::to_string(pilot.X() / kTile) + ")");
    Trace(pilot, "in the stairwell");
    if (!HoldUntil(
            pilot, {RunPilot::Jump}, [&] { return pilot.LevelName() == "bibli_tp.lvl"; }, 60))
        return pilot.Fail("did not climb the Chapel's stairwell");
    return true;
}

// The Reading Tower: the Librarian, the teleporter, up the pillar to the
// atlas at the top.
bool UpTheTower(RunPilot& pilot)
{
    if (!pilot.WaitUntil(
            [&] { return pilot.LevelName() == "bibli_tp.lvl" && pilot.ThePlayer() != nullptr; }, 60))
        return pilot.Fail("did not arrive in the Reading Tower");
    Trace(pilot, "in the tower");
    if (!pilot.WalkTo(11 * kTile) || !pilot.WaitUntil([&] { return !pilot.DialogueShown(); }, 600))
        return false;
    if (!Step(pilot, 20.2f * kTile))
        return false;
    if (pilot.TheGame().FindTeleportByLevel("bibli_tp.lvl") == nullptr)
        return pilot.Fail("the tower's teleporter was not found");
    Trace(pilot, "teleporter found");
    if (!Step(pilot, 12.5f * kTile) || !DoubleJump(pilot, RunPilot::Right))
        return false;
    Trace(pilot, "on the pillar");
    if (!ClimbOver(pilot, 22.5f * kTile, RunPilot::Left))
        return false;
    Trace(pilot, "over the pillar");
    if (!pilot.WalkTo(9.5f * kTile))
        return false;
    if (!pilot.WaitUntil(
            [&] { return pilot.TheGame().minimapModel->GetCell(37, 21) == 2 && !pilot.MapOpen(); }, 300))
        return pilot.Fail("the atlas was not taken");
    Trace(pilot, "atlas taken");
    return true;
}

// The Endless Stacks: the lost page, the secret room behind its crossbow
// door (the fireflies), the lever, the bookcase's arena, the rank, on east.
bool ThroughStacks(RunPilot& pilot)
{
    if (!pilot.WalkOut(0, "bibli_01.lvl", 600))
        return false;
    Trace(pilot, "in the stacks");
    if (!FightNamed(pilot, "lost_page", "page_b01", 300))
        return false;
    Trace(pilot, "page struck");
    if (!pilot.WalkTo(19.5f * kTile) || !JumpTo(pilot, 22 * kTile, 5 * kTile, false)
        || !JumpTo(pilot, 24.6f * kTile, 7 * kTile, false))
        return false;
    pilot.Pass({RunPilot::Right});
    if (!Shoot(pilot, "door_secret_b01"))
        return false;
    if (!pilot.WalkTo(34 * kTile) || !pilot.WaitUntil([&] { return pilot.SaveVar("got_9") == "1"; }, 30)
        || !AfterCutScene(pilot))
        return pilot.Fail("the fireflies were not taken");
    Trace(pilot, "fireflies taken");
    if (!HoldUntil(
            pilot, {RunPilot::Left}, [&] { return pilot.Y() < 4 * kTile && Standing(pilot); }, 120))
        return pilot.Fail("could not leave the secret room");
    if (!pilot.WalkTo(38.5f * kTile) || !FightNamed(pilot, "lever_b01", "lever_b01", 300))
        return false;
    Trace(pilot, "lever pulled");
    pilot.Hold({}, 30);
    if (!pilot.WalkTo(50 * kTile))
        return false;
    if (!FightNamed(pilot, "miniboss_bibli", "done_l01", 3000))
        return false;
    Trace(pilot, "bookcase down");
    // Over the rank in the alcove (its cut-scene plays on the way) and out.
    if (!pilot.WalkOut(63 * kTile, "bibli_02.lvl", 900))
        return false;
    if (pilot.SaveVar("got_27_l01") != "1")
        return pilot.Fail("the rank in the bookcase's alcove was not taken");
    return true;
}

// The Hall of Whispers: the ghost, fought where it comes down to the player;
// the max bolts in the alcove; on to the vault.
bool ThroughHall(RunPilot& pilot)
{
    Trace(pilot, "in the hall");
    if (!pilot.WalkTo(10 * kTile))
        return false;
    if (!FightNamed(pilot, "boss_bibli", "done_l02", 6000))
        return false;
    Trace(pilot, "ghost down");
    if (!pilot.WalkOut(31 * kTile, "bibli_03.lvl", 900))
        return false;
    if (pilot.SaveVar("got_24") != "1")
        return pilot.Fail("the max bolts in the ghost's alcove were not taken");
    return true;
}

// The Sealed Vault's two climbs, floor to top: where the player stands on
// each platform (the tile column of its left side, the row of its feet).
// The player may walk on it from lo to hi (its x, in tiles) without falling.
struct Spot {
    float x;
    float y;
    float lo = 0.0f;
    float hi = 0.0f;
};
constexpr Spot kEastSide[] = {{27.5f, 7}, {21.5f, 9}, {27.5f, 12}, {27.5f, 15, 24.5f, 28.4f}, {20, 18},
    {27.5f, 21}, {26.4f, 26, 26.0f, 28.4f}, {20.8f, 30, 21.0f, 22.4f}, {24.2f, 34, 24.5f, 28.4f}};
constexpr Spot kWestSide[] = {{3.5f, 6}, {9.5f, 9}, {3.5f, 12}, {4, 15, 1.5f, 5.4f}, {11, 18}, {4, 21},
    {3.5f, 26, 1.5f, 4.4f}, {10.2f, 30, 7.5f, 10.2f}};

bool StandsAt(RunPilot& pilot, Spot spot)
{
    return Standing(pilot) && std::abs(pilot.Y() - spot.y * kTile) < 8.0f
        && std::abs(pilot.X() - spot.x * kTile) < 2.5f * kTile;
}

// Down through the one-way platforms (crouch, jump) to the floor.
void DropToFloor(RunPilot& pilot)
{
    for (int tries = 0; tries < 16 && pilot.Y() > 3 * kTile; ++tries) {
        const int state = pilot.ThePlayer()->GetMoveState();
        if (state == Player::kHanging || state == Player::kClimbing) {
            // Off the wall it hangs on.
            pilot.Hold({RunPilot::Down}, 10);
            pilot.Pass({pilot.X() > 16 * kTile ? RunPilot::Left : RunPilot::Right, RunPilot::Jump});
        } else {
            pilot.Hold({RunPilot::Down}, 2);
            pilot.Pass({RunPilot::Down, RunPilot::Jump});
        }
        const float before = pilot.Y();
        HoldUntil(
            pilot, {}, [&] { return Standing(pilot); }, 90);
        // A solid block (not a one-way platform): off its edge, toward the
        // middle of the vault.
        if (Standing(pilot) && std::abs(pilot.Y() - before) < 4.0f && pilot.Y() > 3 * kTile) {
            HoldUntil(
                pilot, {pilot.X() > 16 * kTile ? RunPilot::Left : RunPilot::Right},
                [&] { return !Standing(pilot); }, 60);
            HoldUntil(
                pilot, {}, [&] { return Standing(pilot); }, 90);
        }
        Trace(pilot, "dropped");
    }
}

// To the spot `index` of a climb: up from a lower spot of the same climb the
// player stands on, else down to the floor and up the climb from its foot.
// Onto the spot's x, on the platform the player stands on.
void Settle(RunPilot& pilot, Spot spot)
{
    HoldUntil(
        pilot, {spot.x * kTile > pilot.X() ? RunPilot::Right : RunPilot::Left},
        [&] { return std::abs(pilot.X() - spot.x * kTile) < 12.0f || !Standing(pilot); }, 20);
    pilot.Pass();
}

bool GoTo(RunPilot& pilot, const Spot* side, int index)
{
    for (int attempt = 0; attempt < 6; ++attempt) {
        int from = -1;
        for (int i = index; i >= 0 && attempt < 2; --i)
            if (StandsAt(pilot, side[i])) {
                from = i;
                break;
            }
        // Straight down through the platforms stacked over the spot.
        if (from == -1 && attempt < 2 && Standing(pilot) && pilot.Y() > side[index].y * kTile + 8.0f
            && std::abs(pilot.X() - side[index].x * kTile) < 3.5f * kTile) {
            Settle(pilot, side[index]);
            for (int drops = 0; drops < 6 && Standing(pilot) && pilot.Y() > side[index].y * kTile + 8.0f;
                 ++drops) {
                pilot.Hold({RunPilot::Down}, 2);
                pilot.Pass({RunPilot::Down, RunPilot::Jump});
                HoldUntil(
                    pilot, {}, [&] { return Standing(pilot); }, 90);
            }
            if (StandsAt(pilot, side[index])) {
                Settle(pilot, side[index]);
                return true;
            }
        }
        // From the west guardian's platform across the middle to the east
        // climb (the way down to the floor and up again is too long for the
        // time the shield is down).
        if (from == -1 && attempt < 2 && side == kEastSide && index >= 4
            && (StandsAt(pilot, kWestSide[3]) || StandsAt(pilot, kWestSide[4]))) {
            if (StandsAt(pilot, kWestSide[3])) {
                Settle(pilot, kWestSide[3]);
                if (!JumpTo(pilot, kWestSide[4].x * kTile, kWestSide[4].y * kTile, true, true))
                    continue;
            }
            Settle(pilot, {12.5f, 18});
            if (!JumpTo(pilot, kEastSide[4].x * kTile, kEastSide[4].y * kTile, true, true))
                continue;
            from = 4;
        }
        if (from == -1) {
            DropToFloor(pilot);
            const float foot = side == kEastSide ? 23.5f : 6.0f;
            if (!pilot.WalkTo(foot * kTile))
                return false;
        }
        // Up the climb from the highest spot the player stands on (a jump
        // that lands higher or lower than meant goes on from there).
        bool ok = true;
        for (int jumps = 0; jumps < 14 && ok; ++jumps) {
            int at = from;
            for (int i = index; i >= 0; --i)
                if (StandsAt(pilot, side[i])) {
                    at = i;
                    break;
                }
            if (at == index)
                break;
            if (at >= 0)
                Settle(pilot, side[at]);
            ok = JumpTo(pilot, side[at + 1].x * kTile, side[at + 1].y * kTile, true, true) || Standing(pilot);
            from = -1;
        }
        if (ok) {
            Settle(pilot, side[index]);
            if (StandsAt(pilot, side[index]))
                return true;
        }
        Trace(
            pilot, "lost the way to " + std::to_string(side[index].x) + ", " + std::to_string(side[index].y));
    }
    return pilot.Fail("could not reach (" + std::to_string(side[index].x) + ", "
        + std::to_string(side[index].y) + ") in " + pilot.LevelName());
}

// The vault's four-piece boss: each guardian where it roams (the shield
// falls with it), then the top piece, the right, the left and the body, each
// struck from the platform beside it until a guardian comes again.
bool ThroughVault(RunPilot& pilot)
{
    Trace(pilot, "in the vault");
    Game& game = pilot.TheGame();
    if (!pilot.WalkTo(11 * kTile))
        return false;
    auto won = [&] { return pilot.SaveVar("done_l03") == "1"; };
    auto guardian = [&]() -> CharacterObject* {
        for (CharacterObject* c : game.FindCharactersByName("Projectile_Boss2_Bibli_Guardian", nullptr, true))
            if (c != nullptr && !c->IsDead())
                return c;
        return nullptr;
    };
    auto piece = [&](int role) -> CharacterObject* {
        std::vector<CharacterObject*> all = game.FindCharactersByName("NPC_Boss2_Bibli", nullptr, true);
        if (CharacterObject* body = game.FindCharacterByName("bibli2", nullptr))
            all.push_back(body);
        for (CharacterObject* c : all)
            if (c != nullptr && !c->IsDead() && c->GetMoveState() == role && c->GetLife() > 0)
                return c;
        return nullptr;
    };
    for (int round = 0; round < 40 && !won(); ++round) {
        for (int r : {0, 1, 2, 3}) {
            const Span at = HurtSpan(piece(r));
            Trace(pilot,
                "piece " + std::to_string(r) + (at.found ? " " : " (none) ") + std::to_string(at.left / kTile)
                    + "-" + std::to_string(at.right / kTile) + " y " + std::to_string(at.bottom / kTile) + "-"
                    + std::to_string(at.top / kTile) + " life "
                    + std::to_string(piece(r) != nullptr ? piece(r)->GetLife() : -1));
        }
        if (CharacterObject* g = guardian()) {
            // Its area (it flies there from the boss first): west or east,
            // low or high.
            Span span = HurtSpan(g);
            if (auto* roamer = dynamic_cast<Projectile_Boss2_Bibli_Guardian*>(g)) {
                const Rect<int> area = roamer->GetArea();
                span = {static_cast<float>(area.x0), static_cast<float>(area.x1), static_cast<float>(area.y1),
                    static_cast<float>(area.y0), true};
            }
            const bool east = span.found && span.left > 15 * kTile;
            const bool high = span.found && span.bottom > 22 * kTile;
            const Spot* side = east ? kEastSide : kWestSide;
            if (!GoTo(pilot, side, high ? 6 : 3))
                return false;
            Trace(pilot, "at a guardian");
            const Spot& at = side[high ? 6 : 3];
            Engage(
                pilot, guardian, [&] { return guardian() == nullptr || won(); }, 600, "a guardian", true,
                at.lo * kTile, at.hi * kTile);
            continue;
        }
        // The pieces in turn: top (3), right (2), left (1), body (0).
        int role = -1;
        for (int r : {3, 2, 1, 0})
            if (piece(r) != nullptr) {
                role = r;
                break;
            }
        if (role == -1) {
            pilot.Pass();
            continue;
        }
        const bool east = role != 1;
        const int index = role == 3 ? 8 : 7;
        if (!GoTo(pilot, east ? kEastSide : kWestSide, index))
            return false;
        Trace(pilot, "at piece " + std::to_string(role));
        const Spot& at = (east ? kEastSide : kWestSide)[index];
        Engage(
            pilot, [&] { return piece(role); },
            [&] { return piece(role) == nullptr || guardian() != nullptr || won(); }, 900,
            "piece " + std::to_string(role), true, at.lo * kTile, at.hi * kTile);
    }
    if (!pilot.WaitUntil(won, 300))
        return pilot.Fail("the vault's boss was not beaten");
    Trace(pilot, "vault won");
    DropToFloor(pilot);
    if (!pilot.WalkOut(31 * kTile, "bibli_tp.lvl", 900))
        return false;
    if (pilot.SaveVar("got_12") != "1")
        return pilot.Fail("the fire armor's upgrade in the vault's alcove was not taken");
    return pilot.WaitUntil([&] { return !pilot.DialogueShown() && !pilot.MapOpen(); }, 300);
}

} // namespace

bool RunLibrary(RunPilot& pilot)
{
    return ToChapel(pilot) && ThroughChapel(pilot) && UpTheTower(pilot) && ThroughStacks(pilot)
        && ThroughHall(pilot) && ThroughVault(pilot);
}
