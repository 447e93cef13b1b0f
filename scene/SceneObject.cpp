#include "scene/SceneObject.h"

#include "engine/serial/LineReaders.h"
#include "engine/serial/ReaderContext.h"
#include "engine/serial/TypeNames.h"
#include "engine/sound/SoundEvent.h"
#include "engine/sound/SoundEventsManager.h"
#include "engine/sound/SoundGameAccess.h"
#include "scene/CameraBlocker.h"
#include "scene/GameplayObject.h"
#include "scene/GraphicalObject.h"
#include "scene/Level.h"
#include "scene/SceneGameAccess.h"
#include "scene/SceneObjectHandle.h"

namespace {

SoundEventsManager* GameSoundEvents()
{
    SoundGameAccess* access = GetSoundGameAccess();
    return access ? access->GetSoundEventsManager() : nullptr;
}

} // namespace

SceneObject::SceneObject(std::string name_)
    : typeName(TypeNames::SceneObject)
    , name(std::move(name_))
{
}

SceneObject::SceneObject(const SceneObject& other)
    : ISerialization(other)
    , typeName(other.typeName)
    , name(other.name)
    , category(other.category)
    , colour(other.colour)
    , soundNames(other.soundNames)
{
    // The copy gets its own sound events (LoadSounds) and its own handle.
}

SceneObject& SceneObject::operator=(const SceneObject& other)
{
    if (this == &other)
        return *this;
    ISerialization::operator=(other);
    name = other.name;
    category = other.category;
    colour = other.colour;
    return *this;
}

SceneObject::~SceneObject()
{
    UnloadSounds(true);
    if (handle != nullptr) {
        handle->target = nullptr;
        // Holders still hold it: it stays registered with a null target.
        if (handle->refCount == 0)
            SceneObjectHandle::Unregister(handle);
        handle = nullptr;
    }
}

std::string SceneObject::GetVersionedClassName()
{
    return typeName + "V0";
}

bool SceneObject::Serialize(std::ostream& os)
{
    if (IsSkipSerialize())
        return true;
    WriteLine(os, GetVersionedClassName());
    WriteLine(os, name);
    WriteLine(os, category);
    WriteLine(os, "_SceneObject_updatetag_1.0_");
    WriteLine(os, static_cast<uint32_t>(colour.r));
    WriteLine(os, static_cast<uint32_t>(colour.g));
    WriteLine(os, static_cast<uint32_t>(colour.b));
    WriteLine(os, static_cast<uint32_t>(colour.a));
    return true;
}

bool SceneObject::UnSerialize(std::istream& is)
{
    SceneObjectRecord record;
    if (!ReadSceneObjectRecord(is, record))
        return false;
    TakeSceneObjectRecord(std::move(record));
    PostUnSerialize();
    return true;
}

bool SceneObject::ReadSceneObjectRecord(std::istream& is, SceneObjectRecord& record)
{
    if (!ReadTextLine(is, record.name) || !ReadTextLine(is, record.category))
        return false;
    // The line after the category: the marker leads to the colour lines, as
    // does no line at all (a record cut there reads no colour and keeps the
    // one it has); any other line belongs to an older layout without colour.
    const bool tagged = ReadUpdateTag(is, "_SceneObject_updatetag_1.0_");
    if (!tagged && is.peek() == std::char_traits<char>::eof()) {
        record.hasColour = true;
        return true;
    }
    record.hasColour = tagged;
    if (!record.hasColour)
        return true;
    // Reading stops at the first channel that does not read: it and the
    // channels before it are taken, the lines after it stay unread for the
    // next reader, and the record still counts as read.
    for (int32_t* channel : {&record.colour.r, &record.colour.g, &record.colour.b, &record.colour.a}) {
        const LenientRead lenient(is);
        uint32_t value = 0;
        if (!ReadUIntLine(is, value)) {
            lenient.Skipped("the colour");
            return true;
        }
        *channel = static_cast<int32_t>(value);
        ++record.coloursRead;
    }
    return true;
}

void SceneObject::TakeSceneObjectRecord(SceneObjectRecord&& record)
{
    name = std::move(record.name);
    category = std::move(record.category);
    if (record.hasColour) {
        int32_t* channels[] = {&colour.r, &colour.g, &colour.b, &colour.a};
        const int32_t read[] = {record.colour.r, record.colour.g, record.colour.b, record.colour.a};
        for (int i = 0; i < record.coloursRead; ++i)
            *channels[i] = read[i];
    } else
        AssignColourByKind();
}

