#include "characters/Firefly.h"

#include "characters/PlayerArmorHost.h"
#include "engine/platform/Random.h"
#include "scene/GraphicalObject.h"
#include "scene/SceneGameAccess.h"

#include <algorithm>
#include <cmath>

Firefly::Firefly(std::string name, PlayerArmorHost* player_, RandomSource random_)
    : CharacterObject(std::move(name))
    , player(player_)
    , random(std::move(random_))
{
    speed = kBaseSpeed;
    customInt = 0;
    if (!random) {
        // Fireflies only look: their darts draw from the cosmetic source
        // (seeded too, so a recorded run shows the same darts).
        random = [] { return platform::CosmeticRandom32(); };
    }
    if (SceneGameAccess* game = GetSceneGameAccess())
        SetGraphicals(
            game->FindGraphicalObject("Firefly_Idle"), game->FindGraphicalObject("Firefly_HasTarget"));
}

void Firefly::SetGraphicals(GraphicalObject* idle, GraphicalObject* hasTarget)
{
    idleGraphical = idle;
    hasTargetGraphical = hasTarget;
    currentGraphical = idle;
}

void Firefly::Reset(Point<float> at, Point<int> target)
{
    SetPosition(at);
    targetPoint = target;
    targetBox = Rect<int>();
    attached = true;
    customInt = 0;
    speed = kBaseSpeed;
    currentGraphical = idleGraphical;
}

Point<int> Firefly::GetSize() const
{
    return currentGraphical != nullptr ? currentGraphical->GetSize() : CharacterObject::GetSize();
}

Point<float> Firefly::PlayerPosition() const
{
    return player != nullptr ? player->GetArmorHostPosition() : Point<float>();
}

Point<int> Firefly::PickPoint(const Rect<int>& box, Point<int> size, uint32_t r1, uint32_t r2)
{
    const int64_t bw = static_cast<int64_t>(box.x1) - box.x0;
    const int64_t bh = static_cast<int64_t>(box.y0) - box.y1;
    const int64_t mx = std::max<int64_t>(1, bw + size.x + 1);
    const int64_t my = std::max<int64_t>(1, bh + size.y + 1);
    const double x = static_cast<double>(box.x0) + static_cast<double>(r1 % mx) - size.x * 0.5;
    const double y = static_cast<double>(box.y1) + static_cast<double>(r2 % my) - size.y * 0.5;
    return Point<int>(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
}

void Firefly::PickWanderPoint()
{
    Rect<int> box;
    if (!HasTarget()) {
        box = Rect<int>(0, 92, 64, 32);
        if (!attached) {
            const Point<float> p = PlayerPosition();
            box.Offset(Point<int>(static_cast<int>(p.x), static_cast<int>(p.y)));
        }
    } else {
        box = targetBox;
        if (attached) {
            attached = false;
            customInt = 0;
            const Point<float> p = PlayerPosition();
            SetPosition(Point<float>(GetPosition().x + p.x, GetPosition().y + p.y));
            if (hasTargetGraphical != nullptr) {
                currentGraphical = hasTargetGraphical;
                currentGraphical->RestartAnimations(false);
            }
        }
    }
    const uint32_t r1 = random();
    const uint32_t r2 = random();
    targetPoint = PickPoint(box, GetSize(), r1, r2);
    customInt = kWanderFrames;
}

void Firefly::Update(double dtMs)
{
    auto towardTarget = [this] {
        return Point<float>(static_cast<float>(targetPoint.x) - GetPosition().x,
            static_cast<float>(targetPoint.y) - GetPosition().y);
    };
    Point<float> v = towardTarget();
    --customInt;

    if (!HasTarget() && !attached && player != nullptr) {
        const Point<float> p = player->GetArmorHostPosition();
        const Point<int> ps = player->GetArmorHostSize();
        const Point<int> fs = GetSize();
        const float dx = (p.x + ps.x * 0.5f) - (GetPosition().x + fs.x * 0.5f);
        const float dy = (p.y + ps.y * 0.5f) - (GetPosition().y + fs.y * 0.5f);
        if (std::sqrt(dx * dx + dy * dy) > 64.0f)
            customInt = 0;
    }

    if (v.x * v.x + v.y * v.y <= 256.0f || customInt <= 0) {
        PickWanderPoint();
        v = towardTarget();
    }

    const float d2 = v.x * v.x + v.y * v.y;
    if (attached && d2 > 16777216.0f) {
        SetPosition(Point<float>(32.0f, 64.0f));
        targetPoint = Point<int>(32, 64);
        currentGraphical = idleGraphical;
        attached = true;
        customInt = 0;
        speed = kBaseSpeed;
    } else if (d2 < 4096.0f) {
        speed = kBaseSpeed;
        if (!HasTarget() && !attached && customInt == kWanderFrames) {
            currentGraphical = idleGraphical;
            attached = true;
            customInt = 0;
            const Point<float> p = PlayerPosition();
            SetPosition(Point<float>(GetPosition().x - p.x, GetPosition().y - p.y));
        }
    } else {
        const float f = (!HasTarget() && !attached) ? 2.0f : 1.0f;
        speed = std::clamp(f * (std::sqrt(d2) + 128.0f) * 0.015625f, kBaseSpeed, kMaxSpeed);
    }

    const float length = std::sqrt(v.x * v.x + v.y * v.y);
    if (length > 0.0f) {
        Point<float> blended(direction.x + 0.2f * v.x / length, direction.y + 0.2f * v.y / length);
        const float blendedLength = std::sqrt(blended.x * blended.x + blended.y * blended.y);
        if (blendedLength > 0.0f)
            direction = Point<float>(blended.x / blendedLength, blended.y / blendedLength);
    }
    const float step = speed * 32.0f * static_cast<float>(dtMs) * 0.001f;

    if (currentGraphical != nullptr && currentGraphical == hasTargetGraphical
        && currentGraphical->IsAnimationFinished()) {
        if (player != nullptr)
            player->PlayPlayerSound(kSoundFireFliesHaveTarget);
        currentGraphical = idleGraphical;
    }
    if (currentGraphical == nullptr || currentGraphical != hasTargetGraphical)
        SetPosition(Point<float>(GetPosition().x + direction.x * step, GetPosition().y + direction.y * step));
    else
        currentGraphical->Update(dtMs);
}
