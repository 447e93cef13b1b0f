#pragma once

#include "scene/Layer.h"

#include <string>

// What a level asks of the armor that replaces its scenery (the ice armor)
// when it prepares the replacements at its entry: the armor's table of
// (object, replacement) pairs, and its list of the level's replaceable
// pieces.
class ArmorReplacementTable {
public:
    virtual ~ArmorReplacementTable() = default;

    // Whether the table of (object, replacement) pairs is still unbuilt.
    virtual bool IsReplacementTableEmpty() const = 0;
    virtual void BuildReplacementTable() = 0;
    // The index of the object's name in the table; -1 when the object has no
    // replacement.
    virtual int GetReplacementIndex(const std::string& objectName) const = 0;
    // A visible piece of scenery of `layer` that the armor may replace; its
    // collision counterpart goes to `collisions`.
    virtual void RecordReplaceable(Layer* layer, Layer::Instance* instance, Layer* collisions) = 0;
};
