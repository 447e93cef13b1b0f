#include "enemies/NPC_Garden_Plant.h"

#include "characters/CharacterGameAccess.h"
#include "characters/Player.h"
#include "enemies/EnemyFramework.h"
#include "enemies/Projectile_Garden_Plant.h"
#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Garden_Plant.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

const char* const kLookNames[] = {"Left", "Right", "Down", "Up", "CornerDown_Left", "CornerDown_Right",
    "Horizontal", "Vertical", "CornerUp_Left", "CornerUp_Right"};

// The first piece grows from the root, one piece above the plant's foot.
constexpr Point<int> kRootTip {0, 32};

GraphicalObject* Prototype(const std::string& name)
{
    CharacterGameAccess* game = GetCharacterGameAccess();
    return game != nullptr ? game->FindGraphicalObject(name) : nullptr;
}

std::unique_ptr<GraphicalObject> CloneOf(GraphicalObject* prototype)
{
    if (prototype == nullptr)
        return nullptr;
    return std::unique_ptr<GraphicalObject>(dynamic_cast<GraphicalObject*>(prototype->Clone(true)));
}

} // namespace

NPC_Garden_Plant::NPC_Garden_Plant(std::string name)
    : CharacterObject(std::move(name))
    , base(Enemy::CloneGraphical("NPC_Garden_Plant_GraphicalBase"))
{
    typeName = TypeNames::NPC_Garden_Plant;
    for (int i = 0; i < kLookCount; ++i) {
        const std::string look = std::string("NPC_Garden_Plant_Graphical") + kLookNames[i];
        prototypes[static_cast<size_t>(i)] = Prototype(look);
        prototypes[static_cast<size_t>(i + kLookCount)] = Prototype(look + "_Die");
    }
    direction = Point<float>(0.0f, 1.0f);
    stateTimer = -1;
    state = kGrowing;
    life = kLife;
    SetDrawnInFront(true);
    LoadSounds();
}

NPC_Garden_Plant::~NPC_Garden_Plant()
{
    currentGraphical = nullptr;
}

std::vector<GraphicalObject*> NPC_Garden_Plant::GetRelatedGraphicalObjects()
{
    return Enemy::RelatedGraphicals("Garden_Plant");
}

Point<int> NPC_Garden_Plant::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

void NPC_Garden_Plant::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    if (stateTimer > 0 && pieces.size() < static_cast<size_t>(kMaxPieces))
        --stateTimer;
    CharacterObject* player = Enemy::ThePlayer();
    if (player != nullptr && stateTimer <= 0 && state == kGrowing)
        GrowPiece(player);
    if (state == kWaiting && std::all_of(pieces.begin(), pieces.end(), [](const Projectile_Garden_Plant* p) {
            return p->IsIdle();
        })) {
        state = kGrowing;
        stateTimer = 0;
        if (pieces.empty()) {
            tip = position.ToInt() + kRootTip;
            direction = Point<float>(0.0f, 1.0f);
            stateTimer = -1;
        } else {
            tip = pieces.back()->GetPosition().ToInt();
            direction = pieces.back()->GetDirection();
        }
    }
    DamagePlayerOnContact();
    GraphicalObject* before = currentGraphical;
    currentGraphical = base.get();
    Enemy::StepGraphical(*this, before, dt);
    previousState = state;
    UpdateSounds();
}

void NPC_Garden_Plant::GrowPiece(CharacterObject* player)
{
    if (stateTimer != -1) {
        const Point<float> d = player->GetCenter() - (tip.ToFloat() + Point<float>(16.0f, 16.0f));
        if (std::fabs(d.y) < std::fabs(d.x)) {
            const bool away = (direction.x > 0.0f && d.x < 0.0f) || (direction.x < 0.0f && d.x > 0.0f);
            if (away) {
                direction = Point<float>(0.0f, d.y > 0.0f ? 1.0f : -1.0f);
            } else {
                direction = Point<float>(d.x, 0.0f);
                direction.Normalize(false);
            }
        } else {
            const bool away = (direction.y > 0.0f && d.y < 0.0f) || (direction.y < 0.0f && d.y > 0.0f);
            if (away) {
                direction = Point<float>(d.x > 0.0f ? 1.0f : -1.0f, 0.0f);
            } else {
                direction = Point<float>(0.0f, d.y);
                direction.Normalize(false);
            }
        }
    }
    auto* piece = Enemy::CreateAs<Projectile_Garden_Plant>("Projectile_Garden_Plant");
    if (piece == nullptr) {
        stateTimer = kGrowDelay;
        return;
    }
    tip += (direction * static_cast<float>(kPieceSize)).ToInt();
    piece->SetPosition(tip.ToFloat());
    piece->SetDirection(direction);
    piece->SetOwner(this);
    if (direction.x != 0.0f)
        Dress(*piece, direction.x > 0.0f ? kRight : kLeft);
    else
        Dress(*piece, direction.y > 0.0f ? kUp : kDown);
    if (!pieces.empty()) {
        // The former tip turns into a straight piece or a corner.
        Projectile_Garden_Plant& last = *pieces.back();
        const Point<float> p = last.GetDirection();
        const Point<float> n = direction;
        Look look = kLookCount;
        if (p.x != 0.0f) {
            if (n.y == 0.0f)
                look = kHorizontal;
            else if (p.x > 0.0f)
                look = n.y > 0.0f ? kCornerUpLeft : kCornerDownLeft;
            else
                look = n.y > 0.0f ? kCornerUpRight : kCornerDownRight;
        } else if (p.y != 0.0f) {
            if (n.x == 0.0f)
                look = kVertical;
            else if (p.y > 0.0f)
                look = n.x > 0.0f ? kCornerDownRight : kCornerDownLeft;
            else
                look = n.x > 0.0f ? kCornerUpRight : kCornerUpLeft;
        }
        if (look != kLookCount)
            Dress(last, look);
    }
    pieces.push_back(piece);
    stateTimer = kGrowDelay;
}

