#include "tools/world/LevelDescription.h"

#include "tools/world/WorldText.h"

#include <cstring>
#include <fstream>
#include <sstream>

namespace {

constexpr const char* kSolid = "#_[]{}T<>|!";
constexpr const char* kOther = "=~^fsH.";
constexpr int kMaxTiles = 4096;

// "WxH" as two numbers; false when the word is no size.
bool ParseSize(const std::string& word, int& w, int& h)
{
    size_t x = word.find('x');
    if (x == std::string::npos || x == 0 || x + 1 == word.size())
        return false;
    try {
        size_t used = 0;
        w = std::stoi(word.substr(0, x), &used);
        if (used != x)
            return false;
        h = std::stoi(word.substr(x + 1), &used);
        return used == word.size() - x - 1 && w > 0 && h > 0;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace

bool IsSolidTile(char c)
{
    return c != 0 && std::strchr(kSolid, c) != nullptr;
}
bool IsDrawnSolidTile(char c)
{
    return IsSolidTile(c) && !IsInvisibleWallTile(c);
}
bool IsInvisibleWallTile(char c)
{
    return c == '|' || c == '!';
}
bool IsFloorTile(char c)
{
    return IsSolidTile(c) || c == '=';
}
bool IsKnownTile(char c)
{
    return c != 0 && (std::strchr(kSolid, c) != nullptr || std::strchr(kOther, c) != nullptr);
}

char LevelDescription::TileAt(int x, int y) const
{
    if (y >= TileHeight())
        return '.';
    if (x < 0 || y < 0 || x >= TileWidth())
        return '#';
    return tiles[size_t(TileHeight() - 1 - y)][size_t(x)];
}

LevelDescription LevelDescription::ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw WorldError(path, 0, "cannot read the level description");
    std::stringstream text;
    text << in.rdbuf();
    return Parse(text.str(), path);
}

LevelDescription LevelDescription::Parse(const std::string& text, const std::string& fileName)
{
    LevelDescription d;
    d.file = fileName;
    std::vector<std::string> lines;
    {
        std::istringstream in(text);
        std::string line;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            lines.push_back(line);
        }
    }
    auto fail
        = [&](size_t i, const std::string& message) { throw WorldError(fileName, int(i + 1), message); };
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& raw = lines[i];
        std::vector<std::string> w = SplitWords(raw);
        if (w.empty())
            continue;
        const int lineNo = int(i + 1);
        auto integer = [&](size_t k) { return ParseInt(w.at(k), fileName, lineNo); };
        auto expect = [&](size_t n, const char* form) {
            if (w.size() < n)
                fail(i, std::string("expected \"") + form + "\", found \"" + StripComment(raw) + "\"");
        };
        const std::string& key = w[0];
        if (key == "level") {
            expect(2, "level NAME.lvl");
            d.level = w[1];
        } else if (key == "screens") {
            expect(3, "screens W H");
            if (!d.tiles.empty())
                fail(i, "\"screens\" must come before \"tiles\"");
            d.screensW = integer(1);
            d.screensH = integer(2);
            if (d.screensW < 1 || d.screensH < 1 || d.screensW > 16 || d.screensH > 16)
                fail(i, "screens must be 1 to 16 in each direction, found " + w[1] + " " + w[2]);
        } else if (key == "cell") {
            expect(3, "cell X ROW");
            d.cellX = integer(1);
            d.cellRow = integer(2);
        } else if (key == "palette") {
            expect(2, "palette NAME");
            d.palette = w[1];
        } else if (key == "backdrop") {
            expect(2, "backdrop NAME");
            d.backdrop = w[1];
            d.backdropLine = lineNo;
        } else if (key == "script") {
            // The rest of the line after the keyword, comment and all: a
            // script line may hold "#".
            std::string rest = raw.substr(raw.find("script") + 6);
            size_t start = rest.find_first_not_of(" \t");
            d.scripts.emplace_back(start == std::string::npos ? "" : rest.substr(start), lineNo);
        } else if (key == "legend") {
            continue;
        } else if (key == "off") {
            expect(2, "off blockers|points");
            for (size_t k = 1; k < w.size(); ++k) {
                if (w[k] == "blockers")
                    d.standardBlockers = false;
                else if (w[k] == "points")
                    d.standardPoints = false;
                else
                    fail(i, "expected \"blockers\" or \"points\" after \"off\", found \"" + w[k] + "\"");
            }
        } else if (key == "tiles") {
            if (d.screensW == 0)
                fail(i, "\"screens\" must come before \"tiles\"");
            if (!d.tiles.empty())
                fail(i, "the description has a second \"tiles\" block");
            d.tilesLine = lineNo;
            for (int row = 0; row < d.TileHeight(); ++row) {
                ++i;
                if (i >= lines.size())
                    fail(i - 1,
                        "expected " + std::to_string(d.TileHeight()) + " tile rows, found "
                            + std::to_string(row));
                std::string r = lines[i];
                while (!r.empty() && (r.back() == ' ' || r.back() == '\t'))
                    r.pop_back();
                if (int(r.size()) != d.TileWidth())
                    fail(i,
                        "expected a tile row of " + std::to_string(d.TileWidth()) + " characters, found "
                            + std::to_string(r.size()));
                for (char c : r)
                    if (!IsKnownTile(c))
                        fail(i, std::string("unknown tile character '") + c + "'");
                d.tiles.push_back(r);
            }
        } else if (key == "place" || key == "prop" || key == "trigger") {
            LevelPlacement p;
            p.kind = key;
            p.line = lineNo;
            size_t k = 1;
            if (key == "place") {
                expect(5, "place TYPE NAME X Y [WxH] [key=value...]");
                p.object = w[1];
                p.name = w[2];
                k = 3;
            } else if (key == "prop") {
                expect(5, "prop \"LAYER\" OBJECT X Y");
                p.layer = w[1];
                p.object = w[2];
                k = 3;
            } else {
                expect(5, "trigger NAME X Y WxH [graphic=OBJECT] {");
                p.object = "Zone_TriggerZone";
                p.name = w[1];
                k = 2;
            }
            p.x = integer(k);
            p.y = integer(k + 1);
            // Far beyond the largest level, so sums of positions and sizes stay small.
            for (size_t c = k; c < k + 2; ++c)
                if (integer(c) < -kMaxTiles || integer(c) > kMaxTiles)
                    fail(i,
                        "expected a position from -" + std::to_string(kMaxTiles) + " to "
                            + std::to_string(kMaxTiles) + ", found " + w[c]);
            k += 2;
            if (k < w.size() && ParseSize(w[k], p.w, p.h)) {
                if (p.w > kMaxTiles || p.h > kMaxTiles)
                    fail(i,
                        "expected a size of at most " + std::to_string(kMaxTiles) + " tiles, found " + w[k]);
                p.sized = true;
                ++k;
            } else if (key == "trigger")
                fail(i,
                    "a trigger needs its size WxH, found \"" + (k < w.size() ? w[k] : std::string()) + "\"");
            bool block = false;
            for (; k < w.size(); ++k) {
                if (w[k] == "{" && k + 1 == w.size() && key == "trigger") {
                    block = true;
                    break;
                }
                size_t eq = w[k].find('=');
                if (eq == std::string::npos || eq == 0)
                    fail(i, "expected an option key=value, found \"" + w[k] + "\"");
                std::string optionKey = w[k].substr(0, eq);
                if (optionKey == "param") {
                    // "param=" takes the rest of the line as written.
                    std::string rest = StripComment(raw);
                    p.options[optionKey] = rest.substr(rest.find("param=") + 6);
                    break;
                }
                if (p.options.count(optionKey))
                    fail(i, "option \"" + optionKey + "\" is given twice");
                p.options[optionKey] = w[k].substr(eq + 1);
            }
            if (key == "trigger") {
                if (!block)
                    fail(i, "a trigger line ends with \"{\"");
                for (++i;; ++i) {
                    if (i >= lines.size())
                        fail(size_t(p.line - 1), "the trigger's script has no closing \"}\"");
                    std::string body = lines[i];
                    size_t a = body.find_first_not_of(" \t");
                    body = a == std::string::npos ? "" : body.substr(a);
                    if (body == "}")
                        break;
                    if (!body.empty()) {
                        p.script.push_back(body);
                        p.scriptLines.push_back(int(i + 1));
                    }
                }
            }
            d.placements.push_back(p);
        } else {
            fail(i, "unknown description word \"" + key + "\"");
        }
    }
    if (d.level.empty())
        fail(0, "the description has no \"level NAME.lvl\" line");
    if (d.tiles.empty())
        fail(0, "the description has no \"tiles\" block");
    return d;
}
