// The layer's drawing and its per-frame passes.

#include "engine/render/DXGraphicalSurface.h"
#include "engine/render/DXRenderEngine.h"
#include "engine/render/IRenderEngine.h"
#include "engine/render/RenderPoolManager.h"
#include "scene/GameplayObject.h"
#include "scene/Layer.h"
#include "scene/LayerParticles.h"
#include "scene/SceneCharacter.h"
#include "scene/SceneGameAccess.h"

#include <cmath>
#include <vector>

namespace {

// The largest multiple of n not above v, also for negative values.
int FloorToMultiple(int v, int n)
{
    const int q = v / n;
    return (v % n != 0 && v < 0 ? q - 1 : q) * n;
}

int RecordedCount(RenderPoolManager& pool)
{
    return static_cast<int>(pool.GetFillCommands().size());
}

// Copies the commands recorded since the mark to the overlay commands, each
// with a clone of its effect, so that the copy owns its own.
void CaptureSince(RenderPoolManager& pool, int mark)
{
    std::vector<RenderPoolCommand*> recorded;
    pool.GetCommandsFrom(mark, recorded);
    for (const RenderPoolCommand* command : recorded) {
        RenderPoolCommand copy;
        copy.CloneEffect(*command);
        g_DeferredCommands.push_back(std::move(copy));
    }
}

} // namespace

Point<int> Layer::GetDrawOffset(Point<int> origin) const
{
    // The origin is the view's lower-left corner in level coordinates; the
    // instances are placed from its upper-left corner.
    const int height = surface ? surface->GetSize().y : kCellHeight;
    return Point<int>(origin.x, origin.y + height);
}

Point<float> Layer::GetScrollPosition() const
{
    SceneGameAccess* game = GetSceneGameAccess();
    const Point<float> camera = game ? game->GetCameraPosition() : Point<float>();
    return Point<float>(camera.x * scrollFactor.x, camera.y * scrollFactor.y);
}

bool Layer::Draw(Point<int> origin)
{
    if (!visible)
        return true;
    if (surface)
        surface->Activate();
    // A layer the cut-scene shows has its draws copied to the overlay
    // commands from here.
    SceneGameAccess* game = GetSceneGameAccess();
    // Null in direct mode, where nothing is recorded and so nothing can be
    // captured.
    auto* engine = dynamic_cast<DXRenderEngine*>(g_RenderEngine);
    RenderPoolManager* pool = engine != nullptr ? engine->GetRecordingPool() : nullptr;
    int mark = -1;
    if (pool != nullptr && game != nullptr && game->IsCapturedLayer(this))
        mark = RecordedCount(*pool);
    if (g_RenderEngine != nullptr)
        g_RenderEngine->SetLayerSpeed(scrollFactor.x);
    const Point<int> offset = GetDrawOffset(origin);
    const Rect<float> addedArea(static_cast<float>(origin.x - 448), static_cast<float>(origin.y + 1024),
        static_cast<float>(origin.x + 896), static_cast<float>(origin.y - 512));
    bool result = true;
    // The crossbow cut-scene's crossbow, placed on the player's layer, shows
    // above the darkening too (unless the whole layer already does).
    const bool captureCrossbow
        = pool != nullptr && mark == -1 && hostsPlayer && game != nullptr && game->GetCaptureState() == 3;
    auto drawAdded = [&]() {
        for (auto& added : addedInstances) {
            if (!added->IsVisible() || !Rect<float>::Contains(addedArea, added->GetPosition()))
                continue;
            const bool crossbow = captureCrossbow && added->GetPrototype() != nullptr
                && added->GetPrototype()->GetName().find("Projectile_Crossbow") != std::string::npos;
            const int before = crossbow ? RecordedCount(*pool) : -1;
            if (result)
                result = added->Draw(surface.get(), offset);
            if (crossbow)
                CaptureSince(*pool, before);
        }
    };

    if (!drawPlacedInstances) {
        drawAdded();
        return result;
    }

    // Auto-scroll, one step per game tick.
    const auto width = static_cast<float>(bounds.x1 - bounds.x0);
    if (game != nullptr && game->IsFixedStepTick() && autoScrollSpeed != 0.0f) {
        autoScrollOffset += autoScrollSpeed;
        if (width <= autoScrollOffset)
            autoScrollOffset -= width;
        if (autoScrollOffset <= -width)
            autoScrollOffset += width;
    }
    const int scroll = static_cast<int>(autoScrollOffset);
    const int wrapShift = scroll > 0 ? static_cast<int>(width - autoScrollOffset)
                                     : static_cast<int>(-width - autoScrollOffset);

    // The four cells around the view; an instance filed under two of them
    // is drawn from the first only.
    for (int dx : {0, kCellWidth}) {
        for (int dy : {0, kCellHeight}) {
            const Point<int> corner(origin.x + dx, origin.y + dy);
            Point<int> cell;
            if (!PointToCell(corner, &cell))
                continue;
            const int cellX = FloorToMultiple(corner.x, kCellWidth);
            const int cellY = FloorToMultiple(corner.y, kCellHeight);
            for (Instance* instance : cellGrid[static_cast<size_t>(cell.x)][static_cast<size_t>(cell.y)]) {
                const Point<float> p = instance->GetPosition();
                if ((dx == kCellWidth && p.x < static_cast<float>(cellX))
                    || (dy == kCellHeight && p.y < static_cast<float>(cellY)))
                    continue;
                if (result)
                    result = instance->Draw(surface.get(), Point<int>(offset.x - scroll, offset.y));
                if (result && scroll != 0)
                    result = instance->Draw(surface.get(), Point<int>(offset.x + wrapShift, offset.y));
            }
        }
    }

    drawAdded();
    if (hostsPlayer && surface && game != nullptr && game->HasPlayer()) {
        DrawCharacters(origin);
        // The player, then its fireflies unless the game's override took them.
        game->DrawPlayer(surface.get(), GetDrawOffset(origin));
        if (game->GetFireflyOverrideIndex() == -1)
            game->DrawPlayerFireflies(surface.get(), GetDrawOffset(origin));
        DrawCharactersFlagged(origin);
    }
    if (drawFrontCharacters && surface && game != nullptr && game->HasPlayer())
        DrawFrontCharacters(origin);
    if (mark != -1) {
        CaptureSince(*pool, mark);
        mark = RecordedCount(*pool);
    }
    if (result)
        result = DrawParticleSystems(origin);
    else
        DrawParticleSystems(origin);
    if (mark != -1)
        CaptureSince(*pool, mark);
    return result;
}

