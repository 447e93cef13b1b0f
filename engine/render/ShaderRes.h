#pragma once

#include "engine/render/EffectProgram.h"

#include <memory>
#include <string>

// One effect, loaded from its GLSL effect file. Registers itself with the
// render engine while it exists; its program is null until it loads.
class ShaderRes {
public:
    ShaderRes(std::string name, std::string file);
    virtual ~ShaderRes();
    ShaderRes(const ShaderRes&) = delete;
    ShaderRes& operator=(const ShaderRes&) = delete;

    // Releases any loaded program, then builds one from the file (the path
    // resolved as every data path is). On failure the error text goes to the
    // debugger output and the program stays null.
    virtual bool Load();
    virtual void Release();
    virtual IEffectProgram* GetEffect() const { return effect.get(); }
    virtual void SetEffect(std::unique_ptr<IEffectProgram> program) { effect = std::move(program); }

    bool IsLoaded() const { return effect != nullptr; }
    // A placeholder names no file (an empty base name, as "fx\\.fx"): there
    // is nothing to load, and its failing to load is not an error.
    bool IsPlaceholder() const;
    const std::string& GetName() const { return name; }
    const std::string& GetFile() const { return file; }

private:
    std::string name;
    std::string file;
    std::unique_ptr<IEffectProgram> effect;
};

// Opens the shader's pass (render thread). Fails without a loaded program.
bool BeginPass(ShaderRes* shader);
// Closes the pass opened by BeginPass; false when this shader has none open.
bool EndPass(ShaderRes* shader);
// The shader whose pass is open, or null.
ShaderRes* GetOpenPass();
