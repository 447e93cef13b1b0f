#pragma once

#include "characters/ParticleSystem.h"

// A burst of particles at one place: every particle starts when the system
// is copied for use, flies with a random speed inside configured ranges, is
// accelerated and speed-limited, blinks near the end of its life and dies at
// a fixed age. Definitions live in the game library and are never run; each
// use runs a copy.
class LocalParticleSystem : public ParticleSystem {
public:
    // The reader's constructor: no particles, the defaults below.
    LocalParticleSystem(int unused0 = 0, int unused1 = 0, int areaX = 0, int areaY = 0);
    // A copy ready to run: particles named after the source's, cloned sprites
    // when the source animates them, and every particle started.
    static LocalParticleSystem* CopyConstruct(const LocalParticleSystem& source);
    ~LocalParticleSystem() override;

    // Record: the base record, the class name again, the front flag, the 19
    // floats, the two ints, the area, then the extra sprite references. All
    // or nothing; a lifetime of 0 or less or a negative area is reported
    // (file:line) and fails it.
    bool Serialize(std::ostream& os) override;
    bool UnSerialize(std::istream& is) override;
    std::string GetVersionedClassName() override { return "LocalParticleSystemV0"; }

    void Update(double dt) override;
    bool Draw(DXGraphicalSurface* target, Point<int> offset) override;

    // Stores the 19 values and starts every particle.
    void SetParameters(float fadeStart, float lifetime, float speedXMin, float speedXMax, float speedYMin,
        float speedYMax, float spreadAngle, float directionX, float directionY, float accelerationMinX,
        float accelerationMinY, float accelerationMaxX, float accelerationMaxY, float maxSpeedX,
        float maxSpeedY, float spare0, float spare1, float spare2, float spare3);

    Point<int> GetPosition() const { return position; }
    void SetPosition(Point<int> p) { position = p; }
    bool IsInFront() const { return inFront; }
    void SetInFront(bool value) { inFront = value; }
    Point<int> GetArea() const { return area; }
    float GetFadeStart() const { return fadeStart; }
    float GetLifetime() const { return lifetime; }
    Point<float> GetEmitDirection() const { return emitDirection; }
    const std::vector<GraphicalObject*>& GetExtraSprites() const { return extraSprites; }
    void SetExtraSprites(std::vector<GraphicalObject*> list) { extraSprites = std::move(list); }

private:
    // The 19 parameters in record order.
    struct Parameters {
        float values[19] = {};
    };
    Parameters GetParameters() const;
    void ApplyParameters(const Parameters& p);
    void StartParticles();
    // A random value in [a, b]; exactly b (no draw) when a equals b.
    static float RandomIn(float a, float b);
    void DestroyOwnedSprites();

    float fadeStart = 290.0f;
    float lifetime = 300.0f;
    float speedXMin = 5.0f;
    float speedXMax = 5.5f;
    float speedYMin = 9.0f;
    float speedYMax = 10.0f;
    float maxSpeedX = 20.0f;
    float maxSpeedY = 20.0f;
    Point<float> emitDirection {0.0f, 1.0f};
    float spreadAngle = 40.0f;
    Point<float> accelerationMin {0.0f, -1.0f};
    Point<float> accelerationMax {0.0f, -1.0f};
    float spare[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    int32_t unusedInts[2] = {0, 0};
    bool inFront = false;
    Point<int> area;
    std::vector<GraphicalObject*> extraSprites;
    Point<int> position;
};
