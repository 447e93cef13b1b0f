#include "bosses/NPC_Boss_Boat.h"

#include "bosses/Projectile_Boss_Boat.h"
#include "characters/CharacterBoxes.h"
#include "characters/CharacterGameAccess.h"
#include "characters/Player.h"
#include "engine/serial/TypeNames.h"
#include "scene/Camera.h"
#include "scene/CollisionShape.h"
#include "scene/GraphicalObject.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Boss_Boat.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr float kEntrySpeed = 5.0f;
// The entry ends once the draw offset is this close (squared length less
// the rest offset's squared length) to its resting place.
constexpr float kEntryEndDistance = 100.0f;
constexpr Point<float> kPrepareStep {0.25f, -0.125f};
constexpr Point<float> kReturnStep {-0.5f, 0.25f};
constexpr Point<float> kFireMouth {32.0f, 32.0f};
constexpr float kDebrisHeight = 256.0f;
constexpr float kDebrisJitter = 64.0f;
constexpr float kGripCameraSpeed = 100.0f;
constexpr int kShakeFrames = 30;
constexpr float kShake[4] = {2.0f, 4.0f, 10.0f, 2.0f};
constexpr int kLaneDelayBase = 300;
constexpr float kLaneDelaySpread = 5.0f * 30.0f;
constexpr float kPi = 3.14f;
constexpr float kLaneSway = -32.0f;
constexpr int kLastLane = 3;

// Grip boxes (type 4) and attack boxes (5, 6) of a picture.
constexpr int kGripBox = 4;
constexpr int kAttackBox = 5;
constexpr int kHurtAndAttackBox = 6;

Rect<int> Moved(Rect<int> box, Point<int> by)
{
    box.Offset(by);
    return box;
}

// The boxes of the picture's current frame of one of the types.
std::vector<Rect<int>> ActiveBoxes(GraphicalObject* g, int typeA, int typeB)
{
    std::vector<Rect<int>> boxes;
    if (g == nullptr)
        return boxes;
    for (int i = 0; i < g->GetCollisionShapeCount(); ++i) {
        auto* box = dynamic_cast<CollisionBox<int>*>(g->GetCollisionShape(i));
        if (box != nullptr && g->IsCollisionShapeActive(i)
            && (box->GetType() == typeA || box->GetType() == typeB))
            boxes.push_back(box->GetRect());
    }
    return boxes;
}

// The camera that follows a held player, or null (no game).
Camera* TheCamera()
{
    CharacterGameAccess* game = GetCharacterGameAccess();
    return game != nullptr ? game->GetCamera() : nullptr;
}

Point<int> Truncated(Point<float> p)
{
    return Point<int>(static_cast<int>(p.x), static_cast<int>(p.y));
}

} // namespace

NPC_Boss_Boat::NPC_Boss_Boat(std::string name)
    : BossCharacter(std::move(name), "NPC_Boss_Boat")
{
    typeName = TypeNames::NPC_Boss_Boat;
    base = sprites.Add("GraphicalBase");
    headOpen = sprites.Add("GraphicalHeadDown_Open");
    headClose = sprites.Add("GraphicalHeadDown_Close");
    headIdle = sprites.Add("GraphicalHeadDown_IdleClose");
    armIdle = sprites.Add("GraphicalArmLeft_IdleGround");
    armGrip = sprites.Add("GraphicalArmLeft_Grip");
    armGripOpen = sprites.Add("GraphicalArmLeft_GripOpen");
    armHitGround = sprites.Add("GraphicalArmLeft_HitGround");
    baseMoveDown = sprites.Add("GraphicalBase_MoveDown");
    baseMoveUp = sprites.Add("GraphicalBase_MoveUp");
    armMove = sprites.Add("GraphicalArmLeft_Move");
    // Two bare characters that only explode the head's and the arm's looks.
    for (const char* twin : {"Graphical_HeadDown_Open", "Graphical_ArmLeft_IdleGround"})
        if (CharacterObject* made = Boss::Create("CharacterObject", twin))
            doubles.push_back(made);
    SetSize(544, 416);
    life = kLife;
    state = kWaiting;
    SetDrawnFlagged(false);
    const Point<int> entry = kRestOffset + kEntryShift;
    SetDrawOffset(entry.x, entry.y);
    floatOffset = entry.ToFloat();
    direction = Point<float>(0.0f, 0.0f) - kEntryShift.ToFloat();
    direction = Boss::Normalized(direction);
    for (int i = 0; i < kDebrisPool; ++i) {
        auto* piece = Boss::CreateAs<Projectile_Boss_Boat>("Projectile_Boss_Boat");
        if (piece == nullptr)
            continue;
        piece->SetDebris();
        piece->SetEnabled(false);
        piece->SetDirection(Point<float>(0.0f, -1.0f));
        debris.push_back(piece);
    }
    LoadSounds();
    RollLaneDelay();
}

