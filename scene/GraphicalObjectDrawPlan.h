#pragma once

#include <vector>

#include "engine/serial/Point.h"
#include "engine/serial/Rect.h"

class GraphicalObject;
class Sprite;

// The sprite draws that drawing a graphical object amounts to: each entry of
// its drawing table resolved to a sprite, a screen position and the source
// rectangle that lies inside the object (cut on the left and top, clipped,
// and split into pieces when the instance wraps). The render engine issues
// one sprite draw per piece, in order.
class GraphicalObjectDrawPlan {
public:
    struct Piece {
        Sprite* sprite = nullptr; // may be null (an animation past its frames)
        Point<int> position;
        Rect<int> source;
        float rotation = 0.0f;
        bool mirrored = false;
        int entry = 0; // the drawing-table entry the piece belongs to
    };

    // Plans the draws of the object with its upper-left corner at (x, y).
    // origin is subtracted from every instance offset; a clip size with both
    // components non-zero limits the source rectangles. False when an entry
    // names an instance the object does not have: the pieces of the entries
    // before it are kept, and nothing after it is planned.
    static bool Build(GraphicalObject* object, int x, int y, Point<int> origin, Point<int> clipSize,
        std::vector<Piece>& pieces);

    // One piece of a wrapping sprite: the position and source of the part
    // drawn for the wrap offset, each axis on its own. offset is the instance
    // offset minus the origin.
    static void WrapPiece(Point<int>& position, Rect<int>& source, Point<int> offset, Point<int> wrap);
};
