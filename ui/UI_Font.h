#pragma once

#include "engine/serial/ISerialization.h"
#include "engine/serial/Point.h"

#include <cstdint>
#include <istream>
#include <map>
#include <ostream>
#include <string>
#include <vector>

class GraphicalEffect;
class Sprite;

// One character of a bitmap font: the atlas cell that holds it (column,
// row), the offset added where it is placed and to its advance, and its size
// in pixels inside the cell.
struct FontGlyph {
    std::string key;
    Point<int> cell;
    Point<int> offset;
    Point<int> size;
};

// A bitmap font of the game library: one atlas sprite cut into a grid of
// equal cells, and the glyphs saying which cell holds which character. Text
// frames measure text with it and draw it one glyph at a time.
class UI_Font : public ISerialization {
public:
    UI_Font() = default;
    explicit UI_Font(std::string fontName);
    ~UI_Font() override;
    UI_Font(const UI_Font& other);
    UI_Font& operator=(const UI_Font& other);

    static std::string VersionedClassName() { return "UI_FontV0"; }
    std::string GetVersionedClassName() override { return VersionedClassName(); }

    // Record: class line, name, atlas reference ("SpriteV0Ptr" and the
    // sprite's name, or "SceneObjectNULL"), cell width, cell height, glyph
    // count, then per glyph its key, cell column, cell row, dx, dy, width,
    // height.
    bool Serialize(std::ostream& os) override;
    // Reads from the name on. A record that fails leaves the font as it was.
    bool UnSerialize(std::istream& is) override;

    // Draws one glyph with its object's origin at screen position (x, y);
    // false (and a last advance of (0, 0)) without atlas or glyph.
    virtual bool Draw(GraphicalEffect* effect, int x, int y, const std::string& letter);

    std::string GetName() const { return name; }
    // (cell width, cell height).
    Point<int> GetSpacing() const { return cellSize; }
    Point<int> GetLastAdvance() const { return lastAdvance; }
    // The glyph of that key (the first of the file when keys repeat), or null.
    const FontGlyph* FindGlyph(const std::string& key) const;
    // Width (advances summed) and height (tallest glyph) of a text; a
    // character without glyph adds nothing.
    Point<int> MeasureText(const std::string& text) const;

    Sprite* GetAtlas() const { return atlas; }
    void SetAtlas(Sprite* sprite) { atlas = sprite; }
    void SetSpacing(Point<int> spacing) { cellSize = spacing; }
    const std::vector<FontGlyph>& GetGlyphs() const { return glyphs; }
    // Replaces the glyph list and builds the map anew.
    void SetGlyphs(std::vector<FontGlyph> list);

private:
    void BuildGlyphMap();

    std::string name;
    Sprite* atlas = nullptr; // the game library's sprite; not owned
    Point<int> cellSize;
    std::vector<FontGlyph> glyphs;
    std::map<std::string, size_t> glyphMap; // key -> index into glyphs
    Point<int> lastAdvance;
};
