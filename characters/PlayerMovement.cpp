#include "characters/Player.h"
#include "characters/PlayerModifier.h"
#include "scene/Level.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kSkin = 0.1f;
constexpr float kEpsilon = 0.0001f;
constexpr float kStepUp = 4.0f;
constexpr float kGroundProbe = 4.0f;
constexpr float kEdgeProbe = 20.0f;
constexpr float kClimbGroundProbe = 64.0f;
// The zones whose contact pass the climbing step runs.
constexpr const char* kClimbZoneType = "Zone_ClimbJump";
// Kind of box the player settles onto (slopes, steps).
constexpr int kSettleKind = 2;

bool InAir(int state)
{
    return state == Player::kJump || state == Player::kEndJump || state == Player::kFall;
}

// Where a blocked move stops: at the box, less the skin.
float StopAt(float allowed, bool positive)
{
    if (std::fabs(allowed) <= kEpsilon)
        return allowed;
    return positive ? allowed - kSkin : allowed + kSkin;
}

} // namespace

void Player::UpdateMovement(
    double dt, int& state, bool& force, PlayerCollisions* collisions, const InputActions& pressed)
{
    if (state == kHanging || state == kClimbing) {
        UpdateClimb(collisions, dt);
        return;
    }
    if (collisions == nullptr)
        return;
    const bool still = !force && (speed == 0.0f || (direction.x == 0.0f && direction.y == 0.0f));
    if (still && (state == kIdle || state == kCrouch)) {
        // Standing still, the player still feels for the ground: when what
        // held it is gone (thawed ice, a level entered in the air) it falls.
        MoveWithCollisions(collisions, 0.0f, 0.0f, state, 0.0f, 0.0f, pressed);
        return;
    }
    if (still)
        return;
    float dx = static_cast<float>(direction.x * speed * 32.0 * dt * 0.001);
    float dy = static_cast<float>(direction.y * verticalSpeed * 32.0 * dt * 0.001);
    const bool fireArmorWorn = armorState.currentArmor == kFireArmor;
    if (inLava || (touchingWater && (!fireArmorWorn || IsSpiderForm()))) {
        dx *= PlayerTuning::Current().waterSlowRatio;
        dy *= PlayerTuning::Current().waterSlowRatio;
    }
    MoveWithCollisions(collisions, dx, dy, state, direction.x, direction.y, pressed);
}

void Player::MoveWithCollisions(PlayerCollisions* collisions, float dx, float dy, int& previousState,
    float dirX, float, const InputActions& pressed)
{
    if (collisions == nullptr)
        return;
    // What the last test met: how far the move may go, and the kind of box.
    float allowed = 0.0f;
    int kind = 0;
    if (MoveHorizontally(collisions, dx, dy, dirX, pressed, allowed, kind)) {
        previousState = moveState;
        return;
    }
    const bool onGround = !InAir(moveState);
    const float move = onGround && dy == 0.0f ? -kGroundProbe : dy;
    const bool blockedY = MoveVertically(collisions, dy, move, pressed, allowed, kind);
    if (onGround && moveState != kHanging && moveState != kClimbing)
        FollowGround(collisions, dy, move, blockedY, kind);
    previousState = moveState;
}

bool Player::MoveHorizontally(PlayerCollisions* collisions, float dx, float dy, float dirX,
    const InputActions& pressed, float& allowed, int& kind)
{
    const Point<float> start = position;
    const bool blockedX = dx != 0.0f && collisions->Test(0, GetWorldBox(), dx, 0.0f, &allowed, &kind);
    if (!blockedX) {
        position.x += dx;
        return false;
    }
    position.x += StopAt(allowed, dx > 0.0f);
    PlayerModifier* climb = GetModifier(kClimb);
    if (inClimbZone && InAir(moveState) && form == kNormal && climb != nullptr && climb->IsEnabled()
        && (dirX > 0.0f ? 1 : -1) == GetFacingFromAnimation()) {
        // The hanging pose faces the wall the player met.
        facing = GetFacingFromAnimation();
        SetMoveState(kHanging);
        inClimbZone = false;
        return true;
    }
    const bool stepped
        = dy == 0.0f && (moveState == kWalk || moveState == kStrafe) && StepUp(collisions, start, dx);
    if (!stepped) {
        if (moveState == kStrafe)
            SetMoveState(pressed.y < 0.0f ? kCrouch : kIdle);
        direction.x = 0.0f;
    }
    return false;
}

