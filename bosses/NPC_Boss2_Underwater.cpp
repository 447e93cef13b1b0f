#include "bosses/NPC_Boss2_Underwater.h"

#include "bosses/Projectile_Boss2_Underwater.h"
#include "characters/Player.h"
#include "enemies/EnemyFramework.h"
#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Boss2_Underwater.h"

#include <cmath>
#include <cstdlib>
#include <utility>

int32_t NPC_Boss2_Underwater::pool = NPC_Boss2_Underwater::kPool;

namespace {

constexpr float kShotRise = 128.0f;
constexpr float kFan = 1.57f;
constexpr float kFanHalf = 0.785f;
constexpr int kFirstShotAfter = -6;
constexpr int kShotGap = 4;

const char* const kBossLooks[4] = {"BossIdleR", "BossAttackR", "BossIdleL", "BossAttackL"};

} // namespace

NPC_Boss2_Underwater::NPC_Boss2_Underwater(std::string name)
    : BossCharacter(std::move(name), "NPC_Boss2_Underwater")
{
    typeName = TypeNames::NPC_Boss2_Underwater;
    eggIdle = sprites.Add("EggIdle");
    eggOpen = sprites.Add("EggOpen");
    eggClose = sprites.Add("EggClose");
    eggAttack = sprites.Add("EggAttack");
    for (int rank = 0; rank < 3; ++rank)
        for (int k = 0; k < 4; ++k) {
            std::string look = kBossLooks[k];
            if (rank > 0)
                look += "_rank" + std::to_string(rank + 1);
            boss[rank][k] = sprites.Add(look);
        }
    currentGraphical = eggIdle;
    life = kEggLife;
    maxLife = kEggLife;
    state = kWaiting;
    SetDrawnFlagged(true);
    // Every egg made fills the shared pool again: the fight starts whole.
    pool = kPool;
    LoadSounds();
}

NPC_Boss2_Underwater::~NPC_Boss2_Underwater()
{
    currentGraphical = nullptr;
}

void NPC_Boss2_Underwater::DeclareSounds()
{
    CharacterObject::DeclareSounds();
    for (const char* sound :
        {"NPC_Boss_Under2_Proj", "NPC_Boss_Under2_Open", "NPC_Boss_Under2_Attack", "NPC_Boss_Under2_Destroy"})
        DeclareSound(sound);
}

std::vector<GraphicalObject*> NPC_Boss2_Underwater::GetRelatedGraphicalObjects()
{
    return Boss::Related("Boss2_Underwater");
}

int NPC_Boss2_Underwater::GetRank()
{
    if (pool > 30)
        return 1;
    return pool > 15 ? 2 : 3;
}

void NPC_Boss2_Underwater::DrawWait()
{
    frameCounter = 30 * static_cast<int>(5.0f * Boss::Random01LessOne() + 8.0f);
}

void NPC_Boss2_Underwater::MarkRandomEgg()
{
    // Drawn in double precision, so that r stays below 1 and some egg is
    // always marked.
    const double r = Boss::Random01LessOne();
    const std::vector<CharacterObject*> eggs = Boss::FindAll("NPC_Boss2_Underwater", nullptr, false);
    const auto chosen = static_cast<size_t>(static_cast<double>(eggs.size()) * r);
    for (size_t i = 0; i < eggs.size(); ++i)
        if (auto* egg = dynamic_cast<NPC_Boss2_Underwater*>(eggs[i]))
            egg->marked = i == chosen;
}

void NPC_Boss2_Underwater::ResetToStart()
{
    if (leader)
        MarkRandomEgg();
}

bool NPC_Boss2_Underwater::HandleScriptCommand(std::string command, std::string argument)
{
    if (Boss::IsCommand(command, "start")) {
        state = kClosed;
        DrawWait();
        return true;
    }
    return CharacterObject::HandleScriptCommand(std::move(command), std::move(argument));
}

void NPC_Boss2_Underwater::CloseEgg()
{
    currentGraphical = eggClose;
    if (eggClose != nullptr)
        eggClose->RestartAnimations(true);
    life = maxLife;
}

bool NPC_Boss2_Underwater::IsBossAttack(GraphicalObject* g) const
{
    for (const auto& looks : boss)
        if (g != nullptr && (g == looks[1] || g == looks[3]))
            return true;
    return false;
}

GraphicalObject* NPC_Boss2_Underwater::BossLook(int rank, bool attack, bool right) const
{
    return boss[rank - 1][(right ? 0 : 2) + (attack ? 1 : 0)];
}

