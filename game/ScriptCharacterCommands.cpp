#include "characters/CharacterObject.h"
#include "characters/FullScreenParticleSystem.h"
#include "characters/LocalParticleSystem.h"
#include "characters/Player.h"
#include "characters/PlayerModifier.h"
#include "engine/app/NumberArguments.h"
#include "engine/platform/Random.h"
#include "engine/serial/LineReaders.h"
#include "game/Game.h"
#include "game/ScriptGameCommands.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "scene/SpacialInstance.h"
#include "script/BGEvent_ChangeNPCPosTo.h"
#include "script/BGEvent_HandleDropItem.h"
#include "script/BGEvent_HandleParticleSystem.h"
#include "script/BGEvent_PickupCinematic.h"
#include "script/BGEvent_WaitEndOfAnimation.h"
#include "script/Script.h"
#include "script/ScriptCommandSupport.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <sstream>

namespace ScriptGameCommands {

using ScriptCommandSupport::CurrentLevel;
using ScriptCommandSupport::QueueEvent;
using ScriptCommandSupport::TriggerLevel;

namespace {

// The most pickups one "PopPickupInTrigger" line may drop: each is an event
// on the level, and a script's count must not flood the queue.
constexpr int kMaxPickupsPerCommand = 100;

std::vector<CharacterObject*> CharactersNamed(const std::string& name)
{
    Game* game = Game::GetInstance();
    return game != nullptr ? game->FindCharactersByName(name, nullptr, false)
                           : std::vector<CharacterObject*>();
}

CharacterObject* CharacterNamed(const std::string& name)
{
    Game* game = Game::GetInstance();
    return game != nullptr ? game->FindCharacterByName(name, nullptr) : nullptr;
}

// The first layer of the name in the lists, searched in the order given.
Layer* FindLayer(Level& level, std::initializer_list<int> lists, const std::string& name)
{
    for (int list : lists) {
        if (Layer* layer = level.GetLayer(list, name))
            return layer;
    }
    return nullptr;
}

// Whether the game's player has found the crossbow.
bool CarriesCrossbow()
{
    Game* game = Game::GetInstance();
    Player* player = game != nullptr ? game->GetPlayer() : nullptr;
    PlayerArmorCrossbow* crossbow = player != nullptr ? GetPlayerArmorCrossbow(player) : nullptr;
    return crossbow != nullptr && crossbow->IsEnabled();
}

} // namespace

bool SendMessageTo(Script&, const Tokens& tokens)
{
    const std::string argument = tokens.size() > 2 ? tokens[2] : std::string();
    for (CharacterObject* character : CharactersNamed(tokens[0]))
        character->HandleScriptCommand(tokens[1], argument);
    return true;
}

bool SetGraphical(Script& script, const Tokens& tokens)
{
    Game* game = Game::GetInstance();
    if (TriggerLevel(script) == nullptr || game == nullptr)
        return false;
    for (CharacterObject* character : CharactersNamed(tokens[0])) {
        std::unique_ptr<GraphicalObject> object(game->FindGraphicalObject(tokens[1], true));
        if (object == nullptr)
            continue;
        object->RestartAnimations(false);
        character->SetOwnedGraphical(std::move(object));
    }
    return true;
}

bool WaitEndOfAnimation(Script& script, const Tokens& tokens)
{
    if (TriggerLevel(script) == nullptr)
        return false;
    CharacterObject* character = CharacterNamed(tokens[0]);
    if (character == nullptr)
        return true;
    return QueueEvent(script,
               new BGEvent_WaitEndOfAnimation("ScriptEvent_BGEvent_WaitEndOfAnimation", character), true)
        != nullptr;
}

bool ChangeNPCTargetToLocator(Script& script, const Tokens& tokens)
{
    CharacterObject* mover = CharacterNamed(tokens[0]);
    CharacterObject* locator = CharacterNamed(tokens[1]);
    if (mover == nullptr || locator == nullptr)
        return true;
    const Point<float> to = locator->GetPosition();
    return QueueEvent(script,
               new BGEvent_ChangeNPCPosTo("ScriptEvent_BGEvent_ChangeNPCPosTo", mover,
                   static_cast<float>(ScriptCommandSupport::Real(tokens[2])), static_cast<int>(to.x),
                   static_cast<int>(to.y)),
               true)
        != nullptr;
}

bool UseParticleSystem(Script& script, const Tokens& tokens)
{
    if (TriggerLevel(script) == nullptr)
        return false;
    CharacterObject* character = CharacterNamed(tokens[0]);
    LocalParticleSystem* definition = Game::FindLocalParticleSystem(tokens[1]);
    if (character == nullptr || definition == nullptr)
        return true;
    std::vector<LocalParticleSystem*> list {definition};
    const Point<float> at = character->GetCenter();
    CharacterObject::LaunchParticleEffect(
        nullptr, list, character, true, static_cast<int>(at.x), static_cast<int>(at.y));
    return true;
}

bool AddLocalParticles(Script& script, const Tokens& tokens)
{
    LocalParticleSystem* definition = Game::FindLocalParticleSystem(tokens[0]);
    Script::Instance* trigger = script.GetOwnerInstance();
    Level* level = CurrentLevel();
    if (definition == nullptr || trigger == nullptr || trigger->GetPayload() == nullptr || level == nullptr)
        return false;
    std::unique_ptr<LocalParticleSystem> system(LocalParticleSystem::CopyConstruct(*definition));
    Layer* layer = system->IsInFront() ? level->GetFirstLayer(Level::kScene, -1.0f, -1.0f)
                                       : level->GetLastLayer(Level::kScene, -1.0f, -1.0f);
    if (layer == nullptr)
        return false;
    const Point<int> size = trigger->GetSize();
    const Point<int> centre(static_cast<int>(trigger->GetPosition().x) + size.x / 2,
        static_cast<int>(trigger->GetPosition().y) + size.y / 2);
    LocalParticleSystem* placed = system.get();
    layer->AddParticleSystem(std::move(system));
    return QueueEvent(script, new BGEvent_HandleParticleSystem("SCRIPT_PART", placed, false, centre), false)
        != nullptr;
}

bool AddFullscreenParticles(Script&, const Tokens& tokens)
{
    Level* level = CurrentLevel();
    Game* game = Game::GetInstance();
    if (level == nullptr || game == nullptr)
        return false;
    Layer* layer = FindLayer(*level, {Level::kBackground, Level::kScene, Level::kForeground}, tokens[0]);
    if (layer == nullptr)
        return false;
    std::vector<GraphicalObject*> objects;
    int64_t widest = 0;
    int64_t tallest = 0;
    std::istringstream names(tokens[3]);
    std::string name;
    while (std::getline(names, name, ',')) {
        if (GraphicalObject* object = game->FindGraphicalObject(name, false)) {
            objects.push_back(object);
            widest = std::max<int64_t>(widest, object->GetSize().x);
            tallest = std::max<int64_t>(tallest, object->GetSize().y);
        }
    }
    const int gapX = ScriptCommandSupport::Integer(tokens[1]);
    const int gapY = ScriptCommandSupport::Integer(tokens[2]);
    // Cells of at least one pixel: a negative gap must not divide by zero.
    const int64_t cellWidth = std::max<int64_t>(1, widest + gapX);
    const int64_t cellHeight = std::max<int64_t>(1, tallest + gapY);
    const int64_t count = (448 / cellHeight + 8) * (512 / cellWidth + 8);
    auto system = std::make_unique<FullScreenParticleSystem>(gapX, gapY, static_cast<int>(count), objects);
    auto real = [&tokens](size_t i) { return static_cast<float>(ScriptCommandSupport::Real(tokens[i])); };
    system->SetParameters(real(4), real(5), real(6), real(7), real(8), real(9), real(10), real(11));
    layer->AddParticleSystem(std::move(system));
    return true;
}

bool RunPickupCinematic(Script& script, const Tokens& tokens)
{
    Game* game = Game::GetInstance();
    if (game == nullptr)
        return false;
    const int mode = ScriptCommandSupport::Integer(tokens[0]);
    auto number
        = [&tokens](size_t i) { return i < tokens.size() ? ScriptCommandSupport::Integer(tokens[i]) : 0; };
    auto object = [&tokens, game](size_t i) {
        return i < tokens.size() ? game->FindGraphicalObject(tokens[i], false) : nullptr;
    };
    // Modes 4 and 6 read their third and fourth tokens as a position in
    // whole pixels, which the cut-scene adds to the player's.
    if (mode == kPickupObjectAt || mode == kPickupBurst) {
        ArgumentNumbers read;
        for (size_t i = 2; i < std::min<size_t>(tokens.size(), 4); ++i) {
            int32_t coordinate = 0;
            read.Int(tokens[i], -kMaxCoordinate, kMaxCoordinate, coordinate);
        }
        if (!read.Ok()) {
            script.SetLineError(read.Error());
            return false;
        }
    }
    game->pickupCinematicKind = mode;
    if (Player* player = game->GetPlayer(); player != nullptr && player->IsSpiderForm())
        player->ToggleSpiderForm();
    if (mode == kPickupObjectAt || mode == kPickupObject) {
        game->cinematicObject = object(1);
        if (mode == kPickupObjectAt)
            game->cinematicPosition = Point<int>(number(2), number(3));
        game->cinematicCounter = 0;
        return true;
    }
    BGEvent_PickupCinematic* event = nullptr;
    // The command names no particle system: the cut-scene takes the world's
    // burst by name (none when the library lacks it).
    LocalParticleSystem* burst = Game::FindLocalParticleSystem("PS_PickupBurst");
    // The modes that darken the screen keep the player's layer above it.
    if (mode == kPickupAnimation || mode == kPickupAnimationShort || mode == kPickupCrossbow
        || mode == kPickupBurst) {
        Level* level = CurrentLevel();
        if (Layer* layer = level != nullptr ? level->GetLayer(Level::kScene, "Scene Layer 00") : nullptr)
            game->cinematicLayers.push_back(layer);
    }
    if (mode == kPickupAnimation || mode == kPickupAnimationShort)
        event = new BGEvent_PickupCinematic(
            "ScriptEvent_BGEvent_PickupCinematic", object(1), object(2), burst, 0, 0);
    else if (mode == kPickupCrossbow)
        event = new BGEvent_PickupCinematic(
            "ScriptEvent_BGEvent_PickupCinematic", nullptr, nullptr, burst, 0, 0);
    else if (mode == kPickupBurst) {
        game->cinematicCounter = 0;
        event = new BGEvent_PickupCinematic(
            "ScriptEvent_BGEvent_PickupCinematic", nullptr, nullptr, burst, number(2), number(3));
    }
    if (event == nullptr)
        return true;
    return QueueEvent(script, event, true) != nullptr;
}

bool PopPickupInTrigger(Script& script, const Tokens& tokens)
{
    if (TriggerLevel(script) == nullptr)
        return false;
    CharacterObject* character = CharacterNamed(tokens[0]);
    if (character == nullptr)
        return true;
    // A grid of 16-pixel cells over the character's box, at least one cell.
    const int columns = std::max(1, character->GetSize().x / 16);
    const int rows = std::max(1, character->GetSize().y / 16);
    const int count = ScriptCommandSupport::Integer(tokens[1]);
    if (count > kMaxPickupsPerCommand) {
        script.SetLineError("expected at most " + std::to_string(kMaxPickupsPerCommand) + " pickups, found \""
            + tokens[1] + "\"");
        return false;
    }
    const Point<float> at = character->GetPosition();
    for (int i = 0; i < count; ++i) {
        const uint32_t cell = platform::Random32() % static_cast<uint32_t>(columns * rows);
        const int column = static_cast<int>(cell) % columns;
        const int row = static_cast<int>(cell) / columns;
        // Life points, or once the player carries the crossbow, a bolt or a
        // life point with one chance in two.
        const int kind = CarriesCrossbow() && platform::Random32() % 2 == 0
            ? BGEvent_HandleDropItem::kCrossbowCharge
            : BGEvent_HandleDropItem::kLifePoint;
        QueueEvent(script,
            new BGEvent_HandleDropItem("DropItem", kind,
                Point<int>(static_cast<int>(at.x) + column * 16, static_cast<int>(at.y) + row * 16)),
            false);
    }
    return true;
}

bool SetPlayerFullLife(Script&, const Tokens&)
{
    Game* game = Game::GetInstance();
    if (game == nullptr || game->GetPlayer() == nullptr)
        return false;
    game->GetPlayer()->SetLife(game->GetPlayer()->GetMaxLife());
    return true;
}

} // namespace ScriptGameCommands
