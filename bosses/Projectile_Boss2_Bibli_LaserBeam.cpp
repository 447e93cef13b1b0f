#include "bosses/Projectile_Boss2_Bibli_LaserBeam.h"

#include "bosses/BossFrame.h"
#include "characters/Player.h"
#include "enemies/EnemyFramework.h"
#include "scene/AnimatedSprite.h"
#include "scene/CollisionShape.h"
#include "scene/GraphicalObject.h"
#include "scene/Sprite.h"

#include <box2d/box2d.h>

#include <cmath>
#include <utility>

namespace {

constexpr int kAimFrames = 60;
// It turns 1.5 degrees a frame up to a quarter turn, and ends 90 frames after
// its aim.
constexpr float kQuarterTurn = 1.57f;
constexpr float kTurnStep = 0.02617993950843811f;
constexpr float kDegrees = 57.295780181884766f;
constexpr int kEndFrame = -90;
// The player's body: 63 by 95 pixels standing, 30 high in spider form.
constexpr float kPlayerHalfWidth = 31.5f;
constexpr float kPlayerHalfHeight = 47.5f;
constexpr float kSpiderHalfHeight = 15.0f;
constexpr int kDefaultHalfThickness = 40;

void SetGenericRotation(GraphicalObject* graphic, float degrees)
{
    for (int i = 0; graphic != nullptr && i < graphic->GetDrawEntryCount(); ++i) {
        ISerialization* entry = graphic->GetGenericSprite(i);
        if (auto* sprite = dynamic_cast<GraphicalObject::SpriteInstance*>(entry))
            sprite->SetAngle(degrees);
        else if (auto* animated = dynamic_cast<GraphicalObject::AnimatedInstance*>(entry))
            animated->SetAngle(degrees);
    }
}

} // namespace

Projectile_Boss2_Bibli_LaserBeam::Projectile_Boss2_Bibli_LaserBeam(std::string name)
    : CharacterObject(std::move(name))
{
    typeName = TypeNames::Projectile_Boss2_Bibli_LaserBeam;
    spriteLeft = Enemy::CloneGraphical("Projectile_Boss2_Bibli_GraphicalBeam_Left");
    spriteRight = Enemy::CloneGraphical("Projectile_Boss2_Bibli_GraphicalBeam_Right");
    stateTimer = kAimFrames;
    dropsItems = 0;
    SetDrawnFlagged(true);
    LoadSounds();
}

Projectile_Boss2_Bibli_LaserBeam::~Projectile_Boss2_Bibli_LaserBeam()
{
    currentGraphical = nullptr;
}

Point<int> Projectile_Boss2_Bibli_LaserBeam::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

void Projectile_Boss2_Bibli_LaserBeam::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    if (currentGraphical != nullptr) {
        currentGraphical->Update(dt);
        DamagePlayerOnContact();
        if (--stateTimer <= 0) {
            const float s = direction.x > 0.0f ? 1.0f : -1.0f;
            angle = std::fabs(angle) >= kQuarterTurn ? kQuarterTurn * s : angle + s * kTurnStep;
            SetGenericRotation(currentGraphical, angle * kDegrees);
        }
        if (stateTimer <= kEndFrame)
            dead = true;
        if (currentGraphical->IsAnimationFinished())
            currentGraphical->RestartAnimations(true);
    }
    currentGraphical = direction.x > 0.0f ? spriteRight.get() : spriteLeft.get();
}

bool Projectile_Boss2_Bibli_LaserBeam::DamagePlayerOnContact()
{
    Player* player = Boss::ThePlayer();
    if (player == nullptr || !HitsPlayer() || !player->IsAlive())
        return false;
    player->ApplyDamage(this, 1);
    return true;
}

bool Projectile_Boss2_Bibli_LaserBeam::HitsPlayer()
{
    Player* player = Boss::ThePlayer();
    if (player == nullptr || currentGraphical == nullptr || currentGraphical->GetDrawEntryCount() == 0)
        return false;
    b2PolygonShape body;
    body.SetAsBox(kPlayerHalfWidth, player->IsSpiderForm() ? kSpiderHalfHeight : kPlayerHalfHeight);
    const Point<float> centre = player->GetCenter();
    const b2Transform bodyAt(b2Vec2(centre.x, centre.y), b2Rot(0.0f));
    // The pivot: the first drawn picture's anchor, from its bottom.
    Point<int> pivot;
    if (GraphicalObject::SpriteInstance* still = currentGraphical->GetSpriteInstance(0)) {
        if (Sprite* sprite = still->GetPrototype()) {
            const Point<int> p = sprite->GetPoint();
            pivot = Point<int>(p.x, -sprite->GetSize().y - p.y) + still->GetPosition();
        }
    } else if (GraphicalObject::AnimatedInstance* moving = currentGraphical->GetAnimatedInstance(0)) {
        AnimatedSprite* animation = moving->GetPrototype();
        Sprite* first = animation != nullptr ? animation->GetFrame(0) : nullptr;
        if (first != nullptr) {
            const Point<int> p = first->GetPoint();
            pivot = Point<int>(p.x, -first->GetSize().y - p.y) + moving->GetPosition();
        }
    }
    const Point<int> half = (currentGraphical->GetSize().ToFloat() * 0.5f).ToInt();
    int thickness = kDefaultHalfThickness;
    if (auto* box = dynamic_cast<CollisionBox<int>*>(currentGraphical->GetFirstCollisionShape()))
        thickness = static_cast<int>(box->GetRect().y0 * 0.5);
    b2PolygonShape beam;
    beam.SetAsBox(static_cast<float>(half.x) - 0.5f, static_cast<float>(thickness) - 0.5f,
        b2Vec2(static_cast<float>(half.x - pivot.x), static_cast<float>(half.y - pivot.y)), 0.0f);
    const b2Transform beamAt(
        b2Vec2(position.x + static_cast<float>(pivot.x), position.y + static_cast<float>(pivot.y)),
        b2Rot(-angle));
    b2Manifold manifold;
    b2CollidePolygons(&manifold, &body, bodyAt, &beam, beamAt);
    return manifold.pointCount > 0;
}
