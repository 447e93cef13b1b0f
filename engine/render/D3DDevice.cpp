#include "engine/render/D3DDevice.h"

#include "engine/platform/DebugOutput.h"
#include "engine/platform/Window.h"
#include "engine/render/ContentMap.h"
#include "engine/render/GLRenderTarget.h"
#include "engine/render/GLTexture.h"
#include "engine/render/IRenderEngine.h"
#include "engine/render/OcclusionQueue.h"
#include "engine/render/PixelImage.h"
#include "engine/render/QuadBatch.h"
#include "engine/render/RenderGameAccess.h"
#include "engine/render/RenderPoolManager.h"
#include "engine/render/TextFonts.h"

#include <SDL.h>
#include <epoxy/gl.h>

#include <array>
#include <bit>
#include <cstdlib>
#include <string>

std::unique_ptr<RenderDevice> g_Device;

std::atomic<bool> g_FullScreen {false};
std::atomic<bool> g_VSync {true};
std::atomic<bool> g_NeedResetWindow {false};
std::atomic<bool> g_ScreenshotRequested {false};
bool g_MirrorX = false;
std::atomic<bool> g_InScene {false};

int32_t g_DesktopWidth = 0;
int32_t g_DesktopHeight = 0;
int32_t g_TargetWidth = 0;
int32_t g_TargetHeight = 0;
int32_t g_BackBufferWidth = 512;
int32_t g_BackBufferHeight = 448;

uint32_t g_RenderTexture = 0;
uint32_t g_RenderSurface = 0;
uint32_t g_RenderTexture2 = 0;
uint32_t g_RenderSurface2 = 0;
uint32_t g_LastTexture = 0;
DXGraphicalRessource* g_RenderTargetTexture = nullptr;
uint32_t g_RenderTargetSurface = 0;

platform::Window* g_DeviceWindow = nullptr;
RenderPoolManager* g_DevicePool = nullptr;

// The device's GL objects and fonts, each owned by the object that stands
// for it: destroying the device releases them (on the render thread, whose
// context they live in).
struct RenderDevice {
    std::unique_ptr<QuadBatch> quads;
    // The quads of the bound target waiting for the next flush.
    OcclusionQueue waiting;
    // The picture the game draws into and the second picture of the effects.
    std::unique_ptr<GLRenderTarget> picture;
    std::unique_ptr<GLRenderTarget> picture2;
    TextFonts fonts;
    // A clear of the bound target waiting for the next draw.
    bool clearPending = false;
    uint32_t pendingClearColour = 0;
    // The pieces of the draw being split (kept to spare allocations).
    std::vector<ContentMap::Piece> pieces;
    // With QUENHOLT_DRAW_COUNTS=1 the pixels and quads drawn per frame are
    // logged every kCountedFrames presents.
    bool logCounts = false;
    OcclusionQueue::Counts counted;
    uint64_t countedCalls = 0;
    uint64_t countedPassPixels = 0;
    int countedFrames = 0;
};

namespace {

constexpr int kCountedFrames = 300;

void ReleaseDeviceObjects()
{
    if (!g_Device)
        return;
    FlushQuads();
    g_RenderTexture = g_RenderSurface = g_RenderTexture2 = g_RenderSurface2 = 0;
    g_Device.reset();
    g_RenderTargetTexture = nullptr;
    g_RenderTargetSurface = 0;
    g_LastTexture = 0;
}

// The device is used only on the thread whose context is current (the render
// thread); a call from elsewhere draws nothing instead of reaching GL bare.
bool DeviceUsable()
{
    return g_Device && SDL_GL_GetCurrentContext() != nullptr;
}

void ResetReadyOfPool()
{
    if (g_DevicePool)
        g_DevicePool->ResetReady();
}

float EngineDepth()
{
    return g_RenderEngine ? g_RenderEngine->GetDepth() : 0.0f;
}

// The clear waiting for the next draw, done now.
void ApplyPendingClear()
{
    if (!g_Device->clearPending)
        return;
    g_Device->clearPending = false;
    const Float4 c = ColorToFloat4(g_Device->pendingClearColour);
    glClearColor(c.r, c.g, c.b, c.a);
    glClear(GL_COLOR_BUFFER_BIT);
}

// Queues the quad; opaque when every pixel it draws is fully opaque.
void SubmitQuad(const QuadSpec& spec, GLuint texture, bool opaque)
{
    if (!DeviceUsable())
        return;
    g_Device->waiting.Add(spec, texture, opaque);
    g_LastTexture = texture;
}

// Adds the counts of the frame just presented; every kCountedFrames frames
// logs their mean per frame.
void LogDrawCounts()
{
    RenderDevice& device = *g_Device;
    const OcclusionQueue::Counts frame = TakeDrawCounts();
    device.counted.addedPixels += frame.addedPixels;
    device.counted.drawnPixels += frame.drawnPixels;
    device.counted.addedQuads += frame.addedQuads;
    device.counted.drawnQuads += frame.drawnQuads;
    device.countedCalls += device.quads->TakeDrawCalls();
    if (++device.countedFrames < kCountedFrames)
        return;
    const auto perFrame = [](uint64_t total) { return std::to_string(total / kCountedFrames); };
    platform::DebugOutput("Drawn per frame: " + perFrame(device.counted.drawnPixels) + " of "
        + perFrame(device.counted.addedPixels) + " pixels, " + perFrame(device.counted.drawnQuads) + " of "
        + perFrame(device.counted.addedQuads) + " quads, " + perFrame(device.countedCalls) + " draw calls, "
        + perFrame(device.countedPassPixels) + " pixels in full-screen passes\n");
    device.counted = OcclusionQueue::Counts {};
    device.countedCalls = 0;
    device.countedPassPixels = 0;
    device.countedFrames = 0;
}

} // namespace

