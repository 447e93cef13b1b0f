#include "characters/ArmorReplacement.h"

std::vector<ArmorReplacement>& ArmorReplacement::IceList()
{
    static std::vector<ArmorReplacement> list;
    return list;
}

std::vector<ArmorReplacement>& ArmorReplacement::IceLavaList()
{
    static std::vector<ArmorReplacement> list;
    return list;
}
