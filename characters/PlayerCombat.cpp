#include "characters/BGEvent_DisplayGO.h"
#include "characters/Player.h"
#include "characters/PlayerArmor.h"
#include "characters/PlayerArmorFire.h"
#include "characters/PlayerArmorIce.h"
#include "characters/PlayerModifier.h"
#include "scene/CollisionShape.h"
#include "scene/GraphicalObject.h"
#include "scene/Level.h"

#include <algorithm>
#include <cmath>

namespace {

bool NewlyPressed(bool pressed, bool previous, bool released)
{
    return pressed && (!previous || released);
}

bool CountsAsKill(CharacterObject* c)
{
    const std::string n = c->GetName();
    return n.find("NPC_Boss") == std::string::npos && n.find("Projectile_") == std::string::npos;
}

} // namespace

void PlayCharacterHitSound(CharacterObject* c)
{
    if (c == nullptr)
        return;
    if (c->GetLife() < 1 && c->GetDeathSoundIndex() != -1) {
        c->PlaySoundAt(c->GetDeathSoundIndex());
        c->UpdateSounds();
        // The death sound plays on after the character is deleted.
        c->DetachSoundAt(c->GetDeathSoundIndex());
    }
    if (c->GetLife() > 0)
        c->PlaySoundAt(c->GetHitSoundIndex());
}

void Player::StartAttack(
    const InputActions& pressed, const InputActions& previous, const InputActions& released)
{
    if (GetAttackKind() != 0 || form == kSpider || moveState == kHanging || moveState == kClimbing
        || form == kHighFallFreeze || form == kSpiderHighFallFreeze)
        return;
    if (NewlyPressed(pressed.Action3, previous.Action3, released.Action3)) {
        SetAttackKind(1);
        StopWalkForAttack();
        return;
    }
    PlayerArmorCrossbow* crossbow = GetPlayerArmorCrossbow(this);
    if (crossbowFrames >= PlayerTuning::Current().crossbowDelay
        && NewlyPressed(pressed.Action2, previous.Action2, released.Action2) && crossbow != nullptr
        && crossbow->IsEnabled() && crossbow->boltsLeft > 0) {
        SetAttackKind(2);
        crossbowFrames = 0;
        StopWalkForAttack();
        crossbow->boltsLeft -= 1;
    }
}

void Player::StopWalkForAttack()
{
    if (moveState != kWalk)
        return;
    SetMoveStateValue(kIdle);
    walkStoppedByAttack = true;
}

void Player::EndAttack()
{
    const int kind = attackKind;
    SetAttackKind(0);
    attackGraphical = nullptr;
    // A crossbow attack that ends before its firing frame gives its bolt back.
    if (kind == 2 && !attackFired) {
        if (PlayerArmorCrossbow* crossbow = GetPlayerArmorCrossbow(this))
            crossbow->boltsLeft = std::min(crossbow->boltsLeft + 1, std::max(crossbow->boltCapacity, 1));
    }
    if (attackFired) {
        if (PlayerWorld* world = GetPlayerWorld()) {
            for (size_t i = 0; i < world->GetCharacterCount(); ++i) {
                CharacterObject* c = world->GetCharacter(i);
                if (c == nullptr)
                    continue;
                c->ClearStruck();
            }
        }
    }
    attackFired = false;
}

void Player::UpdateAttack(const InputActions&, int stateBefore)
{
    if (GetAttackKind() == 0)
        return;
    if (attackGraphical == nullptr)
        facing = currentAnimationId % 2 == 1 ? 1 : -1;
    const int right = facing >= 0 ? 1 : 0;
    const bool close = GetAttackKind() == 1;
    int slot = -1;
    if (moveState == kIdle)
        slot = close ? 22 : 30;
    else if (moveState == kCrouch)
        slot = close ? 24 : 32;
    else if (moveState == kJump || moveState == kEndJump || moveState == kFall)
        slot = close ? 28 : 34;
    if (slot != -1) {
        GraphicalObject* chosen = GetAnimationField(slot + right);
        if (chosen != attackGraphical && chosen != nullptr)
            chosen->RestartAnimations(false);
        attackGraphical = chosen;
    }
    if (attackGraphical == nullptr) {
        EndAttack();
        return;
    }
    const bool firedBefore = attackFired;
    if (!attackFired && attackGraphical->GetAnimationFrame() == attackFireFrame) {
        attackFired = true;
        FireAttack();
    }
    // A close attack ends in the update in which the player came to stand or
    // walk from another state (a landing, the push of a hurt), but not by the
    // stop of the walk that began it.
    const bool cameToGround = close && (moveState == kIdle || moveState == kWalk) && stateBefore != moveState
        && !(walkStoppedByAttack && stateBefore == kWalk && moveState == kIdle);
    if (cameToGround || attackGraphical->IsAnimationFinished()) {
        EndAttack();
        return;
    }
    if (firedBefore && attackFired)
        UpdateNearAttackHits(false);
}

