#include "bosses/NPC_Boss_Final.h"
#include "bosses/NPC_Boss_Ultimate.h"
#include "bosses/Projectile_Boss_Final.h"
#include "bosses/Projectile_Boss_Ultimate.h"
#include "characters/Player.h"
#include "game/Game.h"
#include "tools/run/RunLegs.h"
#include "tools/run/RunMoves.h"

#include <cmath>

// The finale: from a hub with the six second bosses down, to the Chapel, down
// the crypt stair, the Crypt's final boss, the Heart's three steps, the
// ending, and a key back to the title.
namespace {

using namespace RunMoves;
constexpr float kTile = 32.0f;

// East of the stone before the Heart's maw, on the way to the east cells.
constexpr float kPastStone = 42.5f * kTile;
// The stone's east face.
constexpr float kStoneFace = 41 * kTile;

// The top of the Crypt's floor.
constexpr float kFloorTop = 2 * kTile;
bool Crypt(RunPilot& pilot)
{
    if (Named<NPC_Boss_Final>(pilot, "boss_final") == nullptr)
        return pilot.Fail("no final boss in " + pilot.LevelName());
    // Into the arena; the Shade's greeting is read on the way.
    if (!pilot.WalkTo(8 * kTile))
        return false;
    // The heads of its bursts become skulls that chase the player: they are
    // struck down first, the boss whenever it can be hit (it is looked up
    // afresh: once it is done the game lets it go).
    // In its last phase it fades to a ghost now and then, and blows pass
    // through it: that phase waits for its first fade (skulls aside), strikes
    // through it, then strikes only while it shows again.
    int fades = 0;
    bool ghosted = false;
    const Foe foe = [&]() -> CharacterObject* {
        auto* boss = Named<NPC_Boss_Final>(pilot, "boss_final");
        if (boss != nullptr && boss->IsGhosted() != ghosted) {
            ghosted = boss->IsGhosted();
            fades += ghosted ? 1 : 0;
        }
        const bool lastPhase = boss != nullptr && boss->GetState() == NPC_Boss_Final::kPhase3;
        if (lastPhase && ghosted && fades == 1)
            return boss;
        // (A skull thrown out past the crypt's walls is left to go.)
        CharacterObject* skull = Nearest(pilot, {Projectile_Boss_Final::kSkullName});
        if (skull != nullptr && skull->GetCenter().x > kTile && skull->GetCenter().x < 31 * kTile)
            return skull;
        if (boss != nullptr && boss->GetState() >= NPC_Boss_Final::kPhase1
            && boss->GetState() <= NPC_Boss_Final::kPhase3 && !ghosted && !(lastPhase && fades == 0))
            return boss;
        return nullptr;
    };
    if (!FightUntil(
            pilot, foe, [&] { return pilot.SaveVar("done_f") == "1"; }, 12000, "the final boss"))
        return false;
    // The Heart is fought as a player fights it: the god flag the run
    // started with goes off here, the last line typed before the ending.
    if (!pilot.Console("god 0"))
        return false;
    // A last blow from a jump may land the player on a ledge or on the block
    // over the exit: off it first, down the gap between them (its feet wholly
    // over tiles 26-28), onto the floor.
    Settle(pilot);
    if (pilot.Y() > kFloorTop + 4.0f) {
        if (!pilot.WalkTo(26.5f * kTile))
            return false;
        Settle(pilot);
    }
    // (The fight may have ended on the stair, which already took him down.)
    if (pilot.LevelName() == "cemetery_heart.lvl")
        return true;
    return pilot.WalkOut(31 * kTile + 16.0f, "cemetery_heart.lvl", 2500);
}

bool Heart(RunPilot& pilot)
{
    // Along the high passage, down the step inside the arena's west wall
    // and onto its floor, which starts the fight.
    if (!pilot.WalkTo(36 * kTile))
        return false;
    Settle(pilot);
    auto living = [&](const std::string& name) -> CharacterObject* {
        for (CharacterObject* body : pilot.TheGame().FindCharactersByName(name, nullptr, true)) {
            auto* cell = dynamic_cast<NPC_Boss_Ultimate*>(body);
            if (cell != nullptr && cell->GetLife() > 0 && cell->GetState() != NPC_Boss_Ultimate::kStep3Hidden)
                return cell;
        }
        return nullptr;
    };
    // The two cells in the west wall, then the one in the east wall, each
    // struck from the floor; the stone before the maw's place is jumped on
    // the way east.
    for (const char* step : {"cell_etape_1", "cell_etape_2"}) {
        if (std::string(step) == "cell_etape_2" && !pilot.WalkTo(kPastStone))
            return false;
        const Foe cell = [&]() -> CharacterObject* { return living(step); };
        if (!FightUntil(
                pilot, cell, [&] { return living(step) == nullptr; }, 6000, step))
            return false;
    }
    // The maw, from the floor by the stone east of it, until a few blows are
    // left: the pilot walks west until the stone holds him and strikes; none
    // of the maw's dangers reaches him there, so he stays (he walks back
    // should anything move him off).
    const Foe maw = [&]() -> CharacterObject* {
        auto* body = Named<NPC_Boss_Ultimate>(pilot, "NPC_Boss_Ultimate");
        return body != nullptr && body->GetLife() > 0 && !body->IsExploding() ? body : nullptr;
    };
    const auto won = [&] { return pilot.SaveVar("done_h") == "1"; };
    const auto nearlyWon = [&] {
        CharacterObject* body = maw();
        return won() || (body != nullptr && body->GetLife() <= 12);
    };
    // West until the stone holds him (he stands still with the key held).
    const auto toStone = [&] {
        Settle(pilot);
        int still = 0;
        for (int pass = 0; pass < 150 && still < 3; ++pass) {
            const float was = pilot.X();
            pilot.Pass({RunPilot::Left});
            still = std::abs(pilot.X() - was) < 0.5f ? still + 1 : 0;
        }
        return pilot.X() < kStoneFace + kTile;
    };
    const int giveUp = pilot.Frame() + 12000;
    while (!nearlyWon()) {
        if (pilot.Frame() >= giveUp)
            return pilot.Fail("the maw was not beaten in 12000 passes");
        if (maw() == nullptr) {
            pilot.Pass();
            continue;
        }
        if (!toStone())
            return pilot.Fail("the stone before the maw did not hold the Warden");
        const auto movedOff = [&] { return pilot.X() >= kStoneFace + kTile; };
        if (!StrikeUntil(
                pilot, -1, [&] { return nearlyWon() || movedOff(); }, 12000, "the maw"))
            return false;
    }
    // Its claw comes out of the east wall at whoever stands against it: the
    // Warden lets it strike once, so that the run sees and hears it, then
    // ends the fight.
    if (!won()) {
        const auto clawStruck = [&] {
            auto* claw = Named<Projectile_Boss_Ultimate>(pilot, "Projectile_Boss_Ultimate_Step3_Claw");
            return claw != nullptr && claw->GetState() == Projectile_Boss_Ultimate::kClawStrike;
        };
        if (!pilot.WalkTo(44.5f * kTile) || !pilot.WaitUntil(clawStruck, 700))
            return pilot.Fail("the maw's claw did not strike by the east wall");
    }
    if (!FightUntil(pilot, maw, won, 3000, "the maw"))
        return false;
    // The ending: the last words are read on, then the score and time.
    if (!pilot.WaitUntil([&] { return pilot.TheGame().endingMode > 0; }, 1200))
        return pilot.Fail("the ending was not shown");
    // The key is asked for once the ending has stood a while.
    pilot.Hold({}, 95);
    pilot.Tap(RunPilot::Jump);
    if (!pilot.WaitUntil([&] { return pilot.TheGame().endingMode == 0 && pilot.TheGame().menuFlag; }, 60))
        return pilot.Fail("a key on the ending did not return to the title");
    return true;
}

} // namespace

bool RunFinale(RunPilot& pilot)
{
    if (!pilot.TeleportTo("Cimetery_TP_03.lvl"))
        return false;
    CharacterObject* stairs = NamedCharacter(pilot, "crypt_stairs");
    if (stairs == nullptr)
        return pilot.Fail("no crypt stair in " + pilot.LevelName());
    // Off the ring first, by the walking key alone: its help stays shown
    // while the player stands in it, and the use key there would open the
    // teleport menu.
    // (Where the stair is, read once: the passes may free its character.)
    const float stairsX = stairs->GetCenter().x;
    const RunPilot::Key way = stairsX > pilot.X() ? RunPilot::Right : RunPilot::Left;
    for (int pass = 0; pass < 90 && pilot.DialogueShown(); ++pass)
        pilot.Pass({way});
    // (Those steps may already have taken the stair.)
    if (pilot.LevelName() == "cimetery_tp_03.lvl" && !pilot.WalkTo(stairsX))
        return false;
    if (!pilot.WaitUntil([&] { return pilot.LevelName() == "cemetery_crypt.lvl"; }, 60))
        return pilot.Fail("the crypt stair did not open");
    return Crypt(pilot) && Heart(pilot);
}
