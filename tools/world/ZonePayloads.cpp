#include "tools/world/ZonePayloads.h"

#include "engine/serial/LineReaders.h"
#include "scene/PayloadFactory.h"
#include "tools/world/GameLibraryWriter.h"
#include "tools/world/WorldText.h"
#include "zones/Point_MinimapLocation.h"
#include "zones/Point_PlayerStart.h"
#include "zones/ZonePayloadKinds.h"
#include "zones/Zone_LoadMap.h"
#include "zones/Zone_NPCSpawner_BoatPlant.h"
#include "zones/Zone_NPCSpawner_Boss_Cave.h"
#include "zones/Zone_NPCSpawner_Door.h"
#include "zones/Zone_NPCSpawner_DreamCatcher.h"
#include "zones/Zone_NPCSpawner_FloatingSkull.h"
#include "zones/Zone_NPCSpawner_JellyFish.h"
#include "zones/Zone_NPCSpawner_MiniBoss_FloatingSkull.h"
#include "zones/Zone_PickupObject.h"
#include "zones/Zone_Save.h"
#include "zones/Zone_TriggerScript.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <sstream>

namespace {

// Sets one option on a payload: empty on success, else what was expected.
using Setter = std::string (*)(SceneObjectInstance&, const std::string&);

struct Option {
    std::string_view key;
    Setter set;
};

template <class M> struct MemberOf;
template <class C, class V> struct MemberOf<V C::*> {
    using Class = C;
};

bool WholeNumber(const std::string& text, int32_t& value)
{
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    return !text.empty() && error == std::errc() && stop == end;
}

std::string Assign(IntSerialize& member, const std::string& text)
{
    return WholeNumber(text, member.value) ? "" : "a whole number";
}

std::string Assign(StrSerialize& member, const std::string& text)
{
    // A string member is one line of the file: no control character but tab.
    for (unsigned char c : text)
        if (c < 0x20 && c != '\t')
            return "text on one line";
    member.value = text;
    return "";
}

std::string Assign(PointSerialize<int>& member, const std::string& text)
{
    std::vector<std::string> words = SplitWords(text);
    Point<int> read;
    if (words.size() != 2 || !WholeNumber(words[0], read.x) || !WholeNumber(words[1], read.y))
        return "two whole numbers \"X Y\"";
    member.value = read;
    return "";
}

// The option setter of a payload class's member.
template <auto M> std::string Set(SceneObjectInstance& payload, const std::string& text)
{
    auto* instance = dynamic_cast<typename MemberOf<decltype(M)>::Class*>(&payload);
    if (instance == nullptr)
        return "a payload of the option's own class";
    return Assign(instance->*M, text);
}

std::string SetStartName(SceneObjectInstance& payload, const std::string& text)
{
    auto* start = dynamic_cast<Point_PlayerStart::Instance*>(&payload);
    if (start == nullptr || text.empty())
        return "a start-point name";
    // The game finds a start point by the payload's name (member 0); the
    // start name (member 2) says the same.
    start->SetName(text);
    start->SetStartName(text);
    return "";
}

std::string SetPickupKind(SceneObjectInstance& payload, const std::string& text)
{
    auto* pickup = dynamic_cast<Zone_PickupObject::Instance*>(&payload);
    int32_t kind = 0;
    if (pickup == nullptr || !WholeNumber(text, kind) || kind < 0 || kind >= Zone_PickupObject::kKindCount)
        return "a pickup kind from 0 to " + std::to_string(Zone_PickupObject::kKindCount - 1);
    pickup->kind.value = kind;
    return "";
}

// The options of each type that has any, by object name, in record order.
const std::map<std::string_view, std::vector<Option>>& OptionTable()
{
    using Skull = Zone_NPCSpawner_FloatingSkull::Instance;
    using Plant = Zone_NPCSpawner_BoatPlant::Instance;
    static const std::map<std::string_view, std::vector<Option>> table = {
        {"Point_PlayerStart", {{"name", &SetStartName}}},
        {"Point_MinimapLocation", {{"cell", &Set<&Point_MinimapLocation::Instance::point>}}},
        {"Zone_LoadMap",
            {{"level", &Set<&Zone_LoadMap::Instance::levelFile>},
                {"start", &Set<&Zone_LoadMap::Instance::startPoint>}}},
        {"Zone_Save", {{"dir", &Set<&Zone_Save::Instance::direction>}}},
        {"Zone_PickupObject",
            {{"kind", &SetPickupKind}, {"param", &Set<&Zone_PickupObject::Instance::parameter>}}},
        {"Zone_TriggerZone", {{"graphic", &Set<&Zone_TriggerScript::Instance::graphicName>}}},
        {"Zone_NPCSpawner_Door",
            {{"DoorKind", &Set<&Zone_NPCSpawner_Door::Instance::DoorKind>},
                {"DoorSide", &Set<&Zone_NPCSpawner_Door::Instance::DoorSide>}}},
        {"Zone_NPCSPawner_FloatingSkull",
            {{"SpawnCount", &Set<&Skull::SpawnCount>}, {"SkullKind", &Set<&Skull::SkullKind>}}},
        {"Zone_NPCSpawner_JellyFish",
            {{"SpawnCount", &Set<&Zone_NPCSpawner_JellyFish::Instance::SpawnCount>}}},
        {"Zone_NPCSpawner_DreamCatcher",
            {{"ProjectileCount", &Set<&Zone_NPCSpawner_DreamCatcher::Instance::ProjectileCount>}}},
        {"Zone_NPCSpawner_MiniBoss_FloatingSkull",
            {{"ChildCount", &Set<&Zone_NPCSpawner_MiniBoss_FloatingSkull::Instance::ChildCount>}}},
        {"Zone_NPCSpawner_Boss_Cave", {{"HeadRole", &Set<&Zone_NPCSpawner_Boss_Cave::Instance::HeadRole>}}},
        {"Zone_NPCSpawner_BoatPlant",
            {{"LinkedZoneName", &Set<&Plant::LinkedZoneName>},
                {"PlantParameter", &Set<&Plant::PlantParameter>}}},
    };
    return table;
}

// The payload factory's key for an object's placements; empty for an object
// without a payload.
std::string PayloadKey(const std::string& object)
{
    static const std::map<std::string, std::string> keys = [] {
        std::map<std::string, std::string> made;
        for (const std::string& name : ZoneTypeNames()) {
            const bool point = name.rfind("Point_", 0) == 0;
            const std::string key = ZoneClassName(name) + (point ? "::PointInstanceV0" : "::InstanceV0");
            if (IsPayloadKey(key))
                made[name] = key;
        }
        return made;
    }();
    auto it = keys.find(object);
    return it == keys.end() ? std::string() : it->second;
}

// A payload as the level reader makes it from a record of no members: the
// class's own defaults (and the name a class gives all its placements).
std::unique_ptr<SceneObjectInstance> DefaultPayload(const std::string& key)
{
    RegisterZonePayloadKinds();
    std::ostringstream record;
    WriteLine(record, SceneObjectInstance::kTagFormat);
    WriteLine(record, int32_t(2));
    WriteLine(record, uint32_t(0));
    std::istringstream in(record.str());
    return CreatePayloadByKey(key, in);
}

std::string Written(SceneObjectInstance& payload)
{
    std::ostringstream os;
    payload.Serialize(os);
    return os.str();
}

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

} // namespace

