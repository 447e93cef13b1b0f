#include "bosses/NPC_Boss_Ultimate.h"

#include "bosses/BossFrame.h"
#include "bosses/Projectile_Boss_Ultimate.h"
#include "characters/CharacterBoxes.h"
#include "characters/Player.h"
#include "enemies/EnemyFramework.h"
#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"
#include "scene/SceneObjectHandle.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Boss_Ultimate.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace {

constexpr const char* kSpriteNames[] = {"Step1_Idle", "Step1_Attack", "Step1_Dead", "Step2_Idle_Wait",
    "Step2_Idle", "Step2_Attack", "Step2_Dead", "Step3_Appears", "Step3_Idle", "Step3_Attack"};
constexpr int kContactDamage = 2;
constexpr int kStep1Life = 30;
constexpr int kStep2Life = 40;
constexpr int kStep3Life = 300;
constexpr int kDeadBand = 16;
constexpr int kCellStep = 32;
// Far more cells than a chain across the Heart holds.
constexpr size_t kMaxChain = 256;
constexpr int kThrowFrame = 30;
constexpr float kFlightSeconds = 1.5f;
// Drop of the stone over its flight: 265 x 1.5 x 1.5.
constexpr float kFlightDrop = 596.25f;
constexpr int kSpitDelay = 11;
constexpr float kSpikeSpeed = 2.0f;
// The spike fan: where the spikes start and the six places they park at,
// from the maw's position.
constexpr float kFanBaseX = 160.0f;
constexpr float kFanBaseY = 224.0f;
constexpr float kFanOffsets[6][2] = {{-192, 256}, {-32, 288}, {128, 320}, {192, 256}, {224, 160}, {256, 64}};
constexpr int kFanStagger = 60;
constexpr float kSpitX = 32.0f;
constexpr float kSpitY = 192.0f;

int Sign(float v)
{
    return v >= 0.0f ? 1 : -1;
}

} // namespace

NPC_Boss_Ultimate::NPC_Boss_Ultimate(std::string name)
    : CharacterObject(std::move(name))
{
    typeName = TypeNames::NPC_Boss_Ultimate;
    for (size_t i = 0; i < sprites.size(); ++i)
        sprites[i] = Enemy::CloneGraphical(std::string("NPC_Boss_Ultimate_") + kSpriteNames[i]);
    contactDamage = kContactDamage;
    LoadSounds();
}

NPC_Boss_Ultimate::~NPC_Boss_Ultimate()
{
    currentGraphical = nullptr;
    ClearList(false);
}

void NPC_Boss_Ultimate::DeclareSounds()
{
    CharacterObject::DeclareSounds();
    for (const char* name : {"NPC_Generic_Killed", "NPC_Boss_Final2_CellTouch", "NPC_Boss_Final2_CellDie",
             "NPC_Boss_Final2_Spit", "NPC_Generic_ThrowProjectile", "NPC_Boss_Final2_SpikeAttack",
             "NPC_Boss_Final2_SpikeExplod", "NPC_Boss_Final2_TailAttack", "NPC_Boss_Final2_SpitSplash"})
        DeclareSound(name);
}

std::vector<GraphicalObject*> NPC_Boss_Ultimate::GetRelatedGraphicalObjects()
{
    return Boss::Related("Ultimate");
}

Point<int> NPC_Boss_Ultimate::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

void NPC_Boss_Ultimate::Show(int sprite)
{
    currentGraphical = sprites[static_cast<size_t>(sprite)].get();
    if (currentGraphical != nullptr)
        currentGraphical->RestartAnimations(false);
}

void NPC_Boss_Ultimate::ResetToStart()
{
    SetDrawnFlagged(true);
    if (state == kStep1Wait) {
        currentGraphical = sprites[kLookStep1Idle].get();
        chainAnchor = GetCenter().ToInt();
        life = kStep1Life;
    } else if (state == kStep2Wait) {
        currentGraphical = sprites[kLookStep2IdleWait].get();
        life = kStep2Life;
    } else if (state == kStep3Hidden) {
        life = kStep3Life;
        currentGraphical = nullptr;
    }
}

