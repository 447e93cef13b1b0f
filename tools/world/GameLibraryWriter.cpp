#include "tools/world/GameLibraryWriter.h"

#include "engine/serial/FileUtils.h"
#include "engine/serial/LineReaders.h"
#include "engine/serial/TypeNames.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundEvent.h"
#include "engine/sound/SoundEventsManager.h"
#include "scene/AnimatedSprite.h"
#include "scene/CameraBlocker.h"
#include "scene/CollisionShape.h"
#include "scene/GraphicalObject.h"
#include "scene/Sprite.h"
#include "tools/world/FontArt.h"
#include "ui/UI_Font.h"

#include <map>
#include <memory>

namespace {

struct BlockSpec {
    const char* name;
    int x0, y0, x1, y1, type;
};

// The collision blocks the tile maps use; boxes as (x0, y0)-(x1, y1), y up.
constexpr BlockSpec kBlocks[] = {
    {"Coll_cube_32", 0, 31, 31, 0, 0},
    {"Coll_rectangle_32_24", 0, 23, 31, 0, 0},
    {"Coll_wall_left_16", 0, 31, 15, 0, 0},
    {"Coll_wall_right_16", 16, 31, 31, 0, 0},
    {"Coll_wall_left_8", 0, 31, 7, 0, 0},
    {"Coll_wall_right_8", 24, 31, 31, 0, 0},
    {"coll_ceiling_16", 0, 31, 31, 16, 0},
    {"cube_ceiling_16_16_left", 0, 31, 15, 16, 0},
    {"cube_ceiling_16_16_right", 16, 31, 31, 16, 0},
    // One-way: 3 px thin, so the 4 px a crouch jump drops take the feet
    // below it, where it lets the player through.
    {"Coll_platform_32", 0, 31, 31, 29, 1},
};

struct BlockerSpec {
    const char* name;
    int horizontal, vertical;
};

constexpr BlockerSpec kBlockers[] = {
    {"CameraBlocker_Left", -1, 0},
    {"CameraBlocker_Right", 1, 0},
    {"CameraBlocker_Bottom", 0, -1},
    {"CameraBlocker_Top", 0, 1},
};

// A graphical object whose record names its own class: zone types and UI
// frames are written with their class's record line, without the program's
// classes (whose constructors reach for the running game).
class ZoneTypeObject : public GraphicalObject {
public:
    ZoneTypeObject(const std::string& objectName, const std::string& className)
        : GraphicalObject(objectName)
    {
        typeName = className;
    }
    std::string GetVersionedClassName() override { return typeName + "V0"; }
};

std::string BackslashPath(std::string path)
{
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

} // namespace

bool CameraBlockerSides(const std::string& objectName, int& horizontal, int& vertical)
{
    for (const BlockerSpec& b : kBlockers)
        if (objectName == b.name) {
            horizontal = b.horizontal;
            vertical = b.vertical;
            return true;
        }
    return false;
}

std::string ZoneClassName(const std::string& objectName)
{
    if (objectName == TypeNames::Zone_ClimbJump)
        return "Zone_ClimbJump";
    if (objectName == TypeNames::Zone_TriggerScript)
        return "Zone_TriggerScript";
    if (objectName == TypeNames::Zone_NPCSpawner_FloatingSkull)
        return "Zone_NPCSpawner_FloatingSkull";
    return objectName;
}

std::vector<std::string> ZoneTypeNames()
{
    std::vector<std::string> names;
    for (const std::string* name : TypeNames::All()) {
        const std::string& n = *name;
        if (n.rfind("Zone_", 0) == 0 || n.rfind("Point_", 0) == 0 || n == TypeNames::Zone_ClimbJump
            || n == TypeNames::ZoneHolder || n == TypeNames::ZoneSecret)
            names.push_back(n);
    }
    return names;
}

std::string GameLibraryWriter::EventForSound(const std::string& soundName, bool& secondVariation)
{
    std::string base = soundName;
    secondVariation = false;
    if (base.size() > 2 && base.substr(base.size() - 2) == "_b") {
        base = base.substr(0, base.size() - 2);
        secondVariation = true;
    }
    SoundEventsManager events;
    for (const auto& event : events.GetRegisteredEvents())
        if (ToLowerCase(event->GetName()) == base)
            return event->GetName();
    return {};
}

std::set<std::string> GameLibraryWriter::ObjectNames() const
{
    std::set<std::string> names;
    for (const auto& [name, object] : objectByName)
        names.insert(name);
    return names;
}

GraphicalObject* GameLibraryWriter::FindObject(const std::string& name) const
{
    auto it = objectByName.find(name);
    return it == objectByName.end() ? nullptr : it->second;
}

std::vector<GraphicalObject*> GameLibraryWriter::Objects() const
{
    std::vector<GraphicalObject*> all;
    for (const auto& object : objects)
        all.push_back(object.get());
    return all;
}

GameLibraryWriter::~GameLibraryWriter() = default;

GameLibraryWriter::GameLibraryWriter(
    const ArtBook& book, const ArtAtlas& atlas, const std::vector<SynthSound>& sounds)
    : events(std::make_unique<SoundEventsManager>())
    , particleSystems(book.particles)
{
    std::map<std::string, Sprite*> spriteByName;

    for (const ArtObject& o : book.objects) {
        const std::vector<AtlasFrame>& places = atlas.frames.at(o.name);
        std::vector<Sprite*> frames;
        for (int f = 0; f < o.frames; ++f) {
            const AtlasFrame& at = places[size_t(f)];
            sprites.push_back(std::make_unique<Sprite>(
                FrameSpriteName(o, f), BackslashPath(at.page), at.x, at.y, at.x + o.width, at.y + o.height));
            frames.push_back(sprites.back().get());
            spriteByName[sprites.back()->GetName()] = sprites.back().get();
        }
        if (o.plainSprite)
            continue;
        auto animation = std::make_unique<AnimatedSprite>(o.name);
        for (Sprite* frame : frames)
            animation->AddFrame(frame, float(o.frameMs), 0.0f);
        animation->SetLoopStart(o.loop ? 0 : -1);
        std::unique_ptr<GraphicalObject> object;
        if (o.recordClass.empty())
            object = std::make_unique<GraphicalObject>(o.name);
        else
            object = std::make_unique<ZoneTypeObject>(o.name, o.recordClass);
        object->SetCategory(o.category);
        object->SetSize(o.width, o.height, true);
        object->AddAnimatedInstance(animation.get(), 0, 0);
        object->AddGenericSpriteIndex(animation.get(), 0);
        if (o.anchored && !frames.empty()) {
            frames.front()->SetPoint(Point<int>(o.anchorX, o.anchorY));
            object->AddSpriteInstance(frames.front(), 0, 0);
        }
        for (size_t i = 0; i < o.boxes.size(); ++i) {
            const ArtBox& b = o.boxes[i];
            auto box = std::make_unique<CollisionBox<int>>(b.x0, b.y0, b.x1, b.y1, b.type);
            box->SetFrame(b.frame);
            object->CollisionShapeAt(int(i)) = std::move(box);
        }
        animations.push_back(std::move(animation));
        objects.push_back(std::move(object));
    }

    if (auto it = spriteByName.find(kFontAtlasName); it != spriteByName.end())
        fonts.push_back(std::make_unique<UI_Font>(MakeBasicFont(it->second)));

    Sprite* clear = spriteByName.count("zone_clear") ? spriteByName["zone_clear"] : nullptr;
    auto dress = [&](GraphicalObject& object, const std::string& category) {
        object.SetCategory(category);
        object.SetSize(32, 32, true);
        if (clear != nullptr) {
            object.AddSpriteInstance(clear, 0, 0);
            object.AddGenericSpriteIndex(clear, 0);
        }
    };
    for (const BlockSpec& b : kBlocks) {
        auto object = std::make_unique<GraphicalObject>(b.name);
        dress(*object, "(Tiles)");
        object->CollisionShapeAt(0) = std::make_unique<CollisionBox<int>>(b.x0, b.y0, b.x1, b.y1, b.type);
        objects.push_back(std::move(object));
    }
    for (const BlockerSpec& b : kBlockers) {
        auto object = std::make_unique<CameraBlocker>(b.name);
        dress(*object, "(game play)");
        object->SetBlocks(b.horizontal, b.vertical);
        objects.push_back(std::move(object));
    }
    for (const std::string& zone : ZoneTypeNames()) {
        auto object = std::make_unique<ZoneTypeObject>(zone, ZoneClassName(zone));
        dress(*object, "(game play)");
        objects.push_back(std::move(object));
    }

    for (const auto& object : objects)
        objectByName.emplace(object->GetName(), object.get());

    for (const SynthSound& s : sounds) {
        soundTable.push_back(std::make_unique<Sound>(s.name, s.name + ".wav"));
        soundTable.back()->SetLoop(s.loop);
        bool second = false;
        if (SoundEvent* event = events->FindEvent(EventForSound(s.name, second)))
            event->GetVariations().push_back(soundTable.back().get());
    }
    for (const auto& event : events->GetRegisteredEvents())
        event->SetRadii(96.0f, 640.0f);
}

void GameLibraryWriter::WriteParticleSystem(std::ostream& os, const ArtParticles& system) const
{
    // The local particle system's record: its base part (name, particles,
    // pictures), then its own (front flag, the 19 values, two spare ints,
    // the area, no extra pictures).
    const std::string className = "LocalParticleSystemV0";
    WriteLine(os, className);
    WriteLine(os, system.name);
    WriteLine(os, uint32_t(system.count));
    WriteLine(os, uint32_t(system.pictures.size()));
    for (const std::string& picture : system.pictures)
        FindObject(picture)->SerializePtr(os);
    WriteLine(os, className);
    WriteLine(os, false);
    const float side = system.speed * 0.5f;
    const float values[19] = {system.lifetime * 0.75f, system.lifetime, -side, side, system.speed * 0.6f,
        system.speed, system.speed * 2.0f, system.speed * 2.0f, 0.0f, 1.0f, system.spread, 0.0f,
        -system.gravity, 0.0f, -system.gravity, 0.0f, 0.0f, 0.0f, 0.0f};
    for (float value : values)
        WriteLine(os, value);
    WriteLine(os, int32_t(0));
    WriteLine(os, int32_t(0));
    WriteLine(os, int32_t(0));
    WriteLine(os, int32_t(0));
    WriteLine(os, uint32_t(0));
}

bool GameLibraryWriter::Write(std::ostream& os) const
{
    WriteLine(os, std::string("GameV0"));
    WriteLine(os, std::string("Quenholt"));
    WriteLine(os, 0.0f);
    WriteLine(os, uint32_t(sprites.size()));
    for (auto& s : sprites)
        s->Serialize(os);
    WriteLine(os, uint32_t(animations.size()));
    for (auto& a : animations)
        a->Serialize(os);
    WriteLine(os, uint32_t(objects.size()));
    for (auto& o : objects)
        o->Serialize(os);
    // The map records: none (the world map is drawn whole by GlobalMinimap).
    WriteLine(os, std::string("_Game_updatetag_1.1_"));
    WriteLine(os, std::string("MapModelV0"));
    WriteLine(os, uint32_t(0));
    WriteLine(os, std::string("_Game_updatetag_1.4_"));
    WriteLine(os, uint32_t(soundTable.size()));
    for (auto& s : soundTable) {
        WriteLine(os, s->GetVersionedClassName());
        s->Serialize(os);
    }
    events->Serialize(os);
    WriteLine(os, std::string("_Game_updatetag_1.3_"));
    WriteLine(os, uint32_t(fonts.size()));
    for (auto& font : fonts)
        font->Serialize(os);
    WriteLine(os, std::string("_Game_updatetag_1.5_"));
    WriteLine(os, uint32_t(particleSystems.size()));
    for (const ArtParticles& system : particleSystems)
        WriteParticleSystem(os, system);
    return static_cast<bool>(os);
}
