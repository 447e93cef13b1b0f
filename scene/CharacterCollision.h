#pragma once

#include "engine/serial/Point.h"
#include "engine/serial/Rect.h"

class SceneCharacter;
class GraphicalObject;
class b2Fixture;
template <class T, class C> class SpacialInstance;

// Box2D lengths are pixels times 0.025; pixels are Box2D lengths times 40.
inline constexpr float kPixelsToWorld = 0.025f;
inline constexpr float kWorldToPixels = 40.0f;

// Index, in the character's shape list, of the box that gave the last push of
// CollideCharacterWithPolygon; the layer's movement collision reads it.
extern int g_LastPushingCharacterBox;

// The character's boxes, moved by offset, against one polygon fixture of the
// level's collision world. On contact, result = offset corrected by the
// push that moves the character's box out of the fixture (pixels).
bool CollideCharacterWithPolygon(
    SceneCharacter* character, b2Fixture* fixture, const Point<float>* offset, Point<float>* result);

// The character's circle (radius, centred at its position plus (centreX,
// centreY)) swept by motion against one edge fixture. On a hit, result is the
// part of the motion before the contact. With bit 0 of flags set only a
// contact from above the slope of the fixture's line counts.
bool SweepCharacterCircle(SceneCharacter* character, const Point<float>* motion, b2Fixture* fixture,
    Point<float>* result, float radius, int flags, float centreX, float centreY);

// The character's boxes against the boxes of the instance's graphical object.
// Without sweep: true at the first overlapping pair (result untouched). With
// sweep: the character moves by displacement; result is the shortest push of
// all hits, or the displacement when nothing is hit. Only boxes of typeFilter
// (-1: any) take part, and none that overlaps a non-zero exclusion rectangle.
bool CollideCharacterWithObject(SceneCharacter* character, SpacialInstance<GraphicalObject, float>* instance,
    const Point<float>* displacement, bool sweep, Point<float>* result, int typeFilter,
    const Rect<int>* exclusion);
