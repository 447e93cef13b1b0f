#include "tools/world/PlayerArt.h"
#include "tools/world/ArtPainter.h"
#include "tools/world/ArtRecipe.h"
#include "tools/world/WorldText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <tuple>
#include <vector>

// The Warden's default and spider sets as the world's recipes draw them.
namespace {

const ArtBook& WorldArt()
{
    static const ArtBook book = [] {
        ArtBook b;
        for (const std::string& file : ListFiles(std::string(QUENHOLT_SOURCE_DIR) + "/data/art", ".txt"))
            b.ReadFile(file);
        return b;
    }();
    return book;
}

// Every combination of the parts, in order: {"a", "b"} x {"L", "R"} -> aL aR bL bR.
std::vector<std::string> Expand(const std::string& prefix, const std::vector<std::vector<std::string>>& parts)
{
    std::vector<std::string> names = {prefix};
    for (const std::vector<std::string>& choices : parts) {
        std::vector<std::string> next;
        for (const std::string& n : names)
            for (const std::string& c : choices)
                next.push_back(n + c);
        names = next;
    }
    return names;
}

// The 80 names the game looks up for the default and spider sets.
std::vector<std::string> DefaultSetNames()
{
    std::vector<std::string> all;
    auto add
        = [&](const std::vector<std::string>& names) { all.insert(all.end(), names.begin(), names.end()); };
    add(Expand("Player Graphical",
        {{"Jump", "Fall", "Idle", "Walk", "Crouch", "HighFallCrouch", "TouchedGround", "TouchedAir",
             "CrouchExt", "IdleAttack", "WalkAttack", "JumpAttack", "FallAttack", "AirAttack",
             "CrouchAttack"},
            {"L", "R"}}));
    add(Expand("Player GraphicalClimb", {{"Idle", "Up", "Down"}, {"R", "L"}}));
    add(Expand("Player GraphicalSpider",
        {{"Idle", "Walk", "Jump", "Fall", "TouchedGround", "TouchedAir"}, {"L", "R"}}));
    add(Expand("Player GraphicalStraff", {{"Fwd", "Bwd"}, {"L", "R"}}));
    add(Expand("Player ", {{"Respawn", "Die"}, {"R", "L"}}));
    add(Expand("Player Graphical",
        {{"AirAttack", "WalkAttack", "CrouchAttack", "IdleAttack"}, {"[r2]", "[r3]", "[r4]"}, {"R", "L"}}));
    return all;
}

bool Holds(const std::string& text, const char* part)
{
    return text.find(part) != std::string::npos;
}

// The pose's blow (its type-3 box); type 0 when it has none.
ArtBox BlowBox(const ArtObject& pose)
{
    for (const ArtBox& box : pose.boxes)
        if (box.type == 3)
            return box;
    return ArtBox();
}

// The armor sets that have crossbow poses, the only ones a shot shows.
const char* const kCrossbowSets[] = {"[Ice]", "[Ice2]", "[IceC]", "[Fire]", "[Fire2]", "[FireC]"};

TEST(PlayerArtTest, TheWholeDefaultAndSpiderSetExistsAtThePlayersSizeAndCategory)
{
    const std::vector<std::string> names = DefaultSetNames();
    ASSERT_EQ(names.size(), 80u);
    ASSERT_EQ(std::set<std::string>(names.begin(), names.end()).size(), 80u);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const ArtObject* pose = WorldArt().Find(name);
        ASSERT_NE(pose, nullptr);
        EXPECT_EQ(pose->width, 64);
        EXPECT_EQ(pose->height, 96);
        EXPECT_EQ(pose->category, "(Player)");
        EXPECT_FALSE(pose->plainSprite);
    }
}

TEST(PlayerArtTest, PosesTheGameWaitsOnFinishAndTheRestLoopWithTheExpectedFrameCounts)
{
    for (const std::string& name : DefaultSetNames()) {
        SCOPED_TRACE(name);
        const ArtObject& pose = *WorldArt().Find(name);
        const bool finishes = Holds(name, "Die") || Holds(name, "Respawn") || Holds(name, "Touched")
            || Holds(name, "HighFallCrouch") || Holds(name, "Attack");
        EXPECT_EQ(pose.loop, !finishes);
        if (Holds(name, "Attack")) {
            EXPECT_GE(pose.frames, 5);
            EXPECT_LE(pose.frames, 7);
        } else if (Holds(name, "Walk")) {
            EXPECT_EQ(pose.frames, 8);
        } else if (Holds(name, "Idle") && !Holds(name, "Climb")) {
            EXPECT_EQ(pose.frames, 4);
        } else if (Holds(name, "Die")) {
            EXPECT_EQ(pose.frames, 8);
        }
    }
}

