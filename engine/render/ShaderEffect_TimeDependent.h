#pragma once

#include "engine/render/ShaderEffect.h"
#include "engine/serial/Color.h"

// A sprite effect animated over time: its timer runs from 0 to the duration
// (or back with reverse), one unit per update, and the effect reads the
// progress as "g_mTimerAdvance" (timer / duration).
class ShaderEffect_TimeDependent : public ShaderEffect {
public:
    // With startAtEnd the timer starts at the duration and the effect rests.
    ShaderEffect_TimeDependent(
        ShaderRes* shader, float duration, bool startAtEnd, bool tickOnly, bool loop, bool autoAdvance);

    void Draw(IGraphicalRessource* texture, Point<int> position, Point<int> spritePoint,
        const SpriteSource& source, float rotation, uint32_t colour) override;
    // Only while running; a tick-only effect only on passes whose fixed-step
    // tick is set; only while the game's frame-advance word is not 0; then,
    // with auto advance, one unit.
    void Update() override;
    std::unique_ptr<GraphicalEffect> Clone() const override;

    // Runs unless mode is 1; the timer restarts at 0 (fromZero) or at the
    // duration. Always true.
    virtual bool Start(int mode, bool fromZero);
    // Moves the timer by dt (back with reverse). At or past either end it
    // wraps by the duration back into the range when looping, else the
    // effect stops. A zero step changes nothing.
    virtual void Advance(float dt);

    float GetTimer() const { return timer; }
    float GetDuration() const { return duration; }
    bool IsRunning() const { return running != 0; }
    void SetReverse(bool value) { reverse = value ? 1 : 0; }
    void SetLoop(bool value) { loop = value ? 1 : 0; }

protected:
    uint8_t loop = 0;
    uint8_t autoAdvance = 0;
    float timer = 0.0f;
    float duration = 0.0f;
    uint8_t tickOnly = 0;
    uint8_t secondAdvance = 0;
    uint8_t running = 1;
    uint8_t reverse = 0;
};

// Tints a sprite with a colour through its effect (ghost skulls, the final
// boss's heads); a tiled draw (tile value not 1 with the integer parameter
// 1) covers the next power of two of the source times the tile value,
// centred.
class GE_Color : public ShaderEffect_TimeDependent {
public:
    GE_Color(ShaderRes* shader, float duration, bool startAtEnd, bool tickOnly);

    void Draw(IGraphicalRessource* texture, Point<int> position, Point<int> spritePoint,
        const SpriteSource& source, float rotation, uint32_t colour) override;
    bool DrawSprite(ISprite* sprite, IGraphicalSurface* target, int x, int y, int p5, int p6, float rotation,
        const Rect<int>* clip) override;
    std::unique_ptr<GraphicalEffect> Clone() const override;

    void SetColor(const Color& value) { colour = value; }
    const Color& GetColor() const { return colour; }

private:
    Color colour {255, 255, 255, 255};
};
