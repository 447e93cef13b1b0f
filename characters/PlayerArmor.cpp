#include "characters/PlayerArmor.h"

#include "characters/PlayerAnimationSet.h"
#include "characters/PlayerArmorHost.h"
#include "engine/serial/Rect.h"
#include "scene/ArmorReplacement.h"
#include "scene/GraphicalObject.h"
#include "scene/Level.h"
#include "scene/SceneGameAccess.h"
#include "scene/SpriteReferences.h"

void PlayerArmor::OnSelected(bool /*silent*/)
{
    ApplyAnimationSet();
}

int PlayerArmor::FindBySourceName(const PairList& pairs, const std::string& name)
{
    for (size_t i = 0; i < pairs.size(); ++i) {
        if (pairs[i].first != nullptr && pairs[i].first->GetName() == name)
            return static_cast<int>(i);
    }
    return -1;
}

int PlayerArmor::FindByReplacementName(const PairList& pairs, const std::string& name)
{
    for (size_t i = 0; i < pairs.size(); ++i) {
        if (pairs[i].second != nullptr && pairs[i].second->GetName() == name)
            return static_cast<int>(i);
    }
    return -1;
}

PlayerArmor::PairList PlayerArmor::BuildPairs(const std::vector<ArmorReplacement>& list)
{
    PairList pairs;
    SceneGameAccess* game = GetSceneGameAccess();
    for (const ArmorReplacement& record : list) {
        GraphicalObject* object = game ? game->FindGraphicalObject(record.GetObjectName()) : nullptr;
        GraphicalObject* replacement
            = game ? game->FindGraphicalObject(record.GetReplacementName()) : nullptr;
        pairs.emplace_back(object, replacement);
    }
    return pairs;
}

void PlayerArmor::BuildOnce(
    const std::vector<ArmorReplacement>& primary, const std::vector<ArmorReplacement>* secondary)
{
    if (built != 0)
        return;
    replacementPairs = BuildPairs(primary);
    secondaryPairs = secondary != nullptr ? BuildPairs(*secondary) : PairList {};
    built = 1;
}

void PlayerArmor::BuildAnimationSets(const std::string& kind)
{
    const std::pair<ArmorAnimationSet*, const char*> sets[] = {{&setA, "]"}, {&setB, "2]"}, {&setC, "C]"}};
    for (const auto& [set, close] : sets) {
        const std::string prefix = "[" + kind + close + "Player ";
        for (int slot = 0; slot < ArmorAnimationSet::kAnimationCount; ++slot)
            set->animations[static_cast<size_t>(slot)]
                = FindLibraryAnimatedSprite(prefix + PlayerAnimationSet::SlotName(slot));
    }
}

PlayerArmorState* PlayerArmor::GetState() const
{
    return host != nullptr ? &host->GetArmorState() : nullptr;
}

Layer* PlayerArmor::CollisionLayerOf(Level* level)
{
    return level != nullptr ? level->GetLayer(2, "Collisions") : nullptr;
}

ArmorActiveReplacement PlayerArmor::Replace(Layer* layer, Layer::Instance* instance,
    GraphicalObject* replacement, Layer* collisionLayer, float animationTime)
{
    ArmorActiveReplacement record;
    if (layer == nullptr || instance == nullptr || replacement == nullptr)
        return record;
    const Point<float> at = instance->GetPosition();
    record.replaced = instance;
    record.layer = layer;
    // Each piece gets its own copy so that it melts on its own.
    record.replacement = layer->AddGraphicalObject(replacement, at.x, at.y, true, 2);
    if (record.replacement != nullptr && animationTime >= 0.0f && record.replacement->GetPrototype())
        record.replacement->GetPrototype()->SetAnimationProgress(animationTime);
    if (collisionLayer != nullptr) {
        record.collisionLayer = collisionLayer;
        record.collisionCopy = collisionLayer->AddGraphicalObject(replacement, at.x, at.y, true, 0);
        if (record.collisionCopy != nullptr)
            record.collisionCopy->SetVisible(false);
    }
    instance->SetVisible(false);
    return record;
}

void PlayerArmor::Restore(const ArmorActiveReplacement& record)
{
    if (record.replaced != nullptr)
        record.replaced->SetVisible(true);
    if (record.layer != nullptr && record.replacement != nullptr)
        record.layer->DeleteInstance(record.replacement);
    if (record.collisionLayer != nullptr && record.collisionCopy != nullptr) {
        record.collisionCopy->DestroyCollisionBodies();
        record.collisionLayer->DeleteInstance(record.collisionCopy);
    }
}

void PlayerArmor::ForgetOtherLevels(Level* current)
{
    if (recordsLevel != current) {
        Reset();
        recordsLevel = current;
    }
}

void PlayerArmor::UpdateReplacements(size_t first)
{
    if (first >= activeReplacements.size())
        return;
    for (size_t i = first; i < activeReplacements.size(); ++i)
        Restore(activeReplacements[i]);
    activeReplacements.erase(
        activeReplacements.begin() + static_cast<std::ptrdiff_t>(first), activeReplacements.end());
}

void PlayerArmor::ApplyAnimationSet()
{
    if (host != nullptr)
        host->ApplyAnimationSet(GetAnimationSet());
}

void PlayerArmor::ApplyAnimationSetC()
{
    if (host != nullptr)
        host->ApplyAnimationSet(setC);
}

void PlayerArmor::ApplyReplacementsInZone(int width, int height)
{
    Level* current = host != nullptr ? host->GetCurrentLevel() : nullptr;
    Layer* collisions = CollisionLayerOf(current);
    if (current == nullptr || collisions == nullptr)
        return;
    ForgetOtherLevels(current);
    const Point<float> position = host->GetArmorHostPosition();
    const int px = static_cast<int>(position.x);
    const int py = static_cast<int>(position.y);
    const Point<int> corner(px - width / 2 + 32, py + height / 2 + 48);
    const Point<int> opposite(corner.x + width, corner.y - height);
    for (int list = 0; list < 3; ++list) {
        for (int i = 0; i < current->GetLayerCount(list); ++i) {
            Layer* layer = current->GetLayerAt(list, i);
            // Every layer that scrolls with the camera, "Collisions" too.
            if (layer == nullptr || layer->GetScrollFactor().x != 1.0f || layer->GetScrollFactor().y != 1.0f)
                continue;
            Layer::InstanceList found;
            layer->CollectInstancesInRect(corner, opposite, found, false);
            for (Layer::Instance* instance : found) {
                if (!instance->IsVisible() || instance->GetPrototype() == nullptr)
                    continue;
                const int pair = FindBySourceName(replacementPairs, instance->GetPrototype()->GetName());
                if (pair < 0 || replacementPairs[static_cast<size_t>(pair)].second == nullptr)
                    continue;
                activeReplacements.push_back(Replace(
                    layer, instance, replacementPairs[static_cast<size_t>(pair)].second, collisions, -1.0f));
            }
        }
    }
}