TEST(PlayerArtTest, EveryPoseHasItsHurtBoxAndAttacksStrikeAheadOnFrameZero)
{
    for (const std::string& name : DefaultSetNames()) {
        SCOPED_TRACE(name);
        const ArtObject& pose = *WorldArt().Find(name);
        const bool right = name.back() == 'R';
        int hurt = 0, blows = 0;
        for (const ArtBox& box : pose.boxes) {
            EXPECT_LT(box.x0, box.x1);
            EXPECT_GT(box.y0, box.y1);
            if (box.type == 2) {
                ++hurt;
                EXPECT_EQ(box.frame, -1);
                EXPECT_EQ(box.y1, 0);
                // Inside the drawn body, 24 px wide in the middle of the frame.
                EXPECT_EQ(box.x1 - box.x0, 24);
                EXPECT_NEAR((box.x0 + box.x1) / 2.0, 31.5, 0.6);
                const int expectedTop = Holds(name, "Spider") ? 28 : Holds(name, "Crouch") ? 56 : 88;
                EXPECT_EQ(box.y0, expectedTop);
            } else if (box.type == 3) {
                ++blows;
                EXPECT_EQ(box.frame, 0);
                // The blow lies in front of the body, on the side the pose faces.
                if (right)
                    EXPECT_GT(box.x1, 44);
                else
                    EXPECT_LT(box.x0, 20);
            }
        }
        EXPECT_EQ(hurt, 1);
        EXPECT_EQ(blows, Holds(name, "Attack") ? 1 : 0);
    }
    // Higher ranks reach further.
    auto reach = [](const char* name) {
        const ArtBox box = BlowBox(*WorldArt().Find(name));
        return box.x1 - box.x0;
    };
    EXPECT_LT(reach("Player GraphicalIdleAttackR"), reach("Player GraphicalIdleAttack[r2]R"));
    EXPECT_LT(reach("Player GraphicalIdleAttack[r3]R"), reach("Player GraphicalIdleAttack[r4]R"));
}

// Each frame shows a figure and moves, and the left pose mirrors the right
// one; the crossbow poses among them.
TEST(PlayerArtTest, LeftPosesAreTheRightOnesMirroredAndFramesDiffer)
{
    const ArtPainter painter(WorldArt(), 1);
    std::vector<std::string> bases = {"Player GraphicalWalk", "Player GraphicalIdleAttack[r3]",
        "Player GraphicalSpiderWalk", "Player Die", "Player GraphicalClimbUp"};
    for (const char* set : kCrossbowSets)
        for (const char* kind : {"Idle", "Crouch", "Air"})
            bases.push_back(std::string(set) + "Player Graphical" + kind + "Crossbow");
    for (const std::string& base : bases) {
        SCOPED_TRACE(base);
        const ArtObject* right = WorldArt().Find(base + "R");
        const ArtObject* left = WorldArt().Find(base + "L");
        ASSERT_TRUE(right != nullptr && left != nullptr);
        ASSERT_EQ(right->frames, left->frames);
        int differentFrames = 0;
        PixelImage previous;
        for (int f = 0; f < right->frames; ++f) {
            const PixelImage r = painter.Paint(*right, f);
            const PixelImage l = painter.Paint(*left, f);
            const int w = r.GetWidth(), h = r.GetHeight();
            int mismatches = 0, opaque = 0;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    mismatches += l.GetPixel(x, y) != r.GetPixel(w - 1 - x, y);
                    opaque += (r.GetPixel(x, y) >> 24) != 0;
                }
            EXPECT_EQ(mismatches, 0) << "frame " << f;
            // A figure, not an empty or filled frame; outlined in the shared dark colour.
            EXPECT_GT(opaque, 200) << "frame " << f;
            EXPECT_LT(opaque, w * h / 2) << "frame " << f;
            if (f > 0 && previous.GetPixels() != r.GetPixels())
                ++differentFrames;
            previous = r;
        }
        EXPECT_EQ(differentFrames, right->frames - 1) << "each frame moves";
    }
}