NPC_Boss_Boat::~NPC_Boss_Boat()
{
    // Removed while it holds the player (a level change): the player goes.
    ReleasePlayer();
    // The parts' instances show this boss's own pictures: they leave first.
    RemoveParts();
    currentGraphical = nullptr;
}

void NPC_Boss_Boat::DeclareSounds()
{
    CharacterObject::DeclareSounds();
    for (const char* sound : {"NPC_Boss_Boat_Scream", "NPC_Boss_Boat_LaunchFire", "NPC_Boss_Boat_HitGround",
             "NPC_Boss_Boat_HitPlayerGround", "NPC_Boss_Boat_Preraring"})
        DeclareSound(sound);
}

GraphicalObject* NPC_Boss_Boat::Look(const char* suffix) const
{
    return sprites.Get(suffix);
}

bool NPC_Boss_Boat::HasSprites() const
{
    return base != nullptr && headOpen != nullptr && headClose != nullptr && armIdle != nullptr
        && armGrip != nullptr && armGripOpen != nullptr && armHitGround != nullptr;
}

GraphicalObject* NPC_Boss_Boat::GetHeadSprite() const
{
    return headInstance != nullptr ? headInstance->GetPrototype() : nullptr;
}

GraphicalObject* NPC_Boss_Boat::GetArmSprite() const
{
    return armInstance != nullptr ? armInstance->GetPrototype() : nullptr;
}

std::vector<GraphicalObject*> NPC_Boss_Boat::GetRelatedGraphicalObjects()
{
    return Boss::Related("Boss_Boat");
}

void NPC_Boss_Boat::RollLaneDelay()
{
    laneDelay = static_cast<int>(kLaneDelayBase + Boss::Random01() * kLaneDelaySpread);
}

void NPC_Boss_Boat::SetPosition(Point<float> p)
{
    CharacterObject::SetPosition(p);
    PlaceParts();
}

void NPC_Boss_Boat::SetDrawOffset(int x, int y)
{
    CharacterObject::SetDrawOffset(x, y);
    PlaceParts();
}

void NPC_Boss_Boat::PlaceParts()
{
    const Point<float> shift = (drawOffset - kRestOffset).ToFloat();
    if (headInstance != nullptr) {
        const Point<float> at = position + kHeadOffset.ToFloat() + shift;
        headInstance->SetPosition(at.x, at.y);
    }
    if (armInstance != nullptr) {
        const Point<float> at = position + kArmOffset.ToFloat() + shift;
        armInstance->SetPosition(at.x, at.y);
    }
}

void NPC_Boss_Boat::ResetToStart()
{
    const Point<int> p = Truncated(position);
    const Point<int> s = CharacterObject::GetSize();
    cornerA = p + Point<int>(0, static_cast<int>(s.y * 3.5));
    cornerB = p + Point<int>(static_cast<int>(s.x * 3.0), 0);
}

bool NPC_Boss_Boat::HandleScriptCommand(std::string command, std::string argument)
{
    if (Boss::IsCommand(command, "start") && state != kEntry) {
        state = kEntry;
        return true;
    }
    return CharacterObject::HandleScriptCommand(std::move(command), std::move(argument));
}

void NPC_Boss_Boat::ShowOnHead(GraphicalObject* sprite, bool restart)
{
    if (headInstance == nullptr || sprite == nullptr)
        return;
    headInstance->SetPrototype(sprite);
    if (restart)
        sprite->RestartAnimations(true);
}

