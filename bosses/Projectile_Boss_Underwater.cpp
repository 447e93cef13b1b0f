#include "bosses/Projectile_Boss_Underwater.h"

#include "bosses/BossFrame.h"
#include "bosses/NPC_Boss_Underwater.h"
#include "characters/Player.h"
#include "enemies/EnemyFramework.h"
#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"

#include <algorithm>
#include <utility>

Projectile_Boss_Underwater::Projectile_Boss_Underwater(std::string name)
    : CharacterObject(std::move(name))
    , sprite(Enemy::CloneGraphical("Projectile_Boss_Underwater_GraphicalIdle"))
    , moveLook(Enemy::CloneGraphical("Projectile_Boss_Underwater_GraphicalMove"))
{
    typeName = TypeNames::Projectile_Boss_Underwater;
    currentGraphical = sprite.get();
    dropsItems = 0;
    SetDrawnInFront(true);
    drawInstance.SetTrailLength(4);
    LoadSounds();
}

Projectile_Boss_Underwater::~Projectile_Boss_Underwater()
{
    currentGraphical = nullptr;
}

Point<int> Projectile_Boss_Underwater::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

bool Projectile_Boss_Underwater::Draw(DXGraphicalSurface* target, Point<int> offset)
{
    return !enabled || CharacterObject::Draw(target, offset);
}

void Projectile_Boss_Underwater::SetBeamSprite(int kind)
{
    static const char* const kBeams[3] = {"Projectile_Boss_Underwater_GraphicalBeamHorizontal",
        "Projectile_Boss_Underwater_GraphicalBeamVertical", "Projectile_Boss_Underwater_GraphicalBeamCenter"};
    beam = true;
    sprite = kind >= 0 && kind <= 2 ? Enemy::CloneGraphical(kBeams[kind]) : nullptr;
    if (sprite != nullptr)
        sprite->RestartAnimations(true);
    currentGraphical = sprite.get();
    drawInstance.SetTrailLength(0);
}

void Projectile_Boss_Underwater::MakeEye()
{
    sprite = Enemy::CloneGraphical("NPC_Boss_Underwater_GraphicalEye");
    if (sprite != nullptr)
        sprite->RestartAnimations(true);
    currentGraphical = sprite.get();
    drawInstance.SetTrailLength(0);
    eyeMode = kHeldEye;
}

void Projectile_Boss_Underwater::ReleaseEye(CharacterObject* boss, Point<float> to)
{
    eyeMode = kReleasedEye;
    SetOwner(boss);
    target = to;
    direction = Boss::Normalized(target - position);
}

void Projectile_Boss_Underwater::Update(double dt)
{
    if (!enabled)
        return;
    CharacterObject::Update(dt);
    Point<float> aim;
    if (Player* player = Boss::ThePlayer())
        aim = (player->GetPosition() + player->GetSize().ToFloat() * 0.5f)
            - (position + GetSize().ToFloat() * 0.5f);
    DamagePlayerOnContact();
    if (currentGraphical != nullptr) {
        if (eyeMode == kNoEye && beam) {
            if (currentGraphical->IsAnimationFinished())
                dead = true;
        } else if (eyeMode == kNoEye && state == kLaunch) {
            if (!currentGraphical->IsAnimationFinished()) {
                direction = Point<float>(0.0f, 1.0f);
                speed = 1.0f;
            } else {
                state = kFlight;
                frameCounter = kFlightFrames;
                direction = Boss::Normalized(aim);
                speed = std::max(5.0f, speed + 0.5f);
            }
        } else if (eyeMode == kNoEye && state == kFlight) {
            if (--frameCounter <= 0)
                dead = true;
        } else if (eyeMode == kReleasedEye) {
            speed = 5.0f;
        }
    }
    position = position + direction * Enemy::StepLength(speed, dt);
    if (auto* boss = dynamic_cast<NPC_Boss_Underwater*>(owner)) {
        const Point<float> ahead = Boss::Normalized(target - position);
        if (direction.x * ahead.x + direction.y * ahead.y < 0.0f) {
            // The eye has passed its target: it is back in the body.
            dead = true;
            owner = nullptr;
            boss->SetState(NPC_Boss_Underwater::kWeak);
            boss->PlaySoundAt(3);
        }
    }
    if (currentGraphical != nullptr)
        currentGraphical->Update(dt);
}
