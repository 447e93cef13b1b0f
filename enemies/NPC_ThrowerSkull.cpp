#include "enemies/NPC_ThrowerSkull.h"

#include "characters/CharacterBoxes.h"
#include "characters/Player.h"
#include "enemies/EnemyFramework.h"
#include "enemies/NpcTuning.h"
#include "enemies/Projectile_Thrower.h"
#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"

#include <utility>

NPC_ThrowerSkull::NPC_ThrowerSkull(std::string name)
    : NPC_FloatingSkull(std::move(name))
    , throwingLeft(Enemy::CloneGraphical("NPC_ThrowingSkull_GraphicalThrowingL"))
    , throwingRight(Enemy::CloneGraphical("NPC_ThrowingSkull_GraphicalThrowingR"))
{
    typeName = TypeNames::NPC_ThrowerSkull;
    SetSprites(Enemy::CloneGraphical("NPC_ThrowingSkull_GraphicalIdleL"),
        Enemy::CloneGraphical("NPC_ThrowingSkull_GraphicalIdleR"));
    life = 4;
    stateTimer = 1;
    previousState = 1;
    aggressive = false;
}

NPC_ThrowerSkull::~NPC_ThrowerSkull()
{
    currentGraphical = nullptr;
}

void NPC_ThrowerSkull::DeclareSounds()
{
    CharacterObject::DeclareSounds();
    DeclareSound("NPC_SkullThrower_Attack");
}

std::vector<GraphicalObject*> NPC_ThrowerSkull::GetRelatedGraphicalObjects()
{
    std::vector<GraphicalObject*> related = NPC_FloatingSkull::GetRelatedGraphicalObjects();
    for (GraphicalObject* g : Enemy::RelatedGraphicals("Projectile_Thrower"))
        related.push_back(g);
    return related;
}

bool NPC_ThrowerSkull::IsThrowing() const
{
    return currentGraphical != nullptr
        && (currentGraphical == throwingLeft.get() || currentGraphical == throwingRight.get());
}

void NPC_ThrowerSkull::Update(double dt)
{
    if (IsThrowing()) {
        // While it throws the skull stands still.
        currentGraphical->Update(dt);
        DamagePlayerOnContact();
    } else {
        // The skull's own contact step must not reset the throw countdown.
        const int countdown = stateTimer;
        NPC_FloatingSkull::Update(dt);
        stateTimer = countdown;
    }
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    Player* player = Enemy::ThePlayer();
    if (player != nullptr && currentGraphical != nullptr) {
        if (stateTimer > 0)
            --stateTimer;
        if (stateTimer == 0) {
            Rect<int> trigger = NpcTuning::Current().throwerTriggerZone;
            const float width = static_cast<float>(trigger.x1 - trigger.x0);
            trigger.Offset(
                (position + Point<float>(static_cast<float>(GetSize().x) * 0.5f - width * 0.5f, 0.0f))
                    .ToInt());
            Rect<int> body = player->GetBodyBox();
            body.Offset(player->GetPosition().ToInt());
            const bool throwing = IsThrowing();
            if (!throwing && BoxesOverlap(trigger, body)) {
                currentGraphical
                    = player->GetCenter().x >= GetCenter().x ? throwingRight.get() : throwingLeft.get();
                if (currentGraphical != nullptr)
                    currentGraphical->RestartAnimations(true);
            } else if (throwing && currentGraphical->IsAnimationFinished()) {
                Throw(*player);
            }
        }
    }
    UpdateSounds();
}

void NPC_ThrowerSkull::Throw(const CharacterObject& player)
{
    currentGraphical = SpriteFor(direction.x >= 0.0f);
    stateTimer = kThrowWait;
    const Point<int> s = GetSize();
    const Point<int> middle(static_cast<int>(s.x * 0.5), static_cast<int>(s.y * 0.5));
    const Point<int> spawn = Enemy::SpawnPointOr(*this, position.ToInt() + middle);
    if (auto* shot = Enemy::CreateAs<Projectile_Thrower>("Projectile_Thrower")) {
        shot->SetPosition(spawn.ToFloat() - Point<float>(static_cast<float>(shot->GetSize().x) * 0.5f, 0.0f));
        if (player.GetPosition().x < position.x) {
            const Point<float> d = shot->GetDirection();
            shot->SetDirection(Point<float>(-d.x, d.y));
        }
    }
    PlaySound("NPC_SkullThrower_Attack");
}
