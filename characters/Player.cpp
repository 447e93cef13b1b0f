#include "characters/Player.h"

#include "characters/BGEvent_DisplayGO.h"
#include "characters/Firefly.h"
#include "characters/PlayerArmor.h"
#include "characters/PlayerArmorControl.h"
#include "characters/PlayerArmorFire.h"
#include "characters/PlayerArmorIce.h"
#include "characters/PlayerModifier.h"
#include "engine/render/GE_Blink.h"
#include "engine/render/GE_Fade.h"
#include "engine/serial/TypeNames.h"
#include "scene/CollisionShape.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "scene/SceneGameAccess.h"

#include <algorithm>

namespace {

// The after-images behind each firefly.
constexpr int32_t kFireflyTrailLength = 3;

} // namespace

const std::array<const char*, kSoundCount> Player::kSoundNames = {"Player_Attack_Near", "Player_Move",
    "Player_Jump", "Player_HitByEnemy", "Player_TouchGround", "Player_TouchGroundHeavy",
    "Player_Attack_Near_Touch", "Player_Attack_Near_PhantomIgnore", "Player_TransformLigthning",
    "Player_TransformSpider", "Player_TransformChangeArmor", "Player_UseAOE_Fire", "Player_UseAOE_Ice",
    "Player_Enterwater", "Player_Leavewater", "Player_HeartBeat", "Player_LowHP", "World_WaterToIce",
    "World_IceToWater", "World_LavaToIce", "Player_GetPickupGeneric", "Player_GetPickupMap",
    "Player_ArmorAvailable", "Player_FireFlies_HaveTarget", "Player_UseAOE2_Fire", "Player_UseAOE2_Ice",
    "Player_Attack_Near3", "Player_Attack_Near4", "Player_DoubleJump", "Player_Die", "Player_GetDrop"};

const std::array<const char*, 52> Player::kAnimationNames = {"Player GraphicalJumpL", "Player GraphicalJumpR",
    "Player GraphicalFallL", "Player GraphicalFallR", "Player GraphicalIdleL", "Player GraphicalIdleR",
    "Player GraphicalWalkL", "Player GraphicalWalkR", "Player GraphicalCrouchL", "Player GraphicalCrouchR",
    "Player GraphicalHighFallCrouchL", "Player GraphicalHighFallCrouchR", "Player GraphicalTouchedGroundL",
    "Player GraphicalTouchedGroundR", "Player GraphicalTouchedAirL", "Player GraphicalTouchedAirR",
    "Player GraphicalCrouchExtL", "Player GraphicalCrouchExtR", "Player GraphicalIdleAttackL",
    "Player GraphicalIdleAttackR", "Player GraphicalWalkAttackL", "Player GraphicalWalkAttackR",
    "Player GraphicalJumpAttackL", "Player GraphicalJumpAttackR", "Player GraphicalFallAttackL",
    "Player GraphicalFallAttackR", "Player GraphicalAirAttackL", "Player GraphicalAirAttackR",
    "Player GraphicalCrouchAttackL", "Player GraphicalCrouchAttackR", "Player GraphicalClimbIdleR",
    "Player GraphicalClimbUpR", "Player GraphicalClimbDownR", "Player GraphicalClimbIdleL",
    "Player GraphicalClimbUpL", "Player GraphicalClimbDownL", "Player GraphicalSpiderIdleL",
    "Player GraphicalSpiderIdleR", "Player GraphicalSpiderWalkL", "Player GraphicalSpiderWalkR",
    "Player GraphicalSpiderJumpL", "Player GraphicalSpiderJumpR", "Player GraphicalSpiderFallL",
    "Player GraphicalSpiderFallR", "Player GraphicalSpiderTouchedGroundL",
    "Player GraphicalSpiderTouchedGroundR", "Player GraphicalSpiderTouchedAirL",
    "Player GraphicalSpiderTouchedAirR", "Player GraphicalStraffFwdL", "Player GraphicalStraffBwdL",
    "Player GraphicalStraffFwdR", "Player GraphicalStraffBwdR"};

