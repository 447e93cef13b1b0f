#pragma once

#include <memory>
#include <string>

class IGraphicalRessource;
class RenderPoolManager;

// One loaded texture under its image file name. The texture is owned; it stays
// null when loading failed, and draws through such an image draw nothing.
class Image {
public:
    // Stores the name and loads at once.
    explicit Image(std::string name);
    virtual ~Image();
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    // Obtains the texture: names beginning with "_EMPTY_" give an empty render
    // texture of the size the name carries ("_EMPTY_256x128"); any other name is
    // loaded by the render engine, and noted in the load log when it comes
    // out of the loading scope. True when a texture was obtained.
    bool Load();

    // An image loaded now is loaded out of the loading scope: the pool is
    // neither loading a level nor ending its loading screen nor waiting for
    // the device, and the game has a current level.
    static bool IsOutOfLoadingScope(const RenderPoolManager* pool);

    // Hands the texture to the render engine's DrawTexture; always false.
    bool Draw(int x, int y, int a, int b, float f) const;

    const std::string& GetName() const { return name; }
    IGraphicalRessource* GetTexture() const { return texture.get(); }

    // Reads the size of an "_EMPTY_WIDTHxHEIGHT" name; false unless both are
    // positive whole numbers.
    static bool ParseEmptySize(const std::string& name, int& width, int& height);

private:
    std::string name;
    std::unique_ptr<IGraphicalRessource> texture;
};