void NPC_Boss2_Underwater::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    if (exploding)
        return;
    DamagePlayerOnContact();
    contactDamage = 2;
    GraphicalObject* before = currentGraphical;
    if (currentGraphical != nullptr) {
        if (state == kBossOut) {
            contactDamage = 3;
            if (--attackTimer == 0) {
                for (auto& looks : boss)
                    for (int side : {0, 2})
                        if (currentGraphical == looks[side])
                            currentGraphical = looks[side + 1];
                PlaySound("NPC_Boss_Under2_Attack");
            } else if (IsBossAttack(currentGraphical) && currentGraphical->IsAnimationFinished()) {
                for (CharacterObject* other : Boss::FindAll("NPC_Boss2_Underwater", this, false))
                    if (auto* egg = dynamic_cast<NPC_Boss2_Underwater*>(other))
                        if (egg->currentGraphical == egg->eggOpen && egg->eggOpen != nullptr) {
                            egg->CloseEgg();
                            egg->DrawWait();
                        }
                currentGraphical = eggIdle;
                state = kClosed;
                DrawWait();
                MarkRandomEgg();
            }
        }
        if (state == kClosed && (currentGraphical == eggIdle || currentGraphical == eggAttack)) {
            --frameCounter;
            if (frameCounter == 0) {
                burstSize = static_cast<int>(4.0f * Boss::Random01LessOne() + 3.0f);
                shotsLeft = burstSize;
                currentGraphical = eggAttack;
            } else if (frameCounter < kFirstShotAfter && std::abs(frameCounter) % kShotGap == 0) {
                if (shotsLeft > 0) {
                    --shotsLeft;
                    FireShot();
                } else {
                    DrawWait();
                    currentGraphical = eggIdle;
                }
            }
        } else if (state == kClosed && currentGraphical == eggClose && eggClose != nullptr
            && eggClose->IsAnimationFinished()) {
            currentGraphical = eggIdle;
            DrawWait();
        }
    }
    position = position + direction * Enemy::StepLength(speed, dt);
    if (currentGraphical != before && currentGraphical != nullptr)
        currentGraphical->RestartAnimations(true);
    if (currentGraphical != nullptr)
        currentGraphical->Update(dt);
    UpdateSounds();
}

void NPC_Boss2_Underwater::FireShot()
{
    CharacterObject* made = Boss::Create("Projectile_Boss2_Underwater", "Projectile_Boss2_Underwater", this);
    auto* shot = dynamic_cast<Projectile_Boss2_Underwater*>(made);
    if (shot == nullptr)
        return;
    const bool late = static_cast<float>(shotsLeft) < static_cast<float>(burstSize) * 0.5f;
    int kind = 0;
    switch (GetRank()) {
    case 2:
        kind = late ? 1 : 0;
        break;
    case 3:
        kind = late ? 1 + shotsLeft % 2 : 1;
        break;
    default:
        break;
    }
    shot->SetKind(kind);
    shot->SetPosition(GetTopCenter() + Point<float>(0.0f, kShotRise));
    Point<float> d(0.0f, 1.0f);
    Boss::RotateVector(d, kFan * Boss::Random01LessOne() - kFanHalf);
    shot->SetDirection(d);
    PlaySound("NPC_Boss_Under2_Proj");
}

void NPC_Boss2_Underwater::ApplyDamage(CharacterObject* attacker, int damage)
{
    CharacterObject::ApplyDamage(attacker, damage);
    if (attacker == nullptr)
        return;
    if (state == kClosed) {
        life = life > 0 ? life - damage : 0;
        if (life > 0)
            return;
        if (marked) {
            Player* player = Boss::ThePlayer();
            const bool right = player != nullptr && GetTopCenter().x < player->GetTopCenter().x;
            currentGraphical = BossLook(GetRank(), false, right);
            if (currentGraphical != nullptr)
                currentGraphical->RestartAnimations(true);
            attackTimer = static_cast<int>(3.0f * Boss::Random01LessOne() * 30.0f + 60.0f);
            state = kBossOut;
            PlaySound("NPC_Boss_Under2_Open");
        } else {
            currentGraphical = eggOpen;
            if (eggOpen != nullptr)
                eggOpen->RestartAnimations(true);
            PlaySound("NPC_Boss_Under2_Destroy");
        }
        life = maxLife;
        return;
    }
    if (state != kBossOut)
        return;
    --pool;
    if (pool > 0)
        return;
    // A blow on an egg already exploding (the pool already empty) starts
    // nothing again.
    if (!Boss::StartDeath(*this, true, 25.0f, 35.0f))
        return;
    for (CharacterObject* egg : Boss::FindAll("NPC_Boss2_Underwater", nullptr, false))
        Boss::StartDeath(*egg, false, 25.0f, 35.0f);
    for (CharacterObject* shot : Boss::FindAll("Projectile_Boss2_Underwater", nullptr, false))
        shot->SetDead(true);
}

void Zone_NPCSpawner_Boss2_Underwater::Instance::Spawn(int x, int y, Level* /*level*/)
{
    // The eggs keep their class name; one made while no egg is named
    // "NPC_Boss2_Underwater_0" leads (marks the boss's egg on its first
    // update), so in practice every egg does.
    NPCSpawner::Spawn<NPC_Boss2_Underwater>(
        *this, x, y, {"NPC_Boss2_Underwater", NPCSpawner::Naming::ClassName}, [](NPC_Boss2_Underwater& boss) {
            boss.leader = Boss::FindAll("NPC_Boss2_Underwater_0", nullptr, false).empty();
        });
}
