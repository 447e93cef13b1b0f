#pragma once

#include "characters/CharacterGameAccess.h"
#include "characters/CharacterObject.h"
#include "characters/ParticleSystem.h"
#include "engine/render/RenderGameAccess.h"
#include "script/BackgroundEvent.h"
#include "tests/engine/render/RenderTestSupport.h"

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace charactertest {

// The game as the characters see it, holding what a test sets and recording
// what the characters ask of it; installed while it lives. It also answers
// the render engine's game access with a tick on every frame, so timed
// effects advance one unit per update.
class FakeCharacterGame : public CharacterGameAccess {
public:
    FakeCharacterGame()
    {
        SetCharacterGameAccess(this);
        ticks.state.fixedStepTick = true;
        ticks.state.frameAdvance = 1;
    }
    ~FakeCharacterGame() override
    {
        if (GetCharacterGameAccess() == this)
            SetCharacterGameAccess(nullptr);
    }
    FakeCharacterGame(const FakeCharacterGame&) = delete;
    FakeCharacterGame& operator=(const FakeCharacterGame&) = delete;

    CharacterObject* GetPlayer() override { return player; }
    PlayerCrossbowState GetPlayerCrossbow() override { return crossbow; }
    bool HasLevel() override { return hasLevel; }
    void AddBackgroundEvent(BackgroundEvent* event) override
    {
        if (hasLevel)
            events.emplace_back(event);
        else
            delete event;
    }
    void GetParticleLayers(Layer*& front, Layer*& back) override
    {
        front = frontLayer;
        back = backLayer;
    }
    void AddParticleSystem(Layer* layer, ParticleSystem* system) override
    {
        placed.push_back({layer, std::unique_ptr<ParticleSystem>(system)});
    }
    void RequestSlowMotion(int budget, int step) override
    {
        slowMotionBudget = budget;
        slowMotionStep = step;
    }
    void BroadcastMessage(const std::string& message) override { messages.push_back(message); }
    GraphicalObject* FindGraphicalObject(const std::string& name) override
    {
        const auto found = graphicals.find(name);
        return found == graphicals.end() ? nullptr : found->second;
    }
    LocalParticleSystem* FindLocalParticleSystem(const std::string& name) override
    {
        const auto found = systems.find(name);
        return found == systems.end() ? nullptr : found->second;
    }

    bool IsParticleLinkName(const std::string& className) override
    {
        return characterClasses.count(className) != 0;
    }

    struct Placed {
        Layer* layer;
        std::unique_ptr<ParticleSystem> system;
    };

    rendertest::FakeGame ticks;
    CharacterObject* player = nullptr;
    PlayerCrossbowState crossbow;
    bool hasLevel = true;
    Layer* frontLayer = nullptr;
    Layer* backLayer = nullptr;
    BackgroundEvent::Queue events;
    std::vector<Placed> placed;
    std::vector<std::string> messages;
    int slowMotionBudget = 0;
    int slowMotionStep = 0;
    std::map<std::string, GraphicalObject*> graphicals;
    std::map<std::string, LocalParticleSystem*> systems;
    std::set<std::string> characterClasses;
};

// The 32-bit random value whose fraction of 2^32 is the first at or above
// `fraction`.
inline uint32_t RandomAtLeast(double fraction)
{
    const double scaled = fraction * 4294967296.0;
    auto value = static_cast<uint32_t>(scaled);
    if (static_cast<double>(value) < scaled)
        ++value;
    return value;
}

} // namespace charactertest
