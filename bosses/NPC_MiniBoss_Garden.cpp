#include "bosses/NPC_MiniBoss_Garden.h"

#include "characters/CharacterBoxes.h"
#include "characters/Player.h"
#include "scene/GraphicalObject.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_MiniBoss_Garden.h"

#include <utility>

namespace {

constexpr int kLife = 20;
constexpr int kContactDamage = 2;
constexpr int kHiddenFrames = 30;
// The body keeps 128 pixels from the far side of the ground.
constexpr int kBodyWidth = 128;
constexpr float kExplosionHeadStart = 25.0f;
constexpr float kExplosionSwitchTime = 35.0f;

} // namespace

NPC_MiniBoss_Garden::NPC_MiniBoss_Garden(std::string name)
    : BossCharacter(std::move(name), "NPC_MiniBoss_Garden")
{
    typeName = TypeNames::NPC_MiniBoss_Garden;
    spriteBody = sprites.Add("GraphicalBody");
    spriteBodyDie = sprites.Add("GraphicalBody_Die");
    spriteBottom = sprites.Add("GraphicalBottom");
    life = kLife;
    contactDamage = kContactDamage;
    stateTimer = 1;
    LoadSounds();
}

void NPC_MiniBoss_Garden::DeclareSounds()
{
    CharacterObject::DeclareSounds();
    DeclareSound("NPC_Miniboss_Garden_Move");
}

std::vector<GraphicalObject*> NPC_MiniBoss_Garden::GetRelatedGraphicalObjects()
{
    return Boss::Related("MiniBoss_Garden");
}

void NPC_MiniBoss_Garden::ResetToStart()
{
    PickNextRise();
}

void NPC_MiniBoss_Garden::PickNextRise()
{
    const double r1 = Boss::Random01();
    const double r2 = Boss::Random01();
    riseCount = static_cast<int>(3.0 + r1 * 0.95 * 3.0);
    const int width = area.x1 - area.x0;
    targetX = static_cast<int>(r2 * (width - kBodyWidth) + area.x0);
}

void NPC_MiniBoss_Garden::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    if (exploding)
        return;
    GraphicalObject* before = currentGraphical;
    if (Player* player = Boss::ThePlayer()) {
        const Point<float> at = player->GetPosition();
        const Point<int> size = player->GetSize();
        const Rect<int> box(static_cast<int>(at.x), static_cast<int>(at.y + size.y - 1),
            static_cast<int>(at.x + size.x - 1), static_cast<int>(at.y));
        const float centreX = at.x + size.x * 0.5f;
        if (BoxesOverlap(box, area) && life > 0 && --stateTimer == 0) {
            if (riseCount == 0) {
                PlaySound("NPC_Miniboss_Garden_Move");
                state = kBodyOut;
                currentGraphical = spriteBody;
                const int height = spriteBody != nullptr ? spriteBody->GetSize().y : 0;
                position
                    = Point<float>(static_cast<float>(targetX), static_cast<float>(area.y0 - height - 1));
                PickNextRise();
            } else {
                --riseCount;
                state = kBottomOut;
                currentGraphical = spriteBottom;
                const int half = spriteBottom != nullptr ? spriteBottom->GetSize().x / 2 : 0;
                position = Point<float>(centreX - static_cast<float>(half), static_cast<float>(area.y1));
            }
        }
    }
    if (currentGraphical != before && currentGraphical != nullptr)
        currentGraphical->RestartAnimations(true);
    DamagePlayerOnContact();
    if (currentGraphical != nullptr && currentGraphical->IsAnimationFinished() && life > 0) {
        currentGraphical = nullptr;
        stateTimer = kHiddenFrames;
    }
    Boss::Move(*this, speed, dt);
    if (currentGraphical != nullptr)
        currentGraphical->Update(dt);
    UpdateSounds();
}

void NPC_MiniBoss_Garden::ApplyDamage(CharacterObject* attacker, int damage)
{
    CharacterObject::ApplyDamage(attacker, damage);
    if (attacker == nullptr)
        return;
    life = life > 0 ? life - damage : 0;
    // Its pieces are cut from the body, whatever part is showing.
    if (life <= 0)
        Boss::StartDeathFrom(*this, spriteBody, false, kExplosionHeadStart, kExplosionSwitchTime);
}

void Zone_NPCSpawner_MiniBoss_Garden::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_MiniBoss_Garden>(*this, x, y,
        {"NPC_MiniBoss_Garden", NPCSpawner::Naming::WhenNamed, &NPC_MiniBoss_Garden::area,
            NPCSpawner::Area::R});
}
