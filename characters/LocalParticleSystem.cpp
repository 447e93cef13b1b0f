#include "characters/LocalParticleSystem.h"

#include "characters/Particle.h"
#include "engine/platform/Random.h"
#include "engine/render/GE_Blink.h"
#include "engine/render/IRenderEngine.h"
#include "engine/serial/LineReaders.h"
#include "engine/serial/ReaderContext.h"
#include "scene/GraphicalObject.h"

#include <cmath>
#include <memory>
#include <string>

namespace {

// Degrees to radians as the particle code has always turned them (pi taken
// as 3.1415).
constexpr float kDegreesToRadians = 0.01745277777777778f;
constexpr float kPixelsPerTile = 32.0f;

// |value| limited to limit, the sign kept (0 or less limits to -limit).
float Limit(float value, float limit)
{
    if (std::fabs(value) > limit)
        return value > 0.0f ? limit : -limit;
    return value;
}

void Rotate(Point<float>& v, float radians)
{
    const float c = std::cos(radians);
    const float s = std::sin(radians);
    v = Point<float>(v.x * c - v.y * s, v.x * s + v.y * c);
}

} // namespace

LocalParticleSystem::LocalParticleSystem(int unused0, int unused1, int areaX, int areaY)
    : ParticleSystem(0, {})
    , unusedInts {unused0, unused1}
    , area(areaX, areaY)
{
    // A definition holds the game library's objects; it never frees them.
    ownsSprites = false;
}

LocalParticleSystem* LocalParticleSystem::CopyConstruct(const LocalParticleSystem& source)
{
    auto* copy = new LocalParticleSystem(source.unusedInts[0], source.unusedInts[1], 0, 0);
    copy->name = source.name;
    copy->sprites = source.sprites;
    copy->extraSprites = source.extraSprites;
    copy->animatesSprites = source.animatesSprites;
    if (copy->animatesSprites) {
        // Each copy animates sprites of its own.
        for (auto* list : {&copy->sprites, &copy->extraSprites}) {
            for (GraphicalObject*& g : *list) {
                if (g != nullptr)
                    g = dynamic_cast<GraphicalObject*>(g->Clone(true));
            }
        }
        copy->ownsSprites = true;
    }
    copy->area = source.area;
    copy->inFront = source.inFront;
    for (const Particle* p : source.particles)
        copy->particles.push_back(new Particle(p ? p->GetName() : "TemplateParticle"));
    copy->ApplyParameters(source.GetParameters());
    return copy;
}

LocalParticleSystem::~LocalParticleSystem()
{
    DestroyOwnedSprites();
}

void LocalParticleSystem::DestroyOwnedSprites()
{
    if (!(animatesSprites && ownsSprites))
        return;
    for (auto* list : {&sprites, &extraSprites}) {
        for (GraphicalObject* g : *list)
            delete g;
        list->clear();
    }
}

LocalParticleSystem::Parameters LocalParticleSystem::GetParameters() const
{
    // The order of SetParameters.
    return Parameters {{fadeStart, lifetime, speedXMin, speedXMax, speedYMin, speedYMax, spreadAngle,
        emitDirection.x, emitDirection.y, accelerationMin.x, accelerationMin.y, accelerationMax.x,
        accelerationMax.y, maxSpeedX, maxSpeedY, spare[0], spare[1], spare[2], spare[3]}};
}

void LocalParticleSystem::ApplyParameters(const Parameters& p)
{
    const float* v = p.values;
    SetParameters(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10], v[11], v[12], v[13],
        v[14], v[15], v[16], v[17], v[18]);
}

void LocalParticleSystem::SetParameters(float fadeStart_, float lifetime_, float speedXMin_, float speedXMax_,
    float speedYMin_, float speedYMax_, float spreadAngle_, float directionX, float directionY,
    float accelerationMinX, float accelerationMinY, float accelerationMaxX, float accelerationMaxY,
    float maxSpeedX_, float maxSpeedY_, float spare0, float spare1, float spare2, float spare3)
{
    fadeStart = fadeStart_;
    lifetime = lifetime_;
    speedXMin = speedXMin_;
    speedXMax = speedXMax_;
    speedYMin = speedYMin_;
    speedYMax = speedYMax_;
    spreadAngle = spreadAngle_;
    emitDirection = Point<float>(directionX, directionY);
    if (emitDirection.Length() != 0.0f)
        emitDirection.Normalize(false);
    accelerationMin = Point<float>(accelerationMinX, accelerationMinY);
    accelerationMax = Point<float>(accelerationMaxX, accelerationMaxY);
    maxSpeedX = maxSpeedX_;
    maxSpeedY = maxSpeedY_;
    spare[0] = spare0;
    spare[1] = spare1;
    spare[2] = spare2;
    spare[3] = spare3;
    StartParticles();
}

float LocalParticleSystem::RandomIn(float a, float b)
{
    if (a == b)
        return b;
    return a + static_cast<float>(platform::CosmeticRandomFraction()) * (b - a);
}

