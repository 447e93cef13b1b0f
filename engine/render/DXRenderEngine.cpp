#include "engine/render/DXRenderEngine.h"

#include "engine/assets/ScrambledFile.h"
#include "engine/config/GamePaths.h"
#include "engine/platform/DebugOutput.h"
#include "engine/platform/Paths.h"
#include "engine/platform/Window.h"
#include "engine/render/D3DDevice.h"
#include "engine/render/DXGraphicalRessource.h"
#include "engine/render/DXGraphicalSurface.h"
#include "engine/render/FullScreenPass.h"
#include "engine/render/GraphicalEffect.h"
#include "engine/render/ISprite.h"
#include "engine/render/PixelImage.h"
#include "engine/render/RenderGameAccess.h"
#include "engine/render/RenderPoolManager.h"
#include "engine/render/ShaderRes.h"
#include "engine/render/SpriteSource.h"

#include <algorithm>
#include <fstream>

namespace {

// The framebuffer draws go to now and its size.
void BindCurrentTarget()
{
    if (g_RenderTargetTexture && g_RenderTargetSurface) {
        GLTexture* texture = g_RenderTargetTexture->GetTexture();
        BindDrawTarget(g_RenderTargetSurface, texture ? texture->GetTextureWidth() : g_BackBufferWidth,
            texture ? texture->GetTextureHeight() : g_BackBufferHeight);
    } else {
        BindDrawTarget(0, g_BackBufferWidth, g_BackBufferHeight);
    }
}

IGraphicalRessource* WrapPicture(EncodedPng png, bool keyOutWhite)
{
    if (png.IsEmpty())
        return nullptr;
    auto texture = std::make_unique<GLTexture>(std::move(png));
    if (keyOutWhite)
        texture->KeyOutWhite();
    texture->MapContent();
    return new DXGraphicalRessource(std::move(texture), 0);
}

} // namespace

DXRenderEngine::DXRenderEngine()
{
    g_RenderEngine = this;
}

DXRenderEngine::~DXRenderEngine()
{
    // The render thread replays through this engine: it is stopped before
    // anything of the engine goes away.
    delete renderPool;
    renderPool = nullptr;
    fullScreenPass.reset();
    ReleaseAllShaderRes();
    if (g_RenderEngine == this)
        g_RenderEngine = nullptr;
    shaderList.clear();
}

bool DXRenderEngine::DrawSurface(
    IGraphicalSurface* source, IGraphicalSurface* target, int x, int y, int a, int b, float f)
{
    if (currentEffect && currentEffect->AppliesToSurfaces()) {
        currentEffect->DrawSurface(source, target, x, y, a, b, f);
        return false;
    }
    auto* from = dynamic_cast<DXGraphicalSurface*>(source);
    auto* to = dynamic_cast<DXGraphicalSurface*>(target);
    if (!from || !to || !from->GetRessource() || !to->GetRessource() || !g_InScene)
        return false;
    if (to->GetD3DSurface() != g_RenderTargetSurface) {
        EndScene(false);
        SetRenderTarget(to->GetD3DSurface(), to->GetRessource(), false);
        BeginScene(false);
    }
    DXGraphicalRessource* texture = from->GetRessource();
    const Point<int> size = texture->GetSize();
    DrawTexturedQuad(float(x), float(y), size.x, size.y, Point<int>(0, 0), 0.0f, 0, 0, size.x, size.y,
        0xFFFFFFFFu, texture->GetTextureName());
    return false;
}

bool DXRenderEngine::DrawGraphicalObject(const std::vector<ObjectDrawEntry>& entries, Point<int> objectSize,
    IGraphicalSurface* target, int x, int y, int p5, int p6, float /*rotation*/, Point<int> origin,
    Point<int> clipSize)
{
    return DrawObjectEntries(entries, objectSize, target, x, y, p5, p6, origin, clipSize, true);
}

