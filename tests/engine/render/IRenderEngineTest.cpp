#include "engine/render/IRenderEngine.h"

#include "engine/render/GE_Blink.h"

#include "tests/engine/render/RenderTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

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

    // Wraps far beyond a square that fits an int, up to the ends of its range.
    pieces = WrapPieces(Point<int>(4194304, 0), Point<int>(64, 32));
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[1], Point<int>(4194240, 0));
    pieces = WrapPieces(Point<int>(0, -2147483647 - 1), Point<int>(64, 32));
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[1], Point<int>(0, -2147483647 - 1 + 32));
    pieces = WrapPieces(Point<int>(-2147483647 - 1, 0), Point<int>(-64, 32));
    EXPECT_EQ(pieces[1], Point<int>(-2147483647 - 1, 0)); // pinned, not wrapped round
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
