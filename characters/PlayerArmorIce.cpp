#include "characters/PlayerArmorIce.h"

#include "characters/BGEvent_ArmorUse.h"
#include "characters/PlayerArmorHost.h"
#include "characters/PlayerTuning.h"
#include "engine/app/DevConsole.h"
#include "engine/serial/Rect.h"
#include "scene/ArmorReplacement.h"
#include "scene/GraphicalObject.h"
#include "scene/Level.h"
#include "scene/SceneGameAccess.h"

#include <algorithm>

namespace {

bool ScrollsWithCamera(const Layer* layer)
{
    return layer != nullptr && layer->GetScrollFactor().x == 1.0f && layer->GetScrollFactor().y == 1.0f;
}

// The rectangle of a placed instance in the box convention (y up).
Rect<int> InstanceBox(const Layer::Instance& instance)
{
    const Point<float> p = instance.GetPosition();
    const Point<int> size = instance.GetSize();
    const int x = static_cast<int>(p.x);
    const int y = static_cast<int>(p.y);
    return Rect<int>(x, y + size.y - 1, x + size.x - 1, y);
}

bool Overlaps(const Rect<int>& a, const Rect<int>& b)
{
    return a.x0 <= b.x1 && b.x0 <= a.x1 && a.y1 <= b.y0 && b.y1 <= a.y0;
}

// The replacement's animation is still appearing (it has frames and has not
// come to its end).
bool StillAppearing(const Layer::Instance* replacement)
{
    GraphicalObject* object = replacement != nullptr ? replacement->GetPrototype() : nullptr;
    return object != nullptr && object->GetAnimatedInstanceCount() > 0 && object->HasNonLoopingAnimation()
        && !object->IsAnimationFinished();
}

// Every layer of the given lists that scrolls with the camera, "Collisions"
// included.
template <class Fn> void ForEachCameraLayer(Level* level, std::initializer_list<int> lists, Fn&& fn)
{
    for (int list : lists) {
        for (int i = 0; i < level->GetLayerCount(list); ++i) {
            Layer* layer = level->GetLayerAt(list, i);
            if (ScrollsWithCamera(layer))
                fn(layer);
        }
    }
}

// The lists the front and its guard walk: all three.
constexpr std::initializer_list<int> kFrontLists = {Level::kBackground, Level::kForeground, Level::kScene};

} // namespace

int PlayerArmorIce::FloorToCell(int v)
{
    if (v < 0)
        return ((v + 1) / kCell) * kCell - kCell;
    return (v / kCell) * kCell;
}

std::vector<Point<int>> PlayerArmorIce::SeedCells(Point<float> position)
{
    const int x = static_cast<int>(position.x);
    const int cx = FloorToCell(x);
    const int cy = FloorToCell(static_cast<int>(position.y));
    std::vector<Point<int>> seeds {{cx, cy}, {cx - 32, cy}, {cx + 32, cy}, {cx + 64, cy}};
    if (cx != x) {
        seeds.emplace_back(cx + 96, cy);
        seeds.emplace_back(cx + 96, cy - 32);
    }
    for (int dx : {0, -32, 32, 64})
        seeds.emplace_back(cx + dx, cy - 32);
    return seeds;
}

void PlayerArmorIce::SetEnabled(bool value)
{
    enabled = value;
    if (!value)
        return;
    OnEnabled();
    if (host != nullptr && host->GetArmorState().armorChargesMax == 0)
        host->GetArmorState().armorChargesMax = 2;
}

void PlayerArmorIce::OnEnabled()
{
    if (built != 0)
        return;
    BuildAnimationSets("Ice");
    // A level entered before may have built the table already.
    if (tableBuilt == 0)
        BuildReplacementTable();
    built = 1;
}

void PlayerArmorIce::BuildReplacementTable()
{
    ReleaseLists();
    replacementPairs = BuildPairs(ArmorReplacement::IceList());
    secondaryPairs = BuildPairs(ArmorReplacement::ThirdList());
    tableBuilt = 1;
}

