#include "enemies/NPC_CrouchSkull.h"

#include "characters/Player.h"
#include "enemies/EnemyFramework.h"
#include "enemies/NpcTuning.h"
#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_CrouchSkull.h"

#include <utility>

namespace {

// The knock-back moves x by direction x 0.8 times these, one per update.
constexpr float kKnockBackSteps[5] = {15.0f, 13.0f, 8.0f, 4.0f, 2.0f};
constexpr int kRecoverFrames = 10;

} // namespace

NPC_CrouchSkull::NPC_CrouchSkull(std::string name)
    : CharacterObject(std::move(name))
    , walkLeft(Enemy::CloneGraphical("NPC_CrouchSkull_GraphicalWalkL"))
    , walkRight(Enemy::CloneGraphical("NPC_CrouchSkull_GraphicalWalkR"))
    , dieLook(Enemy::CloneGraphical("NPC_CrouchSkull_GraphicalDie"))
{
    typeName = TypeNames::NPC_CrouchSkull;
    state = kWalk;
    life = NpcTuning::Current().crouchSkullMaxLife;
    speed = NpcTuning::Current().crouchSkullSpeed;
    LoadSounds();
}

NPC_CrouchSkull::~NPC_CrouchSkull()
{
    currentGraphical = nullptr;
}

void NPC_CrouchSkull::SetLooks(std::unique_ptr<GraphicalObject> left, std::unique_ptr<GraphicalObject> right,
    std::unique_ptr<GraphicalObject> die)
{
    currentGraphical = nullptr;
    walkLeft = std::move(left);
    walkRight = std::move(right);
    dieLook = std::move(die);
}

std::vector<GraphicalObject*> NPC_CrouchSkull::GetRelatedGraphicalObjects()
{
    return Enemy::RelatedGraphicals("NPC_CrouchSkull");
}

float NPC_CrouchSkull::GetSpeed(int forState) const
{
    if (forState == kWalk)
        return NpcTuning::Current().crouchSkullSpeed;
    if (forState == kRecover)
        return NpcTuning::Current().crouchSkullSpeed * 0.5f;
    return 0.0f;
}

Point<int> NPC_CrouchSkull::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

double NPC_CrouchSkull::GetStateDelay(int forState) const
{
    if (forState == kWalk)
        return static_cast<double>(NpcTuning::Current().crouchSkullIdleWait);
    return forState == kRecover ? 10.0 : 0.0;
}

Rect<int> NPC_CrouchSkull::WalkBox() const
{
    const Point<int> at = position.ToInt();
    const Point<int> s = GetSize();
    return Rect<int>(at.x, at.y + s.y - 1, at.x + s.x - 1, at.y);
}

void NPC_CrouchSkull::ContactStep()
{
    Player* player = Enemy::ThePlayer();
    if (state == kTouchedPlayer || state == kDying)
        return;
    const Point<float> d = player->GetCenter() - GetCenter();
    const Point<int> ps = player->GetSize();
    const float reachSq = static_cast<float>(ps.x * ps.x + ps.y * ps.y);
    if (d.x * d.x + d.y * d.y <= reachSq && !player->GetHurtBoxes().empty() && DamagePlayerOnContact()) {
        state = kTouchedPlayer;
        stateTimer = 0;
    }
}

void NPC_CrouchSkull::KnockBackStep()
{
    ++stateTimer;
    const float k = direction.x * 0.8f;
    if (stateTimer >= 1 && stateTimer <= 5)
        position.x += k * kKnockBackSteps[stateTimer - 1];
    if (stateTimer == 5) {
        state = kRecover;
        stateTimer = kRecoverFrames;
    }
    const Rect<int> box = WalkBox();
    if (direction.x > 0.0f && box.x1 > walkRect.x1)
        position.x = static_cast<float>(walkRect.x1 - (GetSize().x - 1));
    if (direction.x < 0.0f && box.x0 < walkRect.x0)
        position.x = static_cast<float>(walkRect.x0);
}

void NPC_CrouchSkull::WalkStep()
{
    if (state == kRecover) {
        speed = GetSpeed(kRecover);
        if (--stateTimer < 0)
            state = kWalk;
    }
    if (state != kWalk)
        return;
    speed = GetSpeed(kWalk);
    const Rect<int> box = WalkBox();
    if ((direction.x > 0.0f && box.x1 > walkRect.x1) || (direction.x < 0.0f && box.x0 < walkRect.x0)) {
        state = kWait;
        stateTimer = previousState == kWalk ? NpcTuning::Current().crouchSkullIdleWait : 1;
    }
}

void NPC_CrouchSkull::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    if (Enemy::ThePlayer() == nullptr)
        return;
    ContactStep();
    if (state == kWait) {
        --stateTimer;
        speed = GetSpeed(kWait);
        if (currentGraphical != nullptr)
            currentGraphical->StopAnimations();
        if (stateTimer < 0) {
            state = kWalk;
            direction.x = -direction.x;
        }
    }
    if (state == kKnockedBack)
        KnockBackStep();
    if (state == kWalk || state == kRecover)
        WalkStep();
    if (state == kTouchedPlayer)
        state = kWalk;

    GraphicalObject* before = currentGraphical;
    if (state != kDying && state != kKnockedBack)
        currentGraphical = direction.x > 0.0f ? walkRight.get() : walkLeft.get();
    else if (state == kDying && (currentGraphical == nullptr || currentGraphical->IsAnimationFinished()))
        dead = true; // without a death look there is nothing to wait for
    if (currentGraphical != nullptr
        && ((currentGraphical != before && state != kWait) || previousState == kWait))
        currentGraphical->RestartAnimations(true);

    position += direction * Enemy::StepLength(speed, dt);
    if (currentGraphical != nullptr)
        currentGraphical->Update(dt);
    previousState = state;
}

void NPC_CrouchSkull::ReceiveHit(CharacterObject* attacker, int kind, float amount)
{
    Enemy::ReceiveHit(*this, attacker, kind, amount, WeakKind());
}

void NPC_CrouchSkull::ApplyDamage(CharacterObject* attacker, int damage)
{
    CharacterObject::ApplyDamage(attacker, damage);
    // No knock-back and no loss of life without an attacker that shows.
    if (attacker == nullptr || attacker->GetCurrentGraphical() == nullptr)
        return;
    const Point<float> away = GetCenter() - attacker->GetCenter();
    direction.x = away.x >= 0.0f ? 1.0f : -1.0f;
    state = kKnockedBack;
    stateTimer = 0;
    life = life > 0 ? life - damage : 0;
    if (life > 0)
        return;
    currentGraphical = dieLook.get();
    speed = 0.0f;
    dead = false;
    state = kDying;
    Die();
    if (dieLook != nullptr)
        dieLook->RestartAnimations(true);
}

void Zone_NPCSpawner_CrouchSkull::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_CrouchSkull>(*this, x, y,
        {"NPC_CrouchSkull", NPCSpawner::Naming::Placement, &NPC_CrouchSkull::walkRect, NPCSpawner::Area::Rc});
}
