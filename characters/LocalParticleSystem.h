#pragma once

#include <string>
#include <utility>

// One particle-system definition of the game library, found by name. Its
// emitters and record are not written yet.
class LocalParticleSystem {
public:
    explicit LocalParticleSystem(std::string systemName = "")
        : name(std::move(systemName))
    {
    }
    virtual ~LocalParticleSystem() = default;

    std::string GetName() const { return name; }

private:
    std::string name;
};
