#include "tools/keys/HeartScreen.h"

#include <cstdlib>

namespace {

// The boss's colours.
constexpr uint32_t kDarkRed = 0x7A1E2C;
constexpr uint32_t kCyan = 0x8FE3FF;
constexpr uint32_t kLavender = 0x9A7FC0;
constexpr uint32_t kWardenGlow = 0xBFF4FF;
// The HUD's lanterns, from its left edge: lit pixels (gold or cream, red
// still when the HUD tints them at low life) of a half-lit lantern; a lit
// one shows twice as many.
constexpr int kLanternsX1 = 190, kLanternsY0 = 8, kLanternsY1 = 52;
constexpr int kLitPerLife = 56;

// Places in the game's picture (x right, y down from the top), the camera
// held on the arena: a tile is 32 px, the floor's top 64 px above the
// picture's foot.
// The west wall's two cells, one over the other.
constexpr int kWestX0 = 0, kWestX1 = 64, kWestY0 = 256, kWestY1 = 384;
// The east wall's cell, and its eye at its middle.
constexpr int kEastX0 = 448, kEastY0 = 320;
constexpr int kEyeX = kEastX0 + 32, kEyeY = kEastY0 + 32;
// Stones fly over the floor between the stone and the east cell.
constexpr int kStonesX0 = 300, kStonesX1 = 446, kStonesY0 = 96, kStonesY1 = 384;
// The maw's body over the west half.
constexpr int kMawX0 = 64, kMawX1 = 288, kMawY0 = 120, kMawY1 = 300;
// The line along the HUD's foot.
constexpr int kHudLineY = 54;
constexpr uint32_t kHudLine = 0x3A3F66;
// The arena's floor band, where the Warden's head shows while he stands on
// it (between the walls).
constexpr int kFloorX0 = 64, kFloorX1 = 448, kFloorY0 = 280, kFloorY1 = 384;

bool Near(uint32_t a, uint32_t b, int tolerance)
{
    return std::abs(Picture::Red(a) - Picture::Red(b)) <= tolerance
        && std::abs(Picture::Green(a) - Picture::Green(b)) <= tolerance
        && std::abs(Picture::Blue(a) - Picture::Blue(b)) <= tolerance;
}

// The window's pixel at the middle of game pixel (x, y).
uint32_t GamePixel(const Picture& picture, int x, int y)
{
    const int wx = static_cast<int>((static_cast<float>(x) + 0.5f) * static_cast<float>(picture.width)
        / static_cast<float>(HeartScreen::kWidth));
    const int wy = static_cast<int>((static_cast<float>(y) + 0.5f) * static_cast<float>(picture.height)
        / static_cast<float>(HeartScreen::kHeight));
    return picture.At(wx, wy);
}

float Brightness(const Picture& picture, int x0, int y0, int x1, int y1)
{
    long sum = 0, count = 0;
    for (int y = y0; y < y1; y += 4)
        for (int x = x0; x < x1; x += 4) {
            const uint32_t rgb = GamePixel(picture, x, y);
            sum += Picture::Red(rgb) + Picture::Green(rgb) + Picture::Blue(rgb);
            ++count;
        }
    return count == 0 ? 0.0f : static_cast<float>(sum) / static_cast<float>(3 * count);
}

} // namespace

float HeartScreen::Share(const Picture& picture, int x0, int y0, int x1, int y1, uint32_t rgb, int tolerance)
{
    int hits = 0, count = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            ++count;
            if (Near(GamePixel(picture, x, y), rgb, tolerance))
                ++hits;
        }
    return count == 0 ? 0.0f : static_cast<float>(hits) / static_cast<float>(count);
}

HeartScreen::Reading HeartScreen::Read(const Picture& picture)
{
    Reading reading;
    if (picture.Empty())
        return reading;
    reading.dark = Brightness(picture, 0, 0, kWidth, kHeight) < 12.0f;
    reading.westAlive = Share(picture, kWestX0, kWestY0, kWestX1, kWestY1, kDarkRed) > 0.08f;
    reading.eastLit = Share(picture, kEyeX - 9, kEyeY - 9, kEyeX + 10, kEyeY + 10, kCyan) > 0.25f;
    reading.eastWinding = Share(picture, kEyeX - 2, kEyeY - 3, kEyeX + 3, kEyeY + 4, kCyan) > 0.5f;
    reading.stoneShown = Share(picture, kStonesX0, kStonesY0, kStonesX1, kStonesY1, kLavender) > 0.002f;
    reading.mawShown = Share(picture, kMawX0, kMawY0, kMawX1, kMawY1, kDarkRed) > 0.06f;
    reading.hud = Share(picture, 0, kHudLineY, kWidth, kHudLineY + 2, kHudLine, 8) > 0.8f;
    if (reading.hud) {
        int lit = 0;
        for (int y = kLanternsY0; y < kLanternsY1; ++y)
            for (int x = 0; x < kLanternsX1; ++x) {
                const uint32_t rgb = GamePixel(picture, x, y);
                lit += Picture::Red(rgb) >= 150 && Picture::Red(rgb) - Picture::Blue(rgb) >= 60 ? 1 : 0;
            }
        reading.hearts = (lit + kLitPerLife / 2) / kLitPerLife;
    }
    long sum = 0, count = 0, floorSum = 0, floorCount = 0, sumY = 0;
    for (int y = kHudLineY + 2; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            if (Near(GamePixel(picture, x, y), kWardenGlow, 12)) {
                sum += x;
                sumY += y;
                ++count;
                if (y >= kFloorY0 && y < kFloorY1 && x >= kFloorX0 && x < kFloorX1) {
                    floorSum += x;
                    ++floorCount;
                }
            }
    if (floorCount >= 20)
        reading.playerX = static_cast<int>(floorSum / floorCount);
    if (count >= 20) {
        reading.wardenX = static_cast<int>(sum / count);
        reading.wardenY = static_cast<int>(sumY / count);
    }
    return reading;
}