Player::Player(std::string name)
    : CharacterObject(std::move(name))
{
    typeName = TypeNames::Player;
    for (PlayerMovingStage& stage : stages)
        stage = {0.0f, true, -1.0};

    // The pose copies, by name; a missing name leaves its slot empty. The
    // walk-attack poses of rank 1 and the crouch-walk poses have no name of
    // their own among these and stay as the set gives them.
    for (int slot = 0; slot < PlayerAnimationSet::kSlotCount; ++slot) {
        if ((slot >= 30 && slot <= 35) || slot == 10 || slot == 11)
            continue;
        const std::string suffix = PlayerAnimationSet::SlotName(slot);
        if (suffix.find("Spider") != std::string::npos)
            continue;
        defaultAnimationSet.SetSlot(slot, LookUp("Player " + suffix));
    }
    for (int slot = 0; slot <= 37; ++slot) {
        static constexpr std::array<int, 6> kNoSpiderPose = {8, 9, 12, 13, 36, 37};
        const bool idleAgain
            = std::find(kNoSpiderPose.begin(), kNoSpiderPose.end(), slot) != kNoSpiderPose.end();
        if (slot <= 7 || (slot >= 18 && slot <= 21)) {
            std::string suffix = PlayerAnimationSet::SlotName(slot);
            suffix.insert(std::string("Graphical").size(), "Spider");
            spiderAnimationSet.SetSlot(slot, LookUp("Player " + suffix));
        } else if (idleAgain) {
            spiderAnimationSet.SetSlot(slot, spiderAnimationSet.GetSlot(slot % 2));
        }
    }
    defaultAnimationSet.ApplyToPlayer(this);

    SetSize(64, 96);
    walkSpeed = PlayerTuning::Current().walkSpeed;
    jumpSpeedH = PlayerTuning::Current().jumpSpeedH;
    climbSpeed = PlayerTuning::Current().climbSpeed;
    direction = Point<float>(0.0f, 0.0f);
    stages = PlayerTuning::Current().stages;
    deathSoundIndex = 29;
    // Platforms let the player through from below.
    SetPlayerCharacter(true);

    collisionBox = std::make_unique<CollisionBox<int>>(11, 95, 53, 0, 0);
    collisionShapes.push_back(collisionBox.get());
    ResizeCollisionBox(-1);

    modifiers = PlayerArmorControl::CreateModifiers(this);

    if (PlayerWorld* world = GetPlayerWorld()) {
        waterFxIdle = world->FindGraphical("PlayerWaterFXIdle");
        waterFxEnter = world->FindGraphical("PlayerWaterFXEnter");
        waterFxLeave = world->FindGraphical("PlayerWaterFXLeave");
        noHitEffect = world->FindGraphical("PlayerNoHitEffect");
    }
    LoadSounds();

    for (const char* fireflyName : {"Firefly01", "Firefly02", "Firefly03"}) {
        fireflies.push_back(std::make_unique<Firefly>(fireflyName, this));
        // Each firefly is drawn with a short streak of after-images.
        fireflies.back()->SetTrailLength(kFireflyTrailLength);
    }
    ResetFireflies();
}

Player::~Player()
{
    // The box is the player's own; the base must not see it afterwards.
    collisionShapes.clear();
}

void Player::DeclareSounds()
{
    UnloadSounds(true);
    for (const char* soundName : kSoundNames)
        DeclareSound(soundName);
}

GraphicalObject* Player::LookUp(const std::string& objectName)
{
    PlayerWorld* world = GetPlayerWorld();
    return world != nullptr ? Own(world->CloneGraphical(objectName)) : nullptr;
}

GraphicalObject* Player::Own(GraphicalObject* g)
{
    if (g != nullptr)
        ownedGraphicals.emplace_back(g);
    return g;
}

