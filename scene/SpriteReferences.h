#pragma once

#include <istream>
#include <ostream>

class AnimatedSprite;
class Sprite;

// Readers of the reference form of sprites and animated sprites: one line
// with the name, looked up in the game library. The caller has already read
// the reference's class line. Null when nothing bears the name.
Sprite* UnSerializeSpriteReference(std::istream& is);
AnimatedSprite* UnSerializeAnimatedSpriteReference(std::istream& is);

// Writes "SceneObjectNULL", the marker that stands for an absent scene-object
// member.
bool WriteNullSceneObject(std::ostream& os);