bool DXRenderEngine::DrawTexture(IGraphicalRessource*, IGraphicalSurface*, int, int, int, int, float)
{
    return true;
}

bool DXRenderEngine::DrawObject(SceneObject*, IGraphicalSurface*, int, int, int, int, float)
{
    return true;
}

bool DXRenderEngine::DrawSprite(ISprite* sprite, IGraphicalSurface* target, int x, int y, int p5, int p6,
    float rotation, const Rect<int>* clip, bool immediate)
{
    if (!g_RenderEngine)
        return true;

    if (recordFlag && !immediate) {
        if (!renderPool)
            return true;
        RenderPoolCommand::RecordedState state;
        state.mirror = mirrorFlag;
        state.diffuseColour = diffuseColour;
        state.cameraOffset = cameraOffset;
        state.layerSpeed = layerSpeed;
        state.tileValue = tileValue;
        state.paramInt = paramInt;
        state.drawFactor = drawFactor;
        if (RenderGameAccess* game = GetRenderGameAccess()) {
            const RenderGameState now = game->GetRenderState();
            state.fixedStepTick = now.fixedStepTick;
            state.secondStateFlag = now.secondStateFlag;
            state.frameAdvance = now.frameAdvance;
            state.cameraWorld = now.cameraWorld;
        }
        renderPool->AddCommand(
            RenderPoolCommand::SpriteDraw(sprite, currentEffect ? currentEffect->Clone() : nullptr,
                Point<int>(x, y), Point<int>(p5, p6), rotation, clip, state));
        return true;
    }

    ++drawCount;
    const RenderPoolCommand* command = currentCommand;
    GraphicalEffect* effect = command ? command->GetEffect() : currentEffect;
    const bool mirror = command ? command->GetMirror() : mirrorFlag;
    const Point<int> offset = command ? command->GetCameraOffset() : cameraOffset;

    if (effect && effect->AppliesToSprites()) {
        g_MirrorX = mirror;
        effect->DrawSprite(sprite, target, x + offset.x, y + offset.y, p5, p6, rotation, clip);
        g_MirrorX = false;
        return true;
    }

    const uint32_t colour = command ? command->GetColour() : diffuseColour;
    const SpriteImage image = sprite ? sprite->GetSpriteImage() : SpriteImage {};
    DXGraphicalRessource* texture = image.texture;
    if (!texture)
        return true;
    const SpriteSource source = MakeSpriteSource(image.rect, rotation, clip);

    if (auto* surface = dynamic_cast<DXGraphicalSurface*>(target)) {
        if (surface->GetD3DSurface() != g_RenderTargetSurface) {
            if (!g_InScene)
                return true;
            EndScene(false);
            SetRenderTarget(surface->GetD3DSurface(), surface->GetRessource(), false);
            BeginScene(false);
        }
    }
    if (!g_InScene)
        return true;

    const uint32_t name = texture->GetTextureName();
    GLTexture* gl = texture->GetTexture();
    const int textureWidth = gl ? gl->GetTextureWidth() : 0;
    const int textureHeight = gl ? gl->GetTextureHeight() : 0;
    g_MirrorX = mirror;
    const ContentMap* content = gl ? gl->GetContent() : nullptr;
    if (!g_RenderTargetTexture) {
        DrawTexturedQuad(float(x + offset.x), float(y + offset.y), textureWidth, textureHeight, image.point,
            rotation, source.left, source.top, source.width, source.height, colour, name, content);
    } else {
        DrawToRenderTexture(x, y, source.left, source.top, source.left + source.width,
            source.top + source.height, name, textureWidth, textureHeight, diffuseColour, content);
    }
    g_MirrorX = false;
    return true;
}

