#include "bosses/NPC_Boss_Underwater_Line.h"

#include "bosses/BossFrame.h"
#include "bosses/Projectile_Boss_Underwater.h"
#include "characters/CharacterBoxes.h"
#include "characters/Player.h"
#include "enemies/EnemyFramework.h"
#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"
#include "scene/Sprite.h"

#include <cmath>
#include <numbers>
#include <utility>

namespace {

constexpr float kTurn = 0.6f;
constexpr float kRateBase = 1.5f;
constexpr float kRateSpread = 0.6f;

float Radians(float degrees)
{
    return degrees * std::numbers::pi_v<float> / 180.0f;
}

} // namespace

NPC_Boss_Underwater_Line::NPC_Boss_Underwater_Line(std::string name)
    : CharacterObject(std::move(name))
    , sprite(Enemy::CloneGraphical("NPC_Boss_Underwater_Line_GraphicalShort"))
{
    typeName = TypeNames::NPC_Boss_Underwater_Line;
    currentGraphical = sprite.get();
    // A turning rate of 1.2 to 1.5 in size, either way round.
    const float u = Boss::Random01() - 0.5f;
    speed = u >= 0.0f ? u * kRateSpread - kRateBase : u * kRateSpread + kRateBase;
    dropsItems = 0;
    angle = Boss::Random01() * 360.0f;
    for (int k = 0; k < kSegments; ++k) {
        auto* segment = Boss::CreateAs<Projectile_Boss_Underwater>("Projectile_Boss_Underwater");
        if (segment == nullptr)
            continue;
        segment->SetEnabled(false);
        const int kind = k == 0 ? 2 : (k % 4 == 1 || k % 4 == 2 ? 0 : 1);
        segment->SetBeamSprite(kind);
        segments.push_back(segment);
    }
    life = kLife;
    LoadSounds();
    SetDrawnInFront(true);
}

NPC_Boss_Underwater_Line::~NPC_Boss_Underwater_Line()
{
    currentGraphical = nullptr;
}

void NPC_Boss_Underwater_Line::DeclareSounds()
{
    CharacterObject::DeclareSounds();
    DeclareSound("NPC_Boss_Underwater_EyeKilled");
}

Point<int> NPC_Boss_Underwater_Line::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

void NPC_Boss_Underwater_Line::MakeLong()
{
    sprite = Enemy::CloneGraphical("NPC_Boss_Underwater_Line_GraphicalLong");
    currentGraphical = sprite.get();
}

void NPC_Boss_Underwater_Line::Update(double dt)
{
    if (!enabled || dead)
        return;
    CharacterObject::Update(dt);
    if (eye == nullptr) {
        CharacterObject* made
            = Boss::Create("Projectile_Boss_Underwater", "Projectile_Boss_Underwater_Eye", owner);
        eye = dynamic_cast<Projectile_Boss_Underwater*>(made);
        if (eye != nullptr)
            eye->MakeEye();
    }
    if (currentGraphical != nullptr) {
        angle = std::fmod(angle + speed * kTurn, 360.0f);
        if (auto* turned
            = dynamic_cast<GraphicalObject::AnimatedInstance*>(currentGraphical->GetGenericSprite(0)))
            turned->SetAngle(angle);
    }
    if (eye != nullptr) {
        const Point<int> own = GetSize();
        const Point<int> eyeSize = eye->GetSize();
        const Point<float> origin = position + Point<float>(static_cast<float>(own.x) * 0.5f, 0.0f);
        Point<float> v(0.0f, static_cast<float>(own.y) - static_cast<float>(eyeSize.y) * 0.5f);
        Boss::RotateVector(v, -Radians(angle));
        eye->SetPosition(origin + v - eyeSize.ToFloat() * 0.5f);
    }
    DamagePlayerOnContact();
    if (currentGraphical != nullptr)
        currentGraphical->Update(dt);
}

bool NPC_Boss_Underwater_Line::Pivot(Point<float>& pivot)
{
    if (currentGraphical == nullptr || currentGraphical->GetDrawEntryCount() < 1
        || currentGraphical->GetSpriteInstanceCount() < 1)
        return false;
    Sprite* first = currentGraphical->GetFirstSprite();
    auto* instance = currentGraphical->GetSpriteInstance(0);
    if (first == nullptr || instance == nullptr)
        return false;
    const Point<int> p = first->GetPoint();
    const Point<int> s = first->GetSize();
    pivot = Point<float>(static_cast<float>(p.x), static_cast<float>(s.y - p.y - 1))
        + instance->GetPosition().ToFloat();
    return true;
}

