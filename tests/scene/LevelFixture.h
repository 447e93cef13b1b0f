#pragma once

#include "engine/render/IRenderEngine.h"
#include "engine/serial/LineReaders.h"
#include "scene/AnimatedSprite.h"
#include "scene/CameraBlocker.h"
#include "scene/CollisionShape.h"
#include "scene/GameplayObject.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "scene/Sprite.h"
#include "tests/scene/SceneHost.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace scenetest {

// What a probe object saw of one of its draws.
struct DrawRecord {
    std::string object;
    int x = 0;
    int y = 0;
    float depth = 0.0f;
};

// A graphical object that logs its draws (with the render engine's depth at
// the time) instead of drawing.
class Probe : public GraphicalObject {
public:
    Probe(std::string name, int width, int height, std::vector<DrawRecord>* log_)
        : GraphicalObject(std::move(name))
        , log(log_)
    {
        SetSize(width, height, true);
    }
    bool DrawSprite(DXGraphicalSurface*, int x, int y, int, int, float, int, int, int, int) override
    {
        if (log != nullptr)
            log->push_back({GetName(), x, y, g_RenderEngine ? g_RenderEngine->GetDepth() : 0.0f});
        return true;
    }

private:
    std::vector<DrawRecord>* log;
};

inline std::string ReadWholeFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

inline std::string DataPath(const std::string& name)
{
    return std::string(QUENHOLT_TEST_DATA_DIR) + "/scene/" + name;
}

// The game library's tables as a level file finds them: sprites, an
// animation, plain graphical objects built from them, objects with
// collision boxes and a line, a camera blocker and a gameplay object.
class GameLibrary {
public:
    GameLibrary()
    {
        game.sprites = {&leaf, &bark, &flame0, &flame1};
        flame.AddFrame(&flame0, 100.0f, 0.0f);
        flame.AddFrame(&flame1, 100.0f, 0.0f);
        game.animatedSprites.push_back(&flame);

        tree.AddSpriteInstance(&leaf, 0, 0);
        tree.AddSpriteInstance(&bark, 0, 32);
        tree.SetSize(32, 64, true);
        torch.AddAnimatedInstance(&flame, 0, 0);
        ground.SetSize(512, 32, true);
        ground.CollisionShapeAt(0) = std::make_unique<CollisionBox<int>>(0, 31, 511, 0, 0);
        ledge.SetSize(64, 16, true);
        ledge.CollisionShapeAt(0) = std::make_unique<CollisionBox<int>>(0, 15, 63, 0, 1);
        slope.SetSize(64, 64, true);
        slope.CollisionShapeAt(0)
            = std::make_unique<CollisionLine<int>>(Point<int>(0, 0), Point<int>(63, 63));
        hurt.CollisionShapeAt(0) = std::make_unique<CollisionBox<int>>(0, 31, 31, 0, 2);
        leftStop.SetBlocks(-1, 0);
        rightStop.SetBlocks(1, 0);
        for (SceneObject* object : std::initializer_list<SceneObject*> {&tree, &torch, &ground, &ledge,
                 &slope, &hurt, &leftStop, &rightStop, &zone, &sky, &hill, &fern})
            game.sceneObjects.push_back(object);
    }
    // The game frees what its tables hold: these entries are the library's.
    ~GameLibrary()
    {
        game.sceneObjects.clear();
        game.sprites.clear();
        game.animatedSprites.clear();
    }

    SceneHost game;
    Sprite leaf {"leaf", "leaf.png", 0, 0, 31, 31};
    Sprite bark {"bark", "bark.png", 0, 0, 31, 31};
    Sprite flame0 {"flame0", "flame.png", 0, 0, 15, 15};
    Sprite flame1 {"flame1", "flame.png", 16, 0, 31, 15};
    AnimatedSprite flame {"flame"};
    GraphicalObject tree {"Tree"};
    GraphicalObject torch {"Torch"};
    GraphicalObject ground {"Ground"};
    GraphicalObject ledge {"Ledge"};
    GraphicalObject slope {"Slope"};
    GraphicalObject hurt {"Thorns"};
    CameraBlocker leftStop {"Camera Stop Left"};
    CameraBlocker rightStop {"Camera Stop Right"};
    GameplayObject zone {"Zone Marker"};
    std::vector<DrawRecord> draws;
    Probe sky {"Sky", 512, 448, &draws};
    Probe hill {"Hill", 64, 64, &draws};
    Probe fern {"Fern", 32, 32, &draws};
};

// Reads a level from text; the level keeps the messages of a failed read.
inline bool ReadLevel(Level& level, const std::string& text, const std::string& source = "test.lvl")
{
    std::istringstream is(text);
    level.SetSourceName(source);
    return level.UnSerialize(is);
}

inline std::string WriteLevel(Level& level)
{
    std::ostringstream os;
    level.Serialize(os);
    return os.str();
}

} // namespace scenetest
