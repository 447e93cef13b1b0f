#include "bosses/Projectile_Boss2_Cave.h"

#include "bosses/NPC_Boss2_Cave.h"
#include "characters/Player.h"
#include "enemies/EnemyFramework.h"
#include "scene/GraphicalObject.h"

namespace {

constexpr float kPlantStep = 32.0f;
constexpr double kNeighbourRangeSq = 100000.0;

} // namespace

Projectile_Boss2_Cave::Projectile_Boss2_Cave(std::string name)
    : BossCharacter(std::move(name), "Projectile_Boss2_Cave")
{
    typeName = TypeNames::Projectile_Boss2_Cave;
    contactDamage = 2;
    dropsItems = 0;
    drawnFlagged = true;
    // The sounds are named at once (hit 0, death 1, then the plant's own);
    // their voices are taken when the plant is first raised, see TakeSprites.
    DeclareSounds();
}

void Projectile_Boss2_Cave::DeclareSounds()
{
    DeclareSound("NPC_Generic_HitByPlayer");
    DeclareSound("NPC_Boss_Cave2_PlantDie");
    DeclareSound("NPC_Boss_Cave2_PlantApear");
    hitSoundIndex = 0;
    deathSoundIndex = 1;
}

// A pool of 480 plants waits mostly unused: each takes its copies of the
// three pictures and the voices of its sounds when it is first raised. Taken
// at construction, the pool would ask for 480 x 7 = 3360 sound sources at
// once, where the sound device grants 256: every later voice would be mute.
void Projectile_Boss2_Cave::TakeSprites()
{
    if (spritesTaken)
        return;
    spritesTaken = true;
    LoadSounds();
    spriteGhost = sprites.Add("GraphicalGreenGhost");
    spriteFrozen = sprites.Add("GraphicalGreenFrozen");
    spriteBroken = sprites.Add("GraphicalGreenBroken");
}

GraphicalObject* Projectile_Boss2_Cave::GetSpriteGhost()
{
    TakeSprites();
    return spriteGhost;
}

void Projectile_Boss2_Cave::ResetToStart()
{
    TakeSprites();
    currentGraphical = spriteGhost;
    for (GraphicalObject* g : {spriteGhost, spriteFrozen, spriteBroken})
        if (g != nullptr)
            g->RestartAnimations(false);
    above = nullptr;
    below = nullptr;
    hitTestsOff = false;
    invulnerable = false;
    invulnerableFrames = 0;
    state = kGrowing;
    hitThisFrame = false;
    hitThisFrame2 = false;
    firstUpdate = false;
    life = 1;
    // The death effect kind stays: a plant once ice-hit keeps its shards.
}

void Projectile_Boss2_Cave::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    DamagePlayerOnContact();
    const bool finished = currentGraphical == nullptr || currentGraphical->IsAnimationFinished();
    if (finished && growCount >= 2 && state == kGrowing)
        Grow();
    if (currentGraphical == spriteFrozen && finished && state == kFreezing) {
        for (Projectile_Boss2_Cave* next : {above, below})
            if (next != nullptr && next->GetState() == kGrowing)
                next->SetState(kFreezing);
        state = kFrozen;
    }
    if (currentGraphical == spriteBroken && finished && state == kShattering) {
        Shatter();
        return;
    }
    Boss::Move(*this, speed, dt);
    GraphicalObject* shown = currentGraphical;
    if (state == kFreezing)
        shown = spriteFrozen;
    else if (state == kShattering)
        shown = spriteBroken;
    Show(shown);
    Animate(dt);
}

void Projectile_Boss2_Cave::Grow()
{
    auto* boss = Boss::FindAs<NPC_Boss2_Cave>(NPC_Boss2_Cave::kLevelName);
    Projectile_Boss2_Cave* next = boss != nullptr ? boss->TakeFreePlant() : nullptr;
    if (next != nullptr) {
        next->ResetToStart();
        next->SetPosition(position + Point<float>(0.0f, -kPlantStep));
        next->SetGrowCount(growCount - 1);
        next->SetBelow(this);
        // A grown plant stands on no marker: when it shatters it frees none.
        next->SetOwner(nullptr);
        next->SetEnabled(true);
        above = next;
    }
    growCount = 0;
}

void Projectile_Boss2_Cave::Shatter()
{
    if (above != nullptr && above->GetState() == kFrozen) {
        above->SetState(kShattering);
        above->SetBelow(nullptr);
    }
    if (below != nullptr && below->GetState() == kFrozen) {
        below->SetState(kShattering);
        below->SetAbove(nullptr);
    }
    // Neighbours that stay keep no pointer to a plant back in the pool.
    if (above != nullptr && above->GetBelow() == this)
        above->SetBelow(nullptr);
    if (below != nullptr && below->GetAbove() == this)
        below->SetAbove(nullptr);
    above = nullptr;
    below = nullptr;
    enabled = false;
    std::vector<LocalParticleSystem*>& effects
        = powerHit != 0 && !onExploseWithPowerEffects.empty() ? onExploseWithPowerEffects : onExploseEffects;
    const Point<int> at = GetCenter().ToInt();
    LaunchParticleEffect(nullptr, effects, this, true, at.x, at.y);
    if (owner != nullptr)
        owner->SetEnabled(false);
    owner = nullptr;
    deathHandled = false;
    currentGraphical = nullptr;
}

Projectile_Boss2_Cave* Projectile_Boss2_Cave::NeighbourFor(Point<float> point, int s)
{
    Projectile_Boss2_Cave* best = nullptr;
    double bestSq = kNeighbourRangeSq;
    for (bool up : {true, false}) {
        int guard = 0;
        for (Projectile_Boss2_Cave* p = up ? above : below; p != nullptr && guard < 1000;
             p = up ? p->GetAbove() : p->GetBelow(), ++guard) {
            if (p->GetState() == s)
                return nullptr;
            const Point<float> d = p->GetPosition() - point;
            const double sq = static_cast<double>(d.x) * d.x + static_cast<double>(d.y) * d.y;
            if (sq < bestSq) {
                bestSq = sq;
                best = p;
            }
        }
    }
    return best;
}

bool Projectile_Boss2_Cave::IsHitByBox(Rect<int> box, bool flag)
{
    if (state != kFrozen && !flag)
        return false;
    return CharacterObject::IsHitByBox(box, flag);
}

void Projectile_Boss2_Cave::ReceiveHit(CharacterObject* attacker, int kind, float amount)
{
    if (!enabled)
        return;
    if (state == kGrowing && kind == Enemy::kIceHit) {
        if (Projectile_Boss2_Cave* n = NeighbourFor(Boss::PlayerCenter(), kFreezing))
            n->SetState(kFreezing);
        powerHit = Enemy::kIceHit;
    } else if (state == kFrozen) {
        ApplyDamage(attacker, static_cast<int>(amount));
    }
}

void Projectile_Boss2_Cave::ApplyDamage(CharacterObject* attacker, int damage)
{
    // Only the hit flag depends on the attacker: a frozen plant shatters
    // however the damage comes.
    CharacterObject::ApplyDamage(attacker, damage);
    if (state != kFrozen)
        return;
    Projectile_Boss2_Cave* n = NeighbourFor(Boss::PlayerCenter(), kShattering);
    if (n != nullptr && n->GetState() == kFrozen)
        n->SetState(kShattering);
    PlaySound("NPC_Boss_Cave2_PlantDie");
}

void Projectile_Boss2_Cave::Die()
{
    CharacterObject::Die();
    if (owner != nullptr)
        owner->SetEnabled(false);
}
