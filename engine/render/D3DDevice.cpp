#include "engine/render/D3DDevice.h"

#include "engine/platform/DebugOutput.h"
#include "engine/platform/Window.h"
#include "engine/render/GLTexture.h"
#include "engine/render/IRenderEngine.h"
#include "engine/render/PixelImage.h"
#include "engine/render/RenderPoolManager.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <epoxy/gl.h>

#include <array>
#include <bit>
#include <cmath>

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

namespace {

constexpr const char* kFontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";

// One vertex of the quads: position, colour (0..1), texture coordinate.
struct QuadVertex {
    float x, y, z;
    float r, g, b, a;
    float u, v;
};

constexpr const char* kVertexShader = R"(#version 330 core
layout(location = 0) in vec3 aPosition;
layout(location = 1) in vec4 aColour;
layout(location = 2) in vec2 aTexCoord;
uniform vec2 uHalfSize;
out vec4 vColour;
out vec2 vTexCoord;
void main()
{
    // Orthographic: the target's centre is the origin, y grows upwards. The
    // render textures keep their top row first (as images do), so y is
    // turned over on the way into them.
    gl_Position = vec4(aPosition.x / uHalfSize.x, -aPosition.y / uHalfSize.y, aPosition.z * 0.01, 1.0);
    vColour = aColour;
    vTexCoord = aTexCoord;
}
)";

constexpr const char* kFragmentShader = R"(#version 330 core
in vec4 vColour;
in vec2 vTexCoord;
uniform sampler2D uTexture;
uniform int uTextured;
out vec4 fragColour;
void main()
{
    vec4 colour = vColour;
    if (uTextured != 0)
        colour *= texture(uTexture, vTexCoord);
    fragColour = colour;
}
)";

// Quads drawn in one call at most; the vertex buffer holds this many.
constexpr size_t kBatchQuads = 1024;

} // namespace

// Owns its GL objects and fonts: destroying it releases them (on the render
// thread, whose context they live in).
struct RenderDevice {
    RenderDevice() = default;
    RenderDevice(const RenderDevice&) = delete;
    RenderDevice& operator=(const RenderDevice&) = delete;
    ~RenderDevice()
    {
        if (textFont)
            TTF_CloseFont(textFont);
        if (debugFont)
            TTF_CloseFont(debugFont);
        if (ttfStarted)
            TTF_Quit();
        // Without a current context the objects went with it.
        if (SDL_GL_GetCurrentContext() == nullptr)
            return;
        glDeleteBuffers(1, &vertexBuffer);
        glDeleteBuffers(1, &indexBuffer);
        glDeleteVertexArrays(1, &vertexArray);
        glDeleteProgram(program);
    }

    GLuint program = 0;
    GLint halfSizeLocation = -1;
    GLint texturedLocation = -1;
    GLuint vertexArray = 0;
    GLuint vertexBuffer = 0;
    TTF_Font* textFont = nullptr;
    TTF_Font* debugFont = nullptr;
    bool ttfStarted = false;
    int boundWidth = 512;
    int boundHeight = 448;
    // Quads waiting to be drawn in one call: they share one texture (0 for
    // untextured) and the bound target.
    GLuint indexBuffer = 0;
    std::vector<QuadVertex> batch;
    GLuint batchTexture = 0;
};

