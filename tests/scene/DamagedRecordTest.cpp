#include "tests/engine/serial/DamagedRecord.h"

#include "scene/AnimatedSprite.h"
#include "scene/CameraBlocker.h"
#include "scene/CollisionShape.h"
#include "scene/GraphicalObject.h"
#include "scene/Level.h"
#include "scene/SpacialInstance.h"
#include "scene/Sprite.h"
#include "tests/scene/RecordText.h"
#include "tests/scene/SceneHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>

namespace {

using PlacedObject = SpacialInstance<GraphicalObject, float>;
using PlacedSprite = SpacialInstance<Sprite, int>;
using PlacedAnimation = AnimatedSpriteSpacialInstance<int>;

template <class T> std::string Written(T& object, int skipLines)
{
    return RecordText([&object](std::ostream& os) { object.Serialize(os); }, skipLines);
}

template <class T, class Make, class Read>
RecordKind Kind(std::string name, std::string record, Make make, Read read)
{
    return {std::move(name), std::move(record), [make, read] {
                return std::make_unique<FunctionTarget<T>>(
                    make(), read, [](T& object) { return WrittenState(object); });
            }};
}

template <class T, class Make> RecordKind Kind(std::string name, std::string record, Make make)
{
    return Kind<T>(std::move(name), std::move(record), make,
        [](T& object, std::istream& is) { return object.UnSerialize(is); });
}

// The numbers (from 1) of the `count` lines that follow each line equal to
// `line` in the record.
std::set<size_t> LinesAfter(const std::string& record, const std::string& line, size_t count)
{
    const std::vector<std::string> lines = SplitLines(record);
    std::set<size_t> after;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == line) {
            for (size_t k = 1; k <= count; ++k)
                after.insert(i + 1 + k);
        }
    }
    return after;
}

// The lines of a record that its reader reads leniently: a shape's type and
// frame, the colour channels, an instance's reference line, its two flags
// and its two scroll modes; in a graphical object, every line of its shape
// list (a skipped shape line leaves the following ones to be met as shapes).
std::set<size_t> LenientLines(const std::string& kind, const std::string& record)
{
    std::set<size_t> lenient;
    auto add = [&lenient](const std::set<size_t>& lines) { lenient.insert(lines.begin(), lines.end()); };
    add(LinesAfter(record, "_CollisionBox_updatetag_1.1_", 1));
    add(LinesAfter(record, "_CollisionBox_updatetag_1.2_", 1));
    add(LinesAfter(record, "_CollisionLine_updatetag_1.0_", 1));
    add(LinesAfter(record, "_SceneObject_updatetag_1.0_", 4));
    add(LinesAfter(record, "_SpacialInstance_updatetag_1.2_", 1));
    add(LinesAfter(record, "_SpacialInstance_updatetag_1.3_", 1));
    add(LinesAfter(record, "_SpacialInstance_updatetag_1.4_", 2));
    if (kind.starts_with("SpacialInstance") || kind.starts_with("AnimatedSpriteSpacialInstance"))
        lenient.insert(1);
    const std::vector<std::string> lines = SplitLines(record);
    // The reference line of every instance a record holds is read and
    // ignored too (the sprite and animation placed in a graphical object).
    for (size_t n = 0; n < lines.size(); ++n) {
        if (lines[n] == "SpriteV0Ptr" || lines[n] == "AnimatedSpriteV0Ptr")
            lenient.insert(n + 1);
    }
    const auto first = std::find(lines.begin(), lines.end(), "CollisionBoxV0");
    const auto end = std::find(lines.begin(), lines.end(), "_GraphicalObject_updatetag_1.2_");
    if (first != lines.end() && end != lines.end()) {
        for (auto line = first; line != end; ++line)
            lenient.insert(static_cast<size_t>(line - lines.begin()) + 1);
    }
    return lenient;
}

// The game library's sprites and objects that records name, and a level.
class SceneRecordTest : public ::testing::Test {
protected:
    SceneRecordTest()
    {
        game.sprites = {&leaf, &stone, &frame0, &frame1};
        game.animatedSprites = {&flame, &smoke};
        game.sceneObjects = {&rock, &tree};
        flame.AddFrame(&frame0, 100.0f, 0.0f);
        flame.AddFrame(&frame1, 150.0f, 0.5f);
        smoke.AddFrame(&frame1, 10.0f, 0.0f);
    }

    // A graphical object with every part a record can hold.
    static void Furnish(GraphicalObject& object, Sprite* sprite, AnimatedSprite* animation)
    {
        object.SetCategory("(Decor)");
        object.SetColor(Color(10, 20, 30, 40));
        object.SetSize(96, 64, true);
        object.AddSpriteInstance(sprite, 4, 8)->SetAngle(0.5f);
        object.AddAnimatedInstance(animation, -16, 32);
        object.CollisionShapeAt(0) = std::make_unique<CollisionBox<int>>(0, 40, 30, 0, 2);
        object.CollisionShapeAt(1)
            = std::make_unique<CollisionLine<int>>(Point<int>(1, 2), Point<int>(50, 60), 1);
        object.AddGenericSpriteIndex(animation, 0);
        object.AddGenericSpriteIndex(sprite, 0);
    }

