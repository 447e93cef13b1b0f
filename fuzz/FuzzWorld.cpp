#include "fuzz/FuzzWorld.h"

#include "scene/CollisionShape.h"
#include "scene/SpacialInstance.h"

#include <cstdlib>

namespace fuzz {

FuzzWorld::FuzzWorld()
{
    for (int i = 0; i < 3; ++i)
        sprites.push_back(
            std::make_unique<Sprite>("S" + std::to_string(i), "fuzz.png", i * 16, 0, i * 16 + 15, 15));
    for (const auto& sprite : sprites) {
        game.sprites.push_back(sprite.get());
        walk.AddFrame(sprite.get(), 100.0f, 0.0f);
    }
    game.animatedSprites.push_back(&walk);
    rock.SetSize(64, 48, true);
    rock.AddSpriteInstance(sprites[0].get(), 0, 0);
    rock.AddSpriteInstance(sprites[1].get(), 16, 8)->SetMirrored(true);
    rock.AddAnimatedInstance(&walk, 4, 4);
    rock.CollisionShapeAt(0) = std::make_unique<CollisionBox<int>>(0, 40, 63, 0, 1);
    rock.CollisionShapeAt(1) = std::make_unique<CollisionLine<int>>(Point<int>(0, 0), Point<int>(10, 20), 2);
    rock.AddGenericSpriteIndex(sprites[1].get(), 1);
    rock.AddGenericSpriteIndex(&walk, 0);
    game.sceneObjects.push_back(&rock);
}

FuzzWorld::~FuzzWorld()
{
    game.sprites.clear();
    game.animatedSprites.clear();
    game.sceneObjects.clear();
}

namespace {

std::unique_ptr<FuzzWorld>& TheWorld()
{
    static std::unique_ptr<FuzzWorld> world;
    return world;
}

} // namespace

FuzzWorld& GetFuzzWorld()
{
    if (!TheWorld()) {
        TheWorld() = std::make_unique<FuzzWorld>();
        // The world's game registers in program-wide tables (the script
        // commands, the live events) made while it is made, so destroyed
        // before the holder of the world at exit. Ended from a hook set after
        // they exist, the world goes first: exit runs hooks and destructors
        // in the reverse order they were set.
        std::atexit(ReleaseFuzzWorld);
    }
    return *TheWorld();
}

void ReleaseFuzzWorld()
{
    TheWorld().reset();
}

} // namespace fuzz
