#pragma once

#include <string>
#include <utility>

// A script variable: a name and a value, both text.
class ScriptVar {
public:
    explicit ScriptVar(std::string varName)
        : name(std::move(varName))
    {
    }
    virtual ~ScriptVar() = default;

    std::string GetName() const { return name; }
    std::string GetValue() const { return value; }
    void SetValue(std::string newValue) { value = std::move(newValue); }

private:
    std::string name;
    std::string value;
};
