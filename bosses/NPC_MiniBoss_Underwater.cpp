#include "bosses/NPC_MiniBoss_Underwater.h"

#include "bosses/NPC_MiniBoss_Underwater_Arm.h"
#include "bosses/Projectile_MiniBoss_Underwater.h"
#include "characters/Player.h"
#include "enemies/EnemyFramework.h"
#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_MiniBoss_Underwater.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr float kPi = 3.14f;
constexpr float kTurnSharpness = 10.0f;
constexpr float kSlowest = 0.1f;

} // namespace

NPC_MiniBoss_Underwater::NPC_MiniBoss_Underwater(std::string name)
    : BossCharacter(std::move(name), "NPC_MiniBoss_Underwater")
{
    typeName = TypeNames::NPC_MiniBoss_Underwater;
    moveRight = sprites.Add("GraphicalMoveRight");
    moveLeft = sprites.Add("GraphicalMoveLeft");
    life = kLife;
    contactDamage = 2;
    direction = Point<float>(1.0f, 0.0f);
    speed = kSpeed;
    LoadSounds();
}

NPC_MiniBoss_Underwater::~NPC_MiniBoss_Underwater()
{
    currentGraphical = nullptr;
}

std::vector<GraphicalObject*> NPC_MiniBoss_Underwater::GetRelatedGraphicalObjects()
{
    std::vector<GraphicalObject*> related = Boss::Related("Projectile_MiniBoss_Underwater");
    for (GraphicalObject* g : Boss::Related("MiniBoss_Underwater"))
        related.push_back(g);
    return related;
}

void NPC_MiniBoss_Underwater::ResetToStart()
{
    arm = Boss::CreateAs<NPC_MiniBoss_Underwater_Arm>("NPC_MiniBoss_Underwater_Arm");
    if (arm != nullptr)
        arm->SetOwner(this);
    if (CharacterObject* zone = Boss::Find(GetName() + "_JellyZone", nullptr)) {
        const Point<int> p = zone->GetPosition().ToInt();
        const Point<int> s = zone->GetSize();
        jellyZone = Rect<int>(p.x, p.y + s.y - 1, p.x + s.x - 1, p.y);
    }
}

void NPC_MiniBoss_Underwater::Steer()
{
    const float left = static_cast<float>(rect.x0);
    const float right = static_cast<float>(rect.x1);
    const float w = static_cast<float>(currentGraphical->GetSize().x);
    const float span = right - left - w;
    // An area no wider than the body: it turns at its edges at full speed.
    auto pace = [&](float f) {
        if (span <= 0.0f)
            return 1.0f;
        return std::clamp(kTurnSharpness * std::sin(kPi * f), kSlowest, 1.0f);
    };
    if (direction.x > 0.0f) {
        direction.x = pace((right - position.x - w) / span);
        if (position.x + w > right)
            direction.x = -1.0f;
    } else if (direction.x < 0.0f) {
        direction.x = -pace((position.x - left) / span);
        if (position.x < left)
            direction.x = 1.0f;
    }
}

void NPC_MiniBoss_Underwater::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    if (exploding)
        return;
    if (Boss::ThePlayer() != nullptr && currentGraphical != nullptr)
        Steer();
    if (home.x == 0.0f && home.y == 0.0f)
        home = position;
    DamagePlayerOnContact();
    frameCounter = (frameCounter + 1) % kBobPeriod;
    position.y = home.y + kBob * std::cos(2.0f * kPi * static_cast<float>(frameCounter) / 180.0f);
    position = position + direction * Enemy::StepLength(speed, dt);
    // The picture named "left" shows while it swims right.
    GraphicalObject* shown = direction.x > 0.0f ? moveLeft : moveRight;
    if (shown != currentGraphical && shown != nullptr)
        shown->RestartAnimations(true);
    currentGraphical = shown;
    if (currentGraphical != nullptr)
        currentGraphical->Update(dt);
}

void NPC_MiniBoss_Underwater::ApplyDamage(CharacterObject* attacker, int damage)
{
    if (attacker == nullptr) {
        CharacterObject::ApplyDamage(nullptr, 0);
        return;
    }
    // At most one damaging hit a frame (the body and its arm in one swing).
    if (!hitThisFrame) {
        life = life > 0 ? life - damage : 0;
        if (life <= 0) {
            if (Boss::StartDeath(*this, false, 25.0f, 35.0f)) {
                if (arm != nullptr)
                    Boss::StartDeath(*arm, false, 25.0f, 35.0f);
                PlayCharacterHitSound(this);
            }
        } else {
            ReleaseCapsule();
            if (Player* player = Boss::ThePlayer()) {
                player->AddStruckCharacter(this);
                if (arm != nullptr) {
                    player->AddStruckCharacter(arm);
                    arm->CharacterObject::ApplyDamage(nullptr, 0);
                }
            }
        }
    }
    CharacterObject::ApplyDamage(attacker, damage);
}

void NPC_MiniBoss_Underwater::ReleaseCapsule()
{
    CharacterObject* made
        = Boss::Create("Projectile_MiniBoss_Underwater", "Projectile_MiniBoss_Underwater", this);
    if (made == nullptr)
        return;
    made->SetPosition(position + kCapsuleStart);
    made->SetDirection(direction);
    if (auto* capsule = dynamic_cast<Projectile_MiniBoss_Underwater*>(made))
        capsule->SetJellyZone(jellyZone);
}

void Zone_NPCSpawner_MiniBoss_Underwater::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_MiniBoss_Underwater>(*this, x, y,
        {"NPC_MiniBoss_Underwater", NPCSpawner::Naming::WhenNamed, &NPC_MiniBoss_Underwater::rect,
            NPCSpawner::Area::R});
}