void NPC_Boss_Boat::ShowOnArm(GraphicalObject* sprite, bool restart)
{
    if (armInstance == nullptr || sprite == nullptr)
        return;
    armInstance->SetPrototype(sprite);
    if (restart)
        sprite->RestartAnimations(true);
}

Rect<int> NPC_Boss_Boat::PlayerBox() const
{
    Player* player = Boss::ThePlayer();
    if (player == nullptr)
        return Rect<int>();
    const Point<int> p = Truncated(player->GetPosition());
    const Point<int> s = player->GetSize();
    return MakeBox(p, s.y, s.x);
}

void NPC_Boss_Boat::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    if (exploding)
        return;
    DamagePlayerOnContact();
    if (currentGraphical != nullptr && HasSprites() && headInstance != nullptr && armInstance != nullptr) {
        --fireTimer;
        switch (state) {
        case kPreparing:
            --slide;
            if (slide >= 0)
                SetPosition(position + kPrepareStep);
            if (slide <= 0) {
                state = kGrip;
                slide = kReturnSteps;
                countdown = kGripRelease;
                ShowOnArm(armGripOpen, false);
                armGripOpen->RestartAnimations(true);
                armGrip->RestartAnimations(true);
            }
            break;
        case kEntry:
            StepEntry();
            break;
        case kIdle:
            StepIdle();
            break;
        default:
            GripPlayer();
            UpdateFire();
            UpdateHitGround();
            break;
        }
    }
    StepParts(dt);
    if (state == kIdle || state == kLaneMove)
        StepLaneMove();
    StepBody(dt);
    UpdateSounds();
}

void NPC_Boss_Boat::StepEntry()
{
    if (GetArmSprite() == armGripOpen) {
        floatOffset = floatOffset + direction * kEntrySpeed;
        SetDrawOffset(static_cast<int>(floatOffset.x), static_cast<int>(floatOffset.y));
        const float rest = static_cast<float>(kRestOffset.x * kRestOffset.x + kRestOffset.y * kRestOffset.y);
        if (floatOffset.x * floatOffset.x + floatOffset.y * floatOffset.y - rest < kEntryEndDistance) {
            SetDrawOffset(kRestOffset.x, kRestOffset.y);
            ShowOnHead(headOpen, true);
            ShowOnArm(armIdle, true);
            PlaySoundAt(2);
        }
    } else if (GetHeadSprite() == headOpen && headOpen->IsAnimationFinished()) {
        ShowOnHead(headClose, true);
    } else if (GetHeadSprite() == headClose && headClose->IsAnimationFinished()) {
        ShowOnHead(headIdle, true);
        state = kIdle;
        Boss::Announce("NPC_Boss_Boat_State_IDLE");
        fireTimer = kFirePeriod;
    }
}

void NPC_Boss_Boat::StepIdle()
{
    Player* player = Boss::ThePlayer();
    if (player == nullptr)
        return;
    const Point<int> p = Truncated(position);
    const Point<int> s = CharacterObject::GetSize();
    const Rect<int> reach = MakeBox(p, s.y + kReachExtraHeight, s.x);
    const Rect<int> body = PlayerBox();
    const Point<int> centre((body.x0 + body.x1) / 2, (body.y0 + body.y1) / 2);
    const bool inReach
        = centre.x >= reach.x0 && centre.x <= reach.x1 && centre.y >= reach.y1 && centre.y <= reach.y0;
    if (!inReach) {
        state = kStrike;
        countdown = kStrikeDelay;
        ShowOnArm(armHitGround, true);
    } else if (gripRequest) {
        gripRequest = false;
        state = kPreparing;
        slide = kPrepareSteps;
        PlaySound("NPC_Boss_Boat_Preraring");
    } else if (fireTimer <= 0) {
        state = kFire;
        fireTimer = kFirePeriod;
        ShowOnHead(headOpen, true);
        PlaySoundAt(3);
    }
}

