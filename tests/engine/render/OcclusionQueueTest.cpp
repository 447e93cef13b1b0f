#include "engine/render/OcclusionQueue.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

// What the queue keeps of draws under opaque ones: the parts it hands on,
// their sources, and whether a clear before them is still needed. That the
// parts give the same picture is the GL test's (GLContentDraw).
namespace {

constexpr std::array<int, 4> kScreen {0, 0, 512, 448};

QuadSpec Quad(float x, float y, std::array<int, 4> source, bool mirror = false, float rotation = 0.0f)
{
    QuadSpec spec;
    spec.x = x;
    spec.y = y;
    spec.textureWidth = 1024;
    spec.textureHeight = 1024;
    spec.source = source;
    spec.mirror = mirror;
    spec.rotationDegrees = rotation;
    return spec;
}

struct Result {
    bool covered = false;
    // Per part: texture, target x, y, source left, top, width, height.
    std::vector<std::array<int, 7>> parts;
    std::vector<bool> unblended;
};

Result Resolve(OcclusionQueue& queue)
{
    Result result;
    queue.Resolve(
        kScreen[2], kScreen[3], [&](bool covered) { result.covered = covered; },
        [&](const OcclusionQueue::Draw& part, bool unblended) {
            const auto [sx, sy, w, h] = part.spec.source;
            result.parts.push_back({int(part.texture), int(part.spec.x), int(part.spec.y), sx, sy, w, h});
            result.unblended.push_back(unblended);
        });
    return result;
}

TEST(OcclusionQueue, DrawsUnderAWholeOpaqueOneAreDroppedAndSoIsTheClear)
{
    OcclusionQueue queue;
    queue.Add(Quad(0, 0, kScreen), 1, false);
    queue.Add(Quad(30, 40, {0, 0, 64, 64}), 2, true);
    queue.Add(Quad(-10, -5, {10, 20, 530, 460}), 3, true);
    queue.Add(Quad(100, 100, {0, 0, 32, 32}), 4, false);
    const Result result = Resolve(queue);
    EXPECT_TRUE(result.covered);
    EXPECT_EQ(result.parts,
        (std::vector<std::array<int, 7>> {{3, -10, -5, 10, 20, 530, 460}, {4, 100, 100, 0, 0, 32, 32}}));
    EXPECT_EQ(result.unblended, (std::vector<bool> {true, false}));
    EXPECT_TRUE(queue.IsEmpty());
    const OcclusionQueue::Counts counts = queue.TakeCounts();
    EXPECT_EQ(counts.addedQuads, 4u);
    EXPECT_EQ(counts.drawnQuads, 2u);
    EXPECT_EQ(counts.addedPixels, 2u * 512 * 448 + 64 * 64 + 32 * 32);
    EXPECT_EQ(counts.drawnPixels, 512u * 448 + 32 * 32);
    EXPECT_EQ(queue.TakeCounts().addedQuads, 0u);
}

TEST(OcclusionQueue, PartlyCoveredDrawsAreCutToTheirUncoveredBandsByOpaqueUnrotatedCoversOnWholePixels)
{
    // A draw, a cover over part of it, and the draw's parts (target x, y,
    // source left, top, width, height) in the order they come; whether the
    // cover hides the whole target and is drawn unblended.
    struct Case {
        const char* name;
        QuadSpec under;
        QuadSpec cover;
        std::vector<std::array<int, 6>> parts;
        bool opaque = true, covered = false, unblended = true;
    };
    const Case cases[] = {
        {"lower half covered", Quad(0, 0, kScreen), Quad(0, 224, {0, 0, 512, 224}), {{0, 0, 0, 0, 512, 224}}},
        {"right part covered, bands merge", Quad(100, 10, {5, 7, 200, 40}), Quad(250, 0, {0, 0, 100, 100}),
            {{100, 10, 5, 7, 150, 40}}},
        {"a corner covered: the bands differ", Quad(0, 0, {0, 0, 100, 40}), Quad(50, 0, {0, 0, 60, 16}),
            {{0, 0, 0, 0, 50, 16}, {0, 16, 0, 16, 100, 24}}, true, false, false},
        {"off the target's left edge", Quad(-20, 0, {0, 0, 100, 16}), Quad(40, 0, {0, 0, 100, 16}),
            {{0, 0, 20, 0, 40, 16}}, true, false, false},
        {"a narrow covered gap is drawn over", Quad(0, 0, {0, 0, 100, 16}), Quad(40, 0, {0, 0, 10, 16}),
            {{0, 0, 0, 0, 100, 16}}, true, false, false},
        {"a wide covered gap splits the band", Quad(0, 0, {0, 0, 100, 16}), Quad(30, 0, {0, 0, 40, 16}),
            {{0, 0, 0, 0, 30, 16}, {70, 0, 70, 0, 30, 16}}, true, false, false},
        {"a rotated draw is kept whole", Quad(0, 0, {0, 0, 100, 16}, false, 30.0f), Quad(0, 0, kScreen),
            {{0, 0, 0, 0, 100, 16}}, true, true},
        {"a draw between pixels is kept whole", Quad(0.5f, 0, {0, 0, 100, 16}), Quad(0, 0, kScreen),
            {{0, 0, 0, 0, 100, 16}}, true, true},
        {"a turned cover hides nothing", Quad(10, 10, {0, 0, 40, 40}), Quad(0, 0, kScreen, false, 90.0f),
            {{10, 10, 0, 0, 40, 40}}, true, false, false},
        {"a cover between pixels hides nothing", Quad(10, 10, {0, 0, 40, 40}), Quad(0.5f, 0, kScreen),
            {{10, 10, 0, 0, 40, 40}}, true, false, false},
        {"a blended cover hides nothing", Quad(10, 10, {0, 0, 40, 40}), Quad(0, 0, kScreen),
            {{10, 10, 0, 0, 40, 40}}, false, false, false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        OcclusionQueue queue;
        queue.Add(test.under, 1, false);
        queue.Add(test.cover, 2, test.opaque);
        const Result result = Resolve(queue);
        std::vector<std::array<int, 6>> parts;
        for (size_t i = 0; i < result.parts.size(); ++i)
            if (const auto& part = result.parts[i]; part[0] == 1) {
                parts.push_back({part[1], part[2], part[3], part[4], part[5], part[6]});
                EXPECT_FALSE(result.unblended[i]);
            }
        EXPECT_EQ(parts, test.parts);
        EXPECT_EQ(result.covered, test.covered);
        ASSERT_FALSE(result.parts.empty());
        EXPECT_EQ(result.parts.back()[0], 2) << "the cover comes last, as drawn";
        EXPECT_EQ(result.unblended.back(), test.unblended);
    }
}

TEST(OcclusionQueue, PartsOfOneTextureComeTogetherOnlyPastPartsTheyDoNotOverlap)
{
    // Blended 20 x 20 draws, and the textures in the order handed on.
    struct At {
        unsigned texture;
        float x;
        float y = 0.0f;
        float rotation = 0.0f;
    };
    struct Case {
        const char* name;
        std::vector<At> draws;
        std::vector<int> order;
    };
    const Case cases[] = {
        {"apart: the second of texture 1 joins the first", {{1, 0}, {2, 100}, {1, 200}}, {1, 1, 2}},
        {"over the draw between: kept in order", {{1, 0}, {2, 100}, {1, 110}}, {1, 2, 1}},
        {"passes two groups to join", {{1, 0}, {2, 100}, {3, 200}, {1, 300}, {2, 400}}, {1, 1, 2, 2, 3}},
        {"a turned draw passes nothing and is passed by nothing", {{1, 0}, {2, 300, 300, 45.0f}, {1, 100}},
            {1, 2, 1}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        OcclusionQueue queue;
        for (const At& draw : test.draws)
            queue.Add(Quad(draw.x, draw.y, {0, 0, 20, 20}, false, draw.rotation), draw.texture, false);
        std::vector<int> order;
        for (const auto& part : Resolve(queue).parts)
            order.push_back(part[0]);
        EXPECT_EQ(order, test.order);
    }
}

} // namespace
