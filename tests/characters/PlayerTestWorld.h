#pragma once

#include "characters/CharacterObject.h"
#include "characters/Player.h"
#include "characters/PlayerBoxCollisions.h"
#include "characters/PlayerWorld.h"
#include "scene/AnimatedSprite.h"
#include "scene/CollisionShape.h"
#include "scene/GraphicalObject.h"
#include "scene/Sprite.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace playertest {

using BoxCollisions = PlayerBoxCollisions;

// A character of one box that loses the damage it is dealt.
class Target : public CharacterObject {
public:
    Target(std::string name, float x, float y, int lifePoints)
        : CharacterObject(std::move(name))
    {
        SetPosition({x, y});
        SetSize(32, 64);
        SetLife(lifePoints);
        SetMaxLife(lifePoints);
    }
    Rect<int> Box() const
    {
        const int x = static_cast<int>(position.x), y = static_cast<int>(position.y);
        return {x, y + 63, x + 31, y};
    }
    static bool Meets(Rect<int> a, Rect<int> b)
    {
        return a.x0 <= b.x1 && b.x0 <= a.x1 && a.y1 <= b.y0 && b.y1 <= a.y0;
    }
    bool IsHitByBox(Rect<int> box, bool) override { return IsAlive() && Meets(box, Box()); }
    bool IsHitByAttack(Rect<int> box, bool) override { return IsAlive() && Meets(box, Box()); }
    void ApplyDamage(CharacterObject*, int damage) override
    {
        life -= damage;
        ++hits;
    }
    void ReceiveHit(CharacterObject*, int kind, float amount) override
    {
        received.push_back(amount);
        kinds.push_back(kind);
        life -= static_cast<int>(amount);
    }
    int hits = 0;
    std::vector<float> received;
    std::vector<int> kinds;
};

// The real player, keeping a log of the sounds it plays.
class SoundPlayer : public Player {
public:
    using Player::Player;
    bool PlaySoundAt(int index) override
    {
        sounds.push_back(index);
        return Player::PlaySoundAt(index);
    }
    int Count(int sound) const { return static_cast<int>(std::count(sounds.begin(), sounds.end(), sound)); }
    std::vector<int> sounds;
};

// The game as the player sees it: a clock, flags, the live characters, a
// collision layer and a library of graphicals, each a 64 x 96 object with
// a non-looping animation of `frames` frames of 33 ms.
class TestWorld : public PlayerWorld {
public:
    TestWorld() { SetPlayerWorld(this); }
    ~TestWorld() override
    {
        for (CharacterObject* c : created)
            delete c;
        SetPlayerWorld(nullptr);
    }

    // Names that CloneGraphical does not find.
    std::set<std::string> missing;
    // Frames of the animation of a name (default 3).
    std::map<std::string, int> frames;
    // Attack boxes (type 3) of a name, in the graphical's own space.
    std::map<std::string, Rect<int>> attackBoxes;
    // Sizes other than 64 x 96, by name.
    std::map<std::string, Point<int>> sizes;

    GraphicalObject* Make(const std::string& name)
    {
        auto* g = new GraphicalObject(name);
        const Point<int> size = sizes.count(name) != 0 ? sizes[name] : Point<int>(64, 96);
        g->SetSize(size.x, size.y, true);
        const int count = frames.count(name) != 0 ? frames[name] : 3;
        if (count > 0) {
            auto anim = std::make_unique<AnimatedSprite>(name + " anim");
            for (int i = 0; i < count; ++i)
                anim->AddFrame(&sprite, 33.0f, 0.0f);
            anim->SetLoopStart(-1);
            g->AddAnimatedInstance(anim.get(), 0, 0);
            animations.push_back(std::move(anim));
        }
        if (attackBoxes.count(name) != 0) {
            const Rect<int> r = attackBoxes[name];
            g->CollisionShapeAt(0) = std::make_unique<CollisionBox<int>>(r.x0, r.y0, r.x1, r.y1, 3);
        }
        return g;
    }