void NPC_Boss_Boat::GripPlayer()
{
    if (state != kGrip)
        return;
    Player* player = Boss::ThePlayer();
    GraphicalObject* arm = GetArmSprite();
    const Point<int> armAt = Truncated(armInstance->GetPosition());
    if (arm == armGripOpen && player != nullptr && player->IsAlive()) {
        const Rect<int> body = PlayerBox();
        for (const Rect<int>& grip : ActiveBoxes(armGripOpen, kGripBox, kGripBox))
            if (BoxesOverlap(Moved(grip, armAt), body)) {
                player->SetDirection(Point<float>(0.0f, 0.0f));
                player->SetInputLocked(true);
                holdingPlayer = true;
                if (Camera* camera = TheCamera())
                    camera->SetTravelSpeed(kGripCameraSpeed);
                ShowOnArm(armGrip, false);
                break;
            }
    }
    if (GetArmSprite() == armGrip && player != nullptr) {
        const std::vector<Rect<int>> grips = ActiveBoxes(armGrip, kGripBox, kGripBox);
        if (!grips.empty()) {
            const Rect<int> g = Moved(grips.front(), armAt);
            const Point<float> c((g.x0 + g.x1) * 0.5f, (g.y0 + g.y1) * 0.5f);
            const Point<int> half = player->GetSize() * 0.5f;
            player->SetPreviousPosition(player->GetPosition());
            player->SetPosition(c - half.ToFloat());
            player->SetPlacedExternally(true);
        }
        if (Camera* camera = TheCamera())
            Camera::UpdateTravel(*camera, player, false);
    }
    if (!armGripOpen->IsAnimationFinished() && !armGrip->IsAnimationFinished()) {
        if (countdown > 0)
            --countdown;
        if (countdown == kGripBlowAt && GetArmSprite() == armGrip && player != nullptr) {
            ReleasePlayer();
            player->ApplyDamage(this, 1);
            PlaySoundAt(5);
            if (Camera* camera = TheCamera())
                camera->StopTravel();
            Boss::ShakeCamera(kShakeFrames, kShake[0], kShake[1], kShake[2], kShake[3]);
        }
    } else if (slide == kReturnSteps) {
        // A player caught too late for the blow is let go as the grip ends,
        // or it would stay held for good.
        if (holdingPlayer) {
            ReleasePlayer();
            if (Camera* camera = TheCamera())
                camera->StopTravel();
        }
        ShowOnArm(armIdle, true);
        --slide;
        SetPosition(position + kReturnStep);
    } else if (slide == 0) {
        state = kIdle;
    } else {
        --slide;
        SetPosition(position + kReturnStep);
    }
}

void NPC_Boss_Boat::UpdateFire()
{
    if (state != kFire)
        return;
    GraphicalObject* head = GetHeadSprite();
    if (head == headOpen && headOpen->IsAnimationFinished()) {
        ShowOnHead(headClose, true);
        if (auto* fire = Boss::CreateAs<Projectile_Boss_Boat>("Projectile_Boss_Boat"))
            fire->SetPosition(position + kHeadOffset.ToFloat() + kFireMouth);
    } else if (head == headClose && headClose->IsAnimationFinished()) {
        ShowOnHead(headIdle, true);
        state = kIdle;
    }
}

void NPC_Boss_Boat::UpdateHitGround()
{
    if (state != kStrike)
        return;
    if (countdown > 0) {
        --countdown;
        if (countdown == 0) {
            const int w = CharacterObject::GetSize().x;
            const int span = (cornerB.x - w) - (cornerA.x - w);
            for (int i = 0; i < kDebrisPerStrike && i < static_cast<int>(debris.size()); ++i) {
                Projectile_Boss_Boat* piece = debris[static_cast<size_t>(i)];
                if (piece == nullptr || piece->IsDead())
                    continue;
                piece->SetTrail(0);
                const float x = static_cast<float>(i) / kDebrisPerStrike * static_cast<float>(span)
                    + (2.0f * Boss::Random01() - 1.0f) * kDebrisJitter;
                piece->SetPosition(Point<float>(x, kDebrisHeight));
                piece->SetDebris();
                piece->SetEnabled(true);
                piece->SetDirection(Point<float>(0.0f, -1.0f));
            }
            Boss::ShakeCamera(kShakeFrames, kShake[0], kShake[1], kShake[2], kShake[3]);
            PlaySoundAt(4);
        }
    }
    if (GetArmSprite() == armHitGround && armHitGround->IsAnimationFinished()) {
        ShowOnArm(armIdle, true);
        state = kIdle;
    }
}

void NPC_Boss_Boat::ReleasePlayer()
{
    if (!holdingPlayer)
        return;
    holdingPlayer = false;
    if (Player* player = Boss::ThePlayer())
        player->SetInputLocked(false);
}

