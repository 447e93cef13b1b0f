#pragma once

#include "game/Game.h"
#include "scene/GraphicalObject.h"
#include "scene/Sprite.h"
#include "tests/engine/render/RenderThreadFixture.h"

#include <memory>
#include <string>
#include <vector>

namespace scenetest {

// The device engine's render thread under a game object, with a data folder
// of one-colour square pictures and the scene objects that draw them.
class SquareSceneFixture : public rendertest::RenderThreadFixture {
protected:
    // Writes a size x size picture per (file, colour) and starts the thread.
    void StartWithSquares(
        const std::string& stem, int size, std::initializer_list<std::pair<const char*, uint32_t>> squares)
    {
        squareSize = size;
        MakeDataFolder(stem);
        for (const auto& [name, colour] : squares) {
            WriteFilledPng(name, size, size, colour);
            if (HasFatalFailure())
                return;
        }
        StartRenderThread();
    }

    // An object of one sprite covering the whole square picture `image`.
    GraphicalObject& Square(const std::string& name, const std::string& image)
    {
        sprites.push_back(std::make_unique<Sprite>(name, image, 0, 0, squareSize - 1, squareSize - 1));
        objects.push_back(std::make_unique<GraphicalObject>(name));
        GraphicalObject& object = *objects.back();
        object.AddSpriteInstance(sprites.back().get(), 0, 0);
        object.AddGenericSpriteIndex(sprites.back().get(), 0);
        object.SetSize(squareSize, squareSize, true);
        return object;
    }

    Game game;
    int squareSize = 0;
    std::vector<std::unique_ptr<Sprite>> sprites;
    std::vector<std::unique_ptr<GraphicalObject>> objects;
};

} // namespace scenetest