    GraphicalObject* CloneGraphical(const std::string& name) override
    {
        ++lookUps;
        return missing.count(name) != 0 ? nullptr : Make(name);
    }
    GraphicalObject* FindGraphical(const std::string& name) override
    {
        const auto found = library.find(name);
        return found != library.end() ? found->second : nullptr;
    }
    Player* GetPlayer() override { return player; }
    bool HasLevel() override { return true; }
    Level* GetLevel() override { return level; }
    std::string GetLevelName() override { return "TestLevel"; }
    Point<int> GetMinimapCell() override { return {3, 4}; }
    PlayerCollisions* GetCollisions() override
    {
        if (!withCollisions)
            return nullptr;
        return layerCollisions != nullptr ? layerCollisions : &collisions;
    }
    PlayerLiquid GetLiquidAt(Point<int> p) override
    {
        for (const auto& [box, liquid] : liquids) {
            if (p.x >= box.x0 && p.x <= box.x1 && p.y <= box.y0 && p.y >= box.y1)
                return liquid;
        }
        return PlayerLiquid::None;
    }
    bool GetWaterSurface(Point<int> p, int* surface) override
    {
        for (const auto& [box, liquid] : liquids) {
            if (liquid == PlayerLiquid::Water && p.x >= box.x0 && p.x <= box.x1 && p.y <= box.y0
                && p.y >= box.y1) {
                *surface = box.y0 + 1;
                return true;
            }
        }
        return false;
    }
    size_t GetCharacterCount() override { return characters.size(); }
    CharacterObject* GetCharacter(size_t i) override
    {
        return i < characters.size() ? characters[i] : nullptr;
    }
    CharacterObject* CreateCharacter(const std::string& classKey) override;
    double GetTimeMs() override { return timeMs; }
    uint32_t GetPlayTime() override { return playTime; }
    void SetPlayTime(uint32_t ms) override { playTime = ms; }
    bool IsGodMode() override { return godMode; }
    bool IsGameplayPaused() override { return paused; }
    int GetLogPlayer() override { return logPlayer; }
    int GetSaveSlot() override { return saveSlot; }
    void RaisePlayerDied() override { ++playerDied; }
    bool IsWaterOverrideActive() override { return false; }
    void CountAchievement(const std::string& name) override { ++achievements[name]; }
    void ResetAchievement(const std::string& name) override { achievements[name] = 0; }
    void RaiseAchievementTo(const std::string& name, int value) override { achievements[name] = value; }
    void AddDebugMessage(const std::string& text) override { messages.push_back(text); }
    void ProfileSection(const std::string& label) override { sections.push_back(label); }
    void ResetMusicPositions() override { ++musicResets; }
    std::string GetUserPath() override { return userPath; }

    Player* player = nullptr;
    Level* level = nullptr;
    BoxCollisions collisions;
    // When set, the tests go to a level's layer instead.
    PlayerCollisions* layerCollisions = nullptr;
    bool withCollisions = true;
    std::vector<std::pair<Rect<int>, PlayerLiquid>> liquids;
    // The library's graphical objects that FindGraphical finds (not owned).
    std::map<std::string, GraphicalObject*> library;
    std::vector<CharacterObject*> characters;
    std::vector<CharacterObject*> created;
    double timeMs = 1000.0;
    uint32_t playTime = 0;
    bool godMode = false;
    bool paused = false;
    int logPlayer = 0;
    int saveSlot = -1;
    int playerDied = 0;
    int lookUps = 0;
    int musicResets = 0;
    std::map<std::string, int> achievements;
    std::vector<std::string> messages;
    std::vector<std::string> sections; // each opening and closing call
    std::string userPath;

private:
    Sprite sprite {"frame", "frame.png", 0, 0, 63, 95};
    std::vector<std::unique_ptr<AnimatedSprite>> animations;
};

// Input of one update.
inline InputActions Keys(float x, float y, bool jump = false, bool attack = false)
{
    InputActions a;
    a.x = x;
    a.y = y;
    a.Action1 = jump;
    a.Action3 = attack;
    return a;
}

// A player in a test world on a flat floor whose top is y = 0, standing at
// (100, 0); Step runs one update with the held keys (previous = the keys of
// the update before) and advances the game clock by 33 ms.
class PlayerFixture {
public:
    PlayerFixture()
    {
        world.collisions.Add(-10000.0f, -100.0f, 10000.0f, 0.0f);
        player = std::make_unique<SoundPlayer>("Player");
        world.player = player.get();
        player->SetPosition({100.0f, 0.0f});
        player->SetLife(5);
        player->SetMaxLife(5);
    }
    void Step(const InputActions& keys)
    {
        InputActions released;
        player->UpdateWithActions(33.0, keys, last, released);
        last = keys;
        world.timeMs += 33.0;
    }
    float X() const { return player->GetPosition().x; }
    float Y() const { return player->GetPosition().y; }

    TestWorld world;
    std::unique_ptr<SoundPlayer> player;
    InputActions last;
};

} // namespace playertest

#include "characters/Projectile_Crossbow.h"

namespace playertest {

inline CharacterObject* TestWorld::CreateCharacter(const std::string& classKey)
{
    if (classKey != "Projectile_Crossbow")
        return nullptr;
    auto* bolt = new Projectile_Crossbow("Bolt");
    created.push_back(bolt);
    characters.push_back(bolt);
    return bolt;
}

} // namespace playertest