GraphicalObject* Player::GetAnimationField(int slot) const
{
    return slot >= 0 && slot < PlayerAnimationSet::kSlotCount ? animationFields[static_cast<size_t>(slot)]
                                                              : nullptr;
}

void Player::SetAnimationField(int slot, GraphicalObject* g)
{
    if (slot >= 0 && slot < PlayerAnimationSet::kSlotCount)
        animationFields[static_cast<size_t>(slot)] = g;
}

std::vector<GraphicalObject*> Player::GetRelatedGraphicalObjects()
{
    std::vector<GraphicalObject*> related;
    auto addSet = [&related](const PlayerAnimationSet& set) {
        for (int i = 0; i <= 62; ++i) {
            if (GraphicalObject* g = set.Get(i))
                related.push_back(g);
        }
    };
    addSet(defaultAnimationSet);
    for (const int armor : {kIceArmor, kFireArmor}) {
        if (auto* worn = dynamic_cast<PlayerArmor*>(GetModifier(armor))) {
            for (const ArmorAnimationSet* set :
                {&worn->GetAnimationSetA(), &worn->GetAnimationSetB(), &worn->GetAnimationSetC()})
                addSet(ArmorPoses(*set));
        }
    }
    for (GraphicalObject* g : {waterFxIdle, waterFxLeave, waterFxEnter}) {
        if (g != nullptr)
            related.push_back(g);
    }
    if (PlayerWorld* world = GetPlayerWorld()) {
        std::vector<std::string> names = {"Firefly_Idle"};
        for (const char* rank : {"", "R2", "R3"}) {
            for (const char* pose : {"IdleL", "IdleR", "TouchL", "TouchR"})
                names.push_back(std::string("Projectile_Crossbow") + rank + "_Graphical" + pose);
        }
        for (const std::string& n : names) {
            if (GraphicalObject* g = world->FindGraphical(n))
                related.push_back(g);
        }
    }
    return related;
}

GraphicalObject* Player::GetCurrentGraphical() const
{
    if (GetAttackKind() != 0 && IsAlive())
        return attackGraphical;
    return currentAnimation;
}

bool Player::Draw(DXGraphicalSurface* target, Point<int> offset)
{
    bool result = true;
    if (hitBlink == nullptr) {
        result = CharacterObject::Draw(target, offset);
    } else if (GraphicalObject* graphical = GetCurrentGraphical()) {
        drawInstance.SetPrototype(graphical);
        const Point<float> at = GetDrawPosition();
        drawInstance.SetPosition(at.x, at.y);
        drawInstance.SetEffect(hitBlink.get());
        result = drawInstance.Draw(target, offset);
        drawInstance.SetEffect(nullptr);
    }
    return result;
}

std::vector<Rect<int>> Player::GetHurtBoxes()
{
    std::vector<Rect<int>> boxes;
    GraphicalObject* g = GetCurrentGraphical();
    if (g == nullptr)
        return boxes;
    const Point<int> own = GetSize();
    const Point<int> offset(g->GetSize().x > own.x ? -((g->GetSize().x - own.x) / 2) : 0,
        g->GetSize().y > own.y ? -((g->GetSize().y - own.y) / 2) : 0);
    for (int i = 0; i < g->GetCollisionShapeCount(); ++i) {
        auto* box = dynamic_cast<CollisionBox<int>*>(g->GetCollisionShape(i));
        if (box == nullptr || !g->IsCollisionShapeActive(i) || (box->GetType() != 2 && box->GetType() != 6))
            continue;
        Rect<int> r = box->GetRect();
        r.Offset(offset);
        boxes.push_back(r);
    }
    return boxes;
}

PlayerBox Player::GetWorldBox(float dx, float dy) const
{
    Rect<int> r(11, 95, 53, 0);
    if (collisionBox != nullptr)
        r = collisionBox->GetRect();
    const float x = position.x + dx;
    const float y = position.y + dy;
    // The box's corners are inclusive pixels: it covers x0 to x1 and y1 to y0.
    const Point<float> circle = GetCircleCenter();
    return {x + static_cast<float>(r.x0), y + static_cast<float>(r.y1), x + static_cast<float>(r.x1 + 1),
        y + static_cast<float>(r.y0 + 1), x + circle.x, y + circle.y, GetCircleRadius()};
}

