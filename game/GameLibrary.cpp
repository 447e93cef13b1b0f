#include "game/Game.h"

#include "characters/LocalParticleSystem.h"
#include "engine/platform/DebugOutput.h"
#include "engine/serial/LineReaders.h"
#include "engine/serial/ReaderContext.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundEventsManager.h"
#include "scene/AnimatedSprite.h"
#include "scene/MapModel.h"
#include "scene/SceneObject.h"
#include "scene/Sprite.h"
#include "ui/UI_Font.h"

#include <iostream>
#include <memory>

// The game library "gamelib.txt": the title and a float, the sprite,
// animated-sprite and scene-object tables, then the groups behind their
// update tags in the order 1.1 (map records), 1.4 (sounds and the sound
// events), 1.3 (fonts), 1.5 (particle systems). An older file may also hold
// sounds behind tag 1.2, between the animated sprites and the scene objects.

namespace {

constexpr const char* kTagOldSounds = "_Game_updatetag_1.2_";
constexpr const char* kTagMap = "_Game_updatetag_1.1_";
constexpr const char* kTagSounds = "_Game_updatetag_1.4_";
constexpr const char* kTagFonts = "_Game_updatetag_1.3_";
constexpr const char* kTagParticles = "_Game_updatetag_1.5_";

template <class T> uint32_t CountSerializedEntries(const std::vector<T*>& table)
{
    uint32_t count = 0;
    for (T* entry : table)
        if (entry != nullptr && !entry->IsSkipSerialize())
            ++count;
    return count;
}

// Tells which group of the library broke, with the file and line the reader
// context names: "gamelib.txt:12: expected ..., found ... (game library
// group: sprites)". One message per broken group.
class GroupReport {
public:
    explicit GroupReport(std::istream& stream)
        : is(stream)
    {
    }

    void Failed(const char* group, const char* what)
    {
        if (reported == group)
            return;
        reported = group;
        std::string text;
        if (ReaderContext* context = ReaderContext::Of(is)) {
            text = context->HasError() ? context->GetError() : context->Where() + what;
            context->ClearError();
        } else {
            text = what;
        }
        text += std::string(" (game library group: ") + group + ")\n";
        platform::DebugOutput(text);
        std::cerr << text;
    }

private:
    std::istream& is;
    const char* reported = nullptr;
};

bool AtEnd(std::istream& is)
{
    return !is.good() || is.peek() == std::char_traits<char>::eof();
}

// Reads a count line when the flag holds; a count not read counts as zero.
uint32_t ReadCount(std::istream& is, bool& ok, GroupReport& report, const char* group)
{
    uint32_t count = 0;
    if (!ok)
        return 0;
    if (!ReadUIntLine(is, count)) {
        ok = false;
        report.Failed(group, "expected a count");
        return 0;
    }
    return count;
}

// Calls read `count` times; a failed record clears the flag and the next
// record is read from where it stopped. The end of the file ends the group
// (a count never makes the reader loop past the data).
template <class Read>
void ReadRecords(
    std::istream& is, uint32_t count, bool& ok, GroupReport& report, const char* group, Read read)
{
    for (uint32_t i = 0; i < count; ++i) {
        if (AtEnd(is)) {
            ok = false;
            report.Failed(group, "expected more records, found the end of the file");
            return;
        }
        if (!read()) {
            ok = false;
            report.Failed(group, "expected a complete record");
        }
    }
}

// Reads the class line and the element's fields; the element is appended
// only when both are right.
template <class T, class Read>
T* ReadTableRecord(
    std::istream& is, std::vector<T*>& table, const std::string& versionedName, Read readFields)
{
    std::string classLine;
    ReadStringLine(is, classLine);
    if (classLine != versionedName) {
        ReadError(is, versionedName, QuoteFound(classLine));
        return nullptr;
    }
    auto entry = std::make_unique<T>();
    if (!readFields(*entry, is))
        return nullptr;
    table.push_back(entry.release());
    return table.back();
}

} // namespace

Sprite* Game::UnSerializeSprite(Game* game, std::istream& is)
{
    if (game == nullptr)
        return nullptr;
    return ReadTableRecord(
        is, game->sprites, "SpriteV0", [](Sprite& sprite, std::istream& s) { return sprite.UnSerialize(s); });
}

AnimatedSprite* Game::UnSerializeAnimatedSprite(Game* game, std::istream& is)
{
    if (game == nullptr)
        return nullptr;
    return ReadTableRecord(is, game->animatedSprites, "AnimatedSpriteV0",
        [](AnimatedSprite& sprite, std::istream& s) { return sprite.UnSerialize(s); });
}

Sound* Game::UnSerializeSound(Game* game, std::istream& is)
{
    if (game == nullptr)
        return nullptr;
    return ReadTableRecord(
        is, game->sounds, "SoundV0", [](Sound& sound, std::istream& s) { return sound.UnSerialize(s); });
}

UI_Font* Game::UnSerializeFont(Game* game, std::istream& is)
{
    if (game == nullptr)
        return nullptr;
    return ReadTableRecord(is, game->fonts, UI_Font::VersionedClassName(),
        [](UI_Font& font, std::istream& s) { return font.UnSerialize(s); });
}

