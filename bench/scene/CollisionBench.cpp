#include "characters/CharacterObject.h"
#include "scene/CharacterCollision.h"
#include "scene/CollisionShape.h"

#include <benchmark/benchmark.h>
#include <box2d/box2d.h>

namespace {

// The swept box test runs for every pair of a moving character's box and the
// boxes of the objects around it, every update frame.
void BM_CollisionBoxSweep(benchmark::State& state)
{
    CollisionBox<int> standing(0, 31, 31, 0);
    CollisionBox<int> moving(0, 31, 31, 0);
    Point<float> push;
    float dx = -20.0f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(standing.Collide(&moving, dx, -3.0f, 0.0f, 0.0f, 42.0f, 5.0f, &push));
        benchmark::DoNotOptimize(push);
    }
}
BENCHMARK(BM_CollisionBoxSweep);

// One character box against one polygon fixture of the collision world.
void BM_CharacterAgainstPolygon(benchmark::State& state)
{
    b2World world(b2Vec2(0.0f, 10.0f));
    b2BodyDef def;
    b2Body* body = world.CreateBody(&def);
    b2PolygonShape shape;
    shape.SetAsBox(1.6f, 0.4f, b2Vec2(1.6f, 0.4f), 0.0f);
    b2Fixture* fixture = body->CreateFixture(&shape, 0.0f);
    CharacterObject character; // owns its shapes
    character.GetCollisionShape().push_back(new CollisionBox<int>(0, 31, 15, 0));
    character.SetPosition(Point<float>(40.0f, 35.0f));
    const Point<float> fall(0.0f, -10.0f);
    Point<float> result;
    for (auto _ : state) {
        benchmark::DoNotOptimize(CollideCharacterWithPolygon(&character, fixture, &fall, &result));
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_CharacterAgainstPolygon);

} // namespace