int Player::GetFacingFromAnimation() const
{
    if (currentAnimation == nullptr)
        return -1;
    const std::string animationName = currentAnimation->GetName();
    return !animationName.empty() && animationName.back() == 'R' ? 1 : -1;
}

PlayerModifier* Player::GetModifier(int index) const
{
    return index >= 0 && index < GetModifierCount() ? modifiers[static_cast<size_t>(index)].get() : nullptr;
}

bool Player::IsModifierEnabled(int index) const
{
    const PlayerModifier* modifier = GetModifier(index);
    return modifier != nullptr && modifier->IsEnabled();
}

void Player::EnableModifier(int index)
{
    // Enabling the ice armor also brings two armor charges to a player
    // without any (its SetEnabled).
    PlayerArmorControl::EnableModifier(*this, index);
}

void Player::SwitchArmor(int previousIndex, bool silent)
{
    PlayerArmorControl::SwitchArmor(*this, previousIndex, silent);
    if (GetModifier(armorState.currentArmor) == nullptr)
        defaultAnimationSet.ApplyToPlayer(this);
}

void Player::ApplyFormSet()
{
    if (auto* armor = dynamic_cast<PlayerArmor*>(GetModifier(armorState.currentArmor)))
        armor->ApplyAnimationSet();
    else
        defaultAnimationSet.ApplyToPlayer(this);
}

void Player::SetAttackRank(int rank)
{
    attackRank = rank;
    ApplyFormSet();
}

void Player::ResizeCollisionBox(int which)
{
    if (collisionBox == nullptr)
        return;
    const bool spider = which == 1 || (which == -1 && IsSpiderForm());
    collisionBox->SetCornerX(0, 11);
    collisionBox->SetCornerY(0, spider ? 30 : 95);
    collisionBox->SetCornerX(1, 53);
    collisionBox->SetCornerY(1, 0);
}

void Player::ToggleSpiderForm()
{
    if (form == kNormal) {
        if (moveState != kIdle && moveState != kWalk && moveState != kCrouch)
            return;
        if (GraphicalObject* g = GetCurrentGraphical())
            g->StopAnimations();
        ShowFormFade();
        SetForm(kSpider);
        SetSize(64, 31);
        spiderAnimationSet.ApplyToPlayer(this);
        ResizeCollisionBox(-1);
        PlaySoundAt(kSoundTransformSpider);
    } else if (form == kSpider) {
        SetSize(64, 96);
        ResizeCollisionBox(0);
        PlayerWorld* world = GetPlayerWorld();
        PlayerCollisions* collisions = world != nullptr ? world->GetCollisions() : nullptr;
        if (collisions != nullptr && collisions->Overlaps(GetWorldBox())) {
            // No room to stand: the player stays a spider.
            SetSize(64, 31);
            ResizeCollisionBox(1);
            return;
        }
        ShowFormFade();
        SetForm(kNormal);
        ApplyFormSet();
        StopSoundAt(kSoundTransformSpider);
        PlaySoundAt(kSoundTransformSpider);
    }
}

void Player::ShowFormFade()
{
    GraphicalObject* g = GetCurrentGraphical();
    if (g == nullptr)
        return;
    // The pose as it was, fading out where it stood: a graphical larger
    // than the player is centred on it.
    Point<int> at = position.ToInt();
    if (moveState != kDying) {
        const Point<int> larger = g->GetSize() - GetSize();
        at = Point<int>(at.x - larger.x / 2, at.y - larger.y / 2);
    }
    BGEvent_DisplayGO* fade = QueueDisplay("FadeToCrouchSkull", -2, g, at, 5, 1);
    if (fade != nullptr && fade->GetInstance() != nullptr)
        // Out over the event's 5 frames, 51 alpha a frame; the event's to delete.
        fade->GetInstance()->SetEffect(new GE_Fade(5, false));
}

