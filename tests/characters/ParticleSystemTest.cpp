#include "characters/ParticleSystem.h"
#include "characters/FullScreenParticleSystem.h"
#include "characters/LocalParticleSystem.h"
#include "characters/Particle.h"

#include "engine/platform/Random.h"
#include "engine/render/GE_Blink.h"
#include "tests/characters/CharacterTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <sstream>

using charactertest::RandomAtLeast;

namespace {

// Particles only look: they draw from the cosmetic stream.
constexpr platform::RandomStream kLooks = platform::RandomStream::Cosmetic;

class ParticlePool : public testing::Test {
protected:
    GraphicalObject first {"First"};
    GraphicalObject second {"Second"};
};

TEST_F(ParticlePool, EmitsEveryParticleThenReusesTheLastKilledFirst)
{
    ParticleSystem system(3, {&first});
    std::vector<Particle*> emitted;
    for (int i = 0; i < 3; ++i) {
        Particle* p = system.EmitParticle();
        ASSERT_NE(p, nullptr);
        EXPECT_TRUE(p->IsParticleAlive());
        EXPECT_EQ(p->GetCurrentGraphical(), &first);
        emitted.push_back(p);
    }
    EXPECT_EQ(system.EmitParticle(), nullptr);
    EXPECT_EQ(system.GetLive(), emitted);

    system.KillParticle(emitted[2]);
    system.KillParticle(emitted[0]);
    system.KillParticle(emitted[0]); // not alive: nothing changes
    EXPECT_EQ(system.GetPoolSize(), 2u);
    EXPECT_EQ(system.GetLive(), std::vector<Particle*> {emitted[1]});
    EXPECT_FALSE(system.IsEmpty());
    EXPECT_EQ(system.EmitParticle(), emitted[0]);
    EXPECT_EQ(system.EmitParticle(), emitted[2]);
    EXPECT_EQ(system.EmitParticle(), nullptr);
}

// Every particle is live or pooled, whatever the sprites: a system with no
// sprite or with a missing one emits nothing and loses nothing.
TEST_F(ParticlePool, NoParticleLeavesThePoolWithoutASprite)
{
    ParticleSystem bare(2, {});
    EXPECT_EQ(bare.EmitParticle(), nullptr);
    EXPECT_EQ(bare.GetPoolSize(), 2u);

    ParticleSystem missing(2, {nullptr});
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(missing.EmitParticle(), nullptr);
    EXPECT_EQ(missing.GetPoolSize(), 2u);
    EXPECT_TRUE(missing.IsEmpty());

    // With one good and one missing sprite the draws decide; the pool and the
    // live list always account for every particle.
    ParticleSystem mixed(4, {&first, nullptr});
    platform::ScopedRandomValues draws(
        {RandomAtLeast(0.75), RandomAtLeast(0.1), RandomAtLeast(0.9), RandomAtLeast(0.2)}, kLooks);
    for (int i = 0; i < 4; ++i)
        mixed.EmitParticle();
    EXPECT_EQ(mixed.GetLive().size(), 2u);
    EXPECT_EQ(mixed.GetLive().size() + mixed.GetPoolSize(), 4u);

    // Of two sprites, a draw of 0.75 picks the second, 0.49 the first.
    ParticleSystem two(2, {&first, &second});
    platform::ScopedRandomValues picks({RandomAtLeast(0.75), RandomAtLeast(0.49)}, kLooks);
    EXPECT_EQ(two.EmitParticle()->GetCurrentGraphical(), &second);
    EXPECT_EQ(two.EmitParticle()->GetCurrentGraphical(), &first);
}

// The base record counts its name only: a particle count that is no number
// reads as none, and a reference tag without "Ptr" is passed over.
TEST_F(ParticlePool, TheBaseRecordReadsWheneverItsNameReads)
{
    charactertest::FakeCharacterGame game;
    game.graphicals = {{"First", &first}};
    const struct {
        const char* record;
        size_t particles;
        std::vector<GraphicalObject*> sprites;
    } cases[] = {
        {"Dust\r\nmany\r\n0\r\n", 0, {}},
        {"Dust\r\n2\r\n1\r\nGraphicalObjectV0\r\nFirst\r\n", 2, {&first}},
        {"Dust\r\n", 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.record);
        ParticleSystem system(0, {});
        std::istringstream in(c.record);
        EXPECT_TRUE(system.UnSerialize(in));
        EXPECT_EQ(system.GetName(), "Dust");
        EXPECT_EQ(system.GetParticles().size(), c.particles);
        EXPECT_EQ(system.GetSprites(), c.sprites);
    }
    ParticleSystem unnamed(0, {});
    std::istringstream nothing("");
    EXPECT_FALSE(unnamed.UnSerialize(nothing));
}

// ---------------------------------------------------------------- local

class LocalBurst : public testing::Test {
protected:
    LocalBurst() { game.graphicals = {{"Spark", &spark}, {"Ember", &ember}, {"Ash", &ash}}; }
    // A definition read from a record: n template particles, the named
    // sprites and extra sprites, the default parameters.
    std::unique_ptr<LocalParticleSystem> Definition(
        int n, const std::vector<std::string>& spriteNames = {}, const std::vector<std::string>& extras = {})
    {
        auto d = std::make_unique<LocalParticleSystem>();
        std::ostringstream record;
        record << "Burst\r\n" << n << "\r\n" << spriteNames.size() << "\r\n";
        for (const std::string& name : spriteNames)
            record << "GraphicalObjectV0Ptr\r\n" << name << "\r\n";
        record << "LocalParticleSystemV0\r\n0\r\n";
        for (float f : {290.0f, 300.0f, 5.0f, 5.5f, 9.0f, 10.0f, 20.0f, 20.0f, 0.0f, 1.0f, 40.0f, 0.0f, -1.0f,
                 0.0f, -1.0f, 0.0f, 0.0f, 0.0f, 0.0f})
            record << f << "\r\n";
        record << "0\r\n0\r\n0\r\n0\r\n" << extras.size() << "\r\n";
        for (const std::string& name : extras)
            record << "GraphicalObjectV0Ptr\r\n" << name << "\r\n";
        std::istringstream in(record.str());
        EXPECT_TRUE(d->UnSerialize(in));
        return d;
    }
    charactertest::FakeCharacterGame game;
    GraphicalObject spark {"Spark"};
    GraphicalObject ember {"Ember"};
    GraphicalObject ash {"Ash"};
};

TEST_F(LocalBurst, ParticlesBlinkFromTheirFadeAgeAndDieAtTheirLifetime)
{
    auto definition = Definition(2);
    std::unique_ptr<LocalParticleSystem> burst(LocalParticleSystem::CopyConstruct(*definition));
    EXPECT_TRUE(definition->GetLive().empty()); // a definition never runs
    ASSERT_EQ(burst->GetLive().size(), 2u);
    Particle* p = burst->GetLive()[0];
    for (int age = 1; age < 290; ++age)
        burst->Update(33.0);
    EXPECT_EQ(p->GetOwnEffect(), nullptr);
    burst->Update(33.0); // age 290
    EXPECT_NE(dynamic_cast<GE_Blink*>(p->GetOwnEffect()), nullptr);
    for (int age = 291; age < 300; ++age)
        burst->Update(33.0);
    EXPECT_EQ(burst->GetLive().size(), 2u);
    burst->Update(33.0); // age 300
    EXPECT_TRUE(burst->IsEmpty());
    EXPECT_FALSE(p->IsParticleAlive());
    EXPECT_EQ(p->GetOwnEffect(), nullptr); // its effect went with it
}

TEST_F(LocalBurst, SpeedsAreDrawnInTheirRangesLimitedAndAppliedAlongTheDirection)
{
    std::unique_ptr<LocalParticleSystem> burst(LocalParticleSystem::CopyConstruct(*Definition(1)));
    burst->KillParticle(burst->GetLive()[0]);
    Particle* p = nullptr;
    // Equal ends: no draw. spread 0: the emit direction itself, normalised.
    {
        platform::ScopedRandomValues draws({0u}, kLooks);
        burst->SetParameters(100.0f, 200.0f, 25.0f, 25.0f, -25.0f, -25.0f, 0.0f, -3.0f, 0.0f, 0.0f, 0.0f,
            0.0f, 0.0f, 20.0f, 20.0f, 0.0f, 0.0f, 0.0f, 0.0f);
        EXPECT_EQ(draws.Remaining(), 0u); // only the sprite draw
    }
    p = burst->GetLive()[0];
    EXPECT_EQ(p->velocityX, 25.0f);
    EXPECT_EQ(p->GetVerticalSpeed(), -25.0f);
    EXPECT_EQ(p->GetDirection(), Point<float>(-1.0f, 0.0f));
    const Point<float> before = p->GetPosition();
    burst->Update(100.0);
    EXPECT_EQ(p->velocityX, 20.0f);
    EXPECT_EQ(p->GetVerticalSpeed(), -20.0f);
    // Left-facing: a positive speed moves left; the vertical move ignores
    // the direction.
    EXPECT_NEAR(p->GetPosition().x - before.x, -20.0f * 32.0f * 0.1f, 1e-3f);
    EXPECT_NEAR(p->GetPosition().y - before.y, -20.0f * 32.0f * 0.1f, 1e-3f);
}

TEST_F(LocalBurst, TheFirstParticlesShareOutTheSpritesThenTheExtrasServe)
{
    auto definition = Definition(3, {"Spark", "Ember"});
    for (int run = 0; run < 8; ++run) {
        std::unique_ptr<LocalParticleSystem> burst(LocalParticleSystem::CopyConstruct(*definition));
        ASSERT_EQ(burst->GetLive().size(), 3u);
        std::set<GraphicalObject*> firstTwo {
            burst->GetLive()[0]->GetCurrentGraphical(), burst->GetLive()[1]->GetCurrentGraphical()};
        EXPECT_EQ(firstTwo, (std::set<GraphicalObject*> {&spark, &ember}));
        EXPECT_EQ(burst->GetLive()[2]->GetCurrentGraphical(), nullptr);
    }
    auto withExtra = Definition(3, {"Spark", "Ember"}, {"Ash"});
    std::unique_ptr<LocalParticleSystem> burst(LocalParticleSystem::CopyConstruct(*withExtra));
    EXPECT_EQ(burst->GetLive()[2]->GetCurrentGraphical(), &ash);
}

// ---------------------------------------------------------------- full screen

TEST(FullScreenParticles, TheGridIsAlignedToTheCellsWithTwoCellsOfMargin)
{
    GraphicalObject flake("Flake");
    flake.SetSize(24, 16, true);
    FullScreenParticleSystem snow(8, 4, 10, {&flake});
    EXPECT_EQ(snow.GetCellSize(), Point<int>(32, 20));
    const struct {
        Point<int> origin;
        int left, bottom, right, top;
    } cases[] = {
        {{-1, 0}, -96, -40, -32 + 511 + 64, 487},
        {{0, 0}, -64, -40, 511 + 64, 487},
        {{33, -21}, -32, -80, 32 + 511 + 64, -40 + 447 + 40},
    };
    for (const auto& c : cases) {
        snow.SetOrigin(c.origin);
        int left, bottom, right, top;
        snow.GetRegion(left, bottom, right, top);
        EXPECT_EQ(left, c.left) << c.origin.x;
        EXPECT_EQ(bottom, c.bottom) << c.origin.y;
        EXPECT_EQ(right, c.right) << c.origin.x;
        EXPECT_EQ(top, c.top) << c.origin.y;
    }

    // No sprites and no gap: cells of at least 1 x 1.
    FullScreenParticleSystem empty(0, -5, 1, {});
    EXPECT_EQ(empty.GetCellSize(), Point<int>(1, 1));
}

class FullScreenRefill : public testing::Test {
protected:
    FullScreenRefill() { flake.SetSize(64, 64, true); }
    // Cells of 64 x 64: the region runs from -128 to 639 across and from
    // -128 to 575 up, refilled from its left and bottom edges in steps of a
    // cell: 12 columns and 11 rows.
    static constexpr size_t kCells = 12 * 11;
    GraphicalObject flake {"Flake"};
};

TEST_F(FullScreenRefill, AnEmptyGridIsFilledAndAParticleThatLostItsSpriteIsReplaced)
{
    FullScreenParticleSystem snow(0, 0, 400, {&flake});
    snow.SetParameters(0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
    snow.Update(33.0);
    EXPECT_EQ(snow.GetLive().size(), kCells);
    std::set<std::pair<int, int>> cells;
    for (Particle* p : snow.GetLive())
        cells.insert({static_cast<int>(p->GetPosition().x), static_cast<int>(p->GetPosition().y)});
    EXPECT_EQ(cells.size(), kCells); // one per cell

    // Without wind nothing moves and every cell stays filled.
    snow.Update(33.0);
    EXPECT_EQ(snow.GetLive().size(), kCells);

    Particle* lost = snow.GetLive()[5];
    const Point<float> where = lost->GetPosition();
    lost->SetCurrentGraphical(nullptr);
    snow.Update(33.0);
    EXPECT_FALSE(lost->IsParticleAlive() && lost->GetCurrentGraphical() == nullptr);
    EXPECT_EQ(snow.GetLive().size(), kCells);
    bool refilled = false;
    for (Particle* p : snow.GetLive())
        refilled = refilled || (p->GetPosition() == where && p->GetCurrentGraphical() == &flake);
    EXPECT_TRUE(refilled);
}

} // namespace