void LocalParticleSystem::StartParticles()
{
    std::vector<GraphicalObject*> bag = sprites;
    for (Particle* p : particles) {
        if (p == nullptr || p->IsParticleAlive())
            continue;
        InitParticle(p);
        const uint32_t v = platform::CosmeticRandom32();
        GraphicalObject* sprite = nullptr;
        if (!bag.empty()) {
            const size_t i = v % bag.size();
            sprite = bag[i];
            bag.erase(bag.begin() + static_cast<std::ptrdiff_t>(i));
        } else if (!extraSprites.empty()) {
            sprite = extraSprites[v % extraSprites.size()];
        }
        p->SetCurrentGraphical(sprite);
        PlaceParticle(p, area, 0.0f);
        p->SetDrawOffset(p->target.x, p->target.y);
        p->velocityX = RandomIn(speedXMin, speedXMax);
        p->SetVerticalSpeed(RandomIn(speedYMin, speedYMax));
        p->acceleration = Point<float>(
            RandomIn(accelerationMin.x, accelerationMax.x), RandomIn(accelerationMin.y, accelerationMax.y));
        Point<float> direction = emitDirection;
        if (spreadAngle != 0.0f) {
            const float r = static_cast<float>(platform::CosmeticRandomFraction());
            Rotate(direction, (2.0f * r - 1.0f) * spreadAngle * kDegreesToRadians);
        }
        p->SetDirection(direction);
    }
}

void LocalParticleSystem::Update(double dt)
{
    // Kills change the live list: walk a copy of it.
    const std::vector<Particle*> running = live;
    const float scale = static_cast<float>(kPixelsPerTile * dt * 0.001);
    for (Particle* p : running) {
        if (p == nullptr)
            continue;
        p->age += 1.0f;
        if (lifetime <= p->age) {
            KillParticle(p);
            continue;
        }
        if (fadeStart <= p->age && p->GetOwnEffect() == nullptr)
            p->SetOwnEffect(std::make_unique<GE_Blink>());
        const float vx = Limit(p->velocityX + p->acceleration.x, maxSpeedX);
        const float vy = Limit(p->GetVerticalSpeed() + p->acceleration.y, maxSpeedY);
        p->velocityX = vx;
        p->SetVerticalSpeed(vy);
        const Point<float> at = p->GetPosition();
        p->SetPosition(Point<float>(at.x + vx * scale * p->GetDirection().x, at.y + vy * scale));
    }
    if (animatesSprites) {
        for (auto* list : {&sprites, &extraSprites}) {
            for (GraphicalObject* g : *list) {
                if (g != nullptr)
                    g->Update(dt);
            }
        }
    }
}

bool LocalParticleSystem::Draw(DXGraphicalSurface* target, Point<int> offset)
{
    return ParticleSystem::Draw(target, offset - position);
}

// ---------------------------------------------------------------- record

bool LocalParticleSystem::Serialize(std::ostream& os)
{
    if (IsSkipSerialize())
        return true;
    ParticleSystem::Serialize(os);
    WriteLine(os, GetVersionedClassName());
    WriteLine(os, inFront);
    const float fields[19] = {fadeStart, lifetime, speedXMin, speedXMax, speedYMin, speedYMax, maxSpeedX,
        maxSpeedY, emitDirection.x, emitDirection.y, spreadAngle, accelerationMin.x, accelerationMin.y,
        accelerationMax.x, accelerationMax.y, spare[0], spare[1], spare[2], spare[3]};
    for (float f : fields)
        WriteLine(os, f);
    WriteLine(os, unusedInts[0]);
    WriteLine(os, unusedInts[1]);
    WriteLine(os, area.x);
    WriteLine(os, area.y);
    WriteSpriteReferences(os, extraSprites);
    return true;
}

bool LocalParticleSystem::UnSerialize(std::istream& is)
{
    BaseRecord base;
    if (!ReadBaseRecord(is, base))
        return false;
    std::string className;
    bool front = false;
    float f[19] = {};
    int32_t ints[2] = {};
    Point<int> newArea;
    if (!ReadTextLine(is, className) || !ReadBoolLine(is, front))
        return false;
    for (float& value : f) {
        if (!ReadFloatLine(is, value))
            return false;
    }
    if (!ReadIntLine(is, ints[0]) || !ReadIntLine(is, ints[1]))
        return false;
    if (!ReadCoordinateLine(is, newArea.x) || !ReadCoordinateLine(is, newArea.y))
        return false;
    SpriteList extras;
    if (!ReadSpriteReferences(is, extras))
        return false;

    DestroyOwnedSprites();
    TakeBaseRecord(std::move(base));
    if (extras.animates)
        animatesSprites = true;
    extraSprites = std::move(extras.sprites);
    RenderPoolManager* renderPool = g_RenderEngine ? g_RenderEngine->GetRenderPool() : nullptr;
    if (renderPool != nullptr) {
        for (GraphicalObject* sprite : extraSprites)
            GraphicalObject::QueueImages(*renderPool, sprite);
    }
    inFront = front;
    fadeStart = f[0];
    lifetime = f[1];
    speedXMin = f[2];
    speedXMax = f[3];
    speedYMin = f[4];
    speedYMax = f[5];
    maxSpeedX = f[6];
    maxSpeedY = f[7];
    emitDirection = Point<float>(f[8], f[9]);
    spreadAngle = f[10];
    accelerationMin = Point<float>(f[11], f[12]);
    accelerationMax = Point<float>(f[13], f[14]);
    for (int i = 0; i < 4; ++i)
        spare[i] = f[15 + i];
    unusedInts[0] = ints[0];
    unusedInts[1] = ints[1];
    area = newArea;
    ownsSprites = false;
    return true;
}
