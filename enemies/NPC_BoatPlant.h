#pragma once

#include "characters/CharacterObject.h"

#include <cstdint>
#include <memory>
#include <string>

class GraphicalObject;
template <class T, class C> class SpacialInstance;

// A rooted pod plant of the boat that hurts on contact and, while alive,
// keeps up to `parameter` NPC_BoatIns insects in the air: one more every 61
// updates while fewer live. The insects fly in the placed zone its spawner
// names. An ice area hit counts twice. Its killing blow plays the dying
// look; the plant leaves once that has played.
class NPC_BoatPlant : public CharacterObject {
public:
    static constexpr int kAlive = 0;
    static constexpr int kDying = 2;
    // An insect is made once the timer has passed this.
    static constexpr int kInsectDelay = 60;

    explicit NPC_BoatPlant(std::string name);
    ~NPC_BoatPlant() override;

    void Update(double dt) override;
    std::vector<GraphicalObject*> GetRelatedGraphicalObjects() override;
    Point<int> GetSize() const override;
    void ReceiveHit(CharacterObject* attacker, int kind, float amount) override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;
    // The base's death, then its insects fly on without an owner.
    void Die() override;

    // An insect of this plant has died.
    void InsectDied() { --liveInsects; }
    int GetLiveInsects() const { return liveInsects; }
    // The insects' rectangle (left, top, right, bottom, y up); zero without
    // a zone.
    Rect<int> InsectZone() const;

    // The insect limit its spawner hands over.
    int32_t parameter = 1;
    // The placed zone whose rectangle the plant's insects keep to (not
    // owned); null when none.
    SpacialInstance<GraphicalObject, float>* linkedZone = nullptr;

private:
    void MakeInsect();

    int liveInsects = 0;
    std::unique_ptr<GraphicalObject> idle;
    std::unique_ptr<GraphicalObject> dying;
};
