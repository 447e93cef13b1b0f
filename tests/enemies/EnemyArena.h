#pragma once

#include "characters/Player.h"
#include "game/Game.h"
#include "scene/GraphicalObject.h"
#include "scene/Level.h"
#include "tools/world/LevelBuilder.h"
#include "tools/world/LevelDescription.h"
#include "tools/world/LevelModel.h"

#include "tests/enemies/Watched.h"
#include "tests/game/ScriptedInput.h"
#include "tests/tools/WorldFolderTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

// A small arena built by the level tool from a few placement lines, played
// by the game in the assembled world's folder with the world's library and
// settings: two screens of open ground on a floor two tiles thick (its top
// at y 64), the player's start at tile (startTile, 2), and what the test
// places. Every pass is one fixed step of the manual clock and one update
// frame; the scripted input drives the player.
class EnemyArena : public WorldFolderTest {
protected:
    static constexpr float kTile = 32.0f;
    static constexpr float kFloor = 64.0f;

    EnemyArena()
        : WorldFolderTest("quenholt-enemy-arena")
    {
    }

    void SetUp() override
    {
        WorldFolderTest::SetUp();
        if (IsSkipped())
            return;
        ASSERT_TRUE(StartAsTheProgramDoes(game));
    }

    // Writes the arena with the placements and enters it at its start.
    // A row of the open ground (0 the top, 11 just above the floor) may be
    // given whole, 32 tiles.
    void Enter(
        const std::string& placements, int startTile = 2, int givenRow = -1, const std::string& row = "")
    {
        std::string text = "level arena.lvl\nscreens 2 1\ncell 1 1\npalette cemetery\ntiles\n";
        // Closed at both sides as the world's levels are: a player pushed
        // out of the arena would fall below it and be brought back.
        for (int r = 0; r < 12; ++r)
            text += (r == givenRow ? row : "|" + std::string(30, '.') + "|") + "\n";
        text += std::string(32, '#') + "\n" + std::string(32, '#') + "\n";
        text += "place Point_PlayerStart start " + std::to_string(startTile) + " 2 name=start\n";
        text += placements;
        const LevelModel model = BuildLevelModel(LevelDescription::Parse(text, "arena.lvd"));
        LevelBuilder builder([](const std::string& name) {
            return dynamic_cast<GraphicalObject*>(Game::FindSceneObject(name, false));
        });
        std::unique_ptr<Level> level = builder.Build(model);
        arenaPath = (folder / "arena.lvl").string();
        ASSERT_TRUE(level->SaveFile(arenaPath));
        Reload();
    }
    // Enters the arena again from its file: every spawner is pending anew.
    void Reload()
    {
        ASSERT_TRUE(game.ChangeLevel(arenaPath)) << debug.Text();
        ASSERT_NE(game.GetPlayer(), nullptr);
    }

    Player& ThePlayer() { return *game.GetPlayer(); }
    void Pass(const InputActions& keys = InputActions())
    {
        input->next = keys;
        fixedStep.Pass(game);
    }
    void Passes(int count)
    {
        for (int i = 0; i < count; ++i)
            Pass();
    }

    // The live characters of a class, in list order.
    template <class T> std::vector<T*> All()
    {
        std::vector<T*> found;
        for (size_t i = 0; i < game.GetCharacterCount(); ++i)
            if (auto* c = dynamic_cast<T*>(game.GetCharacter(i)))
                found.push_back(c);
        return found;
    }
    template <class T> T* First()
    {
        std::vector<T*> found = All<T>();
        return found.empty() ? nullptr : found.front();
    }
    // The live characters of a class, each watched (see Watched).
    template <class T> std::vector<Watched<T>> WatchAll() { return WatchEach(All<T>()); }
    // Whether the watched character still exists and is in the live list.
    // A character is told by its watch, not by its address: a freed
    // character's address is soon another's.
    template <class T> bool Live(const Watched<T>& watched)
    {
        const CharacterObject* character = watched.Get();
        for (size_t i = 0; character != nullptr && i < game.GetCharacterCount(); ++i)
            if (game.GetCharacter(i) == character)
                return true;
        return false;
    }
    bool Live(const CharacterObject* character) = delete;
    // Live characters whose versioned class name is exactly that.
    int CountOf(const std::string& versionedName)
    {
        int count = 0;
        for (size_t i = 0; i < game.GetCharacterCount(); ++i)
            count += game.GetCharacter(i)->GetVersionedClassName() == versionedName ? 1 : 0;
        return count;
    }

    // Blows of the player's scythe at the attack rank until the enemy has no
    // life left: before each the player faces right and the enemy is put
    // just in front of it (rise pixels above the floor). -1 when it outlives
    // `limit` blows.
    int BlowsToKill(CharacterObject* live, int rank, float rise = 0.0f, int limit = 8)
    {
        const Watched<CharacterObject> enemy(live);
        ThePlayer().SetAttackRank(rank);
        for (int blow = 1; blow <= limit; ++blow) {
            InputActions right;
            right.x = 1.0f;
            Pass(right);
            Passes(2);
            if (!Live(enemy))
                return -1;
            enemy->SetPosition(ThePlayer().GetPosition() + Point<float>(44.0f, rise));
            InputActions attack;
            attack.SetAction3();
            Pass(attack);
            Pass(attack);
            for (int wait = 0; wait < 16 && Live(enemy) && enemy->GetLife() > 0; ++wait)
                Pass();
            if (!Live(enemy) || enemy->GetLife() <= 0)
                return blow;
        }
        return -1;
    }

    ScriptedInput* input = new ScriptedInput();
    Game game {"Quenholt", nullptr, input, nullptr};
    std::string arenaPath;
};
