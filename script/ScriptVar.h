#pragma once

#include "engine/serial/ISerialization.h"

#include <cstdint>
#include <string>
#include <utility>

// A script variable: a name (kept lower-case by every creator) and a value,
// both text, in the script's own, the game's or the save slot's store. The
// save slot writes its variables as three lines each: the class name, the
// name, the value.
class ScriptVar : public ISerialization {
public:
    explicit ScriptVar(std::string varName)
        : name(std::move(varName))
    {
    }

    bool Serialize(std::ostream& os) override;
    // Reads the three lines into temporaries and takes them only when all
    // three were there (the class-name line is not compared).
    bool UnSerialize(std::istream& is) override;
    std::string GetVersionedClassName() override { return "ScriptVarV0"; }

    std::string GetName() const { return name; }
    std::string GetValue() const { return value; }
    void SetValue(std::string newValue) { value = std::move(newValue); }
    int32_t GetType() const { return type; }

private:
    std::string name;
    std::string value;
    int32_t type = 0;
};
