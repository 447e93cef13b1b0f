#include "scene/SceneRenderBridge.h"

bool SceneRenderBridge::EngineRecords()
{
    return false;
}

bool SceneRenderBridge::QueueGraphicalObjectImages(GraphicalObject*)
{
    return false;
}

bool SceneRenderBridge::DrawGraphicalObject(
    GraphicalObject*, DXGraphicalSurface*, int, int, int, int, float, Point<int>, Point<int>)
{
    return false;
}
