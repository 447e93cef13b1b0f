#include "characters/Player.h"
#include "characters/PlayerArmor.h"
#include "characters/PlayerModifier.h"
#include "engine/input/AbstractInputManager.h"
#include "engine/render/GE_Blink.h"
#include "scene/GraphicalObject.h"

#include <cmath>
#include <limits>

namespace {

// Held in this poll and not in the one before.
bool JustPressed(bool pressed, bool previous)
{
    return pressed && !previous;
}

// Held in this poll and (not in the one before, or released in this poll):
// a quick tap between two polls still counts.
bool NewlyPressed(bool pressed, bool previous, bool released)
{
    return pressed && (!previous || released);
}

bool InAir(int state)
{
    return state == Player::kJump || state == Player::kEndJump || state == Player::kFall;
}

// Animation numbers of the move states (their slots: PlayerAnimationSet).
enum AnimationId {
    IdleL = 0,
    CrouchExtL = 2,
    CrouchL = 4,
    FallL = 6,
    HighFallCrouchL = 8,
    JumpL = 10,
    WalkL = 12,
    ClimbIdleR = 14,
    ClimbUpR = 15,
    ClimbDownR = 16,
    ClimbIdleL = 17,
    ClimbUpL = 18,
    ClimbDownL = 19,
    TouchedGroundL = 20,
    TouchedAirL = 22,
    StraffBwdL = 24,
    StraffBwdR = 25,
    StraffFwdL = 26,
    StraffFwdR = 27,
};

} // namespace

void Player::SetMoveState(int value)
{
    if (value == moveState)
        return;
    if (moveState == kStrafe) {
        if (PlayerModifier* straff = GetModifier(kStraff))
            straff->SetCooldown(PlayerTuning::Current().straffDelay);
    }
    moveState = value;
    PlayerWorld* world = GetPlayerWorld();
    stateStartTime = world != nullptr ? world->GetTimeMs() : 0.0;
    stateFrames = 0.0;
    const int chain = IsSpiderForm() ? 5 : 0;
    switch (value) {
    case kJump:
        stageClock = {chain + 0, 0.0};
        verticalSpeed = 0.5f;
        jumpStartY = position.y;
        break;
    case kEndJump:
        stageClock = {chain + 2, 0.0};
        jumpStartY = position.y;
        break;
    case kFall:
        stageClock = {chain + 3, -33.0};
        verticalSpeed = stages[static_cast<size_t>(chain + 2)].SpeedEnd;
        jumpStartY = position.y;
        break;
    default:
        stageClock.stage = -1;
        break;
    }
}

void Player::UpdateMovingStage(double dt)
{
    int state = moveState;
    AdvancePlayerStage(stages, IsSpiderForm(), stageClock, verticalSpeed, state, dt);
    moveState = state;
}

void Player::UpdateInputs(double dt, AbstractInputManager* input)
{
    if (input == nullptr)
        return;
    // The update itself ignores the actions while the input is locked: the
    // respawn that ends in this update unlocks it first.
    UpdateWithActions(
        dt, input->GetPressedActions(), input->GetPreviousActions(), input->GetReleasedActions());
}

void Player::UpdateWithActions(
    double dt, const InputActions& pressedIn, const InputActions& previousIn, const InputActions& releasedIn)
{
    const int stateAtStart = moveState;
    const int formAtStart = form;
    const int attackAtStart = attackKind;
    walkStoppedByAttack = false;
    ApplyRequests(dt);
    const InputActions none;
    const bool locked = IsInputLocked();
    const InputActions& pressed = locked ? none : pressedIn;
    const InputActions& previous = locked ? none : previousIn;
    const InputActions& released = locked ? none : releasedIn;

    PlayerWorld* world = GetPlayerWorld();
    CountFrame(world);
    const bool fireArmorWorn = armorState.currentArmor == kFireArmor;
    const bool slowed = inLava || (touchingWater && (!fireArmorWorn || IsSpiderForm()));
    UpdateMovingStage(slowed ? dt * PlayerTuning::Current().waterSlowRatio : dt);

    PlayerCollisions* collisions = world != nullptr ? world->GetCollisions() : nullptr;
    if (collisions == nullptr)
        return;
    UpdateInvulnerability();
    MoveByActions(dt, collisions, pressed, previous, released);
    placedExternally = false;
    UpdateContacts(false);
    FreezeAfterHighFall(stateAtStart);

    ChooseAnimation(pressed, moveState != stateAtStart, formAtStart, stateAtStart);
    UpdateAttack(pressed, stateAtStart);
    NoteChanges(stateAtStart, formAtStart, attackAtStart);
    FinishUpdate(*world, pressed);
}

