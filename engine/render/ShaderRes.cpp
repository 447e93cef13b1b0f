#include "engine/render/ShaderRes.h"

#include "engine/platform/DebugOutput.h"
#include "engine/platform/Paths.h"
#include "engine/render/DXRenderEngine.h"

#include <fstream>
#include <sstream>

namespace {
// The shader whose pass is open; used by the render thread only.
ShaderRes* g_OpenPass = nullptr;

DXRenderEngine* Engine()
{
    return dynamic_cast<DXRenderEngine*>(g_RenderEngine);
}
} // namespace

ShaderRes::ShaderRes(std::string name, std::string file)
    : name(std::move(name))
    , file(std::move(file))
{
    if (DXRenderEngine* engine = Engine())
        engine->AddShaderRes(this);
}

ShaderRes::~ShaderRes()
{
    if (g_OpenPass == this)
        g_OpenPass = nullptr;
    if (DXRenderEngine* engine = Engine())
        engine->RemoveShaderRes(this);
    Release();
}

bool ShaderRes::Load()
{
    Release();
    // The effect with no file ("fx\\.fx") has nothing to load and nothing
    // to report.
    if (IsPlaceholder())
        return false;
    const std::string resolved = platform::ResolvePath(file);
    std::ifstream in = platform::OpenRegularFile(resolved, std::ios::binary);
    if (!in) {
        platform::DebugOutput(platform::IsNonRegularFile(resolved)
                ? "Effect file is not a regular file: " + file + "\n"
                : "Effect file not found: " + file + "\n");
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    std::string errors;
    std::unique_ptr<GLEffectProgram> program = GLEffectProgram::Build(text.str(), errors);
    if (!program) {
        if (!errors.empty())
            platform::DebugOutput(file + ": " + errors + "\n");
        return false;
    }
    effect = std::move(program);
    return true;
}

bool ShaderRes::IsPlaceholder() const
{
    const size_t slash = file.find_last_of("\\/");
    const std::string base = file.substr(slash == std::string::npos ? 0 : slash + 1);
    return base.empty() || base.front() == '.';
}

void ShaderRes::Release()
{
    effect.reset();
}

bool BeginPass(ShaderRes* shader)
{
    if (!shader || !shader->GetEffect())
        return false;
    if (!shader->GetEffect()->Begin()) {
        shader->GetEffect()->End();
        return false;
    }
    g_OpenPass = shader;
    return true;
}

bool EndPass(ShaderRes* shader)
{
    if (!shader || g_OpenPass != shader || !shader->GetEffect())
        return false;
    shader->GetEffect()->End();
    g_OpenPass = nullptr;
    return true;
}

ShaderRes* GetOpenPass()
{
    return g_OpenPass;
}