    std::vector<RecordKind> SceneRecordKinds()
    {
        std::vector<RecordKind> kinds;

        Sprite hero("Hero", "images/hero.png", 10, 20, 30, 40);
        hero.SetPoint(Point<int>(5, 6));
        kinds.push_back(Kind<Sprite>("Sprite", Written(hero, 1),
            [] { return std::make_unique<Sprite>("Old", "images/old.png", 1, 2, 3, 4); }));

        AnimatedSprite walk("Walk", {&leaf, &stone}, {100.0f, 200.0f}, {0.0f, 1.5f});
        walk.SetCounter(3);
        walk.SetLoopStart(1);
        walk.SetPingPong(true);
        kinds.push_back(Kind<AnimatedSprite>("AnimatedSprite", Written(walk, 1), [this] {
            return std::make_unique<AnimatedSprite>(
                "Old", std::vector<Sprite*> {&frame0}, std::vector<float> {5.0f}, std::vector<float> {0.0f});
        }));

        CollisionBox<int> box(-5, 40, 30, 2, 6);
        box.SetFrame(2);
        kinds.push_back(Kind<CollisionBox<int>>(
            "CollisionBox", Written(box, 1), [] { return std::make_unique<CollisionBox<int>>(1, 1, 1, 1); }));
        CollisionLine<int> line(Point<int>(-3, 4), Point<int>(70, 80), 2);
        line.SetFrame(1);
        kinds.push_back(Kind<CollisionLine<int>>("CollisionLine", Written(line, 1),
            [] { return std::make_unique<CollisionLine<int>>(Point<int>(), Point<int>(1, 1)); }));

        GraphicalObject::GenericSpriteIndex entry(1, 4);
        kinds.push_back(Kind<GraphicalObject::GenericSpriteIndex>("GenericSpriteIndex", Written(entry, 1),
            [] { return std::make_unique<GraphicalObject::GenericSpriteIndex>(0, 0); }));

        SceneObject lamp("Lamp");
        lamp.SetCategory("(Light)");
        lamp.SetColor(Color(1, 2, 3, 4));
        kinds.push_back(Kind<SceneObject>(
            "SceneObject", Written(lamp, 1), [] { return std::make_unique<SceneObject>("Old"); }));

        GraphicalObject house("House");
        Furnish(house, &leaf, &flame);
        kinds.push_back(Kind<GraphicalObject>("GraphicalObject", Written(house, 1), [this] {
            auto old = std::make_unique<GraphicalObject>("Old");
            Furnish(*old, &stone, &smoke);
            return old;
        }));

        CameraBlocker blocker("Blocker");
        Furnish(blocker, &leaf, &flame);
        blocker.SetBlocks(1, -1);
        kinds.push_back(Kind<CameraBlocker>("CameraBlocker", Written(blocker, 1), [] {
            auto old = std::make_unique<CameraBlocker>("Old");
            old->SetBlocks(0, 1);
            return old;
        }));

        PlacedSprite placedSprite(&leaf, 12, -7);
        placedSprite.SetMirrored(true);
        placedSprite.SetScrollMode(0, 1);
        placedSprite.SetScrollSpeed(2.5f, 0.0f);
        kinds.push_back(Kind<PlacedSprite>("SpacialInstance<Sprite>", Written(placedSprite, 0),
            [this] { return std::make_unique<PlacedSprite>(&stone, 1, 1); }));

        PlacedAnimation placedAnimation(&flame, 3, 4);
        placedAnimation.SetAngle(0.25f);
        placedAnimation.SetVisible(false);
        kinds.push_back(Kind<PlacedAnimation>("AnimatedSpriteSpacialInstance", Written(placedAnimation, 0),
            [this] { return std::make_unique<PlacedAnimation>(&smoke, 1, 1); }));

        PlacedObject placedObject(&rock, 1000.5f, -32.0f);
        placedObject.SetAngle(1.25f);
        placedObject.SetWrapOffset(3.0f, 0.5f);
        kinds.push_back(
            Kind<PlacedObject>("SpacialInstance<GraphicalObject>", Written(placedObject, 0), [this] {
                auto old = std::make_unique<PlacedObject>(&tree, 1.0f, 1.0f);
                old->SetLevel(&level);
                return old;
            }));
        return kinds;
    }

    // The game owns what its tables hold: the fixture's own objects leave
    // them before the game goes.
    void TearDown() override
    {
        game.sceneObjects.clear();
        game.sprites.clear();
        game.animatedSprites.clear();
    }

    SceneHost game;
    Level level {"garden.lvl"};
    Sprite leaf {"Leaf", "leaf.png", 0, 0, 16, 24};
    Sprite stone {"Stone", "stone.png", 0, 0, 8, 8};
    Sprite frame0 {"Flame0", "flame.png", 0, 0, 8, 12};
    Sprite frame1 {"Flame1", "flame.png", 8, 0, 16, 12};
    AnimatedSprite flame {"Flame"};
    AnimatedSprite smoke {"Smoke"};
    GraphicalObject rock {"Rock"};
    GraphicalObject tree {"Tree"};
};

} // namespace

TEST_F(SceneRecordTest, EveryRecordRefusesDamageAtEveryLineItDoesNotReadLeniently)
{
    for (RecordKind& kind : SceneRecordKinds()) {
        kind.lenientLines = LenientLines(kind.name, kind.record);
        ExpectEveryDamagedLineRefused(kind);
    }
}
