#pragma once

#include <string>
#include <utility>
#include <vector>

// One armor replacement: the scene object named first is replaced by the
// object named second while an armor acts on it. The program keeps three
// lists: the ice list (water that the ice armor freezes), the ice-lava list
// (lava that freezes only under the level-2 ice armor, and that the fire
// armor's pairs are built from) and a third list that no command fills.
// Graphical objects read the lists to link partners at level start.
class ArmorReplacement {
public:
    ArmorReplacement(std::string objectName_, std::string replacementName_)
        : objectName(std::move(objectName_))
        , replacementName(std::move(replacementName_))
    {
    }

    const std::string& GetObjectName() const { return objectName; }
    const std::string& GetReplacementName() const { return replacementName; }
    bool operator==(const ArmorReplacement&) const = default;

    // Appends the record unless the list already holds one with both names
    // equal; true when it was appended.
    static bool Append(std::vector<ArmorReplacement>& list, ArmorReplacement record);

    static std::vector<ArmorReplacement>& IceList();
    static std::vector<ArmorReplacement>& IceLavaList();
    static std::vector<ArmorReplacement>& ThirdList();

private:
    std::string objectName;
    std::string replacementName;
};
