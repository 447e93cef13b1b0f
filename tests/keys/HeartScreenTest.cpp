#include "tools/keys/HeartScreen.h"

#include <gtest/gtest.h>

// The Heart's screen read from a window's pixels: a window twice the game's
// picture, painted as the arena shows its bodies (the camera held on the
// arena, a tile 32 game pixels, the floor's top 64 px above the foot).
namespace {

constexpr int kScale = 2;
constexpr uint32_t kBackdrop = 0x1E1830;

// Paints a box of the game's picture.
void Paint(Picture& picture, int x0, int y0, int x1, int y1, uint32_t rgb)
{
    for (int y = y0 * kScale; y < y1 * kScale; ++y)
        for (int x = x0 * kScale; x < x1 * kScale; ++x)
            picture.Set(x, y, rgb);
}

Picture Arena()
{
    Picture picture(HeartScreen::kWidth * kScale, HeartScreen::kHeight * kScale, kBackdrop);
    // The HUD's band, its line along its foot, three lit lanterns and a
    // half-lit one (7 life).
    Paint(picture, 0, 0, 512, 54, 0x0B0E1A);
    Paint(picture, 0, 54, 512, 56, 0x3A3F66);
    for (int lantern = 0; lantern < 4; ++lantern) {
        const int x = 22 + 40 * lantern;
        Paint(picture, x + 12, lantern == 3 ? 27 : 20, x + 20, 34, 0xF2B84B);
        Paint(picture, x + 14, lantern == 3 ? 29 : 23, x + 18, 31, 0xFFF2C0);
    }
    return picture;
}

// A cell's ring (dark red, or the east cell's violet) and its eye: a 64 x 64
// body whose top-left corner is at (x, y).
void Cell(Picture& picture, int x, int y, uint32_t ring, uint32_t eye, uint32_t pupil)
{
    Paint(picture, x + 2, y + 4, x + 62, y + 60, ring);
    Paint(picture, x + 22, y + 22, x + 42, y + 42, eye);
    Paint(picture, x + 29, y + 27, x + 35, y + 37, pupil);
}

TEST(HeartScreen, ReadsTheCellsTheStonesAndTheMawWhereTheArenaShowsThem)
{
    Picture picture = Arena();
    HeartScreen::Reading reading = HeartScreen::Read(picture);
    EXPECT_TRUE(reading.hud);
    EXPECT_EQ(reading.hearts, 7);
    EXPECT_EQ(reading.playerX, -1);
    EXPECT_FALSE(reading.dark);
    EXPECT_FALSE(reading.westAlive);
    EXPECT_FALSE(reading.eastLit);

    // Step 1: the west wall's two cells, tiles (32, 2) and (32, 4).
    Cell(picture, 0, 320, 0x7A1E2C, 0xD04A4A, 0x0B0B12);
    Cell(picture, 0, 256, 0x7A1E2C, 0xD04A4A, 0x0B0B12);
    // The east cell waits, its eye dark.
    Cell(picture, 448, 320, 0x5B3A7A, 0x2A1B3D, 0x0B0B12);
    reading = HeartScreen::Read(picture);
    EXPECT_TRUE(reading.westAlive);
    EXPECT_FALSE(reading.eastLit);

    // Step 2: the west cells sunk and dark, the east eye lit.
    Paint(picture, 0, 256, 64, 384, 0x2A1B3D);
    Cell(picture, 448, 320, 0x5B3A7A, 0x8FE3FF, 0x0B0B12);
    reading = HeartScreen::Read(picture);
    EXPECT_FALSE(reading.westAlive);
    EXPECT_TRUE(reading.eastLit);
    EXPECT_FALSE(reading.eastWinding);
    EXPECT_FALSE(reading.stoneShown);

    // Winding up: the pupil lit too; a stone over the floor.
    Cell(picture, 448, 320, 0x5B3A7A, 0x8FE3FF, 0x8FE3FF);
    Paint(picture, 380, 200, 420, 238, 0x9A7FC0);
    reading = HeartScreen::Read(picture);
    EXPECT_TRUE(reading.eastWinding);
    EXPECT_TRUE(reading.stoneShown);
    EXPECT_FALSE(reading.mawShown);

    // The Warden on the floor, his head's glow between x 330 and 346.
    Paint(picture, 330, 330, 346, 346, 0xBFF4FF);
    reading = HeartScreen::Read(picture);
    EXPECT_EQ(reading.playerX, 337);
    EXPECT_EQ(reading.wardenX, 337);

    // Up on the passage his head shows off the floor: seen, not on it.
    Picture passage = Arena();
    Paint(passage, 90, 180, 106, 196, 0xBFF4FF);
    reading = HeartScreen::Read(passage);
    EXPECT_EQ(reading.playerX, -1);
    EXPECT_EQ(reading.wardenX, 97);
    EXPECT_EQ(reading.wardenY, 187);

    // Step 3: the maw over the west half.
    Paint(picture, 0, 100, 300, 384, 0x7A1E2C);
    EXPECT_TRUE(HeartScreen::Read(picture).mawShown);
}

TEST(HeartScreen, ABlackPictureIsDarkAndShowsNoHud)
{
    const Picture black(HeartScreen::kWidth, HeartScreen::kHeight, 0x000000);
    const HeartScreen::Reading reading = HeartScreen::Read(black);
    EXPECT_TRUE(reading.dark);
    EXPECT_FALSE(reading.hud);
    EXPECT_FALSE(HeartScreen::Read(Picture()).hud);
}

} // namespace