void CountFullScreenPass(uint64_t pixels)
{
    if (g_Device && g_Device->logCounts)
        g_Device->countedPassPixels += pixels;
}

OcclusionQueue::Counts TakeDrawCounts()
{
    return g_Device ? g_Device->waiting.TakeCounts() : OcclusionQueue::Counts {};
}

void FlushQuads()
{
    if (!DeviceUsable())
        return;
    // What later opaque quads hide is never drawn; a clear they hide wholly
    // is dropped.
    QuadBatch& quads = *g_Device->quads;
    g_Device->waiting.Resolve(
        quads.GetTargetWidth(), quads.GetTargetHeight(),
        [](bool covered) {
            if (covered)
                g_Device->clearPending = false;
            ApplyPendingClear();
        },
        [&quads](const OcclusionQueue::Draw& part, bool unblended) {
            quads.Submit(MakeQuad(part.spec), part.texture, unblended);
        });
    quads.Flush();
}

Float4 ColorToFloat4(uint32_t argb)
{
    constexpr float kInv255 = 0.003921568859368563f;
    Float4 c;
    c.a = static_cast<float>((argb >> 24) & 0xFF) * kInv255;
    c.r = static_cast<float>((argb >> 16) & 0xFF) * kInv255;
    c.g = static_cast<float>((argb >> 8) & 0xFF) * kInv255;
    c.b = static_cast<float>(argb & 0xFF) * kInv255;
    return c;
}

uint32_t NextPowerOfTwo(uint32_t n)
{
    // Held at 2^31, the largest power of two a uint32 holds.
    return n <= 1 ? 1u : n > 0x80000000u ? 0x80000000u : std::bit_ceil(n);
}

bool FillPresentParameters(int width, int height, platform::Window* window, bool reset)
{
    if (!window)
        return false;
    platform::Window::GetScreenSize(g_DesktopWidth, g_DesktopHeight);
    if (!window->HasGLContext() && !window->CreateGLContext())
        return false;
    if (window->IsFullScreen() != g_FullScreen.load())
        window->SetDesktopFullScreen(g_FullScreen.load());
    window->SetSwapInterval(g_VSync.load());
    window->SetCursorVisible(!g_FullScreen.load());
    if (g_FullScreen) {
        g_TargetWidth = g_DesktopWidth;
        g_TargetHeight = g_DesktopHeight;
    } else {
        g_TargetWidth = width;
        g_TargetHeight = height;
    }
    (void)reset;
    return true;
}

bool CreateD3DDevice(int width, int height, platform::Window* window, bool reset)
{
    if (!FillPresentParameters(width, height, window, reset))
        return false;
    g_DeviceWindow = window;
    if (g_Device)
        return true;

    auto device = std::make_unique<RenderDevice>();
    const char* logCounts = std::getenv("QUENHOLT_DRAW_COUNTS");
    device->logCounts = logCounts && std::string(logCounts) == "1";
    device->quads = QuadBatch::Create();
    if (!device->quads)
        return false;

    // Alpha blending, separate alpha accumulation; no depth test.
    glEnable(GL_BLEND);
    glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    glBlendEquation(GL_FUNC_ADD);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);

    g_BackBufferWidth = 512;
    g_BackBufferHeight = 448;
    device->picture = GLRenderTarget::Create(g_BackBufferWidth, g_BackBufferHeight);
    if (!device->picture)
        return false;
    device->picture2 = GLRenderTarget::Create(g_BackBufferWidth, g_BackBufferHeight);
    g_RenderTexture = device->picture->GetTexture();
    g_RenderSurface = device->picture->GetFramebuffer();
    g_RenderTexture2 = device->picture2 ? device->picture2->GetTexture() : 0;
    g_RenderSurface2 = device->picture2 ? device->picture2->GetFramebuffer() : 0;
    g_Device = std::move(device);
    BindDrawTarget(0, g_BackBufferWidth, g_BackBufferHeight);
    return true;
}

