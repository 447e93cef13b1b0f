#include "enemies/NPC_Killing_Mechanism.h"

#include "characters/CharacterGameAccess.h"
#include "characters/Player.h"
#include "enemies/EnemyFramework.h"
#include "enemies/Projectile_Killing_Mechanism.h"
#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/SpacialInstance.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Killing_Mechanism.h"

#include <utility>

NPC_Killing_Mechanism::NPC_Killing_Mechanism(std::string name)
    : CharacterObject(std::move(name))
    , forward(Enemy::CloneGraphical("NPC_Killing_Mechanism_Graphical_Forward"))
    , backward(Enemy::CloneGraphical("NPC_Killing_Mechanism_Graphical_Backward"))
    , dieLook(Enemy::CloneGraphical("NPC_Killing_Mechanism_Graphical_Die"))
{
    typeName = TypeNames::NPC_Killing_Mechanism;
    blade = Enemy::CreateAs<Projectile_Killing_Mechanism>("Projectile_Killing_Mechanism");
    state = kReady;
    currentGraphical = backward.get();
    // Ready: the way back has been played to its last frame.
    if (currentGraphical != nullptr)
        currentGraphical->SetAnimationProgress(1.0f);
    life = 8;
    LoadSounds();
}

NPC_Killing_Mechanism::~NPC_Killing_Mechanism()
{
    currentGraphical = nullptr;
}

void NPC_Killing_Mechanism::ResetToStart()
{
    CharacterGameAccess* game = GetCharacterGameAccess();
    group = game != nullptr ? game->FindCharactersByName(GetName(), this, false)
                            : std::vector<CharacterObject*>();
}

std::vector<GraphicalObject*> NPC_Killing_Mechanism::GetRelatedGraphicalObjects()
{
    return Enemy::RelatedGraphicals("Killing_Mechanism");
}

Point<int> NPC_Killing_Mechanism::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

void NPC_Killing_Mechanism::PlaceCollisionCopy()
{
    Layer* collisions = Enemy::CollisionsLayer();
    if (collisions == nullptr || forward == nullptr)
        return;
    collisionCopy = collisions->AddGraphicalObject(forward.get(), position.x, position.y, true, -1);
    if (collisionCopy != nullptr) {
        collisionCopy->SetVisible(false);
        copyLayer = collisions;
    }
}

void NPC_Killing_Mechanism::RemoveCollisionCopy()
{
    // Only from the layer it was placed in, while that is the level's.
    if (collisionCopy != nullptr && copyLayer != nullptr && copyLayer == Enemy::CollisionsLayer())
        copyLayer->DeleteInstance(collisionCopy);
    collisionCopy = nullptr;
    copyLayer = nullptr;
}

Projectile_Killing_Mechanism* NPC_Killing_Mechanism::SearchPlace()
{
    Player* player = Enemy::ThePlayer();
    if (player == nullptr || blade == nullptr)
        return nullptr;
    const Point<int> centre = player->GetCenter().ToInt();
    for (CharacterObject* member : group) {
        // A member that has left the level holds no place any more.
        if (!Enemy::IsLive(member, GetName()))
            continue;
        const Point<int> at = member->GetPosition().ToInt();
        const Point<int> s = member->GetSize();
        const Rect<int> place(at.x, at.y + s.y, at.x + s.x, at.y);
        if (!place.Contains(centre, false))
            continue;
        const int width = blade->GetSize().x;
        int x = static_cast<int>(static_cast<float>(centre.x) - static_cast<float>(width) * 0.5f);
        if (x < place.x0)
            x = place.x0;
        if (x + width > place.x1)
            x = place.x1 - width;
        blade->SetPosition(Point<float>(static_cast<float>(x), static_cast<float>(place.y1 - kBladeDrop)));
        blade->SetState(Projectile_Killing_Mechanism::kStart);
        return blade;
    }
    return nullptr;
}

void NPC_Killing_Mechanism::Show(GraphicalObject* look)
{
    if (look != currentGraphical && look != nullptr)
        look->RestartAnimations(true);
    currentGraphical = look;
}

void NPC_Killing_Mechanism::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    if (collisionCopy == nullptr && state != kDying)
        PlaceCollisionCopy();
    // A body enabled again shows the look of its state once more.
    if (currentGraphical == nullptr && state != kDying)
        currentGraphical = state == kLaunching ? forward.get() : backward.get();
    if (state == kLaunching && currentGraphical != nullptr && currentGraphical->IsAnimationFinished()) {
        state = kReady;
        Show(backward.get());
    }
    if (state == kReady && currentGraphical != nullptr && currentGraphical->IsAnimationFinished()
        && Enemy::CollisionsLayer() != nullptr) {
        if (Projectile_Killing_Mechanism* started = SearchPlace()) {
            state = kLaunching;
            Show(forward.get());
            lastBlade = started;
        }
    }
    if (state == kDying) {
        Show(dieLook.get());
        // Without a dying look there is nothing to wait for.
        if (currentGraphical == nullptr || currentGraphical->IsAnimationFinished())
            dead = true;
    }
    if (currentGraphical != nullptr)
        currentGraphical->Update(dt);
    previousState = state;
}

void NPC_Killing_Mechanism::ReceiveHit(CharacterObject* attacker, int kind, float amount)
{
    Enemy::ReceiveHit(*this, attacker, kind, amount, Enemy::kIceHit);
}

void NPC_Killing_Mechanism::ApplyDamage(CharacterObject* attacker, int damage)
{
    CharacterObject::ApplyDamage(attacker, damage);
    if (attacker == nullptr || life <= 0)
        return;
    life -= damage;
    if (life > 0)
        return;
    state = kDying;
    Die();
    // A blade it launched leaves with it; one never launched stays dormant,
    // unseen and harmless, until the level ends.
    if (lastBlade != nullptr)
        lastBlade->SetDead(true);
    // The way it blocked opens.
    RemoveCollisionCopy();
    if (Player* player = Enemy::ThePlayer())
        player->SetCollisionChanged();
}

void Zone_NPCSpawner_Killing_Mechanism::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_Killing_Mechanism>(*this, x, y, {"NPC_Killing_Mechanism"});
}