void Player::ApplyRequests(double dt)
{
    if (arrivalFlag) {
        arrivalFlag = false;
        if (pendingMoveState == -1)
            pendingMoveState = kFall;
    }
    if (pendingMoveState != -1) {
        SetMoveState(pendingMoveState);
        pendingMoveState = -1;
    }
    if (pendingForm != -1) {
        form = pendingForm;
        pendingForm = -1;
    }
    if (GraphicalObject* g = GetCurrentGraphical())
        g->Update(dt);
    UpdateDeath();
    // The pose ends in a stand; until the player stands, however the pose
    // ended (or was cut short by a fall), the keys held through the death
    // move nobody. The locks of scripts and bosses are their own.
    if (moveState == kRespawning && (currentAnimation == nullptr || currentAnimation->IsAnimationFinished()))
        SetMoveState(kIdle);
    if (respawning && life > 0 && moveState != kRespawning && moveState != kDying && !InAir(moveState))
        respawning = false;
}

void Player::CountFrame(PlayerWorld* world)
{
    if (world != nullptr) {
        const uint64_t played = static_cast<uint64_t>(world->GetPlayTime()) + 33u;
        world->SetPlayTime(
            static_cast<uint32_t>(std::min<uint64_t>(played, std::numeric_limits<uint32_t>::max())));
    }
    stateFrames += 1.0;
    crossbowFrames += 1;
}

void Player::UpdateInvulnerability()
{
    if (invulnerableFrames > 0) {
        --invulnerableFrames;
        hitThisFrame = true;
    } else {
        hitThisFrame = false;
    }
    invulnerable = invulnerableFrames > 0;
}

void Player::MoveByActions(double dt, PlayerCollisions* collisions, const InputActions& pressed,
    const InputActions& previous, const InputActions& released)
{
    bool hurtRunning = false;
    UpdateMoveState(hurtRunning, collisions, previousMoveState, pressed, previous, released, kAirStep);

    const int stateBeforeMove = moveState;
    // A position another character set (a boss's grip) keeps the previous
    // position it was given.
    if (!placedExternally)
        previousPosition = position;
    UpdateMovement(dt, moveState, hurtRunning, collisions, pressed);
    if ((stateBeforeMove == kJump || stateBeforeMove == kEndJump) && moveState == kIdle)
        LandingStep(collisions, dt);
    if (moveState != stateBeforeMove) {
        const InputActions pressed2 = pressed, previous2 = previous, released2 = released;
        UpdateMoveState(hurtRunning, collisions, previousMoveState, pressed2, previous2, released2, kAirStep);
    }
}

void Player::FreezeAfterHighFall(int stateAtStart)
{
    if (stateAtStart == kFall && moveState != kFall && moveState != kHanging && moveState != kClimbing
        && jumpStartY - position.y >= PlayerTuning::Current().highFallHeightThreshold) {
        formTimer = PlayerTuning::Current().highFallFreezeTime;
        form = IsSpiderForm() ? kSpiderHighFallFreeze : kHighFallFreeze;
        jumpStartY = position.y;
        direction.x = 0.0f;
    }
}

void Player::NoteChanges(int stateAtStart, int formAtStart, int attackAtStart)
{
    if (moveState != stateAtStart) {
        previousMoveState = stateAtStart;
        const bool landed = InAir(stateAtStart) && moveState >= kIdle && moveState < kJump;
        if (landed)
            PlaySoundAt(form == kHighFallFreeze || form == kSpiderHighFallFreeze ? kSoundTouchGroundHeavy
                                                                                 : kSoundTouchGround);
        if (moveState == kWalk)
            PlaySoundAt(kSoundMove);
        if (moveState == kJump)
            PlaySoundAt(kSoundJump);
        if (stateAtStart == kWalk)
            StopSoundAt(kSoundMove);
    }
    if (form != formAtStart)
        previousForm = formAtStart;
    if (attackKind != attackAtStart)
        previousAttackKind = attackAtStart;
}

