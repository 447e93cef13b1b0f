#include <gtest/gtest.h>

#include <vector>

#include "scene/AnimatedSprite.h"
#include "scene/GraphicalObject.h"
#include "scene/GraphicalObjectDrawPlan.h"
#include "scene/SpacialInstance.h"
#include "scene/Sprite.h"

namespace {

using Piece = GraphicalObjectDrawPlan::Piece;

class DrawPlanTest : public testing::Test {
protected:
    DrawPlanTest()
    {
        object.SetSize(64, 32, true);
    }

    // Places the sprite at an offset inside the object and draws it.
    GraphicalObject::SpriteInstance* Place(int x, int y)
    {
        auto* instance = object.AddSpriteInstance(&tile, x, y);
        object.AddGenericSpriteIndex(&tile, object.GetSpriteInstanceCount() - 1);
        return instance;
    }

    std::vector<Piece> Plan(Point<int> origin = {}, Point<int> clip = {})
    {
        std::vector<Piece> pieces;
        EXPECT_TRUE(GraphicalObjectDrawPlan::Build(&object, 100, 200, origin, clip, pieces));
        return pieces;
    }

    Sprite tile { "Tile", "tile.png", 0, 0, 64, 32 };
    GraphicalObject object { "Wall" };
};

} // namespace

TEST_F(DrawPlanTest, AnObjectWithoutEntriesDrawsNothing)
{
    object.AddSpriteInstance(&tile, 0, 0); // placed but not in the drawing table
    EXPECT_TRUE(Plan().empty());
    std::vector<Piece> pieces;
    EXPECT_TRUE(GraphicalObjectDrawPlan::Build(nullptr, 0, 0, {}, {}, pieces));
    EXPECT_TRUE(pieces.empty());
}

TEST_F(DrawPlanTest, OffsetsAndOriginPlaceTheSpriteInsideTheObject)
{
    Place(8, 4)->SetMirrored(true);
    const std::vector<Piece> pieces = Plan({ 2, 1 });
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0].sprite, &tile);
    EXPECT_EQ(pieces[0].position, Point<int>(106, 203));
    EXPECT_EQ(pieces[0].source, Rect<int>(0, 0, 58, 29)); // the part inside the object
    EXPECT_TRUE(pieces[0].mirrored);
}

TEST_F(DrawPlanTest, LeftAndTopOverhangIsCutUnlessRotated)
{
    Place(-5, -3);
    std::vector<Piece> pieces = Plan();
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0].position, Point<int>(100, 200));
    EXPECT_EQ(pieces[0].source, Rect<int>(5, 3, 69, 35));

    object.GetSpriteInstance(0)->SetAngle(10.0f);
    pieces = Plan();
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0].position, Point<int>(95, 197));
    EXPECT_EQ(pieces[0].source, Rect<int>(0, 0, 69, 35));
    EXPECT_FLOAT_EQ(pieces[0].rotation, 10.0f);
}

TEST_F(DrawPlanTest, ClipLimitsTheSourceOnlyWhenBothSidesAreSet)
{
    Place(0, 0);
    EXPECT_EQ(Plan({}, { 0, 40 })[0].source, Rect<int>(0, 0, 64, 32));
    EXPECT_EQ(Plan({}, { 16, 16 })[0].source, Rect<int>(0, 0, 16, 16));
    // The clip counts from the cut edge.
    object.GetSpriteInstance(0)->SetPosition(-4, 0);
    EXPECT_EQ(Plan({}, { 16, 16 })[0].source, Rect<int>(4, 0, 20, 16));
}

TEST_F(DrawPlanTest, WrappingSpritesAreDrawnInPieces)
{
    auto* instance = Place(0, 0);
    instance->SetWrapOffset(0.9f, 0.0f); // truncates to no wrap
    EXPECT_EQ(Plan().size(), 1u);

    instance->SetWrapOffset(10.0f, 0.0f);
    std::vector<Piece> pieces = Plan();
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].position, Point<int>(110, 200));
    EXPECT_EQ(pieces[0].source, Rect<int>(0, 0, 54, 32));
    EXPECT_EQ(pieces[1].position, Point<int>(100, 200)); // W.x = 10 - 64 = -54
    EXPECT_EQ(pieces[1].source, Rect<int>(54, 0, 64, 32));

    instance->SetWrapOffset(-6.0f, 5.0f);
    pieces = Plan();
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0].source, Rect<int>(6, 0, 64, 27));
    EXPECT_EQ(pieces[0].position, Point<int>(100, 205));
    EXPECT_EQ(pieces[1].source, Rect<int>(0, 0, 6, 27)); // W.x = -6 + 64 = 58
    EXPECT_EQ(pieces[1].position, Point<int>(158, 205));
    EXPECT_EQ(pieces[2].source, Rect<int>(0, 27, 6, 32)); // W.y = 5 - 32 = -27
    EXPECT_EQ(pieces[2].position, Point<int>(158, 200));
}

TEST_F(DrawPlanTest, AnimatedEntriesDrawTheirCurrentFrameWithItsRotation)
{
    Sprite second("Second", "tile.png", 0, 0, 32, 32);
    AnimatedSprite blink("Blink");
    blink.AddFrame(&tile, 100.0f, 0.0f);
    blink.AddFrame(&second, 100.0f, 90.0f);
    auto* instance = object.AddAnimatedInstance(&blink, 0, 0);
    instance->SetAngle(5.0f);
    object.AddGenericSpriteIndex(&blink, 0);
    object.Update(150.0);
    const std::vector<Piece> pieces = Plan();
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0].sprite, &second);
    EXPECT_FLOAT_EQ(pieces[0].rotation, 95.0f);
}

TEST_F(DrawPlanTest, AnEntryNamingAMissingInstanceStopsThePlan)
{
    Place(0, 0);
    object.AddGenericSpriteIndex(&tile, 7);
    Place(4, 4);
    std::vector<Piece> pieces;
    EXPECT_FALSE(GraphicalObjectDrawPlan::Build(&object, 0, 0, {}, {}, pieces));
    EXPECT_EQ(pieces.size(), 1u);
}