bool Player::StepUp(PlayerCollisions* collisions, Point<float> start, float dx)
{
    const Point<float> blockedAt = position;
    position = start;
    position.y += kStepUp;
    float a2 = 0.0f;
    int k2 = 0;
    const bool roomAbove = !collisions->Overlaps(GetWorldBox());
    if (!roomAbove || collisions->Test(0, GetWorldBox(), dx, 0.0f, &a2, &k2)) {
        position = blockedAt;
        return false;
    }
    position.x += dx;
    float a3 = 0.0f;
    int k3 = 0;
    if (collisions->Test(-1, GetWorldBox(), 0.0f, -kStepUp, &a3, &k3) && k3 == kSettleKind)
        position.y += StopAt(a3, false);
    return true;
}

bool Player::MoveVertically(PlayerCollisions* collisions, float dy, float move, const InputActions& pressed,
    float& allowed, int& kind)
{
    const int testKind = move <= 0.0f ? -1 : 0;
    const bool blockedY = collisions->Test(testKind, GetWorldBox(), 0.0f, move, &allowed, &kind);
    if (!blockedY) {
        if (!armorState.armorChanged)
            position.y += move;
        return false;
    }
    position.y += StopAt(allowed, move > 0.0f);
    if (moveState == kFall && dy <= 0.0f) {
        SetMoveState(pressed.y < 0.0f ? kCrouch : kIdle);
        direction = Point<float>(0.0f, 0.0f);
    } else if ((moveState == kJump || moveState == kEndJump) && move > 0.0f) {
        SetMoveState(kFall);
        direction.y = 0.0f;
    }
    return true;
}

void Player::FollowGround(PlayerCollisions* collisions, float dy, float move, bool blockedY, int kind)
{
    if (!blockedY && move < 0.0f) {
        float a4 = 0.0f;
        int k4 = 0;
        if (!collisions->Test(-1, GetWorldBox(), 0.0f, -kEdgeProbe, &a4, &k4)) {
            SetMoveState(kFall);
        } else if (k4 == kSettleKind) {
            float a5 = 0.0f;
            int k5 = 0;
            if (!collisions->Test(-1, GetWorldBox(), 0.0f, a4, &a5, &k5))
                position.y += a4;
        }
    } else if (blockedY && dy <= 0.0f && kind != kSettleKind) {
        float a6 = 0.0f;
        int k6 = 0;
        const float probe = std::max(10.0f, -dy);
        if (collisions->Test(-1, GetWorldBox(), 0.0f, -probe, &a6, &k6) && k6 == kSettleKind
            && std::fabs(a6) > 4.1f)
            position.y += a6 + 1.0f;
    }
}

bool Player::HasHeadroom(PlayerCollisions* collisions)
{
    return collisions == nullptr || !collisions->Overlaps(GetWorldBox(0.0f, 4.0f));
}

void Player::LandingStep(PlayerCollisions* collisions, double dt)
{
    bool force = true;
    int state = moveState;
    UpdateMovement(dt, state, force, collisions, InputActions());
    moveState = state;
}

void Player::UpdateClimb(PlayerCollisions* collisions, double dt)
{
    if (climbSkip) {
        climbSkip = false;
        return;
    }
    const float step = static_cast<float>(speed * 32.0 * dt * 0.001);
    const Point<float> old = position;
    position.y += direction.y * step;
    if (collisions != nullptr && collisions->Overlaps(GetWorldBox())) {
        position = old;
        // Climbing down into the ground: the test reaching lower finds it,
        // and when it lies within this step the climber goes down onto it.
        float below = 0.0f;
        int kind = 0;
        if (direction.y < 0.0f && collisions->Test(-1, GetWorldBox(), 0.0f, -kClimbGroundProbe, &below, &kind)
            && -below <= step)
            position.y += StopAt(below, false);
    }
    // Only the climb zones tell whether the new place is still on the wall:
    // out of every one of them the climber stays where it was.
    PlayerWorld* world = GetPlayerWorld();
    if (Level* level = world != nullptr ? world->GetLevel() : nullptr) {
        level->UpdatePlayerContacts(kClimbZoneType);
        if (!inClimbZone)
            position = old;
    }
}
