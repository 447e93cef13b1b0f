#include "characters/Player.h"
#include "game/Game.h"
#include "game/ScriptGameCommands.h"
#include "scene/Camera.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "scene/SpacialInstance.h"
#include "script/BGEvent_ChangeCameraTo.h"
#include "script/Script.h"
#include "script/ScriptCommandSupport.h"

namespace ScriptGameCommands {

using ScriptCommandSupport::QueueEvent;
using ScriptCommandSupport::TriggerLevel;

namespace {

// Sends the camera travelling so that the point is centred, at the speed,
// and queues the event that waits for its arrival.
bool TravelTo(Script& script, Point<float> centre, const std::string& speed, bool stopOnArrival)
{
    Game* game = Game::GetInstance();
    if (game == nullptr)
        return false;
    Camera& camera = game->GetCamera();
    camera.SetSpeed(1.0f);
    camera.SetTravelSpeed(static_cast<float>(ScriptCommandSupport::Real(speed)));
    camera.TravelTo(centre);
    const Point<float> corner = camera.GetTarget();
    return QueueEvent(script,
               new BGEvent_ChangeCameraTo("ScriptEvent_BGEvent_ChangeCameraTo", stopOnArrival,
                   static_cast<int>(corner.x), static_cast<int>(corner.y)),
               true)
        != nullptr;
}

} // namespace

bool ChangeCameraTargetToPlayer(Script& script, const Tokens& tokens)
{
    Game* game = Game::GetInstance();
    if (game == nullptr || game->GetPlayer() == nullptr)
        return false;
    return TravelTo(script, game->GetPlayer()->GetCenter(), tokens[0], true);
}

bool ChangeCameraTargetToLocator(Script& script, const Tokens& tokens)
{
    Level* level = TriggerLevel(script);
    if (level == nullptr)
        return false;
    for (int i = 0; i < level->GetLayerCount(Level::kScene); ++i) {
        Layer* layer = level->GetLayerAt(Level::kScene, i);
        Layer::Instance* locator = layer != nullptr ? layer->FindInstanceByName(tokens[0]) : nullptr;
        if (locator == nullptr)
            continue;
        // The centre of a zone; a point is looked at where it stands.
        Point<int> size(0, 0);
        GetZonePayloadSize(locator->GetPayload(), size);
        const Point<float> centre(locator->GetPosition().x + static_cast<float>(size.x) / 2.0f,
            locator->GetPosition().y + static_cast<float>(size.y) / 2.0f);
        // The camera stays on the locator once there.
        return TravelTo(script, centre, tokens[1], false);
    }
    return false;
}

bool ChangeGraphicalOnLayer(Script& script, const Tokens& tokens)
{
    Level* level = TriggerLevel(script);
    if (level == nullptr)
        return false;
    Layer* layer = level->GetLayer(Level::kForeground, tokens[0]);
    if (layer == nullptr)
        layer = level->GetLayer(Level::kScene, tokens[0]);
    if (layer == nullptr)
        layer = level->GetLayer(Level::kBackground, tokens[0]);
    Game* game = Game::GetInstance();
    GraphicalObject* old = game != nullptr ? game->FindGraphicalObject(tokens[1], false) : nullptr;
    GraphicalObject* replacement = game != nullptr ? game->FindGraphicalObject(tokens[2], false) : nullptr;
    if (layer != nullptr && old != nullptr && replacement != nullptr)
        layer->ReplaceObject(old, replacement);
    return true;
}

bool SetLayerVisible(Script& script, const Tokens& tokens)
{
    Level* level = TriggerLevel(script);
    if (level == nullptr)
        return false;
    for (int list : {Level::kBackground, Level::kForeground, Level::kScene}) {
        if (Layer* layer = level->GetLayer(list, tokens[0])) {
            layer->SetVisible(tokens[1] != "0");
            break;
        }
    }
    return true;
}

bool PreLoadGraphical(Script&, const Tokens& tokens)
{
    Game* game = Game::GetInstance();
    // Queued for the render thread when it records, else loaded now.
    if (game != nullptr)
        GraphicalObject::LoadImages(game->FindGraphicalObject(tokens[0], false), false);
    return true;
}

} // namespace ScriptGameCommands
