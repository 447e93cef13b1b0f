// One update frame of the cemetery's enemies: every live character updated
// by the game (states, moves, contact and wall tests, shots thrown and
// removed) and recorded as draw commands for the render thread. Run with
// 200, 2,000 and 20,000 enemies (crouching, strong, floating and thrower
// skulls, throwers and chained skulls, with their mouths, shots and flames)
// in a level with a floor of collision blocks; the player stands in the
// level but is not one of the characters the frame walks (the game moves
// it on its own), so there is no case of the player alone. Every look the
// enemies and their shots ask for is in the library, so every shot and
// flame ends as in play: after the warm-up the frame is in a steady cycle,
// the same whatever the number of iterations (the counter "characters" is
// the count after the last one). The frame is the function
// EnemyFrameOnce, which callgrind can count alone
// (scripts/enemy-frame-instructions.sh).

#include "characters/Player.h"
#include "enemies/NPC_FloatingSkull.h"
#include "engine/platform/DebugOutput.h"
#include "engine/render/DXRenderEngine.h"
#include "engine/render/RenderPoolManager.h"
#include "game/Game.h"
#include "scene/AnimatedSprite.h"
#include "scene/CollisionShape.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "scene/Sprite.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include <malloc.h>

namespace {

constexpr double kStep = 33.0;
constexpr int kLevelWidth = 4096;

// The looks the enemies ask the library for: (name, width, height, frames,
// finishing, spawn point box).
struct Look {
    const char* name;
    int width, height, frames;
    bool finish;
    bool spawnPoint;
};
const Look kLooks[] = {
    {"NPC_CrouchSkull_GraphicalWalkL", 48, 32, 4, false, false},
    {"NPC_CrouchSkull_GraphicalWalkR", 48, 32, 4, false, false},
    {"NPC_CrouchSkull_GraphicalDie", 48, 32, 6, true, false},
    {"NPC_CrouchSkull_Strong_GraphicalWalkL", 64, 48, 4, false, false},
    {"NPC_CrouchSkull_Strong_GraphicalWalkR", 64, 48, 4, false, false},
    {"NPC_CrouchSkull_Strong_GraphicalDie", 64, 48, 6, true, false},
    {"NPC_FloatingSkull_GraphicalIdleL", 40, 40, 4, false, false},
    {"NPC_FloatingSkull_GraphicalIdleR", 40, 40, 4, false, false},
    {"NPC_ThrowingSkull_GraphicalIdleL", 40, 40, 4, false, false},
    {"NPC_ThrowingSkull_GraphicalIdleR", 40, 40, 4, false, false},
    {"NPC_ThrowingSkull_GraphicalThrowingL", 40, 40, 5, true, true},
    {"NPC_ThrowingSkull_GraphicalThrowingR", 40, 40, 5, true, true},
    {"NPC_Thrower_GraphicalIdle", 48, 64, 4, false, false},
    {"NPC_Thrower_GraphicalDead", 48, 64, 6, true, false},
    {"NPC_Thrower_GraphicalAttack", 48, 64, 6, true, true},
    {"NPC_Thrower_GraphicalReload", 48, 64, 5, true, false},
    {"Projectile_Thrower_GraphicalIdleL", 16, 16, 4, false, false},
    {"Projectile_Thrower_GraphicalIdleR", 16, 16, 4, false, false},
    {"Projectile_Thrower_GraphicalTouch", 24, 24, 5, true, false},
    {"NPC_Chained_Skull_Graphical_Up", 64, 64, 2, false, false},
    {"NPC_Chained_Skull_Graphical_Mouth", 64, 64, 2, false, false},
    {"Projectile_Chained_Skull_GraphicalIdle", 16, 16, 2, false, false},
    // The flames a chained skull's shot leaves on the floor: without their
    // look a flame had no animation to finish, so none ever ended and the
    // frame grew with every iteration.
    {"Projectile_Chained_SkullFire_GraphicalIdle", 32, 32, 4, true, false},
};

// A library, a level of one floor and a player, owned together.
class Cemetery {
public:
    Cemetery()
        : level("bench.lvl")
    {
        engine.SetRenderPool(&pool);
        frame = new Sprite("frame", "bench.png", 0, 0, 63, 63);
        game.sprites.push_back(frame);
        for (const Look& look : kLooks)
            AddLook(look);
        auto* block = new GraphicalObject("Coll_cube_32");
        block->SetSize(32, 32, true);
        block->CollisionShapeAt(0) = std::make_unique<CollisionBox<int>>(0, 31, 31, 0, 0);
        game.sceneObjects.push_back(block);
        collisions = level.CreateLayer(Level::kScene, "Collisions", nullptr, kLevelWidth, 448, 32, 32);
        for (int x = 0; x < kLevelWidth; x += 32)
            collisions->AddGraphicalObject(block, static_cast<float>(x), 0.0f, true, -1);
        game.SetCurrentLevel(&level);
        auto player = std::make_unique<Player>("Player");
        player->SetPosition(Point<float>(kLevelWidth * 0.5f, 32.0f));
        game.SetPlayer(std::move(player));
    }
    ~Cemetery()
    {
        while (game.GetCharacterCount() > 0)
            game.DeleteCharacter(game.GetCharacter(game.GetCharacterCount() - 1));
        game.SetCurrentLevel(nullptr);
        engine.SetRenderPool(nullptr);
    }

