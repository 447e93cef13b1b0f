#pragma once

#include "engine/render/ShaderEffect.h"

// Draws a whole picture through an effect: fades, water, blur, bloom,
// brightness and the final copy to the window. The picture's texture has
// power-of-two sides (the render textures of the device layer).
class ShaderEffect_PostProcess : public ShaderEffect {
public:
    explicit ShaderEffect_PostProcess(ShaderRes* shader);

    std::unique_ptr<GraphicalEffect> Clone() const override;

    // Draws the source rectangle (pixels of the picture texture) into the
    // destination rectangle (pixels of the bound target, y down) through the
    // effect. Without a loaded effect no parameter is set and a source as
    // large as its destination is copied plainly.
    virtual void Run(int sx0, int sy0, int sx1, int sy1, int dx0, int dy0, int dx1, int dy1, uint32_t texture,
        int extra = 0);

    void SetInputValue(float value) { inputValue = value; }
    float GetInputValue() const { return inputValue; }

protected:
    float inputValue = 0.0f;
};

// A full-screen effect with a time: it waits its start delay, runs its time
// from 0 to the duration (wrapping when looping), then waits its end delay
// and stops. "g_mTimerAdvance" is time / duration (1 - that in reverse); a
// stopped effect draws nothing.
class ShaderEffect_PostProcess_TimeDependent : public ShaderEffect_PostProcess {
public:
    // With startAtEnd the time starts at the duration and the effect rests.
    // Advance mode: 0 every update, 1 on fixed-step ticks while the game's
    // second state flag is clear, 2 on fixed-step ticks.
    ShaderEffect_PostProcess_TimeDependent(ShaderRes* shader, float duration, bool startAtEnd,
        float startDelay, float endDelay, bool loop, int advanceMode);

    void Run(int sx0, int sy0, int sx1, int sy1, int dx0, int dy0, int dx1, int dy1, uint32_t texture,
        int extra = 0) override;
    void Update() override;
    std::unique_ptr<GraphicalEffect> Clone() const override;

    // Restarts at time 0 with the delays reloaded; runs unless the argument
    // is 1.
    virtual void Start(int resetToStopped);
    virtual void Advance(float dt);

    float GetTime() const { return time; }
    float GetDuration() const { return duration; }
    void SetDuration(float value) { duration = value; }
    bool IsRunning() const { return running != 0; }
    void SetReverse(bool value) { reverse = value ? 1 : 0; }
    float GetStartDelay() const { return startDelay; }
    float GetEndDelay() const { return endDelay; }

protected:
    float startDelay = 0.0f;
    float endDelay = 0.0f;
    uint8_t loop = 0;
    float startDelayDefault = 0.0f;
    float endDelayDefault = 0.0f;
    float time = 0.0f;
    float duration = 0.0f;
    int32_t advanceMode = 0;
    uint8_t running = 1;
    uint8_t reverse = 0;
};

// Of a render-target texture: its power-of-two size (the picture's
// 512 x 448 lives in 512 x 512).
Point<int> PictureTextureSize();