bool NPC_Boss_Ultimate::HandleScriptCommand(std::string command, std::string argument)
{
    if (Boss::IsCommand(command, "step1_start") && state == kStep1Wait) {
        Show(kLookStep1Attack);
        if (currentGraphical != nullptr)
            state = kStep1Open;
        return true;
    }
    if (Boss::IsCommand(command, "step2_start") && state == kStep2Wait) {
        Show(kLookStep2Idle);
        if (currentGraphical != nullptr) {
            state = kStep2Pause;
            RandomizeWait();
        }
        return true;
    }
    if (Boss::IsCommand(command, "start") && state == kStep3Hidden) {
        Show(kLookStep3Appears);
        if (currentGraphical != nullptr)
            state = kStep3Appear;
        if (auto* claw = Boss::CreateAs<Projectile_Boss_Ultimate>(
                "Projectile_Boss_Ultimate", "Projectile_Boss_Ultimate_Step3_Claw"))
            claw->SetState(Projectile_Boss_Ultimate::kClawWait);
        frameCounter = kFirstFanWait;
        return true;
    }
    return CharacterObject::HandleScriptCommand(std::move(command), std::move(argument));
}

void NPC_Boss_Ultimate::RandomizeWait()
{
    const float r = static_cast<float>(Boss::Random01());
    frameCounter = static_cast<int>(60.0f + 60.0f * (0.95f * r));
}

Point<int> NPC_Boss_Ultimate::QuantizeDirection(Point<float> d)
{
    if (std::abs(d.y) < kDeadBand)
        return Point<int>(Sign(d.x), 0);
    if (std::abs(d.x) < kDeadBand)
        return Point<int>(0, Sign(d.y));
    return Point<int>(Sign(d.x), Sign(d.y));
}

void NPC_Boss_Ultimate::NextCell(Point<int> wanted, Point<int> last, Point<int>& next, Point<int>& step)
{
    const Point<int> D = wanted;
    const Point<int> L = last;
    step = Point<int>(0, 0);
    if (L.x == 0 && L.y == 0) {
        next = Point<int>(D.x == 0 ? -1 : D.x, D.y == 0 ? -1 : D.y);
    } else if (D.x == L.x && D.y == L.y) {
        next = L;
        step = Point<int>(kCellStep * L.x, kCellStep * L.y);
    } else if (D.y == 0) {
        if (D.x == L.x) {
            step = Point<int>(kCellStep * L.x, 0);
            next = Point<int>(L.x, -L.y);
        } else {
            step = Point<int>(0, kCellStep * L.y);
            next = Point<int>(-L.x, L.y);
        }
    } else if (D.x == 0) {
        if (D.y == L.y) {
            step = Point<int>(0, kCellStep * L.y);
            next = Point<int>(-L.x, L.y);
        } else {
            step = Point<int>(kCellStep * L.x, 0);
            next = Point<int>(L.x, -L.y);
        }
    } else if (D.x == L.x) {
        step = Point<int>(kCellStep * L.x, 0);
        next = D;
    } else if (D.y == L.y) {
        step = Point<int>(0, kCellStep * L.y);
        next = D;
    } else if (L.x < 0 && L.y < 0) {
        // The player is behind the last cell: the chain turns aside.
        step = Point<int>(-kCellStep, 0);
        next = Point<int>(-1, 1);
    } else if (L.x < 0) {
        step = Point<int>(-kCellStep, 0);
        next = Point<int>(-1, -1);
    } else if (L.y > 0) {
        step = Point<int>(kCellStep, 0);
        next = Point<int>(1, -1);
    } else {
        step = Point<int>(0, -kCellStep);
        next = Point<int>(-1, -1);
    }
}

std::vector<Projectile_Boss_Ultimate*> NPC_Boss_Ultimate::GetProjectiles() const
{
    std::vector<Projectile_Boss_Ultimate*> list;
    for (SceneObjectHandle* handle : projectiles)
        list.push_back(dynamic_cast<Projectile_Boss_Ultimate*>(handle->GetTarget()));
    return list;
}

