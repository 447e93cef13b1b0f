#pragma once

#include "engine/serial/Point.h"
#include "scene/CameraTuning.h"

#include <vector>

class SceneCharacter;
class GraphicalObject;
class Level;
template <class T, class C> class SpacialInstance;

// The 512 x 448 view into the level: (x, y) is its lower-left corner in level
// pixels (level y grows upward). Each frame it follows the focused character
// with a look-ahead in the direction of movement, or travels to a target for
// a cut-scene; camera blockers placed in the scene layers hold it at the
// edges of rooms.
class Camera {
public:
    // The view's size in pixels; its far edges lie one pixel less from its
    // corner, its centre half the size.
    static constexpr int kViewWidth = 512;
    static constexpr int kViewHeight = 448;
    static constexpr int kViewFarX = kViewWidth - 1;
    static constexpr int kViewFarY = kViewHeight - 1;
    static constexpr int kViewHalfWidth = kViewWidth / 2;
    static constexpr int kViewHalfHeight = kViewHeight / 2;

    // The defaults: at (0, 0), view 512 x 448, speed 5.0, mode 2.
    void Reset();
    void StopTravel();

    // The per-frame move: follows the focus (follow true, mode 2, no travel),
    // or snaps to the blocked position or the travel target, or steps toward
    // it while travelling.
    static void UpdateTravel(Camera& camera, SceneCharacter* focus, bool follow);
    static void FollowCharacter(Camera& camera, SceneCharacter* focus);

    // The placed instances of the scene layers' blocker grids in the cell of
    // the point and its eight neighbours.
    std::vector<SpacialInstance<GraphicalObject, float>*> CollectBlockers(Point<int> point) const;
    // Moves a candidate corner so that no blocker's far side shows.
    void ApplyBlockers(float& cx, float& cy, Point<int> searchPoint) const;

    // One frame's step for a speed: v x 32 x 33 x 0.001 pixels.
    static float StepFor(float v);

    float GetX() const { return x; }
    float GetY() const { return y; }
    void SetPosition(float px, float py)
    {
        x = px;
        y = py;
    }
    Point<int> GetViewSize() const { return Point<int>(viewWidth, viewHeight); }
    // Starts a travel that centres the point in the view.
    void TravelTo(Point<float> point)
    {
        targetX = point.x - kViewHalfWidth;
        targetY = point.y - kViewHalfHeight;
        travelling = true;
    }
    bool IsTravelling() const { return travelling; }
    Point<float> GetTarget() const { return Point<float>(targetX, targetY); }
    float GetFollowLerp() const { return followLerp; }
    // The travel speed (5.0 after Reset and StopTravel), in tiles per second
    // before the speed factor.
    float GetTravelSpeed() const { return speed; }
    void SetTravelSpeed(float value) { speed = value; }
    // The speed factor, which "setcameraspeed" sets.
    float GetSpeed() const { return speedFactor; }
    void SetSpeed(float factor) { speedFactor = factor; }
    // The level whose blockers hold the camera (not owned; the game sets it
    // at each level change).
    void SetLevel(Level* l) { level = l; }

private:
    float x = 0.0f;
    float y = 0.0f;
    float lastX = 0.0f;
    float lastY = 0.0f;
    int viewWidth = kViewWidth;
    int viewHeight = kViewHeight;
    float speed = 5.0f;
    float speedFactor = CameraTuning::Current().travelSpeed;
    float targetX = 0.0f;
    float targetY = 0.0f;
    bool travelling = false;
    int mode = 2;
    float followLerp = 0.0f;
    Level* level = nullptr;
};