bool Player::AttackBoxInWorld(int shapeIndex, Rect<int>& box)
{
    GraphicalObject* g = attackGraphical;
    auto* shape = dynamic_cast<CollisionBox<int>*>(g->GetCollisionShape(shapeIndex));
    if (shape == nullptr || !g->IsCollisionShapeActive(shapeIndex) || shape->GetType() != 3)
        return false;
    box = shape->GetRect();
    box.Offset(Point<int>(static_cast<int>(position.x), static_cast<int>(position.y)));
    box.Offset(g->GetCollisionShapeCell(shape));
    const Point<float> half = (GetSize().ToFloat() - g->GetSize().ToFloat()) / 2.0f;
    box.Offset(Point<int>(-static_cast<int>(half.x), -static_cast<int>(half.y)));
    return true;
}

void Player::FireAttack()
{
    struckCharacters.clear();
    if (GetAttackKind() == 1) {
        // A blow that passes through a ghost sounds as a miss.
        UpdateNearAttackHits(true);
        if (!struckCharacters.empty())
            PlaySoundAt(kSoundAttackNearTouch);
        else
            PlaySoundAt(attackRank <= 2 ? kSoundAttackNear
                    : attackRank == 3   ? kSoundAttackNear3
                                        : kSoundAttackNear4);
        return;
    }
    if (GetAttackKind() != 2 || attackGraphical == nullptr)
        return;
    Rect<int> box;
    bool found = false;
    for (int i = 0; i < attackGraphical->GetCollisionShapeCount() && !found; ++i)
        found = AttackBoxInWorld(i, box);
    PlayerWorld* world = GetPlayerWorld();
    if (!found || world == nullptr)
        return;
    CharacterObject* bolt = world->CreateCharacter("Projectile_Crossbow");
    if (bolt == nullptr)
        return;
    const Point<float> centre(
        static_cast<float>(box.x0 + box.x1) * 0.5f, static_cast<float>(box.y0 + box.y1) * 0.5f);
    // The character's own size (not its graphical's): the bolt sets none,
    // so it starts at the box centre.
    bolt->SetPosition(
        centre - Point<float>(static_cast<float>(bolt->CharacterObject::GetSize().x) * 0.5f, 0.0f));
    bolt->SetDirection(Point<float>(static_cast<float>(facing), 0.0f));
    // Stronger crossbows leave a streak behind their bolts: three
    // after-images one draw apart, or eight spread out.
    if (crossbowLevel == 2) {
        bolt->SetTrailLength(3);
        bolt->SetTrailSpacing(0);
    } else if (crossbowLevel == 3) {
        bolt->SetTrailLength(8);
        bolt->SetTrailSpacing(2);
    }
    bolt->PlaySoundAt(crossbowLevel == 2 ? 2 : crossbowLevel == 3 ? 3 : 0);
}

void Player::UpdateNearAttackHits(bool showNoHitEffect)
{
    if (attackKind != 1 || !IsAlive() || attackGraphical == nullptr
        || attackGraphical->GetFirstCollisionShape() == nullptr)
        return;
    PlayerWorld* world = GetPlayerWorld();
    if (world == nullptr)
        return;
    const Point<int> gs = attackGraphical->GetSize();
    for (size_t index = 0; index < world->GetCharacterCount(); ++index) {
        CharacterObject* c = world->GetCharacter(index);
        if (c == nullptr || c == this || c->GetCustomFlag2()
            || std::find(struckCharacters.begin(), struckCharacters.end(), c) != struckCharacters.end())
            continue;
        const Point<float> d = c->GetPosition() - position;
        if (d.x * d.x + d.y * d.y > c->GetSizeSquared() + static_cast<float>(gs.x * gs.x + gs.y * gs.y))
            continue;
        bool struck = false;
        for (int i = 0; i < attackGraphical->GetCollisionShapeCount() && !struck; ++i) {
            Rect<int> box;
            if (!AttackBoxInWorld(i, box))
                continue;
            if (c->IsHitByBox(box, false))
                struck = true;
            else if (showNoHitEffect && noHitEffect != nullptr && c->AttackHitsBox(box)
                && !c->GetCustomByte())
                ShowNoHitEffect(box.Normalized());
        }
        if (!struck)
            continue;
        const int before = c->GetLife();
        c->ApplyDamage(this, attackRank <= 1 ? 1 : attackRank - 1);
        if (c->GetLife() != before || c->GetCustomFlag1()) {
            c->SetCustomFlag1(false);
            PlayCharacterHitSound(c);
            if (c->GetLife() <= 0 && CountsAsKill(c))
                world->CountAchievement("Invincible");
        }
        struckCharacters.push_back(c);
    }
}

