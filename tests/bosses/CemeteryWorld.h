#pragma once

#include "characters/Player.h"
#include "engine/config/GamePaths.h"
#include "game/Game.h"
#include "scene/GraphicalObject.h"
#include "scene/MapModel.h"
#include "script/ScriptVar.h"

#include "tests/bosses/BossArena.h"

#include <functional>
#include <memory>
#include <string>

// The cemetery's fights in the assembled world's own levels: the game enters
// a level at a start point, saves go to the scratch folder, and the level's
// triggers run their scripts as the player stands in them.
class CemeteryWorld : public BossArena {
protected:
    void SetUp() override
    {
        BossArena::SetUp();
        if (IsSkipped())
            return;
        SetUserPath(folder.string() + "/");
        game.currentSaveSlot = 0;
        // As the start-up makes it: the save needs the minimap model.
        game.minimapModel = std::make_unique<MapModel>(MapModel::Minimap {});
    }
    void TearDown() override
    {
        SetUserPath("");
        BossArena::TearDown();
    }

    void EnterLevel(const std::string& level, const std::string& start = "start")
    {
        game.SetStartPointName(start);
        ASSERT_TRUE(game.ChangeLevel(level)) << debug.Text();
        ASSERT_NE(game.GetPlayer(), nullptr);
        Passes(2);
    }
    std::string LevelName() { return game.GetCurrentLevel() ? game.GetCurrentLevel()->GetName() : ""; }
    // A save variable's value; empty when it does not exist.
    static std::string SaveVar(const std::string& name)
    {
        ScriptVar* var = Game::FindSaveVar(name);
        return var != nullptr ? var->GetValue() : std::string();
    }
    // The picture a trigger shows ("Gate_Open"), empty for none.
    std::string Look(const std::string& trigger)
    {
        CharacterObject* c = Named(trigger);
        return c != nullptr && c->GetCurrentGraphical() != nullptr ? c->GetCurrentGraphical()->GetName()
                                                                   : std::string();
    }
    // Passes until the condition holds, reading a dialogue shown meanwhile
    // on with the attack key; the passes it took, or -1 after `limit`.
    int PassReadingOn(const std::function<bool()>& done, int limit)
    {
        for (int pass = 0; pass <= limit; ++pass) {
            if (done())
                return pass;
            InputActions keys;
            if (pass % 2 == 1 && !game.uiFrames.empty() && game.uiFrames[0]->IsVisible())
                keys.SetAction3();
            Pass(keys);
        }
        return -1;
    }
    // Puts the player on the floor inside the trigger, a little past its
    // left edge.
    void StandIn(const std::string& trigger)
    {
        CharacterObject* c = Named(trigger);
        ASSERT_NE(c, nullptr) << trigger;
        ThePlayer().SetPosition(c->GetPosition() + Point<float>(8.0f, 0.0f));
        Pass();
    }
};
