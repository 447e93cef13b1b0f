#include "ui/UI_Font.h"

#include "engine/platform/DebugOutput.h"
#include "engine/serial/LineReaders.h"
#include "engine/serial/ReaderContext.h"
#include "scene/GraphicalObject.h"
#include "scene/InstanceEffectScope.h"
#include "scene/SceneGameAccess.h"
#include "scene/Sprite.h"
#include "scene/SpriteReferences.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <sstream>
#include <utility>

namespace {

constexpr const char* kNoAtlas = "SceneObjectNULL";

bool AtEnd(std::istream& is)
{
    return !is.good() || is.peek() == std::char_traits<char>::eof();
}

// The bounds of a font's numbers: an atlas holds at most 4096 cells a side
// of at most 1024 pixels, so placing a glyph (cell index times cell size plus
// offset) and measuring a text never come near the int range.
constexpr int32_t kMaxCellSize = 1024;
constexpr int32_t kMaxCellIndex = 4096;

struct GlyphField {
    const char* what;
    int32_t minimum;
    int32_t maximum;
};

// The six numbers of a glyph, stopping at the first line that does not parse
// or lies outside its field's range (the error names that line).
bool ReadGlyphNumbers(std::istream& is, FontGlyph& glyph)
{
    int32_t* fields[]
        = {&glyph.cell.x, &glyph.cell.y, &glyph.offset.x, &glyph.offset.y, &glyph.size.x, &glyph.size.y};
    constexpr GlyphField kFields[] = {
        {"a glyph cell column", 0, kMaxCellIndex},
        {"a glyph cell row", 0, kMaxCellIndex},
        {"a glyph x offset", -kMaxCellSize, kMaxCellSize},
        {"a glyph y offset", -kMaxCellSize, kMaxCellSize},
        {"a glyph width", 0, kMaxCellSize},
        {"a glyph height", 0, kMaxCellSize},
    };
    for (size_t i = 0; i < std::size(kFields); ++i) {
        int32_t value = 0;
        if (!ReadIntLine(is, value))
            return false;
        const GlyphField& field = kFields[i];
        if (value < field.minimum || value > field.maximum)
            return ReadError(is,
                std::string(field.what) + " of " + std::to_string(field.minimum) + " to "
                    + std::to_string(field.maximum),
                QuoteFound(std::to_string(value)));
        *fields[i] = value;
    }
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
    if (atlasTag != kNoAtlas) {
        // A sprite the library lacks leaves the font without atlas; the
        // record still reads, and says once that its text will not show.
        std::string atlasName;
        ReadTextLine(is, atlasName);
        read.atlas = FindLibrarySprite(atlasName);
        if (read.atlas == nullptr && GetSceneGameAccess() != nullptr) {
            platform::ReportProblem(ReaderContext::WhereOf(is) + "font " + QuoteFound(read.name)
                + ": expected an atlas sprite of the game library, found " + QuoteFound(atlasName)
                + "; its text is not drawn");
        }
    }

    if (ok)
        ok = ReadIntLine(is, read.cellSize.x) && ReadIntLine(is, read.cellSize.y);
    // Cells of a negative size would place glyphs outside the atlas; huge
    // ones would overflow placing them.
    if (ok
        && (read.cellSize.x < 0 || read.cellSize.y < 0 || read.cellSize.x > kMaxCellSize
            || read.cellSize.y > kMaxCellSize))
        ok = ReadError(is, "a cell size of 0 to " + std::to_string(kMaxCellSize),
            std::to_string(read.cellSize.x) + " x " + std::to_string(read.cellSize.y));

    // A count that does not parse reads as 0 (the record still reads); a
    // negative one is damage, named at its own line rather than at whatever
    // record the glyphs would run into.
    std::string countLine;
    uint32_t count = 0;
    ReadStringLine(is, countLine);
    std::istringstream countText(countLine);
    if (!ReadUIntLine(countText, count))
        count = 0;
    const size_t sign = countLine.find_first_not_of(" \t");
    if (sign != std::string::npos && countLine[sign] == '-' && count != 0) {
        if (ok)
            ok = ReadError(is, "a glyph count of 0 or more", QuoteFound(countLine));
        count = 0;
    }
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
    // Summed wide: a text of millions of glyphs stays in range (the width is
    // held to the int range).
    int64_t width = 0;
    int height = 0;
    std::string key(1, ' ');
    for (char c : text) {
        key[0] = c;
        const FontGlyph* glyph = FindGlyph(key);
        if (glyph == nullptr)
            continue;
        width += int64_t(glyph->size.x) + glyph->offset.x;
        height = std::max(height, glyph->size.y + glyph->offset.y);
    }
    constexpr int64_t kLimit = std::numeric_limits<int>::max();
    return Point<int>(static_cast<int>(std::clamp(width, -kLimit, kLimit)), height);
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
