#include "tools/run/RunLegs.h"
#include "tools/run/RunMoves.h"

#include "bosses/NPC_Boss2_Underwater.h"
#include "bosses/NPC_Boss_Underwater.h"
#include "bosses/NPC_Boss_Underwater_Line.h"
#include "bosses/NPC_MiniBoss_Underwater.h"
#include "characters/Player.h"
#include "enemies/NPC_Door.h"
#include "game/Game.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

// The underwater leg: from the Dock through the hatch's crossbow door down to
// the Sunken Dock (its teleporter), the Drowned Nave (the secret grotto, the
// ray and the crossbow power), the Coral Throne (the anemone and the power
// slot), the Egg Cradle (the shell game) and back to the Sunken Dock.
namespace {

using RunMoves::Standing;

constexpr float kTile = 32.0f;
// The player's box is 64 wide; its position is its bottom-left corner.
constexpr float kHalfWidth = 32.0f;

using Keys = RunPilot::Keys;

CharacterObject* Named(RunPilot& pilot, const std::string& name)
{
    return pilot.TheGame().FindCharacterByName(name, nullptr);
}

float CentreX(RunPilot& pilot)
{
    return pilot.X() + kHalfWidth;
}

// The key that moves the player's centre toward x, none within `slack`.
Keys Toward(RunPilot& pilot, float x, float slack = 6.0f)
{
    if (CentreX(pilot) < x - slack)
        return {RunPilot::Right};
    if (CentreX(pilot) > x + slack)
        return {RunPilot::Left};
    return {};
}

Keys With(Keys keys, int32_t key)
{
    keys.insert(key);
    return keys;
}

// Passes steering the player's centre toward x until it stands again.
bool Land(RunPilot& pilot, float x, int limit = 200)
{
    for (int pass = 0; pass < limit; ++pass) {
        if (Standing(pilot))
            return true;
        pilot.Pass(Toward(pilot, x));
    }
    return Standing(pilot);
}

// A jump, and at its height the second one, steering the centre toward x;
// true once standing with the feet within a few pixels of feetY. It says
// nothing when it misses: the caller tries again or fails.
bool JumpTo(RunPilot& pilot, float x, float feetY, int tries = 6, bool orHigher = false)
{
    auto there = [&] { return std::abs(pilot.Y() - feetY) < 4.0f || (orHigher && pilot.Y() > feetY); };
    // The second jump goes highest when pressed at the first one's height,
    // six passes after it.
    auto climb = [&](int passes) {
        for (int pass = 0; pass < passes; ++pass)
            pilot.Pass(With(Toward(pilot, x), RunPilot::Jump));
    };
    for (int attempt = 0; attempt < tries; ++attempt) {
        if (!Land(pilot, x))
            return false;
        if (there() && std::abs(CentreX(pilot) - x) < 24.0f)
            return true;
        climb(6);
        pilot.Pass(Toward(pilot, x));
        climb(12);
        if (!Land(pilot, x))
            return false;
        if (there())
            return true;
    }
    return false;
}

// Steps toward x (the player's left) for at most `limit` passes; true when
// within half a step (a walking pass moves the player 21 px: a narrower
// window is met only from some starting places).
bool StepTo(RunPilot& pilot, float x, int limit)
{
    constexpr float kHalfStep = 11.0f;
    for (int pass = 0; pass < limit && std::abs(pilot.X() - x) > kHalfStep; ++pass)
        pilot.Pass(Toward(pilot, x + kHalfWidth, 3.0f));
    return std::abs(pilot.X() - x) <= kHalfStep;
}

// One blow of the scythe facing the way given, held until it ends.
void Swing(RunPilot& pilot, int32_t facing)
{
    pilot.Pass({facing});
    pilot.Pass({RunPilot::Attack});
    for (int pass = 0; pass < 20 && pilot.ThePlayer()->GetAttackKind() != 0; ++pass)
        pilot.Pass();
}

// A jump with a blow at its height, facing the way given.
void JumpSwing(RunPilot& pilot, int32_t facing, int rise)
{
    pilot.Pass({facing, RunPilot::Jump});
    for (int pass = 1; pass < rise; ++pass)
        pilot.Pass({RunPilot::Jump});
    pilot.Pass({RunPilot::Attack});
    for (int pass = 0; pass < 20 && pilot.ThePlayer()->GetAttackKind() != 0; ++pass)
        pilot.Pass();
}

// A jump under a box overhead (its bottom and top y), the second jump at the
// first one's height, and the blow as soon as the blade's band (20 to 84 px
// above the feet) will meet the box well when it strikes a pass later.
void ReachSwing(RunPilot& pilot, int32_t facing, int bottom, int top)
{
    float last = pilot.Y();
    auto meets = [&] {
        const float next = 2.0f * pilot.Y() - last;
        return next + 84.0f >= static_cast<float>(bottom) + 16.0f
            && next + 20.0f <= static_cast<float>(top) - 16.0f;
    };
    auto rise = [&](Keys first, int passes) {
        for (int pass = 0; pass < passes; ++pass) {
            last = pilot.Y();
            pilot.Pass(pass == 0 ? first : Keys {RunPilot::Jump});
            if (meets())
                return true;
        }
        return false;
    };
    bool struck = rise({facing, RunPilot::Jump}, 6);
    if (!struck) {
        pilot.Pass();
        struck = rise({RunPilot::Jump}, 9);
    }
    if (!struck)
        return;
    pilot.Pass({RunPilot::Attack});
    for (int pass = 0; pass < 20 && pilot.ThePlayer()->GetAttackKind() != 0; ++pass)
        pilot.Pass();
}

std::vector<NPC_Boss2_Underwater*> Eggs(RunPilot& pilot)
{
    std::vector<NPC_Boss2_Underwater*> eggs;
    for (CharacterObject* c : pilot.TheGame().FindCharactersByName("NPC_Boss2_Underwater", nullptr, false))
        if (auto* egg = dynamic_cast<NPC_Boss2_Underwater*>(c))
            eggs.push_back(egg);
    return eggs;
}

// The Dock: the fire armor worn, a bolt into the hatch's door, down the hatch.
bool ThroughTheHatch(RunPilot& pilot)
{
    if (pilot.LevelName() != "boat_tp_1.lvl")
        return pilot.Fail("the underwater leg starts in Boat_TP_1.lvl, not " + pilot.LevelName());
    auto* door = dynamic_cast<NPC_Door*>(Named(pilot, "door_dock"));
    if (door == nullptr)
        return pilot.Fail("no door over the Dock's hatch");
    if (!pilot.WalkTo(9 * kTile))
        return false;
    // The crossbow shoots only while an armor is worn.
    if (pilot.ThePlayer()->GetCurrentArmor() != Player::kFireArmor) {
        pilot.Tap(RunPilot::FireArmor);
        if (!pilot.WaitUntil([&] { return pilot.ThePlayer()->GetCurrentArmor() == Player::kFireArmor; }, 60))
            return pilot.Fail("the fire armor could not be worn at the Dock");
    }
    for (int shot = 0; shot < 3 && door->GetDoorState() == NPC_Door::kClosed; ++shot) {
        pilot.Pass({RunPilot::Left});
        pilot.Tap(RunPilot::Crossbow);
        pilot.WaitUntil([&] { return door->GetDoorState() != NPC_Door::kClosed; }, 40);
    }
    if (!pilot.WaitUntil([&] { return door->GetDoorState() == NPC_Door::kOpen; }, 120))
        return pilot.Fail("the hatch's crossbow door did not open");
    return pilot.WalkOut(3 * kTile, "underwater_TP.lvl");
}

// The Sunken Dock from the hatch: down into the water, through the
// teleporter's ring, east to the nave.
bool AcrossTheSunkenDock(RunPilot& pilot)
{
    if (!pilot.WalkTo(12 * kTile) || !Land(pilot, 12 * kTile + kHalfWidth, 300))
        return false;
    if (!pilot.WalkTo(18 * kTile))
        return false;
    if (!pilot.WaitUntil(
            [&] { return pilot.TheGame().FindTeleportByLevel("underwater_tp.lvl") != nullptr; }, 60))
        return pilot.Fail("the Sunken Dock's teleporter was not discovered");
    return pilot.WalkOut(31 * kTile, "underwater_01.lvl");
}

// The Drowned Nave: up the steps to the walkway, west into the secret
// grotto, east to the gap that drops to the arena's save.
bool ToTheGrotto(RunPilot& pilot)
{
    const float steps[][2] = {{11, 5}, {14, 7}, {11, 9}, {14, 11}, {16, 13}};
    for (const auto& step : steps)
        if (pilot.Y() < step[1] * kTile - 4.0f
            && !JumpTo(pilot, step[0] * kTile + 16.0f, step[1] * kTile, 6, true))
            return pilot.Fail("could not climb to the step at (" + std::to_string(step[0]) + ", "
                + std::to_string(step[1]) + ") in " + pilot.LevelName() + " (at " + std::to_string(pilot.X())
                + ", " + std::to_string(pilot.Y()) + ")");
    const int score = pilot.TheGame().saveData.GetScore();
    if (!pilot.WalkTo(4 * kTile))
        return false;
    if (!pilot.WaitUntil([&] { return pilot.TheGame().saveData.GetScore() == score + 1; }, 30))
        return pilot.Fail("the grotto's secret did not count");
    if (!pilot.WalkTo(41 * kTile, 2500))
        return false;
    if (!Land(pilot, 41 * kTile + kHalfWidth, 400))
        return false;
    return true;
}

// Onto a reward at x (the player's left, inside its trigger and short of the
// exit beyond it): the pickup taken, its cut-scene played to its end.
bool TakeReward(RunPilot& pilot, float x, const std::string& flag)
{
    if (!pilot.WalkTo(x, 600))
        return false;
    if (!pilot.WaitUntil([&] { return pilot.SaveVar(flag) == "1"; }, 60))
        return pilot.Fail("the reward " + flag + " was not taken in " + pilot.LevelName());
    if (!pilot.WaitUntil(
            [&] {
                return !pilot.TheGame().gameplayPaused && !pilot.ThePlayer()->IsInputLocked()
                    && !pilot.DialogueShown();
            },
            900))
        return pilot.Fail("the cut-scene of " + flag + " did not end");
    pilot.Hold({}, 5);
    return true;
}

// The lowest of a box's two y (boxes keep y0 on top).
int Bottom(const Rect<int>& box)
{
    return std::min(box.y0, box.y1);
}
int Top(const Rect<int>& box)
{
    return std::max(box.y0, box.y1);
}

// Blows at a target box while it lasts: the player stands beside it on the
// floor (or jumps when it is high), the blade's reach (36 to 88 px from the
// player's left, 20 to 84 up) on it. One step of the pursuit: returns after
// a blow or a few passes of walking.
void StrikeAt(RunPilot& pilot, const Rect<int>& box, float floorY)
{
    const float cx = static_cast<float>(box.x0 + box.x1) * 0.5f;
    const bool fromLeft = CentreX(pilot) < cx;
    // The player's centre 30 px short of the box's near side.
    const float near = fromLeft ? static_cast<float>(std::min(box.x0, box.x1)) - 30.0f
                                : static_cast<float>(std::max(box.x0, box.x1)) + 30.0f;
    if (std::abs(CentreX(pilot) - near) > 16.0f) {
        for (int pass = 0; pass < 3; ++pass)
            pilot.Pass(Toward(pilot, near, 8.0f));
        return;
    }
    const int32_t facing = fromLeft ? RunPilot::Right : RunPilot::Left;
    if (static_cast<float>(Bottom(box)) - floorY < 70.0f)
        Swing(pilot, facing);
    else
        ReachSwing(pilot, facing, Bottom(box), Top(box));
    Land(pilot, near);
}

// The ray: under its body, a jump and a blow, until it dies.
bool TheRay(RunPilot& pilot)
{
    if (!pilot.WalkTo(47 * kTile))
        return false;
    auto* ray = dynamic_cast<NPC_MiniBoss_Underwater*>(Named(pilot, "miniboss_under"));
    if (ray == nullptr)
        return pilot.Fail("no ray in the nave's arena");
    for (int round = 0; round < 600 && ray->GetLife() > 0; ++round) {
        const float x = ray->GetPosition().x + 144.0f;
        if (std::abs(CentreX(pilot) - x) > 40.0f) {
            pilot.Pass(Toward(pilot, x, 20.0f));
            continue;
        }
        JumpSwing(pilot, x > CentreX(pilot) ? RunPilot::Right : RunPilot::Left, 5);
        Land(pilot, x);
    }
    if (ray->GetLife() > 0)
        return pilot.Fail("the ray still has " + std::to_string(ray->GetLife()) + " life");
    if (!pilot.WaitUntil([&] { return pilot.SaveVar("done_u01") == "1"; }, 400))
        return pilot.Fail("the nave's arena did not end");
    if (!TakeReward(pilot, 60 * kTile, "got_26_u01"))
        return false;
    return pilot.WalkOut(63 * kTile, "underwater_02.lvl");
}

// True when a blow to the right from where the player stands meets the
// anemone's body: its near side within the blade's reach of the centre (the
// walk moves too far in a pass to stop on one spot).
bool BodyWithinReach(RunPilot& pilot, NPC_Boss_Underwater& anemone)
{
    for (Rect<int> box : anemone.GetHurtBoxes()) {
        box.Offset(anemone.GetPosition().ToInt());
        const float near = static_cast<float>(std::min(box.x0, box.x1));
        const float far = static_cast<float>(std::max(box.x0, box.x1));
        if (near - CentreX(pilot) <= 40.0f && CentreX(pilot) < far)
            return true;
    }
    return false;
}

// The east side of the Coral Throne's entry gate (tile 5): the arena's floor
// begins there.
constexpr int kThroneGateEast = static_cast<int>(6 * kTile);
// The feet's height on the low west ledge (row 5) that runs over the gate.
constexpr float kThroneLedgeY = 5 * kTile;

// The anemone: its arms cut from the floor as their eyes swing low, then the
// weak body from the ledge beside it.
bool TheAnemone(RunPilot& pilot)
{
    auto* anemone = dynamic_cast<NPC_Boss_Underwater*>(Named(pilot, "boss_underwater"));
    if (anemone == nullptr)
        return pilot.Fail("no anemone in the Coral Throne");
    if (!pilot.WalkTo(11 * kTile))
        return false;
    if (!pilot.WaitUntil([&] { return anemone->GetState() != NPC_Boss_Underwater::kWaiting; }, 200))
        return pilot.Fail("the anemone did not start");
    const float floorY = 2 * kTile;
    for (int round = 0; round < 1500 && !anemone->LiveArms().empty(); ++round) {
        // Out west of the closed gate, where no eye is within reach (a fight
        // can leave the player there): back onto the low west ledge, which
        // runs over the gate, and down into the arena again.
        if (CentreX(pilot) < kThroneGateEast) {
            JumpTo(pilot, 3 * kTile, kThroneLedgeY);
            for (int pass = 0; pass < 60 && CentreX(pilot) < 8 * kTile; ++pass)
                pilot.Pass({RunPilot::Right});
            continue;
        }
        // The lowest eye within the blade's reach from a jump, inside the
        // arena: an eye swung out over the low west ledge is let be, since
        // chasing it along that ledge drops the player west of the closed
        // entry gate, out of the fight.
        Rect<int> best;
        int lowest = std::numeric_limits<int>::max();
        for (CharacterObject* c : anemone->LiveArms())
            if (auto* arm = dynamic_cast<NPC_Boss_Underwater_Line*>(c))
                for (const Rect<int>& box : arm->TurnedBoxes(false))
                    if (std::max(box.x0, box.x1) >= kThroneGateEast && Bottom(box) < lowest) {
                        lowest = Bottom(box);
                        best = box;
                    }
        if (lowest == std::numeric_limits<int>::max() || static_cast<float>(lowest) > floorY + 330.0f) {
            pilot.Pass(Toward(pilot, 17 * kTile));
            continue;
        }
        StrikeAt(pilot, best, pilot.Y());
    }
    if (!anemone->LiveArms().empty())
        return pilot.Fail("the anemone keeps " + std::to_string(anemone->LiveArms().size()) + " arms");
    if (!pilot.WaitUntil([&] { return anemone->GetState() == NPC_Boss_Underwater::kWeak; }, 300))
        return pilot.Fail("the anemone did not turn weak");
    // Up the west ledges to the middle one, which runs on to the body's
    // side: blows from its end.
    const float end = 13 * kTile - 12.0f;
    for (int round = 0; round < 200 && anemone->GetLife() > 0; ++round) {
        if (pilot.Y() < 5 * kTile - 4.0f)
            JumpTo(pilot, 8 * kTile + 16.0f, 5 * kTile, 1);
        else if (pilot.Y() < 8 * kTile - 4.0f)
            JumpTo(pilot, 5 * kTile + 16.0f, 8 * kTile, 1);
        else if (pilot.Y() < 13 * kTile - 4.0f)
            JumpTo(pilot, 6 * kTile + 16.0f, 13 * kTile, 1);
        else if (StepTo(pilot, end, 40) || BodyWithinReach(pilot, *anemone))
            Swing(pilot, RunPilot::Right);
        else
            Land(pilot, end + kHalfWidth);
    }
    if (anemone->GetLife() > 0)
        return pilot.Fail("the anemone still has " + std::to_string(anemone->GetLife()) + " life");
    if (!pilot.WaitUntil([&] { return pilot.SaveVar("done_u02") == "1"; }, 400))
        return pilot.Fail("the throne's arena did not end");
    if (!Land(pilot, 20 * kTile, 300) || !TakeReward(pilot, 29 * kTile - 24.0f, "got_22"))
        return false;
    return pilot.WalkOut(31 * kTile, "underwater_03.lvl");
}

// The level-1 fire armor's area attack, once: the throne's power slot counts
// from the next level on, and its first charge comes a while later. A press
// wears the armor when another is worn, the next uses it.
bool BurnOnce(RunPilot& pilot)
{
    Player* player = pilot.ThePlayer();
    for (int press = 0; press < 2; ++press) {
        if (!pilot.WaitUntil([&] { return player->GetArmorState().armorCharges > 0; }, 400))
            return pilot.Fail("the power slot gave the armor no charge");
        const int charges = player->GetArmorState().armorCharges;
        pilot.Tap(RunPilot::FireArmor);
        pilot.Hold({}, 10);
        if (player->GetArmorState().armorCharges < charges)
            return true;
    }
    return pilot.Fail("the fire armor's area attack was not used in the Egg Cradle");
}

// The shell game: a wrong egg broken once, then the marked egg broken, the
// boss struck while it is out, until the shared life is gone.
bool TheEggs(RunPilot& pilot)
{
    if (!pilot.WalkTo(9 * kTile))
        return false;
    if (!pilot.WaitUntil(
            [&] {
                const auto eggs = Eggs(pilot);
                return !eggs.empty() && eggs.front()->GetState() != NPC_Boss2_Underwater::kWaiting;
            },
            200))
        return pilot.Fail("the eggs did not start");
    const float floorY = 2 * kTile;
    // One wrong egg is broken open first, to show it empty.
    bool shownEmpty = false;
    for (int round = 0; round < 1500 && NPC_Boss2_Underwater::GetPool() > 0; ++round) {
        NPC_Boss2_Underwater* target = nullptr;
        NPC_Boss2_Underwater* wrong = nullptr;
        for (NPC_Boss2_Underwater* egg : Eggs(pilot)) {
            const bool open = egg->GetCurrentGraphical() == egg->Look("EggOpen");
            shownEmpty = shownEmpty || open;
            if (egg->GetState() == NPC_Boss2_Underwater::kBossOut || (target == nullptr && egg->IsMarked()))
                target = egg;
            if (!egg->IsMarked() && !open
                && (wrong == nullptr
                    || std::abs(egg->GetPosition().x - pilot.X())
                        < std::abs(wrong->GetPosition().x - pilot.X())))
                wrong = egg;
        }
        if (!shownEmpty && wrong != nullptr
            && (target == nullptr || target->GetState() != NPC_Boss2_Underwater::kBossOut))
            target = wrong;
        if (target == nullptr || target->IsExploding()) {
            pilot.Pass();
            continue;
        }
        const std::vector<Rect<int>> hurt = target->GetHurtBoxes();
        if (hurt.empty()) {
            pilot.Pass();
            continue;
        }
        Rect<int> box = hurt.front();
        box.Offset(target->GetPosition().ToInt());
        StrikeAt(pilot, box, floorY);
    }
    if (NPC_Boss2_Underwater::GetPool() > 0)
        return pilot.Fail(
            "the cradle's boss keeps " + std::to_string(NPC_Boss2_Underwater::GetPool()) + " life");
    if (!pilot.WaitUntil([&] { return pilot.SaveVar("done_u03") == "1"; }, 400))
        return pilot.Fail("the cradle's arena did not end");
    if (!BurnOnce(pilot))
        return false;
    // The weapon power on show, then the way back to the Sunken Dock.
    if (!pilot.WalkTo(28 * kTile, 600))
        return false;
    return pilot.WalkOut(31 * kTile, "underwater_TP.lvl");
}

} // namespace

bool RunUnderwater(RunPilot& pilot)
{
    if (!ThroughTheHatch(pilot) || !AcrossTheSunkenDock(pilot) || !ToTheGrotto(pilot) || !TheRay(pilot)
        || !TheAnemone(pilot) || !TheEggs(pilot))
        return false;
    // Back at the Sunken Dock, at its teleporter.
    return pilot.WalkTo(18 * kTile);
}
