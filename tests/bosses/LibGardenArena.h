#pragma once

#include "characters/Player.h"
#include "scene/GraphicalObject.h"
#include "script/NPC_Script.h"
#include "script/ScriptVar.h"

#include "tests/bosses/BossArena.h"

#include <functional>
#include <string>

// The arena kit of the library's and the garden's fights, in the level
// tool's arena: the entry gate at tile 5, the arena trigger over the floor
// from there on, the alcove's gate at tile 26 and the reward behind it at
// tile 28. A fight walks in by scripted input, ends by the fight's own
// means, and the walk checks what the kit does after the wait for the death
// message: the save variable, the gates, the reward's cut-scene, and a
// reload that finds the boss disabled and the alcove open.
struct ArenaKit {
    std::string code;    // "l01"
    std::string boss;    // the name the script commands ("boss_bibli")
    std::string message; // the death message waited for
    std::string preload; // a large picture of the boss
    int rewardKind = 0;
    std::string cinematic; // the cut-scene's arguments
    bool mini = false;     // a mini-boss acts by itself: no "start"
    int arenaHeight = 11;
};

inline std::string KitText(const ArenaKit& k)
{
    const std::string c = k.code;
    std::string t;
    t += "trigger gate_in_" + c
        + " 5 2 1x3 graphic=Gate_Open {\n:OnStartup\nRefreshGraphicalCollision gate_in_" + c + "\n}\n";
    t += "trigger gate_out_" + c + " 26 2 1x3 graphic=Gate_Closed {\n:OnStartup\nIfVar done_" + c
        + " == 1\n(\nSetGraphical gate_out_" + c + " Gate_Open\n)\nRefreshGraphicalCollision gate_out_" + c
        + "\nPrepareSoundEvents gate_out_" + c + " Script_User_02,Script_User_03\n}\n";
    t += "trigger arena_" + c + " 6 2 19x" + std::to_string(k.arenaHeight) + " {\n:OnStartup\nIfVar done_" + c
        + " == 1\n(\nSendMessageTo " + k.boss + " disable\n)\n:OnEnterOnce\nIfVar done_" + c
        + " == 1\n(\n)\nElse\n(\nSetPlayerFullLife\nSetGraphical gate_in_" + c
        + " Gate_Closed\nRefreshGraphicalCollision gate_in_" + c + "\nPlaySoundEvent gate_out_" + c
        + " Script_User_03\nPreLoadGraphical " + k.preload
        + "\nStopMusic 1\nwaitEvent_ShakeCamera 30 4 0 4 0\n"
        + (k.mini ? "PlayMusic miniboss.ogg 1\n"
                  : "PlayMusic boss.ogg 1\nSendMessageTo " + k.boss + " start\n")
        + "waitEvent_WaitMessage " + k.message + "\nCreateVar save done_" + c + " 1\nSetGraphical gate_in_"
        + c + " Gate_Open\nRefreshGraphicalCollision gate_in_" + c + "\nSetGraphical gate_out_" + c
        + " Gate_Open\nRefreshGraphicalCollision gate_out_" + c + "\nPlaySoundEvent gate_out_" + c
        + " Script_User_02\nSaveGame 1 arena_" + c + "\n)\n}\n";
    const std::string kind = std::to_string(k.rewardKind);
    t += "place Zone_PickupObject reward_pickup_" + c + " 28 2 kind=" + kind + "\n";
    t += "trigger reward_" + c + " 27 2 3x3 {\n:OnEnterOnce\nIfVar got_" + kind
        + " == 1\n(\n)\nElse\n(\nCreateVar save got_" + kind + " 1\nwaitEvent_RunPickupCinematic "
        + k.cinematic + "\n)\n}\n";
    return t;
}

class LibGardenArena : public BossArena {
protected:
    // The player does not die in these fights (a death would reload the
    // level under the test).
    void SetUp() override
    {
        BossArena::SetUp();
        if (!IsSkipped())
            game.godMode = true;
    }
    void TearDown() override
    {
        for (const char* name : {"done_l01", "done_l02", "done_l03", "done_g01", "done_g02", "done_g03"})
            ClearSaveVar(name);
        BossArena::TearDown();
    }
    static void ClearSaveVar(const std::string& name)
    {
        if (ScriptVar* var = Game::FindSaveVar(name))
            var->SetValue("0");
    }
    std::string SaveVar(const std::string& name)
    {
        ScriptVar* var = Game::FindSaveVar(name);
        return var != nullptr ? var->GetValue() : std::string();
    }
    // The picture a trigger's character shows, or "".
    std::string Shows(const std::string& trigger)
    {
        CharacterObject* c = Named(trigger);
        GraphicalObject* g = c != nullptr ? c->GetCurrentGraphical() : nullptr;
        return g != nullptr ? g->GetName() : std::string();
    }
    // Walks right from the start until the arena's gate has closed behind
    // the player.
    void WalkIn(const ArenaKit& k)
    {
        EXPECT_EQ(Shows("gate_in_" + k.code), "Gate_Open");
        EXPECT_EQ(Shows("gate_out_" + k.code), "Gate_Closed");
        InputActions right;
        right.x = 1.0f;
        for (int pass = 0; pass < 120 && Shows("gate_in_" + k.code) != "Gate_Closed"; ++pass)
            Pass(right);
        ASSERT_EQ(Shows("gate_in_" + k.code), "Gate_Closed") << "the arena did not start";
        // The camera shake of the kit, then the music and "start".
        Passes(35);
    }
    // After the boss is gone: the script went past its wait, the gates
    // opened, the reward's cut-scene plays once, and a reload finds the
    // fight done.
    void FinishAndReload(const ArenaKit& k, const std::function<CharacterObject*()>& boss)
    {
        ASSERT_NE(PassUntil([&] { return SaveVar("done_" + k.code) == "1"; }, 400), -1) << "no death message";
        Passes(2);
        EXPECT_EQ(Shows("gate_in_" + k.code), "Gate_Open");
        EXPECT_EQ(Shows("gate_out_" + k.code), "Gate_Open");
        // The reward, through its cut-scene.
        ThePlayer().SetPosition(Point<float>(28.0f * kTile, kFloor));
        ASSERT_NE(PassUntil([&] { return SaveVar("got_" + std::to_string(k.rewardKind)) == "1"; }, 60), -1);
        Passes(600);
        ClearSaveVar("got_" + std::to_string(k.rewardKind));
        // Entered again: the boss stands disabled and the alcove is open.
        Reload();
        Passes(3);
        CharacterObject* again = boss();
        ASSERT_NE(again, nullptr);
        EXPECT_FALSE(again->IsEnabled());
        EXPECT_EQ(again->GetCurrentGraphical(), nullptr);
        EXPECT_EQ(Shows("gate_out_" + k.code), "Gate_Open");
    }
};