Layer* NPC_Boss_Boat::PartLayer(bool front) const
{
    CharacterGameAccess* game = GetCharacterGameAccess();
    if (game == nullptr || !game->HasLevel())
        return nullptr;
    Layer* first = nullptr;
    Layer* last = nullptr;
    game->GetParticleLayers(first, last);
    return front ? first : last;
}

void NPC_Boss_Boat::StepParts(double dt)
{
    if (headInstance == nullptr) {
        if (Layer* layer = PartLayer(true)) {
            const Point<float> at = position + kHeadOffset.ToFloat();
            headInstance = layer->AddGraphicalObject(headClose, at.x, at.y, false, -1);
            PlaceParts();
        }
    } else if (GraphicalObject* head = GetHeadSprite()) {
        head->Update(dt);
        PlaceParts();
    }
    if (armInstance == nullptr) {
        Layer* layer = armGripOpen != nullptr ? PartLayer(false) : nullptr;
        if (layer != nullptr) {
            const Point<float> at = position + kArmOffset.ToFloat();
            armInstance = layer->AddGraphicalObject(armGripOpen, at.x, at.y, false, -1);
            if (armInstance != nullptr) {
                armGripOpen->SetAnimationFrame(0);
                armGripOpen->StopAnimations();
            }
            PlaceParts();
        }
    } else if (GraphicalObject* arm = GetArmSprite()) {
        arm->Update(dt);
        // The open and the closed grip play side by side.
        if (state == kGrip && arm == armGripOpen && armGrip != nullptr)
            armGrip->Update(dt);
    }
}

void NPC_Boss_Boat::StepLaneMove()
{
    --laneDelay;
    if (laneDelay < 0 && laneFramesLeft <= 0) {
        direction.x = 0.0f;
        if (lane == 0)
            direction.y = 1.0f;
        else if (lane == kLastLane)
            direction.y = -1.0f;
        else if (lane == 2)
            direction.y = 2.0f * Boss::Random01() - 1.0f;
        direction = Boss::Normalized(direction);
        laneStart = position;
        headStart = headInstance != nullptr ? headInstance->GetPosition() : Point<float>();
        armStart = armInstance != nullptr ? armInstance->GetPosition() : Point<float>();
        laneFramesLeft = kLaneFrames;
        state = kLaneMove;
        ShowOnArm(armMove, true);
    }
    if (laneFramesLeft > 0) {
        --laneFramesLeft;
        if (laneFramesLeft == 0) {
            position = Point<float>(laneStart.x, laneStart.y + kLaneRise * direction.y);
            lane = static_cast<int>(static_cast<float>(lane) + direction.y);
            state = kIdle;
            ShowOnArm(armIdle, true);
            RollLaneDelay();
        } else {
            const float n = static_cast<float>(laneFramesLeft);
            position = Point<float>(laneStart.x + std::sin(n / kLaneFrames * kPi) * kLaneSway,
                laneStart.y + (kLaneFrames - n) / kLaneFrames * kLaneRise * direction.y);
        }
        PlaceParts();
    }
}

void NPC_Boss_Boat::StepBody(double dt)
{
    GraphicalObject* body = base;
    if (laneFramesLeft > 0)
        body = direction.y > 0.0f ? baseMoveUp : baseMoveDown;
    if (body != nullptr && body != currentGraphical)
        body->RestartAnimations(true);
    currentGraphical = body;
    if (currentGraphical != nullptr)
        currentGraphical->Update(dt);
    // The resting arm and the closed head breathe with the body.
    if (armIdle != nullptr && base != nullptr && headIdle != nullptr) {
        const int frame = base->GetAnimationFrame();
        armIdle->StopAnimations();
        headIdle->StopAnimations();
        armIdle->SetAnimationFrame(frame);
        headIdle->SetAnimationFrame(frame);
    }
}

