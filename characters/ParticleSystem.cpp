#include "characters/ParticleSystem.h"

#include "characters/CharacterGameAccess.h"
#include "characters/Particle.h"
#include "engine/platform/Random.h"
#include "engine/render/GraphicalEffect.h"
#include "engine/render/IRenderEngine.h"
#include "engine/serial/LineReaders.h"
#include "engine/serial/ReaderContext.h"
#include "scene/GraphicalObject.h"
#include "scene/SpacialInstance.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr const char* kPoolParticleName = "PopByParticleSystem";
constexpr const char* kTemplateParticleName = "TemplateParticle";

} // namespace

ParticleSystem::ParticleSystem(int poolSize, std::vector<GraphicalObject*> sprites_)
    : sprites(std::move(sprites_))
{
    for (int i = 0; i < poolSize; ++i) {
        auto* p = new Particle(kPoolParticleName);
        particles.push_back(p);
        pool.push_back(p);
    }
}

ParticleSystem::~ParticleSystem()
{
    DestroyParticles();
}

void ParticleSystem::DestroyParticles()
{
    live.clear();
    pool.clear();
    for (Particle* p : particles)
        delete p;
    particles.clear();
}

void ParticleSystem::Update(double /*dt*/)
{
}

void ParticleSystem::InitParticle(Particle* p)
{
    live.push_back(p);
    p->SetParticleAlive(true);
    p->age = 0.0f;
}

void ParticleSystem::KillParticle(Particle* p)
{
    if (p == nullptr || !p->IsParticleAlive())
        return;
    const auto found = std::find(live.begin(), live.end(), p);
    if (found != live.end())
        live.erase(found);
    p->SetParticleAlive(false);
    pool.push_back(p);
    p->SetOwnEffect(nullptr);
}

Particle* ParticleSystem::EmitParticle()
{
    if (pool.empty() || sprites.empty())
        return nullptr;
    Particle* p = pool.back();
    if (p == nullptr || p->IsParticleAlive()) {
        pool.pop_back();
        return nullptr;
    }
    const double r = platform::CosmeticRandomFraction();
    const size_t n = sprites.size();
    const size_t index = r * n >= static_cast<double>(n - 1) ? n - 1 : static_cast<size_t>(r * n);
    GraphicalObject* sprite = sprites[index];
    // A particle that cannot be shown stays in the pool: a system whose
    // sprite is missing never loses its particles.
    if (sprite == nullptr)
        return nullptr;
    pool.pop_back();
    p->SetCurrentGraphical(sprite);
    p->SetSize(sprite->GetSize().x, sprite->GetSize().y);
    InitParticle(p);
    return p;
}

bool ParticleSystem::Draw(DXGraphicalSurface* target, Point<int> offset)
{
    bool result = true;
    for (Particle* p : live) {
        if (!result)
            break;
        if (p == nullptr || !p->IsParticleAlive() || p->GetCurrentGraphical() == nullptr)
            continue;
        const Point<float> at = p->GetDrawPosition();
        SpacialInstance<GraphicalObject, float> shown(p->GetCurrentGraphical(), at.x, at.y);
        shown.SetEffect(p->GetOwnEffect());
        result = shown.Draw(target, offset);
    }
    return result;
}

void ParticleSystem::PlaceParticle(Particle* p, Point<int> area, float minDistance)
{
    Point<float> offset;
    if (area.x != 0)
        offset.x = std::floor(static_cast<float>((2.0 * platform::CosmeticRandomFraction() - 1.0) * area.x));
    if (area.y != 0)
        offset.y = std::floor(static_cast<float>((2.0 * platform::CosmeticRandomFraction() - 1.0) * area.y));
    Point<float> d = offset - p->home;
    if (d.Length() < minDistance) {
        d.Normalize(false);
        offset = p->home + d * minDistance;
    }
    p->target = offset.ToInt();
}

// ---------------------------------------------------------------- record