Point<float> NPC_Boss_Underwater_Line::TurnShift(Rect<int> box, Point<float> pivot) const
{
    const Point<float> d = GetBoxCenter(box).ToFloat() - pivot;
    Point<float> turned = d;
    Boss::RotateVector(turned, -Radians(angle));
    return turned - d;
}

std::vector<Rect<int>> NPC_Boss_Underwater_Line::TurnedBoxes(bool attack)
{
    std::vector<Rect<int>> boxes;
    Point<float> pivot;
    if (!Pivot(pivot))
        return boxes;
    for (Rect<int> box : attack ? GetAttackBoxes() : GetHurtBoxes()) {
        const Point<float> shift = TurnShift(box, pivot);
        box.Offset(position.ToInt());
        box.Offset(shift.ToInt());
        boxes.push_back(box);
    }
    return boxes;
}

bool NPC_Boss_Underwater_Line::IsHitByBox(Rect<int> box, bool /*flag*/)
{
    if (invulnerable)
        return false;
    for (const Rect<int>& hurt : TurnedBoxes(false))
        if (BoxesOverlap(hurt, box))
            return true;
    return false;
}

bool NPC_Boss_Underwater_Line::AttackHitsBox(Rect<int> box)
{
    for (const Rect<int>& attack : TurnedBoxes(true))
        if (BoxesOverlap(attack, box))
            return true;
    return false;
}

bool NPC_Boss_Underwater_Line::DamagePlayerOnContact()
{
    Player* player = Boss::ThePlayer();
    if (player == nullptr || !player->IsAlive())
        return false;
    const std::vector<Rect<int>> hurt = player->GetHurtBoxes();
    for (const Rect<int>& attack : TurnedBoxes(true))
        for (Rect<int> h : hurt) {
            h.Offset(player->GetPosition().ToInt());
            if (BoxesOverlap(attack, h) && !player->IsInvulnerable()) {
                player->ApplyDamage(this, 1);
                return true;
            }
        }
    return false;
}

void NPC_Boss_Underwater_Line::ApplyDamage(CharacterObject* attacker, int damage)
{
    CharacterObject::ApplyDamage(attacker, damage);
    if (attacker == nullptr)
        return;
    life = life > 0 ? life - damage : 0;
    if (eye != nullptr)
        eye->ApplyDamage(attacker, damage);
    // A blow on an arm already dead (still in the list until the next pass) lays its cross again.
    if (life > 0)
        return;
    if (eye != nullptr) {
        const std::vector<CharacterObject*> others
            = Boss::FindAll("Projectile_Boss_Underwater_Eye", eye, true);
        if (others.empty() && owner != nullptr) {
            const Point<float> to
                = owner->GetPosition() + Point<float>(0.0f, static_cast<float>(owner->GetSize().y - 96));
            eye->ReleaseEye(owner, to);
        } else {
            eye->SetDead(true);
        }
        eye = nullptr;
    }
    dead = true;
    FireBeams();
}

void NPC_Boss_Underwater_Line::FireBeams()
{
    Point<float> pivot;
    const std::vector<Rect<int>> hurt = GetHurtBoxes();
    if (!Pivot(pivot) || hurt.empty())
        return;
    const Point<int> c = GetBoxCenter(hurt.front());
    const Point<float> base
        = c.ToFloat() + position + TurnShift(hurt.front(), pivot) - Point<float>(32.0f, 32.0f);
    auto place = [&](size_t index, Point<float> at) {
        if (index >= segments.size() || segments[index] == nullptr)
            return;
        Projectile_Boss_Underwater* segment = segments[index];
        if (segment->GetCurrentGraphical() != nullptr)
            segment->GetCurrentGraphical()->RestartAnimations(true);
        segment->SetEnabled(true);
        segment->SetPosition(at);
    };
    place(0, base);
    for (int k = 1; k <= kRings; ++k) {
        const float reach = kBeamStep * static_cast<float>(k);
        const size_t first = static_cast<size_t>(4 * (k - 1));
        place(first + 1, base + Point<float>(reach, 0.0f));
        place(first + 2, base - Point<float>(reach, 0.0f));
        place(first + 3, base + Point<float>(0.0f, reach));
        place(first + 4, base - Point<float>(0.0f, reach));
    }
}
