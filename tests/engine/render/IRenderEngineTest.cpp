#include "engine/render/IRenderEngine.h"

#include "engine/render/GE_Blink.h"

#include "scene/GraphicalObject.h"
#include "scene/SpacialInstance.h"
#include "scene/Sprite.h"
#include "tests/engine/render/RenderTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
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
    bool DrawWithMirror(GraphicalObject* object, int x, int y)
    {
        return DrawObjectEntries(object, nullptr, x, y, 0, 0, Point<int>(), Point<int>(), true);
    }

    std::vector<Call> calls;
    bool succeed = true;
};

} // namespace

TEST(DrawEntryPlacement, PartLeftOfTheObjectIsCutUnlessRotated)
{
    DrawEntryPlacement p = PlaceDrawEntry(
        Point<int>(100, 50), Point<int>(-5, 0), Point<int>(), 0.0f, Point<int>(64, 32), Point<int>());
    EXPECT_EQ(p.position, Point<int>(100, 50));
    EXPECT_EQ(p.source.x0, 5);
    EXPECT_EQ(p.source.x1, 69);
    EXPECT_EQ(p.source.y1, 32);

    p = PlaceDrawEntry(
        Point<int>(100, 50), Point<int>(-5, 0), Point<int>(), 10.0f, Point<int>(64, 32), Point<int>());
    EXPECT_EQ(p.position, Point<int>(95, 50));
    EXPECT_EQ(p.source.x0, 0);

    // The origin moves the draw the other way; above the object cuts on y.
    p = PlaceDrawEntry(
        Point<int>(0, 0), Point<int>(10, 2), Point<int>(4, 6), 0.0f, Point<int>(64, 32), Point<int>());
    EXPECT_EQ(p.position, Point<int>(6, 0));
    EXPECT_EQ(p.source.y0, 4);
    EXPECT_EQ(p.offset, Point<int>(6, -4));
}

TEST(DrawEntryPlacement, ClipSizeNeedsBothSidesAndKeepsTheCutOffset)
{
    DrawEntryPlacement p = PlaceDrawEntry(
        Point<int>(), Point<int>(), Point<int>(), 0.0f, Point<int>(64, 32), Point<int>(0, 40));
    EXPECT_EQ(p.source.x1, 64);
    EXPECT_EQ(p.source.y1, 32);

    p = PlaceDrawEntry(
        Point<int>(), Point<int>(-3, 0), Point<int>(), 0.0f, Point<int>(64, 32), Point<int>(10, 20));
    EXPECT_EQ(p.source.x1, 13); // clip width past the 3 cut columns
    EXPECT_EQ(p.source.y1, 20);
}

TEST(WrapPieces, TruncatedZeroIsOnePieceAndAWrapDrawsAtMostThree)
{
    EXPECT_TRUE(WrapPieces(Point<int>(0, 0), Point<int>(64, 32)).empty());

    std::vector<Point<int>> pieces = WrapPieces(Point<int>(10, 0), Point<int>(64, 32));
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[1], Point<int>(-54, 0));

    pieces = WrapPieces(Point<int>(-10, 5), Point<int>(64, 32));
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[1], Point<int>(54, 5));
    EXPECT_EQ(pieces[2], Point<int>(54, -27));
}

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
    EXPECT_TRUE(engine.DrawWithMirror(&object, 200, 100));
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
    EXPECT_TRUE(engine.DrawGraphicalObject(&object, nullptr, 0, 0, 0, 0, 0.0f, Point<int>(), Point<int>()));
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
    EXPECT_FALSE(engine.DrawGraphicalObject(&object, nullptr, 0, 0, 0, 0, 0.0f, Point<int>(), Point<int>()));
    EXPECT_EQ(engine.calls.size(), 1u);

    GraphicalObject empty("empty");
    EXPECT_TRUE(engine.DrawGraphicalObject(&empty, nullptr, 0, 0, 0, 0, 0.0f, Point<int>(), Point<int>()));
    EXPECT_TRUE(engine.DrawGraphicalObject(nullptr, nullptr, 0, 0, 0, 0, 0.0f, Point<int>(), Point<int>()));

    GraphicalObject broken("broken");
    broken.AddGenericSpriteIndex(&sprite, 3); // names an instance that is not there
    engine.succeed = true;
    EXPECT_FALSE(engine.DrawGraphicalObject(&broken, nullptr, 0, 0, 0, 0, 0.0f, Point<int>(), Point<int>()));
}

TEST(RenderEngineEffects, AnEngineDestroyedWhileAnOwnedEffectIsCurrentLeavesItToItsOwner)
{
    // An instance's effect is current while the engine goes away: the owner
    // still frees it once, so AddressSanitizer sees no double free.
    auto owned = std::make_unique<GE_Blink>();
    {
        rendertest::NullRenderEngine engine;
        engine.SaveEffect();
        engine.SetEffect(owned.get());
        EXPECT_EQ(engine.GetEffect(), owned.get());
    }
    owned->Update();
    EXPECT_EQ(owned->GetFrame(), 1);
}
