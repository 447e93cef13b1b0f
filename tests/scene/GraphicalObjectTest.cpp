#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "engine/render/DXRenderEngine.h"
#include "engine/render/ImageHandleManager.h"
#include "engine/render/RenderPoolManager.h"
#include "scene/AnimatedSprite.h"
#include "scene/ArmorReplacement.h"
#include "scene/CameraBlocker.h"
#include "scene/CollisionShape.h"
#include "scene/GameplayObject.h"
#include "scene/GraphicalObject.h"
#include "scene/SpacialInstance.h"
#include "scene/Sprite.h"
#include "tests/scene/RecordText.h"
#include "tests/scene/SceneHost.h"

namespace {

// The text with the first `from` replaced by `to` (throws when there is none).
std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    return text.replace(text.find(from), from.size(), to);
}

std::unique_ptr<CollisionBox<int>> Box(int x0, int y0, int x1, int y1, int type = 0)
{
    return std::make_unique<CollisionBox<int>>(x0, y0, x1, y1, type);
}

// The game library the references of a record resolve against.
class GraphicalObjectTest : public testing::Test {
protected:
    GraphicalObjectTest()
    {
        for (int i = 0; i < 3; ++i) {
            sprites.push_back(
                std::make_unique<Sprite>(std::string("S").append(std::to_string(i)), "s.png", 0, 0, 16, 16));
            game.sprites.push_back(sprites.back().get());
        }
        walk.AddFrame(sprites[0].get(), 100.0f, 0.0f);
        walk.AddFrame(sprites[1].get(), 100.0f, 0.0f);
        walk.AddFrame(sprites[2].get(), 200.0f, 0.0f);
        walk.SetLoopStart(0);
        game.animatedSprites.push_back(&walk);
    }

    // An object with two sprites, one animation, two shapes and a drawing
    // table naming the second sprite, the animation and the first sprite.
    void Fill(GraphicalObject& object)
    {
        object.SetSize(64, 48, true);
        object.AddSpriteInstance(sprites[0].get(), 0, 0);
        object.AddSpriteInstance(sprites[1].get(), 16, 8)->SetMirrored(true);
        object.AddAnimatedInstance(&walk, 4, 4);
        object.CollisionShapeAt(0) = Box(0, 40, 63, 0, 1);
        object.CollisionShapeAt(1)
            = std::make_unique<CollisionLine<int>>(Point<int>(0, 0), Point<int>(10, 20), 2);
        object.AddGenericSpriteIndex(sprites[1].get(), 1);
        object.AddGenericSpriteIndex(&walk, 0);
        object.AddGenericSpriteIndex(sprites[0].get(), 0);
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
    std::vector<std::unique_ptr<Sprite>> sprites;
    AnimatedSprite walk {"Walk"};
};

} // namespace

TEST_F(GraphicalObjectTest, RecordRoundTripsByteForByte)
{
    GraphicalObject object("Lantern");
    Fill(object);
    const std::string written = Write(object);
    EXPECT_EQ(
        written.rfind("GraphicalObjectV0\r\nLantern\r\n(Default)\r\n_SceneObject_updatetag_1.0_\r\n", 0), 0u);
    EXPECT_NE(written.find("_GraphicalObject_updatetag_1.2_\r\n_GraphicalObject_updatetag_1.1_\r\n3\r\n"
                           "GenericSpriteIndexV0\r\n0\r\n1\r\nGenericSpriteIndexV0\r\n1\r\n0\r\n"),
        std::string::npos);

    GraphicalObject read("");
    std::istringstream in(Body(written) + "NextRecordV0\r\n");
    ASSERT_TRUE(read.UnSerialize(in));
    EXPECT_EQ(Write(read), written);
    EXPECT_EQ(NextLine(in), "NextRecordV0");
}

TEST_F(GraphicalObjectTest, NullShapesAreWrittenAsTheNullWordAndDroppedOnReading)
{
    GraphicalObject object("Gate");
    object.CollisionShapeAt(2) = Box(0, 10, 10, 0); // slots 0 and 1 stay null
    const std::string written = Write(object);
    EXPECT_NE(written.find("3\r\nCOLLISION_BOX_NULL\r\nCOLLISION_BOX_NULL\r\nCollisionBoxV0\r\n"),
        std::string::npos);

    GraphicalObject read("");
    std::istringstream in(Body(written));
    ASSERT_TRUE(read.UnSerialize(in));
    EXPECT_EQ(read.GetCollisionShapeCount(), 1);
    EXPECT_EQ(read.GetCollisionRect(), Rect<int>(0, 10, 10, 0));
}

