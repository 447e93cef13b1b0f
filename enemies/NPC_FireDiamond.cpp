#include "enemies/NPC_FireDiamond.h"

#include "characters/CharacterGameAccess.h"
#include "characters/Player.h"
#include "characters/PlayerArmorIce.h"
#include "enemies/EnemyFramework.h"
#include "enemies/NpcTuning.h"
#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_FireDiamond.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int kScreenWidth = 512;
constexpr int kScreenHeight = 448;
// The neighbour points of a melting cell are taken from its position plus
// this (the middle of a 32-pixel cell).
constexpr int kCellMiddle = 16;

// The player's ice armor, or null (no player, or none in its slot).
PlayerArmorIce* TheIceArmor()
{
    Player* player = Enemy::ThePlayer();
    if (player == nullptr || player->GetModifierCount() <= Player::kIceArmor)
        return nullptr;
    return dynamic_cast<PlayerArmorIce*>(player->GetModifier(Player::kIceArmor));
}

bool HasLevel()
{
    CharacterGameAccess* game = GetCharacterGameAccess();
    return game != nullptr && game->HasLevel();
}

// The cell's box, position to position plus size, edges included.
Rect<int> CellBox(const Layer::Instance& cell)
{
    const Point<int> at = cell.GetPosition().ToInt();
    const Point<int> size = cell.GetSize();
    return Rect<int>(at.x, at.y + size.y, at.x + size.x, at.y);
}

} // namespace

NPC_FireDiamond::NPC_FireDiamond(std::string name)
    : CharacterObject(std::move(name))
{
    typeName = TypeNames::NPC_FireDiamond;
    dropsItems = 0;
    LoadSounds();
}

NPC_FireDiamond::~NPC_FireDiamond()
{
    currentGraphical = nullptr;
}

Point<int> NPC_FireDiamond::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

bool NPC_FireDiamond::SameRecord(const Record& a, const Record& b)
{
    return a.replaced == b.replaced && a.replacement == b.replacement && a.layer == b.layer;
}

void NPC_FireDiamond::BuildCollisionGraphical(Level* level)
{
    if (level == nullptr)
        return;
    Layer* collisions = level->GetLayer(Level::kScene, "Collisions");
    bool accepting = false;
    for (int i = 0; i < level->GetLayerCount(Level::kScene); ++i) {
        const Layer* layer = level->GetLayerAt(Level::kScene, i);
        accepting = accepting || (layer != nullptr && layer->GetDrawPlacedInstances());
    }
    if (collisions == nullptr || !accepting)
        return;
    std::unique_ptr<GraphicalObject> copy = Enemy::CloneGraphical("NPC_FireDiamond_Graphical");
    if (copy == nullptr)
        return;
    collisionInstance = collisions->AddGraphicalObject(copy.get(), position.x, position.y, true, -1);
    collisionLayer = collisionInstance != nullptr ? collisions : nullptr;
    look = std::move(copy);
    currentGraphical = look.get();
}

void NPC_FireDiamond::SetMeltingFlag(bool value)
{
    if (CharacterGameAccess* game = GetCharacterGameAccess())
        game->SetGameplayPaused(value);
}

void NPC_FireDiamond::ApplyDamage(CharacterObject* attacker, int damage)
{
    // Flags the hit and restarts the flash; the diamond has no life to lose.
    CharacterObject::ApplyDamage(attacker, damage);
    PlayerArmorIce* ice = TheIceArmor();
    if (ice != nullptr)
        records = ice->GetActiveReplacements();
    CollectCellsInBox();
    if (melting.empty())
        return;
    SetMeltingFlag(true);
    if (ice != nullptr)
        ice->GetFrozenList().clear();
}

void NPC_FireDiamond::CollectCellsInBox()
{
    if (!HasLevel() || TheIceArmor() == nullptr || records.empty())
        return;
    const Point<int> centre = GetCenter().ToInt();
    const Point<int> s = GetSize();
    const Rect<int> box(centre.x - s.x, centre.y + s.y, centre.x + s.x, centre.y - s.y);
    stepCounter = 0;
    for (const Record& record : records) {
        if (record.replaced == nullptr || record.replacement == nullptr)
            continue;
        const Point<int> at = record.replacement->GetPosition().ToInt();
        const Point<int> size = record.replacement->GetSize();
        const Point<int> middle(at.x + size.x / 2, at.y + size.y / 2);
        if (box.Contains(middle, true) && !IsMelting(record.replacement))
            melting.push_back(record.replacement);
    }
}

bool NPC_FireDiamond::IsMelting(const Layer::Instance* cell) const
{
    return std::find(melting.begin(), melting.end(), cell) != melting.end();
}

void NPC_FireDiamond::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    if (stepCounter > 0 || melting.empty()) {
        // Idle, it rests at -1 rather than counting down for ever.
        if (stepCounter >= 0)
            --stepCounter;
    } else {
        stepCounter = NpcTuning::Current().fireDiamondUnfrozeDelay;
        PlayerArmorIce* ice = TheIceArmor();
        if (HasLevel() && ice != nullptr) {
            MeltStep(*ice);
            // Each step (the last included) changes the ground under the
            // player.
            if (Player* player = Enemy::ThePlayer())
                player->SetCollisionChanged();
        }
    }
    if (currentGraphical != nullptr)
        currentGraphical->Update(dt);
}

