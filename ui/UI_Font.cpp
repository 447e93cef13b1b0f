#include "ui/UI_Font.h"

#include "engine/serial/LineReaders.h"
#include "engine/serial/ReaderContext.h"
#include "scene/GraphicalObject.h"
#include "scene/InstanceEffectScope.h"
#include "scene/Sprite.h"
#include "scene/SpriteReferences.h"

#include <algorithm>
#include <utility>

namespace {

constexpr const char* kNoAtlas = "SceneObjectNULL";

bool AtEnd(std::istream& is)
{
    return !is.good() || is.peek() == std::char_traits<char>::eof();
}

// The six numbers of a glyph, stopping at the first line that does not parse.
bool ReadGlyphNumbers(std::istream& is, FontGlyph& glyph)
{
    int32_t* fields[]
        = {&glyph.cell.x, &glyph.cell.y, &glyph.offset.x, &glyph.offset.y, &glyph.size.x, &glyph.size.y};
    for (int32_t* field : fields)
        if (!ReadCoordinateLine(is, *field))
            return false;
    return true;
}

} // namespace

UI_Font::UI_Font(std::string fontName)
    : name(std::move(fontName))
{
}

UI_Font::~UI_Font() = default;
UI_Font::UI_Font(const UI_Font& other) = default;
UI_Font& UI_Font::operator=(const UI_Font& other) = default;

bool UI_Font::Serialize(std::ostream& os)
{
    if (IsSkipSerialize())
        return true;
    WriteLine(os, GetVersionedClassName());
    WriteLine(os, name);
    if (atlas != nullptr)
        atlas->SerializePtr(os);
    else
        WriteLine(os, std::string(kNoAtlas));
    WriteLine(os, cellSize.x);
    WriteLine(os, cellSize.y);
    WriteLine(os, static_cast<uint32_t>(glyphs.size()));
    for (const FontGlyph& glyph : glyphs) {
        WriteLine(os, glyph.key);
        for (int value :
            {glyph.cell.x, glyph.cell.y, glyph.offset.x, glyph.offset.y, glyph.size.x, glyph.size.y})
            WriteLine(os, value);
    }
    return true;
}

bool UI_Font::UnSerialize(std::istream& is)
{
    UI_Font read;
    bool ok = ReadTextLine(is, read.name);

    std::string atlasTag;
    ReadStringLine(is, atlasTag);
    if (atlasTag != kNoAtlas)
        // A sprite the library lacks leaves the font without atlas; the
        // record still reads.
        read.atlas = UnSerializeSpriteReference(is);

    if (ok)
        ok = ReadIntLine(is, read.cellSize.x) && ReadIntLine(is, read.cellSize.y);
    // Cells of a negative size would place glyphs outside the atlas.
    if (ok
        && (read.cellSize.x < 0 || read.cellSize.y < 0 || read.cellSize.x > kMaxCoordinate
            || read.cellSize.y > kMaxCoordinate))
        ok = ReadError(is, "a cell size of 0 to 4194304",
            std::to_string(read.cellSize.x) + " x " + std::to_string(read.cellSize.y));

    uint32_t count = 0;
    if (!ReadUIntLine(is, count))
        count = 0;
    // Each glyph takes seven lines: the count never runs the reader past the
    // end of the record's data.
    for (uint32_t i = 0; i < count; ++i) {
        if (AtEnd(is)) {
            ok = ReadError(is, "more glyphs", kFoundEnd);
            break;
        }
        FontGlyph glyph;
        const bool glyphRead = ReadTextLine(is, glyph.key) && ReadGlyphNumbers(is, glyph);
        ok = ok && glyphRead;
        read.glyphs.push_back(std::move(glyph));
    }
    if (!ok)
        return false;
    read.BuildGlyphMap();
    read.skipSerialize = skipSerialize;
    *this = std::move(read);
    return true;
}

void UI_Font::SetGlyphs(std::vector<FontGlyph> list)
{
    glyphs = std::move(list);
    BuildGlyphMap();
}

void UI_Font::BuildGlyphMap()
{
    glyphMap.clear();
    // The first glyph of a key keeps it.
    for (size_t i = 0; i < glyphs.size(); ++i)
        glyphMap.emplace(glyphs[i].key, i);
}

const FontGlyph* UI_Font::FindGlyph(const std::string& key) const
{
    auto it = glyphMap.find(key);
    return it == glyphMap.end() ? nullptr : &glyphs[it->second];
}

Point<int> UI_Font::MeasureText(const std::string& text) const
{
    Point<int> measured;
    std::string key(1, ' ');
    for (char c : text) {
        key[0] = c;
        const FontGlyph* glyph = FindGlyph(key);
        if (glyph == nullptr)
            continue;
        measured.x += glyph->size.x + glyph->offset.x;
        measured.y = std::max(measured.y, glyph->size.y + glyph->offset.y);
    }
    return measured;
}

bool UI_Font::Draw(GraphicalEffect* effect, int x, int y, const std::string& letter)
{
    lastAdvance = Point<int>();
    if (atlas == nullptr)
        return false;
    const FontGlyph* glyph = FindGlyph(letter);
    if (glyph == nullptr)
        return false;

    GraphicalObject letterObject("tmp_Letter");
    letterObject.SetSize(glyph->size.x, glyph->size.y, true);
    // The atlas placed so that the glyph's cell lies at the object's origin;
    // a glyph shorter than its cell stands on the cell's bottom line.
    int ox = -(glyph->cell.x * cellSize.x) + glyph->offset.x;
    int oy = -(glyph->cell.y * cellSize.y) + glyph->offset.y;
    if (glyph->size.y < cellSize.y)
        oy += cellSize.y - glyph->size.y;
    letterObject.AddSpriteInstance(atlas, ox, oy);
    letterObject.AddGenericSpriteIndex(atlas, 0);
    lastAdvance = Point<int>(glyph->size.x + glyph->offset.x, glyph->size.y + glyph->offset.y);

    InstanceEffectScope scope(effect);
    return letterObject.DrawSprite(nullptr, x, y, 1, 1, 0.0f, 0, 0, 0, 0);
}
