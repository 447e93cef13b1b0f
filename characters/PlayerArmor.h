#pragma once

#include "characters/ArmorAnimationSet.h"
#include "characters/PlayerModifier.h"
#include "engine/serial/Point.h"
#include "scene/Layer.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class ArmorReplacement;
struct PlayerArmorState;
class GraphicalObject;
class Level;

// A piece of scenery an armor has changed and that is still changed: the
// placed instance that was replaced (hidden), the instance of its
// replacement shown in its place, and the hidden copy of the replacement in
// the "Collisions" layer that gives it its collision boxes.
struct ArmorActiveReplacement {
    Layer::Instance* replaced = nullptr;
    Layer::Instance* replacement = nullptr;
    Layer::Instance* collisionCopy = nullptr;
    Layer* layer = nullptr;
    Layer* collisionLayer = nullptr;
};

// Base of the fire and ice armors: their animation sets, the (object,
// replacement) pairs built from the armor replacement lists, the scenery
// changed now and the armor's level.
class PlayerArmor : public PlayerModifier {
public:
    using Pair = std::pair<GraphicalObject*, GraphicalObject*>;
    using PairList = std::vector<Pair>;

    using PlayerModifier::PlayerModifier;

    void OnSelected(bool silent) override;
    void OnDeselected() override { }
    void Use() override { }
    // Forgets the changed scenery without restoring it (the level is gone).
    void Reset() override
    {
        activeReplacements.clear();
        recordsLevel = nullptr;
    }
    // The records point into the level they were made in: once another level
    // runs they are forgotten (Reset) instead of being followed.
    void ForgetOtherLevels(Level* current);

    static int FindBySourceName(const PairList& pairs, const std::string& name);
    static int FindByReplacementName(const PairList& pairs, const std::string& name);
    // Replaces the visible scenery of the zone around the player that has a
    // replacement in the pairs.
    void ApplyReplacementsInZone(int width, int height);
    // Restores the records from `first` on and erases them.
    void UpdateReplacements(size_t first);
    void ApplyAnimationSet();
    void ApplyAnimationSetC();
    virtual Point<int> GetReplaceZoneSize() const = 0;
    const ArmorAnimationSet& GetAnimationSet() const { return level == 2 ? setB : setA; }
    const ArmorAnimationSet& GetAnimationSetA() const { return setA; }
    const ArmorAnimationSet& GetAnimationSetB() const { return setB; }
    const ArmorAnimationSet& GetAnimationSetC() const { return setC; }

    int32_t GetLevel() const { return level; }
    void SetLevel(int32_t value) { level = value; }
    bool IsBuilt() const { return built != 0; }
    const PairList& GetReplacementPairs() const { return replacementPairs; }
    std::vector<ArmorActiveReplacement>& GetActiveReplacements() { return activeReplacements; }

    // Turns a replacement list into pairs by looking both names up among the
    // game's graphical objects (a missing name gives a null member).
    static PairList BuildPairs(const std::vector<ArmorReplacement>& list);
    // Freezes one placed instance of layer: a copy of the replacement shown
    // at its place and a hidden one in the collision layer, the instance
    // hidden. The replacement animation starts at animationTime (seconds);
    // a negative time leaves it at its start.
    static ArmorActiveReplacement Replace(Layer* layer, Layer::Instance* instance,
        GraphicalObject* replacement, Layer* collisionLayer, float animationTime);
    // Undoes Replace: the instance shown again, both copies deleted.
    static void Restore(const ArmorActiveReplacement& record);

protected:
    // Builds the pairs from the lists, once.
    void BuildOnce(
        const std::vector<ArmorReplacement>& primary, const std::vector<ArmorReplacement>* secondary);
    // Fills the three sets with the game's animated sprites named
    // "[<kind>]", "[<kind>2]" and "[<kind>C]" followed by "Player " and the
    // slot's name ("[Ice]Player GraphicalIdleR"); a missing name leaves
    // its slot empty, so the player keeps its own pose there.
    void BuildAnimationSets(const std::string& kind);
    // The player's charges; null without a player.
    PlayerArmorState* GetState() const;
    // The level's "Collisions" layer; null without one.
    static Layer* CollisionLayerOf(Level* level);

    ArmorAnimationSet setA;
    ArmorAnimationSet setB;
    ArmorAnimationSet setC;
    PairList replacementPairs;
    PairList secondaryPairs;
    std::vector<ArmorActiveReplacement> activeReplacements;
    int32_t level = 1;
    int32_t built = 0;
    // The level whose scenery activeReplacements points into.
    Level* recordsLevel = nullptr;
};