// The crossbow poses aim a crossbow, not the scythe: on the frame the bolt
// leaves, the crossbow's wooden tiller lies just behind the point the bolt
// starts from, the centre of the type-3 box, which stays the box of the same
// set's blow so the bolt leaves where it always did.
TEST(PlayerArtTest, CrossbowPosesAimTheCrossbowWhereTheBoltLeaves)
{
    const ArtPainter painter(WorldArt(), 1);
    const std::pair<const char*, const char*> kinds[]
        = {{"Idle", "IdleAttack"}, {"Crouch", "CrouchAttack"}, {"Air", "AirAttack"}};
    for (const char* set : kCrossbowSets)
        for (const auto& [kind, blow] : kinds)
            for (const char side : {'L', 'R'}) {
                const std::string name = std::string(set) + "Player Graphical" + kind + "Crossbow" + side;
                SCOPED_TRACE(name);
                const ArtObject* pose = WorldArt().Find(name);
                const ArtObject* swing = WorldArt().Find(std::string(set) + "Player Graphical" + blow + side);
                ASSERT_NE(pose, nullptr);
                ASSERT_NE(swing, nullptr);
                EXPECT_FALSE(pose->loop);
                const ArtBox box = BlowBox(*pose);
                const ArtBox blowOfTheSwing = BlowBox(*swing);
                EXPECT_EQ(box.type, 3);
                EXPECT_EQ(box.frame, 0);
                EXPECT_EQ(std::tie(box.x0, box.y0, box.x1, box.y1),
                    std::tie(blowOfTheSwing.x0, blowOfTheSwing.y0, blowOfTheSwing.x1, blowOfTheSwing.y1));

                const uint32_t wood = WorldArt().palettes.at(pose->palette).at(5) & 0xFFFFFFu;
                const int cx = (box.x0 + box.x1) / 2, row = pose->height - 1 - (box.y0 + box.y1) / 2;
                const int behind = side == 'R' ? -1 : 1;
                const PixelImage picture = painter.Paint(*pose, 0);
                int woodSeen = 0;
                for (int y = row - 7; y <= row; ++y)
                    for (int x = 2; x <= 12; ++x)
                        woodSeen += (picture.GetPixel(cx + behind * x, y) & 0xFFFFFFu) == wood;
                EXPECT_GE(woodSeen, 8) << "the tiller behind the bolt's start";
            }
}

TEST(PlayerArtTest, BadPoseLinesAreRefusedNamingTheLine)
{
    const std::string head = "palette p #000000 #111111 #222222 #333333 #444444 #555555 #666666 #777777\n";
    const struct {
        std::string text;
        const char* message;
    } cases[] = {
        {head + "pose \"A\" LR idle 4 100 loop\n", "test.txt:2: a \"poses\" line must come before"},
        {head + "poses a.png p\npose \"A\" LR dance 4 100 loop\n",
            "test.txt:3: unknown player motion \"dance\""},
        {head + "poses a.png p\npose \"A\" LL idle 4 100 loop\n", "test.txt:3: a pose's sides are"},
        {head + "poses a.png p\npose \"A\" LR idle 4 100 forever\n",
            "test.txt:3: expected \"loop\" or \"finish\""},
        {head + "poses a.png p\npose \"A\" LR idle 0 100 loop\n", "test.txt:3: a pose has 1 to 64 frames"},
        {head + "poses a.png q\n", "test.txt:2: unknown palette \"q\""},
        {head + "poses a.png p\npose \"A\" LR idle 4 100 loop\npose \"A\" RL walk 8 100 loop\n",
            "test.txt:4: picture \"AR\" is defined twice"},
        {head + "poses a.png p\npose \"A\" LR idle 4 loop\n",
            "test.txt:3: \"pose\" expects 6 values, found 5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            ArtBook book;
            book.ReadText(c.text, "test.txt");
            ADD_FAILURE() << "accepted";
        } catch (const WorldError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
    }
}

// The water is drawn over the characters (its layer comes after theirs), so
// in a flooded level the Warden is seen through it: under every frame of the
// water he keeps most of the contrast between his face and his cloak.
TEST(PlayerArtTest, TheWardenShowsThroughTheWater)
{
    const ArtPainter painter(WorldArt(), 1);
    const ArtObject* water = WorldArt().Find("Water_Tile");
    ASSERT_NE(water, nullptr);
    const PixelImage warden = painter.Paint(*WorldArt().Find("Player GraphicalIdleR"), 0);
    const auto contrast = [&](const PixelImage& over) {
        const auto luminance = [](uint32_t c) {
            return 0.299 * ((c >> 16) & 0xFF) + 0.587 * ((c >> 8) & 0xFF) + 0.114 * (c & 0xFF);
        };
        double darkest = 255.0, brightest = 0.0;
        for (int y = 0; y < warden.GetHeight(); ++y)
            for (int x = 0; x < warden.GetWidth(); ++x) {
                const uint32_t seen = warden.GetPixel(x, y);
                const uint32_t cover
                    = over.IsEmpty() ? 0 : over.GetPixel(x % over.GetWidth(), y % over.GetHeight());
                if ((seen >> 24) != 0xFF || (cover >> 24) == 0xFF)
                    continue; // not the Warden, or a glint hides him
                const double a = (cover >> 24) / 255.0;
                const double l = a * luminance(cover) + (1.0 - a) * luminance(seen);
                darkest = std::min(darkest, l);
                brightest = std::max(brightest, l);
            }
        return brightest - darkest;
    };
    const double inAir = contrast(PixelImage());
    for (int f = 0; f < water->frames; ++f)
        EXPECT_GE(contrast(painter.Paint(*water, f)), 0.6 * inAir) << "frame " << f;
}

} // namespace
