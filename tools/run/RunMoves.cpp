#include "tools/run/RunMoves.h"

#include "characters/Player.h"
#include "game/Game.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "zones/Zone_PickupObject.h"

#include <cmath>
#include <limits>

namespace RunMoves {

namespace {

bool Grounded(const Player& player)
{
    return player.GetMoveState() == Player::kIdle || player.GetMoveState() == Player::kWalk
        || player.GetMoveState() == Player::kCrouch;
}

bool Airborne(const Player& player)
{
    return player.GetMoveState() == Player::kJump || player.GetMoveState() == Player::kEndJump
        || player.GetMoveState() == Player::kFall;
}

// The way the player faces, as its next blow will take it: odd animations
// face right.
int Facing(const Player& player)
{
    return player.GetCurrentAnimationId() % 2 == 1 ? 1 : -1;
}

RunPilot::Key Toward(int side)
{
    return side > 0 ? RunPilot::Right : RunPilot::Left;
}

} // namespace

CharacterObject* NamedCharacter(RunPilot& pilot, const std::string& name)
{
    return pilot.TheGame().FindCharacterByName(name, nullptr);
}

CharacterObject* FindLiveCharacter(
    RunPilot& pilot, const std::function<bool(CharacterObject*)>& isOfClass, const std::string& name)
{
    Game& game = pilot.TheGame();
    for (size_t i = 0; i < game.GetCharacterCount(); ++i) {
        CharacterObject* c = game.GetCharacter(i);
        if (c != nullptr && isOfClass(c) && !c->IsDead() && (name.empty() || c->GetName() == name))
            return c;
    }
    return nullptr;
}

bool Standing(RunPilot& pilot)
{
    const Player* player = pilot.ThePlayer();
    return player != nullptr && Grounded(*player);
}

bool InAir(RunPilot& pilot)
{
    const Player* player = pilot.ThePlayer();
    return player != nullptr && Airborne(*player);
}

bool PickupTaken(RunPilot& pilot, const std::string& placement)
{
    Level* level = pilot.TheGame().GetCurrentLevel();
    Layer* collisions = level != nullptr ? level->GetLayer(Level::kScene, "Collisions") : nullptr;
    auto* placed = collisions != nullptr ? collisions->FindInstanceByName(placement) : nullptr;
    auto* pickup
        = placed != nullptr ? dynamic_cast<Zone_PickupObject::Instance*>(placed->GetPayload()) : nullptr;
    return pickup != nullptr && !pickup->IsEnabled();
}

bool StrikeUntil(
    RunPilot& pilot, int side, const std::function<bool()>& done, int limit, const std::string& what)
{
    bool pressed = false;
    for (int pass = 0; pass < limit; ++pass) {
        if (done())
            return true;
        Player* player = pilot.ThePlayer();
        if (player == nullptr)
            return pilot.Fail("no player while striking " + what);
        RunPilot::Keys keys;
        if (pilot.DialogueShown()) {
            if (pass % 2 == 1)
                keys.insert(RunPilot::Attack);
        } else if (player->GetAttackKind() == 0 && Facing(*player) != side) {
            keys.insert(Toward(side));
        } else if (!pressed && player->GetAttackKind() == 0) {
            keys.insert(RunPilot::Attack);
        }
        pressed = keys.contains(RunPilot::Attack);
        pilot.Pass(keys);
    }
    return done()
        || pilot.Fail("striking " + what + " did not succeed in " + std::to_string(limit) + " passes");
}

bool FightUntil(
    RunPilot& pilot, const Foe& foe, const std::function<bool()>& done, int limit, const std::string& what)
{
    bool pressed = false;
    // Passes left of a jump: the first press, a release, the second press.
    int jump = 0;
    for (int pass = 0; pass < limit; ++pass) {
        if (done())
            return true;
        Player* player = pilot.ThePlayer();
        if (player == nullptr)
            return pilot.Fail("no player while fighting " + what);
        RunPilot::Keys keys;
        if (pilot.DialogueShown() || pilot.MapOpen()) {
            if (pass % 2 == 1)
                keys.insert(pilot.DialogueShown() ? RunPilot::Attack : RunPilot::Map);
            pilot.Pass(keys);
            continue;
        }
        CharacterObject* target = foe();
        if (target == nullptr) {
            pilot.Pass();
            continue;
        }
        const float dx = target->GetCenter().x - player->GetCenter().x;
        const int side = dx >= 0.0f ? 1 : -1;
        // The blow reaches about 40 pixels past the body; a foe's hurt box
        // keeps inside its picture.
        const float reach = static_cast<float>(target->GetSize().x) * 0.375f + 36.0f;
        const bool near = std::abs(dx) <= reach;
        // Higher than the blow reaches from the ground.
        const bool above = target->GetPosition().y + static_cast<float>(target->GetSize().y) * 0.1f
            > player->GetPosition().y + 72.0f;
        if (!near)
            keys.insert(Toward(side));
        else if (player->GetAttackKind() == 0 && std::abs(dx) > 8.0f && Facing(*player) != side)
            keys.insert(Toward(side));
        if (above && jump == 0 && Grounded(*player) && std::abs(dx) < reach + 96.0f)
            jump = 20;
        if (jump > 0) {
            --jump;
            if (jump >= 12 || jump < 10)
                keys.insert(RunPilot::Jump);
        }
        if (!pressed && player->GetAttackKind() == 0 && std::abs(dx) <= reach + 32.0f)
            keys.insert(RunPilot::Attack);
        pressed = keys.contains(RunPilot::Attack);
        pilot.Pass(keys);
    }
    return done()
        || pilot.Fail("the fight with " + what + " was not won in " + std::to_string(limit) + " passes");
}

void Settle(RunPilot& pilot)
{
    for (int pass = 0; pass < 60; ++pass) {
        Player* player = pilot.ThePlayer();
        if (player == nullptr || (Grounded(*player) && player->GetAttackKind() == 0))
            return;
        pilot.Pass();
    }
}

bool StandAt(RunPilot& pilot, float x)
{
    const std::string level = pilot.LevelName();
    for (int attempt = 0; attempt < 4; ++attempt) {
        if (!pilot.WalkTo(x))
            return false;
        Settle(pilot);
        if (pilot.LevelName() != level || std::abs(pilot.X() - x) < 16.0f)
            return true;
    }
    return pilot.Fail("could not stand at x " + std::to_string(x) + " in " + level + " (at "
        + std::to_string(pilot.X()) + ", " + std::to_string(pilot.Y()) + ")");
}

void DoubleJump(RunPilot& pilot, int side, float clearY)
{
    const RunPilot::Key way = Toward(side);
    // Straight up, a second press at the top of the first jump, and toward
    // the side only once the feet are over clearY.
    auto keys = [&](bool jump) {
        RunPilot::Keys held;
        if (jump)
            held.insert(RunPilot::Jump);
        if (pilot.Y() > clearY)
            held.insert(way);
        return held;
    };
    // A short first press: the second one then starts while the body still
    // rises fast, which carries it highest (about six and a half tiles).
    for (int pass = 0; pass < 4; ++pass)
        pilot.Pass(keys(true));
    pilot.Pass(keys(false));
    pilot.Pass(keys(false));
    for (int pass = 0; pass < 12; ++pass)
        pilot.Pass(keys(true));
    for (int pass = 0; pass < 60; ++pass) {
        Player* player = pilot.ThePlayer();
        if (player == nullptr || Grounded(*player))
            return;
        pilot.Pass(keys(false));
    }
}

CharacterObject* Nearest(RunPilot& pilot, const std::vector<std::string>& names)
{
    Player* player = pilot.ThePlayer();
    if (player == nullptr)
        return nullptr;
    CharacterObject* best = nullptr;
    float bestDistance = std::numeric_limits<float>::max();
    for (const std::string& name : names) {
        for (CharacterObject* c : pilot.TheGame().FindCharactersByName(name, nullptr, true)) {
            if (c == nullptr || !c->IsEnabled() || c->GetLife() <= 0 || c->IsExploding())
                continue;
            const Point<float> d = c->GetCenter() - player->GetCenter();
            const float distance = d.x * d.x + d.y * d.y;
            if (distance < bestDistance) {
                bestDistance = distance;
                best = c;
            }
        }
    }
    return best;
}

} // namespace RunMoves
