#include "bosses/NPC_Boss2_Snow.h"

#include "bosses/NPC_Boss2_Snow_Enemy.h"
#include "characters/CharacterBoxes.h"
#include "characters/Player.h"
#include "enemies/EnemyFramework.h"
#include "enemies/Projectile_Fire_Launcher.h"
#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Boss2_Snow.h"

#include <utility>

namespace {

constexpr int kNear = 1;
constexpr int kFar = 2;
constexpr float kDropHeight = 1024.0f;
constexpr float kImpMargin = 32.0f;
constexpr float kShake[4] = {2.0f, 5.0f, 2.0f, 2.0f};
constexpr int kShakeFrames = 30;

float Draw01(float instead)
{
    const float r = Boss::Random01();
    return r == 1.0f ? instead : r;
}

Rect<int> Zone(Point<int> p, int x0, int y0, int x1, int y1)
{
    return Rect<int>(p.x + x0, p.y + y1, p.x + x1, p.y + y0);
}

} // namespace

NPC_Boss2_Snow::NPC_Boss2_Snow(std::string name)
    : BossCharacter(std::move(name), "NPC_Boss2_Snow")
{
    typeName = TypeNames::NPC_Boss2_Snow;
    opening = sprites.Add("GraphicalOpening");
    shield = sprites.Add("GraphicalIdle_Attack");
    attackDown = sprites.Add("GraphicalAttack_Down");
    repulse = sprites.Add("GraphicalRepulse");
    dropEnemies = sprites.Add("GraphicalDrop_Enemies");
    currentGraphical = opening;
    // It waits on the first frame of its opening.
    if (opening != nullptr) {
        opening->RestartAnimations(false);
        opening->StopAnimations();
    }
    life = kLife;
    contactDamage = 2;
    state = kOpening;
    LoadSounds();
}

NPC_Boss2_Snow::~NPC_Boss2_Snow()
{
    currentGraphical = nullptr;
}

void NPC_Boss2_Snow::DeclareSounds()
{
    CharacterObject::DeclareSounds();
    for (const char* sound : {"NPC_Boss_Snow2_Scream", "NPC_Boss_Snow2_AttackIce", "NPC_Boss_Snow2_Shield",
             "NPC_Boss_Snow2_ScreamEnemy"})
        DeclareSound(sound);
}

std::vector<GraphicalObject*> NPC_Boss2_Snow::GetRelatedGraphicalObjects()
{
    return Boss::Related("Boss2_Snow");
}

bool NPC_Boss2_Snow::HandleScriptCommand(std::string command, std::string argument)
{
    if (Boss::IsCommand(command, "start") && state == kOpening && currentGraphical == opening
        && opening != nullptr && opening->GetAnimationFrame() == 0) {
        opening->RestartAnimations(false);
        return true;
    }
    return CharacterObject::HandleScriptCommand(std::move(command), std::move(argument));
}

int NPC_Boss2_Snow::ZoneOfPlayer() const
{
    Player* player = Boss::ThePlayer();
    if (player == nullptr)
        return 0;
    const Point<float> at = player->GetPosition();
    const Point<int> s = player->GetSize();
    const Rect<int> body(static_cast<int>(at.x), static_cast<int>(at.y + static_cast<float>(s.y) - 1.0f),
        static_cast<int>(at.x + static_cast<float>(s.x) - 1.0f), static_cast<int>(at.y));
    const Point<int> p(static_cast<int>(position.x), static_cast<int>(position.y));
    if (BoxesOverlap(body, Zone(p, 352, 192, 576, 384)) || body.y1 > p.y + 384)
        return kNear;
    if (BoxesOverlap(body, Zone(p, 576, 192, 992, 384)) || BoxesOverlap(body, Zone(p, 416, 0, 928, 192)))
        return kFar;
    return 0;
}

void NPC_Boss2_Snow::Show(GraphicalObject* sprite)
{
    currentGraphical = sprite;
}

