#include "characters/LocalParticleSystem.h"

#include "characters/Particle.h"
#include "engine/serial/LineReaders.h"
#include "engine/serial/ReaderContext.h"
#include "tests/characters/CharacterTestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

class LocalRecord : public testing::Test {
protected:
    LocalRecord() { game.graphicals = {{"Spark", &spark}, {"Ember", &ember}}; }

    // Reads a record the way the game library does: the class line first,
    // then the system's own reader, with file and line kept.
    bool Read(const std::string& text, LocalParticleSystem& into, std::string* error = nullptr)
    {
        std::istringstream in(text);
        ReaderContext context(in, "gamelib.txt");
        std::string className;
        if (!ReadTextLine(in, className) || className != "LocalParticleSystemV0")
            return false;
        const bool ok = into.UnSerialize(in);
        if (error != nullptr)
            *error = context.GetError();
        return ok;
    }

    // The record, with the given line (1-based) replaced.
    std::string Good(int replaceLine = 0, const std::string& with = "")
    {
        const char* lines[] = {"LocalParticleSystemV0", "Embers", "3", "2", "GraphicalObjectV0Ptr", "Spark",
            "GraphicalObjectV0Ptr", "Ember", "LocalParticleSystemV0", "1", "250", "260", "1.5", "2.5", "3",
            "4.25", "12", "13", "-0.6", "0.8", "15", "-1", "-2", "1", "-0.5", "0.125", "0", "0", "7", "5",
            "6", "4", "3", "1", "GraphicalObjectV0Ptr", "Ember"};
        std::string text;
        int number = 1;
        for (const char* line : lines) {
            text += (number == replaceLine ? with : std::string(line)) + "\r\n";
            ++number;
        }
        return text;
    }

    charactertest::FakeCharacterGame game;
    GraphicalObject spark {"Spark"};
    GraphicalObject ember {"Ember"};
};

TEST_F(LocalRecord, ARecordRoundTripsLineForLine)
{
    LocalParticleSystem system;
    ASSERT_TRUE(Read(Good(), system));
    EXPECT_EQ(system.GetName(), "Embers");
    EXPECT_EQ(system.GetParticles().size(), 3u);
    EXPECT_TRUE(system.GetLive().empty()); // templates, not started
    EXPECT_EQ(system.GetPoolSize(), 0u);
    EXPECT_EQ(system.GetSprites(), (std::vector<GraphicalObject*> {&spark, &ember}));
    EXPECT_EQ(system.GetExtraSprites(), std::vector<GraphicalObject*> {&ember});
    EXPECT_TRUE(system.IsInFront());
    EXPECT_EQ(system.GetFadeStart(), 250.0f);
    EXPECT_EQ(system.GetLifetime(), 260.0f);
    EXPECT_EQ(system.GetArea(), Point<int>(4, 3));

    std::ostringstream written;
    ASSERT_TRUE(system.Serialize(written));
    EXPECT_EQ(written.str(), Good());

    // A copy runs with the same parameters and writes the same record but
    // for its direction, which starting normalised.
    std::unique_ptr<LocalParticleSystem> copy(LocalParticleSystem::CopyConstruct(system));
    EXPECT_EQ(copy->GetLive().size(), 3u);
    EXPECT_NEAR(copy->GetEmitDirection().Length(), 1.0f, 1e-6f);

    // The skip flag writes nothing.
    system.SetSkipSerialize(true);
    std::ostringstream skipped;
    EXPECT_TRUE(system.Serialize(skipped));
    EXPECT_TRUE(skipped.str().empty());
}

// A record of no particles reads: its copies start nothing and are empty
// at once.
TEST_F(LocalRecord, ARecordOfNoParticlesReadsAndItsCopiesAreEmpty)
{
    LocalParticleSystem system;
    ASSERT_TRUE(Read(Good(3, "0"), system));
    EXPECT_TRUE(system.GetParticles().empty());
    EXPECT_EQ(system.GetSprites().size(), 2u);
    std::unique_ptr<LocalParticleSystem> copy(LocalParticleSystem::CopyConstruct(system));
    EXPECT_TRUE(copy->IsEmpty());
    copy->Update(33.0);
    EXPECT_EQ(copy->EmitParticle(), nullptr);
}

// Damaged records: the error names the file and the line, and the system
// keeps what it had.
TEST_F(LocalRecord, BadCountsAndSizesAreReportedAndLeaveTheSystemAlone)
{
    const struct {
        const char* what;
        int line;
        const char* text;
        int errorLine = 0;
    } cases[] = {
        // The base record counts only its name: a sprite count it skips
        // leaves the references to be met as the local system's own lines.
        {"a sprite count beyond the limit", 4, "5000", 6},
        {"a float that is no number", 15, "fast"},
        {"an area beyond every level", 32, "99999999"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        LocalParticleSystem system;
        ASSERT_TRUE(Read(Good(), system));
        std::string error;
        EXPECT_FALSE(Read(Good(c.line, c.text), system, &error));
        const int errorLine = c.errorLine != 0 ? c.errorLine : c.line;
        EXPECT_EQ(error.rfind("gamelib.txt:" + std::to_string(errorLine) + ": ", 0), 0u) << error;
        EXPECT_EQ(system.GetName(), "Embers");
        EXPECT_EQ(system.GetParticles().size(), 3u);
        EXPECT_EQ(system.GetLifetime(), 260.0f);
        EXPECT_EQ(system.GetArea(), Point<int>(4, 3));
    }

    // The particle count and a reference's tag do not count: the record
    // reads without them. A lifetime of 0 or less and an area of negative
    // half extents are values like any other.
    const struct {
        const char* what;
        int line;
        const char* text;
        size_t particles;
    } lenient[] = {
        {"a zero lifetime", 12, "0", 3},
        {"a negative lifetime", 12, "-30", 3},
        {"a negative area", 32, "-4", 3},
        {"a negative particle count", 3, "-2", 0},
        {"too many particles", 3, "100000", 0},
        {"a count that is no number", 3, "many", 0},
        {"a reference tag without \"Ptr\"", 5, "Spark", 3},
    };
    for (const auto& c : lenient) {
        SCOPED_TRACE(c.what);
        LocalParticleSystem system;
        std::string error;
        EXPECT_TRUE(Read(Good(c.line, c.text), system, &error));
        EXPECT_EQ(error, "");
        EXPECT_EQ(system.GetParticles().size(), c.particles);
        EXPECT_EQ(system.GetSprites(), (std::vector<GraphicalObject*> {&spark, &ember}));
    }

    // Cut short at every line: never read, never a crash.
    const std::string whole = Good();
    size_t end = 0;
    int cuts = 0;
    while ((end = whole.find("\r\n", end + 1)) != std::string::npos && end + 2 < whole.size()) {
        LocalParticleSystem system;
        EXPECT_FALSE(Read(whole.substr(0, end + 2), system)) << "cut after byte " << end;
        ++cuts;
    }
    EXPECT_EQ(cuts, 35);
}

} // namespace