bool HasPayload(const std::string& object)
{
    return !PayloadKey(object).empty();
}

std::vector<std::string> PayloadOptionKeys(const std::string& object)
{
    std::vector<std::string> keys;
    auto it = OptionTable().find(object);
    if (it != OptionTable().end())
        for (const Option& option : it->second)
            keys.emplace_back(option.key);
    return keys;
}

std::unique_ptr<SceneObjectInstance> MakePayload(const ModelInstance& placed, const std::string& source)
{
    auto fail = [&](const std::string& expected, const std::string& found) {
        throw WorldError(source, placed.line, "expected " + expected + ", found " + found);
    };
    const std::vector<std::string> keys = PayloadOptionKeys(placed.object);
    std::string known;
    for (const std::string& key : keys)
        known += (known.empty() ? "" : ", ") + key + "=";
    for (const auto& [key, value] : placed.options)
        if (std::find(keys.begin(), keys.end(), key) == keys.end())
            fail(known.empty() ? "no option for " + placed.object
                               : "an option of " + placed.object + " (" + known + ")",
                Quoted(key + "=" + value));

    const std::string key = PayloadKey(placed.object);
    if (key.empty())
        return nullptr;
    std::unique_ptr<SceneObjectInstance> payload = DefaultPayload(key);
    if (!payload)
        fail("a zone or point type the game can read", Quoted(placed.object));
    if (dynamic_cast<PointInstance*>(payload.get()) != nullptr && placed.w > 0 && placed.h > 0)
        fail("no size for a point (it is a position)",
            Quoted(std::to_string(placed.w / 32) + "x" + std::to_string(placed.h / 32)));
    // A class that names all its placements keeps that name.
    if (payload->GetName().empty())
        payload->SetName(placed.name);
    if (auto* zone = dynamic_cast<ZoneInstance*>(payload.get());
        zone != nullptr && placed.w > 0 && placed.h > 0)
        zone->SetSize(Point<int>(placed.w, placed.h));

    if (auto it = OptionTable().find(placed.object); it != OptionTable().end())
        for (const Option& option : it->second) {
            auto value = placed.options.find(std::string(option.key));
            if (value == placed.options.end())
                continue;
            const std::string expected = option.set(*payload, value->second);
            if (!expected.empty())
                fail(expected + " for " + std::string(option.key) + "=", Quoted(value->second));
        }
    if (auto* start = dynamic_cast<Point_PlayerStart::Instance*>(payload.get());
        start != nullptr && start->GetName().empty())
        start->SetStartName(placed.name);
    if (auto* pickup = dynamic_cast<Zone_PickupObject::Instance*>(payload.get()); pickup != nullptr
        && pickup->kind.value == Zone_PickupObject::kMapPieces
        && Zone_PickupObject::ParseMapCells(pickup->parameter.value).empty())
        fail("the cells of a map piece in param= (\"X Y\" or \"X1 Y1-X2 Y2\", \";\" between)",
            Quoted(pickup->parameter.value));
    if (auto* trigger = dynamic_cast<Zone_TriggerScript::Instance*>(payload.get())) {
        // Stored on one line: ";" stands for each line break.
        std::string text;
        for (size_t i = 0; i < placed.script.size(); ++i)
            text += (i == 0 ? "" : ";") + placed.script[i];
        if (const std::string expected = Assign(trigger->scriptText, text); !expected.empty())
            fail("a script of " + expected, Quoted(text));
    }

    // The record must read back as written, or the level file would not.
    const std::string written = Written(*payload);
    std::istringstream in(written.substr(written.find('\n') + 1));
    std::unique_ptr<SceneObjectInstance> again = CreatePayloadByKey(key, in);
    if (!again || Written(*again) != written)
        fail("a payload that reads back as written", Quoted(placed.name) + " of " + placed.object);
    return payload;
}