void NPC_FireDiamond::MeltStep(PlayerArmorIce& ice)
{
    std::vector<Record>& armorRecords = ice.GetActiveReplacements();
    for (size_t i = records.size(); i-- > 0;) {
        const bool held = std::any_of(armorRecords.begin(), armorRecords.end(),
            [&](const Record& r) { return SameRecord(r, records[i]); });
        if (!held)
            records.erase(records.begin() + static_cast<std::ptrdiff_t>(i));
    }
    // A stale melting cell (thawed by other means) is dropped with its record.
    melting.erase(std::remove_if(melting.begin(), melting.end(),
                      [&](const Layer::Instance* cell) {
                          return std::none_of(records.begin(), records.end(),
                              [&](const Record& r) { return r.replacement == cell; });
                      }),
        melting.end());

    CharacterGameAccess* game = GetCharacterGameAccess();
    const Point<int> camera = game != nullptr ? game->GetCameraPosition().ToInt() : Point<int>();
    const Rect<int> view(camera.x, camera.y + kScreenHeight, camera.x + kScreenWidth, camera.y);
    const bool anyOnScreen = std::any_of(armorRecords.begin(), armorRecords.end(), [&](const Record& r) {
        return r.replaced != nullptr && view.Contains(r.replaced->GetPosition().ToInt(), true);
    });
    if (!anyOnScreen) {
        // Nothing frozen is in view: everything thaws at once.
        for (const Record& record : armorRecords)
            PlayerArmor::Restore(record);
        armorRecords.clear();
        records.clear();
        melting.clear();
        SetMeltingFlag(false);
        return;
    }
    Spread();
}

void NPC_FireDiamond::Spread()
{
    std::vector<Layer::Instance*> reached;
    for (size_t m = melting.size(); m-- > 0;) {
        Layer::Instance* cell = melting[m];
        const Point<int> cellSize = cell->GetSize();
        const int s = std::max(cellSize.x, cellSize.y);
        const Point<int> k = cell->GetPosition().ToInt() + Point<int>(kCellMiddle, kCellMiddle);
        const Point<int> neighbours[4]
            = {k + Point<int>(0, s), k - Point<int>(0, s), k + Point<int>(s, 0), k - Point<int>(s, 0)};
        const int64_t reach = 4LL * s * s;
        for (const Record& record : records) {
            Layer::Instance* other = record.replacement;
            if (other == nullptr || other == cell || IsMelting(other))
                continue;
            const Point<int> d = other->GetPosition().ToInt() - k;
            if (static_cast<int64_t>(d.x) * d.x + static_cast<int64_t>(d.y) * d.y >= reach)
                continue;
            const Rect<int> box = CellBox(*other);
            if (std::any_of(std::begin(neighbours), std::end(neighbours),
                    [&](Point<int> p) { return box.Contains(p, true); })) {
                melting.push_back(other);
                reached.push_back(other);
            }
        }
    }
    PlayerArmorIce* ice = TheIceArmor();
    if (ice != nullptr)
        Melt(*ice, reached);
}

void NPC_FireDiamond::Melt(PlayerArmorIce& ice, const std::vector<Layer::Instance*>& reached)
{
    for (size_t m = melting.size(); m-- > 0;) {
        Layer::Instance* cell = melting[m];
        GraphicalObject* object = cell->GetPrototype();
        if (object != nullptr && object->GetAnimatedInstanceCount() > 0 && object->GetAnimationFrame() > 0) {
            object->SetAnimationFrame(object->GetAnimationFrame() - 1);
            object->StopAnimations();
            continue;
        }
        if (std::find(reached.begin(), reached.end(), cell) != reached.end())
            continue;
        Unfreeze(ice, cell);
        melting.erase(melting.begin() + static_cast<std::ptrdiff_t>(m));
    }
    if (melting.empty())
        SetMeltingFlag(false);
}

void NPC_FireDiamond::Unfreeze(PlayerArmorIce& ice, Layer::Instance* cell)
{
    std::vector<Record>& armorRecords = ice.GetActiveReplacements();
    for (size_t i = 0; i < armorRecords.size(); ++i) {
        if (armorRecords[i].replacement != cell)
            continue;
        const Record record = armorRecords[i];
        armorRecords.erase(armorRecords.begin() + static_cast<std::ptrdiff_t>(i));
        records.erase(std::remove_if(records.begin(), records.end(),
                          [&](const Record& r) { return SameRecord(r, record); }),
            records.end());
        PlayerArmor::Restore(record);
        return;
    }
}

void Zone_NPCSpawner_FireDiamond::Instance::Spawn(int x, int y, Level* level)
{
    NPCSpawner::Spawn<NPC_FireDiamond>(*this, x, y, {"NPC_FireDiamond"},
        [&](NPC_FireDiamond& diamond) { diamond.BuildCollisionGraphical(level); });
}