namespace {

GLuint CompileShader(GLenum kind, const char* source)
{
    GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[1024] = {};
        glGetShaderInfoLog(shader, sizeof(log), nullptr, log);
        platform::DebugOutput(std::string("Quad shader: ") + log + "\n");
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

GLuint BuildQuadProgram()
{
    GLuint vs = CompileShader(GL_VERTEX_SHADER, kVertexShader);
    GLuint fs = CompileShader(GL_FRAGMENT_SHADER, kFragmentShader);
    if (!vs || !fs) {
        glDeleteShader(vs);
        glDeleteShader(fs);
        return 0;
    }
    GLuint program = glCreateProgram();
    glAttachShader(program, vs);
    glAttachShader(program, fs);
    glLinkProgram(program);
    glDeleteShader(vs);
    glDeleteShader(fs);
    GLint ok = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (!ok) {
        glDeleteProgram(program);
        return 0;
    }
    return program;
}

void ReleaseDeviceObjects()
{
    if (!g_Device)
        return;
    FlushQuads();
    DeleteTexture(g_RenderTexture, g_RenderSurface);
    DeleteTexture(g_RenderTexture2, g_RenderSurface2);
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

void SubmitQuad(const std::array<QuadVertex, 4>& corners, GLuint texture)
{
    if (!DeviceUsable())
        return;
    RenderDevice& d = *g_Device;
    if (!d.batch.empty() && (texture != d.batchTexture || d.batch.size() >= kBatchQuads * 4))
        FlushQuads();
    d.batchTexture = texture;
    d.batch.insert(d.batch.end(), corners.begin(), corners.end());
    g_LastTexture = texture;
}

void SetColour(QuadVertex& v, uint32_t argb)
{
    const Float4 c = ColorToFloat4(argb);
    v.r = c.r;
    v.g = c.g;
    v.b = c.b;
    v.a = c.a;
}

} // namespace

void FlushQuads()
{
    if (!DeviceUsable() || g_Device->batch.empty())
        return;
    RenderDevice& d = *g_Device;
    glUseProgram(d.program);
    glUniform2f(d.halfSizeLocation, d.boundWidth * 0.5f, d.boundHeight * 0.5f);
    glUniform1i(d.texturedLocation, d.batchTexture ? 1 : 0);
    if (d.batchTexture) {
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, d.batchTexture);
    }
    glBindVertexArray(d.vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, d.vertexBuffer);
    glBufferSubData(
        GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(sizeof(QuadVertex) * d.batch.size()), d.batch.data());
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(d.batch.size() / 4 * 6), GL_UNSIGNED_SHORT, nullptr);
    d.batch.clear();
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

    g_Device = std::make_unique<RenderDevice>();
    RenderDevice* device = g_Device.get();
    device->program = BuildQuadProgram();
    if (!device->program) {
        g_Device.reset();
        return false;
    }
    device->halfSizeLocation = glGetUniformLocation(device->program, "uHalfSize");
    device->texturedLocation = glGetUniformLocation(device->program, "uTextured");
    glUseProgram(device->program);
    glUniform1i(glGetUniformLocation(device->program, "uTexture"), 0);

