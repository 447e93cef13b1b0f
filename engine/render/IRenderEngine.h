#pragma once

#include "engine/serial/Point.h"
#include "engine/serial/Rect.h"

#include <cstdint>
#include <string>
#include <vector>

class GraphicalEffect;
class IGraphicalRessource;
class IGraphicalSurface;
class ISprite;
class RenderPoolCommand;
class RenderPoolManager;
class SceneObject;

// One draw entry of a graphical object as the engine draws it: the sprite (an
// animation's current frame), where its instance sits inside the object, its
// turn, mirror flag and wrap offset. A missing entry stands for an instance
// the object's table names but does not hold: the draw fails there.
struct ObjectDrawEntry {
    ISprite* sprite = nullptr;
    Point<int> offset;
    float rotation = 0.0f;
    bool mirrored = false;
    Point<float> wrapOffset;
    bool missing = false;
};

// The abstract drawing service. Game and scene code draw through it and never
// touch the GL device. It keeps the small drawing state that draws read: the
// current effect, mirror flag, camera offset, depth, layer speed, tile value
// and an integer parameter.
class IRenderEngine {
public:
    IRenderEngine() = default;
    virtual ~IRenderEngine();
    IRenderEngine(const IRenderEngine&) = delete;
    IRenderEngine& operator=(const IRenderEngine&) = delete;

    virtual bool DrawSurface(
        IGraphicalSurface* source, IGraphicalSurface* target, int x, int y, int a, int b, float f)
        = 0;
    virtual bool DrawTexture(
        IGraphicalRessource* texture, IGraphicalSurface* target, int x, int y, int a, int b, float f)
        = 0;
    virtual bool DrawSprite(ISprite* sprite, IGraphicalSurface* target, int x, int y, int p5, int p6,
        float rotation, const Rect<int>* clip, bool immediate)
        = 0;
    // Draws a graphical object's draw entries (the object is objectSize
    // large), placed, cut to the object and wrapped.
    virtual bool DrawGraphicalObject(const std::vector<ObjectDrawEntry>& entries, Point<int> objectSize,
        IGraphicalSurface* target, int x, int y, int p5, int p6, float rotation, Point<int> origin,
        Point<int> clipSize);
    // Draws one piece of a wrapping sprite (works on copies of source and
    // position), then DrawSprite with immediate false.
    virtual bool DrawSpriteInstance(ISprite* sprite, IGraphicalSurface* target, int p5, int p6,
        float rotation, Rect<int>* source, Point<int>* position, int offsetX, int offsetY,
        const Point<int>* wrap, const Point<int>* frameSize);
    virtual bool DrawObject(
        SceneObject* object, IGraphicalSurface* target, int x, int y, int a, int b, float f)
        = 0;
    virtual IGraphicalRessource* LoadTexture(const std::string& name) = 0;
    virtual IGraphicalRessource* CreateRenderTexture(int width, int height) = 0;

    GraphicalEffect* SetEffect(GraphicalEffect* effect);
    GraphicalEffect* SaveEffect();
    GraphicalEffect* RestoreEffect();
    GraphicalEffect* GetEffect() const { return currentEffect; }

    virtual void Clear(uint32_t colour, uint32_t flags) = 0;

    // Frame bracketing and rectangles, replayed by the render thread.
    virtual bool DrawRect(Point<int> size, IGraphicalSurface* target, int x, int y, int a, int b, float f,
        uint32_t n, bool filled, bool immediate)
        = 0;
    virtual void BeginScene(bool clear) = 0;
    virtual void EndScene(bool present) = 0;

    // Loads every shader resource again, last first, and reports each that
    // fails on the debugger output. An engine without shaders has none.
    virtual void ReportUnloadedShaderRes() { }

    void SetMirror(bool mirror) { mirrorFlag = mirror; }
    bool GetMirror() const { return mirrorFlag; }
    void SetTileValue(float value) { tileValue = value; }
    float GetTileValue() const { return tileValue; }
    int GetParamInt() const { return paramInt; }
    int SetParamInt(int value) { return paramInt = value; }
    float GetLayerSpeed() const { return layerSpeed; }
    void SetLayerSpeed(float speed) { layerSpeed = speed; }
    void SetCameraOffset(int x, int y) { cameraOffset = Point<int>(x, y); }
    Point<int> GetCameraOffset() const { return cameraOffset; }
    void SetDepth(float value) { depth = value; }
    float GetDepth() const { return depth; }
    // A factor recorded with every later draw and handed to shader effects
    // (the ghost fade strengthens its waver by it); 1.0 outside the special
    // draws that set it around themselves.
    void SetDrawFactor(float factor) { drawFactor = factor; }
    float GetDrawFactor() const { return drawFactor; }
    RenderPoolManager* SetRenderPool(RenderPoolManager* pool) { return renderPool = pool; }
    RenderPoolManager* GetRenderPool() const { return renderPool; }

    // The command the render thread is executing; while set, draws read the
    // recorded state from it instead of from the engine.
    void SetCurrentCommand(const RenderPoolCommand* command) { currentCommand = command; }
    const RenderPoolCommand* GetCurrentCommand() const { return currentCommand; }

    uint32_t GetDrawCount() const { return drawCount; }
    void ResetDrawCount() { drawCount = 0; }

protected:
    // The drawing of a graphical object's entries shared by the interface and
    // the device engine; copyMirror makes each entry's mirror flag the
    // engine's while it is drawn.
    bool DrawObjectEntries(const std::vector<ObjectDrawEntry>& entries, Point<int> objectSize,
        IGraphicalSurface* target, int x, int y, int p5, int p6, Point<int> origin, Point<int> clipSize,
        bool copyMirror);

    uint32_t drawCount = 0;
    GraphicalEffect* currentEffect = nullptr; // not owned: callers own what they make current
    GraphicalEffect* savedEffect = nullptr;
    float layerSpeed = 1.0f;
    bool mirrorFlag = false;
    Point<int> cameraOffset;
    float depth = 0.0f;
    float tileValue = 1.0f;
    float drawFactor = 1.0f;
    int paramInt = 1;
    RenderPoolManager* renderPool = nullptr;
    const RenderPoolCommand* currentCommand = nullptr;
};

// The one render engine of the run, set by its constructor and cleared by its
// destructor.
extern IRenderEngine* g_RenderEngine;

// Where one draw entry of a graphical object lands: its draw position, the part
// of the sprite inside the object, and its offset from the origin.
struct DrawEntryPlacement {
    Point<int> position;
    Rect<int> source;
    Point<int> offset;
};

// Places an entry whose instance sits at instanceOffset inside an object of
// the given size drawn at objectPosition: a part left of or above the object
// is cut (unrotated only), and a clip size with both sides non-zero limits
// the right and bottom edges.
DrawEntryPlacement PlaceDrawEntry(Point<int> objectPosition, Point<int> instanceOffset, Point<int> origin,
    float rotation, Point<int> objectSize, Point<int> clipSize);

// The wraps of the pieces a wrapping sprite is drawn in: (W.x, W.y), then,
// when W.x is not 0, (W.x -/+ S.x, W.y), then, when W.y is not 0, the x of the
// piece before with W.y -/+ S.y. No piece when the wrap is (0, 0).
std::vector<Point<int>> WrapPieces(Point<int> wrap, Point<int> size);

// Moves one piece: on each axis, a wrap that pushes the sprite out before the
// object's edge starts it at the edge, cut; else it shifts and cuts the end.
void PlaceWrapPiece(Rect<int>& source, Point<int>& position, int offsetX, int offsetY, Point<int> wrap);