void NPC_Boss_Ultimate::Append(Projectile_Boss_Ultimate* projectile)
{
    // Entries of projectiles that are gone (burst stones, splashed spits)
    // leave the list, so it never grows past those in play.
    auto gone = std::remove_if(projectiles.begin(), projectiles.end(), [](SceneObjectHandle* handle) {
        if (handle->GetTarget() != nullptr)
            return false;
        handle->Release();
        return true;
    });
    projectiles.erase(gone, projectiles.end());
    SceneObjectHandle* handle = projectile->GetHandle();
    handle->AddRef();
    projectiles.push_back(handle);
}

void NPC_Boss_Ultimate::ClearList(bool kill)
{
    for (SceneObjectHandle* handle : projectiles) {
        if (auto* p = dynamic_cast<CharacterObject*>(handle->GetTarget()); p != nullptr && kill) {
            p->SetOwner(nullptr);
            p->SetDead(true);
        }
        handle->Release();
    }
    projectiles.clear();
}

void NPC_Boss_Ultimate::TruncateChain(Projectile_Boss_Ultimate* cell)
{
    CutChain(std::find_if(projectiles.begin(), projectiles.end(),
        [&](SceneObjectHandle* handle) { return handle->GetTarget() == cell; }));
}

void NPC_Boss_Ultimate::CutChain(std::vector<SceneObjectHandle*>::iterator from)
{
    for (auto it = from; it != projectiles.end(); ++it) {
        if (auto* p = dynamic_cast<CharacterObject*>((*it)->GetTarget()))
            p->SetDead(true);
        (*it)->Release();
    }
    projectiles.erase(from, projectiles.end());
    chainAnchor = GetCenter().ToInt();
    if (projectiles.empty())
        return;
    if (auto* last = dynamic_cast<CharacterObject*>(projectiles.back()->GetTarget())) {
        chainAnchor = last->GetCenter().ToInt();
        if (GraphicalObject* look = last->GetCurrentGraphical())
            look->RestartAnimations(true);
    }
}

void NPC_Boss_Ultimate::FireProjectiles()
{
    if (state == kStep1Grow) {
        const Point<int> wanted = QuantizeDirection(Boss::PlayerCenter() - chainAnchor.ToFloat());
        Point<int> last;
        if (!projectiles.empty())
            if (auto* p = dynamic_cast<CharacterObject*>(projectiles.back()->GetTarget()))
                last = p->GetDirection().ToInt();
        Point<int> next, step;
        NextCell(wanted, last, next, step);
        // A chain round a player who stands still winds over its own places
        // and would grow without end: the bound stops it.
        if (projectiles.size() >= kMaxChain)
            return;
        auto* cell = Boss::CreateAs<Projectile_Boss_Ultimate>(
            "Projectile_Boss_Ultimate", "Projectile_Boss_Ultimate_Step1");
        if (cell == nullptr)
            return;
        chainAnchor = chainAnchor + step;
        cell->SetPosition((chainAnchor - Point<int>(16, 16)).ToFloat());
        cell->SetState(Projectile_Boss_Ultimate::kCell);
        cell->SetDirection(next.ToFloat());
        cell->SetOwner(this);
        Append(cell);
    } else if (state == kStep2Throw) {
        const Point<float> from = GetCenter() - Point<float>(32.0f, 0.0f);
        const Point<float> to = Boss::PlayerCenter();
        const Point<float> v(
            (to.x - from.x) / kFlightSeconds, std::abs(to.y + kFlightDrop - from.y) / kFlightSeconds);
        auto* stone = Boss::CreateAs<Projectile_Boss_Ultimate>(
            "Projectile_Boss_Ultimate", "Projectile_Boss_Ultimate_Step1_Large");
        if (stone == nullptr)
            return;
        PlaySound("NPC_Generic_ThrowProjectile");
        stone->SetPosition(from);
        stone->SetState(Projectile_Boss_Ultimate::kLargeStone);
        stone->SetDirection(v);
        stone->SetOwner(this);
        Append(stone);
    } else if (state == kStep3Idle) {
        const Point<float> base = position + Point<float>(kFanBaseX, kFanBaseY);
        for (int i = 0; i < 6; ++i) {
            auto* spike = Boss::CreateAs<Projectile_Boss_Ultimate>(
                "Projectile_Boss_Ultimate", "Projectile_Boss_Ultimate_Step3_Moving2");
            if (spike == nullptr)
                continue;
            spike->SetTarget((position + Point<float>(kFanOffsets[i][0], kFanOffsets[i][1])).ToInt());
            spike->SetSpeedValue(kSpikeSpeed);
            spike->SetDirection(Point<float>(0.0f, 2.0f));
            spike->SetFrameCounter(kFanStagger * (i + 1));
            spike->SetState(Projectile_Boss_Ultimate::kSpikeTravel);
            spike->SetPosition(base);
        }
    } else if (state == kStep3Attack) {
        const Point<float> from = position + Point<float>(kSpitX, kSpitY);
        auto* spit = Boss::CreateAs<Projectile_Boss_Ultimate>(
            "Projectile_Boss_Ultimate", "Projectile_Boss_Ultimate_Step3_Moving");
        if (spit == nullptr)
            return;
        Point<float> d;
        if (CharacterObject* floor = Boss::Find("boss_attack1")) {
            const Point<int> s = floor->GetSize();
            const Rect<int> box = MakeBox(floor->GetPosition().ToInt(), s.y, s.x);
            Point<int> aim = GetBoxCenter(box);
            if (CharacterObject* player = Boss::ThePlayer()) {
                const float px = player->GetPosition().x;
                if (box.x0 <= px && px <= box.x1)
                    aim.x = static_cast<int>(px);
            }
            d = Boss::Normalized(aim.ToFloat() - from);
        }
        spit->SetDirection(d);
        spit->SetPosition(from);
        spit->SetState(Projectile_Boss_Ultimate::kSpit);
        Append(spit);
        PlaySound("NPC_Boss_Final2_Spit");
    }
}

