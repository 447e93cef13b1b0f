#pragma once

#include "characters/Player.h"
#include "characters/PlayerArmorFire.h"
#include "characters/PlayerArmorIce.h"
#include "engine/input/DXInputManager.h"
#include "engine/platform/InputBridge.h"
#include "engine/platform/Random.h"
#include "game/Game.h"
#include "game/GameLoopAccess.h"
#include "tools/run/RunPilot.h"

#include "tests/game/WorldTeleportHubs.h"
#include "tests/tools/WorldFolderTest.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

// The assembled world played by the run's pilot: a game with a keyboard (the
// game's own input manager reading a bridge the pilot pushes keys into), its
// main-loop access, saves in slot 0 of a scratch folder, a fixed seed, and
// the pilot. A leg's test starts where its leg starts (Arrive) with what the
// legs before it would have given (Give, console commands), flies it, and
// checks what it left.
class RunFixture : public WorldFolderTest {
protected:
    explicit RunFixture(std::string scratch = "quenholt-run")
        : WorldFolderTest(std::move(scratch))
    {
    }

    void SetUp() override
    {
        WorldFolderTest::SetUp();
        if (IsSkipped())
            return;
        hubs.emplace();
        manager->Init();
        manager->SetGameAccess(&access);
        ASSERT_TRUE(StartPlaying(game));
        pilot = std::make_unique<RunPilot>(game, access, bridge);
    }
    void TearDown() override
    {
        pilot.reset();
        manager->SetGameAccess(nullptr);
        SetUserPath("");
        hubs.reset();
        WorldFolderTest::TearDown();
    }

    // Straight into a level at a start point, with the god flag set, as if the
    // legs before had walked there.
    void Arrive(const std::string& level, const std::string& start = "start")
    {
        ASSERT_TRUE(game.console.ExecuteCommand("god 1"));
        ASSERT_TRUE(game.console.ExecuteCommand("changelevel " + level + " " + start));
        pilot->Pass();
        ASSERT_NE(game.GetPlayer(), nullptr) << level;
    }

    // Both armors at level 2, the ice armor worn, as the snow and library
    // legs leave them.
    static void WearIceWithBothArmorsAtLevel2(Player& player)
    {
        for (PlayerArmor* armor : {static_cast<PlayerArmor*>(GetPlayerArmorFire(&player)),
                 static_cast<PlayerArmor*>(GetPlayerArmorIce(&player))}) {
            ASSERT_NE(armor, nullptr);
            armor->SetLevel(2);
        }
        const int previous = player.GetCurrentArmor();
        player.SetCurrentArmor(Player::kIceArmor);
        player.SwitchArmor(previous, false);
    }

    // Flies a leg; on failure the pilot's reason and the game's output.
    void Fly(const RunLeg& leg)
    {
        // As in the whole run, a leg starts from the run's seed.
        platform::ScopedRandomSeed legSeed {1};
        const bool flown = leg(*pilot);
        const std::string said = flown ? std::string() : debug.Text();
        EXPECT_TRUE(flown) << pilot->Failure() << "\n"
                           << said.substr(said.size() > 4000 ? said.size() - 4000 : 0);
    }

    platform::ScopedRandomSeed seed {1};
    platform::InputBridge bridge;
    DXInputManager* manager = new DXInputManager(&bridge);
    Game game {"Quenholt", nullptr, manager, nullptr};
    GameLoopAccess access {game};
    std::unique_ptr<RunPilot> pilot;
    std::optional<WorldTeleportHubs> hubs;
};
