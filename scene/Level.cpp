#include "scene/Level.h"

#include "engine/platform/Paths.h"
#include "engine/render/DXGraphicalSurface.h"
#include "engine/serial/LineReaders.h"
#include "engine/serial/ReaderContext.h"
#include "scene/BackgroundEvent.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/LevelListUtils.h"
#include "scene/LevelScript.h"
#include "scene/SceneGameAccess.h"

#include <fstream>
#include <optional>

namespace {

constexpr std::string_view kTagPrototypes = "_Level_updatetag_1.3_";
constexpr std::string_view kTagPointLists = "_Level_updatetag_1.0_";
constexpr std::string_view kTagInstanceIndex = "_Level_updatetag_1.1_";
constexpr std::string_view kTagScript = "_Level_updatetag_1.2_";
// A list holds a few dozen layers at most; more is a damaged count.
constexpr uint32_t kMaxLayersPerList = 1024;

// The text of line `line` counted from `start` (1 is the first); empty past
// the end. Used for the message of a failure that no typed reader saw.
std::string LineAt(std::istream& is, std::streampos start, int line)
{
    is.clear();
    is.seekg(start);
    std::string text;
    for (int i = 0; i < line && ReadRawLine(is, text) == RawLine::kLine; ++i) { }
    return text;
}

} // namespace

Level::Level(std::string levelName)
    : name(std::move(levelName))
    , script(LevelScript::Make("LevelScript"))
    , collisionWorld(std::make_unique<CollisionWorld>())
{
}

Level::~Level()
{
    Reset();
}

bool Level::Reset()
{
    script.reset();
    scriptOwner.reset();
    events.clear();
    // The layers' instances drop their bodies while the world still stands.
    for (int list : kFileOrder)
        GetLayerList(list)->clear();
    name = "Reset";
    minimapPoint = Point<int>(-1, -1);
    collisionWorld.reset();
    objects.clear();
    scriptGraphicalObjects.clear();
    return true;
}

void Level::AddObjects(const std::vector<GraphicalObject*>& list)
{
    objects.insert(objects.end(), list.begin(), list.end());
}

void Level::AddScriptGraphicalObjects(const std::vector<GraphicalObject*>& list)
{
    scriptGraphicalObjects.insert(scriptGraphicalObjects.end(), list.begin(), list.end());
}

CollisionWorld* Level::ReplaceCollisionWorld()
{
    for (int list : kFileOrder) {
        for (auto& layer : *GetLayerList(list)) {
            if (layer)
                layer->DropCollisionBodies();
        }
    }
    collisionWorld = std::make_unique<CollisionWorld>();
    return collisionWorld.get();
}

SceneObject* Level::FindObjectByName(const std::string& objectName) const
{
    for (SceneObject* object : sceneObjects) {
        if (object != nullptr && object->GetName() == objectName)
            return object;
    }
    return nullptr;
}

bool Level::Serialize(std::ostream& os)
{
    if (IsSkipSerialize())
        return true;
    WriteLine(os, GetVersionedClassName());
    WriteLine(os, name);
    WriteLine(os, kTagPrototypes);
    std::vector<GraphicalObject*> used;
    std::vector<int32_t> counts;
    for (int list : {kBackground, kForeground, kScene}) {
        for (auto& layer : *GetLayerList(list)) {
            if (layer)
                layer->CollectPrototypes(used, counts);
        }
    }
    SortByCount(used, counts);
    WriteLine(os, static_cast<uint32_t>(used.size()));
    for (auto it = used.rbegin(); it != used.rend(); ++it)
        WriteLine(os, (*it)->GetName());
    for (int list : kFileOrder) {
        std::vector<Layer*> layers;
        for (auto& layer : *GetLayerList(list))
            layers.push_back(layer.get());
        WriteLine(os, static_cast<int32_t>(CountSerializable(layers)));
        for (Layer* layer : layers) {
            if (layer)
                layer->Serialize(os);
        }
    }
    WriteLine(os, kTagPointLists);
    WriteLine(os, static_cast<uint32_t>(pointLists.size()));
    for (const auto& points : pointLists) {
        WriteLine(os, static_cast<uint32_t>(points.size()));
        for (const LevelPoint& p : points) {
            WriteLine(os, p.a);
            WriteLine(os, p.b);
            WriteLine(os, p.c);
        }
    }
    WriteLine(os, valueA);
    WriteLine(os, valueB);
    WriteLine(os, kTagInstanceIndex);
    WriteLine(os, nextInstanceIndex);
    WriteLine(os, kTagScript);
    std::string text = script ? script->GetText() : std::string();
    for (char& c : text) {
        if (c == '\n')
            c = ';';
    }
    WriteLine(os, text);
    return true;
}

void Level::Fail(const std::string& expected)
{
    if (!loadError.empty())
        return;
    loadError = expected; // completed with the line once reading stops
}

