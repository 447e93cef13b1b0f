#include "tools/run/RunLegs.h"
#include "tools/run/RunMoves.h"

#include "bosses/NPC_Boss2_Snow.h"
#include "bosses/NPC_Boss2_Snow_Enemy.h"
#include "bosses/NPC_Boss_Snow.h"
#include "bosses/NPC_MiniBoss_Snow.h"
#include "bosses/Projectile_MiniBoss_Snow.h"
#include "characters/Player.h"
#include "characters/PlayerArmorIce.h"
#include "game/Game.h"
#include "scene/BackgroundEvent.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

// The snow: from the Chapel east to the Frost Gate, across the Frozen Mere
// (the ice armor freezes it, the strafe clears the wide gap, a climb leads up
// to the mini-boss), the timber giant of the Yard, the frost sentinel of the
// Glacier Throat, and back to the Frost Gate.
namespace {

using RunMoves::Named;
using RunMoves::Standing;

constexpr float kTile = 32.0f;

bool Trace()
{
    static const bool on = std::getenv("QUENHOLT_RUN_TRACE") != nullptr;
    return on;
}

void Note(RunPilot& pilot, const std::string& what)
{
    if (Trace())
        std::fprintf(stderr, "[snow %6d] %-28s %s x %.1f y %.2f state %d\n", pilot.Frame(), what.c_str(),
            pilot.LevelName().c_str(), pilot.X(), pilot.Y(),
            pilot.ThePlayer() != nullptr ? pilot.ThePlayer()->GetMoveState() : -1);
}

template <class T> std::vector<T*> All(RunPilot& pilot)
{
    std::vector<T*> found;
    Game& game = pilot.TheGame();
    for (size_t i = 0; i < game.GetCharacterCount(); ++i)
        if (auto* c = dynamic_cast<T*>(game.GetCharacter(i)))
            found.push_back(c);
    return found;
}

// Until `done`: strikes at the nearest of `aims` (points to stand next to),
// walking there first. An empty list waits.
bool Fight(RunPilot& pilot, const std::string& what, const std::function<bool()>& done,
    const std::function<std::vector<Point<float>>()>& aims, int limit)
{
    float last = pilot.X();
    int stuck = 0;
    bool walked = false;
    for (int pass = 0; pass < limit; ++pass) {
        if (done())
            return true;
        if (pilot.DialogueShown() || pilot.MapOpen()) {
            pilot.Pass(pass % 2 == 0
                    ? RunPilot::Keys {pilot.DialogueShown() ? RunPilot::Attack : RunPilot::Map}
                    : RunPilot::Keys {});
            continue;
        }
        const std::vector<Point<float>> points = aims();
        if (points.empty()) {
            pilot.Pass();
            continue;
        }
        Point<float> aim = points.front();
        for (const Point<float>& p : points)
            if (std::abs(p.x - pilot.X()) < std::abs(aim.x - pilot.X()))
                aim = p;
        // Walks there unless something solid holds the player back; strikes
        // there.
        RunPilot::Keys keys;
        stuck = walked && std::abs(pilot.X() - last) < 0.5f ? stuck + 1 : 0;
        last = pilot.X();
        walked = std::abs(aim.x - pilot.X()) > 48.0f && stuck < 4;
        if (walked)
            keys.insert(aim.x > pilot.X() ? RunPilot::Right : RunPilot::Left);
        else if (pass % 2 == 0)
            keys.insert(RunPilot::Attack);
        if (aim.y > pilot.Y() + 96.0f && Standing(pilot) && pass % 4 == 0)
            keys.insert(RunPilot::Jump);
        pilot.Pass(keys);
    }
    return pilot.Fail(what + " was not won in " + std::to_string(limit) + " passes");
}

// A jump and a second one near its top toward x, steering until over it.
void JumpTo(RunPilot& pilot, float x, int limit = 90)
{
    auto steer = [&](bool jump) {
        RunPilot::Keys keys;
        if (std::abs(pilot.X() - x) > kTile / 4)
            keys.insert(x > pilot.X() ? RunPilot::Right : RunPilot::Left);
        if (jump)
            keys.insert(RunPilot::Jump);
        return keys;
    };
    for (int i = 0; i < 9; ++i)
        pilot.Pass(steer(true));
    pilot.Pass(steer(false));
    for (int i = 0; i < 9; ++i)
        pilot.Pass(steer(true));
    for (int pass = 0; pass < limit && !Standing(pilot); ++pass) {
        pilot.Pass(steer(false));
    }
}

// Stands in a reward alcove until its pickup is taken (its save variable
// set) and its cut-scene and the script lines after it have run.
bool TakeReward(RunPilot& pilot, float x, const std::string& var, const std::string& what)
{
    if (!pilot.WalkTo(x))
        return false;
    int quiet = 0;
    const bool taken = pilot.WaitUntil(
        [&] {
            const bool running = BackgroundEvent::FindByTypeName("BGEvent_PickupCinematic") != nullptr
                || pilot.TheGame().gameplayPaused || pilot.DialogueShown();
            quiet = running ? 0 : quiet + 1;
            return pilot.SaveVar(var) == "1" && quiet > 3;
        },
        600);
    return taken || pilot.Fail(what + " was not taken in " + pilot.LevelName());
}

// Waits for an armor charge, then presses that armor's key.
bool ArmorOnCharge(RunPilot& pilot, RunPilot::Key key, const std::string& what)
{
    Player* player = pilot.ThePlayer();
    if (!pilot.WaitUntil([&] { return player->GetArmorState().armorCharges > 0; }, 400))
        return pilot.Fail("no armor charge for " + what);
    pilot.Tap(key);
    return true;
}

// On the mere's west shore, the lake frozen: steps to the water's edge, puts
// the fire armor on, which thaws the ice next to the player, and the ice
// armor back on, which freezes it again.
bool ThawAndFreezeAgain(RunPilot& pilot, PlayerArmorIce& ice)
{
    constexpr float kEdge = 11 * kTile; // within a tile of the first ice
    for (int i = 0; i < 40 && pilot.X() < kEdge; ++i)
        pilot.Pass(i % 3 == 0 ? RunPilot::Keys {RunPilot::Right} : RunPilot::Keys {});
    pilot.WaitUntil([&] { return Standing(pilot); }, 30);
    const size_t frozen = ice.GetActiveReplacements().size();
    if (!ArmorOnCharge(pilot, RunPilot::FireArmor, "the thaw"))
        return false;
    if (!pilot.WaitUntil([&] { return ice.GetActiveReplacements().size() < frozen; }, 10))
        return pilot.Fail("the fire armor thawed nothing at x " + std::to_string(pilot.X()));
    Note(pilot, "thawed");
    if (!ArmorOnCharge(pilot, RunPilot::IceArmor, "the second freeze"))
        return false;
    if (!pilot.WaitUntil([&] { return ice.GetFrozenList().empty(); }, 300)
        || ice.GetActiveReplacements().size() < frozen)
        return pilot.Fail("the mere did not freeze again");
    return true;
}

// Into the sentinel's arena, which opens it; then where it looks: on the
// floor before it (its spikes), up on the walkway near it (it screams and
// drops its imps), until an imp hops; then down off the walkway's west end.
bool SentinelShowsItsMoves(RunPilot& pilot)
{
    NPC_Boss2_Snow* sentinel = Named<NPC_Boss2_Snow>(pilot, "boss_snow2");
    if (!RunMoves::StandAt(pilot, 17 * kTile))
        return false;
    if (!pilot.WaitUntil([&] { return sentinel->GetState() == NPC_Boss2_Snow::kAttackDown; }, 600))
        return pilot.Fail("the sentinel sent no spikes");
    Note(pilot, "spikes");
    RunMoves::DoubleJump(pilot, -1, 9 * kTile);
    Note(pilot, "on the walkway");
    if (!pilot.WaitUntil([&] { return sentinel->GetState() == NPC_Boss2_Snow::kDropEnemies; }, 600))
        return pilot.Fail("the sentinel dropped no imps (player at " + std::to_string(pilot.X()) + ", "
            + std::to_string(pilot.Y()) + ")");
    Note(pilot, "imps");
    auto hopping = [&] {
        for (NPC_Boss2_Snow_Enemy* imp : All<NPC_Boss2_Snow_Enemy>(pilot))
            if (imp->GetState() == NPC_Boss2_Snow_Enemy::kHopping)
                return true;
        return false;
    };
    if (!pilot.WaitUntil(hopping, 300))
        return pilot.Fail("no imp hopped");
    Note(pilot, "an imp hops");
    return pilot.WalkTo(11 * kTile);
}

} // namespace