namespace {

// Draws the game's live characters that are not hidden and that the filter
// picks, in list order, every one whatever the earlier draws returned: true
// for none, else the result of the last draw.
template <class Pick> bool DrawLiveCharacters(DXGraphicalSurface* surface, Point<int> offset, Pick pick)
{
    SceneGameAccess* game = GetSceneGameAccess();
    bool result = true;
    if (game == nullptr)
        return result;
    for (size_t i = 0; i < game->GetLiveCharacterCount(); ++i) {
        SceneCharacter* character = game->GetLiveCharacter(i);
        if (character != nullptr && !character->IsHidden() && pick(*character))
            result = character->Draw(surface, offset);
    }
    return result;
}

} // namespace

bool Layer::DrawCharacters(Point<int> origin)
{
    return DrawLiveCharacters(surface.get(), GetDrawOffset(origin),
        [](const SceneCharacter& c) { return !c.IsDrawnFlagged() && !c.IsDrawnInFront(); });
}

bool Layer::DrawCharactersFlagged(Point<int> origin)
{
    return DrawLiveCharacters(surface.get(), GetDrawOffset(origin),
        [](const SceneCharacter& c) { return c.IsDrawnFlagged() && !c.IsDrawnInFront(); });
}

bool Layer::DrawFrontCharacters(Point<int> origin)
{
    return DrawLiveCharacters(
        surface.get(), GetDrawOffset(origin), [](const SceneCharacter& c) { return c.IsDrawnInFront(); });
}

bool Layer::DrawParticleSystems(Point<int> origin)
{
    const Point<int> offset = GetDrawOffset(origin);
    bool result = true;
    for (auto& system : particleSystems) {
        if (system && result)
            result = system->Draw(surface.get(), offset);
    }
    return result;
}

void Layer::UpdateOwnedObjects(double dt)
{
    for (auto& added : addedInstances) {
        if (added->GetPrototype() != nullptr && added->IsOwned())
            added->GetPrototype()->Update(dt);
    }
}

void Layer::ForEachGameplayInstance(
    const std::string& classFilter, const std::function<void(GameplayObject&, Instance*)>& visit)
{
    for (Instance* instance : gameplayInstances) {
        SceneObjectInstance* payload = instance->GetPayload();
        if (payload == nullptr)
            continue;
        if (!classFilter.empty() && payload->GetVersionedClassName().rfind(classFilter, 0) != 0)
            continue;
        if (auto* gameplay = dynamic_cast<GameplayObject*>(instance->GetPrototype()))
            visit(*gameplay, instance);
    }
}

void Layer::UpdateInstances(const std::string& classFilter)
{
    ForEachGameplayInstance(
        classFilter, [](GameplayObject& gameplay, Instance* instance) { gameplay.UpdateInstance(instance); });
}

void Layer::UpdatePlayerContacts(const std::string& classFilter)
{
    ForEachGameplayInstance(classFilter,
        [](GameplayObject& gameplay, Instance* instance) { gameplay.UpdatePlayerContact(instance); });
}

void Layer::UpdateParticleSystems(double dt)
{
    for (auto& system : particleSystems) {
        if (!system)
            continue;
        if (system->FollowsScroll()) {
            const Point<float> scroll = GetScrollPosition();
            system->SetScrollOrigin(Point<int>(static_cast<int>(scroll.x), static_cast<int>(scroll.y)));
        }
        system->Update(dt);
    }
}

// Every script trigger of the layer runs its start-up section.
void Layer::StartupZones()
{
    for (Instance* instance : gameplayInstances) {
        if (auto* gameplay = dynamic_cast<GameplayObject*>(instance->GetPrototype()))
            gameplay->OnStartup(instance);
    }
}