bool Game::Serialize(std::ostream& os)
{
    if (IsSkipSerialize())
        return true;
    WriteLine(os, GetVersionedClassName());
    WriteLine(os, title);
    WriteLine(os, librarySetting);
    WriteLine(os, CountSerializedEntries(sprites));
    for (Sprite* sprite : sprites)
        if (sprite != nullptr)
            sprite->Serialize(os);
    WriteLine(os, CountSerializedEntries(animatedSprites));
    for (AnimatedSprite* sprite : animatedSprites)
        if (sprite != nullptr)
            sprite->Serialize(os);
    WriteLine(os, CountSerializedEntries(sceneObjects));
    for (SceneObject* object : sceneObjects)
        if (object != nullptr)
            object->Serialize(os);

    WriteLine(os, std::string(kTagMap));
    if (mapModel)
        mapModel->Serialize(os);
    else
        MapModel().Serialize(os);

    WriteLine(os, std::string(kTagSounds));
    WriteLine(os, CountSerializedEntries(sounds));
    for (Sound* sound : sounds) {
        if (sound != nullptr && !sound->IsSkipSerialize()) {
            WriteLine(os, sound->GetVersionedClassName());
            sound->Serialize(os);
        }
    }
    if (soundEventsManager)
        soundEventsManager->Serialize(os);
    else
        SoundEventsManager().Serialize(os);

    WriteLine(os, std::string(kTagFonts));
    WriteLine(os, CountSerializedEntries(fonts));
    for (UI_Font* font : fonts)
        if (font != nullptr)
            font->Serialize(os);

    WriteLine(os, std::string(kTagParticles));
    WriteLine(os, CountSerializedEntries(localParticleSystems));
    for (LocalParticleSystem* system : localParticleSystems)
        if (system != nullptr)
            system->Serialize(os);
    return true;
}

bool Game::UnSerialize(std::istream& is)
{
    TimeSection(console.profileTimers, "Game::UnSerialize", true);
    TimeSection(console.profileTimers, "Game::UnSerialize-read", true);
    GroupReport report(is);
    libraryIndexes = std::make_unique<LibraryIndexes>();

    std::string classLine;
    std::string newTitle;
    ReadStringLine(is, classLine);
    const bool titleRead = !AtEnd(is);
    ReadStringLine(is, newTitle);
    if (titleRead)
        title = newTitle;
    bool ok = ReadFloatLine(is, librarySetting);
    uint32_t count = 0;
    ok = ReadUIntLine(is, count) && ok;
    if (!ok) {
        report.Failed("header", "expected the game library's header");
        count = 0;
    }

    ReadRecords(is, count, ok, report, "sprites", [&] { return UnSerializeSprite(this, is) != nullptr; });
    count = ReadCount(is, ok, report, "animated sprites");
    ReadRecords(is, count, ok, report, "animated sprites",
        [&] { return UnSerializeAnimatedSprite(this, is) != nullptr; });

    if (ReadUpdateTag(is, kTagOldSounds)) {
        count = ReadCount(is, ok, report, "sounds (1.2)");
        ReadRecords(
            is, count, ok, report, "sounds (1.2)", [&] { return UnSerializeSound(this, is) != nullptr; });
    }

    count = ReadCount(is, ok, report, "scene objects");
    ReadRecords(is, count, ok, report, "scene objects", [&] {
        if (UnSerializeSceneObjects(is, this) != nullptr)
            return true;
        ReadError(is, "a scene object of a known class, read whole", "an unknown or damaged record");
        return false;
    });

    if (ReadUpdateTag(is, kTagMap)) {
        if (!mapModel)
            mapModel = std::make_unique<MapModel>();
        // The map records do not decide the outcome.
        if (!mapModel->UnSerialize(is))
            report.Failed("map records", "expected the map records");
    }

    if (ReadUpdateTag(is, kTagSounds)) {
        count = ReadCount(is, ok, report, "sounds");
        ReadRecords(is, count, ok, report, "sounds", [&] { return UnSerializeSound(this, is) != nullptr; });
        if (ok && soundEventsManager) {
            ok = soundEventsManager->UnSerialize(is);
            if (!ok)
                report.Failed("sound events", "expected the sound events");
        }
    }

    if (ReadUpdateTag(is, kTagFonts)) {
        count = ReadCount(is, ok, report, "fonts");
        ReadRecords(is, count, ok, report, "fonts", [&] { return UnSerializeFont(this, is) != nullptr; });
    }

    if (ReadUpdateTag(is, kTagParticles)) {
        count = ReadCount(is, ok, report, "particle systems");
        // Every record read is kept; its own read does not decide the outcome.
        for (uint32_t i = 0; i < count && !AtEnd(is); ++i) {
            auto* system = new LocalParticleSystem(0, 0, 0, 0);
            std::string systemClass;
            ReadStringLine(is, systemClass);
            if (!system->UnSerialize(is))
                report.Failed("particle systems", "expected a particle system");
            localParticleSystems.push_back(system);
        }
    }

    TimeSection(console.profileTimers, "Game::UnSerialize-read", true);
    TimeSection(console.profileTimers, "Game::InitAllSceneObject", true);
    InitAllSceneObject();
    TimeSection(console.profileTimers, "Game::InitAllSceneObject", true);
    TimeSection(console.profileTimers, "Game::Init", true);
    Init(this);
    TimeSection(console.profileTimers, "Game::Init", true);
    libraryIndexes.reset();
    TimeSection(console.profileTimers, "Game::UnSerialize", true);
    return ok;
}
