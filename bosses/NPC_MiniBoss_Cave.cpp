#include "bosses/NPC_MiniBoss_Cave.h"

#include "characters/Player.h"
#include "scene/GraphicalObject.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_MiniBoss_Cave.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kLife = 30;
constexpr float kReach = 256.0f;
constexpr float kSink = 224.0f;
constexpr float kMoveSpeed = 8.0f;
constexpr float kArrivedSq = 64.0f;
constexpr float kPartSpacing = 64.0f;
constexpr float kPieceSpacing = 64.0f;

} // namespace

NPC_MiniBoss_Cave::NPC_MiniBoss_Cave(std::string name)
    : BossCharacter(std::move(name), "NPC_MiniBoss_Cave")
    , spriteIdle(sprites.Add("GraphicalIdle"))
    , spriteActive(sprites.Add("GraphicalActive"))
    , spriteAttack(sprites.Add("GraphicalAttack"))
{
    typeName = TypeNames::NPC_MiniBoss_Cave;
    life = kLife;
    contactDamage = 2;
    direction = Point<float>(0.0f, 0.0f);
    drawnFlagged = true;
    currentGraphical = spriteIdle;
    // Every lantern has its own beam, made once and kept hidden until it
    // fires.
    beamCentre.FillAs("Projectile_MiniBoss_Cave", 1);
    beamLeft.FillAs("Projectile_MiniBoss_Cave", kBeamPieces);
    beamRight.FillAs("Projectile_MiniBoss_Cave", kBeamPieces);
    LoadSounds();
}

void NPC_MiniBoss_Cave::DeclareSounds()
{
    CharacterObject::DeclareSounds();
    DeclareSound("NPC_Miniboss_Cave_Attack");
}

std::vector<GraphicalObject*> NPC_MiniBoss_Cave::GetRelatedGraphicalObjects()
{
    return Boss::Related("MiniBoss_Cave");
}

void NPC_MiniBoss_Cave::ResetToStart()
{
    if (!IsMaster())
        return;
    for (int i = 0; i < 2; ++i) {
        auto* part = Boss::CreateAs<NPC_MiniBoss_Cave>("NPC_MiniBoss_Cave");
        if (part == nullptr)
            continue;
        part->SetOwner(this);
        part->isPart = true;
        part->SetPosition(position + Point<float>(0.0f, kPartSpacing * static_cast<float>(i + 1)));
        parts.push_back(part);
    }
    // The move target stays at the level's origin until the first rise: a
    // master placed within 8 pixels of it is snapped onto it by the arrival
    // test, which runs every update.
    home = position;
    state = kHome;
}

void NPC_MiniBoss_Cave::RemoveChild(CharacterObject* child)
{
    std::erase(parts, child);
}

void NPC_MiniBoss_Cave::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    if (exploding)
        return;
    if (Player* player = Boss::ThePlayer(); player != nullptr && IsMaster())
        Steer(player->GetCenter().x);
    DamagePlayerOnContact();
    // Every lantern runs the move and its arrival test; a lower one has no
    // speed and carries nothing, and the master places it again.
    StepMove(dt);
    UpdateSprite(dt);
    UpdateSounds();
}

void NPC_MiniBoss_Cave::Steer(double playerX)
{
    const double dx = playerX - (home.x + GetSize().x * 0.5);
    if (state == kHome && speed == 0.0f) {
        if (std::abs(dx) > kReach) {
            state = kRaised;
            moveTarget = position + Point<float>(0.0f, -kSink);
            direction.y = -1.0f;
            speed = kMoveSpeed;
        } else if (std::abs(dx) < kReach) {
            state = kAttacking;
            StartAttack();
        }
    } else if (state == kRaised && speed == 0.0f && std::abs(dx) < kReach) {
        state = kHome;
        moveTarget = position + Point<float>(0.0f, kSink);
        direction.y = 1.0f;
        speed = kMoveSpeed;
    } else if (state == kAttacking && AnimationDone() && PartsDone()) {
        state = kHome;
    }
}

