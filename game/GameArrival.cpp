#include "game/Game.h"

#include "characters/Player.h"
#include "characters/PlayerLayerCollisions.h"
#include "characters/PlayerModifier.h"
#include "characters/PlayerWorld.h"
#include "engine/platform/DebugOutput.h"
#include "game/GamePlayerWorld.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "scene/MapModel.h"
#include "scene/SpacialInstance.h"
#include "script/ScriptVar.h"
#include "zones/Point_PlayerStart.h"
#include "zones/ZoneInstance.h"
#include "zones/Zone_Teleport.h"

#include <algorithm>
#include <cmath>

// Where the player arrives in a level it enters, and the progress the live
// game takes from the save data on the way.

namespace {

// The gap the player's moves keep from a solid box.
constexpr float kSkin = 0.1f;

// The first start point of that name in the scene layers, grid cell by grid
// cell; null when there is none.
SpacialInstance<GraphicalObject, float>* FindStartPoint(Level& level, const std::string& name)
{
    for (int i = 0; i < level.GetLayerCount(Level::kScene); ++i) {
        const Layer* layer = level.GetLayerAt(Level::kScene, i);
        if (layer == nullptr)
            continue;
        for (const auto& column : layer->GetCellGrid())
            for (const auto& cell : column)
                for (auto* instance : cell) {
                    if (instance == nullptr
                        || dynamic_cast<Point_PlayerStart*>(instance->GetPrototype()) == nullptr)
                        continue;
                    auto* start = dynamic_cast<Point_PlayerStart::Instance*>(instance->GetPayload());
                    if (start != nullptr && start->GetName() == name)
                        return instance;
                }
    }
    return nullptr;
}

} // namespace

void Game::CreatePlayerFromSave()
{
    player = std::make_unique<Player>("Player");
    player->ApplySaveData(saveData.GetPlayerProgress());
}

void Game::ApplySaveData(Game* game)
{
    if (game == nullptr)
        return;
    // The save-scope variables become copies of the saved ones.
    for (ScriptVar* variable : game->saveVars)
        delete variable;
    game->saveVars.clear();
    for (const auto& variable : game->saveData.GetSaveVars())
        if (variable != nullptr)
            game->saveVars.push_back(new ScriptVar(*variable));
    if (game->minimapModel != nullptr)
        game->minimapModel->CopyVisitedCells(game->saveData.GetCells());
    game->teleports = game->saveData.GetTeleports();
    game->storyHintPosition = game->saveData.GetStoryHint();
    game->slowMotionSteps = 0;
    game->slowMotionSkip = 0;
}

TeleportInfo* Game::FindTeleportByLevel(const std::string& levelFile)
{
    for (TeleportInfo& info : teleports)
        if (info.levelFile == levelFile)
            return &info;
    return nullptr;
}

void Game::AddTeleport(std::string name, std::string levelFile, Point<int> cell)
{
    teleports.push_back(TeleportInfo {std::move(name), std::move(levelFile), cell});
}

bool Game::PlacePlayerAtStart(Level& level)
{
    if (!usePlayerStart || !player)
        return false;
    // Restoring the level's instance states has put the player where the
    // save keeps it.
    if (startPointName == "[SAVE]")
        return true;
    if (startPointName == "[TELEPORT]") {
        musicLibrary.ResetResumePositions();
        auto* placed
            = level.FindInstanceByClass(Zone_Teleport::Instance::VersionedClassName(), Level::kScene);
        if (placed == nullptr) {
            platform::DebugOutput("ChangeLevel: the level \"" + level.GetName() + "\" has no teleporter\n");
            return false;
        }
        const Point<int> at = placed->GetPosition().ToInt();
        const auto* zone = dynamic_cast<ZoneInstance*>(placed->GetPayload());
        const int width = zone != nullptr ? zone->GetSize().x : 0;
        player->SetPosition(Point<float>(
            static_cast<float>(static_cast<int>(static_cast<float>(at.x) + static_cast<float>(width) * 0.5f)),
            static_cast<float>(at.y)));
        return true;
    }
    const std::string name = startPointName.empty() ? defaultSpawner : startPointName;
    auto* start = FindStartPoint(level, name);
    if (start == nullptr) {
        platform::DebugOutput(
            "ChangeLevel: the level \"" + level.GetName() + "\" has no start point \"" + name + "\"\n");
        return false;
    }
    player->SetPosition(start->GetPosition() + Point<float>(0.0f, 10.0f));
    return true;
}