bool DXRenderEngine::DrawRect(Point<int> size, IGraphicalSurface*, int x, int y, int a, int b, float f,
    uint32_t n, bool filled, bool immediate)
{
    if (recordFlag && !immediate) {
        if (renderPool)
            renderPool->AddCommand(
                RenderPoolCommand::RectDraw(size, Point<int>(x, y), Point<int>(a, b), f, n, filled));
        return true;
    }
    if (!g_InScene)
        return true;
    DrawColourQuad(x, y, size.x, size.y, n, filled);
    return true;
}

IGraphicalRessource* DXRenderEngine::LoadTexture(const std::string& name)
{
    // The picture is looked for under its name, in the data folder, then as
    // a scrambled file there. A place that has a damaged file reports it; a
    // missing picture is reported once, when no place has it. Only the
    // header is checked here: the picture is decoded when first drawn.
    PixelImage reader;
    EncodedPng png;
    if (reader.PeekFile(name, png))
        return WrapPicture(std::move(png), false);
    bool missing = reader.IsMissingFile();
    const std::string inDataFolder = GetBasePath() + name;
    if (reader.PeekFile(inDataFolder, png))
        return WrapPicture(std::move(png), false);
    missing = missing && reader.IsMissingFile();
    const std::string scrambled = ScrambledImagePath(inDataFolder);
    if (missing && (scrambled.empty() || !platform::IsRegularFile(platform::ResolvePath(scrambled))))
        platform::DebugOutput("Cannot load image " + name + ": no such file here nor in the data folder\n");
    if (scrambled.empty())
        return nullptr;
    std::vector<uint8_t> bytes;
    if (!LoadScrambledFile(scrambled, bytes))
        return nullptr;
    if (!reader.PeekMemory(std::move(bytes), scrambled, png))
        return nullptr;
    return WrapPicture(std::move(png), true);
}

IGraphicalRessource* DXRenderEngine::CreateRenderTexture(int width, int height)
{
    if (width <= 0 || height <= 0)
        return nullptr;
    auto texture = std::make_unique<GLTexture>(width, height);
    uint32_t framebuffer = 0;
    if (GLTexture::HasCurrentContext() && g_Device) {
        framebuffer = CreateFramebufferFor(texture->GetName());
        BindCurrentTarget();
    }
    return new DXGraphicalRessource(std::move(texture), framebuffer, true);
}

void DXRenderEngine::Clear(uint32_t colour, uint32_t)
{
    BindCurrentTarget();
    ClearTarget(colour);
    depth = 0.0f;
}

void DXRenderEngine::BeginScene(bool clear)
{
    BindCurrentTarget();
    if (clear)
        Clear(0xFF323232u, 0);
    g_InScene = true;
}

void DXRenderEngine::EndScene(bool present)
{
    EndSceneOnly();
    if (present)
        PresentNoWait();
    g_InScene = false;
}

void DXRenderEngine::AddShaderRes(ShaderRes* shader)
{
    if (shader && std::find(shaderList.begin(), shaderList.end(), shader) == shaderList.end())
        shaderList.push_back(shader);
}

ShaderRes* DXRenderEngine::FindShaderRes(const std::string& name) const
{
    for (ShaderRes* shader : shaderList)
        if (shader && shader->GetName() == name)
            return shader;
    return nullptr;
}

void DXRenderEngine::RemoveShaderRes(ShaderRes* shader)
{
    auto found = std::find(shaderList.begin(), shaderList.end(), shader);
    if (found == shaderList.end())
        return;
    if (*found)
        (*found)->Release();
    shaderList.erase(found);
}

void DXRenderEngine::ClearShaderResList()
{
    while (!shaderList.empty()) {
        if (shaderList.back())
            shaderList.back()->Release();
        shaderList.pop_back();
    }
}

void DXRenderEngine::LoadAllShaderRes()
{
    for (auto it = shaderList.rbegin(); it != shaderList.rend(); ++it)
        if (*it && !(*it)->Load())
            platform::DebugOutput("Shader non charge ... " + (*it)->GetName() + "\n");
}