void Player::FinishUpdate(PlayerWorld& world, const InputActions& pressed)
{
    // Blinks while hit.
    if (hitThisFrame && hitBlink == nullptr)
        hitBlink = std::make_unique<GE_Blink>();
    else if (!hitThisFrame)
        hitBlink.reset();
    if (hitBlink != nullptr)
        hitBlink->Update();

    if (secretFinder && world.HasLevel())
        FindNearestSecretZone();
    UpdateFallOut(world);
    UpdateDeath();
    // After-images while dashing and after a double jump.
    drawInstance.SetTrailLength(moveState == kStrafe || doubleJumped ? 5 : 0);
    armorState.armorChanged = false;
    UpdateArmors(pressed);

    if (life > 1 && lowLifeSoundPlaying) {
        StopSoundAt(kSoundLowHp);
        lowLifeSoundPlaying = false;
    } else if (life == 1 && !lowLifeSoundPlaying) {
        PlaySoundAt(kSoundLowHp);
        lowLifeSoundPlaying = true;
    }
}

void Player::UpdateMoveState(bool& hurtRunning, PlayerCollisions* collisions, int& resumeState,
    const InputActions& pressed, const InputActions& previous, const InputActions& released,
    const float& airStep)
{
    if (form == kRecovery || form == kSpiderRecovery) {
        formTimer -= 1.0;
        if (formTimer < 0.0) {
            formTimer = 0.0;
            SetForm(form == kSpiderRecovery ? kSpider : kNormal);
        }
    }
    if (form == kHurt || form == kSpiderHurt) {
        formTimer -= 1.0;
        if (formTimer >= 0.0) {
            hurtRunning = true;
        } else {
            const bool spider = form == kSpiderHurt;
            if (InAir(moveState)) {
                form = spider ? kSpider : kNormal;
                formTimer = 0.0;
            } else {
                moveState = InAir(resumeState) || resumeState < 0 ? kIdle : resumeState;
                formTimer = kRecoveryTime;
                direction = Point<float>(0.0f, 0.0f);
                form = spider ? kSpiderRecovery : kRecovery;
            }
            direction.Normalize(false);
        }
    }
    if (form == kHighFallFreeze || form == kSpiderHighFallFreeze) {
        formTimer -= 1.0;
        if (formTimer >= 0.0)
            return; // frozen
        formTimer = 0.0;
        form = form == kSpiderHighFallFreeze ? kSpider : kNormal;
    }
    if (JustPressed(pressed.Action4, previous.Action4) && IsModifierEnabled(kSpiderAbility))
        ToggleSpiderForm();
    if (InAir(moveState)) {
        const bool allowed = !IsSpiderForm() || spiderDoubleJump;
        if (allowed && IsModifierEnabled(kDoubleJump) && !doubleJumped
            && NewlyPressed(pressed.Action1, previous.Action1, released.Action1)) {
            PlaySoundAt(kSoundDoubleJump);
            doubleJumped = true;
            // A new jump from the first stage: SetMoveState does nothing for
            // the state the player is already in, so restart it here.
            if (moveState == kJump)
                moveState = kEndJump;
            SetMoveState(kJump);
        }
    } else {
        doubleJumped = false;
    }
    StartAttack(pressed, previous, released);
    if (form == kRecovery || form == kHurt || form == kSpiderHurt || form == kSpiderRecovery)
        return;
    ApplyTransitions(collisions, pressed, previous, released);
    ApplyStateMotion(pressed, airStep);
}

bool Player::StrafeStarts(const InputActions& pressed, const InputActions& previous)
{
    const PlayerModifier* straff = GetModifier(kStraff);
    return (pressed.Action7 || pressed.Action8) && !previous.Action7 && !previous.Action8 && !IsSpiderForm()
        && straff != nullptr && straff->IsEnabled() && straff->GetCooldown() == 0;
}