void Game::SettlePlayerOnArrival(bool placed, bool falling)
{
    if (!player)
        return;
    if (!placed) {
        // At the level's stored view: the player falls from there, facing
        // right, and keeps its state; only what refers into the level left
        // goes.
        player->ForgetLevel();
        player->SetArrivalFlag(true);
        player->SetDirection(Point<float>(1.0f, 0.0f));
    } else {
        player->ResetForLevel(startPointName == "[TELEPORT]");
        // Only a player brought back from a save takes a look here: the
        // side it faced, from the save (or from its dying look).
        if (startPointName == "[SAVE]")
            FaceAsSaved(falling);
    }
    player->UpdateContacts(true);
    player->SetCollisionChanged();
}

void Game::FaceAsSaved(bool falling)
{
    // A reload after a death keeps the side the dying player showed;
    // otherwise the save's own facing.
    bool left = saveData.GetDirection() < 0;
    if (pendingLoad && transitionImage != nullptr) {
        const std::string shown = transitionImage->GetName();
        left = shown.empty() || shown.back() != 'R';
    }
    if (falling) {
        player->SetPendingMoveState(Player::kFall);
    } else {
        player->SetCurrentAnimation(player->GetAnimationField(left ? 0 : 1));
        player->facing = left ? 0 : 1;
    }
    player->SetDirection(Point<float>(left ? -1.0f : 1.0f, 0.0f));
}

void Game::FitPlayerToGround(Level& level)
{
    Layer* layer = level.GetLayer(Level::kScene, "Collisions");
    if (layer == nullptr || !player)
        return;
    // The level entered is not the game's current one yet: its own layer.
    PlayerLayerCollisions fit(layer);
    PlayerCollisions* collisions = &fit;
    // The ground is found for the standing box, whatever form the player
    // arrives in; its own size and box come back afterwards.
    const Point<int> size = player->GetSize();
    player->SetSize(64, 96);
    player->ResizeCollisionBox(0);
    // A point inside a wall: the player steps out to the left.
    if (collisions->Overlaps(player->GetWorldBox()))
        player->SetPosition(player->GetPosition() + Point<float>(-32.0f, 0.0f));
    // Down onto the floor within reach, or a fall when there is none.
    const float reach = -static_cast<float>(std::min(64, player->GetSize().y));
    float allowed = 0.0f;
    int kind = 0;
    if (collisions->Test(-1, player->GetWorldBox(), 0.0f, reach, &allowed, &kind)) {
        if (std::fabs(allowed) > kSkin)
            player->SetPosition(player->GetPosition() + Point<float>(0.0f, allowed + kSkin));
    } else {
        player->SetArrivalFlag(true);
    }
    player->SetSize(size.x, size.y);
    player->ResizeCollisionBox(-1);
}

void Game::KeepPlayersLastLook()
{
    if (!player || player->GetMoveState() != Player::kDying)
        return;
    const GraphicalObject* shown = player->GetCurrentGraphical();
    if (shown == nullptr)
        return;
    // An armor's pose ("[Ice]Player DieR") is the armor's animated sprite;
    // the library keeps the player's own pose under the name without it.
    std::string name = shown->GetName();
    auto* look = dynamic_cast<GraphicalObject*>(FindSceneObject(name, false));
    if (look == nullptr && !name.empty() && name.front() == '[' && name.find(']') != std::string::npos)
        look = dynamic_cast<GraphicalObject*>(FindSceneObject(name.substr(name.find(']') + 1), false));
    if (look == nullptr)
        return;
    transitionImage = look;
    transitionPosition = player->GetScreenPosition();
}