bool IsDeviceOk()
{
    if (!g_Device) {
        ResetReadyOfPool();
        if (g_DeviceWindow)
            D3D_TryRestoreDevice(g_FullScreen, g_BackBufferWidth, g_BackBufferHeight, false);
        return false;
    }
    if (g_DevicePool && g_DevicePool->messageWaitMode) {
        platform::DebugOutput("D3D_OK\n");
        g_DevicePool->messageWaitMode = false;
    }
    return true;
}

bool D3D_TryRestoreDevice(bool fullScreen, int width, int height, bool releaseOnly)
{
    // GL loses nothing: a release drops our objects (the context stays with
    // the window); a restore rebuilds them when they are gone, else it only
    // re-applies the display settings. Either way message-wait mode ends.
    (void)fullScreen;
    if (releaseOnly) {
        ReleaseDeviceObjects();
        return true;
    }
    const bool ok = g_Device ? FillPresentParameters(width, height, g_DeviceWindow, true)
                             : CreateD3DDevice(width, height, g_DeviceWindow, true);
    if (!ok)
        return false;
    // The images and shader programs live in the context, which a resize or
    // a mode change keeps: nothing to release or take again.
    if (RenderGameAccess* game = GetRenderGameAccess())
        game->OnDeviceRestored();
    if (g_DevicePool)
        g_DevicePool->messageWaitMode = false;
    return true;
}

void D3D_Cleanup()
{
    ReleaseDeviceObjects();
    if (g_DeviceWindow)
        g_DeviceWindow->SetCursorVisible(true);
    g_DeviceWindow = nullptr;
}

bool CreateRenderTargetTexture(int width, int height, uint32_t& texture, uint32_t& framebuffer)
{
    FlushQuads();
    texture = framebuffer = 0;
    std::unique_ptr<GLRenderTarget> target = GLRenderTarget::Create(width, height);
    if (!target)
        return false;
    target->Release(texture, framebuffer);
    return true;
}

uint32_t CreateFramebufferFor(uint32_t texture)
{
    if (!texture)
        return 0;
    FlushQuads();
    GLuint fbo = 0;
    glGenFramebuffers(1, &fbo);
    glBindFramebuffer(GL_FRAMEBUFFER, fbo);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, g_RenderTargetSurface ? g_RenderTargetSurface : g_RenderSurface);
    if (!complete) {
        glDeleteFramebuffers(1, &fbo);
        return 0;
    }
    return fbo;
}

void DeleteTexture(uint32_t texture, uint32_t framebuffer)
{
    FlushQuads();
    if (framebuffer) {
        GLuint fbo = framebuffer;
        glDeleteFramebuffers(1, &fbo);
    }
    if (texture) {
        GLuint tex = texture;
        glDeleteTextures(1, &tex);
    }
}

void BindDrawTarget(uint32_t framebuffer, int width, int height)
{
    if (!DeviceUsable())
        return;
    FlushQuads();
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer ? framebuffer : g_RenderSurface);
    glViewport(0, 0, width, height);
    g_Device->quads->SetTargetSize(width, height);
}

void DrawTexturedQuad(float x, float y, int textureWidth, int textureHeight, Point<int> rotationPoint,
    float rotationDegrees, int sx, int sy, int w, int h, uint32_t colour, uint32_t texture,
    const ContentMap* content)
{
    if (!g_Device)
        return;
    QuadSpec spec;
    spec.targetWidth = g_Device->quads->GetTargetWidth();
    spec.targetHeight = g_Device->quads->GetTargetHeight();
    spec.x = x;
    spec.y = y;
    spec.textureWidth = textureWidth;
    spec.textureHeight = textureHeight;
    spec.rotationPoint = rotationPoint;
    spec.rotationDegrees = texture != 0 ? rotationDegrees : 0.0f;
    spec.source = {sx, sy, w, h};
    spec.colour = colour;
    spec.mirror = g_MirrorX;
    spec.depth = EngineDepth();
    const bool opaqueColour = (colour >> 24) == 0xFFu;
    if (!content || texture == 0 || spec.rotationDegrees != 0.0f || w <= 0 || h <= 0) {
        // An untextured quad is its colour.
        SubmitQuad(spec, texture, texture == 0 && opaqueColour);
        return;
    }
    // Pieces of a draw never overlap, so their order is free: the opaque
    // ones come first and share a batch without blending.
    std::vector<ContentMap::Piece>& pieces = g_Device->pieces;
    content->Cover(sx, sy, w, h, pieces);
    for (const ContentMap::Piece& piece : pieces) {
        QuadSpec part = spec;
        part.source = {piece.left, piece.top, piece.width, piece.height};
        // Mirrored, the source's right edge lands on the draw's left.
        part.x = spec.mirror ? x + float(sx + w - (piece.left + piece.width)) : x + float(piece.left - sx);
        part.y = y + float(piece.top - sy);
        SubmitQuad(part, texture, piece.opaque && opaqueColour);
    }
}