int PlayerArmorIce::GetReplacementIndex(const std::string& objectName) const
{
    return FindBySourceName(replacementPairs, objectName);
}

void PlayerArmorIce::RecordReplaceable(Layer* layer, Layer::Instance* instance, Layer* collisions)
{
    if (layer == nullptr || instance == nullptr)
        return;
    // The records belong to the level being entered: they are forgotten when
    // another level runs.
    recordsLevel = layer->GetLevel();
    ArmorActiveReplacement record;
    record.replaced = instance;
    record.layer = layer;
    record.collisionLayer = collisions;
    recordedScenery.push_back(record);
}

void PlayerArmorIce::ReleaseLists()
{
    replacementPairs.clear();
    secondaryPairs.clear();
}

void PlayerArmorIce::OnSelected(bool silent)
{
    ApplyAnimationSet();
    frozenCells.clear();
    seedCount = 0;
    if (host != nullptr)
        host->PlayPlayerSound(kSoundTransformChangeArmor);
    if (!silent)
        Use();
    if (SceneGameAccess* game = GetSceneGameAccess(); game != nullptr && game->GetConsole() != nullptr)
        game->GetConsole()->AddDebugMessage(false, "New Armor : Ice", 0xFF5F6996u, 2000.0);
}

void PlayerArmorIce::OnDeselected()
{
    for (const ArmorActiveReplacement& record : activeReplacements) {
        if (record.replacement != nullptr && record.replacement->GetPrototype() != nullptr)
            record.replacement->GetPrototype()->StopAnimations();
    }
}

Point<int> PlayerArmorIce::GetReplaceZoneSize() const
{
    return Point<int>(
        PlayerTuning::Current().iceReplaceZoneWidth, PlayerTuning::Current().iceReplaceZoneHeight);
}

void PlayerArmorIce::Use()
{
    PlayerArmorState* state = GetState();
    if (state == nullptr || state->armorCharges <= 0)
        return;
    Level* level = host->GetCurrentLevel();
    BGEvent_ArmorUse::StopRunning("BGEvent_ArmorIce_Use");
    host->AreaAttack(2, this->level >= 2 ? 144.0f : 112.0f);
    host->PlayPlayerSound(this->level >= 2 ? kSoundUseAoe2Ice : kSoundUseAoeIce);
    --state->armorCharges;

    ForgetOtherLevels(level);
    const Point<float> position = host->GetArmorHostPosition();
    frozenCells = SeedCells(position);
    seedCount = frozenCells.size();
    frontGroups.clear();
    propagationTimer = 0;
    Update();

    const Point<int> size = host->GetArmorHostSize();
    const Point<float> centre(
        position.x + static_cast<float>(size.x) * 0.5f, position.y + static_cast<float>(size.y) * 0.5f);
    host->FreezeGhostsNear(centre, kGhostFreezeRadius);
    if (level != nullptr)
        level->AddBackgroundEvent(
            new BGEvent_ArmorIce_Use("Armor Ice Use", level, this->level >= 2, position, size));
}

void PlayerArmorIce::Reset()
{
    PlayerArmor::Reset();
    recordedScenery.clear();
    frozenCells.clear();
    seedCount = 0;
    frontGroups.clear();
    propagationTimer = 0;
}

void PlayerArmorIce::Cancel(size_t firstRecord)
{
    propagationTimer = 0;
    frozenCells.clear();
    seedCount = 0;
    UpdateReplacements(firstRecord);
}

