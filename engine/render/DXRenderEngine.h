#pragma once

#include "engine/render/IRenderEngine.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class DXGraphicalRessource;
class FullScreenPass;
class ShaderRes;

// The game's render engine on the GL device layer. On the main thread, while
// the record flag is set, a draw becomes a command of the frame being filled;
// on the render thread (or when asked) it is drawn at once.
class DXRenderEngine : public IRenderEngine {
public:
    DXRenderEngine();
    // Releases the effects, clears the global engine pointer and deletes the
    // render pool it was given.
    ~DXRenderEngine() override;

    bool DrawSurface(
        IGraphicalSurface* source, IGraphicalSurface* target, int x, int y, int a, int b, float f) override;
    bool DrawTexture(IGraphicalRessource* texture, IGraphicalSurface* target, int x, int y, int a, int b,
        float f) override;
    bool DrawSprite(ISprite* sprite, IGraphicalSurface* target, int x, int y, int p5, int p6, float rotation,
        const Rect<int>* clip, bool immediate) override;
    bool DrawGraphicalObject(const std::vector<ObjectDrawEntry>& entries, Point<int> objectSize,
        IGraphicalSurface* target, int x, int y, int p5, int p6, float rotation, Point<int> origin,
        Point<int> clipSize) override;
    bool DrawObject(
        SceneObject* object, IGraphicalSurface* target, int x, int y, int a, int b, float f) override;
    IGraphicalRessource* LoadTexture(const std::string& name) override;
    IGraphicalRessource* CreateRenderTexture(int width, int height) override;
    void Clear(uint32_t colour, uint32_t flags = 0) override;
    bool DrawRect(Point<int> size, IGraphicalSurface* target, int x, int y, int a, int b, float f, uint32_t n,
        bool filled, bool immediate) override;
    void BeginScene(bool clear) override;
    void EndScene(bool present) override;
    void ReportUnloadedShaderRes() override;

    void AddShaderRes(ShaderRes* shader);
    ShaderRes* FindShaderRes(const std::string& name) const;
    void RemoveShaderRes(ShaderRes* shader);
    void ClearShaderResList();
    // Loads every shader again, last first; each that fails (the placeholder
    // without a file among them) writes "Shader non charge ... ", its name
    // and a line feed to the debugger output.
    void LoadAllShaderRes();
    void ReleaseAllShaderRes();
    uint32_t GetDiffuseColor() const { return diffuseColour; }
    void SetDiffuseColor(uint32_t colour) { diffuseColour = colour; }

    bool IsRecording() const { return recordFlag; }
    void SetRecording(bool record) { recordFlag = record; }
    // The render pool while draws are recorded into it; null in direct mode.
    RenderPoolManager* GetRecordingPool() const { return recordFlag ? GetRenderPool() : nullptr; }

    // The full-screen passes of the render thread (made on first use).
    FullScreenPass& GetFullScreenPass();

private:
    float reservedFloat = 0.0f;
    std::vector<ShaderRes*> shaderList;
    uint32_t diffuseColour = 0xFFFFFFFFu;
    bool recordFlag = true;
    uint8_t reservedByte = 0;
    std::unique_ptr<FullScreenPass> fullScreenPass;
};

// Binds a render target: a render texture's framebuffer, or (0, null) the
// picture. Nothing happens when it is already bound. In a scene the scene is
// closed and reopened around the switch; with clear the new target is
// cleared to 0xFF323232.
void SetRenderTarget(uint32_t surface, DXGraphicalRessource* texture, bool clear);

// Where the 512 x 448 picture lands in a window of W x H by scale mode:
// 0 fit (whole picture, bars), 1 fill (whole window, picture cut), 2 stretch.
// Any other mode fits. (left, top, right, bottom) in window pixels, y down.
Rect<int> FinalPictureRect(int scaleMode, int windowWidth, int windowHeight);

// Draws the finished picture into the window by the game's scale mode and
// presents it; with secondSource, only the full-screen pass of the published
// effect runs, without presenting.
void ApplyFinalPostEffect(IRenderEngine* engine, bool secondSource);
// The same with the effect to apply given (direct mode makes it current).
void ApplyFinalPostEffect(IRenderEngine* engine, bool secondSource, GraphicalEffect* effect);

// Windowed: refits the device to the window's client size and clears the
// pending-reset flag; full screen: only clears the flag.
bool D3D_ResetToWindowSize();
