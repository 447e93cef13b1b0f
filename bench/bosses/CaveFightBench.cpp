// The update frames of a cave fight in its level of the assembled world:
// every live character updated by the game (the boss, its parts, pools and
// every projectile in play) and recorded as draw commands for the render
// thread. Each fight runs beside the same level without its boss (every
// character of the fight removed after the load, the level then run on
// until the removal has settled), in one run, so the difference is the
// fight's own cost.
//
// An iteration is the fight's first minute: the level entered anew and the
// fight started from the same seed, then kFightFrames frames timed. The
// player here strikes nothing, so a fight never settles: the eye calls up
// another floating eye at every blue phase and none dies (over 500 live
// after 100,000 frames), and a frame timed over a longer stretch cost more
// the longer the run. A fixed stretch from a fixed start costs the same
// for any number of iterations; the counter "frame" is its mean frame (in
// CPU seconds), "in fight" the fight's characters at its end.

#include "characters/Player.h"
#include "engine/platform/DebugOutput.h"
#include "engine/platform/Random.h"
#include "engine/render/DXRenderEngine.h"
#include "engine/render/RenderPoolManager.h"
#include "engine/serial/ReaderContext.h"
#include "game/Game.h"
#include "scene/Level.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

constexpr double kStep = 33.0;
// A minute of play at the game's step of 33 ms.
constexpr int kFightFrames = 1800;
constexpr uint32_t kFightSeed = 81;
// Frames run after a fight's characters are removed, before the level
// without them is timed: the removal of a pool of hundreds is not the
// level's own cost.
constexpr int kSettleFrames = 600;

// A fight: its level, where the player stands, what starts it and which
// characters belong to it.
struct Fight {
    const char* level;
    float playerX, playerY;
    const char* boss;
    const char* command;
    // Characters whose class or name holds one of these belong to the fight.
    const char* kinds[3];
};

const Fight kFights[] = {
    {"cave_02.lvl", 20 * 32.0f, 64.0f, "NPC_Boss_Cave__HEADS_MANAGER", "start",
        {"NPC_Boss_Cave", "Projectile_Boss_Cave", nullptr}},
    {"cave_03.lvl", 15 * 32.0f, 64.0f, "boss_cave2", "start",
        {"Boss2_Cave", "Projectile_Boss2_Boat", "NPC_FloatingSkull"}},
};

bool BelongsTo(const Fight& fight, CharacterObject* c)
{
    for (const char* kind : fight.kinds)
        if (kind != nullptr
            && (c->GetVersionedClassName().find(kind) != std::string::npos
                || c->GetName().find(kind) != std::string::npos))
            return true;
    return false;
}

// The game started in the world's folder as the program starts it, its
// library loaded; Enter takes it into the fight's level.
class Arena {
public:
    explicit Arena(const Fight& f)
        : fight(f)
    {
        previous = std::filesystem::current_path();
        std::filesystem::current_path(QUENHOLT_WORLD_DIR);
        engine.SetRenderPool(&pool);
        RunSettings();
        std::ifstream library("gamelib.txt", std::ios::binary);
        ReaderContext context(library, "gamelib.txt");
        ready = game.UnSerialize(library);
        RunSettings();
        game.frameDelay = 0;
    }
    ~Arena()
    {
        engine.SetRenderPool(nullptr);
        std::filesystem::current_path(previous);
    }

    // The level entered anew, as a level change does: whether it loaded.
    bool Enter() { return ready && game.ChangeLevel(fight.level) && game.GetPlayer() != nullptr; }
    // The fight started, or every character of it gone and the level run
    // on until what their removal left has settled.
    void Prepare(bool withBoss)
    {
        game.console.ExecuteCommand("god 1");
        // The fight's first updates (its set-up) before the script starts it.
        for (int i = 0; i < 5; ++i)
            Frame();
        if (withBoss) {
            if (CharacterObject* boss = game.FindCharacterByName(fight.boss, nullptr))
                boss->HandleScriptCommand(fight.command, "");
        } else {
            for (size_t i = 0; i < game.GetCharacterCount(); ++i)
                if (BelongsTo(fight, game.GetCharacter(i)))
                    game.GetCharacter(i)->SetDead(true);
            for (int i = 0; i < kSettleFrames; ++i)
                Frame();
        }
    }
    // One update frame, the player held in the arena, then its recording.
    size_t Frame()
    {
        game.GetPlayer()->SetPosition(Point<float>(fight.playerX, fight.playerY));
        pool.ClearCurrentFrame();
        game.UpdateCharacters(false, kStep);
        for (size_t i = 0; i < game.GetCharacterCount(); ++i)
            game.GetCharacter(i)->Draw(nullptr, Point<int>(0, 448));
        return pool.GetFillCommands().size();
    }
    size_t FightCharacters()
    {
        size_t count = 0;
        for (size_t i = 0; i < game.GetCharacterCount(); ++i)
            count += BelongsTo(fight, game.GetCharacter(i)) && game.GetCharacter(i)->IsEnabled() ? 1 : 0;
        return count;
    }

    RenderPoolManager pool {false};
    DXRenderEngine engine;
    Game game;

private:
    void RunSettings()
    {
        std::ifstream settings("init_vars.txt", std::ios::binary);
        game.RunCommandFile(settings, "init_vars.txt");
    }

    const Fight& fight;
    std::filesystem::path previous;
    bool ready = false;
};

// Argument: the fight; second argument 1 with its boss, 0 without.
void BM_CaveFightFrame(benchmark::State& state)
{
    platform::SetDebugSink([](std::string_view) {});
    const Fight& fight = kFights[state.range(0)];
    Arena arena(fight);
    size_t recorded = 0;
    for (auto _ : state) {
        // Every iteration plays the same frames: the level and the game's
        // chance start alike.
        state.PauseTiming();
        const platform::ScopedRandomSeed seed(kFightSeed);
        if (!arena.Enter()) {
            state.ResumeTiming();
            state.SkipWithError((std::string("the world has no ") + fight.level).c_str());
            break;
        }
        arena.Prepare(state.range(1) != 0);
        state.ResumeTiming();
        for (int i = 0; i < kFightFrames; ++i)
            recorded = arena.Frame();
        benchmark::DoNotOptimize(recorded);
    }
    state.SetLabel(std::string(fight.level) + (state.range(1) != 0 ? " with its boss" : " without its boss"));
    state.counters["frame"] = benchmark::Counter(static_cast<double>(kFightFrames),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["characters"] = static_cast<double>(arena.game.GetCharacterCount());
    state.counters["in fight"] = static_cast<double>(arena.FightCharacters());
    state.counters["commands"] = static_cast<double>(recorded);
    platform::SetDebugSink({});
}
BENCHMARK(BM_CaveFightFrame)
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond);

} // namespace