bool PlayerArmorIce::GuardPlayer(Level* level)
{
    const Point<float> position = host->GetArmorHostPosition();
    const int px = static_cast<int>(position.x);
    const int py = static_cast<int>(position.y);
    const Rect<int> body(px, py + 95, px + 63, py);
    std::set<int32_t> checked;
    for (size_t i = 0; i < activeReplacements.size(); ++i) {
        const ArmorActiveReplacement& record = activeReplacements[i];
        if (record.replaced == nullptr || !checked.insert(record.replaced->GetAuxIndex()).second)
            continue;
        if (StillAppearing(record.replacement) && Overlaps(InstanceBox(*record.replacement), body)) {
            Cancel(i);
            return true;
        }
    }
    bool cancel = false;
    ForEachCameraLayer(level, kFrontLists, [&](Layer* layer) {
        if (cancel || layer->GetReplaceableInstances().empty())
            return;
        for (Point<int> offset : {Point<int>(10, 0), Point<int>(53, 0), Point<int>(10, 32),
                 Point<int>(53, 32), Point<int>(10, 64), Point<int>(53, 64)}) {
            Layer::Instance* at = layer->GetReplaceableInstanceAt(Point<int>(px + offset.x, py + offset.y));
            if (at == nullptr || at->GetPrototype() == nullptr || !CanFreeze(at->GetPrototype()))
                continue;
            // Only ice that would stand in the player's body stops the freeze.
            const GraphicalObject* replacement = ReplacementOf(at->GetPrototype());
            if (replacement == nullptr)
                continue;
            const Point<int> size = replacement->GetSize();
            const int ax = static_cast<int>(at->GetPosition().x);
            const int ay = static_cast<int>(at->GetPosition().y);
            if (!Overlaps(Rect<int>(ax, ay + size.y - 1, ax + size.x - 1, ay), body))
                continue;
            if (at->IsVisible() || checked.count(at->GetAuxIndex()) != 0) {
                cancel = true;
                return;
            }
        }
    });
    if (cancel)
        Cancel(0);
    return cancel;
}

bool PlayerArmorIce::CanFreeze(const GraphicalObject* object) const
{
    // Water of the ice list freezes at every level, lava (the ice-lava
    // list's kinds) from level 2; either only with a pair in the ice list.
    const int kind = object->GetReplacementKind();
    const bool freezable = kind == 3 || kind == 4 || ((kind == 1 || kind == 2) && level >= 2);
    return freezable && FindBySourceName(replacementPairs, object->GetName()) >= 0;
}

GraphicalObject* PlayerArmorIce::ReplacementOf(const GraphicalObject* object) const
{
    const int pair = FindBySourceName(replacementPairs, object->GetName());
    return pair >= 0 ? replacementPairs[static_cast<size_t>(pair)].second : nullptr;
}

bool PlayerArmorIce::InsideFrozenPiece(Point<int> cell) const
{
    for (const ArmorActiveReplacement& record : activeReplacements) {
        if (record.replacement != nullptr && record.replacement->IsVisible()
            && InstanceBox(*record.replacement).Contains(cell, true))
            return true;
    }
    return false;
}

void PlayerArmorIce::VisitCell(Level* /*level*/, Layer* layer, Layer* collisions, Point<int> cell,
    bool mayOpenGroup, float& animationTime, std::vector<Point<int>>& next)
{
    Layer::Instance* instance = layer->GetReplaceableInstanceAt(cell);
    if (instance == nullptr || instance->GetPrototype() == nullptr)
        return;
    GraphicalObject* object = instance->GetPrototype();
    const int32_t group = instance->GetAuxIndex();
    if (!mayOpenGroup && frontGroups.count(group) == 0)
        return;
    if (!instance->IsVisible()) {
        // Already frozen: its ice keeps the pace for the pieces frozen now.
        for (const ArmorActiveReplacement& record : activeReplacements) {
            if (record.replaced == instance && record.replacement != nullptr
                && record.replacement->GetPrototype() != nullptr)
                animationTime
                    = std::max(animationTime, record.replacement->GetPrototype()->GetAnimationProgress());
        }
    } else {
        if (!CanFreeze(object))
            return;
        GraphicalObject* replacement = ReplacementOf(object);
        if (replacement == nullptr)
            return;
        activeReplacements.push_back(Replace(layer, instance, replacement, collisions, animationTime));
        frontGroups.insert(group);
    }
    // The cells around the piece, its corners left out, that no frozen piece
    // covers yet.
    const Point<int> origin(
        static_cast<int>(instance->GetPosition().x), static_cast<int>(instance->GetPosition().y));
    const Point<int> size = instance->GetSize();
    for (int x = -kCell; x <= size.x; x += kCell) {
        for (int y = -kCell; y <= size.y; y += kCell) {
            const bool inside = x >= 0 && x < size.x && y >= 0 && y < size.y;
            const bool corner = (x < 0 || x >= size.x) && (y < 0 || y >= size.y);
            if (inside || corner)
                continue;
            const Point<int> candidate(origin.x + x, origin.y + y);
            if (!InsideFrozenPiece(candidate) && std::find(next.begin(), next.end(), candidate) == next.end())
                next.push_back(candidate);
        }
    }
}