    // n enemies spread over the floor, the kinds in turn.
    void Populate(int n)
    {
        const char* kinds[] = {"NPC_CrouchSkull", "NPC_CrouchSkull_Strong", "NPC_FloatingSkull",
            "NPC_ThrowerSkull", "NPC_Thrower", "NPC_Chained_Skull"};
        for (int i = 0; i < n; ++i) {
            const std::string kind = kinds[i % 6];
            CharacterObject* c = game.CreateCharacterByClass(kind, kind, nullptr);
            const float x = 64.0f + static_cast<float>(i) * (kLevelWidth - 128.0f) / static_cast<float>(n);
            c->SetPosition(Point<float>(x,
                kind.find("Skull") != std::string::npos && kind != "NPC_CrouchSkull"
                        && kind != "NPC_CrouchSkull_Strong"
                    ? 160.0f
                    : 32.0f));
            if (auto* skull = dynamic_cast<NPC_FloatingSkull*>(c)) {
                if (kind == "NPC_FloatingSkull")
                    skull->SetKind(0);
                skull->roamingRect = Rect<int>(static_cast<int>(x) - 128, 300, static_cast<int>(x) + 128, 64);
                skull->PickRandomDestination();
            }
        }
    }

    Game game;
    RenderPoolManager pool {false};

private:
    void AddLook(const Look& look)
    {
        auto* animation = new AnimatedSprite(look.name);
        for (int f = 0; f < look.frames; ++f)
            animation->AddFrame(frame, 100.0f, 0.0f);
        animation->SetLoopStart(look.finish ? -1 : 0);
        game.animatedSprites.push_back(animation);
        auto* object = new GraphicalObject(look.name);
        object->SetSize(look.width, look.height, true);
        object->AddAnimatedInstance(animation, 0, 0);
        object->AddGenericSpriteIndex(animation, 0);
        object->CollisionShapeAt(0)
            = std::make_unique<CollisionBox<int>>(2, look.height - 3, look.width - 3, 2, 6);
        if (look.spawnPoint)
            object->CollisionShapeAt(1) = std::make_unique<CollisionBox<int>>(
                look.width / 2 - 4, look.height - 4, look.width / 2 + 4, look.height - 12, 4);
        game.sceneObjects.push_back(object);
    }

    DXRenderEngine engine;
    Sprite* frame = nullptr; // the game's
    Level level;
    Layer* collisions = nullptr;
};

// One update frame, then its recording; the number of commands recorded.
[[gnu::noinline]] size_t EnemyFrameOnce(Cemetery& cemetery)
{
    cemetery.pool.ClearCurrentFrame();
    cemetery.game.UpdateCharacters(false, kStep);
    for (size_t i = 0; i < cemetery.game.GetCharacterCount(); ++i)
        cemetery.game.GetCharacter(i)->Draw(nullptr, Point<int>(0, 448));
    return cemetery.pool.GetFillCommands().size();
}

void BM_EnemyFrame(benchmark::State& state)
{
    platform::SetDebugSink([](std::string_view) {});
    Cemetery cemetery;
    // The heap each enemy holds (its object, the looks it copies from the
    // library, their instances and shapes): the data its frame walks.
    const size_t heapBefore = mallinfo2().uordblks;
    cemetery.Populate(static_cast<int>(state.range(0)));
    const double bytesPerEnemy
        = static_cast<double>(mallinfo2().uordblks - heapBefore) / static_cast<double>(state.range(0));
    // Into the steady state: shots in the air, skulls on their way.
    for (int i = 0; i < 300; ++i)
        EnemyFrameOnce(cemetery);
    size_t recorded = 0;
    for (auto _ : state) {
        recorded = EnemyFrameOnce(cemetery);
        benchmark::DoNotOptimize(recorded);
    }
    state.counters["characters"] = static_cast<double>(cemetery.game.GetCharacterCount());
    state.counters["commands"] = static_cast<double>(recorded);
    state.counters["bytes_per_enemy"] = bytesPerEnemy;
    platform::SetDebugSink({});
}
BENCHMARK(BM_EnemyFrame)->Arg(200)->Arg(2000)->Arg(20000)->Unit(benchmark::kMicrosecond);

} // namespace
