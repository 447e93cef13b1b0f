#pragma once

#include "engine/serial/Point.h"
#include "scene/BackgroundEvent.h"
#include "scene/Layer.h"

#include <optional>
#include <string>

class Level;

// The coefficients the ice-use shader receives for `remaining` ticks left of
// `duration`; a curve that has not started yet is absent.
struct ArmorIceShaderCoefficients {
    float globalBgEffect = 0.0f;
    std::optional<float> localBgEffect;
    std::optional<float> localSnow;
    std::optional<float> localIce;
    std::optional<float> localIceAdd;

    static ArmorIceShaderCoefficients At(float remaining, float duration);
};

// The visible side of an armor use: an effect animation centred on the
// player on the level's front layer, removed once it has played, and a
// count-down of logic ticks after which the event finishes.
class BGEvent_ArmorUse : public BackgroundEvent {
public:
    // Places the effect (its "_Rank2" form at rank 2) when a level runs.
    BGEvent_ArmorUse(std::string name, int duration, Level* level, const std::string& effectName, bool rank2,
        Point<float> playerPosition, Point<int> playerSize);
    ~BGEvent_ArmorUse() override;

    // The late pass of a frame: a stop request finishes the event; on the
    // game's logic ticks (every call without a game) the played effect is
    // removed and the count-down runs.
    bool Update() override;
    // Sets the started flag; the argument is not used.
    void StartFor(int /*n*/) { started = true; }

    int GetRemaining() const { return params[2]; }
    int GetDuration() const { return duration; }
    Point<int> GetCentre() const { return centre; }
    Layer::Instance* GetEffectInstance() const { return instance; }

    // Asks every running event of that type to stop (a new use replaces it).
    static void StopRunning(const std::string& typeName);

protected:
    // Per-tick work of the armor's own (the ice shader curves).
    virtual void OnTick() { }

    int duration;
    Layer* layer = nullptr;
    Layer::Instance* instance = nullptr;
    Point<int> centre;
};

class BGEvent_ArmorFire_Use : public BGEvent_ArmorUse {
public:
    static constexpr int kDuration = 50;
    BGEvent_ArmorFire_Use(
        std::string name, Level* level, bool rank2, Point<float> playerPosition, Point<int> playerSize);
    std::string GetTypeName() const override { return "BGEvent_ArmorFire_Use"; }
};

// Also slides the ice shader's coefficients over the event's life. Nothing
// attaches a post-process surface to the event, so the coefficients are kept
// for whoever draws with them.
class BGEvent_ArmorIce_Use : public BGEvent_ArmorUse {
public:
    static constexpr int kDuration = 500;
    BGEvent_ArmorIce_Use(
        std::string name, Level* level, bool rank2, Point<float> playerPosition, Point<int> playerSize);
    std::string GetTypeName() const override { return "BGEvent_ArmorIce_Use"; }
    const ArmorIceShaderCoefficients& GetCoefficients() const { return coefficients; }

protected:
    void OnTick() override;

private:
    ArmorIceShaderCoefficients coefficients;
};
