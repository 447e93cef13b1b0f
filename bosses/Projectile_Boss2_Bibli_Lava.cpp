#include "bosses/Projectile_Boss2_Bibli_Lava.h"

#include "bosses/BossFrame.h"
#include "enemies/EnemyFramework.h"
#include "scene/GraphicalObject.h"

#include <utility>

namespace {

constexpr int kContactDamage = 2;
// A floor tile rises 416 pixels at 2.6, rests 60 frames and sinks at 4.3; a
// hidden one sinks 256 pixels first.
constexpr float kRise = 416.0f;
constexpr float kHide = 256.0f;
constexpr float kRisingSpeed = 2.6f;
constexpr float kSinkingSpeed = 4.3f;
constexpr int kRestFrames = 60;

} // namespace

Projectile_Boss2_Bibli_Lava::Projectile_Boss2_Bibli_Lava(std::string name)
    : CharacterObject(std::move(name))
{
    typeName = TypeNames::Projectile_Boss2_Bibli_Lava;
    spriteExplosion = Enemy::CloneGraphical("Projectile_Boss2_Bibli_GraphicalPart1_Explosion");
    spriteCascade = Enemy::CloneGraphical("Projectile_Boss2_Bibli_GraphicalPart4_Lava_Cascade");
    spriteLava = Enemy::CloneGraphical("Projectile_Boss2_Bibli_GraphicalPart4_Lava");
    direction.x = 0.0f;
    dropsItems = 0;
    contactDamage = kContactDamage;
    SetDrawnInFront(true);
    LoadSounds();
}

Projectile_Boss2_Bibli_Lava::~Projectile_Boss2_Bibli_Lava()
{
    currentGraphical = nullptr;
}

Point<int> Projectile_Boss2_Bibli_Lava::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

bool Projectile_Boss2_Bibli_Lava::HandleScriptCommand(std::string command, std::string /*argument*/)
{
    if (Boss::IsCommand(command, "start") && state == kResting) {
        lowPoint = position + Point<float>(0.0f, kRise);
        highPoint = position;
        direction.y = 1.0f;
        state = kMoving;
        return true;
    }
    if (Boss::IsCommand(command, "hide") && state == kHidden) {
        lowPoint = position;
        highPoint = position + Point<float>(0.0f, -kHide);
        direction.y = -1.0f;
        state = kMoving;
        return true;
    }
    // Lava answers nothing else, "enable" and "disable" included.
    return false;
}

void Projectile_Boss2_Bibli_Lava::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    if (currentGraphical == nullptr)
        return;
    currentGraphical->Update(dt);
    DamagePlayerOnContact();
    if (state == kRestingLow && --stateTimer == 0) {
        state = kMoving;
        direction.y = -1.0f;
    }
    if (state == kMoving) {
        speed = direction.y > 0.0f ? kRisingSpeed : (direction.y < 0.0f ? kSinkingSpeed : speed);
        position += direction * Enemy::StepLength(speed, dt);
        ++stateTimer;
        if (position.y >= lowPoint.y) {
            state = kRestingLow;
            speed = 0.0f;
            stateTimer = kRestFrames;
            position.y = lowPoint.y;
        }
        if (position.y <= highPoint.y) {
            state = kResting;
            speed = 0.0f;
            position.y = highPoint.y;
        }
    }
    if (state == kPlayOut) {
        if (stateTimer > 0)
            --stateTimer;
        if (currentGraphical->IsAnimationFinished()
            || (currentGraphical == spriteCascade.get() && stateTimer < 1))
            dead = true;
    }
}
