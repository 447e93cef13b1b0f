#include "characters/FullScreenParticleSystem.h"

#include "characters/Particle.h"
#include "scene/GraphicalObject.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Floor division, also for negative values.
int FloorTo(int value, int step)
{
    const int q = value / step;
    return (value % step != 0 && value < 0) ? (q - 1) * step : q * step;
}

} // namespace

FullScreenParticleSystem::FullScreenParticleSystem(
    int gapX, int gapY, int poolSize, std::vector<GraphicalObject*> sprites_, int unused_)
    : ParticleSystem(poolSize, std::move(sprites_))
    , gap(gapX, gapY)
    , unused(unused_)
{
}

void FullScreenParticleSystem::SetParameters(float windStrength_, float particleSpeed_, float steer_,
    float windX, float windY, float wanderX, float wanderY, float radius)
{
    windStrength = windStrength_;
    particleSpeed = particleSpeed_;
    steer = steer_;
    windDirection = Point<float>(windX, windY);
    wanderArea = Point<float>(wanderX, wanderY);
    arrivalRadius = radius;
    minTargetDistance = radius;
    for (Particle* p : particles) {
        if (p != nullptr)
            p->SetDirection(windDirection);
    }
}

void FullScreenParticleSystem::InitParticle(Particle* p)
{
    ParticleSystem::InitParticle(p);
    p->travelSpeed = particleSpeed;
    const Point<int> wander = wanderArea.ToInt();
    PlaceParticle(p, wander, minTargetDistance);
    p->home = p->target.ToFloat();
    p->SetDrawOffset(p->target.x, p->target.y);
    PlaceParticle(p, wander, minTargetDistance);
    p->velocity = p->target.ToFloat() - p->home;
}

Point<int> FullScreenParticleSystem::GetCellSize() const
{
    Point<int> largest;
    for (GraphicalObject* g : sprites) {
        if (g == nullptr)
            continue;
        largest.x = std::max(largest.x, g->GetSize().x);
        largest.y = std::max(largest.y, g->GetSize().y);
    }
    // Saturating: a huge gap or sprite gives one huge cell, never a
    // negative one.
    return Point<int>(
        std::max(1, SaturatingAdd(gap.x, largest.x)), std::max(1, SaturatingAdd(gap.y, largest.y)));
}

void FullScreenParticleSystem::GetRegion(int& left, int& bottom, int& right, int& top) const
{
    const Point<int> cell = GetCellSize();
    const int gx = FloorTo(origin.x, cell.x);
    const int gy = FloorTo(origin.y, cell.y);
    const int64_t marginX = int64_t(kMarginCells) * cell.x;
    const int64_t marginY = int64_t(kMarginCells) * cell.y;
    auto clamp = [](int64_t v) {
        return static_cast<int>(
            std::clamp<int64_t>(v, std::numeric_limits<int>::min() / 2, std::numeric_limits<int>::max() / 2));
    };
    left = clamp(gx - marginX);
    bottom = clamp(gy - marginY);
    right = clamp(gx + (kViewWidth - 1) + marginX);
    top = clamp(gy + (kViewHeight - 1) + marginY);
}

void FullScreenParticleSystem::Update(double dt)
{
    const Point<int> cell = GetCellSize();
    const int w = cell.x;
    const int h = cell.y;
    int left = 0, bottom = 0, right = 0, top = 0;
    GetRegion(left, bottom, right, top);
    const int64_t columns = (int64_t(right) - left + w - 1) / w + 1;
    const int64_t rows = (int64_t(top) - bottom + h - 1) / h + 1;
    std::vector<bool> occupied(static_cast<size_t>(columns * rows), false);
    const Point<int> anchor(windDirection.x > 0.0f ? w - 1 : 0, windDirection.y > 0.0f ? h - 1 : 0);
    auto inside = [&](Point<int> c) { return c.x >= left && c.x <= right && c.y >= bottom && c.y <= top; };

    // Whether the live particles spread at all, before any moves.
    float minX = std::numeric_limits<float>::max();
    float maxX = std::numeric_limits<float>::lowest();
    for (Particle* p : live) {
        if (p == nullptr || !p->IsParticleAlive())
            continue;
        minX = std::min(minX, p->GetPosition().x);
        maxX = std::max(maxX, p->GetPosition().x);
    }
    const bool collapsed = !(maxX > minX);

    drift = drift + windDirection * windStrength;
    drift.x = std::fmod(drift.x, static_cast<float>(w));
    drift.y = std::fmod(drift.y, static_cast<float>(h));

    const std::vector<Particle*> running = live;
    for (Particle* p : running) {
        if (p == nullptr || !p->IsParticleAlive())
            continue;
        if (p->GetCurrentGraphical() == nullptr) {
            KillParticle(p);
            continue;
        }
        const Point<int> cellPoint = p->GetPosition().ToInt() + anchor;
        if (!inside(cellPoint)) {
            KillParticle(p);
            continue;
        }
        p->steer = steer;
        if (particleSpeed != 0.0f) {
            const Point<float> oldHome = p->home;
            p->Step(dt);
            const Point<float> d = p->target.ToFloat() - p->home;
            const Rect<int> swept(oldHome.ToInt(), p->home.ToInt());
            if (d.x * d.x + d.y * d.y < arrivalRadius * arrivalRadius || swept.Contains(p->target, true)) {
                PlaceParticle(p, wanderArea.ToInt(), minTargetDistance);
                if (p->velocity == Point<float>())
                    p->velocity = Point<float>() - p->home;
            }
        }
        p->SetDrawOffset(p->home.ToInt().x, p->home.ToInt().y);
        p->SetPosition(p->GetPosition() + windDirection * windStrength);
        const int64_t column = (int64_t(cellPoint.x) - left) / w;
        const int64_t row = (int64_t(cellPoint.y) - bottom) / h;
        if (column >= 0 && column < columns && row >= 0 && row < rows)
            occupied[static_cast<size_t>(row * columns + column)] = true;
    }

    const Point<float> shift(windDirection.x > 0.0f ? float(1 - w) : float(w - 1),
        windDirection.y > 0.0f ? float(1 - h) : float(h - 1));
    for (int64_t x = left, column = 0; x <= right; x += w, ++column) {
        for (int64_t y = bottom, row = 0; y <= top; y += h, ++row) {
            const Point<float> cellPoint
                = Point<float>(static_cast<float>(x), static_cast<float>(y)) + drift + shift;
            bool fill = collapsed;
            if (!fill)
                fill = !occupied[static_cast<size_t>(row * columns + column)]
                    && inside(cellPoint.ToInt() + anchor);
            if (!fill)
                continue;
            if (Particle* p = EmitParticle())
                p->SetPosition(cellPoint);
        }
    }
}
