#pragma once

#include "engine/serial/Point.h"
#include "script/BackgroundEvent.h"

#include <string>

// Waits until the game camera, sent travelling by the event's creator, has
// reached or passed a point: each logic tick it compares the camera's
// position before (Run) and after (Update) the frame's travel step. A camera
// that did not move counts as arrived. With stop travel on arrival, arrival
// also ends the camera's travel.
class BGEvent_ChangeCameraTo : public BackgroundEvent {
public:
    BGEvent_ChangeCameraTo(std::string name, bool stopTravelOnArrival, int targetX, int targetY);

    void Run() override;
    bool Update() override;
    std::string GetTypeName() const override { return "BGEvent_ChangeCameraTo"; }

    Point<int> GetTarget() const { return target; }
    // Whether the target lies in the rectangle spanned by two positions
    // (bounds included).
    static bool IsPassed(Point<int> from, Point<int> to, Point<int> target);

private:
    bool stopTravelOnArrival;
    Point<int> target;
    Point<int> lastCameraPosition;
};