void Player::ApplyTransitions(PlayerCollisions* collisions, const InputActions& pressed,
    const InputActions& previous, const InputActions&)
{
    const bool jumpPressed = JustPressed(pressed.Action1, previous.Action1);
    const bool strafe = StrafeStarts(pressed, previous);
    switch (moveState) {
    case kIdle:
        LeaveIdle(collisions, pressed, jumpPressed, strafe);
        break;
    case kWalk:
        LeaveWalk(collisions, pressed, jumpPressed, strafe);
        break;
    case kCrouch:
        if (!IsAttacking())
            LeaveCrouch(collisions, pressed, jumpPressed);
        break;
    case kJump: {
        PlayerWorld* world = GetPlayerWorld();
        const double now = world != nullptr ? world->GetTimeMs() : stateStartTime;
        if (!pressed.Action1 && now - stateStartTime >= 50.0)
            SetMoveState(kEndJump);
        break;
    }
    case kHanging:
        if (jumpPressed)
            JumpOffWall(currentAnimationId == ClimbIdleL);
        else if (pressed.y != 0.0f)
            SetMoveState(kClimbing);
        break;
    case kClimbing:
        if (jumpPressed)
            JumpOffWall(currentAnimationId == ClimbDownL || currentAnimationId == ClimbUpL);
        else if (pressed.y == 0.0f)
            SetMoveState(kHanging);
        break;
    case kStrafe:
        LeaveStrafe(collisions, pressed, jumpPressed);
        break;
    default:
        break;
    }
    if (moveState == kStrafe && stateFrames == 0.0) {
        // A dash keeps the side the player faced as it starts (it may go
        // backwards) and sets the strafe's cool-down.
        facing = GetFacingFromAnimation();
        if (PlayerModifier* straff = GetModifier(kStraff))
            straff->SetCooldown(PlayerTuning::Current().straffDelay);
    }
}

void Player::LeaveIdle(
    PlayerCollisions* collisions, const InputActions& pressed, bool jumpPressed, bool strafe)
{
    if (strafe) {
        SetMoveState(kStrafe);
        direction = Point<float>(pressed.Action7 ? 1.0f : -1.0f, 0.0f);
        EndAttack();
    } else if (jumpPressed && HasHeadroom(collisions)) {
        SetMoveState(kJump);
        direction = Point<float>(0.0f, 0.0f);
        EndAttack();
    } else if (pressed.y >= 0.0f) {
        if (!IsAttacking() && pressed.x != 0.0f)
            SetMoveState(kWalk);
    } else if (pressed.y == -1.0f) {
        SetMoveState(kCrouch);
        direction.x = 0.0f;
        if (IsAttacking() && previousAttackKind == 0)
            EndAttack();
    }
}

void Player::LeaveWalk(
    PlayerCollisions* collisions, const InputActions& pressed, bool jumpPressed, bool strafe)
{
    if (strafe) {
        SetMoveState(kStrafe);
        direction = Point<float>(pressed.Action7 ? 1.0f : -1.0f, 0.0f);
    } else if (jumpPressed && HasHeadroom(collisions)) {
        SetMoveState(kJump);
    } else if (pressed.y < 0.0f) {
        SetMoveState(kCrouch);
        direction = Point<float>(0.0f, 0.0f);
    } else if (pressed.x == 0.0f) {
        SetMoveState(kIdle);
    }
}

void Player::LeaveCrouch(PlayerCollisions* collisions, const InputActions& pressed, bool jumpPressed)
{
    if (jumpPressed) {
        float allowed = 0.0f;
        int kind = 0;
        // Floors that block only from above are not solid here: the player
        // drops through them.
        const bool floorBelow = collisions->Test(0, GetWorldBox(), 0.0f, -4.0f, &allowed, &kind);
        if (floorBelow && HasHeadroom(collisions)) {
            SetMoveState(kJump);
        } else {
            position.y -= 4.0f; // drops through
            SetMoveState(kFall);
        }
        direction = Point<float>(0.0f, 0.0f);
    } else if (pressed.y >= 0.0f) {
        SetMoveState(pressed.x != 0.0f ? kWalk : kIdle);
    }
}

void Player::JumpOffWall(bool facedLeft)
{
    SetMoveState(kJump);
    inClimbZone = false;
    direction.x = facedLeft ? 1.0f : -1.0f;
}

void Player::LeaveStrafe(PlayerCollisions* collisions, const InputActions& pressed, bool jumpPressed)
{
    if (jumpPressed && HasHeadroom(collisions)) {
        SetMoveState(kJump);
    } else if (stateFrames >= PlayerTuning::Current().straffDuration) {
        if (pressed.y < 0.0f) {
            SetMoveState(kCrouch);
            direction = Point<float>(0.0f, 0.0f);
        } else {
            SetMoveState(pressed.x != 0.0f ? kWalk : kIdle);
        }
    }
}

