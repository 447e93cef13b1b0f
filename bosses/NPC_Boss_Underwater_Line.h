#pragma once

#include "characters/CharacterObject.h"

#include <memory>
#include <string>
#include <vector>

class GraphicalObject;
class Projectile_Boss_Underwater;

// One of the anemone's turning arms, with an eye at its far end. Its boxes
// turn with it about its pivot; it takes 5 life of blows; when it dies its
// eye goes (or, the last one, flies to the body) and a cross of beams fires
// from where it was struck.
class NPC_Boss_Underwater_Line : public CharacterObject {
public:
    static constexpr int kLife = 5;
    static constexpr int kSegments = 41;
    static constexpr int kRings = 9;
    static constexpr float kBeamStep = 64.0f;

    explicit NPC_Boss_Underwater_Line(std::string name);
    ~NPC_Boss_Underwater_Line() override;

    static std::string VersionedClassName() { return std::string("NPC_Boss_Underwater_Line") + "V0"; }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    // The base's, then "NPC_Boss_Underwater_EyeKilled", its death sound.
    void DeclareSounds() override;
    void Update(double dt) override;
    Point<int> GetSize() const override;
    bool DamagePlayerOnContact() override;
    bool IsHitByBox(Rect<int> box, bool flag) override;
    bool AttackHitsBox(Rect<int> box) override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;
    int GetDeathSoundIndex() const override { return 2; }
    // Long enough that the scythe's reach test always takes it in.
    float GetSizeSquared() const override { return 1048576.0f; }

    // The long arm's look.
    void MakeLong();
    float GetAngle() const { return angle; }
    void SetAngle(float value) { angle = value; }
    Projectile_Boss_Underwater* GetEye() const { return eye; }
    const std::vector<Projectile_Boss_Underwater*>& GetSegments() const { return segments; }
    // The boxes of the type, turned about the pivot, in the world.
    std::vector<Rect<int>> TurnedBoxes(bool attack);

private:
    bool Pivot(Point<float>& pivot);
    Point<float> TurnShift(Rect<int> box, Point<float> pivot) const;
    void FireBeams();

    std::unique_ptr<GraphicalObject> sprite;
    float angle = 0.0f;
    std::vector<Projectile_Boss_Underwater*> segments;
    Projectile_Boss_Underwater* eye = nullptr;
};