bool RunSnow(RunPilot& pilot)
{
    Note(pilot, "start");
    if (!pilot.TeleportTo("Cimetery_TP_03.lvl"))
        return false;
    Note(pilot, "chapel");
    // East along the floor, up onto the ledge, out to the Frost Gate.
    if (!pilot.WalkTo(38 * kTile))
        return false;
    Note(pilot, "under the ledge");
    JumpTo(pilot, 44 * kTile);
    Note(pilot, "on the ledge");
    if (!pilot.WalkOut(47 * kTile, "snow_tp.lvl"))
        return false;
    Note(pilot, "frost gate");
    // Through the ring (found on the way) and out east onto the mere.
    if (!pilot.WalkOut(31 * kTile, "snow_01.lvl"))
        return false;
    Note(pilot, "mere");
    // The ice armor on the shore, the ghost's hint, then the mere frozen
    // from its west shore.
    if (!TakeReward(pilot, 8 * kTile, "got_1", "the ice armor") || !pilot.WalkTo(11 * kTile))
        return false;
    Note(pilot, "shore");
    Player* player = pilot.ThePlayer();
    if (!pilot.WaitUntil([&] { return player->GetArmorState().armorCharges > 0; }, 400))
        return pilot.Fail("the ice armor has no charge");
    pilot.Tap(RunPilot::IceArmor);
    auto* ice = dynamic_cast<PlayerArmorIce*>(player->GetModifier(Player::kIceArmor));
    if (ice == nullptr || !pilot.WaitUntil([&] { return ice->GetFrozenList().empty(); }, 300))
        return pilot.Fail("the mere did not freeze");
    Note(pilot, "frozen");
    // The fire armor at the water's edge thaws the ice it stands by; the ice
    // armor, on its next charge, freezes it again for the crossing.
    if (!ThawAndFreezeAgain(pilot, *ice))
        return false;
    Note(pilot, "thawed and frozen again");
    // Across, over the diamond.
    if (!pilot.WalkTo(19 * kTile))
        return false;
    JumpTo(pilot, 22 * kTile);
    Note(pilot, "over the diamond");
    pilot.WaitUntil([&] { return Standing(pilot); }, 60);
    Note(pilot, "before the gap");
    // The strafe's dash past the ghost, a jump out of it and a second one
    // over the gap.
    pilot.Hold({RunPilot::Right, RunPilot::RightShift}, 1);
    Note(pilot, "dash");
    JumpTo(pilot, 45 * kTile);
    Note(pilot, "after the gap");
    if (!pilot.WalkTo(48 * kTile + 16.0f))
        return false;
    Note(pilot, "at the cliff");
    // Onto the ice cliff, up it, and off it westward onto the upper floor.
    for (int i = 0; i < 30 && player->GetMoveState() != Player::kHanging; ++i)
        pilot.Pass(
            i < 9 ? RunPilot::Keys {RunPilot::Right, RunPilot::Jump} : RunPilot::Keys {RunPilot::Right});
    Note(pilot, "hanging");
    for (int i = 0; i < 200 && pilot.Y() < 15 * kTile; ++i)
        pilot.Pass({RunPilot::Up});
    for (int i = 0; i < 60 && !Standing(pilot); ++i)
        pilot.Pass(i < 9 ? RunPilot::Keys {RunPilot::Left, RunPilot::Jump} : RunPilot::Keys {RunPilot::Left});
    Note(pilot, "upper floor");
    // The mini-boss: blows on its circling targets as they come down to the
    // floor; the third broken target breaks it.
    if (!pilot.WalkTo(12 * kTile))
        return false;
    Note(pilot, "in the arena");
    if (Named<NPC_MiniBoss_Snow>(pilot, "miniboss_snow") == nullptr)
        return pilot.Fail("no snow mini-boss in " + pilot.LevelName());
    auto targets = [&] {
        std::vector<Point<float>> aims;
        auto* miniBoss = Named<NPC_MiniBoss_Snow>(pilot, "miniboss_snow");
        for (Projectile_MiniBoss_Snow* t : All<Projectile_MiniBoss_Snow>(pilot))
            if (miniBoss != nullptr && t->GetState() == Projectile_MiniBoss_Snow::kTarget
                && t->GetOwner() == miniBoss && !t->IsDead() && t->GetPosition().y < pilot.Y() + 3 * kTile)
                aims.push_back(t->GetPosition() + Point<float>(t->GetSize().x / 2.0f - 32.0f, 0.0f));
        return aims;
    };
    if (!Fight(
            pilot, "the snow mini-boss", [&] { return pilot.SaveVar("done_s01") == "1"; }, targets, 3000))
        return false;
    Note(pilot, "mini-boss down");
    // The reward behind the west gate, then east to the Timber Yard.
    if (!TakeReward(pilot, 1 * kTile, "got_28", "the spider double jump"))
        return false;
    Note(pilot, "spider double jump");
    if (!pilot.WalkOut(63 * kTile, "snow_02.lvl"))
        return false;
    Note(pilot, "yard");
    // The giant: into the arena, which starts it; blows while it stands.
    if (Named<NPC_Boss_Snow>(pilot, "boss_snow") == nullptr)
        return pilot.Fail("no timber giant in " + pilot.LevelName());
    auto giantAims = [&] {
        std::vector<Point<float>> aims;
        NPC_Boss_Snow* giant = Named<NPC_Boss_Snow>(pilot, "boss_snow");
        if (giant != nullptr && giant->GetState() >= NPC_Boss_Snow::kFighting
            && giant->GetJumpPhase() == NPC_Boss_Snow::kOnGround && !giant->IsDead())
            aims.push_back(giant->GetPosition() + Point<float>(giant->GetSize().x / 2.0f - 32.0f, 0.0f));
        return aims;
    };
    if (!pilot.WalkTo(20 * kTile))
        return false;
    if (!Fight(
            pilot, "the timber giant", [&] { return pilot.SaveVar("done_s02") == "1"; }, giantAims, 6000))
        return false;
    Note(pilot, "giant down");
    // The power reload behind the east gate, then on to the Glacier Throat.
    if (!TakeReward(pilot, 45 * kTile, "got_23", "the power reload"))
        return false;
    Note(pilot, "power reload");
    if (!pilot.WalkOut(47 * kTile, "snow_03.lvl"))
        return false;
    Note(pilot, "glacier");
    // The sentinel: into the arena from the east, which opens it; then blows
    // at its foot until it breaks.
    if (Named<NPC_Boss2_Snow>(pilot, "boss_snow2") == nullptr)
        return pilot.Fail("no frost sentinel in " + pilot.LevelName());
    auto sentinelAims = [&] {
        std::vector<Point<float>> aims;
        NPC_Boss2_Snow* sentinel = Named<NPC_Boss2_Snow>(pilot, "boss_snow2");
        if (sentinel != nullptr && sentinel->GetState() != NPC_Boss2_Snow::kOpening && !sentinel->IsDead())
            for (const Rect<int>& box : sentinel->GetHurtBoxes())
                aims.push_back(sentinel->GetPosition()
                    + Point<float>(static_cast<float>(std::max(box.x0, box.x1)) - 56.0f, 0.0f));
        return aims;
    };
    if (!SentinelShowsItsMoves(pilot))
        return false;
    Note(pilot, "sentinel's moves seen");
    if (!Fight(
            pilot, "the frost sentinel", [&] { return pilot.SaveVar("done_s03") == "1"; }, sentinelAims,
            6000))
        return false;
    Note(pilot, "sentinel down");
    // The level-2 ice armor behind the east gate, and back to the Frost Gate.
    if (!TakeReward(pilot, 45 * kTile, "got_10", "the level-2 ice armor"))
        return false;
    Note(pilot, "ice level 2");
    if (!pilot.WalkOut(47 * kTile, "snow_tp.lvl"))
        return false;
    if (!pilot.WaitUntil(
            [&] { return Standing(pilot) && pilot.ThePlayer()->GetMoveState() == Player::kIdle; }, 60))
        return pilot.Fail("the player did not come to rest at the Frost Gate");
    Note(pilot, "back at the gate");
    return true;
}
