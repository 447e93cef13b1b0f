#include "scene/Sprite.h"

#include "engine/platform/DebugOutput.h"
#include "engine/render/DXGraphicalRessource.h"
#include "engine/render/Image.h"
#include "engine/render/ImageHandleManager.h"
#include "engine/serial/LineReaders.h"

Sprite::Sprite() = default;

Sprite::Sprite(std::string name_, std::string imageFile_, int x0, int y0, int x1, int y1)
    : name(std::move(name_))
    , imageFile(std::move(imageFile_))
    , rect(x0, y0, x1, y1)
{
}

Sprite::Sprite(std::istream& is)
{
    UnSerialize(is);
}

Sprite::~Sprite() = default;

std::string Sprite::GetClassName()
{
    return "Sprite";
}

std::string Sprite::GetVersionedClassName()
{
    return GetClassName() + "V0";
}

Point<int> Sprite::GetSize()
{
    return {rect.x1 - rect.x0, rect.y1 - rect.y0};
}

bool Sprite::Serialize(std::ostream& os)
{
    if (IsSkipSerialize())
        return true;
    WriteLine(os, GetVersionedClassName());
    WriteLine(os, name);
    WriteLine(os, imageFile);
    WriteLine(os, rect.x0);
    WriteLine(os, rect.y0);
    WriteLine(os, rect.x1);
    WriteLine(os, rect.y1);
    WriteLine(os, "_Sprite_updatetag_1.0_");
    WriteLine(os, point.x);
    WriteLine(os, point.y);
    return true;
}

bool Sprite::SerializePtr(std::ostream& os)
{
    WriteLine(os, GetVersionedClassName() + "Ptr");
    WriteLine(os, name);
    return true;
}

bool Sprite::UnSerialize(std::istream& is)
{
    // Everything is read before anything is taken: a damaged record leaves
    // the sprite as it was.
    std::string newName;
    std::string newFile;
    Rect<int> newRect;
    Point<int> newPoint = point;
    bool ok = ReadTextLine(is, newName) && ReadTextLine(is, newFile) && ReadCoordinateLine(is, newRect.x0)
        && ReadCoordinateLine(is, newRect.y0) && ReadCoordinateLine(is, newRect.x1)
        && ReadCoordinateLine(is, newRect.y1);
    if (ok && ReadUpdateTag(is, "_Sprite_updatetag_1.0_"))
        ok = ReadCoordinateLine(is, newPoint.x) && ReadCoordinateLine(is, newPoint.y);
    if (!ok) {
        platform::DebugOutput("Sprite: damaged record, the sprite \"" + name + "\" is kept as it was\n");
        return false;
    }
    name = std::move(newName);
    rect = newRect;
    point = newPoint;
    // Another image file: the image held is not the sprite's any more.
    if (newFile != imageFile)
        SetImageFile(std::move(newFile));
    return true;
}

bool Sprite::Draw(DXGraphicalSurface*, int x, int y, int a, int b, float rotation, int, int, int, int)
{
    return image.Draw(x, y, a, b, rotation);
}

bool Sprite::IsImageLoaded() const
{
    return image.IsValid();
}

ImageHandle& Sprite::GetImage()
{
    if (!IsImageLoaded()) {
        released = false;
        image = ImageHandleManager::GetInstance()->GetImageHandle(imageFile);
    }
    return image;
}

void Sprite::ReleaseImage()
{
    if (IsImageLoaded()) {
        image.Release();
        released = true;
    }
}

void Sprite::SetImageFile(std::string newImageFile)
{
    imageFile = std::move(newImageFile);
    ReleaseImage();
}

SpriteImage Sprite::GetSpriteImage()
{
    const Image* loaded = GetImage().GetImage();
    SpriteImage drawn;
    drawn.texture = loaded ? dynamic_cast<DXGraphicalRessource*>(loaded->GetTexture()) : nullptr;
    drawn.rect = rect;
    drawn.point = point;
    return drawn;
}
