#include "enemies/NPC_Chained_Skull.h"

#include "characters/CharacterGameAccess.h"
#include "enemies/EnemyFramework.h"
#include "enemies/Projectile_Chained_Skull.h"
#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Chained_Skull.h"

#include <utility>

NPC_Chained_Skull::NPC_Chained_Skull(std::string name)
    : CharacterObject(std::move(name))
    , body(Enemy::CloneGraphical("NPC_Chained_Skull_Graphical_Up"))
{
    typeName = TypeNames::NPC_Chained_Skull;
    life = 4;
    LoadSounds();
}

NPC_Chained_Skull::~NPC_Chained_Skull()
{
    currentGraphical = nullptr;
    if (mouth != nullptr)
        mouth->SetOwner(nullptr);
}

CharacterObject* NPC_Chained_Skull::GetPartner() const
{
    return Enemy::IsLive(partner, name) ? partner : nullptr;
}

void NPC_Chained_Skull::DeclareSounds()
{
    CharacterObject::DeclareSounds();
    DeclareSound("NPC_ChainedSkull_Attack");
}

void NPC_Chained_Skull::ResetToStart()
{
    CharacterGameAccess* game = GetCharacterGameAccess();
    partner = game != nullptr ? game->FindCharacterByName(name, this) : nullptr;
}

std::vector<GraphicalObject*> NPC_Chained_Skull::GetRelatedGraphicalObjects()
{
    return Enemy::RelatedGraphicals("Chained_Skull");
}

Point<int> NPC_Chained_Skull::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

void NPC_Chained_Skull::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    currentGraphical = body.get();
    if (mouth == nullptr) {
        // Tried again on every update until a mouth exists.
        mouth = Enemy::CreateAs<Projectile_Chained_Skull>("Projectile_Chained_Skull");
        if (mouth != nullptr) {
            mouth->SetMouthMode();
            mouth->SetPosition(position);
            mouth->SetPartner(GetPartner());
            // The mouth tells the skull when it goes first.
            mouth->SetOwner(this);
        }
        PlaySound("NPC_ChainedSkull_Attack");
    }
    DamagePlayerOnContact();
    if (currentGraphical != nullptr)
        currentGraphical->Update(dt);
    UpdateSounds();
}

void NPC_Chained_Skull::ApplyDamage(CharacterObject* attacker, int damage)
{
    CharacterObject::ApplyDamage(attacker, damage);
    if (attacker == nullptr)
        return;
    life = life > 0 ? life - damage : 0;
    if (life < 1) {
        dead = true;
        if (mouth != nullptr)
            mouth->SetDead(true);
    }
}

void NPC_Chained_Skull::RemoveChild(CharacterObject* child)
{
    if (child == mouth)
        mouth = nullptr;
}

void Zone_NPCSpawner_Chained_Skull::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_Chained_Skull>(*this, x, y, {"NPC_Chained_Skull"});
}
