#pragma once

#include <string>

// One GLSL effect file under its name. Stand-in until the shader effects
// exist: it never loads, so every effect pass falls back to the plain draw.
class ShaderRes {
public:
    ShaderRes(std::string name, std::string file)
        : name(std::move(name))
        , file(std::move(file))
    {
    }
    virtual ~ShaderRes() = default;

    virtual bool Load() { return false; }
    virtual void Release() { }
    bool IsLoaded() const { return false; }
    const std::string& GetName() const { return name; }
    const std::string& GetFile() const { return file; }

private:
    std::string name;
    std::string file;
};