Rect<int> Player::GetBodyBox()
{
    GraphicalObject* g = GetCurrentGraphical();
    if (g == nullptr)
        return {};
    const int w2 = g->GetSize().x / 2;
    if (IsSpiderForm())
        return {w2 - 16, 32, 48, 0};
    GraphicalObject* highFallL = GetAnimationField(36);
    GraphicalObject* highFallR = GetAnimationField(37);
    if (moveState != kCrouch && currentAnimation != highFallL && currentAnimation != highFallR)
        return {w2 - 16, 88, 48, 0};
    const bool right = attackGraphical != nullptr
        ? attackGraphical == GetAnimationField(25)
        : (currentAnimation == highFallR || currentAnimation == GetAnimationField(13)
            || currentAnimation == GetAnimationField(9));
    return right ? Rect<int>(w2 - 6, 64, 58, 0) : Rect<int>(w2 - 22, 64, 42, 0);
}

bool Player::StartArrival()
{
    // The player brought back is a new one: it takes up the lock its death
    // set, and keeps it until it stands, whichever way it gets there (a
    // pose played, a fall from a point with no floor below, no pose at all).
    respawning = true;
    GraphicalObject* left = GetAnimationField(kRespawnL);
    GraphicalObject* right = GetAnimationField(kRespawnR);
    if (left == nullptr || right == nullptr)
        return false;
    GraphicalObject* pose = GetFacingFromAnimation() == 1 ? right : left;
    SetMoveState(kRespawning);
    currentAnimation = pose;
    currentAnimationId = -1;
    pose->RestartAnimations(false);
    return true;
}

void Player::ResetForLevel(bool keepState)
{
    form = IsSpiderForm() ? kSpider : kNormal;
    attackKind = 0;
    touchingWater = false;
    waterEffects = WaterEffects();
    if (!keepState) {
        stateStartTime = 0.0;
        stateFrames = 0.0;
        stageClock = PlayerStageClock();
        formTimer = 0.0;
        attackGraphical = nullptr;
        inClimbZone = false;
        climbSkip = false;
        doubleJumped = false;
        attackFired = false;
        hitThisFrame = false;
        jumpStartY = 0.0f;
        invulnerableFrames = 0;
        facing = 0;
        moveState = kIdle;
        previousMoveState = previousForm = previousAttackKind = -1;
        currentAnimationId = -1;
        pendingMoveState = pendingForm = -1;
        direction = Point<float>(0.0f, -1.0f);
    } else {
        jumpStartY = position.y;
    }
    ForgetLevel();
}

void Player::ForgetLevel()
{
    // The zones of the level left are gone.
    currentClimbZone = nullptr;
    secretZones.clear();
    // The targets scripts named were characters of the level left behind.
    targetCharacters.clear();
    if (Level* level = GetCurrentLevel()) {
        for (int list = 0; list < 3; ++list) {
            for (int i = 0; i < level->GetLayerCount(list); ++i) {
                Layer* layer = level->GetLayerAt(list, i);
                auto found = layer != nullptr ? layer->FindInstancesByName("ZoneSecret") : nullptr;
                if (found != nullptr)
                    secretZones.insert(secretZones.end(), found->begin(), found->end());
            }
        }
    }
    ResetFireflies();
    // The freeze front stops; the scenery the level recorded in the armor
    // stays.
    if (PlayerArmorIce* ice = GetPlayerArmorIce(this))
        ice->GetFrozenList().clear();
}