void DXRenderEngine::ReportUnloadedShaderRes()
{
    // The programs live in the render thread's context: the reload runs there
    // between two frames (at once when there is no render thread).
    if (renderPool)
        renderPool->RunOnRenderThread([this] { LoadAllShaderRes(); });
    else
        LoadAllShaderRes();
}

void DXRenderEngine::ReleaseAllShaderRes()
{
    for (auto it = shaderList.rbegin(); it != shaderList.rend(); ++it)
        if (*it)
            (*it)->Release();
}

void SetRenderTarget(uint32_t surface, DXGraphicalRessource* texture, bool clear)
{
    if (surface == g_RenderTargetSurface && texture == g_RenderTargetTexture)
        return;
    g_RenderTargetSurface = surface;
    g_RenderTargetTexture = surface ? texture : nullptr;
    BindCurrentTarget();
    if (clear && g_InScene)
        ClearTarget(0xFF323232u);
}

Rect<int> FinalPictureRect(int scaleMode, int windowWidth, int windowHeight)
{
    if (scaleMode == 2)
        return Rect<int>(0, 0, windowWidth, windowHeight);
    const double byHeight = windowHeight / 448.0;
    const double byWidth = windowWidth * 0.001953125;
    const double scale = scaleMode == 1 ? std::max(byHeight, byWidth) : std::min(byHeight, byWidth);
    const double width = 512.0 * scale;
    const double height = 448.0 * scale;
    const int left = static_cast<int>((windowWidth - width) * 0.5);
    const int top = static_cast<int>((windowHeight - height) * 0.5);
    return Rect<int>(left, top, static_cast<int>(left + width), static_cast<int>(top + height));
}

FullScreenPass& DXRenderEngine::GetFullScreenPass()
{
    if (!fullScreenPass)
        fullScreenPass = std::make_unique<FullScreenPass>(*this);
    return *fullScreenPass;
}

void ApplyFinalPostEffect(IRenderEngine* engine, bool secondSource)
{
    RenderGameAccess* game = GetRenderGameAccess();
    ApplyFinalPostEffect(engine, secondSource, game ? game->GetCurrentPostEffect() : nullptr);
}

void ApplyFinalPostEffect(IRenderEngine* engine, bool secondSource, GraphicalEffect* effect)
{
    if (!g_Device || !g_DeviceWindow || !GLTexture::HasCurrentContext())
        return;
    auto* dxEngine = dynamic_cast<DXRenderEngine*>(engine);
    if (secondSource) {
        // The published effect's pass over the picture; without a loaded
        // effect the picture stays as it is.
        if (dxEngine)
            dxEngine->GetFullScreenPass().ApplyToPicture(effect);
        BindCurrentTarget();
        return;
    }
    int windowWidth = 0, windowHeight = 0;
    g_DeviceWindow->GetDrawableSize(windowWidth, windowHeight);
    RenderGameAccess* game = GetRenderGameAccess();
    const RenderGameState state = game ? game->GetRenderState() : RenderGameState {};
    const int mode = state.displayScaleMode;
    const bool linear = state.linearFilter;
    const Rect<int> destination = FinalPictureRect(mode, windowWidth, windowHeight);
    if (!dxEngine || !dxEngine->GetFullScreenPass().DrawToWindow(effect, linear, destination))
        CopyPictureToWindow(destination.x0, destination.y0, destination.x1, destination.y1, linear);
    PresentNoWait();
    g_InScene = false;
    BindCurrentTarget();
}

bool D3D_ResetToWindowSize()
{
    if (g_FullScreen) {
        g_NeedResetWindow = false;
        return true;
    }
    int width = g_BackBufferWidth, height = g_BackBufferHeight;
    if (g_DeviceWindow)
        g_DeviceWindow->GetClientSize(width, height);
    if (!D3D_TryRestoreDevice(false, width, height, false))
        return false;
    g_NeedResetWindow = false;
    return true;
}
