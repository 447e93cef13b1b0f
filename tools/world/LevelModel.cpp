#include "tools/world/LevelModel.h"

#include "engine/serial/FileUtils.h"
#include "tools/world/WorldText.h"

#include <algorithm>
#include <map>

namespace {

constexpr int kTile = 32;
constexpr int kScreenW = 512;
constexpr int kScreenH = 448;

struct LayerSpec {
    const char* name;
    int list;
    float scrollX, scrollY;
    bool draw;
};

// The standard skeleton, in file order (list 0, then 2, then 1).
constexpr LayerSpec kLayers[] = {
    {"BG_Sky", 0, 0.0f, 0.0f, true},
    {"BG_Clouds", 0, 0.0f, 0.0f, true},
    {"BG_Far", 0, 0.25f, 0.5f, true},
    {"BG_Near", 0, 0.5f, 0.75f, true},
    {"Scene Layer 00", 2, 1.0f, 1.0f, true},
    {"Collisions", 2, 1.0f, 1.0f, false},
    {"Scene Layer 01", 2, 1.0f, 1.0f, true},
    {"FG_Near", 1, 1.25f, 1.0f, true},
    {"FG_Water", 1, 1.0f, 1.0f, true},
    {"FG_Secret", 1, 1.0f, 1.0f, true},
};

// Collision block per solid tile character.
const std::map<char, const char*> kBlocks = {
    {'#', "Coll_cube_32"},
    {'_', "Coll_rectangle_32_24"},
    {'[', "Coll_wall_left_16"},
    {']', "Coll_wall_right_16"},
    {'{', "Coll_wall_left_8"},
    {'}', "Coll_wall_right_8"},
    {'T', "coll_ceiling_16"},
    {'<', "cube_ceiling_16_16_left"},
    {'>', "cube_ceiling_16_16_right"},
    {'=', "Coll_platform_32"},
};

std::string AutoTile(const LevelDescription& d, int x, int y)
{
    char c = d.TileAt(x, y);
    if (c == '=')
        return "Platform";
    if (c == 'T' || c == '<' || c == '>')
        return "Ceiling";
    if (c == '[' || c == ']' || c == '{' || c == '}')
        return "Wall";
    bool up = IsDrawnSolidTile(d.TileAt(x, y + 1));
    bool left = IsDrawnSolidTile(d.TileAt(x - 1, y));
    bool right = IsDrawnSolidTile(d.TileAt(x + 1, y));
    if (!up)
        return !left && right ? "TopLeft" : left && !right ? "TopRight" : "Top";
    return !left ? "Left" : !right ? "Right" : "Fill";
}

ModelInstance At(std::string object, int tileX, int tileY, int w = kTile, int h = kTile)
{
    ModelInstance i;
    i.object = std::move(object);
    i.x = tileX * kTile;
    i.y = tileY * kTile;
    i.w = w;
    i.h = h;
    return i;
}

// Copies of a background picture side by side, enough to cover what a layer
// of that scroll factor shows while the camera crosses the level.
void CoverWith(ModelLayer& layer, const std::string& object, int pictureW, int levelW, int levelH)
{
    int spanX = int((levelW - kScreenW) * layer.scrollX) + kScreenW;
    int spanY = int((levelH - kScreenH) * layer.scrollY) + kScreenH;
    if (layer.autoScrollSpeed > 0) {
        // A drifting layer wraps at its own width, drawing a copy of what is
        // in view one width to the left: every picture in it must end at that
        // same width, a multiple of the widest picture, or the left edge shows
        // a growing gap.
        constexpr int kWrapUnit = 1024;
        spanX = (spanX + kWrapUnit - 1) / kWrapUnit * kWrapUnit;
    }
    for (int y = 0; y < spanY; y += kScreenH)
        for (int x = 0; x < spanX; x += pictureW) {
            ModelInstance i;
            i.object = object;
            i.x = x;
            i.y = y;
            i.w = pictureW;
            i.h = kScreenH;
            layer.instances.push_back(i);
        }
}

// The backdrops, each a set of pictures "BG_<name>_Sky", "_Far", "_Near",
// and "_Clouds" where something drifts (clouds, the cave's dust, the water's
// light). Indoor backdrops have none: their "sky" is a wall.
const std::map<std::string, bool> kBackdropDrifts = {{"Cem", true}, {"Boat", true}, {"Cave", true},
    {"Snow", true}, {"Under", true}, {"Garden", true}, {"Bibli", false}, {"Crypt", false}, {"Heart", false}};

} // namespace

ModelLayer* LevelModel::FindLayer(const std::string& layerName)
{
    for (ModelLayer& l : layers)
        if (l.name == layerName)
            return &l;
    return nullptr;
}

const ModelLayer* LevelModel::FindLayer(const std::string& layerName) const
{
    return const_cast<LevelModel*>(this)->FindLayer(layerName);
}

bool AreaPrefix(const std::string& palette, std::string& prefix)
{
    static const std::map<std::string, std::string> kAreas
        = {{"cemetery", "Cem"}, {"boat", "Boat"}, {"cave", "Cave"}, {"snow", "Snow"}, {"library", "Bibli"},
            {"underwater", "Under"}, {"garden", "Garden"}};
    auto it = kAreas.find(palette);
    if (it == kAreas.end())
        return false;
    prefix = it->second;
    return true;
}

