#include "zones/Zone_PickupObject.h"
#include "engine/app/UsageObserver.h"

#include "characters/Player.h"
#include "engine/serial/VectorSerialize.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "zones/ZoneGameAccess.h"
#include "zones/ZoneRequests.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

constexpr std::array<std::string_view, Zone_PickupObject::kKindCount> kGraphics
    = {"PickupItem_Fire_v1", "PickupItem_Ice_v1", "PickupItem_DoubleJump", "PickupItem_Climb",
        "PickupItem_Spider", "PickupItem_Crossbow", "PickupItem_Straff", "PickupItem_AbsorbSouls",
        "PickupItem_Scythe", "PickupItem_Fireflies", "PickupItem_Ice_v2", "", "PickupItem_Fire_v2", "", "",
        "", "", "", "", "", "PickupItem_minimap", "PickupItem_life_max_up", "PickupItem_power_number_max_up",
        "PickupItem_power_reload_speed_up", "PickupItem_max_mun_dist_up", "PickupItem_weapon_power_up",
        "PickupItem_crossbow_power_up", "PickupItem_attack_rank_up", "PickupItem_DoubleJump_Spider"};

// The largest range a map piece may name: the map is 51 x 44, so a wider
// range only names cells outside it.
constexpr int kMapLimit = 64;

} // namespace

std::string_view Zone_PickupObject::GraphicName(int kind)
{
    if (kind < 0 || kind >= kKindCount)
        return {};
    return kGraphics[static_cast<size_t>(kind)];
}

std::vector<Point<int>> Zone_PickupObject::ParseMapCells(const std::string& text)
{
    std::vector<Point<int>> cells;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(';', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string piece = text.substr(start, end - start);
        start = end + 1;
        const size_t blank = piece.find(' ');
        // A piece needs a blank that is not its last character.
        if (blank == std::string::npos || blank + 1 >= piece.size())
            continue;
        const size_t dash = piece.find('-', blank + 1);
        const int x1 = std::atoi(piece.c_str());
        const int y1 = std::atoi(piece.c_str() + blank + 1);
        const std::string second = dash == std::string::npos ? std::string() : piece.substr(dash + 1);
        const size_t secondBlank = second.find(' ');
        if (dash == std::string::npos || secondBlank == std::string::npos
            || secondBlank + 1 >= second.size()) {
            cells.emplace_back(x1, y1);
            continue;
        }
        const int x2 = std::atoi(second.c_str());
        const int y2 = std::atoi(second.c_str() + secondBlank + 1);
        // Cells outside the map change nothing: the range is held to it.
        for (int y = std::max(y1, -1); y <= std::min(y2, kMapLimit); ++y)
            for (int x = std::max(x1, -1); x <= std::min(x2, kMapLimit); ++x)
                cells.emplace_back(x, y);
    }
    return cells;
}

void Zone_PickupObject::Instance::Spawn(int x, int y, Level* level)
{
    ZoneGameAccess* game = GetZoneGameAccess();
    if (pending && IsEnabled() && level != nullptr && game != nullptr) {
        Layer* layer = level->GetFirstLayer(Level::kForeground, 1.0f, 1.0f);
        const std::string graphicName(GraphicName(kind.value));
        GraphicalObject* graphic
            = graphicName.empty() ? nullptr : game->FindGraphicalObject(graphicName, false);
        if (layer != nullptr && graphic != nullptr) {
            // Centred on the zone, standing on its lower edge.
            const float left = static_cast<float>(x)
                + (static_cast<float>(GetSize().x) * 0.5f - static_cast<float>(graphic->GetSize().x) * 0.5f);
            itemGraphic = layer->AddGraphicalObject(graphic, left, static_cast<float>(y), true, -1);
        }
        // An ability the player has already shows no item.
        Player* player = game->GetPlayer();
        if (itemGraphic != nullptr && player != nullptr && player->IsModifierEnabled(kind.value))
            itemGraphic->SetVisible(false);
    }
    pending = false;
}

void Zone_PickupObject::Instance::SaveState(VectorSerialize* states)
{
    if (states == nullptr)
        return;
    states->Append(std::make_unique<IntSerialize>(id));
    states->Append(std::make_unique<IntSerialize>(IsEnabled() ? 1 : 0));
}

void Zone_PickupObject::Instance::LoadState(VectorSerialize* states, int index)
{
    if (states == nullptr || index < 0 || static_cast<size_t>(index) >= states->Size())
        return;
    if (auto* state = states->As<IntSerialize>(static_cast<size_t>(index)))
        SetEnabled(state->value == 1);
}

bool Zone_PickupObject::UpdatePlayerContact(Placed* placed)
{
    auto* pickup = placed != nullptr ? dynamic_cast<Instance*>(placed->GetPayload()) : nullptr;
    if (pickup == nullptr || !pickup->IsEnabled() || !PlayerTouchesZone(placed))
        return false;
    ZoneGameAccess* game = GetZoneGameAccess();
    Player* player = game != nullptr ? game->GetPlayer() : nullptr;
    if (player == nullptr)
        return false;
    const int kind = pickup->kind.value;
    NoteUse("pickup kind", std::to_string(kind));
    const bool taken = kind >= 0 && kind < player->GetModifierCount() && player->GetModifier(kind) != nullptr
        ? TakeModifier(*player, kind)
        : TakeItem(*game, *player, *pickup);
    if (!taken)
        return false;
    pickup->SetEnabled(false);
    if (pickup->itemGraphic != nullptr)
        pickup->itemGraphic->SetVisible(false);
    ZoneRequests::IncrementGameScore();
    // The map pieces have played their own sound.
    if (kind != kMapPieces)
        player->PlaySoundAt(kSoundGetPickupGeneric);
    return false;
}