TEST_F(GraphicalObjectTest, OlderRecordWithoutDrawingTableDrawsEverySpriteInstance)
{
    GraphicalObject object("Old");
    object.AddSpriteInstance(sprites[0].get(), 0, 0);
    object.AddSpriteInstance(sprites[1].get(), 0, 0);
    object.AddAnimatedInstance(&walk, 0, 0);
    const std::string older = Replace(Body(Write(object)), "_GraphicalObject_updatetag_1.1_\r\n0\r\n", "");

    GraphicalObject read("");
    std::istringstream in(older + "NextRecordV0\r\n");
    ASSERT_TRUE(read.UnSerialize(in));
    EXPECT_EQ(read.GetDrawEntries(), (std::vector<GraphicalObject::GenericSpriteIndex> {{0, 0}, {0, 1}}));
    EXPECT_EQ(NextLine(in), "NextRecordV0");
}

TEST_F(GraphicalObjectTest, OlderShapesMoveFromGridCellsIntoObjectSpace)
{
    GraphicalObject source("Grid");
    source.SetSize(64, 64, true);
    for (int i = 0; i < 4; ++i)
        source.CollisionShapeAt(i) = Box(0, 31, 31, 0);
    const std::string older = Replace(Body(Write(source)), "_GraphicalObject_updatetag_1.2_\r\n", "");

    GraphicalObject fresh("");
    std::istringstream freshIn(older);
    ASSERT_TRUE(fresh.UnSerialize(freshIn));
    EXPECT_EQ(fresh.GetCollisionRect(), Rect<int>(0, 31, 31, 0));

    GraphicalObject grid("");
    grid.SetSize(64, 64, false);
    std::istringstream gridIn(older);
    ASSERT_TRUE(grid.UnSerialize(gridIn));
    EXPECT_TRUE(grid.AreShapesInObjectSpace());
    const Point<int> moves[] = {{0, 32}, {32, 32}, {0, 0}, {32, 0}};
    for (int i = 0; i < 4; ++i) {
        auto* box = dynamic_cast<CollisionBox<int>*>(grid.GetCollisionShape(i));
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->GetRect(), Rect<int>(moves[i].x, 31 + moves[i].y, 31 + moves[i].x, moves[i].y)) << i;
    }

    // An object narrower than one cell has one column instead of a division by zero.
    GraphicalObject narrow("");
    narrow.SetSize(16, 64, false);
    EXPECT_EQ(narrow.GetCollisionCell(1), Point<int>(0, 0));
}

TEST_F(GraphicalObjectTest, CharacterObjectsJoinThePrototypeListWhenRead)
{
    for (const char* name : {"NPC_Thrower", "Projectile_Thrower", "Zone_NPCSpawner"}) {
        GraphicalObject source(name);
        auto read = std::make_unique<GraphicalObject>("");
        std::istringstream in(Body(Write(source)));
        ASSERT_TRUE(read->UnSerialize(in));
        const bool listed = game.prototypes == std::vector<GraphicalObject*> {read.get()};
        EXPECT_EQ(listed, std::string(name) != "Zone_NPCSpawner") << name;
        read.reset();
        EXPECT_TRUE(game.prototypes.empty()) << name;
    }
}

TEST_F(GraphicalObjectTest, DamagedRecordsFailCleanly)
{
    GraphicalObject object("Lantern");
    Fill(object);
    const std::string body = Body(Write(object));
    // Cut the record at every line: each read ends without a crash or a leak.
    for (size_t cut = body.find('\n'); cut != std::string::npos; cut = body.find('\n', cut + 1)) {
        GraphicalObject read("");
        std::istringstream in(body.substr(0, cut + 1));
        read.UnSerialize(in);
    }
    // A sprite instance naming an unknown sprite is dropped and fails the read.
    GraphicalObject unknown("");
    std::istringstream in(Replace(body, "SpriteV0Ptr\r\nS0\r\n", "SpriteV0Ptr\r\nMissing\r\n"));
    EXPECT_FALSE(unknown.UnSerialize(in));

    // Counts of four billion over an ending stream allocate nothing.
    GraphicalObject huge("");
    std::istringstream hugeIn(
        "Big\n(Default)\n_SceneObject_updatetag_1.0_\n1\n2\n3\n4\n32\n32\n4000000000\n");
    EXPECT_FALSE(huge.UnSerialize(hugeIn));
    EXPECT_EQ(huge.GetSpriteInstanceCount(), 0);
}

