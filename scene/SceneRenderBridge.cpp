#include "scene/SceneRenderBridge.h"

#include "engine/render/DXGraphicalSurface.h"
#include "engine/render/DXRenderEngine.h"
#include "engine/render/RenderPoolManager.h"

namespace {

RenderPoolManager* ThreadedPool()
{
    RenderPoolManager* pool = g_RenderEngine ? g_RenderEngine->GetRenderPool() : nullptr;
    return pool && pool->HasThread() ? pool : nullptr;
}

} // namespace

bool SceneRenderBridge::EngineRecords()
{
    auto* engine = dynamic_cast<DXRenderEngine*>(g_RenderEngine);
    return engine && engine->IsRecording() && ThreadedPool();
}

bool SceneRenderBridge::QueueGraphicalObjectImages(GraphicalObject* object)
{
    RenderPoolManager* pool = ThreadedPool();
    if (!pool)
        return false;
    pool->QueueGraphicalObjectImages(object);
    return true;
}

bool SceneRenderBridge::DrawGraphicalObject(GraphicalObject* object, DXGraphicalSurface* target, int x, int y,
    int p5, int p6, float rotation, Point<int> origin, Point<int> clipSize)
{
    if (!g_RenderEngine)
        return false;
    return g_RenderEngine->DrawGraphicalObject(object, target, x, y, p5, p6, rotation, origin, clipSize);
}
