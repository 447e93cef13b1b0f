#include "characters/FullScreenParticleSystem.h"
#include "characters/LocalParticleSystem.h"
#include "characters/Particle.h"

#include "tests/characters/CharacterTestSupport.h"
#include "tests/scene/SquareSceneFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>

using rendertest::Near;

namespace {

constexpr uint32_t kRed = 0xFFFF0000u;
constexpr uint32_t kGreen = 0xFF00FF00u;
constexpr uint32_t kBlack = 0xFF000000u;
constexpr int kSquare = 4;

// A burst of red squares and a full-screen system of green squares drawn
// through the device engine on the render thread, for a camera whose view's
// upper-left corner stands at (0, 448) in the level.
class GLParticleRender : public scenetest::SquareSceneFixture {
protected:
    void SetUp() override
    {
        StartWithSquares("quenholt_particle_render", kSquare, {{"red.png", kRed}, {"green.png", kGreen}});
    }

    // A square the particle systems find by name.
    GraphicalObject& Square(const std::string& name, const std::string& image)
    {
        GraphicalObject& object = SquareSceneFixture::Square(name, image);
        characters.graphicals[name] = &object;
        return object;
    }

    // Where a particle's upper-left pixel lands: level y grows upward,
    // screen y downward, and a drawing stands on its lower-left corner.
    static Point<int> OnScreen(Point<float> level)
    {
        const Point<int> p = level.ToInt();
        return Point<int>(p.x - kView.x, kView.y - (p.y + kSquare));
    }

    static constexpr Point<int> kView {0, 448};
    charactertest::FakeCharacterGame characters;
};

TEST_F(GLParticleRender, ABurstAndAFullScreenSystemShowEveryParticleInThePicture)
{
    GraphicalObject& red = Square("Red", "red.png");
    GraphicalObject& green = Square("Green", "green.png");

    // The burst: 12 red particles in an area of +-40 around (256, 200), slow.
    LocalParticleSystem definition;
    std::ostringstream record;
    record << "Burst\r\n12\r\n1\r\nGraphicalObjectV0Ptr\r\nRed\r\nLocalParticleSystemV0\r\n1\r\n";
    for (float f : {290.0f, 300.0f, 0.5f, 1.0f, 0.5f, 1.0f, 20.0f, 20.0f, 0.0f, 1.0f, 180.0f, 0.0f, 0.0f,
             0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f})
        record << f << "\r\n";
    record << "0\r\n0\r\n40\r\n40\r\n1\r\nGraphicalObjectV0Ptr\r\nRed\r\n";
    std::istringstream in(record.str());
    ASSERT_TRUE(definition.UnSerialize(in));
    std::unique_ptr<LocalParticleSystem> burst(LocalParticleSystem::CopyConstruct(definition));
    burst->SetPosition(Point<int>(256, 200));
    for (int i = 0; i < 3; ++i)
        burst->Update(33.0);
    ASSERT_EQ(burst->GetLive().size(), 12u);

    // The snow: cells of 64 (a gap of 60 beside the 4-pixel squares), still
    // air, the whole view covered.
    FullScreenParticleSystem snow(60, 60, 200, {&green});
    snow.SetParameters(0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
    snow.SetOrigin(Point<int>(0, 0));
    snow.Update(33.0);
    ASSERT_GT(snow.GetLive().size(), 40u);

    RenderFrame([&] {
        GraphicalObject::LoadImages(&red, false);
        GraphicalObject::LoadImages(&green, false);
        EXPECT_TRUE(snow.Draw(nullptr, kView));
        EXPECT_TRUE(burst->Draw(nullptr, kView));
    });

    int seenRed = 0;
    for (Particle* p : burst->GetLive()) {
        const Point<float> level = Point<float>(256.0f, 200.0f) + p->GetDrawPosition();
        const Point<int> s = OnScreen(level);
        const uint32_t seen = Picture(s.x + 1, s.y + 1);
        seenRed += Near(seen, kRed) ? 1 : 0;
        EXPECT_TRUE(Near(seen, kRed)) << s.x << "," << s.y << std::hex << " " << seen;
    }
    EXPECT_EQ(seenRed, 12);

    int inView = 0;
    for (Particle* p : snow.GetLive()) {
        const Point<int> s = OnScreen(p->GetDrawPosition());
        if (s.x < 0 || s.y < 0 || s.x + kSquare > 512 || s.y + kSquare > 448)
            continue;
        ++inView;
        const uint32_t seen = Picture(s.x + 2, s.y + 2);
        // A red particle may lie over a green one; the snow is drawn first.
        EXPECT_TRUE(Near(seen, kGreen) || Near(seen, kRed)) << s.x << "," << s.y << std::hex << " " << seen;
    }
    // Still air: each particle stands 63 pixels into its cell from the
    // region's corner at (-128, -128), at 63 + 64k on both axes. Whole in
    // view: x 63 to 447 (7 columns) and level y 63 to 383 (6 rows).
    EXPECT_EQ(inView, 42);
    // Between the squares the picture stays black.
    EXPECT_TRUE(Near(Picture(500, 10), kBlack));
}

} // namespace
