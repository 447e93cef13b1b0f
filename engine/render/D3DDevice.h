#pragma once

// The device layer: one set of process-wide GL objects on the render thread's
// context, standing where the game's Direct3D device stood. The render thread
// owns it; the main thread calls in only while the render thread is parked.
//
// The game draws into the picture: a 512 x 448 area of a 512 x 512 render
// texture (g_RenderTexture / g_RenderSurface). "The back buffer" of the draws
// is that picture; only the final pass (ApplyFinalPostEffect) touches the
// window, fitting the picture into it.

#include "engine/render/OcclusionQueue.h"
#include "engine/serial/Point.h"
#include "engine/serial/Rect.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {
class Window;
}
class RenderPoolManager;
class DXGraphicalRessource;
class ContentMap;

// GL objects of the device (programs, buffers, fonts); null when there is no
// usable device.
struct RenderDevice;
extern std::unique_ptr<RenderDevice> g_Device;

extern std::atomic<bool> g_FullScreen;
extern std::atomic<bool> g_VSync;
extern std::atomic<bool> g_NeedResetWindow;
extern std::atomic<bool> g_ScreenshotRequested;
extern bool g_MirrorX;
// Written by the render thread; read by draws on either thread.
extern std::atomic<bool> g_InScene;

extern int32_t g_DesktopWidth;
extern int32_t g_DesktopHeight;
extern int32_t g_TargetWidth;
extern int32_t g_TargetHeight;
extern int32_t g_BackBufferWidth;
extern int32_t g_BackBufferHeight;

// GL names: textures and their framebuffers ("surfaces").
extern uint32_t g_RenderTexture;
extern uint32_t g_RenderSurface;
extern uint32_t g_RenderTexture2;
extern uint32_t g_RenderSurface2;
extern uint32_t g_LastTexture;
// The render target bound by the render engine; null / 0 for the picture.
extern DXGraphicalRessource* g_RenderTargetTexture;
extern uint32_t g_RenderTargetSurface;

// The window and the render pool the device belongs to (set by the render
// thread when it starts; the pool's ready and message-wait flags follow the
// device).
extern platform::Window* g_DeviceWindow;
extern RenderPoolManager* g_DevicePool;

struct Float4 {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 0.0f;
};

bool CreateD3DDevice(int width, int height, platform::Window* window, bool reset);
bool FillPresentParameters(int width, int height, platform::Window* window, bool reset);
bool IsDeviceOk();
bool D3D_TryRestoreDevice(bool fullScreen, int width, int height, bool releaseOnly);
void D3D_Cleanup();

Float4 ColorToFloat4(uint32_t argb);
uint32_t NextPowerOfTwo(uint32_t n);

// A render texture (power-of-two sides, as the draw's UV arithmetic expects)
// with its framebuffer; false when the framebuffer is incomplete.
bool CreateRenderTargetTexture(int width, int height, uint32_t& texture, uint32_t& framebuffer);
// A framebuffer drawing into an existing texture; 0 when incomplete.
uint32_t CreateFramebufferFor(uint32_t texture);
void DeleteTexture(uint32_t texture, uint32_t framebuffer);

// The quad routine every sprite becomes. (x, y) is the top-left corner in
// picture pixels (y down); source is (left, top, width, height) in texels.
// With the texture's content map an unrotated draw covers only the parts
// that hold content, the opaque ones drawn without blending; a draw that
// covers the whole target opaquely makes a clear waiting for it needless.
void DrawTexturedQuad(float x, float y, int textureWidth, int textureHeight, Point<int> rotationPoint,
    float rotationDegrees, int sx, int sy, int w, int h, uint32_t colour, uint32_t texture,
    const ContentMap* content = nullptr);
// Draws into the bound render-target texture at (x, y) of its own pixels.
void DrawToRenderTexture(int x, int y, int x0, int y0, int x1, int y1, uint32_t texture, int textureWidth,
    int textureHeight, uint32_t colour, const ContentMap* content = nullptr);
// Untextured quad (debug rectangles); only the outline unless filled.
void DrawColourQuad(int x, int y, int w, int h, uint32_t colour, bool filled);

// Quads are gathered and drawn together; everything that changes GL state
// the quads depend on (target, textures, programs) or reads pixels flushes
// them first. Other GL users on the render thread call it before their own
// drawing.
void FlushQuads();

// The pixels and quads added to and drawn from the queue of waiting quads
// since the last call (what later opaque quads hid was not drawn).
OcclusionQueue::Counts TakeDrawCounts();
// Adds the pixels a full-screen pass drew (a screen effect over the picture,
// the picture into the window) to the frame's counts that
// QUENHOLT_DRAW_COUNTS=1 logs: they go round the queue of quads.
void CountFullScreenPass(uint64_t pixels);

// Binds the framebuffer draws go to: the picture (0) or a render texture.
void BindDrawTarget(uint32_t framebuffer, int width, int height);
// Clears the bound target. The clear waits for the next draw: a draw that
// covers the whole target with opaque pixels makes it needless; anything
// else (another draw, a flush, a change of target, a read) clears first.
void ClearTarget(uint32_t colour);
void DrawDebugText(const std::string& text, Point<int> position, uint32_t colour);
void EndSceneOnly();
void PresentNoWait();
// Draws the pending quads, then makes the whole window the draw target
// (framebuffer 0, read and draw) and clears it to black, unless the picture's
// rectangle (window pixels, y down) covers the whole window. Returns the
// window's drawable height.
int ClearWindowForPicture(const Rect<int>* picture = nullptr);
// Fits the picture's (0, 0, 512, 448) into the window rectangle given in
// window pixels (y down), the rest of the window black.
void CopyPictureToWindow(int left, int top, int right, int bottom, bool linear);

// Reads back ARGB pixels, rows top first: of the picture (picture pixels), or
// of the window (window pixels: the back buffer as the last present left it,
// which Mesa's software renderer keeps). Render thread only.
bool ReadPicturePixels(int x, int y, int w, int h, std::vector<uint32_t>& argb);
// The same of any render texture's framebuffer (its pixels, y down).
bool ReadFramebufferPixels(uint32_t framebuffer, int x, int y, int w, int h, std::vector<uint32_t>& argb);
bool ReadWindowPixels(int x, int y, int w, int h, std::vector<uint32_t>& argb);
