#include "bosses/Projectile_Boss_Cave.h"

#include "bosses/NPC_Boss_Cave.h"
#include "characters/Player.h"
#include "scene/GraphicalObject.h"

#include <algorithm>

namespace {

// Closer than this (squared pixels) to its target, the insect turns to the
// player.
constexpr float kArrivedSq = 64.0f;
constexpr float kFlyOutSpeed = 5.5f;
constexpr int kHitFrames = 15;

} // namespace

Projectile_Boss_Cave::Projectile_Boss_Cave(std::string name)
    : BossCharacter(std::move(name), "Projectile_Boss_Cave")
    , spriteIdle(sprites.Add("GraphicalIdle"))
    , spriteExplode(sprites.Add("GraphicalExplode"))
{
    typeName = TypeNames::Projectile_Boss_Cave;
    life = 1;
    state = kFlyingOut;
    LoadSounds();
}

void Projectile_Boss_Cave::DeclareSounds()
{
    DeclareSound("NPC_Boss_Cave_KillInsect");
    DeclareSound("NPC_Boss_Cave_Plant_Die");
}

void Projectile_Boss_Cave::Update(double dt)
{
    CharacterObject::Update(dt);
    Player* player = Boss::ThePlayer();
    if (player == nullptr || !enabled)
        return;
    const Point<float> playerCentre = player->GetCenter();
    const Point<float> centre = GetCenter();
    const Point<int> mouth = position.ToInt() + Point<int>(16, 16);
    switch (state) {
    case kFlyingOut: {
        const Point<float> d = (target - mouth).ToFloat();
        if (d.x * d.x + d.y * d.y > kArrivedSq) {
            direction = Boss::Normalized(d);
            speed = std::max(speed - 1.0f, kFlyOutSpeed);
        } else {
            state = kHoming;
            speed = 0.0f;
            frameCounter = 0;
        }
        break;
    }
    case kHoming: {
        target = playerCentre.ToInt();
        const Point<float> d = Boss::Normalized(target.ToFloat() - centre);
        speed = std::min(speed + acceleration, maxSpeed);
        direction = Boss::Normalized(direction + d * steering);
        break;
    }
    case kHit:
        if (frameCounter <= 0) {
            PlaySoundAt(0);
            state = kBursting;
        } else {
            --frameCounter;
        }
        break;
    default:
        break;
    }
    DamagePlayerOnContact();
    if (life > 0)
        Boss::Move(*this, speed, dt);

    GraphicalObject* shown = currentGraphical;
    if (life > 0)
        shown = spriteIdle;
    else if (state == kHit)
        Boss::StepShake(*this, 1000);
    else if (state == kBursting)
        shown = spriteExplode;
    Show(shown);
    Animate(dt);
    // Without its burst picture the insect leaves at once, so its head is
    // never left waiting for it.
    const bool burstOver = currentGraphical == nullptr || currentGraphical->IsAnimationFinished();
    if (!dead && state == kBursting && burstOver) {
        dead = true;
        if (auto* head = dynamic_cast<NPC_Boss_Cave*>(owner))
            head->InsectGone();
    }
    previousState = state;
}

void Projectile_Boss_Cave::ApplyDamage(CharacterObject* /*attacker*/, int /*damage*/)
{
    if (life > 0)
        --life;
    if (life < 1 && (state == kFlyingOut || state == kHoming)) {
        state = kHit;
        frameCounter = kHitFrames;
        PlaySound("NPC_Boss_Cave_Plant_Die");
        if (GetDrawingEffect() == nullptr)
            Boss::StartShake(*this, {1.0f, 1.0f}, {35.0f, 30.0f});
    }
}
