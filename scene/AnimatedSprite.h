#pragma once

#include <cstdint>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "engine/render/ISprite.h"

class Sprite;

// A named, timed list of frames, each a sprite of the game library. It holds
// no playing state: the placed instance that shows it keeps the current frame,
// the time spent in it and the direction, so one animated sprite serves every
// object that shows it.
class AnimatedSprite : public ISprite {
public:
    // A frame without a duration entry lasts this long (milliseconds).
    static constexpr float kDefaultFrameDuration = 4000.0f;
    // The most frame moves one AdvanceFrame call makes.
    static constexpr int kMaxFrameSteps = 400;

    explicit AnimatedSprite(std::string name = std::string());
    AnimatedSprite(std::string name, std::vector<Sprite*> frames, std::vector<float> durations,
        std::vector<float> rotations);
    ~AnimatedSprite() override = default;
    AnimatedSprite(const AnimatedSprite&) = delete;
    AnimatedSprite& operator=(const AnimatedSprite&) = delete;

    // Record: "AnimatedSpriteV0", name, frame count, one reference per frame
    // ("SpriteV0Ptr", sprite name), counter, loop start, duration count,
    // durations, ping-pong, "_AnimatedSprite_updatetag_1.0_", rotation count,
    // rotations.
    bool Serialize(std::ostream& os) override;
    // Reference: "AnimatedSpriteV0Ptr", then the name.
    bool SerializePtr(std::ostream& os) override;
    // Reads the record after its class line; a frame reference's class line
    // is read and not compared.
    bool UnSerialize(std::istream& is) override;
    std::string GetVersionedClassName() override;

    std::string GetClassName() override;
    const std::string& GetName() override { return name; }
    // The first frame's size; (0, 0) without frames.
    Point<int> GetSize() override;
    // Frames are drawn through the instance that places the animation.
    bool Draw(DXGraphicalSurface* target, int x, int y, int a, int b, float rotation, int p7, int p8, int p9,
        int p10) override;

    // Moves a playing copy of the animation on by dt milliseconds. `time` is
    // the time already spent in `frame`; `reversed` and `playing` are the
    // copy's direction and playing flags. Returns the new frame, or -1 for a
    // frame index outside the animation (nothing changes then).
    int AdvanceFrame(int frame, double* time, bool* reversed, bool* playing, double dt) const;
    // Sum of the durations of the frames below upTo; every frame for -1; 0
    // for any other negative value.
    float TotalDuration(int upTo) const;

    int GetFrameCount() const { return static_cast<int>(frames.size()); }
    Sprite* GetFrame(int index) const;
    float GetFrameDuration(int index) const;
    void SetFrameDuration(int index, float value);
    // The per-frame rotation added to the instance's rotation when drawn.
    float GetFrameAux(int index) const;
    void SetFrameAux(int index, float value);

    void AddFrame(Sprite* frame, float duration, float rotation);
    void InsertFrame(int index, Sprite* frame, float duration);
    void SwapFrames(int a, int b);
    void RemoveFrame(int index);

    // Acquires, or gives back, the images of every frame.
    void AcquireImages();
    void ReleaseImages();

    uint32_t GetCounter() const { return counter; }
    void SetCounter(uint32_t value) { counter = value; }
    int GetLoopStart() const { return loopStart; }
    void SetLoopStart(int frame) { loopStart = frame; }
    bool IsPingPong() const { return pingPong; }
    void SetPingPong(bool value) { pingPong = value; }
    const std::vector<float>& GetDurations() const { return durations; }
    const std::vector<float>& GetRotations() const { return rotations; }

private:
    std::string name;
    std::vector<Sprite*> frames;
    uint32_t counter = 0;
    int32_t loopStart = -1;
    std::vector<float> durations;
    std::vector<float> rotations;
    bool pingPong = false;
};