    glGenVertexArrays(1, &device->vertexArray);
    glGenBuffers(1, &device->vertexBuffer);
    glBindVertexArray(device->vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, device->vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof(QuadVertex) * 4 * kBatchQuads, nullptr, GL_DYNAMIC_DRAW);
    // Each quad is two triangles of its corners in fan order.
    std::vector<uint16_t> indices;
    indices.reserve(kBatchQuads * 6);
    for (size_t quad = 0; quad < kBatchQuads; ++quad) {
        const auto first = static_cast<uint16_t>(quad * 4);
        for (uint16_t corner : {0, 1, 2, 0, 2, 3})
            indices.push_back(static_cast<uint16_t>(first + corner));
    }
    glGenBuffers(1, &device->indexBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, device->indexBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(uint16_t)),
        indices.data(), GL_STATIC_DRAW);
    device->batch.reserve(kBatchQuads * 4);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(QuadVertex), reinterpret_cast<void*>(0));
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(
        1, 4, GL_FLOAT, GL_FALSE, sizeof(QuadVertex), reinterpret_cast<void*>(offsetof(QuadVertex, r)));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(
        2, 2, GL_FLOAT, GL_FALSE, sizeof(QuadVertex), reinterpret_cast<void*>(offsetof(QuadVertex, u)));

    // Alpha blending, separate alpha accumulation; no depth test.
    glEnable(GL_BLEND);
    glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    glBlendEquation(GL_FUNC_ADD);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);

    g_BackBufferWidth = 512;
    g_BackBufferHeight = 448;
    if (!CreateRenderTargetTexture(g_BackBufferWidth, g_BackBufferHeight, g_RenderTexture, g_RenderSurface)) {
        ReleaseDeviceObjects();
        return false;
    }
    CreateRenderTargetTexture(g_BackBufferWidth, g_BackBufferHeight, g_RenderTexture2, g_RenderSurface2);
    BindDrawTarget(0, g_BackBufferWidth, g_BackBufferHeight);

    if (TTF_Init() == 0) {
        device->ttfStarted = true;
        device->textFont = TTF_OpenFont(kFontPath, 15);
        device->debugFont = TTF_OpenFont(kFontPath, 12);
        if (!device->textFont)
            platform::DebugOutput(std::string("Font not loaded: ") + kFontPath + "\n");
    }
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
    const GLsizei pw = static_cast<GLsizei>(NextPowerOfTwo(static_cast<uint32_t>(std::max(width, 0))));
    const GLsizei ph = static_cast<GLsizei>(NextPowerOfTwo(static_cast<uint32_t>(std::max(height, 0))));
    GLuint tex = 0, fbo = 0;
    glGenTextures(1, &tex);
    glBindTexture(GL_TEXTURE_2D, tex);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, pw, ph, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glGenFramebuffers(1, &fbo);
    glBindFramebuffer(GL_FRAMEBUFFER, fbo);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, tex, 0);
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    if (complete) {
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (!complete) {
        DeleteTexture(tex, fbo);
        texture = framebuffer = 0;
        return false;
    }
    texture = tex;
    framebuffer = fbo;
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
    g_Device->boundWidth = width;
    g_Device->boundHeight = height;
}

void DrawTexturedQuad(float x, float y, int textureWidth, int textureHeight, Point<int> rotationPoint,
    float rotationDegrees, int sx, int sy, int w, int h, uint32_t colour, uint32_t texture)
{
    if (!g_Device)
        return;
    const float halfW = g_Device->boundWidth * 0.5f;
    const float halfH = g_Device->boundHeight * 0.5f;
    const float z = EngineDepth();
    std::array<QuadVertex, 4> v {};
    for (QuadVertex& corner : v) {
        corner.z = z;
        SetColour(corner, colour);
    }
    // Corners in fan order: top-left, top-right, bottom-right, bottom-left,
    // in the centred, y-up system; pixel centres need no offset in GL.
    const float cornerX[4] = {0.0f, float(w), float(w), 0.0f};
    const float cornerY[4] = {0.0f, 0.0f, float(h), float(h)};
    if (rotationDegrees == 0.0f || texture == 0) {
        for (int i = 0; i < 4; ++i) {
            v[i].x = x + cornerX[i] - halfW;
            v[i].y = halfH - (y + cornerY[i]);
        }
    } else {
        // Turn about the sprite's rotation point, which stays where the
        // unrotated draw puts it; positive degrees turn clockwise on screen.
        const double radians = -static_cast<double>(rotationDegrees) * 0.01745329238474369;
        const float c = static_cast<float>(std::cos(radians));
        const float s = static_cast<float>(std::sin(radians));
        const float pivotX = x + rotationPoint.x - halfW;
        const float pivotY = halfH - (y + rotationPoint.y);
        for (int i = 0; i < 4; ++i) {
            const float dx = cornerX[i] - rotationPoint.x;
            const float dy = -(cornerY[i] - rotationPoint.y);
            v[i].x = pivotX + dx * c - dy * s;
            v[i].y = pivotY + dx * s + dy * c;
        }
    }
    const float invW
        = 1.0f / static_cast<float>(NextPowerOfTwo(static_cast<uint32_t>(std::max(textureWidth, 0))));
    const float invH
        = 1.0f / static_cast<float>(NextPowerOfTwo(static_cast<uint32_t>(std::max(textureHeight, 0))));
    float uLeft = sx * invW;
    float uRight = (sx + w) * invW;
    const float vTop = sy * invH;
    const float vBottom = (sy + h) * invH;
    // Mirroring swaps the source's own edges, so images narrower than their
    // texture mirror in place.
    if (g_MirrorX)
        std::swap(uLeft, uRight);
    v[0].u = uLeft;
    v[0].v = vTop;
    v[1].u = uRight;
    v[1].v = vTop;
    v[2].u = uRight;
    v[2].v = vBottom;
    v[3].u = uLeft;
    v[3].v = vBottom;
    SubmitQuad(v, texture);
}

