#pragma once

#include "engine/render/PixelImage.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class Sprite;
class UI_Font;

// The world's pixel font "UI_Font_Basic": every printable ASCII character
// and the accented letters of French (8-bit Latin-1 codes), each drawn 5
// pixels wide with a one-pixel shadow, in cells of 8 x 12 laid 16 to a row
// of the atlas "font_basic".
struct FontArtGlyph {
    unsigned char code = 0;
    // Rows 0-1 hold capital accents, 2-8 the body, 9-10 descenders; bit 4
    // is the leftmost of the five columns.
    std::array<uint8_t, 11> rows {};
};

inline constexpr int kFontCellWidth = 8;
inline constexpr int kFontCellHeight = 12;
inline constexpr int kFontCellsPerRow = 16;
// A blank advances 3 pixels, not a cell: words stay apart, and the ending's
// 96 blanks before "PRESS ANY BUTTON ..." (288 pixels) leave room for the
// words on the same line of its 448-pixel frame.
inline constexpr int kFontBlankAdvance = 3;
inline constexpr const char* kFontName = "UI_Font_Basic";
inline constexpr const char* kFontAtlasName = "font_basic";

// Every glyph, in atlas order (cell i at column i % 16, row i / 16).
const std::vector<FontArtGlyph>& BasicFontGlyphs();

// Paints the glyphs into their cells of `picture` in `colour` with a shadow
// one pixel right and down in `shadow`.
void PaintFontGlyphs(PixelImage& picture, uint32_t colour, uint32_t shadow);

// Paints a text of the font with its top-left corner at (x, y), each
// character 6 pixels apart; characters the font lacks are skipped.
void PaintFontText(
    PixelImage& picture, int x, int y, const std::string& text, uint32_t colour, uint32_t shadow);

// The font record: glyph i in cell (i % 16, i / 16), 7 x 12 with dx 1 (the
// blank 2 x 12), keyed by its one-character string.
UI_Font MakeBasicFont(Sprite* atlas);
