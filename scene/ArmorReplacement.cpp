#include "scene/ArmorReplacement.h"

#include <algorithm>

bool ArmorReplacement::Append(std::vector<ArmorReplacement>& list, ArmorReplacement record)
{
    if (std::find(list.begin(), list.end(), record) != list.end())
        return false;
    list.push_back(std::move(record));
    return true;
}

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

std::vector<ArmorReplacement>& ArmorReplacement::ThirdList()
{
    static std::vector<ArmorReplacement> list;
    return list;
}
