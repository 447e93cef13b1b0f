#include "characters/Projectile_Crossbow.h"

#include "characters/Player.h"
#include "characters/PlayerTuning.h"
#include "characters/PlayerWorld.h"
#include "scene/CollisionShape.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"

#include <algorithm>

namespace {

bool CountsAsKill(CharacterObject* c)
{
    const std::string n = c->GetName();
    return n.find("NPC_Boss") == std::string::npos && n.find("Projectile_") == std::string::npos;
}

float DiagonalSquared(const GraphicalObject* g)
{
    const Point<int> s = g->GetSize();
    return static_cast<float>(s.x * s.x + s.y * s.y);
}

} // namespace

int Projectile_Crossbow::DamageOfLevel(int level)
{
    return level >= 1 && level <= 3 ? level + 2 : 0;
}

std::array<std::string, 4> Projectile_Crossbow::GraphicalNames(int level)
{
    const std::string base = level == 2 ? "Projectile_CrossbowR2"
        : level == 3                    ? "Projectile_CrossbowR3"
                                        : "Projectile_Crossbow";
    return {base + "_GraphicalIdleL", base + "_GraphicalIdleR", base + "_GraphicalTouchL",
        base + "_GraphicalTouchR"};
}

Projectile_Crossbow::Projectile_Crossbow(std::string name)
    : CharacterObject(std::move(name))
{
    typeName = TypeNames::Projectile_Crossbow;
    SetDropsItems(0);
    PlayerWorld* world = GetPlayerWorld();
    if (world != nullptr) {
        Player* player = world->GetPlayer();
        const auto names = GraphicalNames(player != nullptr ? player->crossbowLevel : 1);
        idleLeft.reset(world->CloneGraphical(names[0]));
        idleRight.reset(world->CloneGraphical(names[1]));
        touchLeft.reset(world->CloneGraphical(names[2]));
        touchRight.reset(world->CloneGraphical(names[3]));
    }
    if (idleLeft && idleRight && touchLeft && touchRight) {
        const Point<int> s = touchRight->GetSize();
        ownBox = std::make_unique<CollisionBox<int>>(0, s.y - 1, s.x - 1, 0, 0);
        collisionShapes.push_back(ownBox.get());
    }
    currentGraphical = idleLeft.get();
    speed = PlayerTuning::Current().crossbowSpeed;
    LoadSounds();
}

Projectile_Crossbow::~Projectile_Crossbow()
{
    collisionShapes.clear();
}

void Projectile_Crossbow::DeclareSounds()
{
    UnloadSounds(true);
    for (const char* soundName : {"Crossbow_Idle", "Crossbow_Break", "Crossbow2_Idle", "Crossbow3_Idle"})
        DeclareSound(soundName);
    deathSoundIndex = 1;
}

Point<int> Projectile_Crossbow::GetSize() const
{
    return currentGraphical != nullptr ? currentGraphical->GetSize() : size;
}

void Projectile_Crossbow::Break()
{
    dead = true;
    PlayCharacterHitSound(this);
}

bool Projectile_Crossbow::BreaksOnCollisions(Level* level)
{
    Layer* collisions = level != nullptr ? level->GetLayer(Level::kScene, "Collisions") : nullptr;
    if (collisions == nullptr)
        return false;
    // The bolt's own box where it stands, against the level's collision
    // world: any solid box or line there breaks it.
    Point<float> from;
    Point<float> to;
    GetLeadingEdge(from, to, Point<float>());
    int kind = 0;
    Point<float> push;
    return collisions->CollideCharacter(0, this, from.ToInt(), to.ToInt(), 0.0f, 0.0f, &kind, &push);
}

void Projectile_Crossbow::Update(double dt)
{
    ++frameCounter;
    PlayerWorld* world = GetPlayerWorld();
    Player* player = world != nullptr ? world->GetPlayer() : nullptr;
    if (player != nullptr) {
        const std::vector<Rect<int>> boxes = GetAttackBoxes();
        Rect<int> box = boxes.empty() ? Rect<int>() : boxes.front();
        box.Offset(Point<int>(static_cast<int>(position.x), static_cast<int>(position.y)));
        bool ended = false;
        if (state == 0 && currentGraphical != nullptr) {
            for (size_t i = 0; i < world->GetCharacterCount() && !ended; ++i) {
                CharacterObject* c = world->GetCharacter(i);
                if (c == nullptr || c == this || c == player)
                    continue;
                const Point<float> d = c->GetPosition() - position;
                const float dist = d.x * d.x + d.y * d.y;
                const bool near = dist <= DiagonalSquared(currentGraphical)
                    || (c->GetCurrentGraphical() != nullptr
                        && dist <= DiagonalSquared(c->GetCurrentGraphical()));
                if (!near || std::find(struck.begin(), struck.end(), c) != struck.end())
                    continue;
                if (!c->IsHitByAttack(box, false))
                    continue;
                const int before = c->GetLife();
                c->ApplyDamage(this, DamageOfLevel(player->crossbowLevel));
                if (c->GetLife() != before) {
                    PlayCharacterHitSound(c);
                    if (c->GetLife() <= 0 && CountsAsKill(c)) {
                        world->CountAchievement("Invincible");
                        ++killCount;
                        world->RaiseAchievementTo("Scythe of Death", killCount);
                    }
                }
                struck.push_back(c);
                if (c->IsAlive()) {
                    Break();
                    ended = true;
                }
            }
            if (!ended && BreaksOnCollisions(world->GetLevel()))
                Break();
        }
        if (state == 1 && (currentGraphical == nullptr || currentGraphical->IsAnimationFinished()))
            dead = true;
    }
    if (state != 1)
        position += direction * static_cast<float>(speed * 32.0 * dt * 0.001);
    GraphicalObject* chosen = state == 0 ? (direction.x >= 0.0f ? idleRight.get() : idleLeft.get()) : nullptr;
    if (chosen != currentGraphical && chosen != nullptr)
        chosen->RestartAnimations(false);
    currentGraphical = chosen;
    if (currentGraphical != nullptr)
        currentGraphical->Update(dt);
    previousState = state;
    if (frameCounter > kFrameLimit && state == 0)
        dead = true;
    UpdateSounds();
}
