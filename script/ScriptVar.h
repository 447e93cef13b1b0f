#pragma once

#include "engine/serial/ISerialization.h"

#include <string>
#include <utility>

// A script variable: a name and a value, both text. Written as three lines:
// its versioned class name, the name, the value.
class ScriptVar : public ISerialization {
public:
    explicit ScriptVar(std::string varName)
        : name(std::move(varName))
    {
    }
    ScriptVar(const ScriptVar&) = default;
    ScriptVar& operator=(const ScriptVar&) = default;
    ~ScriptVar() override = default;

    bool Serialize(std::ostream& os) override;
    // Reads the three lines; a class line other than "ScriptVarV0", or a
    // name or value that is not a text line, fails and changes nothing.
    bool UnSerialize(std::istream& is) override;
    std::string GetVersionedClassName() override { return "ScriptVarV0"; }

    std::string GetName() const { return name; }
    std::string GetValue() const { return value; }
    void SetValue(std::string newValue) { value = std::move(newValue); }

private:
    std::string name;
    std::string value;
};
