#pragma once

#include "engine/serial/Point.h"

class GraphicalObject;
class DXGraphicalSurface;

// The places where the scene model hands work to the render engine and its
// render pool. Until those are part of the build the bridge behaves
// neutrally: nothing records, nothing is queued and a draw draws nothing.
class SceneRenderBridge {
public:
    // True while the render engine records draws for the render thread.
    static bool EngineRecords();

    // Hands the object to the render pool's image pass; false when there is
    // no render pool to take it (the caller then acquires the images itself).
    static bool QueueGraphicalObjectImages(GraphicalObject* object);

    // The render engine's DrawGraphicalObject with the arguments unchanged.
    static bool DrawGraphicalObject(GraphicalObject* object, DXGraphicalSurface* target, int x, int y, int p5,
        int p6, float rotation, Point<int> origin, Point<int> clipSize);
};
