#pragma once

#include <string>
#include <utility>
#include <vector>

// Stand-in until the player's armors exist: one armor replacement, the object
// named first replaced by the object named second while the armor acts on
// it. The program keeps the ice list and the ice-lava list, filled by
// "playerarmoraddreplaceforuse"; graphical objects read them to link partners.
class ArmorReplacement {
public:
    ArmorReplacement(std::string objectName_, std::string replacementName_)
        : objectName(std::move(objectName_))
        , replacementName(std::move(replacementName_))
    {
    }

    std::string GetObjectName() const { return objectName; }
    std::string GetReplacementName() const { return replacementName; }

    static std::vector<ArmorReplacement>& IceList();
    static std::vector<ArmorReplacement>& IceLavaList();

private:
    std::string objectName;
    std::string replacementName;
};
