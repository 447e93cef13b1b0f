#include "scene/TrailFrame.h"

#include "engine/render/IRenderEngine.h"
#include "engine/render/RenderPoolManager.h"
#include "scene/SceneGameAccess.h"

namespace {

RenderPoolManager* CurrentPool()
{
    return g_RenderEngine ? g_RenderEngine->GetRenderPool() : nullptr;
}

} // namespace

size_t TrailFrame::GetCommandCount()
{
    RenderPoolManager* pool = CurrentPool();
    return pool ? pool->GetFillCommands().size() : 0;
}

Point<int> TrailFrame::GetCameraPosition()
{
    SceneGameAccess* game = GetSceneGameAccess();
    return game != nullptr ? game->GetCameraPosition().ToInt() : Point<int>();
}

std::unique_ptr<RenderCommandSnapshot> TrailFrame::Snapshot(size_t index, Point<int> camera)
{
    RenderPoolManager* pool = CurrentPool();
    if (pool == nullptr || index >= pool->GetFillCommands().size())
        return nullptr;
    auto snapshot = std::make_unique<RenderCommandSnapshot>();
    snapshot->command = pool->GetFillCommands()[index]; // the copy clones the effect
    snapshot->cameraPosition = camera;
    return snapshot;
}

void TrailFrame::Replay(const RenderCommandSnapshot& snapshot, Point<int> camera, uint32_t alpha)
{
    RenderPoolManager* pool = CurrentPool();
    if (pool == nullptr)
        return;
    RenderPoolCommand copy = snapshot.command; // a fresh clone of its effect, owned by the frame slot
    Point<int> travel = snapshot.cameraPosition - camera;
    travel.y = -travel.y; // level y grows upward, screen y downward
    copy.SetPosition(copy.GetPosition() + travel);
    if (copy.GetEffect() == nullptr && copy.GetColour() == 0xFFFFFFFFu)
        copy.SetColour(0x00FFFFFFu | (alpha << 24));
    pool->AddCommand(std::move(copy));
}