void SceneObject::AssignColourByKind()
{
    // Older records carry no colour: the editor colour follows the kind of
    // object, later rules overriding earlier ones.
    if (dynamic_cast<GameplayObject*>(this) != nullptr) {
        colour = Color(50, 200, 250, 255);
        if (name == "Zone Teleport")
            colour = Color(250, 250, 0, 255);
    }
    if (dynamic_cast<CameraBlocker*>(this) != nullptr)
        colour = Color(50, 100, 205, 255);
    if (category == "(Player)" && name.find("Ice") != std::string::npos)
        colour = Color(50, 100, 250, 255);
    if (category == "(Player)" && name.find("Fire") != std::string::npos)
        colour = Color(250, 50, 100, 255);
}

SceneObject* SceneObject::Clone(bool)
{
    return nullptr;
}

void SceneObject::LoadSoundsOf(SceneObject* object)
{
    if (object != nullptr)
        object->LoadSounds();
}

bool SceneObject::IsStatic()
{
    return false;
}

void SceneObject::DeclareSounds()
{
}

void SceneObject::DeclareSound(std::string soundName)
{
    soundNames.push_back(std::move(soundName));
}

void SceneObject::LoadSounds()
{
    if (soundNames.empty())
        DeclareSounds();
    UnloadSounds(false);
    SoundEventsManager* manager = GameSoundEvents();
    if (manager == nullptr)
        return;
    // Event i always belongs to name i: an unknown name keeps a null slot.
    for (const std::string& soundName : soundNames) {
        SoundEvent* event = manager->CopyEventForObject(soundName);
        if (event != nullptr)
            event->CreateVoices();
        soundEvents.push_back(event);
    }
}

void SceneObject::UnloadSounds(bool clearNames)
{
    if (SoundEventsManager* manager = GameSoundEvents()) {
        for (SoundEvent*& event : soundEvents)
            manager->ReleaseEvent(&event);
        soundEvents.clear();
    }
    if (clearNames)
        soundNames.clear();
}

int SceneObject::FindSoundIndex(const std::string& soundName) const
{
    for (size_t i = 0; i < soundEvents.size(); ++i) {
        if (soundEvents[i] != nullptr && soundEvents[i]->GetName() == soundName)
            return static_cast<int>(i);
    }
    return -1;
}

bool SceneObject::PlaySound(std::string soundName)
{
    return PlaySoundAt(FindSoundIndex(soundName));
}

bool SceneObject::PlaySoundAt(int index)
{
    SoundEvent* event = GetSoundEvent(index);
    if (event == nullptr)
        return false;
    event->Play();
    return true;
}

bool SceneObject::StopSound(std::string soundName)
{
    return StopSoundAt(FindSoundIndex(soundName));
}

bool SceneObject::StopSoundAt(int index)
{
    SoundEvent* event = GetSoundEvent(index);
    if (event == nullptr)
        return false;
    event->Stop();
    return true;
}

SoundEvent* SceneObject::GetSoundEvent(int index)
{
    if (index < 0 || index >= static_cast<int>(soundEvents.size()))
        return nullptr;
    return soundEvents[static_cast<size_t>(index)];
}

bool SceneObject::DetachSoundAt(int index)
{
    SoundEvent* event = GetSoundEvent(index);
    SoundEventsManager* manager = GameSoundEvents();
    if (event == nullptr || manager == nullptr || !manager->Detach(event))
        return false;
    soundEvents[static_cast<size_t>(index)] = nullptr;
    return true;
}

void SceneObject::Update(double)
{
}

void SceneObject::UpdateSounds()
{
    for (SoundEvent* event : soundEvents) {
        if (event != nullptr)
            event->UpdatePositional();
    }
}

void SceneObject::ReleaseSounds(SceneObject* receiver)
{
    if (receiver != nullptr) {
        for (SoundEvent* event : soundEvents) {
            if (event != nullptr)
                receiver->soundEvents.push_back(event);
        }
    }
    soundEvents.clear();
}

void SceneObject::PostUnSerialize()
{
}

void SceneObject::Init()
{
    LoadSounds();
}

SceneObjectHandle* SceneObject::GetHandle()
{
    if (handle == nullptr)
        handle = SceneObjectHandle::Create(this);
    return handle;
}

SceneObject* SceneObject::UnSerializeReference(std::istream& is, Level* level)
{
    std::string objectName;
    if (!ReadTextLine(is, objectName))
        return nullptr;
    return FindReference(objectName, level);
}

SceneObject* SceneObject::FindReference(const std::string& objectName, Level* level)
{
    if (level != nullptr) {
        if (SceneObject* found = level->FindObjectByName(objectName))
            return found;
    }
    SceneGameAccess* game = GetSceneGameAccess();
    SceneObject* object = game != nullptr ? game->FindSceneObject(objectName) : nullptr;
    // Later references to the same name then find it in the level.
    if (level != nullptr) {
        if (auto* graphical = dynamic_cast<GraphicalObject*>(object))
            level->AddSceneObject(graphical);
    }
    return object;
}
