#include "tools/run/HeartPlayer.h"

#include "characters/Player.h"
#include "game/Game.h"
#include "scene/GraphicalObject.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kTile = 32.0f;
// Where the fight is: the arena's floor, east of the passage's step down.
constexpr float kArenaEntry = 36 * kTile;
// The east face of the stone on the arena's floor, two tiles high.
constexpr float kStoneFace = 41 * kTile;
// Held still this long while walking: something stops him.
constexpr int kStillPasses = 8;
// One walking step.
constexpr float kStep = 21.0f;

bool StartsWith(const std::string& text, const std::string& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

// The way he faces, as his picture shows it: odd animations face right.
int Facing(const Player& player)
{
    return player.GetCurrentAnimationId() % 2 == 1 ? 1 : -1;
}

RunPilot::Key Toward(int side)
{
    return side > 0 ? RunPilot::Right : RunPilot::Left;
}

bool Down(const Player& player)
{
    return player.GetLife() <= 0;
}

} // namespace

HeartPlayer::HeartPlayer(RunPilot& owner, Way chosen)
    : pilot(owner)
    , way(chosen)
{
}

std::vector<HeartPlayer::Sight> HeartPlayer::Look() const
{
    std::vector<Sight> sights;
    Game& game = pilot.TheGame();
    const Player* player = pilot.ThePlayer();
    for (size_t i = 0; i < game.GetCharacterCount(); ++i) {
        CharacterObject* c = game.GetCharacter(i);
        if (c == nullptr || c == player || c->IsDead() || !c->IsEnabled())
            continue;
        const GraphicalObject* picture = c->GetCurrentGraphical();
        if (picture == nullptr)
            continue;
        const Point<float> at = c->GetPosition();
        const Point<int> size = c->GetSize();
        sights.push_back({picture->GetName(), at.x, at.y, at.x + static_cast<float>(size.x),
            at.y + static_cast<float>(size.y)});
    }
    return sights;
}

bool HeartPlayer::ShownEastOf(const std::string& lookPrefix, float x) const
{
    for (const Sight& sight : Seen())
        if (StartsWith(sight.look, lookPrefix) && sight.x1 > x)
            return true;
    return false;
}

HeartPlayer::Step HeartPlayer::StepSeen() const
{
    // A wall cell is alive while it shows any look but its dead one.
    auto alive = [&](const std::string& prefix) {
        for (const Sight& sight : Seen())
            if (StartsWith(sight.look, prefix) && sight.look.find("_Dead") == std::string::npos)
                return true;
        return false;
    };
    if (alive("NPC_Boss_Ultimate_Step1_"))
        return Step::WestCells;
    if (alive("NPC_Boss_Ultimate_Step2_"))
        return Step::EastCells;
    if (alive("NPC_Boss_Ultimate_Step3_"))
        return Step::Maw;
    return Step::None;
}

RunPilot::Keys HeartPlayer::Strike(int side)
{
    const Player& player = *pilot.ThePlayer();
    if (player.GetAttackKind() != 0)
        return {};
    if (Facing(player) != side)
        return {Toward(side)};
    if (pilot.Frame() - lastBlow < kMinPassesBetweenBlows)
        return {};
    lastBlow = pilot.Frame();
    return {RunPilot::Attack};
}

bool HeartPlayer::Reach(int side, RunPilot::Keys& keys)
{
    const float x = pilot.X();
    const bool moved = std::abs(x - lastX) > 0.5f;
    lastX = x;
    if (!arrived) {
        // Eastward from west of the stone on the floor, he jumps it.
        if (side > 0 && x < kStoneFace) {
            if (!stride)
                stride.emplace(pilot);
            keys = stride->Toward(side);
            still = 0;
            return false;
        }
        stride.reset();
        still = moved ? 0 : still + 1;
        if (still < kStillPasses) {
            keys = {Toward(side)};
            return false;
        }
        arrived = true;
        anchorX = x;
        return true;
    }
    // Pushed off his place: back to it.
    if (std::abs(x - anchorX) > 12.0f) {
        arrived = false;
        still = 0;
        keys = {Toward(side)};
        return false;
    }
    return true;
}

RunPilot::Keys HeartPlayer::AgainstAndStrike(int side, int strikeSide)
{
    // One step back: away until a walking step (21 px) from where he was
    // stopped, then one pass back to turn him; where that leaves him is his
    // place.
    if (arrived && stepBack == 2) {
        lastX = pilot.X();
        if (std::abs(pilot.X() - anchorX) < kStep)
            return {Toward(-side)};
        stepBack = 1;
    }
    if (arrived && stepBack == 1) {
        stepBack = 0;
        return {Toward(side)};
    }
    if (arrived && stepBack == 0) {
        anchorX = lastX = pilot.X();
        stepBack = -1;
    }
    RunPilot::Keys keys;
    const bool wasThere = arrived;
    if (!Reach(side, keys))
        return keys;
    if (!wasThere && way == Way::OneStepBackFromTheWest && step == Step::WestCells) {
        stepBack = 2;
        return AgainstAndStrike(side, strikeSide);
    }
    return Strike(strikeSide);
}

RunPilot::Keys HeartPlayer::Plan()
{
    const Step seen = StepSeen();
    if (seen != step) {
        step = seen;
        arrived = false;
        still = 0;
        stepBack = -1;
        retreating = false;
    }
    switch (step) {
    case Step::WestCells:
        return AgainstAndStrike(-1, -1);
    case Step::EastCells:
        if (way == Way::StepBackFromStones) {
            // A thrown stone shown: back west to the stone on the floor
            // until no stone, whole or burst, is shown east of it any more.
            const bool stones = ShownEastOf("Projectile_Boss_Ultimate_Step2_", kStoneFace);
            if (stones && !retreating) {
                retreating = true;
                arrived = false;
                still = 0;
            } else if (!stones && retreating) {
                retreating = false;
                arrived = false;
                still = 0;
            }
            if (retreating) {
                RunPilot::Keys keys;
                Reach(-1, keys);
                return keys;
            }
        }
        return AgainstAndStrike(1, 1);
    case Step::Maw:
        return AgainstAndStrike(-1, -1);
    case Step::None:
        break;
    }
    return {};
}

HeartPlayer::Result HeartPlayer::Fight(int limit)
{
    Result result;
    const int start = pilot.Frame();
    // Along the passage and down the step into the arena.
    if (!pilot.WalkTo(kArenaEntry)) {
        result.lostAt = "entry";
        return result;
    }
    views.assign(kReactionPasses + 1, Look());
    lastX = pilot.X();
    result.lowestLife = pilot.ThePlayer() != nullptr ? pilot.ThePlayer()->GetLife() : 0;
    while (pilot.Frame() - start < limit) {
        const Player* player = pilot.ThePlayer();
        if (player != nullptr)
            result.lowestLife = std::min(result.lowestLife, player->GetLife());
        if (pilot.SaveVar("done_h") == "1" && player != nullptr) {
            result.won = true;
            result.lifeLeft = player->GetLife();
            break;
        }
        if (player == nullptr || Down(*player)) {
            result.lostAt = step == Step::WestCells ? "west cells"
                : step == Step::EastCells           ? "east cells"
                                                    : "maw";
            break;
        }
        pilot.Pass(Plan());
        views.push_back(Look());
        views.pop_front();
    }
    if (!result.won && result.lostAt.empty())
        result.lostAt = "time";
    result.passes = pilot.Frame() - start;
    return result;
}
