#include "enemies/NPC_BoatPlant.h"

#include "characters/CharacterGameAccess.h"
#include "enemies/EnemyFramework.h"
#include "enemies/NPC_BoatIns.h"
#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "scene/SpacialInstance.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_BoatPlant.h"

#include <utility>

namespace {

// Where a new insect leaves the plant, from its lower-left corner.
constexpr Point<float> kInsectExit {48.0f, 80.0f};

} // namespace

NPC_BoatPlant::NPC_BoatPlant(std::string name)
    : CharacterObject(std::move(name))
    , idle(Enemy::CloneGraphical("NPC_BoatPlant_GraphicalIdle"))
    , dying(Enemy::CloneGraphical("NPC_BoatPlant_GraphicalDie"))
{
    typeName = TypeNames::NPC_BoatPlant;
    currentGraphical = idle.get();
    life = 6;
    stateTimer = 0;
    LoadSounds();
}

NPC_BoatPlant::~NPC_BoatPlant()
{
    currentGraphical = nullptr;
}

std::vector<GraphicalObject*> NPC_BoatPlant::GetRelatedGraphicalObjects()
{
    std::vector<GraphicalObject*> related = Enemy::RelatedGraphicals("Boat");
    const std::vector<GraphicalObject*> acid = Enemy::RelatedGraphicals("Ins_Acid");
    related.insert(related.end(), acid.begin(), acid.end());
    return related;
}

Point<int> NPC_BoatPlant::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

Rect<int> NPC_BoatPlant::InsectZone() const
{
    if (linkedZone == nullptr)
        return Rect<int>();
    auto* zone = dynamic_cast<ZoneInstance*>(linkedZone->GetPayload());
    if (zone == nullptr)
        return Rect<int>();
    const Point<int> p = linkedZone->GetPosition().ToInt();
    const Point<int> s = zone->GetSize();
    return Rect<int>(p.x, p.y + s.y, p.x + s.x, p.y);
}

void NPC_BoatPlant::MakeInsect()
{
    stateTimer = 0;
    auto* insect = Enemy::CreateAs<NPC_BoatIns>("NPC_BoatIns");
    if (insect == nullptr)
        return;
    insect->SetOwner(this);
    insect->SetZone(InsectZone());
    insect->SetPosition(position + kInsectExit);
    insect->ChooseTarget();
    ++liveInsects;
}

void NPC_BoatPlant::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    if (Enemy::ThePlayer() == nullptr)
        return;
    // A plant enabled again shows its look once more.
    if (currentGraphical == nullptr)
        currentGraphical = state == kDying ? dying.get() : idle.get();
    DamagePlayerOnContact();
    if (state == kAlive) {
        ++stateTimer;
        if (stateTimer > kInsectDelay && liveInsects < parameter)
            MakeInsect();
    }
    GraphicalObject* before = currentGraphical;
    Enemy::StepGraphical(*this, before, dt);
    // Without a dying look there is nothing to wait for.
    if (state == kDying && (currentGraphical == nullptr || currentGraphical->IsAnimationFinished()))
        dead = true;
    previousState = state;
}

void NPC_BoatPlant::ReceiveHit(CharacterObject* attacker, int kind, float amount)
{
    Enemy::ReceiveHit(*this, attacker, kind, amount, Enemy::kIceHit);
}

void NPC_BoatPlant::ApplyDamage(CharacterObject* attacker, int damage)
{
    CharacterObject::ApplyDamage(attacker, damage);
    if (attacker == nullptr)
        return;
    life = life > 0 ? life - damage : 0;
    if (life < 1) {
        // Every blow that finds it without life plays its dying look anew.
        state = kDying;
        currentGraphical = dying.get();
        if (currentGraphical != nullptr)
            currentGraphical->RestartAnimations(true);
        // The death message goes out at the killing blow (once); the plant
        // leaves once its dying look has played.
        Die();
        return;
    }
    if (GetDrawingEffect() == nullptr)
        Enemy::StartHitShake(*this);
}

void NPC_BoatPlant::Die()
{
    if (IsDeathHandled())
        return;
    CharacterObject::Die();
    // The insects fly on alone: none counts for this plant any more.
    CharacterGameAccess* game = GetCharacterGameAccess();
    if (game == nullptr)
        return;
    for (CharacterObject* insect : game->FindCharactersByName("NPC_BoatIns", nullptr, false))
        if (insect->GetOwner() == this && dynamic_cast<NPC_BoatIns*>(insect) != nullptr)
            insect->SetOwner(nullptr);
}

void Zone_NPCSpawner_BoatPlant::Instance::Spawn(int x, int y, Level* level)
{
    NPCSpawner::Spawn<NPC_BoatPlant>(*this, x, y, {"NPC_BoatPlant"}, [&](NPC_BoatPlant& plant) {
        plant.parameter = PlantParameter.value;
        // The first zone of that name in the scene layers.
        for (int i = 0; level != nullptr && i < level->GetLayerCount(Level::kScene); ++i) {
            Layer* layer = level->GetLayerAt(Level::kScene, i);
            auto* zone = layer != nullptr ? layer->FindInstanceByName(LinkedZoneName.value) : nullptr;
            if (zone != nullptr && dynamic_cast<ZoneInstance*>(zone->GetPayload()) != nullptr) {
                plant.linkedZone = zone;
                break;
            }
        }
    });
}
