#include "game/TeleportMap.h"

#include "engine/serial/FileUtils.h"
#include "game/GameStartup.h"
#include "scene/GraphicalObject.h"
#include "scene/SpacialInstance.h"
#include "scene/Sprite.h"

#include <algorithm>

namespace {

bool InGrid(Point<int> cell)
{
    return cell.x >= 0 && cell.x < TeleportMap::kColumns && cell.y >= 0 && cell.y < TeleportMap::kRows;
}

bool NewlyPressed(bool pressed, bool previous)
{
    return pressed && !previous;
}

} // namespace

std::vector<const TeleportInfo*> TeleportMap::ListTeleporters(const std::vector<TeleportInfo>& teleports)
{
    std::vector<const TeleportInfo*> listed;
    for (const std::string& hub : TeleportLevelFiles) {
        const std::string lower = ToLowerCase(hub);
        for (const TeleportInfo& teleport : teleports) {
            if (teleport.levelFile == lower) {
                listed.push_back(&teleport);
                break;
            }
        }
    }
    return listed;
}

void TeleportMap::DrawOnCell(
    MapCanvas& canvas, GraphicalObject* object, Point<int> cell, double frameTime) const
{
    if (object == nullptr || !InGrid(cell))
        return;
    object->Update(frameTime);
    const Point<int> half(object->GetSize().x / 2, object->GetSize().y / 2);
    canvas.DrawObject(
        *object, gridOrigin + Point<int>(10 * cell.x + 1, 10 * cell.y) + Point<int>(4, 5) - half);
}

bool TeleportMap::Update(
    MapCanvas& canvas, const View& view, Point<int> origin, Point<int> scroll, Point<int> size)
{
    if (!view.cell)
        return false;

    // The view follows the scroll target: at once from far or from rest,
    // else one pixel per update frame. The drawing uses the offset from
    // before this call's step.
    const Point<float> target = scroll.ToFloat();
    const Point<int> distance = scroll - mapView.ToInt();
    Point<int> offset;
    if (distance.x * distance.x + distance.y * distance.y >= 400 || scroll == Point<int>()
        || mapView == Point<float>()) {
        mapView = target;
    } else {
        offset = mapView.ToInt() - scroll;
        if (view.frameFlag && !(mapView == target)) {
            Point<float> step = target - mapView;
            // The last step lands on the target instead of passing it.
            if (step.Length() <= 1.0f) {
                mapView = target;
            } else {
                step.Normalize(false);
                mapView += step;
            }
        }
    }

    const Rect<int> viewBox = Rect<int>(origin, origin + size - Point<int>(1, 1)).Ordered();
    gridOrigin = origin + scroll + offset;
    const int firstColumn = std::max(0, -scroll.x / 10 - 1);
    const int firstRow = std::max(0, -scroll.y / 10 - 1);
    const int endColumn = std::min(kColumns - 1, size.x / 10 - scroll.x / 10 + 3);
    const int endRow = std::min(kRows - 1, size.y / 10 - scroll.y / 10 + 3);
    for (int x = firstColumn; x < endColumn; ++x) {
        for (int y = firstRow; y < endRow; ++y) {
            const int32_t state = view.cell(x, y);
            if (state != 1 && state != 2)
                continue;
            const Point<int> corner = gridOrigin + Point<int>(10 * x, 10 * y);
            const Rect<int> square
                = BuildBox(Rect<int>(corner, corner), Rect<int>(0, 0, 10, 10)).ClampInto(viewBox).Ordered();
            if (square.x0 == square.x1 || square.y0 == square.y1)
                continue; // wholly outside the view
            canvas.FillRect(square, state == 1 ? kVisitedColour : kRevealedColour);
        }
    }
    // The rooms' outlines over the cells. The HUD's window (mode 2) shows
    // them scrolled with the cells and cut to its own size, so the
    // screen-sized picture stays inside the window.
    if (view.globalMap != nullptr) {
        if (mapMode == 2)
            DrawGlobalMapInWindow(canvas, *view.globalMap, origin, scroll + offset, size);
        else
            canvas.DrawObject(*view.globalMap, origin);
    }
    if (mapMode == 2)
        return true;

    if (mapMode == 1 && view.teleports != nullptr && !view.teleports->empty()) {
        const std::vector<const TeleportInfo*> listed = ListTeleporters(*view.teleports);
        if (listed.empty())
            return false;
        if (RunMenu(canvas, view, listed))
            return true;
    }

    Point<int> markerCell = view.currentCell;
    if (mapMode == 1) {
        const std::vector<const TeleportInfo*> listed = view.teleports != nullptr
            ? ListTeleporters(*view.teleports)
            : std::vector<const TeleportInfo*>();
        markerCell = cursor >= 0 && static_cast<size_t>(cursor) < listed.size()
            ? listed[static_cast<size_t>(cursor)]->cell
            : Point<int>();
    }
    if (InGrid(markerCell))
        DrawOnCell(canvas, markers[PlayerCross], view.currentCell, view.frameTime);
    if (view.storyHint.first != 0)
        DrawOnCell(canvas, markers[StoryHint], Point<int>(view.storyHint.first, view.storyHint.second),
            view.frameTime);
    return false;
}