void Player::ShowNoHitEffect(const Rect<int>& box)
{
    // A spark at the blow's leading edge, where it met the other's attack.
    const Point<int> size = noHitEffect->GetSize();
    const float edge = static_cast<float>(facing > 0 ? box.x1 : box.x0);
    const Point<int> at(static_cast<int>(edge - static_cast<float>(size.x) * 0.5f),
        static_cast<int>(static_cast<float>(box.y0 + box.y1) * 0.5f - static_cast<float>(size.y) * 0.5f));
    QueueDisplay("NoHitEffect", 1, noHitEffect, at, -1, -1);
}

BGEvent_DisplayGO* Player::QueueDisplay(const std::string& eventName, int layerSelector,
    GraphicalObject* object, Point<int> at, int count, int mode)
{
    PlayerWorld* world = GetPlayerWorld();
    Level* level = world != nullptr ? world->GetLevel() : nullptr;
    if (level == nullptr || object == nullptr)
        return nullptr;
    auto* event = new BGEvent_DisplayGO(eventName, level, layerSelector, object, at.ToFloat(), count, mode);
    level->AddBackgroundEvent(event);
    return event;
}

void Player::ApplyArmorAreaAttack(int kind)
{
    if (GetCurrentGraphical() == nullptr)
        return;
    PlayerWorld* world = GetPlayerWorld();
    if (world == nullptr)
        return;
    std::vector<CharacterObject*> targets;
    for (size_t i = 0; i < world->GetCharacterCount(); ++i)
        targets.push_back(world->GetCharacter(i));
    int armorLevel = 0;
    PlayerArmor* armor = kind == 1 ? static_cast<PlayerArmor*>(GetPlayerArmorFire(this))
        : kind == 2                ? static_cast<PlayerArmor*>(GetPlayerArmorIce(this))
                                   : nullptr;
    if (armor != nullptr)
        armorLevel = armor->GetLevel();
    const float reach = armorLevel == 2 ? 144.0f : 112.0f;
    const bool big = armorLevel == 2;
    const int s = big ? 160 : 96, h = big ? 288 : 224, q = big ? 224 : 160;
    const Point<int> centre = GetCenter().ToInt();
    auto boxOf = [&centre](int w, int ht) {
        Rect<int> r(centre.x, centre.y + ht, centre.x + w, centre.y);
        r.Offset(Point<int>(-w / 2, -ht / 2));
        return r;
    };
    for (CharacterObject* c : targets) {
        if (c == nullptr || c == this)
            continue;
        const Point<float> d = GetCenter() - c->GetCenter();
        const float v = std::max(0.0f, d.x * d.x + d.y * d.y - c->GetSizeSquared());
        if (v > reach * reach)
            continue;
        if (!c->IsHitByBox(boxOf(s, h), true) && !c->IsHitByBox(boxOf(h, s), true)
            && !c->IsHitByBox(boxOf(q, q), true))
            continue;
        const int before = c->GetLife();
        const bool deadBefore = c->IsDead();
        c->ReceiveHit(this, kind, static_cast<float>(armorLevel));
        if (c->GetLife() != before || c->GetCustomFlag1()) {
            c->SetCustomFlag1(false);
            PlayCharacterHitSound(c);
            if (c->GetLife() <= 0 && CountsAsKill(c))
                world->CountAchievement("Invincible");
        }
        // A shot the attack destroys counts, whether it goes by losing its
        // life or, like most enemy shots (which have none), by dying at once.
        const bool destroyed = !deadBefore && (c->IsDead() || (before > 0 && c->GetLife() <= 0));
        if (destroyed && c->GetName().find("Projectile_") != std::string::npos)
            world->CountAchievement("Can't touch this");
        attackFired = true;
    }
}
