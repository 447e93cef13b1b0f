#include "script/BGEvent_ChangeNPCPosTo.h"

#include "characters/CharacterObject.h"
#include "script/EventTick.h"
#include "script/ScriptCommandSupport.h"

#include <cmath>
#include <utility>

namespace {

Point<int> Truncated(Point<float> p)
{
    return Point<int>(static_cast<int>(p.x), static_cast<int>(p.y));
}

} // namespace

BGEvent_ChangeNPCPosTo::BGEvent_ChangeNPCPosTo(
    std::string name_, CharacterObject* character_, float speed, int targetX, int targetY)
    : BackgroundEvent(std::move(name_))
    , character(character_)
    , target(targetX, targetY)
{
    if (character == nullptr)
        return;
    character->SetSpeedValue(speed);
    const Point<float> from = character->GetPosition();
    const float dx = static_cast<float>(targetX) - from.x;
    const float dy = static_cast<float>(targetY) - from.y;
    const float length = std::sqrt(dx * dx + dy * dy);
    // Already there: no direction, the first tick snaps it.
    character->SetDirection(
        length > 0.0f ? Point<float>(dx / length, dy / length) : Point<float>(0.0f, 0.0f));
    lastPosition = Truncated(from);
}

bool BGEvent_ChangeNPCPosTo::Update()
{
    BackgroundEvent::Update();
    // A character that has gone is no longer moved.
    if (character != nullptr && !ScriptCommandSupport::IsLiveCharacter(character))
        character = nullptr;
    if (!IsLogicTick() || finished || character == nullptr)
        return true;
    const Point<int> at = Truncated(character->GetPosition());
    const int64_t dx = at.x - target.x;
    const int64_t dy = at.y - target.y;
    const double reach = static_cast<double>(character->GetSpeedValue()) + 1.0;
    if (static_cast<double>(dx * dx + dy * dy) <= reach * reach) {
        finished = true;
        character->SetPosition(Point<float>(static_cast<float>(target.x), static_cast<float>(target.y)));
        character->SetSpeedValue(0.0f);
    }
    lastPosition = Truncated(character->GetPosition());
    return true;
}
