#pragma once

// Millisecond clock on the platform performance counter. The main loop, the
// frame-rate overlay and the game update each keep one and call Update once
// per frame to get the frame's time step. Each timer belongs to one thread.
class GlobalTimer {
public:
    GlobalTimer();
    virtual ~GlobalTimer() = default;

    // Makes "now" the reference point without reporting a step.
    void Restart();

    // Milliseconds since the last construction, restart or update; becomes
    // the new reference point.
    double Update();

    // Milliseconds since the reference point; changes nothing.
    double Peek() const;

    // The reference point itself, in milliseconds on the counter's scale.
    double GetTimeMs() const;

    // The step returned by the last Update (0 before the first one).
    double GetLastDelta() const { return lastDelta; }

private:
    double lastCounter = 0.0;
    double ticksPerMs = 1.0;
    double lastDelta = 0.0;
};

float CeilF(float value);
float FloorF(float value);

// Snaps a value onto a grid of the given step. Away from zero by default (a
// negative value goes down, any other value up); toward zero when asked (a
// positive value goes down, any other value up). The offset is added when
// snapping down and subtracted when snapping up.
float SnapToStep(bool towardZero, float value, float step, float offset);
