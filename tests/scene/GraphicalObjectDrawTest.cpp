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

// The global render engine for one test: it records the graphical-object
// draws it is handed (the interface's own drawing of their entries is tested
// with the render engine).
class RecordingEngine : public IRenderEngine {
public:
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
        return true;
    }
    bool DrawSprite(ISprite*, IGraphicalSurface*, int, int, int, int, float, const Rect<int>*, bool) override
    {
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
};

} // namespace

TEST(GraphicalObjectDraw, DrawSpriteHandsItsArgumentsToTheRenderEngine)
{
    GraphicalObject wall("Wall");
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
