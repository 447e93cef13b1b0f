#include "characters/PlayerArmorFire.h"

#include "characters/BGEvent_ArmorUse.h"
#include "characters/PlayerArmorHost.h"
#include "characters/PlayerArmorIce.h"
#include "scene/AnimatedSprite.h"
#include "scene/ArmorReplacement.h"
#include "scene/GraphicalObject.h"
#include "scene/Level.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

// Half-extents of the boxes around the player that approximate circles of
// radius 32, 64, 96 and 128 pixels.
const std::array<std::vector<Point<int>>, 4> kRings = {{
    {{2, 32}, {32, 0}, {32, 32}},
    {{0, 64}, {64, 0}, {32, 32}},
    {{0, 96}, {96, 0}, {32, 64}, {64, 32}},
    {{0, 128}, {128, 0}, {32, 96}, {64, 64}, {96, 32}},
}};

Rect<int> BoxAround(Point<int> p, Point<int> half)
{
    return Rect<int>(p.x - half.x, p.y + half.y, p.x + half.x, p.y - half.y);
}

} // namespace

PlayerArmorFire::PlayerArmorFire(PlayerArmorHost* host_)
    : PlayerArmor(host_)
{
    PlayerArmorFire::OnEnabled();
}

void PlayerArmorFire::SetEnabled(bool value)
{
    enabled = value;
    if (value)
        OnEnabled();
}

void PlayerArmorFire::OnEnabled()
{
    if (built == 0)
        BuildAnimationSets("Fire");
    BuildOnce(ArmorReplacement::IceLavaList(), nullptr);
}

void PlayerArmorFire::OnSelected(bool silent)
{
    ApplyAnimationSet();
    if (host != nullptr)
        host->PlayPlayerSound(kSoundTransformChangeArmor);
    if (!silent)
        Use();
}

void PlayerArmorFire::Use()
{
    PlayerArmorState* state = GetState();
    if (state == nullptr || state->armorCharges <= 0)
        return;
    Level* current = host->GetCurrentLevel();
    BGEvent_ArmorUse::StopRunning("BGEvent_ArmorFire_Use");
    host->PlayPlayerSound(level >= 2 ? kSoundUseAoe2Fire : kSoundUseAoeFire);
    host->AreaAttack(1, level >= 2 ? 144.0f : 112.0f);
    --state->armorCharges;
    if (current != nullptr)
        current->AddBackgroundEvent(new BGEvent_ArmorFire_Use(
            "Armor Fire Use", current, level >= 2, host->GetArmorHostPosition(), host->GetArmorHostSize()));
}

void PlayerArmorFire::Update()
{
    if (host == nullptr || host->GetCurrentLevel() == nullptr || host->GetModifiers().size() < 2)
        return;
    if (cooldown > 0)
        --cooldown;
    if (!host->IsInSpiderForm())
        UpdateReplacementsNearPlayer();
}

void PlayerArmorFire::UpdateAtPlayer(Point<int> point)
{
    if (host != nullptr) {
        const Point<float> position = host->GetArmorHostPosition();
        centreOffset
            = Point<int>(point.x - static_cast<int>(position.x), point.y - static_cast<int>(position.y));
    }
    Update();
    centreOffset = Point<int>(0, 0);
}

int PlayerArmorFire::RingOf(Point<int> p, Point<int> q)
{
    for (size_t ring = 0; ring < kRings.size(); ++ring) {
        for (Point<int> half : kRings[ring]) {
            if (BoxAround(p, half).Contains(q, true))
                return static_cast<int>(ring) + 1;
        }
    }
    return 0;
}

Point<int> PlayerArmorFire::NearestEdgePoint(Point<int> p, const Rect<int>& rect)
{
    const Rect<int> r = rect.Normalized();
    // The point of the rectangle nearest to p lies on the side facing p.
    return Point<int>(std::clamp(p.x, r.x0, r.x1), std::clamp(p.y, r.y1, r.y0));
}

void PlayerArmorFire::UpdateReplacementsNearPlayer()
{
    if (host == nullptr || host->GetModifiers().size() < 2)
        return;
    auto* ice = dynamic_cast<PlayerArmorIce*>(host->GetModifiers()[1].get());
    if (ice == nullptr)
        return;
    ice->ForgetOtherLevels(host->GetCurrentLevel());
    if (ice->GetActiveReplacements().empty())
        return;
    const Point<float> position = host->GetArmorHostPosition();
    const Point<int> size = host->GetArmorHostSize();
    const Point<int> p(
        static_cast<int>(position.x) + centreOffset.x, static_cast<int>(position.y) + centreOffset.y);
    // Touching the piece thaws it at once.
    const Rect<int> body(p.x, p.y + size.y - 1, p.x + size.x - 1, p.y);

    std::vector<ArmorActiveReplacement>& records = ice->GetActiveReplacements();
    for (size_t i = 0; i < records.size();) {
        ArmorActiveReplacement& record = records[i];
        GraphicalObject* object
            = record.replacement != nullptr ? record.replacement->GetPrototype() : nullptr;
        if (record.replaced == nullptr || object == nullptr) {
            ++i;
            continue;
        }
        const Point<float> at = record.replacement->GetPosition();
        const Point<int> piece = record.replacement->GetSize();
        const Rect<int> rect(static_cast<int>(at.x), static_cast<int>(at.y) + piece.y - 1,
            static_cast<int>(at.x) + piece.x - 1, static_cast<int>(at.y));
        const Point<int> q = NearestEdgePoint(p, rect);
        GraphicalObject::AnimatedInstance* animation = object->GetAnimatedInstance(0);
        const int frames = animation != nullptr && animation->GetPrototype() != nullptr
            ? animation->GetPrototype()->GetFrameCount()
            : 0;
        const int ring = RingOf(p, q);
        if (ring == 1 || body.Contains(q, true)) {
            Restore(record);
            records.erase(records.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        int frame = -1;
        if (frames >= 1 && ring == 2)
            frame = 0;
        else if (frames >= 2 && ring == 3)
            frame = 1;
        else if (frames >= 3 && ring == 4)
            frame = 2;
        if (frame >= 0) {
            object->SetAnimationFrame(frame);
            object->StopAnimations();
            if (frame == 0) {
                // Melting through: nothing to stand on any more.
                object->DeleteCollisionShapes();
                if (record.collisionCopy != nullptr) {
                    // The copy in "Collisions" is the one the player stands
                    // on: it has its own shapes.
                    record.collisionCopy->DestroyCollisionBodies();
                    if (GraphicalObject* copy = record.collisionCopy->GetPrototype())
                        copy->DeleteCollisionShapes();
                }
            }
        }
        ++i;
    }
}
