#include "zones/Point_MinimapLocation.h"

#include "characters/Player.h"
#include "scene/Level.h"
#include "scene/MapModel.h"
#include "zones/ZoneGameAccess.h"

namespace {

int FloorTo(int value, int step)
{
    const int q = value / step;
    return (value % step != 0 && value < 0 ? q - 1 : q) * step;
}

} // namespace

std::optional<Point<int>> Point_MinimapLocation::MapCell(
    Point<float> playerPosition, int playerWidth, Point<int> origin, Point<int> levelCell)
{
    const Point<int> p(static_cast<int>(playerPosition.x) + static_cast<int>(playerWidth * 0.5f),
        static_cast<int>(playerPosition.y));
    const Point<int> snapped(FloorTo(p.x, kScreenWidth), FloorTo(p.y, kScreenHeight));
    const Point<int> cell((snapped.x - origin.x) / kScreenWidth, (snapped.y - origin.y) / kScreenHeight);
    const Point<int> map(levelCell.x + cell.x, levelCell.y - cell.y);
    if (map.x < 0 || map.x >= kMapWidth || map.y < 0 || map.y >= kMapHeight)
        return std::nullopt;
    return map;
}

bool Point_MinimapLocation::UpdateInstance(SpacialInstance<GraphicalObject, float>* /*placed*/)
{
    ZoneGameAccess* game = GetZoneGameAccess();
    MapModel* minimap = game != nullptr ? game->GetMinimapModel() : nullptr;
    if (minimap == nullptr || game->GetPlayer() == nullptr || game->GetCurrentLevel() == nullptr)
        return true;
    const Player& player = *game->GetPlayer();
    const Level& level = *game->GetCurrentLevel();
    const std::optional<Point<int>> cell = MapCell(
        player.GetPosition(), player.GetSize().x, level.GetMinimapScreen(), level.GetMinimapPoint());
    if (cell) {
        minimap->SetCurrentLocation(*cell);
        minimap->SetCell(cell->x, cell->y, 1);
    }
    return true;
}