void NPC_Garden_Plant::Dress(Projectile_Garden_Plant& piece, Look look) const
{
    piece.SetDieSprite(CloneOf(prototypes[static_cast<size_t>(look + kLookCount)]));
    piece.SetSprite(CloneOf(prototypes[static_cast<size_t>(look)]));
}

void NPC_Garden_Plant::OnPieceHit(Projectile_Garden_Plant* piece)
{
    state = kWaiting;
    auto it = std::find(pieces.begin(), pieces.end(), piece);
    for (; it != pieces.end(); ++it)
        (*it)->SetState(Projectile_Garden_Plant::kDying);
}

void NPC_Garden_Plant::RemovePiece(Projectile_Garden_Plant* piece)
{
    auto it = std::find(pieces.begin(), pieces.end(), piece);
    if (it != pieces.end())
        pieces.erase(it);
}

void NPC_Garden_Plant::ReceiveHit(CharacterObject* attacker, int kind, float amount)
{
    Enemy::ReceiveHit(*this, attacker, kind, amount, Enemy::kFireHit);
}

void NPC_Garden_Plant::ApplyDamage(CharacterObject* attacker, int damage)
{
    CharacterObject::ApplyDamage(attacker, damage);
    if (attacker == nullptr)
        return;
    life = life >= 1 ? life - damage : 0;
    if (life < 1)
        dead = true;
}

void NPC_Garden_Plant::Die()
{
    CharacterObject::Die();
    // The stem dies with the plant; its pieces no longer report back, so
    // none of them reaches the plant once it is gone.
    CharacterObject* player = Enemy::ThePlayer();
    for (Projectile_Garden_Plant* piece : pieces) {
        piece->SetOwner(nullptr);
        piece->ApplyDamage(player, 1);
        piece->SetState(Projectile_Garden_Plant::kDying);
    }
    pieces.clear();
}

void Zone_NPCSpawner_Garden_Plant::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_Garden_Plant>(*this, x, y, {"NPC_Garden_Plant"}, [](NPC_Garden_Plant& plant) {
        plant.anchorPoint = plant.GetPosition().ToInt() + kRootTip;
        plant.SetTip(plant.anchorPoint.x, plant.anchorPoint.y);
    });
}

Projectile_Garden_Plant::Projectile_Garden_Plant(std::string name)
    : CharacterObject(std::move(name))
{
    typeName = TypeNames::Projectile_Garden_Plant;
    SetDrawnInFront(true);
    life = 1;
}

Projectile_Garden_Plant::~Projectile_Garden_Plant()
{
    currentGraphical = nullptr;
}

Point<int> Projectile_Garden_Plant::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

void Projectile_Garden_Plant::SetSprite(std::unique_ptr<GraphicalObject> look)
{
    sprite = std::move(look);
    currentGraphical = sprite.get();
}

void Projectile_Garden_Plant::SetDieSprite(std::unique_ptr<GraphicalObject> look)
{
    if (currentGraphical == dieSprite.get())
        currentGraphical = nullptr;
    dieSprite = std::move(look);
}

void Projectile_Garden_Plant::Update(double dt)
{
    CharacterObject::Update(dt);
    if (state == kAlive)
        DamagePlayerOnContact();
    GraphicalObject* before = currentGraphical;
    currentGraphical = state == kDying ? dieSprite.get() : sprite.get();
    if (state == kDying && (currentGraphical == nullptr || currentGraphical->IsAnimationFinished()))
        dead = true;
    if (currentGraphical != nullptr) {
        if (currentGraphical != before)
            currentGraphical->RestartAnimations(true);
        currentGraphical->Update(dt);
    }
    previousState = state;
}

void Projectile_Garden_Plant::ApplyDamage(CharacterObject* attacker, int damage)
{
    CharacterObject::ApplyDamage(attacker, damage);
    if (attacker == nullptr || state == kDying)
        return;
    state = kDying;
    if (dieSprite != nullptr)
        dieSprite->RestartAnimations(true);
    if (auto* plant = dynamic_cast<NPC_Garden_Plant*>(owner))
        plant->OnPieceHit(this);
}

void Projectile_Garden_Plant::Die()
{
    if (auto* plant = dynamic_cast<NPC_Garden_Plant*>(owner))
        plant->RemovePiece(this);
    owner = nullptr;
}
