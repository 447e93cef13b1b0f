#pragma once

class GraphicalEffect;
class IRenderEngine;

// Makes a placed instance's own graphical effect the render engine's current
// one for the length of its draw, and gives the engine back the effect it
// had. Without a render engine it does nothing.
class InstanceEffectScope {
public:
    explicit InstanceEffectScope(GraphicalEffect* effect);
    ~InstanceEffectScope();
    InstanceEffectScope(const InstanceEffectScope&) = delete;
    InstanceEffectScope& operator=(const InstanceEffectScope&) = delete;

private:
    IRenderEngine* engine;
};