void Player::ApplySaveData(const PlayerProgress& record)
{
    const size_t flags = record.modifierFlags.size();
    for (size_t i = 0; i < std::min(modifiers.size(), flags); ++i) {
        if (modifiers[i] != nullptr && !modifiers[i]->IsEnabled())
            modifiers[i]->SetEnabled(record.IsModifierEnabled(i));
    }
    const int worn = record.currentArmor;
    if (GetModifier(worn) != nullptr) {
        const int old = armorState.currentArmor;
        armorState.currentArmor = worn;
        // Put on as a switch: the armor's sound, and its use, which costs
        // nothing while no charge is held (a new player holds none).
        if (worn != old)
            SwitchArmor(-1, false);
    }
    if (PlayerArmorCrossbow* crossbow = GetPlayerArmorCrossbow(this)) {
        crossbow->boltsLeft = record.crossbowAmmo;
        crossbow->boltCapacity = record.crossbowCapacity;
    }
    // A slot that says 0 or less would start the player dead: one life at
    // least. The save reader refuses more than the player holds; a record
    // filled otherwise is held within it too.
    const int maxLife = std::clamp(record.maxLife, 1, PlayerProgress::kMaxLife);
    SetMaxLife(maxLife);
    SetLife(maxLife);
    minimapEnabled = record.minimapInHud;
    armorState.armorChargesMax = std::clamp(record.powerSlots, 0, PlayerProgress::kMaxPowerSlots);
    // A period below one frame would recharge without end.
    armorState.armorRechargePeriod = std::max(1, record.powerPerSlot);
    spiderDoubleJump = record.playerFlag1;
    itemAttraction = record.playerFlag2;
    crossbowLevel = record.playerCounter;
    if (PlayerArmorFire* fire = GetPlayerArmorFire(this))
        fire->SetLevel(record.fireArmorLevel);
    if (PlayerArmorIce* ice = GetPlayerArmorIce(this))
        ice->SetLevel(record.iceArmorLevel);
    SetAttackRank(record.attackRank);
    if (record.hasFireflies != 0) {
        secretFinder = true;
        // A loaded slot aims them at the player's own corner; their first
        // update picks a point over the body.
        ResetFireflies(position.ToInt());
    }
}

void Player::UpdateDeath()
{
    PlayerWorld* world = GetPlayerWorld();
    if (life > 0 || (world != nullptr && world->IsGodMode()))
        return;
    inputLocked = true;
    hitBlink.reset();
    if (moveState == kFall)
        return; // the death waits for the landing
    direction.x = 0.0f;
    if (moveState == kHanging || moveState == kClimbing || moveState == kJump || moveState == kEndJump) {
        moveState = kFall;
        return;
    }
    if (moveState == kDying) {
        // Without a die pose there is nothing to wait for: the request goes
        // out at once, so the game never stalls on a dead player.
        if ((currentAnimation == nullptr || currentAnimation->IsAnimationFinished()) && world != nullptr)
            world->RaisePlayerDied();
        return;
    }
    form = kNormal;
    ResizeCollisionBox(-1);
    SetSize(64, 96);
    ApplyFormSet();
    moveState = kDying;
    currentAnimation = GetAnimationField(GetFacingFromAnimation() == 1 ? kDieR : kDieL);
    if (currentAnimation != nullptr)
        currentAnimation->RestartAnimations(false);
}

PlayerArmorFire* GetPlayerArmorFire(Player* player)
{
    return player != nullptr ? dynamic_cast<PlayerArmorFire*>(player->GetModifier(Player::kFireArmor))
                             : nullptr;
}

PlayerArmorIce* GetPlayerArmorIce(Player* player)
{
    return player != nullptr ? dynamic_cast<PlayerArmorIce*>(player->GetModifier(Player::kIceArmor))
                             : nullptr;
}

PlayerArmorCrossbow* GetPlayerArmorCrossbow(Player* player)
{
    return player != nullptr ? dynamic_cast<PlayerArmorCrossbow*>(player->GetModifier(Player::kCrossbow))
                             : nullptr;
}

Player* GetGamePlayer()
{
    SceneGameAccess* game = GetSceneGameAccess();
    return game != nullptr ? dynamic_cast<Player*>(game->GetPlayerCharacter()) : nullptr;
}