TEST_F(GraphicalObjectTest, RemovingADrawEntryRenumbersTheOthers)
{
    GraphicalObject object("Three");
    for (int i = 0; i < 3; ++i) {
        object.AddSpriteInstance(sprites[static_cast<size_t>(i)].get(), 0, 0);
        object.AddGenericSpriteIndex(sprites[static_cast<size_t>(i)].get(), i);
    }
    object.RemoveGenericSprite(0);
    EXPECT_EQ(object.GetDrawEntries(), (std::vector<GraphicalObject::GenericSpriteIndex> {{0, 0}, {0, 1}}));
    EXPECT_EQ(object.GetSpriteInstanceCount(), 2);
    EXPECT_EQ(object.GetGenericSprite(5), nullptr);

    // Removing the tail at once leaves what removing it entry by entry from
    // the last leaves, instances of both kinds and indices past the lists.
    GraphicalObject once("Tail");
    for (int i = 0; i < 3; ++i)
        once.AddSpriteInstance(sprites[static_cast<size_t>(i)].get(), i, 0);
    once.AddAnimatedInstance(&walk, 0, 0);
    for (const int index : {2, 0, 9})
        once.AddGenericSpriteIndex(sprites[0].get(), index);
    once.AddGenericSpriteIndex(&walk, 0);
    once.AddGenericSpriteIndex(sprites[0].get(), 1);
    GraphicalObject byOne("Tail");
    byOne.Assign(once);
    once.RemoveGenericSpritesFrom(3);
    for (int i = byOne.GetDrawEntryCount() - 1; i >= 3; --i)
        byOne.RemoveGenericSprite(i);
    EXPECT_EQ(once.GetDrawEntries(), byOne.GetDrawEntries());
    EXPECT_EQ(
        once.GetDrawEntries(), (std::vector<GraphicalObject::GenericSpriteIndex> {{0, 1}, {0, 0}, {0, 8}}));
    ASSERT_EQ(once.GetSpriteInstanceCount(), 2);
    EXPECT_EQ(once.GetSpriteInstance(1)->GetPosition(), Point<int>(2, 0));
    EXPECT_EQ(once.GetAnimatedInstanceCount(), byOne.GetAnimatedInstanceCount());
}

TEST_F(GraphicalObjectTest, UpdateScrollsWrapOffsetsAndStepsAnimations)
{
    GraphicalObject object("River");
    object.SetSize(64, 32, true);
    auto* scrolling = object.AddSpriteInstance(sprites[0].get(), 0, 0);
    scrolling->SetScrollMode(0, -1);
    scrolling->SetScrollSpeed(100.0f, 50.0f);
    auto* backwards = object.AddSpriteInstance(sprites[1].get(), 0, 0);
    backwards->SetScrollMode(-1, 0);
    backwards->SetScrollSpeed(0.0f, -40.0f);
    object.AddSpriteInstance(sprites[2].get(), 0, 0)->SetScrollMode(0, 0); // not drawn: stays still
    object.GetSpriteInstance(2)->SetScrollSpeed(10.0f, 10.0f);
    object.AddAnimatedInstance(&walk, 0, 0);
    object.AddGenericSpriteIndex(sprites[0].get(), 0);
    object.AddGenericSpriteIndex(sprites[1].get(), 1);

    object.Update(700.0); // 70 px on x wraps at the width 64; -28 px on y keeps its sign
    EXPECT_FLOAT_EQ(object.GetSpriteInstance(0)->GetWrapOffset().x, 6.0f);
    EXPECT_FLOAT_EQ(object.GetSpriteInstance(0)->GetWrapOffset().y, 0.0f);
    EXPECT_FLOAT_EQ(object.GetSpriteInstance(1)->GetWrapOffset().y, -28.0f);
    EXPECT_FLOAT_EQ(object.GetSpriteInstance(2)->GetWrapOffset().x, 0.0f);
    // 700 ms over frames of 100, 100, 200 looping: 0 1 2 0 1, then 100 ms into 2.
    EXPECT_EQ(object.GetAnimationFrame(), 2);
    EXPECT_NEAR(object.GetAnimationProgress(), (200.0f + 100.0f) / 400.0f, 1e-6f);

    object.SetAnimationProgress(1.0f);
    EXPECT_EQ(object.GetAnimationFrame(), 2);
    object.SetAnimationProgress(-0.5f);
    EXPECT_EQ(object.GetAnimationFrame(), 0);

    object.SetAnimationProgress(0.5f);
    object.RestartAnimations(false);
    EXPECT_EQ(object.GetAnimationFrame(), 0);
    EXPECT_FLOAT_EQ(object.GetSpriteInstance(0)->GetWrapOffset().x, 0.0f);
}