void TeleportMap::DrawGlobalMapInWindow(
    MapCanvas& canvas, GraphicalObject& globalMap, Point<int> origin, Point<int> shift, Point<int> size)
{
    // Each sprite is placed at the shift within the object, and the object
    // cut to the window's size: what lies left of or above the window is cut
    // off by the draw, what lies beyond its size is not drawn.
    const bool inObjectSpace = globalMap.AreShapesInObjectSpace();
    const auto placeSprites = [&globalMap](Point<int> at) {
        for (int i = 0; i < globalMap.GetSpriteInstanceCount(); ++i)
            if (GraphicalObject::SpriteInstance* instance = globalMap.GetSpriteInstance(i))
                instance->SetPosition(at.x, at.y);
        for (int i = 0; i < globalMap.GetAnimatedInstanceCount(); ++i)
            if (GraphicalObject::AnimatedInstance* instance = globalMap.GetAnimatedInstance(i))
                instance->SetPosition(at.x, at.y);
    };
    placeSprites(shift);
    globalMap.SetSize(size.x, size.y, inObjectSpace);
    canvas.DrawObject(globalMap, origin);
    placeSprites(Point<int>());
    globalMap.SetSize(kScreenSize.x, kScreenSize.y, inObjectSpace);
}

void TeleportMap::Step(int direction, const View& view, const std::vector<const TeleportInfo*>& listed)
{
    const int count = static_cast<int>(listed.size());
    const auto move = [&] {
        if (cursor < 0 || cursor >= count)
            cursor = direction > 0 ? 0 : count - 1;
        else
            cursor = (cursor + direction + count) % count;
    };
    move();
    if (listed[static_cast<size_t>(cursor)]->levelFile == view.currentLevel)
        move();
}

bool TeleportMap::RunMenu(MapCanvas& canvas, const View& view, const std::vector<const TeleportInfo*>& listed)
{
    const int count = static_cast<int>(listed.size());
    const auto inCurrentLevel = [&](int index) {
        return index >= 0 && index < count
            && listed[static_cast<size_t>(index)]->levelFile == view.currentLevel;
    };
    if (cursor < 0 || cursor >= count) {
        for (int i = 0; i < count; ++i) {
            if (inCurrentLevel(i)) {
                cursor = i;
                break;
            }
        }
    }

    const bool confirm = NewlyPressed(view.pressed.Action1, view.previous.Action1)
        || NewlyPressed(view.pressed.Action3, view.previous.Action3);
    if (confirm && cursor >= 0 && cursor < count && !inCurrentLevel(cursor)) {
        chosenLevel = listed[static_cast<size_t>(cursor)]->levelFile;
        cursor = -1;
        mapMode = 0;
        return true;
    }

    if (inCurrentLevel(cursor))
        cursor = (cursor + 1) % count;
    if (view.previous.x == 0.0f && view.previous.y == 0.0f) {
        if (view.pressed.x > 0.0f)
            Step(1, view, listed);
        else if (view.pressed.x < 0.0f)
            Step(-1, view, listed);
    }

    // The row: each picture only when the library has it.
    if (GraphicalObject* background = markers[TpBackground])
        canvas.DrawObject(*background, kRowBackground);
    for (int i = 0; i < count; ++i) {
        const Point<int> at = RowPosition(static_cast<size_t>(i));
        if (GraphicalObject* available = markers[TpAvailable])
            canvas.DrawObject(*available, at);
        if (GraphicalObject* select = markers[TpSelect]; select != nullptr && i == cursor)
            canvas.DrawObject(*select, at);
        if (GraphicalObject* player = markers[TpPlayer]; player != nullptr && inCurrentLevel(i))
            canvas.DrawObject(*player, at);
    }
    if (cursor >= 0 && cursor < count)
        DrawOnCell(canvas, markers[TpCross], listed[static_cast<size_t>(cursor)]->cell, view.frameTime);
    return false;
}