LevelModel BuildLevelModel(const LevelDescription& d)
{
    std::string area;
    if (!AreaPrefix(d.palette, area))
        throw WorldError(d.file, 1, "unknown palette \"" + d.palette + "\"");
    LevelModel model;
    model.name = d.level;
    model.fileName = ToLowerCase(d.level);
    model.source = d.file;
    model.cellX = d.cellX;
    model.cellRow = d.cellRow;
    for (const auto& [line, where] : d.scripts)
        model.script.push_back(line);

    const std::string backdrop = d.backdrop.empty() ? area : d.backdrop;
    const auto clouds = kBackdropDrifts.find(backdrop);
    if (clouds == kBackdropDrifts.end())
        throw WorldError(d.file, d.backdropLine, "unknown backdrop \"" + backdrop + "\"");
    bool secret = std::any_of(d.placements.begin(), d.placements.end(),
        [](const LevelPlacement& p) { return p.layer == "FG_Secret"; });
    for (const LayerSpec& spec : kLayers) {
        if (std::string(spec.name) == "FG_Secret" && !secret)
            continue;
        if (std::string(spec.name) == "BG_Clouds" && !clouds->second)
            continue;
        ModelLayer layer;
        layer.name = spec.name;
        layer.list = spec.list;
        layer.scrollX = spec.scrollX;
        layer.scrollY = spec.scrollY;
        layer.drawPlacedInstances = spec.draw;
        model.layers.push_back(layer);
    }
    const int levelW = d.TileWidth() * kTile, levelH = d.TileHeight() * kTile;

    // Backgrounds: the sky (and its moon) stands still; the clouds, in a layer
    // of their own, drift slowly whatever the camera does, wrapping at their
    // picture's width.
    CoverWith(*model.FindLayer("BG_Sky"), "BG_" + backdrop + "_Sky", kScreenW, levelW, levelH);
    if (ModelLayer* cloudLayer = model.FindLayer("BG_Clouds")) {
        cloudLayer->autoScrollSpeed = 0.25f;
        CoverWith(*cloudLayer, "BG_" + backdrop + "_Clouds", 1024, levelW, levelH);
    }
    CoverWith(*model.FindLayer("BG_Far"), "BG_" + backdrop + "_Far", 1024, levelW, levelH);
    CoverWith(*model.FindLayer("BG_Near"), "BG_" + backdrop + "_Near", 1024, levelW, levelH);

    ModelLayer& terrain = *model.FindLayer("Scene Layer 00");
    ModelLayer& collisions = *model.FindLayer("Collisions");
    ModelLayer& water = *model.FindLayer("FG_Water");
    for (int y = 0; y < d.TileHeight(); ++y)
        for (int x = 0; x < d.TileWidth(); ++x) {
            char c = d.TileAt(x, y);
            if (IsInvisibleWallTile(c)) {
                collisions.instances.push_back(At("Coll_cube_32", x, y));
                if (c == '!')
                    water.instances.push_back(At("Water_Tile", x, y));
            } else if (auto block = kBlocks.find(c); block != kBlocks.end()) {
                collisions.instances.push_back(At(block->second, x, y));
                terrain.instances.push_back(At("Tile_" + area + "_" + AutoTile(d, x, y), x, y));
            } else if (c == '~') {
                water.instances.push_back(At("Water_Tile", x, y));
            } else if (c == '^') {
                water.instances.push_back(At("Lava_Tile", x, y));
            } else if (c == 'f') {
                water.instances.push_back(At("Water_Fall", x, y));
            } else if (c == 's') {
                water.instances.push_back(At("Water_Splash", x, y));
            } else if (c == 'H' && d.TileAt(x, y - 1) != 'H') {
                // One climb zone per vertical run.
                int top = y;
                while (d.TileAt(x, top + 1) == 'H')
                    ++top;
                collisions.instances.push_back(At("Climb_Zone", x, y, kTile, (top - y + 1) * kTile));
            }
        }

    if (d.standardBlockers) {
        for (int sy = 0; sy < d.screensH; ++sy) {
            collisions.instances.push_back(At("CameraBlocker_Left", 0, sy * 14 + 6));
            collisions.instances.push_back(At("CameraBlocker_Right", d.TileWidth() - 1, sy * 14 + 6));
        }
        for (int sx = 0; sx < d.screensW; ++sx) {
            collisions.instances.push_back(At("CameraBlocker_Bottom", sx * 16 + 7, 0));
            collisions.instances.push_back(At("CameraBlocker_Top", sx * 16 + 7, d.TileHeight() - 1));
        }
    }

    bool marker = false;
    for (const LevelPlacement& p : d.placements) {
        ModelLayer* layer = model.FindLayer(p.layer);
        if (layer == nullptr)
            throw WorldError(d.file, p.line, "unknown layer \"" + p.layer + "\"");
        // Props keep their object's own size (0 x 0 here), and so do zones
        // placed without one; zones with a size cover their area.
        ModelInstance i = p.kind == "prop" || !p.sized ? At(p.object, p.x, p.y, 0, 0)
                                                       : At(p.object, p.x, p.y, p.w * kTile, p.h * kTile);
        i.name = p.name;
        i.line = p.line;
        i.options = p.options;
        i.script = p.script;
        // A save zone on the ground is marked by its stone, behind the player.
        if (p.object == "Zone_Save" && IsFloorTile(d.TileAt(p.x, p.y - 1)))
            terrain.instances.push_back(At("Deco_SaveStone", p.x, p.y, 0, 0));
        if (p.object == "Point_MinimapLocation") {
            marker = true;
            i.options["cell"] = std::to_string(d.cellX) + " " + std::to_string(d.cellRow);
        }
        layer->instances.push_back(i);
    }
    if (d.standardPoints && !marker) {
        ModelInstance i = At("Point_MinimapLocation", 1, 1, 0, 0);
        i.name = "marker";
        i.options["cell"] = std::to_string(d.cellX) + " " + std::to_string(d.cellRow);
        collisions.instances.push_back(i);
    }
    return model;
}