bool NPC_Boss_Boat::DamagePlayerOnContact()
{
    Player* player = Boss::ThePlayer();
    if (player == nullptr || dead || !player->IsAlive())
        return false;
    // A touch counts whether or not it hurts: an invulnerable player is only spared the damage.
    auto strike = [&]() {
        if (!player->IsInvulnerable())
            player->ApplyDamage(this, contactDamage);
        return true;
    };
    const Point<int> bodyAt = Truncated(position) + kRestOffset;
    const std::vector<Rect<int>> hurt = player->GetHurtBoxes();
    for (const Rect<int>& attack : GetAttackBoxes())
        for (const Rect<int>& h : hurt)
            if (BoxesOverlap(Moved(attack, bodyAt), Moved(h, Truncated(player->GetPosition()))))
                return strike();
    const Rect<int> body = PlayerBox();
    auto touches = [&](Layer::Instance* part, int typeA, int typeB) {
        if (part == nullptr)
            return false;
        for (const Rect<int>& box : ActiveBoxes(part->GetPrototype(), typeA, typeB))
            if (box.x1 != box.x0 && BoxesOverlap(Moved(box, Truncated(part->GetPosition())), body))
                return true;
        return false;
    };
    if (touches(armInstance, kAttackBox, kHurtAndAttackBox) || touches(headInstance, kGripBox, kGripBox))
        return strike();
    return false;
}

bool NPC_Boss_Boat::IsHitByBox(Rect<int> box, bool flag)
{
    return CharacterObject::IsHitByBox(Moved(box, Point<int>(0, 0) - kRestOffset), flag);
}

bool NPC_Boss_Boat::AttackHitsBox(Rect<int> box)
{
    return CharacterObject::AttackHitsBox(Moved(box, Point<int>(0, 0) - kRestOffset));
}

void NPC_Boss_Boat::ApplyDamage(CharacterObject* attacker, int damage)
{
    CharacterObject::ApplyDamage(attacker, damage);
    if (attacker == nullptr)
        return;
    const int before = life;
    const int after = life - damage;
    // Two grips in the fight: when the life passes 22 and when it passes 5.
    if ((before >= 23 && after <= 22) || (before >= 6 && after <= 5))
        gripRequest = true;
    life = before > 0 ? after : 0;
    if (life > 0 || !Boss::StartDeath(*this, true, 25.0f, 35.0f))
        return;
    Boss::KillProjectiles("Projectile_Boss_Boat");
    ReleasePlayer();
    ExplodePart(headInstance, doubles.size() > 0 ? doubles[0] : nullptr, true);
    ExplodePart(armInstance, doubles.size() > 1 ? doubles[1] : nullptr, false);
}

void NPC_Boss_Boat::ExplodePart(Layer::Instance*& instance, CharacterObject* twin, bool front)
{
    if (instance == nullptr || instance->GetPrototype() == nullptr)
        return;
    if (twin != nullptr) {
        GraphicalObject* look = instance->GetPrototype();
        twin->SetPosition(instance->GetPosition());
        twin->SetShockWaveTiming(25.0f, 35.0f);
        twin->SetCurrentGraphical(look);
        twin->SetSize(look->GetSize());
        twin->BuildExplosionPieces(look);
        twin->Explode(false);
    }
    if (Layer* layer = PartLayer(front))
        layer->DeleteInstance(instance);
    instance = nullptr;
}

void NPC_Boss_Boat::RemoveParts()
{
    if (headInstance != nullptr)
        if (Layer* layer = PartLayer(true))
            layer->DeleteInstance(headInstance);
    if (armInstance != nullptr)
        if (Layer* layer = PartLayer(false))
            layer->DeleteInstance(armInstance);
    headInstance = nullptr;
    armInstance = nullptr;
}

void NPC_Boss_Boat::Die()
{
    Boss::Announce("NPC_Boss_Boat_State_DIE");
    CharacterObject::Die();
    RemoveParts();
    // The doubles show this boss's pictures: they leave in the same pass
    // (they stand before it in the live list, which is emptied backwards).
    for (const char* name : {"Graphical_HeadDown_Open", "Graphical_ArmLeft_IdleGround"})
        for (CharacterObject* twin : Boss::FindAll(name, nullptr, false))
            if (std::find(doubles.begin(), doubles.end(), twin) != doubles.end())
                twin->SetDead(true);
}

void Zone_NPCSpawner_Boss_Boat::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_Boss_Boat>(*this, x, y, {"NPC_Boss_Boat", NPCSpawner::Naming::WhenNamed});
}
