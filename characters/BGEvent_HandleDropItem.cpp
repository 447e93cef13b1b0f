#include "characters/BGEvent_HandleDropItem.h"

#include "characters/ContactRect.h"
#include "characters/Player.h"
#include "characters/PlayerModifier.h"
#include "scene/EventTick.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "scene/SceneGameAccess.h"
#include "scene/SpacialInstance.h"

#include <cmath>
#include <utility>

BGEvent_HandleDropItem::BGEvent_HandleDropItem(std::string name_, int kind_, Point<int> position_)
    : BackgroundEvent(std::move(name_))
    , kind(kind_)
    , position(position_)
{
    params[2] = 16;
    SceneGameAccess* game = GetSceneGameAccess();
    Level* level = game != nullptr ? game->GetCurrentLevel() : nullptr;
    if (level == nullptr || (kind != kLifePoint && kind != kCrossbowCharge))
        return;
    layer = level->GetLastLayer(Level::kForeground, 1.0f, 1.0f);
    GraphicalObject* object
        = game->FindGraphicalObject(kind == kLifePoint ? "DropItem_Life" : "DropItem_Scyth");
    if (layer != nullptr && object != nullptr)
        instance = layer->AddGraphicalObject(
            object, static_cast<float>(position.x), static_cast<float>(position.y), false, 2);
}

BGEvent_HandleDropItem::~BGEvent_HandleDropItem()
{
    if (instance != nullptr)
        layer->DeleteInstance(instance);
}

Point<float> BGEvent_HandleDropItem::AttractionStep(Point<float> d)
{
    const float squared = d.x * d.x + d.y * d.y;
    if (squared >= 40000.0f || squared <= 0.0f)
        return Point<float>(0.0f, 0.0f);
    const float length = std::sqrt(squared);
    const float pull = (40000.0f - squared) * 10.0f / 40000.0f;
    // d points from the player to the item: the item moves against it.
    return Point<float>(-d.x / length * pull, -d.y / length * pull);
}

void BGEvent_HandleDropItem::Run()
{
    started = false;
    if (!IsLogicTick() || finished)
        return;
    // Nothing on the level to take: nothing to wait for.
    if (instance == nullptr) {
        finished = true;
        return;
    }
    if (params[2] > 0) {
        --params[2];
        return;
    }
    Player* player = GetGamePlayer();
    if (player == nullptr || player->GetLife() <= 0)
        return;
    const Point<float> at = instance->GetPosition();
    // The item's 32 x 32 box against the player's, by the zones' inclusive
    // test: a player whose edge lies one pixel beside the item takes it.
    const Point<float> p = player->GetPosition();
    const Point<int> size = player->GetSize();
    const Rect<float> item(at.x, at.y + 31.0f, at.x + 31.0f, at.y);
    const Rect<float> body(
        p.x, p.y + static_cast<float>(size.y - 1), p.x + static_cast<float>(size.x - 1), p.y);
    if (ContactRectsTouch(item, body)) {
        if (kind == kLifePoint && player->GetLife() < player->GetMaxLife())
            player->SetLife(player->GetLife() + 1);
        // A charge gives one bolt back to a carried crossbow that is short of
        // its capacity; otherwise the item goes without effect, as a life
        // point does at full life.
        PlayerArmorCrossbow* crossbow = GetPlayerArmorCrossbow(player);
        if (kind == kCrossbowCharge && crossbow != nullptr && crossbow->IsEnabled()
            && crossbow->boltsLeft < crossbow->boltCapacity)
            crossbow->boltsLeft += 1;
        finished = true;
        player->StopSoundAt(kSoundGetDrop);
        player->PlaySoundAt(kSoundGetDrop);
        return;
    }
    // The absorb-souls pickup makes the player draw items to it.
    if (player->itemAttraction) {
        const Point<float> centre = player->GetCenter();
        const Point<float> d(at.x + 16.0f - centre.x, at.y + 16.0f - centre.y);
        const Point<float> step = AttractionStep(d);
        instance->SetPosition(at.x + step.x, at.y + step.y);
    }
}