void DrawToRenderTexture(int x, int y, int x0, int y0, int x1, int y1, uint32_t texture, int textureWidth,
    int textureHeight, uint32_t colour)
{
    if (!g_RenderTargetTexture || !g_Device)
        return;
    DrawTexturedQuad(float(x), float(y), textureWidth, textureHeight, Point<int>(0, 0), 0.0f, x0, y0, x1 - x0,
        y1 - y0, colour, texture);
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
    const Float4 c = ColorToFloat4(colour);
    glClearColor(c.r, c.g, c.b, c.a);
    glClear(GL_COLOR_BUFFER_BIT);
}

void DrawDebugText(const std::string& text, Point<int> position, uint32_t colour)
{
    if (!DeviceUsable() || !g_Device->textFont || text.empty())
        return;
    const SDL_Color white {255, 255, 255, 255};
    PixelImage picture;
    if (!picture.LoadFromSurface(
            TTF_RenderUTF8_Blended(g_Device->textFont, text.c_str(), white), "text " + text))
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
}

void CopyPictureToWindow(int left, int top, int right, int bottom, bool linear)
{
    if (!DeviceUsable() || !g_DeviceWindow || !g_RenderSurface)
        return;
    FlushQuads();
    int windowWidth = 0, windowHeight = 0;
    g_DeviceWindow->GetDrawableSize(windowWidth, windowHeight);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glViewport(0, 0, windowWidth, windowHeight);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, g_RenderSurface);
    // The picture keeps its top row first; the window's rows run bottom-up.
    glBlitFramebuffer(0, 0, g_BackBufferWidth, g_BackBufferHeight, left, windowHeight - top, right,
        windowHeight - bottom, GL_COLOR_BUFFER_BIT, linear ? GL_LINEAR : GL_NEAREST);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
}

namespace {

// The pixels of the bound read framebuffer as ARGB words, rows top first:
// render textures hold their top row first, the window's rows run bottom-up.
void ReadBoundPixels(int x, int y, int w, int h, bool bottomUp, std::vector<uint32_t>& argb)
{
    std::vector<uint8_t> rgba(static_cast<size_t>(w) * h * 4);
    glReadPixels(x, y, w, h, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    argb.resize(static_cast<size_t>(w) * h);
    for (int row = 0; row < h; ++row) {
        const size_t from = static_cast<size_t>(bottomUp ? h - 1 - row : row) * w;
        for (int col = 0; col < w; ++col)
            argb[static_cast<size_t>(row) * w + col] = ArgbFromRgba(&rgba[(from + col) * 4]);
    }
}

} // namespace

bool ReadFramebufferPixels(uint32_t framebuffer, int x, int y, int w, int h, std::vector<uint32_t>& argb)
{
    if (!DeviceUsable() || !framebuffer || w <= 0 || h <= 0)
        return false;
    FlushQuads();
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    ReadBoundPixels(x, y, w, h, false, argb);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    return true;
}

bool ReadPicturePixels(int x, int y, int w, int h, std::vector<uint32_t>& argb)
{
    return ReadFramebufferPixels(g_RenderSurface, x, y, w, h, argb);
}

bool ReadWindowPixels(int x, int y, int w, int h, std::vector<uint32_t>& argb)
{
    if (!DeviceUsable() || !g_DeviceWindow || w <= 0 || h <= 0)
        return false;
    FlushQuads();
    int windowWidth = 0, windowHeight = 0;
    g_DeviceWindow->GetDrawableSize(windowWidth, windowHeight);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    ReadBoundPixels(x, windowHeight - y - h, w, h, true, argb);
    return true;
}
