#pragma once

#include "engine/render/GraphicalEffect.h"

#include <cstdint>
#include <memory>

class ShaderRes;

// A sprite effect animated over time: its timer runs from 0 to the duration,
// one unit per update. Until effect programs exist it draws the sprite
// plainly; its timer is what callers count on (the hit flash, the shock
// waves), and it runs whether or not the shader was found.
class ShaderEffect_TimeDependent : public GraphicalEffect {
public:
    // With startAtEnd the timer starts at the duration and the effect rests.
    ShaderEffect_TimeDependent(
        ShaderRes* shader, float duration, bool startAtEnd, bool tickOnly, bool loop, bool autoAdvance);

    // Only while running; a tick-only effect only on frames whose fixed-step
    // tick is set; only while the game's frame-advance word is not 0; then,
    // with auto advance, one unit.
    void Update() override;
    std::unique_ptr<GraphicalEffect> Clone() const override;

    // Runs unless mode is 1; the timer restarts at 0 (fromZero) or at the
    // duration. Always true.
    virtual bool Start(int mode, bool fromZero);
    // Moves the timer by dt. At or past the end it wraps by the duration when
    // looping, else the effect stops.
    virtual void Advance(float dt);

    ShaderRes* GetShader() const { return shader; }
    float GetTimer() const { return timer; }
    float GetDuration() const { return duration; }
    bool IsRunning() const { return running != 0; }

protected:
    ShaderRes* shader = nullptr; // not owned; null when the effect file is missing
    uint8_t loop = 0;
    uint8_t autoAdvance = 0;
    float timer = 0.0f;
    float duration = 0.0f;
    uint8_t tickOnly = 0;
    uint8_t running = 1;
};