bool Level::ReadLayerList(std::istream& is, int list, bool ok)
{
    uint32_t count = 0;
    if (ok && !ReadCountLine(is, count, kMaxLayersPerList)) {
        Fail("the number of layers of list " + std::to_string(list));
        return false;
    }
    // The count is not trusted: layers are read one by one, and the first
    // failure ends the list.
    for (uint32_t i = 0; ok && i < count; ++i) {
        auto layer = std::make_unique<Layer>(
            "", list, new DXGraphicalSurface(Point<int>(512, 448), true), 512, 448, 32, 32);
        layer->SetLevel(this);
        if (!layer->UnSerialize(is)) {
            Fail(layer->GetReadError().empty() ? "a layer record" : layer->GetReadError());
            return false;
        }
        GetLayerList(list)->push_back(std::move(layer));
    }
    return ok;
}

bool Level::UnSerialize(std::istream& is)
{
    Reset();
    loadError.clear();
    const std::streampos start = is.tellg();
    // Lines are counted by the caller's context, or by one of the level's.
    std::optional<ReaderContext> own;
    if (ReaderContext::Of(is) == nullptr)
        own.emplace(is, sourceName.empty() ? std::string("level") : sourceName);
    ReaderContext* context = ReaderContext::Of(is);
    const int firstLine = context->GetLineNumber();

    // A file that does not begin as a level is refused whole, unquoted: it
    // may be any file a save or a command named, private text included.
    std::string className;
    if (!ReadStringLine(is, className) || className != GetVersionedClassName()) {
        if (!context->HasError())
            context->RecordError(QuoteFound(GetVersionedClassName()), "a file that is not a level");
        loadError = context->GetError();
        Reset();
        return false;
    }
    bool ok = ReadTextLine(is, name);

    if (ok && ReadUpdateTag(is, kTagPrototypes)) {
        uint32_t count = 0;
        if (!ReadCountLine(is, count)) {
            ok = false;
            Fail("the number of prototype names");
        }
        for (uint32_t i = 0; ok && i < count; ++i) {
            std::string prototypeName;
            ReadStringLine(is, prototypeName);
            if (!is) {
                ok = false;
                Fail("a prototype name");
                break;
            }
            // A name the game library lacks, or one of no graphical object,
            // is passed over with a word.
            SceneGameAccess* game = GetSceneGameAccess();
            SceneObject* found = game != nullptr ? game->FindSceneObject(prototypeName) : nullptr;
            if (auto* object = dynamic_cast<GraphicalObject*>(found))
                prototypes.push_back(object);
            else
                LenientRead(is).Skipped(
                    "the prototype " + QuoteFound(prototypeName) + ", no graphical object of the game");
        }
    }
    for (int list : kFileOrder)
        ok = ReadLayerList(is, list, ok);

    if (ok && ReadUpdateTag(is, kTagPointLists)) {
        uint32_t lists = 0;
        ok = ReadCountLine(is, lists);
        for (uint32_t l = 0; ok && l < lists; ++l) {
            auto& points = pointLists.emplace_back();
            uint32_t count = 0;
            ok = ReadCountLine(is, count);
            for (uint32_t p = 0; ok && p < count; ++p) {
                LevelPoint point;
                ok = ReadIntLine(is, point.a) && ReadIntLine(is, point.b) && ReadIntLine(is, point.c);
                if (ok)
                    points.push_back(point);
            }
        }
        if (!ok)
            Fail("the point lists (counts and three ints per point)");
    }
    if (ok) {
        float a = valueA;
        float b = valueB;
        ok = ReadFloatLine(is, a) && ReadFloatLine(is, b);
        if (ok) {
            valueA = a;
            valueB = b;
        } else {
            Fail("the two level values");
        }
    }
    if (ok && ReadUpdateTag(is, kTagInstanceIndex) && !ReadIntLine(is, nextInstanceIndex)) {
        ok = false;
        Fail("the next instance index");
    }
    script = LevelScript::Make("Startup Script");
    if (ok && ReadUpdateTag(is, kTagScript)) {
        std::string text;
        if (ReadStringLine(is, text)) {
            script->SetText(text);
        } else {
            ok = false;
            Fail("the start-up script");
        }
    }

    if (!ok) {
        // A typed reader that refused a line has said what it expected;
        // otherwise the level says it of the last line taken.
        if (!context->HasError()) {
            const int line = context->GetLineNumber() - firstLine;
            const bool pastEnd = is.eof();
            const std::string found = pastEnd ? std::string(kFoundEnd) : QuoteFound(LineAt(is, start, line));
            context->RecordError(loadError, found);
        }
        const std::string message = context->GetError();
        // No half-built level: what was read goes.
        Reset();
        loadError = message;
    }
    return ok;
}

std::unique_ptr<Level> Level::LoadFile(const std::string& path, std::string* error)
{
    const std::string resolved = platform::ResolvePath(path);
    std::ifstream file = platform::OpenRegularFile(resolved);
    if (!file) {
        // A folder, a pipe or a device is refused before it is opened: a
        // pipe would block, a device such as /dev/zero never ends.
        if (error != nullptr)
            *error = path
                + (platform::IsNonRegularFile(resolved) ? ": not a regular file" : ": cannot open the file");
        return nullptr;
    }
    ReaderContext context(file, path);
    auto level = std::make_unique<Level>("noName");
    level->SetSourceName(path);
    if (!level->UnSerialize(file)) {
        context.Report();
        if (error != nullptr)
            *error = level->GetLoadError();
        return nullptr;
    }
    return level;
}

bool Level::SaveFile(const std::string& path)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file)
        return false;
    Serialize(file);
    file.flush();
    return static_cast<bool>(file);
}
