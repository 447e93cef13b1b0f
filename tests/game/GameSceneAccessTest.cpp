#include "characters/CharacterObject.h"
#include "characters/Player.h"
#include "game/Game.h"
#include "scene/EventTick.h"
#include "scene/Level.h"
#include "scene/PayloadFactory.h"
#include "scene/SceneGameAccess.h"
#include "scene/Sprite.h"

#include <gtest/gtest.h>

// The game answers the scene model's questions from its own state while it
// exists, and leaves no answer behind.
TEST(GameSceneAccess, TheGameAnswersTheSceneFromItsOwnStateWhileItExists)
{
    ASSERT_EQ(GetSceneGameAccess(), nullptr);
    {
        Game game;
        SceneGameAccess* scene = GetSceneGameAccess();
        ASSERT_NE(scene, nullptr);
        Level level("garden.lvl");
        game.SetCurrentLevel(&level);
        game.cameraPosition = Point<float>(12.5f, -3.0f);
        game.fixedStepTick = 1;
        Sprite leaf("leaf", "leaf.png", 0, 0, 31, 31);
        game.sprites = {&leaf};
        auto* ghost = new CharacterObject("Ghost"); // the game's list owns it
        game.liveCharacters.push_back(ghost);

        EXPECT_EQ(scene->GetCurrentLevel(), &level);
        EXPECT_EQ(scene->GetCameraPosition(), Point<float>(12.5f, -3.0f));
        EXPECT_TRUE(scene->IsFixedStepTick());
        EXPECT_EQ(scene->GetConsole(), game.GetConsole());
        EXPECT_EQ(scene->FindSprite("leaf"), &leaf);
        EXPECT_EQ(scene->FindSprite("bark"), nullptr);
        EXPECT_EQ(scene->GetLiveCharacterCount(), 1u);
        EXPECT_EQ(scene->GetLiveCharacter(0), ghost);
        EXPECT_FALSE(scene->HasPlayer());
        EXPECT_TRUE(scene->IsCharacterName("NPC_Ghost"));
        EXPECT_FALSE(scene->IsCharacterName("Tree"));
        EXPECT_TRUE(IsLogicTick());
        game.fixedStepTick = 0;
        EXPECT_FALSE(scene->IsFixedStepTick());
        EXPECT_FALSE(IsLogicTick()) << "the events wait for the game's next tick";
        // The level's states restored, with no record of it kept, the player
        // stands where the save keeps it.
        game.SetPlayer(std::make_unique<Player>("Player"));
        game.saveData.SetPosition(40.0f, 50.0f);
        level.RestoreInstanceStates(nullptr);
        EXPECT_EQ(game.GetPlayer()->GetPosition(), Point<float>(40.0f, 50.0f));

        game.sprites.clear();
        game.SetCurrentLevel(nullptr);
    }
    EXPECT_EQ(GetSceneGameAccess(), nullptr);
    EXPECT_TRUE(IsLogicTick()) << "without a game every frame is a tick";
}

// The folders above the scene find the game's player without the game
// object, and none once the game is gone.
TEST(GameSceneAccess, TheGamesPlayerIsFoundThroughTheSceneAccess)
{
    EXPECT_EQ(GetGamePlayer(), nullptr);
    {
        Game game;
        EXPECT_EQ(GetGamePlayer(), nullptr);
        EXPECT_EQ(GetSceneGameAccess()->GetPlayerCharacter(), nullptr);
        game.SetPlayer(std::make_unique<Player>("Player"));
        EXPECT_EQ(GetGamePlayer(), game.GetPlayer());
        EXPECT_TRUE(GetSceneGameAccess()->HasPlayer());
        game.SetPlayer(nullptr);
        EXPECT_EQ(GetGamePlayer(), nullptr);
    }
    EXPECT_EQ(GetGamePlayer(), nullptr);
}

// The payload keys of the level files make their zone and point classes in the
// game's program.
TEST(GameSceneAccess, ThePayloadKeysMakeTheZoneKindsInTheGamesProgram)
{
    for (const char* key : {"ZoneHolder::InstanceV0", "Zone_Teleport::InstanceV0", "ZoneInstanceV0",
             "Zone_NPCSpawner_Door::InstanceV0", "Zone_TriggerScript::InstanceV0",
             "Point_MinimapLocation::PointInstanceV0"})
        EXPECT_NE(FindPayloadCreator(key), nullptr) << key;
}
