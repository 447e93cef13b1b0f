#include "bosses/Projectile_Boss_Bibli.h"

#include "bosses/BossFrame.h"
#include "bosses/NPC_Boss_Bibli.h"
#include "characters/Player.h"
#include "enemies/EnemyFramework.h"
#include "engine/render/ShaderEffect_TimeDependent.h"
#include "scene/GraphicalObject.h"
#include "scene/SceneObjectHandle.h"
#include "scene/Sprite.h"

#include <box2d/box2d.h>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr float kShadeFrames = 30.0f;
constexpr float kStartSpeed = 12.0f;
// Thrown: it brakes by 1 a frame to 6.5 on its way to its spot (reached
// within 8 pixels), then shoots from 2.5 up by 1.5 a frame to 12.5 for 60
// frames, aiming 16 pixels above the player's centre.
constexpr float kReachedSq = 64.0f;
constexpr float kCruise = 6.5f;
constexpr float kShotStart = 2.5f;
constexpr float kShotGain = 1.5f;
constexpr float kShotTop = 12.5f;
constexpr int kShotFrames = 60;
constexpr float kAimRise = 16.0f;
constexpr int kTrail = 3;
// The carousel: 128 pixels wide, 16 deep, 32 below the ghost's centre; one
// turn in 100 frames.
constexpr float kCarouselRadius = 128.0f;
constexpr float kCarouselDepth = 16.0f;
constexpr float kCarouselDrop = 32.0f;
constexpr float kTurnStep = 0.01f;
constexpr float kPi = 3.14159f;
constexpr float kDegrees = 57.2958f;
constexpr float kRadians = 0.0174533f;
// The blade: 8 by 64 pixels about (16, 32) of the picture.
constexpr float kBladeHalfWidth = 4.0f;
constexpr float kBladeHalfLength = 32.0f;
constexpr float kBladeCentreX = 16.0f;
constexpr float kBladeCentreY = 32.0f;

bool InFront(float orbit)
{
    return orbit < 0.25f || orbit > 0.75f;
}

void SetGenericRotation(GraphicalObject* graphic, float degrees)
{
    if (graphic == nullptr)
        return;
    for (int i = 0; i < graphic->GetDrawEntryCount(); ++i) {
        ISerialization* entry = graphic->GetGenericSprite(i);
        if (auto* sprite = dynamic_cast<GraphicalObject::SpriteInstance*>(entry))
            sprite->SetAngle(degrees);
        else if (auto* animated = dynamic_cast<GraphicalObject::AnimatedInstance*>(entry))
            animated->SetAngle(degrees);
    }
}

float GenericRotation(GraphicalObject* graphic)
{
    if (graphic == nullptr || graphic->GetDrawEntryCount() == 0)
        return 0.0f;
    ISerialization* entry = graphic->GetGenericSprite(0);
    if (auto* sprite = dynamic_cast<GraphicalObject::SpriteInstance*>(entry))
        return sprite->GetAngle();
    if (auto* animated = dynamic_cast<GraphicalObject::AnimatedInstance*>(entry))
        return animated->GetAngle();
    return 0.0f;
}

} // namespace

Projectile_Boss_Bibli::Projectile_Boss_Bibli(std::string name)
    : CharacterObject(std::move(name))
{
    typeName = TypeNames::Projectile_Boss_Bibli;
    spriteDagger = Enemy::CloneGraphical("Projectile_Boss_Bibli_GraphicalIdle");
    // Its shade: a colour effect resting at its start.
    SetDrawingEffect(
        std::make_unique<GE_Color>(Enemy::FindShader("ml_NPC_GhostFade"), kShadeFrames, false, false));
    if (auto* shade = dynamic_cast<GE_Color*>(GetDrawingEffect()))
        shade->Start(1, true);
    speed = kStartSpeed;
    LoadSounds();
}

Projectile_Boss_Bibli::~Projectile_Boss_Bibli()
{
    currentGraphical = nullptr;
    if (ownerHandle != nullptr)
        ownerHandle->Release();
}

void Projectile_Boss_Bibli::DeclareSounds()
{
    DeclareSound("NPC_Boss_Bibli_Dague");
}

Point<int> Projectile_Boss_Bibli::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

void Projectile_Boss_Bibli::SetOwnerHandle(SceneObjectHandle* handle)
{
    if (handle != nullptr)
        handle->AddRef();
    if (ownerHandle != nullptr)
        ownerHandle->Release();
    ownerHandle = handle;
}

CharacterObject* Projectile_Boss_Bibli::Boss() const
{
    SceneObject* target = ownerHandle != nullptr ? ownerHandle->GetTarget() : nullptr;
    return dynamic_cast<NPC_Boss_Bibli*>(target);
}

float Projectile_Boss_Bibli::GetRotation() const
{
    return GenericRotation(spriteDagger.get());
}

void Projectile_Boss_Bibli::Throw(int x, int y)
{
    target = Point<int>(x, y);
    state = kThrown;
    SetDrawingEffect(nullptr);
}

