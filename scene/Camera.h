#pragma once

// The view that follows the player. Only its travel speed is here yet; the
// tuning value is what new cameras start from.
class Camera {
public:
    static inline float travelSpeedTuning = 3.2f;

    void Reset() { speed = travelSpeedTuning; }
    float GetSpeed() const { return speed; }
    void SetSpeed(float s) { speed = s; }

private:
    float speed = travelSpeedTuning;
};
