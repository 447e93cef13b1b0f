#pragma once

#include "bosses/WeakCharacter.h"
#include "characters/CharacterObject.h"
#include "engine/serial/TypeNames.h"

#include <memory>
#include <string>
#include <vector>

class GraphicalObject;

// One beam of the garden skull's columns, or one segment trailing a beam: a
// head advances 32 pixels each time its animation moves on a frame, and its
// segments (frames 1 to 8 of the same animation) appear one per step behind
// it. Made disabled; fired at every beam attack.
class Projectile_Boss_Garden_Beam : public CharacterObject {
public:
    static constexpr int kBase = 0;
    static constexpr int kDown = 1;
    static constexpr int kUp = 2;

    explicit Projectile_Boss_Garden_Beam(std::string name);
    ~Projectile_Boss_Garden_Beam() override;

    void Update(double dt) override;
    // A beam beyond its drawing limit is not drawn.
    bool Draw(DXGraphicalSurface* target, Point<int> offset) override;
    Point<int> GetSize() const override;

    // Looks up the picture of its state.
    void FetchSprites();
    // Shows the picture of its state.
    void PickSprite();
    // Makes the segments that trail it.
    void BuildSegments();
    // Sends it and its segments out again from where it stands.
    void Fire();

    int GetShownFrame() const { return shownFrame; }
    void SetShownFrame(int value) { shownFrame = value; }
    int GetDrawLimitX() const { return drawLimitX; }
    void SetDrawLimitX(int value) { drawLimitX = value; }
    int GetRaiseTimer() const { return raiseTimer; }
    void SetRaiseTimer(int value) { raiseTimer = value; }
    size_t GetSegmentCount() const { return segments.size(); }
    // Segment i, or null once removed.
    Projectile_Boss_Garden_Beam* GetSegment(size_t i) const { return segments[i].Get(); }
    // Whether the drawing limit hides it where it stands.
    bool IsBeyondDrawLimit() const;

private:
    std::unique_ptr<GraphicalObject> spriteBeamBase;
    std::unique_ptr<GraphicalObject> spriteBeamDown;
    std::unique_ptr<GraphicalObject> spriteBeamUp;
    int shownFrame = 0;
    int drawLimitX = 0;
    int raiseTimer = 0;
    std::vector<WeakCharacter<Projectile_Boss_Garden_Beam>> segments;
};