void NPC_Boss_Ultimate::StepStates()
{
    const bool finished = currentGraphical->IsAnimationFinished();
    if (state == kStep1Open && finished) {
        state = kStep1Grow;
    } else if (state == kStep1Grow) {
        CharacterObject* last
            = projectiles.empty() ? nullptr : dynamic_cast<CharacterObject*>(projectiles.back()->GetTarget());
        const bool grown = last == nullptr || last->GetCurrentGraphical() == nullptr
            || last->GetCurrentGraphical()->IsAnimationFinished();
        if (projectiles.empty() || grown)
            FireProjectiles();
    } else if (state == kStep2Throw) {
        if (++frameCounter == kThrowFrame)
            FireProjectiles();
        if (finished) {
            RandomizeWait();
            state = kStep2Pause;
        }
    } else if (state == kStep2Pause) {
        if (--frameCounter <= 0) {
            state = kStep2Throw;
            frameCounter = 0;
        }
    } else if (state == kStep3Appear && finished) {
        state = kStep3Idle;
    } else if (state == kStep3Attack) {
        if (attackDelay > 0 && --attackDelay == 0)
            FireProjectiles();
        if (finished)
            state = kStep3Idle;
    } else if (state == kStep3Idle) {
        if (frameCounter > 0) {
            if (--frameCounter == 0)
                FireProjectiles();
            return;
        }
        const std::vector<CharacterObject*> spikes
            = Boss::FindAll("Projectile_Boss_Ultimate_Step3_Moving2", nullptr, false);
        const bool parked = std::all_of(spikes.begin(), spikes.end(), [](CharacterObject* s) {
            return s == nullptr || s->GetState() == Projectile_Boss_Ultimate::kSpikeParked;
        });
        if (!parked)
            return;
        for (CharacterObject* spike : spikes)
            if (spike != nullptr)
                spike->SetState(Projectile_Boss_Ultimate::kSpikeLaunched);
        frameCounter = kFanWait;
    }
}

void NPC_Boss_Ultimate::ShowStateSprite()
{
    static constexpr int kByState[] = {-1, kLookStep1Idle, kLookStep1Attack, kLookStep1Dead, -1,
        kLookStep2Idle, kLookStep2Attack, kLookStep2Dead, -1, -1, kLookStep3Idle, kLookStep3Attack};
    if (state == kNothing)
        currentGraphical = nullptr;
    else if (state >= 0 && state < kNothing && kByState[state] >= 0)
        currentGraphical = sprites[static_cast<size_t>(kByState[state])].get();
}