void DrawToRenderTexture(int x, int y, int x0, int y0, int x1, int y1, uint32_t texture, int textureWidth,
    int textureHeight, uint32_t colour, const ContentMap* content)
{
    if (!g_RenderTargetTexture || !g_Device)
        return;
    DrawTexturedQuad(float(x), float(y), textureWidth, textureHeight, Point<int>(0, 0), 0.0f, x0, y0, x1 - x0,
        y1 - y0, colour, texture, content);
}

void DrawColourQuad(int x, int y, int w, int h, uint32_t colour, bool filled)
{
    if (!g_Device)
        return;
    const auto band = [colour](int left, int top, int width, int height) {
        DrawTexturedQuad(
            float(left), float(top), 1, 1, Point<int>(0, 0), 0.0f, 0, 0, width, height, colour, 0);
    };
    if (filled) {
        band(x, y, w, h);
        return;
    }
    // The outline: four one-pixel bands.
    band(x, y, w, 1);
    band(x, y + h - 1, w, 1);
    band(x, y, 1, h);
    band(x + w - 1, y, 1, h);
}

void ClearTarget(uint32_t colour)
{
    if (!DeviceUsable())
        return;
    FlushQuads();
    g_Device->clearPending = true;
    g_Device->pendingClearColour = colour;
}

void DrawDebugText(const std::string& text, Point<int> position, uint32_t colour)
{
    if (!DeviceUsable() || !g_Device->fonts.GetTextFont() || text.empty())
        return;
    const SDL_Color white {255, 255, 255, 255};
    PixelImage picture;
    const std::string printable = TextFonts::Printable(text);
    if (!picture.LoadFromSurface(
            TTF_RenderUTF8_Blended(g_Device->fonts.GetTextFont(), printable.c_str(), white), "text " + text))
        return;
    GLTexture texture(std::move(picture));
    const uint32_t name = texture.GetName();
    if (name)
        DrawTexturedQuad(float(position.x), float(position.y), texture.GetTextureWidth(),
            texture.GetTextureHeight(), Point<int>(0, 0), 0.0f, 0, 0, texture.GetWidth(), texture.GetHeight(),
            colour, name);
    FlushQuads(); // the texture goes with this function
}

void EndSceneOnly()
{
    if (!DeviceUsable())
        return;
    FlushQuads();
    glFlush();
}

void PresentNoWait()
{
    if (!DeviceUsable() || !g_DeviceWindow)
        return;
    FlushQuads();
    g_DeviceWindow->SwapBuffers();
    if (g_Device->logCounts)
        LogDrawCounts();
}

int ClearWindowForPicture(const Rect<int>* picture)
{
    FlushQuads();
    int windowWidth = 0, windowHeight = 0;
    g_DeviceWindow->GetDrawableSize(windowWidth, windowHeight);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, windowWidth, windowHeight);
    const bool covered = picture && picture->x0 <= 0 && picture->y0 <= 0 && picture->x1 >= windowWidth
        && picture->y1 >= windowHeight;
    if (!covered) {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    return windowHeight;
}

void CopyPictureToWindow(int left, int top, int right, int bottom, bool linear)
{
    if (!DeviceUsable() || !g_DeviceWindow || !g_RenderSurface)
        return;
    const Rect<int> picture(left, top, right, bottom);
    const int windowHeight = ClearWindowForPicture(&picture);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, g_RenderSurface);
    // The picture keeps its top row first; the window's rows run bottom-up.
    glBlitFramebuffer(0, 0, g_BackBufferWidth, g_BackBufferHeight, left, windowHeight - top, right,
        windowHeight - bottom, GL_COLOR_BUFFER_BIT, linear ? GL_LINEAR : GL_NEAREST);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
}