bool NPC_MiniBoss_Cave::PartsDone() const
{
    return std::all_of(parts.begin(), parts.end(), [](const NPC_MiniBoss_Cave* part) {
        return part->GetCurrentGraphical() == nullptr || part->GetCurrentGraphical()->IsAnimationFinished();
    });
}

void NPC_MiniBoss_Cave::StepMove(double dt)
{
    Boss::Move(*this, speed, dt);
    const Point<float> left = moveTarget - position;
    if (left.x * left.x + left.y * left.y < kArrivedSq) {
        speed = 0.0f;
        position = moveTarget;
    }
    for (size_t i = 0; i < parts.size(); ++i)
        parts[i]->SetPosition(position + Point<float>(0.0f, kPartSpacing * static_cast<float>(i + 1)));
}

void NPC_MiniBoss_Cave::StartAttack()
{
    const int index = static_cast<int>(std::min(3.0 * Boss::Random01(), 2.0));
    if (index == 0)
        LightUp();
    else if (static_cast<size_t>(index - 1) < parts.size())
        parts[static_cast<size_t>(index - 1)]->LightUp();
    PlaySoundAt(2);
}

void NPC_MiniBoss_Cave::LightUp()
{
    currentGraphical = nullptr;
    Show(spriteActive);
}

void NPC_MiniBoss_Cave::UpdateSprite(double dt)
{
    Animate(dt);
    if (currentGraphical == nullptr || currentGraphical == spriteIdle
        || !currentGraphical->IsAnimationFinished())
        return;
    if (currentGraphical == spriteAttack) {
        Show(spriteIdle);
    } else if (currentGraphical == spriteActive) {
        Show(spriteAttack);
        Fire();
    }
}

void NPC_MiniBoss_Cave::Fire()
{
    if (Projectile_MiniBoss_Cave* centre = beamCentre.Get(0))
        centre->FireCentre(position);
    for (int i = 0; i < kBeamPieces; ++i) {
        const float reach = kPieceSpacing * static_cast<float>(i + 1);
        if (Projectile_MiniBoss_Cave* piece = beamLeft.Get(static_cast<size_t>(i)))
            piece->FireBeam(position - Point<float>(reach, 0.0f));
        if (Projectile_MiniBoss_Cave* piece = beamRight.Get(static_cast<size_t>(i)))
            piece->FireBeam(position + Point<float>(reach, 0.0f));
    }
}

void NPC_MiniBoss_Cave::TakeHit(CharacterObject* attacker, int damage)
{
    if (exploding)
        return;
    life = life <= 0 ? 0 : life - damage;
    if (life > 0) {
        // All three flash, and the lower lanterns count no further hit in
        // this update.
        for (NPC_MiniBoss_Cave* part : parts)
            part->ApplyDamage(attacker, 0);
        return;
    }
    Boss::StartDeath(*this, false);
    for (NPC_MiniBoss_Cave* part : parts)
        Boss::StartDeath(*part, false);
    PlayCharacterHitSound(this);
}

void NPC_MiniBoss_Cave::ApplyDamage(CharacterObject* attacker, int damage)
{
    // One hit per lantern per update counts: the hit flag, cleared by each
    // update, is the gate. A lower lantern's hit goes through the master's
    // own gate, so a blow over several lanterns counts once.
    if (attacker != nullptr && !hitThisFrame) {
        if (IsMaster())
            TakeHit(attacker, damage);
        else if (auto* master = dynamic_cast<NPC_MiniBoss_Cave*>(owner);
                 master != nullptr && damage != 0 && !dead)
            master->ApplyDamage(attacker, damage);
        hitThisFrame = true;
    }
    // The flash restarts in every case.
    CharacterObject::ApplyDamage(nullptr, damage);
}

void Zone_NPCSpawner_MiniBoss_Cave::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_MiniBoss_Cave>(*this, x, y, {"NPC_MiniBoss_Cave", NPCSpawner::Naming::WhenNamed});
}