TEST_F(GraphicalObjectTest, AnimationQueriesGuardEmptyAndZeroLengthAnimations)
{
    GraphicalObject still("Still");
    EXPECT_EQ(still.GetAnimationFrame(), -1);
    EXPECT_FLOAT_EQ(still.GetAnimationProgress(), 0.0f);
    EXPECT_TRUE(still.IsAnimationFinished());

    AnimatedSprite zero("Zero");
    zero.AddFrame(sprites[0].get(), 0.0f, 0.0f);
    GraphicalObject object("Flash");
    object.AddAnimatedInstance(&zero, 0, 0);
    EXPECT_FLOAT_EQ(object.GetAnimationProgress(), 0.0f);
    EXPECT_TRUE(object.HasNonLoopingAnimation());
    object.Update(10.0);
    EXPECT_FALSE(object.GetAnimatedInstance(0)->IsPlaying());
    EXPECT_TRUE(object.IsAnimationFinished());

    // A zero-size object scrolls nothing instead of filling its offsets with NaN.
    GraphicalObject flat("Flat");
    flat.SetSize(0, 0, true);
    flat.AddSpriteInstance(sprites[0].get(), 0, 0)->SetScrollMode(0, 0);
    flat.GetSpriteInstance(0)->SetScrollSpeed(5.0f, 5.0f);
    flat.AddGenericSpriteIndex(sprites[0].get(), 0);
    flat.Update(100.0);
    EXPECT_EQ(flat.GetSpriteInstance(0)->GetWrapOffset(), Point<float>(0.0f, 0.0f));

    AnimatedSprite empty("Empty");
    GraphicalObject blank("Blank");
    blank.AddAnimatedInstance(&empty, 0, 0);
    blank.SetAnimationProgress(0.5f);
    blank.Update(10.0);
    EXPECT_FLOAT_EQ(blank.GetAnimationProgress(), 0.0f);
}

TEST_F(GraphicalObjectTest, CopiesAreDeepAndClonesChooseWhetherToRestart)
{
    GraphicalObject object("Lantern");
    Fill(object);
    object.CollisionShapeAt(3) = Box(1, 2, 3, 0, 3);
    object.Update(150.0);
    ASSERT_EQ(object.GetAnimationFrame(), 1);

    std::unique_ptr<SceneObject> kept(object.Clone(false));
    auto* copy = dynamic_cast<GraphicalObject*>(kept.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetAnimationFrame(), 1);
    EXPECT_NE(copy->GetCollisionShape(0), object.GetCollisionShape(0));
    EXPECT_EQ(Write(*copy), Write(object));

    std::unique_ptr<SceneObject> restarted(object.Clone(true));
    EXPECT_EQ(static_cast<GraphicalObject*>(restarted.get())->GetAnimationFrame(), 0);

    // A camera blocker clones into a plain graphical object, whose record
    // reads back as one (a blocker's record would expect two more lines).
    CameraBlocker blocker("Stop");
    blocker.SetBlocks(1, 1);
    std::unique_ptr<SceneObject> plain(blocker.Clone(true));
    EXPECT_EQ(dynamic_cast<CameraBlocker*>(plain.get()), nullptr);
    const std::string cloneRecord = Write(*plain);
    EXPECT_EQ(cloneRecord.rfind("GraphicalObjectV0\r\nStop\r\n(game play)\r\n", 0), 0u);
    GraphicalObject reread("");
    std::istringstream in(Body(cloneRecord));
    EXPECT_TRUE(reread.UnSerialize(in));
    EXPECT_EQ(Write(reread), cloneRecord);
}