void Player::ApplyStateMotion(const InputActions& pressed, float airStep)
{
    auto steer = [&](float target) {
        if (target > direction.x)
            direction.x = std::min(direction.x + airStep, target);
        else if (target < direction.x)
            direction.x = std::max(direction.x - airStep, target);
    };
    switch (moveState) {
    case kIdle:
        direction.x = 0.0f;
        speed = 0.0f;
        break;
    case kWalk:
        direction = Point<float>(pressed.x > 0.0f ? 1.0f : -1.0f, 0.0f);
        speed = walkSpeed;
        break;
    case kJump:
    case kEndJump:
    case kFall:
        direction.y = moveState == kFall ? -1.0f : 1.0f;
        if (pressed.x > 0.0f)
            steer(1.0f);
        else if (pressed.x < 0.0f)
            steer(-1.0f);
        speed = jumpSpeedH;
        break;
    case kHanging:
        direction = Point<float>(0.0f, 0.0f);
        speed = 0.0f;
        break;
    case kClimbing:
        direction = Point<float>(0.0f, pressed.y > 0.0f ? 1.0f : -1.0f);
        speed = climbSpeed;
        break;
    case kStrafe:
        speed = walkSpeed * PlayerTuning::Current().straffSpeed;
        break;
    case kScripted:
        if (pressed.x != 0.0f)
            direction.x = pressed.x > 0.0f ? 1.0f : -1.0f;
        if (pressed.y != 0.0f)
            direction.y = pressed.y > 0.0f ? 1.0f : -1.0f;
        speed = walkSpeed;
        break;
    default:
        break;
    }
}

void Player::ShowAnimation(int id)
{
    const int slot = PlayerAnimationSet::SlotOfAnimationId(id);
    GraphicalObject* chosen = GetAnimationField(slot);
    if (chosen != currentAnimation && chosen != nullptr)
        chosen->RestartAnimations(false);
    if (chosen != currentAnimation || currentAnimationId != id) {
        currentAnimation = chosen;
        currentAnimationId = id;
    }
}

void Player::ChooseAnimation(
    const InputActions& pressed, bool stateChanged, int formAtStart, int stateAtStart)
{
    if (moveState == kDying)
        return;
    const bool frozenOrHurtAtStart = formAtStart == kHighFallFreeze || formAtStart == kHurt
        || formAtStart == kSpiderHurt || formAtStart == kSpiderHighFallFreeze;
    if (pressed.x == 0.0f && !stateChanged && !frozenOrHurtAtStart && stateAtStart != kRespawning
        && currentAnimation != nullptr)
        return;
    const int side = pressed.x < 0.0f ? 0 : pressed.x > 0.0f ? 1 : (GetFacingFromAnimation() == 1 ? 1 : 0);
    if (form == kHighFallFreeze || form == kSpiderHighFallFreeze) {
        int right = side;
        if (pressed.x == 0.0f)
            right = currentAnimationId == FallL + 1 || currentAnimationId == HighFallCrouchL + 1 ? 1 : 0;
        ShowAnimation(HighFallCrouchL + right);
        return;
    }
    if (form == kHurt || form == kSpiderHurt) {
        if (formAtStart != form) {
            if (moveState <= kCrouch)
                ShowAnimation(TouchedGroundL + side);
            else if (InAir(moveState))
                ShowAnimation(TouchedAirL + side);
        }
        return;
    }
    switch (moveState) {
    case kIdle:
        ShowAnimation(IdleL + side);
        break;
    case kWalk:
        ShowAnimation(WalkL + side);
        break;
    case kCrouch: {
        PlayerWorld* world = GetPlayerWorld();
        PlayerCollisions* collisions = world != nullptr ? world->GetCollisions() : nullptr;
        float allowed = 0.0f;
        int kind = 0;
        const bool floor
            = collisions != nullptr && collisions->Test(0, GetWorldBox(), 0.0f, -4.0f, &allowed, &kind);
        ShowAnimation((floor ? CrouchL : CrouchExtL) + side);
        break;
    }
    case kJump:
    case kEndJump:
        ShowAnimation(JumpL + side);
        break;
    case kFall:
        ShowAnimation(FallL + side);
        break;
    case kHanging:
        ShowAnimation(facing == 1 ? ClimbIdleR : ClimbIdleL);
        break;
    case kClimbing:
        if (pressed.y > 0.0f)
            ShowAnimation(facing == 1 ? ClimbUpR : ClimbUpL);
        else
            ShowAnimation(facing == 1 ? ClimbDownR : ClimbDownL);
        break;
    case kStrafe:
        if (facing == 1)
            ShowAnimation(direction.x <= 0.0f ? StraffBwdR : StraffFwdR);
        else
            ShowAnimation(direction.x >= 0.0f ? StraffBwdL : StraffFwdL);
        break;
    default:
        break;
    }
}
