#include "enemies/EnemyFramework.h"
#include "engine/app/UsageObserver.h"

#include "characters/CharacterBoxes.h"
#include "characters/CharacterGameAccess.h"
#include "characters/CharacterObject.h"
#include "characters/Player.h"
#include "engine/platform/DebugOutput.h"
#include "engine/render/DXRenderEngine.h"
#include "engine/render/GE_Shake.h"
#include "engine/render/ShaderEffect_TimeDependent.h"
#include "scene/CollisionShape.h"
#include "scene/CollisionWorld.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"

#include <box2d/box2d.h>

#include <mutex>
#include <set>

namespace {

// A hit shake is dropped once its frame counter has passed this.
constexpr int kShakeFrames = 10;

// Frame collision-entry type of a solid wall box.
constexpr int kSolidBox = 0;

} // namespace

Point<int> GetBoxCenter(const Rect<int>& box)
{
    const double x = (static_cast<double>(box.x0) + static_cast<double>(box.x1)) * 0.5;
    const double y = (static_cast<double>(box.y0) + static_cast<double>(box.y1)) * 0.5;
    return Point<int>(static_cast<int>(x), static_cast<int>(y));
}

namespace Enemy {

std::unique_ptr<GraphicalObject> CloneGraphical(const std::string& name)
{
    CharacterGameAccess* game = GetCharacterGameAccess();
    GraphicalObject* copy = game != nullptr ? game->CloneGraphicalObject(name) : nullptr;
    if (copy == nullptr && game != nullptr) {
        // One warning per missing name, however many enemies ask for it.
        static std::mutex guard;
        static std::set<std::string> reported;
        const std::lock_guard<std::mutex> lock(guard);
        if (reported.insert(name).second)
            platform::DebugOutput("Warning: enemy graphical \"" + name + "\" is missing; drawn without it\n");
    }
    return std::unique_ptr<GraphicalObject>(copy);
}

Player* ThePlayer()
{
    CharacterGameAccess* game = GetCharacterGameAccess();
    return game != nullptr ? dynamic_cast<Player*>(game->GetPlayer()) : nullptr;
}

Layer* CollisionsLayer()
{
    CharacterGameAccess* game = GetCharacterGameAccess();
    return game != nullptr ? game->FindSceneLayer("Collisions") : nullptr;
}

CharacterObject* Create(const std::string& className)
{
    CharacterGameAccess* game = GetCharacterGameAccess();
    return game != nullptr ? game->CreateCharacter(className) : nullptr;
}

void Delete(CharacterObject* character)
{
    if (character == nullptr)
        return;
    CharacterGameAccess* game = GetCharacterGameAccess();
    if (game == nullptr || !game->DeleteCharacter(character))
        character->SetDead(true);
}

bool IsLive(const CharacterObject* character, const std::string& name)
{
    CharacterGameAccess* game = GetCharacterGameAccess();
    return character != nullptr && game != nullptr && game->IsLiveCharacter(character, name);
}

std::vector<GraphicalObject*> RelatedGraphicals(const std::string& text)
{
    CharacterGameAccess* game = GetCharacterGameAccess();
    return game != nullptr ? game->FindCharacterPrototypes(text) : std::vector<GraphicalObject*>();
}

Point<int> SizeOf(const CharacterObject& self, Point<int> stored)
{
    const GraphicalObject* current = self.GetCurrentGraphical();
    return current != nullptr ? current->GetSize() : stored;
}

void StartHitShake(CharacterObject& self)
{
    auto shake = std::make_unique<GE_Shake>();
    shake->SetAmplitude(0.0f, 1.0f);
    shake->SetVelocity(0.0f, 30.0f);
    self.SetDrawingEffect(std::move(shake));
}

bool ApplyDamage(CharacterObject& self, CharacterObject* attacker, int damage, bool shake)
{
    self.CharacterObject::ApplyDamage(attacker, damage);
    if (attacker == nullptr)
        return false;
    const int life = self.GetLife();
    self.SetLife(life > 0 ? life - damage : 0);
    if (self.GetLife() < 1)
        self.SetDead(true);
    if (shake && self.GetLife() > 0 && self.GetDrawingEffect() == nullptr)
        StartHitShake(self);
    return true;
}

void ReceiveHit(CharacterObject& self, CharacterObject* attacker, int kind, float amount, int weakKind)
{
    const bool weak = kind == weakKind;
    if (weak)
        self.SetPowerHit(kind);
    self.CharacterObject::ReceiveHit(attacker, kind, amount);
    if (weak && self.GetLife() >= 0)
        self.ApplyDamage(attacker, static_cast<int>(amount));
}

void StepGraphical(CharacterObject& self, GraphicalObject* before, double dt, Restart when)
{
    GraphicalObject* current = self.GetCurrentGraphical();
    if (current == nullptr)
        return;
    const bool changed = current != before;
    if (changed && when == Restart::BeforeStep)
        current->RestartAnimations(true);
    current->Update(dt);
    if (GraphicalEffect* effect = self.GetDrawingEffect()) {
        effect->Update();
        auto* shake = dynamic_cast<GE_Shake*>(effect);
        if (shake != nullptr && shake->GetFrameCount() > kShakeFrames)
            self.SetDrawingEffect(nullptr);
    }
    if (changed && when == Restart::AfterStep)
        current->RestartAnimations(true);
}

Point<float> ToPlayer(const CharacterObject& self)
{
    Player* player = ThePlayer();
    return player != nullptr ? player->GetCenter() - self.GetCenter() : Point<float>();
}

bool TouchesWall(const CharacterObject& self, Layer* collisions, bool anyKind)
{
    Level* level = collisions != nullptr ? collisions->GetLevel() : nullptr;
    if (level == nullptr || level->GetCollisionWorld() == nullptr)
        return false;
    const Point<int> at = self.GetPosition().ToInt();
    const Point<int> size = self.GetSize();
    const Rect<int> own(at.x, at.y + size.y - 1, at.x + size.x - 1, at.y);
    for (b2Fixture* fixture : level->QueryFixtures(own)) {
        const CollisionBodyRecord* record = CollisionWorld::GetRecord(fixture->GetBody());
        if (record == nullptr || record->instance == nullptr || record->instance->GetPrototype() == nullptr)
            continue;
        GraphicalObject* object = record->instance->GetPrototype();
        if (record->shapeIndex >= object->GetCollisionShapeCount())
            continue;
        auto* box = dynamic_cast<CollisionBox<int>*>(object->GetCollisionShape(record->shapeIndex));
        if (box == nullptr || (!anyKind && box->GetType() != kSolidBox))
            continue;
        const Rect<int> wall = CollisionBox<int>::GetMovedRect(
            box, record->instance->GetPosition(), object->GetCollisionCell(record->shapeIndex));
        if (BoxesOverlap(wall.Normalized(), own))
            return true;
    }
    return false;
}

Point<int> SpawnPointOr(CharacterObject& self, Point<int> fallback)
{
    GraphicalObject* current = self.GetCurrentGraphical();
    if (current == nullptr)
        return fallback;
    for (int i = 0; i < current->GetCollisionShapeCount(); ++i) {
        auto* box = dynamic_cast<CollisionBox<int>*>(current->GetCollisionShape(i));
        if (box == nullptr || box->GetType() != kSpawnPointBox || !current->IsCollisionShapeActive(i))
            continue;
        return GetBoxCenter(
            CollisionBox<int>::GetMovedRect(box, self.GetPosition(), current->GetCollisionCell(i)));
    }
    return fallback;
}

ShaderRes* FindShader(const std::string& name)
{
    NoteUse("effect", name);
    auto* engine = dynamic_cast<DXRenderEngine*>(g_RenderEngine);
    return engine != nullptr ? engine->FindShaderRes(name) : nullptr;
}

float StepLength(float speed, double dt)
{
    const float perSecond = speed * 32.0f;
    return static_cast<float>(static_cast<double>(perSecond) * dt * 0.001);
}

} // namespace Enemy
