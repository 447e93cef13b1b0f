#pragma once

#include <string>
#include <utility>
#include <vector>

// One armor replacement: the object named first is replaced by the object
// named second while the armor acts on it. The program keeps the ice list and
// the ice-lava list, filled by "playerarmoraddreplaceforuse".
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
