#pragma once

#include "engine/render/GraphicalEffect.h"
#include "engine/serial/Point.h"
#include "engine/serial/Rect.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

class ISprite;

// The effect a command owns: a copy holds a clone, so every command destroys
// its own effect exactly once.
class OwnedEffect {
public:
    OwnedEffect() = default;
    explicit OwnedEffect(std::unique_ptr<GraphicalEffect> effect)
        : effect(std::move(effect))
    {
    }
    OwnedEffect(const OwnedEffect& other)
        : effect(other.effect ? other.effect->Clone() : nullptr)
    {
    }
    OwnedEffect& operator=(const OwnedEffect& other)
    {
        if (this != &other)
            effect = other.effect ? other.effect->Clone() : nullptr;
        return *this;
    }
    OwnedEffect(OwnedEffect&&) noexcept = default;
    OwnedEffect& operator=(OwnedEffect&&) noexcept = default;

    std::unique_ptr<GraphicalEffect> effect;
};

// One recorded command of a frame: a sprite or rectangle draw (empty name)
// or a named frame command ("StartRendering", "ClearScreen", ...). A draw
// carries the engine state of the moment it was recorded, which the render
// thread reads back while it replays the command.
//
// The command owns its effect: a copy clones it, so every command in a frame
// slot holds its own effect and destroys it exactly once.
class RenderPoolCommand {
public:
    RenderPoolCommand() = default;
    virtual ~RenderPoolCommand() = default;
    RenderPoolCommand(const RenderPoolCommand&) = default;
    RenderPoolCommand& operator=(const RenderPoolCommand&) = default;
    RenderPoolCommand(RenderPoolCommand&&) noexcept = default;
    RenderPoolCommand& operator=(RenderPoolCommand&&) noexcept = default;

    // Engine and game state recorded with a sprite draw.
    struct RecordedState {
        bool mirror = false;
        bool fixedStepTick = false;
        bool secondStateFlag = false;
        int32_t frameAdvance = 0;
        Point<int> cameraWorld;
        uint32_t diffuseColour = 0xFFFFFFFFu;
        Point<int> cameraOffset;
        float layerSpeed = 1.0f;
        float tileValue = 1.0f;
        int32_t paramInt = 1;
        float drawFactor = 1.0f;
    };

    // Named constructors. The effect passed is taken over by the command.
    // A null clip is kept as "no clip" and replayed as null.
    static RenderPoolCommand SpriteDraw(ISprite* image, std::unique_ptr<GraphicalEffect> effect,
        Point<int> position, Point<int> extent, float rotation, const Rect<int>* clip,
        const RecordedState& state);
    static RenderPoolCommand RectDraw(
        Point<int> size, Point<int> position, Point<int> extent, float f, uint32_t n, bool filled);
    static RenderPoolCommand Named(const std::string& name, std::unique_ptr<GraphicalEffect> effect);
    static RenderPoolCommand NamedValue(const std::string& name, float value);
    static RenderPoolCommand Named(const std::string& name);

    // A copy of `other` whose effect is a fresh clone (the plain copy clones
    // too; kept for the callers that name the operation).
    RenderPoolCommand& CloneEffect(const RenderPoolCommand& other);
    // Destroys the owned effect now.
    void DestroyWithEffect();

    bool GetMirror() const { return stateBytes[0]; }
    bool GetFixedStepTick() const { return stateBytes[1]; }
    bool GetSecondStateFlag() const { return stateBytes[2]; }
    int32_t GetFrameAdvance() const { return stateWord; }
    ISprite* GetImage() const { return image; }
    GraphicalEffect* GetEffect() const { return effect.effect.get(); }
    std::unique_ptr<GraphicalEffect> TakeEffect() { return std::move(effect.effect); }
    Point<int> GetPosition() const { return position; }
    void SetPosition(Point<int> value) { position = value; }
    Point<int> GetExtent() const { return extent; }
    float GetRotation() const { return rotation; }
    const Rect<int>& GetClip() const { return clip; }
    // The clip to replay with: null when the draw was recorded without one.
    const Rect<int>* GetClipOrNull() const { return hasClip ? &clip : nullptr; }
    const std::string& GetName() const { return name; }
    bool IsRect() const { return isRect; }
    bool IsFilled() const { return filled; }
    Point<int> GetRectSize() const { return rectSize; }
    uint32_t GetColour() const { return colour; }
    void SetColour(uint32_t value) { colour = value; }
    Point<int> GetCameraWorld() const { return cameraWorld; }
    Point<int> GetCameraOffset() const { return Point<int>(statePair[0], statePair[1]); }
    float GetLayerSpeed() const { return reservedFloat; }
    float GetTileValue() const { return stateFloats[1]; }
    int32_t GetParamInt() const { return stateExtra; }
    float GetDrawFactor() const { return stateFloats[0]; }

private:
    ISprite* image = nullptr;
    OwnedEffect effect;
    Point<int> position;
    Point<int> extent;
    float rotation = 0.0f;
    Rect<int> clip;
    bool hasClip = false;
    std::string name;
    // Carries the layer speed of the draw (read back by shader effects).
    float reservedFloat = 0.0f;
    std::array<bool, 3> stateBytes {};
    int32_t stateWord = 0;
    Point<int> cameraWorld;
    uint32_t colour = 0;
    std::array<int32_t, 2> statePair {};
    // The draw factor and the tile value of the draw.
    std::array<float, 2> stateFloats {1.0f, 0.0f};
    int32_t stateExtra = 0;
    bool isRect = false;
    bool filled = false;
    Point<int> rectSize;
};
