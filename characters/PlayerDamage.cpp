#include "characters/Player.h"
#include "characters/PlayerDeathLog.h"

void Player::ApplyDamage(CharacterObject* attacker, int damage)
{
    PlayerWorld* world = GetPlayerWorld();
    if (invulnerable || IsInputLocked() || (world != nullptr && world->IsGameplayPaused()))
        return;
    if (world != nullptr)
        world->ResetAchievement("Invincible");
    if (moveState != kHanging && moveState != kClimbing) {
        formTimer = static_cast<double>(PlayerTuning::Current().hitTimer);
        SetPendingForm(form == kSpider ? kSpiderHurt : kHurt);
        if (moveState == kIdle || moveState == kWalk || moveState == kCrouch) {
            // Pushed the attacker's way; without one (lava) the push keeps
            // the direction the player has.
            if (attacker != nullptr)
                direction = Point<float>(attacker->GetDirection().x > 0.0f ? 1.0f : -1.0f, 0.0f);
            if (moveState == kIdle || moveState == kCrouch)
                SetPendingMoveState(kWalk);
            speed = walkSpeed;
        } else if ((moveState == kJump || moveState == kEndJump || moveState == kFall)
            && attacker != nullptr) {
            direction.x = attacker->GetDirection().x >= 0.0f ? 0.5f : -0.5f;
            SetPendingMoveState(kFall);
            direction.y = 0.0f;
        }
    }
    if (world == nullptr || !world->IsGodMode())
        life -= damage;
    if (damage >= 1) {
        invulnerable = true;
        invulnerableFrames = kInvulnerableFrames;
        if (life > 0) {
            PlaySoundAt(kSoundHitByEnemy);
            return;
        }
    }
    if (life > 0)
        return;
    NoteDeath(world, attacker);
}

void Player::NoteDeath(PlayerWorld* world, CharacterObject* attacker)
{
    life = 0;
    PlaySoundAt(GetDeathSoundIndex());
    if (world == nullptr)
        return;
    world->AddDebugMessage("You player is dead !");
    if (world->GetLogPlayer() > 0 && world->GetSaveSlot() != -1)
        WriteDeathRecord(attacker);
    world->ResetMusicPositions();
}

void Player::WriteDeathRecord(CharacterObject* attacker)
{
    PlayerWorld* world = GetPlayerWorld();
    PlayerDeathRecord record;
    record.playTime = world->GetPlayTime();
    record.attackerName = attacker != nullptr ? attacker->GetName() : "";
    record.maxLife = GetMaxLife();
    record.attackRank = attackRank;
    record.levelName = world->GetLevelName();
    record.position = position;
    record.minimapCell = world->GetMinimapCell();
    AppendDeathRecord(world->GetUserPath(), world->GetSaveSlot(), record);
}

void Player::UpdateFallOut(PlayerWorld& world)
{
    if (fellOut || !world.HasLevel() || GetWorldBox().top >= 0.0f)
        return;
    fellOut = true;
    inputLocked = true;
    NoteDeath(&world, nullptr);
    world.RaisePlayerDied();
}
