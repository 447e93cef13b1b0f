#pragma once

#include "engine/serial/Point.h"

class CharacterObject;
class b2Fixture;

// Box2D lengths are pixels times 0.025; pixels are Box2D lengths times 40.
inline constexpr float kPixelsToWorld = 0.025f;
inline constexpr float kWorldToPixels = 40.0f;

// Index, in the character's shape list, of the box that gave the last push of
// CollideCharacterWithPolygon; the layer's movement collision reads it.
extern int g_LastPushingCharacterBox;

// The character's boxes, moved by offset, against one polygon fixture of the
// level's collision world. On contact, result = offset corrected by the
// push that moves the character's box out of the fixture (pixels).
bool CollideCharacterWithPolygon(CharacterObject* character, b2Fixture* fixture, const Point<float>* offset,
    Point<float>* result);