void Projectile_Boss_Bibli::Update(double dt)
{
    auto* shade = dynamic_cast<GE_Color*>(GetDrawingEffect());
    Player* player = Boss::ThePlayer();
    if (player == nullptr) {
        if (shade != nullptr)
            shade->Update();
        UpdateSounds();
        return;
    }
    CharacterObject* boss = Boss();
    if (boss == nullptr || boss->GetLife() <= 0 || spriteDagger == nullptr
        || spriteDagger->GetDrawEntryCount() == 0)
        dead = true;
    // Marked dead, it still flies and may hurt this update; only without its boss (no carousel to
    // turn on) or its look is there nothing to run.
    if (boss == nullptr || spriteDagger == nullptr)
        return;
    CharacterObject::Update(dt);
    if (!enabled)
        return;
    const Point<float> centre = GetCenter();
    if (state == kThrown) {
        const Point<float> aim
            = (player->GetCenter().ToInt() + Point<int>(0, static_cast<int>(kAimRise))).ToFloat();
        direction = Boss::Normalized(aim - centre);
        const float turn = (std::atan2(-1.0f, 0.0f) - std::atan2(direction.y, direction.x)) * kDegrees;
        SetGenericRotation(spriteDagger.get(), turn);
        SetDrawnFlagged(true);
        const Point<float> toSpot = target.ToFloat() - centre;
        if (toSpot.x * toSpot.x + toSpot.y * toSpot.y > kReachedSq) {
            direction = Boss::Normalized(toSpot);
            speed = std::max(speed - 1.0f, kCruise);
        } else {
            PlaySound("NPC_Boss_Bibli_Dague");
            speed = kShotStart;
            stateTimer = kShotFrames;
            state = kShot;
            if (GraphicalObject::SpriteInstance* blade = spriteDagger->GetSpriteInstance(0))
                blade->SetTrailLength(kTrail);
            else if (GraphicalObject::AnimatedInstance* blade = spriteDagger->GetAnimatedInstance(0))
                blade->SetTrailLength(kTrail);
        }
    }
    if (state == kShot) {
        speed = std::min(speed + kShotGain, kShotTop);
        if (--stateTimer <= 0)
            dead = true;
    }
    if (state == kOnCarousel) {
        const Point<float> c = boss->GetCenter();
        direction.x = orbit < 0.5f ? -1.0f : 1.0f;
        position.x = c.x - kCarouselRadius * std::cos((2.0f * orbit - 0.5f) * kPi);
        position.y = c.y - kCarouselDepth * std::cos(2.0f * orbit * kPi) - kCarouselDrop;
        SetDrawnFlagged(false);
        if (InFront(orbit)) {
            currentGraphical = spriteDagger.get();
            SetDrawnFlagged(true);
        }
        if (shade != nullptr) {
            int value = -1;
            if (orbit > 0.8f)
                value = 255;
            else if (orbit > 0.4f)
                value = 153;
            else if (orbit > 0.2f && orbit < 0.4f)
                value = static_cast<int>(255.0f * (0.6f + 0.4f * (0.4f - orbit) / 0.2f));
            if (orbit > 0.6f && orbit < 0.8f)
                value = static_cast<int>(255.0f * (0.6f + 0.4f * (orbit - 0.6f) / 0.2f));
            if (value >= 0) {
                Color c2 = shade->GetColor();
                c2.r = c2.g = c2.b = value;
                shade->SetColor(c2);
            }
        }
        orbit = std::fmod(orbit + kTurnStep, 1.0f);
    } else {
        currentGraphical = spriteDagger.get();
        position += direction * Enemy::StepLength(speed, dt);
    }
    // The dagger's picture is never stepped: it keeps its first frame.
    DamagePlayerOnContact();
    if (auto* effect = dynamic_cast<GE_Color*>(GetDrawingEffect()))
        effect->Update();
    UpdateSounds();
}

bool Projectile_Boss_Bibli::DamagePlayerOnContact()
{
    if (state == kOnCarousel)
        return CharacterObject::DamagePlayerOnContact();
    Player* player = Boss::ThePlayer();
    if (player == nullptr || !HitsPlayer() || player->IsInvulnerable() || !player->IsAlive())
        return false;
    player->ApplyDamage(this, 1);
    return true;
}

bool Projectile_Boss_Bibli::HitsPlayer()
{
    Player* player = Boss::ThePlayer();
    if (player == nullptr || currentGraphical == nullptr || currentGraphical->GetDrawEntryCount() == 0)
        return false;
    const std::vector<Rect<int>> hurt = player->GetHurtBoxes();
    if (hurt.empty())
        return false;
    // The player: its first hurt box, unturned.
    const Rect<int>& box = hurt.front();
    const Point<int> boxCentre = GetBoxCenter(box);
    b2PolygonShape body;
    body.SetAsBox(std::max(0.5f, std::fabs(static_cast<float>(box.x1 - box.x0)) * 0.5f),
        std::max(0.5f, std::fabs(static_cast<float>(box.y0 - box.y1)) * 0.5f));
    const Point<float> at = player->GetPosition() + boxCentre.ToFloat();
    b2Transform bodyAt(b2Vec2(at.x, at.y), b2Rot(0.0f));
    // The blade: about the anchor of the look's first sprite instance, turned as it is drawn. A
    // look without a sprite instance has no blade and hits nothing.
    Sprite* sprite = currentGraphical->GetFirstSprite();
    if (sprite == nullptr)
        return false;
    const Point<int> anchor(sprite->GetPoint().x, sprite->GetSize().y - sprite->GetPoint().y - 1);
    b2PolygonShape blade;
    blade.SetAsBox(kBladeHalfWidth, kBladeHalfLength,
        b2Vec2(kBladeCentreX - static_cast<float>(anchor.x), kBladeCentreY - static_cast<float>(anchor.y)),
        0.0f);
    b2Transform bladeAt(
        b2Vec2(position.x + static_cast<float>(anchor.x), position.y + static_cast<float>(anchor.y)),
        b2Rot(-GetRotation() * kRadians));
    b2Manifold manifold;
    b2CollidePolygons(&manifold, &body, bodyAt, &blade, bladeAt);
    return manifold.pointCount > 0;
}