TEST_F(GraphicalObjectTest, CameraBlockerAndGameplayObjectRecords)
{
    CameraBlocker blocker("Stop Left");
    blocker.SetBlocks(-1, 1);
    const std::string written = Write(blocker);
    EXPECT_EQ(written.rfind("CameraBlockerV0\r\nStop Left\r\n(game play)\r\n", 0), 0u);
    EXPECT_EQ(written.substr(written.size() - 7), "1\r\n-1\r\n"); // vertical, then horizontal

    CameraBlocker read("");
    std::istringstream in(Body(written));
    ASSERT_TRUE(read.UnSerialize(in));
    EXPECT_EQ(Write(read), written);

    CameraBlocker cut("");
    std::istringstream cutIn(Body(written).substr(0, Body(written).size() - 4));
    EXPECT_FALSE(cut.UnSerialize(cutIn));

    // A gameplay object writes the graphical-object record under its own name.
    GameplayObject zone("Zone Save");
    EXPECT_EQ(Write(zone).rfind("GameplayObjectV0\r\nZone Save\r\n(game play)\r\n", 0), 0u);
}

TEST_F(GraphicalObjectTest, InitLinksArmorReplacementPartners)
{
    GraphicalObject water("Water");
    GraphicalObject ice("Water Frozen");
    GraphicalObject lava("Lava");
    GraphicalObject rock("Lava Cooled");
    game.sceneObjects = {&water, &ice, &lava, &rock};
    ArmorReplacement::IceList()
        = {ArmorReplacement("Water", "Nothing"), ArmorReplacement("Water", "Water Frozen")};
    ArmorReplacement::IceLavaList() = {ArmorReplacement("Lava", "Lava Cooled")};
    water.Init();
    lava.Init();
    ArmorReplacement::IceList().clear();
    ArmorReplacement::IceLavaList().clear();
    game.sceneObjects.clear();

    EXPECT_EQ(water.GetReplacement(), &ice);
    EXPECT_EQ(water.GetReplacementKind(), 3);
    EXPECT_EQ(ice.GetReplacementKind(), 4);
    EXPECT_EQ(lava.GetReplacement(), &rock);
    EXPECT_EQ(lava.GetReplacementKind(), 1);
    EXPECT_EQ(rock.GetReplacementKind(), 2);
}

TEST_F(GraphicalObjectTest, LoadImagesAcquiresOnlyDrawnSprites)
{
    GraphicalObject object("Lantern");
    object.AddSpriteInstance(sprites[0].get(), 0, 0);
    object.AddSpriteInstance(sprites[1].get(), 0, 0);
    object.AddAnimatedInstance(&walk, 0, 0);
    object.AddGenericSpriteIndex(sprites[0].get(), 0);
    GraphicalObject::LoadImages(&object, true);
    EXPECT_TRUE(sprites[0]->IsImageLoaded());
    EXPECT_FALSE(sprites[1]->IsImageLoaded());
    EXPECT_FALSE(sprites[2]->IsImageLoaded());

    object.AddGenericSpriteIndex(&walk, 0);
    GraphicalObject::LoadImages(&object, false); // nothing records: acquired at once
    EXPECT_TRUE(sprites[1]->IsImageLoaded());
    EXPECT_TRUE(sprites[2]->IsImageLoaded());
    for (auto& sprite : sprites)
        sprite->ReleaseImage();

    // An engine that records, but for a pool that runs no render thread: no
    // image pass would ever upload them, so they are acquired at once too.
    {
        DXRenderEngine engine;
        engine.SetRenderPool(new RenderPoolManager(false));
        ASSERT_TRUE(engine.IsRecording());
        GraphicalObject::LoadImages(&object, false);
        EXPECT_TRUE(sprites[0]->IsImageLoaded());
    }
    for (auto& sprite : sprites)
        sprite->ReleaseImage();
    ImageHandleManager::DestroyInstance();
}

TEST_F(GraphicalObjectTest, ShapesApplyInEveryFrameOrInTheirOwnFrame)
{
    GraphicalObject object("Spikes");
    object.AddAnimatedInstance(&walk, 0, 0);
    object.CollisionShapeAt(0) = Box(0, 8, 8, 0);
    auto second = Box(0, 16, 8, 0);
    second->SetFrame(1);
    object.CollisionShapeAt(1) = std::move(second);
    // slot 2 stays empty
    object.CollisionShapeAt(3) = Box(0, 4, 4, 0);
    EXPECT_TRUE(object.IsCollisionShapeActive(0));
    EXPECT_FALSE(object.IsCollisionShapeActive(1));
    EXPECT_FALSE(object.IsCollisionShapeActive(2));
    EXPECT_FALSE(object.IsCollisionShapeActive(9));
    object.SetAnimationFrame(1);
    EXPECT_TRUE(object.IsCollisionShapeActive(1));
}
