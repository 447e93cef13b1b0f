#pragma once

#include <istream>
#include <ostream>
#include <string>

class AnimatedSprite;
class Sprite;

// Readers of the reference form of sprites and animated sprites: one line
// with the name, looked up in the game library. The caller has already read
// the reference's class line. Null when nothing bears the name, and for a
// damaged name line (see ReadTextLine).
Sprite* UnSerializeSpriteReference(std::istream& is);
AnimatedSprite* UnSerializeAnimatedSpriteReference(std::istream& is);

// The sprite and animated sprite of the game library bearing `name`, or null.
Sprite* FindLibrarySprite(const std::string& name);
AnimatedSprite* FindLibraryAnimatedSprite(const std::string& name);

// Writes "SceneObjectNULL", the marker that stands for an absent scene-object
// member.
bool WriteNullSceneObject(std::ostream& os);
