#pragma once

#include "engine/render/SpriteSource.h"
#include "engine/serial/Point.h"
#include "engine/serial/Rect.h"

#include <cstdint>
#include <memory>

class ISprite;
class IGraphicalSurface;
class IGraphicalRessource;

// Changes how a sprite or a render surface is drawn. The render engine hands
// sprite draws to the current effect when it applies to sprites, and surface
// draws when it applies to surfaces. A recorded draw carries its own clone, so
// the render thread draws with the state the effect had when it was recorded.
class GraphicalEffect {
public:
    GraphicalEffect() = default;
    GraphicalEffect(const GraphicalEffect&) = default;
    GraphicalEffect& operator=(const GraphicalEffect&) = default;
    virtual ~GraphicalEffect() = default;

    virtual void Reserved1() { }
    // Draws one textured quad with the device layer's quad routine: the
    // texture at `position` (picture pixels, top-left), rotated by `rotation`
    // degrees about `spritePoint`, taking `source` of it, tinted by `colour`
    // (ARGB). Effects draw their sprites through it.
    virtual void Draw(IGraphicalRessource* texture, Point<int> position, Point<int> spritePoint,
        const SpriteSource& source, float rotation, uint32_t colour);
    virtual void Reserved2() { }
    // Surface draw handed over by the engine; the base draws nothing.
    virtual bool DrawSurface(
        IGraphicalSurface* source, IGraphicalSurface* target, int x, int y, int a, int b, float f);
    // Sprite draw handed over by the engine; the base draws nothing.
    virtual bool DrawSprite(ISprite* sprite, IGraphicalSurface* target, int x, int y, int p5, int p6,
        float rotation, const Rect<int>* clip);

    virtual bool GetFlag1() const { return flag1 != 0; }
    virtual bool GetFlag2() const { return flag2 != 0; }
    virtual bool GetFlag3() const { return flag3 != 0; }
    virtual bool AppliesToSurfaces() const { return surfaceFlag != 0; }
    virtual bool AppliesToSprites() const { return spriteFlag != 0; }

    // Once per game frame, by the effect's owner.
    virtual void Update() { }
    // Marks the effect as over for its owner; drawing is unchanged.
    virtual void Finish() { finishedFlag = 1; }
    bool IsFinished() const { return finishedFlag != 0; }

    // A heap copy of the same class with every field copied.
    virtual std::unique_ptr<GraphicalEffect> Clone() const;

protected:
    // The draw shared by the sprite effects: nothing for a null sprite, an
    // unloaded image or a draw outside a scene; otherwise the sprite's source
    // rectangle (clipped as the plain sprite draw clips it) through Draw with
    // `colour`. Always true.
    bool DrawSpriteWithColor(
        ISprite* sprite, int x, int y, float rotation, const Rect<int>* clip, uint32_t colour);

    uint8_t flag1 = 0;
    uint8_t flag2 = 0;
    uint8_t flag3 = 0;
    uint8_t surfaceFlag = 0;
    uint8_t spriteFlag = 1;
    uint8_t finishedFlag = 0;
};