void NPC_Boss2_Snow::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    if (exploding)
        return;
    GraphicalObject* before = currentGraphical;
    const bool opened = state != kOpening
        || (currentGraphical != nullptr && currentGraphical->GetAnimationFrame() != 0
            && currentGraphical->IsAnimationFinished());
    if (Boss::ThePlayer() != nullptr && opened) {
        if (state == kDropEnemies && --frameCounter == 0)
            DropEnemies();
        if (state == kAttackDown && --frameCounter == 0) {
            if (auto* spikes = Boss::CreateAs<Projectile_Fire_Launcher>("Projectile_Fire_Launcher")) {
                spikes->SetPosition(position + kSpikeStart);
                spikes->SetGraphicalBoss2Snow();
                spikes->SetDirection(Point<float>(1.0f, 0.0f));
            }
        }
        if (currentGraphical != nullptr && currentGraphical->IsAnimationFinished())
            ChooseNext();
        if (currentGraphical != before && currentGraphical != nullptr)
            currentGraphical->RestartAnimations(true);
    }
    DamagePlayerOnContact();
    position = position + direction * Enemy::StepLength(speed, dt);
    if (currentGraphical != nullptr)
        currentGraphical->Update(dt);
    UpdateSounds();
}

void NPC_Boss2_Snow::ChooseNext()
{
    const int zone = ZoneOfPlayer();
    if (zone == 0)
        return; // the finished animation is held until the player comes
    if (zone == kNear && state == kShield) {
        state = kDropEnemies;
        Show(dropEnemies);
        frameCounter = kDropDelay;
        PlaySound("NPC_Boss_Snow2_ScreamEnemy");
    } else if (zone == kFar && state == kShield) {
        state = kAttackDown;
        Show(attackDown);
        frameCounter = kSpikeDelay;
        PlaySound("NPC_Boss_Snow2_AttackIce");
    } else {
        state = kShield;
        Show(shield);
        PlaySound("NPC_Boss_Snow2_Shield");
    }
}

void NPC_Boss2_Snow::DropEnemies()
{
    const std::vector<CharacterObject*> zones = Boss::FindAll("snow2_enemies", nullptr, false);
    // Without a landing platform the imps would have nowhere to fall: none
    // are made, and the camera still shakes.
    if (!zones.empty() && Boss::FindAll("NPC_Boss2_Snow_Enemy", nullptr, true).size() < kMaxEnemies) {
        for (int i = 0; i < kEnemiesPerDrop; ++i) {
            auto* imp = Boss::CreateAs<NPC_Boss2_Snow_Enemy>("NPC_Boss2_Snow_Enemy");
            if (imp == nullptr)
                continue;
            CharacterObject* zone
                = zones[static_cast<size_t>(static_cast<float>(zones.size()) * Draw01(0.9f))];
            const float u = Draw01(0.99f);
            const Point<float> z = zone->GetPosition();
            imp->SetPosition(Point<float>(
                z.x + u * (static_cast<float>(zone->GetSize().x) - kImpMargin), z.y + kDropHeight));
            imp->SetOwner(zone);
        }
    }
    Boss::ShakeCamera(kShakeFrames, kShake[0], kShake[1], kShake[2], kShake[3]);
}

void NPC_Boss2_Snow::ApplyDamage(CharacterObject* attacker, int damage)
{
    CharacterObject::ApplyDamage(attacker, damage);
    if (attacker == nullptr)
        return;
    life = life > 0 ? life - damage : 0;
    if (life < 1)
        Boss::StartDeath(*this, true, 25.0f, 35.0f);
}

void NPC_Boss2_Snow::Die()
{
    CharacterObject::Die();
    for (CharacterObject* imp : Boss::FindAll("NPC_Boss2_Snow_Enemy", nullptr, false))
        imp->SetDead(true);
}

void Zone_NPCSpawner_Boss2_Snow::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_Boss2_Snow>(*this, x, y, {"NPC_Boss2_Snow", NPCSpawner::Naming::AfterPlacing});
}
