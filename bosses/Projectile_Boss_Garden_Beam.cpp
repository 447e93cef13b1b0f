#include "bosses/Projectile_Boss_Garden_Beam.h"

#include "bosses/BossFrame.h"
#include "enemies/EnemyFramework.h"
#include "scene/AnimatedSprite.h"
#include "scene/GraphicalObject.h"

#include <cstdlib>
#include <utility>

namespace {

constexpr float kStep = 32.0f;
constexpr float kRaise = 176.0f;
const char* const kBeam = "Projectile_Boss_Garden_Beam";

} // namespace

Projectile_Boss_Garden_Beam::Projectile_Boss_Garden_Beam(std::string name)
    : CharacterObject(std::move(name))
{
    typeName = TypeNames::Projectile_Boss_Garden_Beam;
    enabled = false;
    speed = 1.0f;
    SetDrawnInFront(true);
}

Projectile_Boss_Garden_Beam::~Projectile_Boss_Garden_Beam()
{
    currentGraphical = nullptr;
}

Point<int> Projectile_Boss_Garden_Beam::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

void Projectile_Boss_Garden_Beam::FetchSprites()
{
    if (state == kBase && spriteBeamBase == nullptr)
        spriteBeamBase = Enemy::CloneGraphical("Projectile_Boss_Garden_GraphicalBeamBase");
    else if (state == kDown && spriteBeamDown == nullptr)
        spriteBeamDown = Enemy::CloneGraphical("Projectile_Boss_Garden_GraphicalBeamDown");
    else if (state == kUp && spriteBeamUp == nullptr)
        spriteBeamUp = Enemy::CloneGraphical("Projectile_Boss_Garden_GraphicalBeamUp");
}

void Projectile_Boss_Garden_Beam::PickSprite()
{
    if (state == kBase)
        currentGraphical = spriteBeamBase.get();
    else if (state == kDown)
        currentGraphical = spriteBeamDown.get();
    else if (state == kUp)
        currentGraphical = spriteBeamUp.get();
}

void Projectile_Boss_Garden_Beam::BuildSegments()
{
    PickSprite();
    GraphicalObject* own = currentGraphical;
    currentGraphical = nullptr;
    GraphicalObject::AnimatedInstance* instance = own != nullptr ? own->GetAnimatedInstance(0) : nullptr;
    AnimatedSprite* animation = instance != nullptr ? instance->GetPrototype() : nullptr;
    const int frames = animation != nullptr ? animation->GetFrameCount() : 0;
    for (int i = 1; i < frames; ++i) {
        auto* segment = Boss::CreateAs<Projectile_Boss_Garden_Beam>(kBeam);
        if (segment == nullptr)
            continue;
        segment->SetEnabled(false);
        segment->SetShownFrame(i);
        segment->SetState(state);
        segment->FetchSprites();
        segment->PickSprite();
        segment->SetDrawLimitX(drawLimitX);
        segment->SetDirection(direction);
        if (GraphicalObject* look = segment->GetCurrentGraphical()) {
            look->RestartAnimations(false);
            look->SetAnimationFrame(i);
        }
        segments.emplace_back(segment);
    }
    if (own != nullptr)
        own->RestartAnimations(false);
}

void Projectile_Boss_Garden_Beam::Fire()
{
    for (size_t i = 0; i < segments.size(); ++i) {
        Projectile_Boss_Garden_Beam* segment = segments[i].Get();
        if (segment == nullptr)
            continue;
        segment->SetStateTimer(static_cast<int>(i) + 1);
        segment->SetCurrentGraphical(nullptr);
        segment->SetEnabled(true);
        segment->SetPosition(Point<float>(segment->GetPosition().x, position.y));
    }
    PickSprite();
    if (currentGraphical != nullptr)
        currentGraphical->RestartAnimations(true);
}

void Projectile_Boss_Garden_Beam::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled || segments.empty())
        return;
    PickSprite();
    if (currentGraphical == nullptr)
        return;
    currentGraphical->Update(dt);
    if (currentGraphical->GetAnimationFrame() != shownFrame) {
        position.x += kStep * direction.x;
        currentGraphical->RestartAnimations(true);
        currentGraphical->SetAnimationFrame(shownFrame);
        for (size_t i = 0; i < segments.size(); ++i) {
            Projectile_Boss_Garden_Beam* segment = segments[i].Get();
            if (segment == nullptr)
                continue;
            if (segment->GetStateTimer() > 0) {
                segment->SetStateTimer(segment->GetStateTimer() - 1);
                if (segment->GetStateTimer() == 0)
                    segment->PickSprite();
            }
            if (segment->GetCurrentGraphical() != nullptr)
                segment->SetPosition(Point<float>(
                    position.x - kStep * static_cast<float>(i + 1) * direction.x, segment->GetPosition().y));
        }
        for (const auto& ref : segments) {
            Projectile_Boss_Garden_Beam* segment = ref.Get();
            if (segment != nullptr && segment->GetCurrentGraphical() != nullptr
                && segment->GetPosition().y != position.y) {
                segment->SetPosition(Point<float>(segment->GetPosition().x, position.y));
                break;
            }
        }
        if (raiseTimer > 0 && --raiseTimer == 0)
            position.y += kRaise;
    }
    DamagePlayerOnContact();
}

bool Projectile_Boss_Garden_Beam::IsBeyondDrawLimit() const
{
    if (drawLimitX == 0)
        return false;
    const int limit = std::abs(drawLimitX);
    const float x = std::abs(position.x);
    return (direction.x < 0.0f && static_cast<float>(limit) > x)
        || (direction.x > 0.0f && static_cast<float>(limit) < x);
}

bool Projectile_Boss_Garden_Beam::Draw(DXGraphicalSurface* target, Point<int> offset)
{
    if (IsBeyondDrawLimit())
        return true;
    return CharacterObject::Draw(target, offset);
}
