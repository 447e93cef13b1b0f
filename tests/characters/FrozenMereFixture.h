#pragma once

#include "characters/PlayerArmorFire.h"
#include "characters/PlayerArmorIce.h"
#include "game/Game.h"
#include "scene/AnimatedSprite.h"
#include "scene/ArmorReplacement.h"
#include "scene/CollisionShape.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "scene/Sprite.h"
#include "tests/characters/ArmorTestHost.h"

#include <gtest/gtest.h>

#include <memory>

namespace armortest {

// A small mere: ground under the shores in "Collisions" (the top at y 96),
// and a pool of 32-pixel water tiles in "FG_Water" between them. Ice tiles
// have five frames (0 to 2 the melting looks) and a solid box; lava tiles
// freeze into cooled lava. The player stands on the left shore.
class FrozenMere : public ::testing::Test {
protected:
    static constexpr int kPoolLeft = 192;
    static constexpr int kPoolWidth = 10;
    static constexpr int kPoolDepth = 3;
    static constexpr int kShoreTop = 96;

    FrozenMere()
    {
        for (Sprite* frame : {&ice0, &ice1, &ice2, &ice3, &ice4})
            iceAnimation.AddFrame(frame, 100.0f, 0.0f);
        iceTile.AddAnimatedInstance(&iceAnimation, 0, 0);
        for (GraphicalObject* tile : {&waterTile, &iceTile, &lavaTile, &cooledLava})
            tile->SetSize(32, 32, true);
        iceTile.CollisionShapeAt(0) = std::make_unique<CollisionBox<int>>(0, 31, 31, 0, 0);
        cooledLava.CollisionShapeAt(0) = std::make_unique<CollisionBox<int>>(0, 31, 31, 0, 0);
        shore.SetSize(192, 96, true);
        shore.CollisionShapeAt(0) = std::make_unique<CollisionBox<int>>(0, 95, 191, 0, 0);
        game.sceneObjects = {&waterTile, &iceTile, &lavaTile, &cooledLava, &shore};

        // Lava freezes through the ice list's pair; the ice-lava list makes
        // it lava (named last, its kind wins).
        ArmorReplacement::IceList()
            = {ArmorReplacement("Water_Tile", "Ice_Tile"), ArmorReplacement("Lava_Tile", "Cooled_Lava")};
        ArmorReplacement::IceLavaList() = {ArmorReplacement("Lava_Tile", "Cooled_Lava")};
        waterTile.Init();
        lavaTile.Init();

        water = level.CreateLayer(Level::kForeground, "FG_Water", nullptr, 2048, 448, 32, 32);
        collisions = level.CreateLayer(Level::kScene, "Collisions", nullptr, 2048, 448, 32, 32);
        collisions->AddPlacedInstance(&shore, 0, 0);
        collisions->AddPlacedInstance(&shore, kPoolLeft + 32 * kPoolWidth, 0);
        for (int x = 0; x < kPoolWidth; ++x) {
            for (int y = 0; y < kPoolDepth; ++y)
                water->AddPlacedInstance(
                    &waterTile, static_cast<float>(kPoolLeft + 32 * x), static_cast<float>(32 * y));
        }
        PlayerArmorIce::GroupReplaceableScenery(&level);

        player.level = &level;
        player.position = Point<float>(128, kShoreTop);
        PlayerArmorControl::EnableModifier(player, 0);
        PlayerArmorControl::EnableModifier(player, 1);
        player.state.armorCharges = 2;
        ice = PlayerArmorControl::GetIceArmor(player);
        fire = PlayerArmorControl::GetFireArmor(player);
    }
    ~FrozenMere() override
    {
        // The game frees what its tables hold: these are the fixture's.
        game.sceneObjects.clear();
        ArmorReplacement::IceList().clear();
        ArmorReplacement::IceLavaList().clear();
    }

    // Runs the freeze front until it has nothing left to do.
    int RunFront()
    {
        int frames = 0;
        while (!ice->GetFrozenList().empty() && frames < 1000) {
            ice->Update();
            ++frames;
        }
        return frames;
    }
    int HiddenWaterTiles()
    {
        int hidden = 0;
        for (size_t i = 0; i < water->GetInstanceCount(); ++i)
            hidden
                += water->GetInstance(i)->GetPrototype() == &waterTile && !water->GetInstance(i)->IsVisible();
        return hidden;
    }
    // Collision fixtures in the rectangle (y up: top first).
    size_t FixturesIn(int x0, int top, int x1, int bottom)
    {
        return level.QueryFixtures(Rect<int>(x0, top, x1, bottom)).size();
    }

    Game game;
    Sprite ice0 {"ice0", "ice.png", 0, 0, 31, 31};
    Sprite ice1 {"ice1", "ice.png", 32, 0, 63, 31};
    Sprite ice2 {"ice2", "ice.png", 64, 0, 95, 31};
    Sprite ice3 {"ice3", "ice.png", 96, 0, 127, 31};
    Sprite ice4 {"ice4", "ice.png", 128, 0, 159, 31};
    AnimatedSprite iceAnimation {"Ice_Tile"};
    GraphicalObject waterTile {"Water_Tile"};
    GraphicalObject iceTile {"Ice_Tile"};
    GraphicalObject lavaTile {"Lava_Tile"};
    GraphicalObject cooledLava {"Cooled_Lava"};
    GraphicalObject shore {"Shore"};
    // A wide piece of water whose ice is one tile (at its left end).
    GraphicalObject waterSlab {"Water_Slab"};
    Level level {"snow_01"};
    Layer* water = nullptr;
    Layer* collisions = nullptr;
    TestPlayer player;
    PlayerArmorIce* ice = nullptr;
    PlayerArmorFire* fire = nullptr;
};

} // namespace armortest
