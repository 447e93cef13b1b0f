#include "scene/GraphicalObject.h"

#include "engine/render/RenderGameAccess.h"
#include "engine/render/RenderPoolManager.h"
#include "game/Game.h"
#include "scene/AnimatedSprite.h"
#include "scene/SpacialInstance.h"
#include "scene/Sprite.h"
#include "tests/engine/render/RenderTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Records the sprite draws the interface's drawing code makes.
class DrawLog : public rendertest::NullRenderEngine {
public:
    struct Call {
        ISprite* sprite;
        Point<int> position;
        Rect<int> source;
        float rotation;
        bool mirror;
    };

    bool DrawSprite(ISprite* sprite, IGraphicalSurface*, int x, int y, int, int, float rotation,
        const Rect<int>* clip, bool) override
    {
        calls.push_back({sprite, Point<int>(x, y), clip ? *clip : Rect<int>(), rotation, GetMirror()});
        return succeed;
    }
    // The device engine's variant: each entry's mirror flag becomes the
    // engine's while it is drawn.
    bool DrawWithMirror(GraphicalObject& object, int x, int y)
    {
        return DrawObjectEntries(object.GetObjectDrawEntries(), object.GetSize(), nullptr, x, y, 0, 0,
            Point<int>(), Point<int>(), true);
    }
    bool Draw(GraphicalObject& object)
    {
        return DrawGraphicalObject(object.GetObjectDrawEntries(), object.GetSize(), nullptr, 0, 0, 0, 0, 0.0f,
            Point<int>(), Point<int>());
    }

    std::vector<Call> calls;
    bool succeed = true;
};

} // namespace

TEST(DrawGraphicalObjectEntries, EntriesArePlacedWrappedAndMirrored)
{
    Sprite first("first", "a.png", 0, 0, 63, 31);
    Sprite second("second", "b.png", 0, 0, 15, 15);
    GraphicalObject object("object");
    object.SetSize(64, 32, false);
    object.AddSpriteInstance(&first, 0, 0);
    object.AddGenericSpriteIndex(&first, 0);
    object.AddSpriteInstance(&second, -5, 4);
    object.AddGenericSpriteIndex(&second, 1);
    GraphicalObject::SpriteInstance* a = object.GetSpriteInstance(0);
    GraphicalObject::SpriteInstance* b = object.GetSpriteInstance(1);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    a->SetWrapOffset(10.9f, 0.0f);
    b->SetMirrored(true);

    DrawLog engine;
    EXPECT_TRUE(engine.DrawWithMirror(object, 200, 100));
    // The wrapped entry in two pieces that meet: shifted right by 10 with its
    // end cut, then from the object's edge showing the last 10 columns.
    ASSERT_EQ(engine.calls.size(), 3u);
    EXPECT_EQ(engine.calls[0].position, Point<int>(210, 100));
    EXPECT_EQ(engine.calls[0].source, Rect<int>(0, 0, 54, 32));
    EXPECT_EQ(engine.calls[1].position, Point<int>(200, 100));
    EXPECT_EQ(engine.calls[1].source, Rect<int>(54, 0, 64, 32));
    EXPECT_EQ(engine.calls[2].sprite, &second);
    EXPECT_EQ(engine.calls[2].position, Point<int>(200, 104));
    EXPECT_EQ(engine.calls[2].source.x0, 5);
    EXPECT_FALSE(engine.calls[0].mirror);
    EXPECT_TRUE(engine.calls[2].mirror);
    EXPECT_FALSE(engine.GetMirror());

    // The interface's own body leaves the mirror flag alone.
    engine.calls.clear();
    EXPECT_TRUE(engine.Draw(object));
    EXPECT_FALSE(engine.calls[2].mirror);
}

TEST(DrawGraphicalObjectEntries, AFailedDrawStopsTheRestAndAMissingInstanceFails)
{
    Sprite sprite("s", "a.png", 0, 0, 7, 7);
    GraphicalObject object("object");
    object.SetSize(8, 8, false);
    object.AddSpriteInstance(&sprite, 0, 0);
    object.AddGenericSpriteIndex(&sprite, 0);
    object.AddSpriteInstance(&sprite, 1, 1);
    object.AddGenericSpriteIndex(&sprite, 1);

    DrawLog engine;
    engine.succeed = false;
    EXPECT_FALSE(engine.Draw(object));
    EXPECT_EQ(engine.calls.size(), 1u);

    GraphicalObject empty("empty");
    EXPECT_TRUE(engine.Draw(empty));
    EXPECT_TRUE(
        engine.DrawGraphicalObject({}, Point<int>(), nullptr, 0, 0, 0, 0, 0.0f, Point<int>(), Point<int>()));

    GraphicalObject broken("broken");
    broken.AddGenericSpriteIndex(&sprite, 3); // names an instance that is not there
    engine.succeed = true;
    EXPECT_FALSE(engine.Draw(broken));
}

TEST(GLGraphicalObjectImages, QueuedImagesAreEverySpriteAndEveryAnimationFrameOfTheFillSlot)
{
    Sprite still("still", "a.png", 0, 0, 7, 7);
    Sprite first("first", "b.png", 0, 0, 7, 7);
    Sprite second("second", "c.png", 0, 0, 7, 7);
    AnimatedSprite walk("walk");
    walk.AddFrame(&first, 100.0f, 0.0f);
    walk.AddFrame(nullptr, 100.0f, 0.0f); // a frame without a sprite queues nothing
    walk.AddFrame(&second, 100.0f, 0.0f);
    GraphicalObject object("object");
    object.SetSize(8, 8, false);
    object.AddSpriteInstance(&still, 0, 0);
    object.AddGenericSpriteIndex(&still, 0);
    object.AddAnimatedInstance(&walk, 0, 0);
    object.AddGenericSpriteIndex(&walk, 0);

    // Without a render thread nothing is queued: the caller loads at once.
    RenderPoolManager idlePool(false);
    GraphicalObject::QueueImages(idlePool, &object);
    for (const auto& list : idlePool.frameImages)
        EXPECT_TRUE(list.empty());

    RenderPoolManager pool;
    ASSERT_TRUE(rendertest::WaitUntil([&] { return pool.idle.load() == 1; }));
    ASSERT_FALSE(pool.startFailed.load());
    GraphicalObject::QueueImages(pool, &object);
    GraphicalObject::QueueImages(pool, nullptr);
    const std::vector<ISprite*> expected {&still, &first, &second};
    EXPECT_EQ(pool.frameImages[pool.fillSlot.load()], expected);
    pool.ClearCurrentFrame();
    pool.RequestClearFrames();
}

TEST(GameRenderAccess, TheGameIsTheRenderEnginesAccessWhileItLives)
{
    EXPECT_EQ(GetRenderGameAccess(), nullptr);
    {
        Game game;
        EXPECT_EQ(GetRenderGameAccess(), &game);
        game.displayScaleMode = 1;
        game.cameraPosition = Point<float>(10.6f, -3.2f);
        const RenderGameState state = GetRenderGameAccess()->GetRenderState();
        EXPECT_EQ(state.displayScaleMode, 1);
        EXPECT_EQ(state.cameraWorld, game.cameraPosition.ToInt());
        EXPECT_EQ(GetRenderGameAccess()->GetConsole(), &game.console);
    }
    EXPECT_EQ(GetRenderGameAccess(), nullptr);
}
