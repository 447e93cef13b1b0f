#pragma once

#include "engine/serial/ISerialization.h"
#include "engine/serial/Point.h"
#include "scene/LayerParticles.h"

#include <cstdint>
#include <deque>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

class DXGraphicalSurface;
class GraphicalObject;
class Particle;

// A set of small sprites that a layer updates and draws every frame. The
// system makes its particles once and owns them; the live ones are listed in
// the order they started, the free ones wait in a pool used last in, first
// out. Every particle is always in exactly one of the two (or, for a
// definition read from the game library, in neither: those are templates).
class ParticleSystem : public LayerParticles {
public:
    ParticleSystem(int poolSize, std::vector<GraphicalObject*> sprites);
    ~ParticleSystem() override;
    ParticleSystem(const ParticleSystem&) = delete;
    ParticleSystem& operator=(const ParticleSystem&) = delete;

    // Record: versioned class name, name, particle count, sprite reference
    // count, the references (two lines each).
    bool Serialize(std::ostream& os) override;
    // Reads the record after its class-name line, all or nothing. A count of
    // particles beyond the limit is reported (file:line) and fails the
    // record; a count of 0 reads a system that emits nothing, and a sprite
    // name the game does not hold leaves a null entry.
    bool UnSerialize(std::istream& is) override;
    std::string GetVersionedClassName() override { return "ParticleSystemV0"; }

    void Update(double dt) override;
    virtual void InitParticle(Particle* p);
    virtual void KillParticle(Particle* p);
    // A free particle started with a random sprite, or null.
    virtual Particle* EmitParticle();
    virtual bool IsEmpty() const { return live.empty(); }
    // Draws the live particles for the view whose upper-left corner (level
    // coordinates) is offset; false once a draw failed.
    bool Draw(DXGraphicalSurface* target, Point<int> offset) override;

    // Sets p's target: a random point of the rectangle of half extents area,
    // moved to at least minDistance from p's home.
    static void PlaceParticle(Particle* p, Point<int> area, float minDistance);

    const std::string& GetName() const { return name; }
    void SetName(const std::string& value) { name = value; }
    const std::vector<Particle*>& GetParticles() const { return particles; }
    const std::vector<Particle*>& GetLive() const { return live; }
    size_t GetPoolSize() const { return pool.size(); }
    const std::vector<GraphicalObject*>& GetSprites() const { return sprites; }
    bool AnimatesSprites() const { return animatesSprites; }

    // The most particles a record may ask for.
    static constexpr uint32_t kMaxParticles = 4096;
    // The most sprite references a record may list.
    static constexpr uint32_t kMaxSprites = 1024;

protected:
    // The sprite list of a record read whole.
    struct SpriteList {
        std::vector<GraphicalObject*> sprites;
        bool animates = false;
    };
    // Reads a count line and that many references (a tag line ending in
    // "Ptr", then a name; a name the game does not hold gives a null entry).
    // Strict, any line that does not read fails the list; lenient (the base
    // record), a count that does not read or exceeds kMaxSprites counts 0, a
    // tag that is no reference is skipped with a word, and the references
    // stop where the stream ends; the list then always reads.
    static bool ReadSpriteReferences(std::istream& is, SpriteList& list, bool lenient = false);
    static void WriteSpriteReferences(std::ostream& os, const std::vector<GraphicalObject*>& list);
    // Reads the base record into its parts without touching the system.
    struct BaseRecord {
        std::string name;
        uint32_t particleCount = 0;
        SpriteList sprites;
    };
    // Only the name must read: the counts and the references after it are
    // read leniently.
    static bool ReadBaseRecord(std::istream& is, BaseRecord& record);
    // Takes a base record read whole: the particles become templates.
    void TakeBaseRecord(BaseRecord&& record);
    void DestroyParticles();

    int32_t reserved = 0;
    std::string name = "NoName";
    std::vector<Particle*> particles;
    std::vector<Particle*> live;
    std::deque<Particle*> pool;
    std::vector<GraphicalObject*> sprites;
    bool animatesSprites = false;
    bool ownsSprites = true;
};