void NPC_Boss_Ultimate::Update(double dt)
{
    GraphicalObject* before = currentGraphical;
    CharacterObject::Update(dt);
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    Boss::Move(*this, speed, dt);
    if (currentGraphical != nullptr)
        StepStates();
    ShowStateSprite();
    if (currentGraphical != before && currentGraphical != nullptr)
        currentGraphical->RestartAnimations(true);
    DamagePlayerOnContact();
    if (currentGraphical != nullptr)
        currentGraphical->Update(dt);
}

bool NPC_Boss_Ultimate::LastOfItsStep() const
{
    for (CharacterObject* body : Boss::FindAll(GetName(), nullptr, false))
        if (body != nullptr && body->GetLife() > 0)
            return false;
    return true;
}

void NPC_Boss_Ultimate::ApplyDamage(CharacterObject* attacker, int damage)
{
    CharacterObject::ApplyDamage(attacker, damage);
    if (attacker == nullptr)
        return;
    const int before = life;
    life = before >= 1 ? before - damage : 0;
    if (life < 1) {
        if (state == kStep1Grow) {
            deathSoundIndex = 2;
            PlaySound("NPC_Boss_Final2_CellDie");
            ClearList(true);
            Show(kLookStep1Dead);
            state = kStep1Dead;
            if (LastOfItsStep())
                Boss::Announce("NPC_Boss_Ultimate_Step2");
            PlaySound("NPC_Boss_Final2_CellDie");
        } else if (state == kStep2Pause || state == kStep2Throw) {
            deathSoundIndex = 2;
            Show(kLookStep2Dead);
            state = kStep2Dead;
            if (LastOfItsStep())
                Boss::Announce("NPC_Boss_Ultimate_Step3");
            PlaySound("NPC_Boss_Final2_CellDie");
        } else if (state == kStep3Idle && Boss::StartDeath(*this, true, 25.0f, 35.0f)) {
            Boss::KillProjectiles("Projectile_Boss_Ultimate_Step3_Moving");
            if (CharacterObject* claw = Boss::Find("Projectile_Boss_Ultimate_Step3_Claw"))
                claw->SetDead(true);
            Boss::KillProjectiles("Projectile_Boss_Ultimate_Step3_Moving2");
        }
        return;
    }
    if (state >= kStep1Open && state <= kStep2Dead)
        PlaySound("NPC_Boss_Final2_CellTouch");
    if (state == kStep3Idle && before / 10 != life / 10 && before != 100) {
        state = kStep3Attack;
        attackDelay = kSpitDelay;
        Show(kLookStep3Attack);
    }
}

void Zone_NPCSpawner_Boss_Ultimate::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (!IsPending())
        return;
    // The step 1 and step 2 bodies stand where the level's markers of their
    // names stand, and take those names; the maw stands at the zone.
    for (const auto& [marker, role] :
        {std::pair<const char*, int>("cell_etape_1", NPC_Boss_Ultimate::kStep1Wait),
            {"cell_etape_2", NPC_Boss_Ultimate::kStep2Wait}}) {
        for (CharacterObject* place : Boss::FindAll(marker, nullptr, false)) {
            if (place == nullptr)
                continue;
            auto* body = Boss::CreateAs<NPC_Boss_Ultimate>("NPC_Boss_Ultimate", "NPC_Boss_Ultimate");
            if (body == nullptr) {
                NPCSpawner::ReportNothingMade(*this);
                continue;
            }
            body->SetState(role);
            body->SetPosition(place->GetPosition());
            body->SetName(marker);
        }
    }
    NPCSpawner::Spawn<NPC_Boss_Ultimate>(*this, x, y, {"NPC_Boss_Ultimate", NPCSpawner::Naming::WhenNamed},
        [](NPC_Boss_Ultimate& body) { body.SetState(NPC_Boss_Ultimate::kStep3Hidden); });
}
