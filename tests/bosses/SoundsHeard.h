#pragma once

#include "engine/app/UsageObserver.h"

#include <set>
#include <string>
#include <string_view>

// Listens, while it lives, for the sound events the game plays (as the
// program's usage observer, the one before put back at its end).
class SoundsHeard : public UsageObserver {
public:
    SoundsHeard()
        : previous(Installed<UsageObserver>::Get())
    {
        Installed<UsageObserver>::Set(this);
    }
    ~SoundsHeard() override { Installed<UsageObserver>::Set(previous); }
    SoundsHeard(const SoundsHeard&) = delete;
    SoundsHeard& operator=(const SoundsHeard&) = delete;

    void Used(std::string_view family, std::string_view name) override
    {
        if (family == "sound event")
            heard.emplace(name);
    }
    bool Heard(const std::string& event) const { return heard.contains(event); }
    void Forget() { heard.clear(); }

private:
    UsageObserver* previous;
    std::set<std::string, std::less<>> heard;
};
