#include "engine/app/FramePacing.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct PacingCase {
    const char* name;
    int delay;
    bool catchUp;
    std::vector<double> steps;
    // Expected accumulator after each pass, and which passes tick.
    std::vector<double> accumulators;
    std::vector<bool> ticks;
};

} // namespace

TEST(FramePacing, SequencesOfFrameTimes)
{
    const std::vector<PacingCase> cases = {
        {"16 ms passes with catch-up keep the remainder", 33, true, {16, 16, 16, 16, 16, 16, 16, 16},
            {16, 32, 15, 31, 14, 30, 13, 29}, {false, false, true, false, true, false, true, false}},
        {"50 ms passes without catch-up tick every pass and restart from 0", 33, false, {50, 50, 50},
            {0, 0, 0}, {true, true, true}},
        {"exactly one delay without catch-up keeps it", 33, false, {33, 10}, {33, 0}, {true, true}},
        // A long stall catches up one frame and keeps the remainder of the
        // division by the delay, not a backlog of ticks.
        {"a stall catches up one tick only", 33, true, {200, 10, 10}, {2, 12, 22}, {true, false, false}},
        {"a stall of whole delays leaves nothing", 33, true, {99, 1}, {0, 1}, {true, false}},
        {"a delay of 0 ticks every pass", 0, true, {5, 0, 7}, {5, 5, 12}, {true, true, true}},
    };
    for (const PacingCase& c : cases) {
        SCOPED_TRACE(c.name);
        FramePacing pacing;
        for (size_t i = 0; i < c.steps.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(pacing.Advance(c.steps[i], c.delay, c.catchUp), c.ticks[i]);
            if (i < c.accumulators.size()) {
                EXPECT_NEAR(pacing.accumulator, c.accumulators[i], 1e-4);
            }
        }
    }
}

TEST(FramePacing, TimeToTheNextTickCountsDownAndNeverGoesNegative)
{
    FramePacing pacing;
    EXPECT_DOUBLE_EQ(pacing.MillisecondsToNextTick(33), 33.0);
    pacing.Advance(20.0, 33, true);
    EXPECT_DOUBLE_EQ(pacing.MillisecondsToNextTick(33), 13.0);
    pacing.accumulator = 40.0;
    EXPECT_DOUBLE_EQ(pacing.MillisecondsToNextTick(33), 0.0);
}
