#include "fuzz/FuzzTarget.h"

namespace fuzz {

std::vector<Target>& Targets()
{
    static std::vector<Target> targets;
    return targets;
}

bool Register(Target target)
{
    Targets().push_back(std::move(target));
    return true;
}

const Target* FindTarget(std::string_view name)
{
    for (const Target& target : Targets())
        if (target.name == name)
            return &target;
    return nullptr;
}

} // namespace fuzz