void ParticleSystem::WriteSpriteReferences(std::ostream& os, const std::vector<GraphicalObject*>& list)
{
    uint32_t count = 0;
    for (GraphicalObject* g : list)
        count += (g != nullptr && !g->IsSkipSerialize()) ? 1 : 0;
    WriteLine(os, count);
    for (GraphicalObject* g : list) {
        if (g != nullptr && !g->IsSkipSerialize())
            g->SerializePtr(os);
    }
}

bool ParticleSystem::Serialize(std::ostream& os)
{
    if (IsSkipSerialize())
        return true;
    WriteLine(os, GetVersionedClassName());
    WriteLine(os, name);
    WriteLine(os, static_cast<uint32_t>(particles.size()));
    WriteSpriteReferences(os, sprites);
    return true;
}

bool ParticleSystem::ReadSpriteReferences(std::istream& is, SpriteList& list, bool lenient)
{
    uint32_t count = 0;
    {
        const LenientRead countRead(is);
        bool read = ReadUIntLine(is, count);
        if (read && count > kMaxSprites)
            read = ReadError(
                is, "a sprite count from 0 to " + std::to_string(kMaxSprites), std::to_string(count));
        if (!read) {
            if (!lenient)
                return false;
            countRead.Skipped("the sprite count");
            count = 0;
        }
    }
    CharacterGameAccess* game = GetCharacterGameAccess();
    for (uint32_t i = 0; i < count; ++i) {
        std::string tag;
        std::string spriteName;
        if (lenient) {
            ReadStringLine(is, tag);
            if (is.fail())
                break;
            if (!tag.ends_with("Ptr"))
                LenientRead(is).Skipped("the sprite reference tag " + QuoteFound(tag));
            ReadStringLine(is, spriteName);
            if (is.fail())
                break;
        } else {
            if (!ReadTextLine(is, tag))
                return false;
            if (!tag.ends_with("Ptr"))
                return ReadError(is, "a sprite reference tag ending in \"Ptr\"", QuoteFound(tag));
            if (!ReadTextLine(is, spriteName))
                return false;
        }
        // A name the game does not hold leaves a null entry: a particle that
        // would show it is not emitted.
        GraphicalObject* sprite = game ? game->FindGraphicalObject(spriteName) : nullptr;
        if (sprite != nullptr && sprite->HasNonLoopingAnimation())
            list.animates = true;
        list.sprites.push_back(sprite);
    }
    return true;
}

bool ParticleSystem::ReadBaseRecord(std::istream& is, BaseRecord& record)
{
    if (!ReadTextLine(is, record.name))
        return false;
    const LenientRead countRead(is);
    bool read = ReadUIntLine(is, record.particleCount);
    if (read && record.particleCount > kMaxParticles)
        read = ReadError(is, "a particle count from 0 to " + std::to_string(kMaxParticles),
            std::to_string(static_cast<int32_t>(record.particleCount)));
    if (!read) {
        countRead.Skipped("the particle count");
        record.particleCount = 0;
    }
    return ReadSpriteReferences(is, record.sprites, true);
}

void ParticleSystem::TakeBaseRecord(BaseRecord&& record)
{
    DestroyParticles();
    name = std::move(record.name);
    // Templates for the copies: neither live nor pooled.
    for (uint32_t i = 0; i < record.particleCount; ++i)
        particles.push_back(new Particle(kTemplateParticleName));
    sprites = std::move(record.sprites.sprites);
    animatesSprites = record.sprites.animates;
    RenderPoolManager* renderPool = g_RenderEngine ? g_RenderEngine->GetRenderPool() : nullptr;
    if (renderPool != nullptr) {
        for (GraphicalObject* sprite : sprites)
            GraphicalObject::QueueImages(*renderPool, sprite);
    }
}

bool ParticleSystem::UnSerialize(std::istream& is)
{
    BaseRecord record;
    if (!ReadBaseRecord(is, record))
        return false;
    TakeBaseRecord(std::move(record));
    return true;
}
