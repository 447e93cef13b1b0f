#pragma once

#include <istream>
#include <ostream>
#include <string>

#include "engine/render/ISprite.h"
#include "engine/render/ImageHandle.h"
#include "engine/serial/Point.h"
#include "engine/serial/Rect.h"

// A named rectangle of one image file, drawn through a reference-counted
// image handle that is acquired the first time it is needed.
class Sprite : public ISprite {
public:
    Sprite();
    Sprite(std::string name, std::string imageFile, int x0, int y0, int x1, int y1);
    // Reads the record (after its class-name line) into an empty sprite.
    explicit Sprite(std::istream& is);
    ~Sprite() override;
    Sprite(const Sprite&) = delete;
    Sprite& operator=(const Sprite&) = delete;

    // Record: "SpriteV0", name, image file, x0, y0, x1, y1,
    // "_Sprite_updatetag_1.0_", offset x, offset y.
    bool Serialize(std::ostream& os) override;
    // Reference: "SpriteV0Ptr", then the name.
    bool SerializePtr(std::ostream& os) override;
    bool UnSerialize(std::istream& is) override;
    std::string GetVersionedClassName() override;

    std::string GetClassName() override;
    const std::string& GetName() override { return name; }
    // Width and height of the image rectangle.
    Point<int> GetSize() override;
    bool Draw(DXGraphicalSurface* target, int x, int y, int a, int b, float rotation, int p7, int p8, int p9,
        int p10) override;

    SpriteImage GetSpriteImage() override;
    void LoadImage() override { GetImage(); }

    const std::string& GetImageFile() const { return imageFile; }
    Rect<int> GetRect() const { return rect; }
    void SetRect(const Rect<int>& newRect) { rect = newRect; }
    // The point about which the sprite is rotated, relative to its rectangle.
    Point<int> GetPoint() const { return point; }
    void SetPoint(const Point<int>& newPoint) { point = newPoint; }

    // The image handle, loaded first when it is not.
    ImageHandle& GetImage();
    // Gives the image back and marks the sprite for reloading.
    void ReleaseImage();
    // Switches to another image file; the next GetImage loads it.
    void SetImageFile(std::string name);
    bool IsImageLoaded() const;
    bool IsReleased() const { return released; }

private:
    std::string name;
    std::string imageFile;
    ImageHandle image;
    Rect<int> rect;
    Point<int> point;
    bool released = false;
};
