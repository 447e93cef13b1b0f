#include "characters/CharacterBoxes.h"
#include "characters/CharacterObject.h"
#include "scene/CollisionShape.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(BoxesOverlap, TouchingBoxesOverlapAndOnePixelApartDoNot)
{
    const struct {
        const char* what;
        Rect<int> a, b;
        bool overlap;
    } cases[] = {
        {"shared corner", {0, 10, 10, 0}, {10, 20, 20, 10}, true},
        {"one pixel apart in x", {0, 10, 10, 0}, {11, 10, 20, 0}, false},
        {"shared right edge", {0, 10, 10, 0}, {10, 10, 20, 0}, true},
        {"one pixel apart in y", {0, 10, 10, 0}, {0, 21, 10, 11}, false},
        {"shared top edge", {0, 10, 10, 0}, {0, 20, 10, 10}, true},
        {"one inside the other", {0, 100, 100, 0}, {40, 60, 60, 40}, true},
        {"single pixels on one spot", {5, 5, 5, 5}, {5, 5, 5, 5}, true},
        {"single pixels side by side", {5, 5, 5, 5}, {6, 5, 6, 5}, false},
        {"negative coordinates touching", {-20, -10, -10, -20}, {-10, -20, 0, -30}, true},
        {"far out, apart", {2000000000, 10, 2000000010, 0}, {2000000011, 10, 2000000020, 0}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BoxesOverlap(c.a, c.b), c.overlap) << c.what;
        EXPECT_EQ(BoxesOverlap(c.b, c.a), c.overlap) << c.what << " (swapped)";
    }
}

class FrameBoxes : public testing::Test {
protected:
    void SetUp() override
    {
        frame.SetSize(32, 48, true);
        const struct {
            int type, frameIndex;
            Rect<int> box;
        } entries[] = {
            {2, -1, {0, 20, 10, 0}},   // hurt
            {5, -1, {20, 40, 30, 30}}, // attack
            {6, -1, {1, 2, 3, 1}},     // both
            {2, 3, {0, 47, 31, 0}},    // hurt, but for another frame
            {4, -1, {7, 9, 8, 8}},     // spawn point 0
            {3, -1, {0, 5, 5, 0}},     // the player's near attack: neither list
            {4, -1, {11, 13, 12, 12}}, // spawn point 1
        };
        int i = 0;
        for (const auto& e : entries) {
            auto box = std::make_unique<CollisionBox<int>>(e.box.x0, e.box.y0, e.box.x1, e.box.y1, e.type);
            box->SetFrame(e.frameIndex);
            frame.CollisionShapeAt(i++) = std::move(box);
        }
        character.SetCurrentGraphical(&frame);
        character.SetPosition(Point<float>(100.7f, 200.2f));
    }
    GraphicalObject frame {"Frame"};
    CharacterObject character {"NPC_Test"};
};

TEST_F(FrameBoxes, HurtAndAttackBoxesComeFromTheActiveEntriesOfTheirTypes)
{
    EXPECT_EQ(character.GetHurtBoxes(), (std::vector<Rect<int>> {{0, 20, 10, 0}, {1, 2, 3, 1}}));
    EXPECT_EQ(character.GetAttackBoxes(), (std::vector<Rect<int>> {{20, 40, 30, 30}, {1, 2, 3, 1}}));
    // World boxes: moved by the position truncated (100, 200).
    EXPECT_TRUE(character.IsHitByBox(Rect<int>(110, 220, 115, 215), false));
    EXPECT_FALSE(character.IsHitByBox(Rect<int>(111, 220, 115, 215), false));
    EXPECT_TRUE(character.AttackHitsBox(Rect<int>(130, 250, 140, 240)));
    EXPECT_FALSE(character.AttackHitsBox(Rect<int>(131, 250, 140, 240)));
    character.SetHitTestsOff(true);
    EXPECT_FALSE(character.IsHitByBox(Rect<int>(100, 220, 115, 200), false));
    EXPECT_FALSE(character.AttackHitsBox(Rect<int>(120, 240, 130, 230)));
}

TEST_F(FrameBoxes, SpawnPointsCountOnlyTheirOwnType)
{
    EXPECT_EQ(character.GetSpawnPointBox(0), Rect<int>(107, 209, 108, 208));
    EXPECT_EQ(character.GetSpawnPointBox(1), Rect<int>(111, 213, 112, 212));
    EXPECT_EQ(character.GetSpawnPointBox(2), Rect<int>());
    frame.RemoveCollisionShape(6);
    EXPECT_EQ(character.GetSpawnPointBox(1), Rect<int>());
}