void PlayerArmorIce::Update()
{
    if (frozenCells.empty() || host == nullptr)
        return;
    Level* level = host->GetCurrentLevel();
    if (level == nullptr)
        return;
    ForgetOtherLevels(level);
    --propagationTimer;
    const std::vector<Point<int>> cells = frozenCells;
    const size_t seeds = seedCount;
    const bool keepQueue = propagationTimer < 0;
    if (!keepQueue) {
        frozenCells.clear();
        seedCount = 0;
    }
    if (GuardPlayer(level))
        return;

    Layer* collisions = CollisionLayerOf(level);
    float animationTime = -1.0f;
    std::vector<Point<int>> next;
    for (size_t i = 0; i < cells.size(); ++i) {
        ForEachCameraLayer(level, kFrontLists, [&](Layer* layer) {
            VisitCell(level, layer, collisions, cells[i], i < seeds, animationTime, next);
        });
    }
    if (!keepQueue)
        frozenCells.insert(frozenCells.end(), next.begin(), next.end());
    else
        propagationTimer = PlayerTuning::Current().iceFrozenPropagationDelay;
    if (frozenCells.empty())
        propagationTimer = 0;
}

void PlayerArmorIce::GroupReplaceableScenery(Level* level)
{
    if (level == nullptr)
        return;
    std::vector<Layer::Instance*> work;
    ForEachCameraLayer(level, {Level::kBackground, Level::kForeground}, [&work](Layer* layer) {
        for (Layer::Instance* instance : layer->GetReplaceableInstances()) {
            if (std::find(work.begin(), work.end(), instance) == work.end())
                work.push_back(instance);
        }
    });
    GroupPieces(std::move(work));
}

void PlayerArmorIce::GroupPieces(std::vector<Layer::Instance*> work)
{
    for (Layer::Instance* instance : work)
        instance->SetAuxIndex(-1);
    int32_t nextGroup = 0;
    // Flood through touching pieces: a piece joins the group of the piece
    // being examined when their rectangles, grown by a pixel, touch.
    while (!work.empty()) {
        Layer::Instance* first = work.front();
        work.erase(work.begin());
        if (first->GetAuxIndex() == -1)
            first->SetAuxIndex(nextGroup++);
        Rect<int> grown = InstanceBox(*first);
        grown.x0 -= 1;
        grown.x1 += 1;
        grown.y0 += 1;
        grown.y1 -= 1;
        size_t insertAt = 0;
        for (size_t i = 0; i < work.size(); ++i) {
            Layer::Instance* other = work[i];
            if (other->GetAuxIndex() != -1 || !Overlaps(grown, InstanceBox(*other)))
                continue;
            other->SetAuxIndex(first->GetAuxIndex());
            // Examined next.
            work.erase(work.begin() + static_cast<std::ptrdiff_t>(i));
            work.insert(work.begin() + static_cast<std::ptrdiff_t>(insertAt++), other);
        }
    }
}
