#include "engine/render/Image.h"

#include "engine/platform/DebugOutput.h"
#include "engine/render/IGraphicalRessource.h"
#include "engine/render/IRenderEngine.h"
#include "engine/render/RenderGameAccess.h"
#include "engine/render/RenderPoolManager.h"

#include <charconv>

Image::Image(std::string name)
    : name(std::move(name))
{
    Load();
}

Image::~Image() = default;

bool Image::ParseEmptySize(const std::string& name, int& width, int& height)
{
    static constexpr std::string_view prefix = "_EMPTY_";
    if (name.compare(0, prefix.size(), prefix) != 0)
        return false;
    const char* begin = name.data() + prefix.size();
    const char* end = name.data() + name.size();
    int w = 0;
    int h = 0;
    auto [afterWidth, widthError] = std::from_chars(begin, end, w);
    if (widthError != std::errc() || afterWidth == end || *afterWidth != 'x')
        return false;
    auto [afterHeight, heightError] = std::from_chars(afterWidth + 1, end, h);
    if (heightError != std::errc() || afterHeight != end || w <= 0 || h <= 0)
        return false;
    width = w;
    height = h;
    return true;
}

bool Image::IsOutOfLoadingScope(const RenderPoolManager* pool)
{
    // A level is being played: not its loading screen (nor the frame that
    // ends it), nor a device restore that takes every image again.
    const RenderGameAccess* game = GetRenderGameAccess();
    return pool && pool->loading.load() == 0 && game && game->HasCurrentLevel()
        && pool->loadingHold.load() == 0 && !pool->messageWaitMode.load();
}

bool Image::Load()
{
    texture.reset();
    // The game's render engine is the one global engine; without it there is
    // nothing to load with.
    IRenderEngine* engine = g_RenderEngine;
    if (!engine)
        return false;
    if (name.rfind("_EMPTY_", 0) == 0) {
        int width = 0;
        int height = 0;
        if (!ParseEmptySize(name, width, height)) {
            platform::DebugOutput("Image : no size in empty image name " + name + "\n");
            return false;
        }
        texture.reset(engine->CreateRenderTexture(width, height));
    } else {
        if (IsOutOfLoadingScope(engine->GetRenderPool()))
            engine->GetRenderPool()->LogOutOfScopeLoad(name);
        texture.reset(engine->LoadTexture(name));
    }
    return texture != nullptr;
}

bool Image::Draw(int x, int y, int a, int b, float f) const
{
    if (texture && g_RenderEngine)
        g_RenderEngine->DrawTexture(texture.get(), nullptr, x, y, a, b, f);
    return false;
}