TEST(CharacterBoxesWhole, AWholeBodyAttackerWithoutAttackEntriesHitsWithItsGraphical)
{
    GraphicalObject frame("Frame");
    frame.SetSize(32, 48, true);
    CharacterObject c("NPC_Test");
    c.SetCurrentGraphical(&frame);
    EXPECT_TRUE(c.GetAttackBoxes().empty());
    c.SetWholeBodyAttacks(true);
    EXPECT_EQ(c.GetAttackBoxes(), (std::vector<Rect<int>> {{0, 47, 31, 0}}));
    EXPECT_EQ(GetBoxSize(c.GetAttackBoxes()[0]), Point<int>(31, 47));
    EXPECT_TRUE(c.GetHurtBoxes().empty());

    CharacterObject none("NPC_Test");
    none.SetWholeBodyAttacks(true);
    EXPECT_TRUE(none.GetAttackBoxes().empty());
    EXPECT_FALSE(none.IsHitByBox(Rect<int>(-1000, 1000, 1000, -1000), false));
}

TEST(CharacterLeadingEdge, SpansTheTrailingCornerBeforeAndTheLeadingCornerAfter)
{
    CharacterObject c("NPC_Test");
    c.SetSize(10, 10);
    c.SetPosition(Point<float>(100.0f, 50.0f));
    const struct {
        Point<float> move, from, to;
    } cases[] = {
        {{-3.0f, 0.0f}, {109.0f, 50.0f}, {97.0f, 59.0f}},
        {{3.0f, 0.0f}, {100.0f, 50.0f}, {112.0f, 59.0f}},
        {{0.0f, -4.0f}, {100.0f, 59.0f}, {109.0f, 46.0f}},
        {{2.0f, 5.0f}, {100.0f, 50.0f}, {111.0f, 64.0f}},
    };
    for (const auto& e : cases) {
        Point<float> from, to;
        c.GetLeadingEdge(from, to, e.move);
        EXPECT_EQ(from, e.from) << e.move.x << "," << e.move.y;
        EXPECT_EQ(to, e.to) << e.move.x << "," << e.move.y;
    }
}

TEST(CharacterExplosionPieces, SixteenPixelSquaresNearestToTheCentreFirstFlyingOutward)
{
    const struct {
        int w, h;
        size_t pieces;
    } sizes[] = {{64, 64, 16}, {20, 20, 1}, {10, 64, 0}, {48, 32, 6}};
    for (const auto& s : sizes) {
        GraphicalObject g("G");
        g.SetSize(s.w, s.h, true);
        CharacterObject c("NPC_Test");
        c.SetSize(s.w, s.h);
        c.SetCurrentGraphical(&g);
        c.BuildExplosionPieces(&g);
        EXPECT_EQ(c.GetExplosionPieceCount(), s.pieces) << s.w << "x" << s.h;
    }

    GraphicalObject g("G");
    g.SetSize(64, 64, true);
    CharacterObject c("NPC_Test");
    c.SetSize(64, 64);
    c.SetCurrentGraphical(&g);
    c.BuildExplosionPieces(&g);
    ASSERT_EQ(c.GetExplosionPieceCount(), 16u);
    const Point<float> centre(32.0f, 32.0f);
    float previous = -1.0f;
    for (size_t i = 0; i < 16; ++i) {
        const Point<float> piece = c.GetExplosionPiecePosition(i) + Point<float>(8.0f, 8.0f);
        const Point<float> away = piece - centre;
        const float distance = away.Length();
        EXPECT_GE(distance + 1e-3f, previous) << i;
        previous = distance;
        // Inside half the diagonal every piece flies away from the centre.
        const Point<float> v = c.GetExplosionPieceVelocity(i);
        EXPECT_GT(v.x * away.x + v.y * away.y, 0.0f) << i;
        // The source square lies on the 16-pixel grid of the graphical.
        const Point<float> source = c.GetExplosionPieceSource(i);
        EXPECT_EQ(std::fmod(source.x, 16.0f), 0.0f);
        EXPECT_EQ(std::fmod(source.y, 16.0f), 0.0f);
        EXPECT_LT(source.x, 64.0f);
        EXPECT_LT(source.y, 64.0f);
    }
    // Pieces and sources stay parallel: the piece at the top-left of the
    // picture (drawn y 48) shows the source square at y 0.
    for (size_t i = 0; i < 16; ++i) {
        const Point<float> piece = c.GetExplosionPiecePosition(i);
        const Point<float> source = c.GetExplosionPieceSource(i);
        EXPECT_EQ(piece.x, source.x);
        EXPECT_EQ(piece.y, 48.0f - source.y);
    }

    // Building again replaces the pieces; a null graphical leaves none.
    c.BuildExplosionPieces(nullptr);
    EXPECT_EQ(c.GetExplosionPieceCount(), 0u);
}

} // namespace
