#pragma once

#include "characters/Player.h"
#include "engine/config/GamePaths.h"
#include "game/Game.h"
#include "game/GameSaveData.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "scene/MapModel.h"
#include "scene/SpacialInstance.h"
#include "script/ScriptVar.h"
#include "zones/Zone_PickupObject.h"

#include "tests/tools/WorldFolderTest.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

// A fight in its arena level of the assembled world (build/world), played
// by the game's own frame update with the player made invulnerable ("god
// 1"), saves going to slot 0 of a scratch user folder: entering by scripted
// input, the arena kit's gates and save variables, the reward and the
// reload of the save.
class BossArenaWorld : public ScriptedWorldTest {
protected:
    static constexpr float kTile = 32.0f;

    BossArenaWorld()
        : ScriptedWorldTest("quenholt-boss-arena")
    {
    }

    // Enters the level at the start point, the player invulnerable.
    void EnterLevel(const std::string& level, const std::string& start)
    {
        game.SetStartPointName(start);
        ASSERT_TRUE(game.ChangeLevel(level)) << debug.Text();
        ASSERT_NE(game.GetPlayer(), nullptr);
        ASSERT_TRUE(game.console.ExecuteCommand("god 1"));
    }

    Player& ThePlayer() { return *game.GetPlayer(); }
    float X() { return ThePlayer().GetPosition().x; }
    CharacterObject* Named(const std::string& name) { return game.FindCharacterByName(name, nullptr); }
    template <class T> T* NamedAs(const std::string& name) { return dynamic_cast<T*>(Named(name)); }

    void Pass(const InputActions& keys = InputActions()) { Passes(1, keys); }
    // Passes until `done` holds; false when it never does. A dialogue shown
    // meanwhile is read on with the confirm key.
    bool WaitUntil(const std::function<bool()>& done, int limit = 600)
    {
        for (int pass = 0; pass < limit; ++pass) {
            if (done())
                return true;
            InputActions keys;
            if (pass % 2 == 1 && !game.uiFrames.empty() && game.uiFrames[0]->IsVisible())
                keys.SetAction3();
            Pass(keys);
        }
        return done();
    }
    // Walks toward x (pixels), jumping where a step holds the player back;
    // true once within half a tile of it.
    bool WalkTo(float x, int limit = 600)
    {
        float last = X();
        int stuck = 0;
        int jump = 0;
        for (int pass = 0; pass < limit; ++pass) {
            if (std::abs(X() - x) < kTile / 2) {
                Pass();
                return true;
            }
            InputActions keys;
            keys.x = x > X() ? 1.0f : -1.0f;
            stuck = std::abs(X() - last) < 0.5f ? stuck + 1 : 0;
            last = X();
            if (stuck > 6 && jump == 0)
                jump = 12;
            if (jump > 0 && --jump > 2)
                keys.SetAction1();
            Pass(keys);
        }
        return false;
    }
    // Blows of the scythe, facing the way given, for `passes` passes.
    void Swing(float facing, int passes)
    {
        for (int pass = 0; pass < passes; ++pass) {
            InputActions keys;
            if (pass < 2)
                keys.x = facing;
            else if (pass % 4 < 2)
                keys.SetAction3();
            Pass(keys);
        }
    }

    // A save variable's value; empty when it does not exist.
    std::string SaveVar(const std::string& name)
    {
        ScriptVar* var = Game::FindSaveVar(name);
        return var != nullptr ? var->GetValue() : std::string();
    }
    // The name of the picture a trigger's character shows ("Gate_Open").
    std::string Shows(const std::string& trigger)
    {
        CharacterObject* actor = Named(trigger);
        GraphicalObject* shown = actor != nullptr ? actor->GetCurrentGraphical() : nullptr;
        return shown != nullptr ? shown->GetName() : std::string();
    }
    // Whether the pickup of that placement name still lies in the level.
    bool PickupLies(const std::string& name)
    {
        Layer* collisions = game.GetCurrentLevel()
            ? game.GetCurrentLevel()->GetLayer(Level::kScene, "Collisions")
            : nullptr;
        auto* placed = collisions ? collisions->FindInstanceByName(name) : nullptr;
        auto* pickup = placed ? dynamic_cast<Zone_PickupObject::Instance*>(placed->GetPayload()) : nullptr;
        return pickup != nullptr && pickup->IsEnabled();
    }
    // Puts the player at a tile (its feet on the tile's bottom).
    void PutAt(int tileX, int tileY)
    {
        ThePlayer().SetPosition(Point<float>(tileX * kTile, tileY * kTile));
        ThePlayer().SetPreviousPosition(ThePlayer().GetPosition());
    }
    // Loads the slot again, as the menu's continue does.
    void ReloadSave()
    {
        game.pendingLoad = true;
        Pass();
        ASSERT_NE(game.GetCurrentLevel(), nullptr);
    }
};
