#include <gtest/gtest.h>

#include <vector>

#include "engine/render/DXRenderEngine.h"
#include "engine/render/ImageHandleManager.h"
#include "engine/render/IRenderEngine.h"
#include "engine/render/RenderPoolManager.h"
#include "scene/GraphicalObject.h"
#include "scene/SpacialInstance.h"
#include "scene/Sprite.h"

namespace {

// The global render engine for one test: it keeps the interface's own drawing
// of graphical objects and records the sprite draws that come out of it.
class RecordingEngine : public IRenderEngine {
public:
    struct SpriteDraw {
        ISprite* sprite;
        Point<int> position;
        Rect<int> source;
        float rotation;
    };
    struct ObjectDraw {
        GraphicalObject* object;
        IGraphicalSurface* target;
        int x, y, p5, p6;
        float rotation;
        Point<int> origin, clipSize;
    };

    RecordingEngine() { g_RenderEngine = this; }
    ~RecordingEngine() override { g_RenderEngine = nullptr; }

    bool DrawGraphicalObject(GraphicalObject* object, IGraphicalSurface* target, int x, int y, int p5, int p6,
        float rotation, Point<int> origin, Point<int> clipSize) override
    {
        objectDraws.push_back({ object, target, x, y, p5, p6, rotation, origin, clipSize });
        return IRenderEngine::DrawGraphicalObject(object, target, x, y, p5, p6, rotation, origin, clipSize);
    }
    bool DrawSprite(ISprite* sprite, IGraphicalSurface*, int x, int y, int, int, float rotation,
        const Rect<int>* clip, bool) override
    {
        spriteDraws.push_back({ sprite, Point<int>(x, y), clip ? *clip : Rect<int>(), rotation });
        return true;
    }
    bool DrawSurface(IGraphicalSurface*, IGraphicalSurface*, int, int, int, int, float) override { return true; }
    bool DrawTexture(IGraphicalRessource*, IGraphicalSurface*, int, int, int, int, float) override { return true; }
    bool DrawObject(SceneObject*, IGraphicalSurface*, int, int, int, int, float) override { return true; }
    IGraphicalRessource* LoadTexture(const std::string&) override { return nullptr; }
    IGraphicalRessource* CreateRenderTexture(int, int) override { return nullptr; }
    void Clear(uint32_t, uint32_t) override { }
    bool DrawRect(Point<int>, IGraphicalSurface*, int, int, int, int, float, uint32_t, bool, bool) override
    {
        return true;
    }
    void BeginScene(bool) override { }
    void EndScene(bool) override { }

    std::vector<ObjectDraw> objectDraws;
    std::vector<SpriteDraw> spriteDraws;
};

} // namespace

TEST(GraphicalObjectDraw, DrawSpriteHandsItsArgumentsToTheRenderEngine)
{
    Sprite tile("Tile", "tile.png", 0, 0, 64, 32);
    GraphicalObject wall("Wall");
    wall.SetSize(64, 32, true);
    wall.AddSpriteInstance(&tile, -5, 0);
    wall.AddGenericSpriteIndex(&tile, 0);
    wall.AddSpriteInstance(&tile, 0, 0)->SetWrapOffset(10.0f, 0.0f);
    wall.AddGenericSpriteIndex(&tile, 1);

    EXPECT_FALSE(wall.DrawSprite(nullptr, 100, 200, 1, 1, 0.0f, 0, 0, 0, 0)); // no engine: nothing drawn

    RecordingEngine engine;
    ASSERT_TRUE(wall.DrawSprite(nullptr, 100, 200, 1, 1, 7.5f, 3, 4, 16, 8));
    ASSERT_EQ(engine.objectDraws.size(), 1u);
    const RecordingEngine::ObjectDraw& call = engine.objectDraws[0];
    EXPECT_EQ(call.object, &wall);
    EXPECT_EQ(call.x, 100);
    EXPECT_EQ(call.y, 200);
    EXPECT_FLOAT_EQ(call.rotation, 7.5f);
    EXPECT_EQ(call.origin, Point<int>(3, 4));
    EXPECT_EQ(call.clipSize, Point<int>(16, 8));

    // Whole: the overhanging sprite is cut at the left edge, the wrapping one
    // is drawn in two pieces.
    engine.spriteDraws.clear();
    ASSERT_TRUE(wall.DrawSprite(nullptr, 100, 200, 1, 1, 0.0f, 0, 0, 0, 0));
    ASSERT_EQ(engine.spriteDraws.size(), 3u);
    EXPECT_EQ(engine.spriteDraws[0].position, Point<int>(100, 200));
    EXPECT_EQ(engine.spriteDraws[0].source, Rect<int>(5, 0, 69, 32));
    EXPECT_EQ(engine.spriteDraws[1].position, Point<int>(110, 200));
    EXPECT_EQ(engine.spriteDraws[1].source, Rect<int>(0, 0, 54, 32));
    EXPECT_EQ(engine.spriteDraws[2].position, Point<int>(100, 200));
    EXPECT_EQ(engine.spriteDraws[2].source, Rect<int>(54, 0, 64, 32));
}

TEST(GraphicalObjectDraw, ImagesLoadAtOnceWhenNoRenderThreadWouldUploadThem)
{
    Sprite tile("Tile", "images/tile.png", 0, 0, 16, 16);
    GraphicalObject object("Crate");
    object.AddSpriteInstance(&tile, 0, 0);
    object.AddGenericSpriteIndex(&tile, 0);
    {
        DXRenderEngine engine; // records, but its pool runs no render thread
        engine.SetRenderPool(new RenderPoolManager(false));
        ASSERT_TRUE(engine.IsRecording());
        GraphicalObject::LoadImages(&object, false);
        EXPECT_TRUE(tile.IsImageLoaded());
    }
    tile.ReleaseImage();
    ImageHandleManager::DestroyInstance();
}
