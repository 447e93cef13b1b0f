#include "engine/config/GamePaths.h"
#include "engine/render/D3DDevice.h"
#include "engine/render/DXRenderEngine.h"
#include "engine/render/ImageHandleManager.h"
#include "engine/render/PixelImage.h"
#include "engine/render/RenderPoolManager.h"
#include "game/Game.h"
#include "game/GameLoopAccess.h"
#include "scene/MapModel.h"
#include "scene/SpacialInstance.h"
#include "ui/UI_Font.h"
#include "ui/UI_Menu.h"
#include "ui/UI_MenuCatalogue.h"
#include "ui/UI_Menu_Page.h"

#include "tests/engine/render/RenderTestSupport.h"
#include "tests/tools/GoldenFingerprints.h"
#include "tests/tools/KeyboardGame.h"
#include "tests/tools/WorldFolderTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <iostream>

// Every page of the menu as the player reaches it with the keys, at the
// title and over a level, drawn into the 512 x 448 picture and compared with
// the pictures taken when the pages were laid out (tests/data/golden/menu_*):
// the pages keep their rows, values and hints apart and inside the picture.
// Only the final copy into the window differs between the scale modes, so
// the picture holds for all of them.
//
// The pictures belong to the menu's art and font: when those images differ
// from the ones the fingerprints name, the comparison is skipped and says how
// to take the pictures again (QUENHOLT_RETAKE_GOLDEN=1).
namespace {

using namespace MenuCatalogue;
using namespace menukeys;

const std::string kWorld = QUENHOLT_WORLD_DIR;
constexpr int kScreenW = 512;
constexpr int kScreenH = 448;
constexpr int kTolerance = 1;
// The title's words ("QUENHOLT" and the line below it) end above this row of
// the title's picture; at the title no page draws above it.
constexpr int kTitleWordsBottom = 124;
// A prompt wraps at this width.
constexpr int kPromptWidth = 250;

struct Box {
    int x0, y0, x1, y1;
    std::string what;
    bool Overlaps(const Box& other) const
    {
        return x0 < other.x1 && other.x0 < x1 && y0 < other.y1 && other.y0 < y1;
    }
};

// The menu's and the font's images.
std::string MenuFingerprint()
{
    std::vector<std::string> files;
    for (const char* image : {"menu_items.png", "menu_pages.png", "menu_title.png", "menu_title_1.png",
             "menu_title_2.png", "font_basic.png", "icons.png"})
        files.push_back(kWorld + "/images/ui/" + image);
    return goldentest::FingerprintOf(files);
}

class GLMenuGolden : public WorldFolderTest {
protected:
    GLMenuGolden()
        : WorldFolderTest("quenholt-menu-golden")
    {
    }

    void SetUp() override
    {
        WorldFolderTest::SetUp();
        if (IsSkipped())
            return;
        SetBasePath(kWorld + "/images/");
        engine = std::make_unique<DXRenderEngine>();
        pool = engine->SetRenderPool(new RenderPoolManager());
        ASSERT_TRUE(rendertest::WaitUntil([&] { return pool->idle.load() == 1; }));
        ASSERT_FALSE(pool->startFailed.load());
        ASSERT_TRUE(StartAsTheProgramDoes(game));
        SetUserPath(folder.string() + "/");
        game.minimapModel = std::make_unique<MapModel>(MapModel::Minimap {});
        ASSERT_NE(Menu(), nullptr);
        ASSERT_TRUE(keys.PlayTitleIntro());
    }

    void TearDown() override
    {
        if (!previous.empty()) {
            engine.reset();
            ImageHandleManager::DestroyInstance();
            SetBasePath("");
            SetUserPath("");
        }
        WorldFolderTest::TearDown();
    }

    UI_Menu* Menu() { return keys.Menu(); }
    void Tap(int32_t pcCode, int times = 1) { keys.Tap(pcCode, times); }
    void SelectRow(int32_t row) { ASSERT_TRUE(keys.SelectRow(row)) << "row " << row; }

    // The interface as the main loop draws it, read back from the picture.
    PixelImage Draw()
    {
        rendertest::SubmitFrame(*pool, 0xFF000000u, [&] { access.RenderUI(); });
        rendertest::WaitForFrameDone(*pool);
        std::vector<uint32_t> pixels;
        pool->RunOnRenderThread([&] { ReadPicturePixels(0, 0, kScreenW, kScreenH, pixels); });
        return goldentest::OpaquePicture(pixels, kScreenW, kScreenH);
    }

    // The page's rows, values and hints as laid out: inside the picture, no
    // text over another, no text over another row's picture, and at the
    // title below the title's words. The key mapping's rows overlap by
    // design and its band hides the title; over a level it stands at the top
    // edge (its first row 6 pixels above it, and its Exit row's picture 14
    // to the left of the picture, as the menu's layout asks).
    void ExpectLaidOutApart()
    {
        UI_Menu_Page* page = Menu()->GetCurrentPage();
        UI_Font* font = Game::FindFont("UI_Font_Basic", &game);
        ASSERT_NE(page, nullptr);
        ASSERT_NE(font, nullptr);
        const bool keyMapping = page->GetPageKind() == kKeyMapping;
        const bool title = game.GetCurrentLevel() == nullptr;
        const int line = font->GetSpacing().y;
        std::vector<Box> texts, pictures;
        for (const UI_Menu_Page::Draw& draw : page->Layout(Menu()->GetPagePosition().y)) {
            // Behind the rows, only the brightness chart.
            if (draw.kind == UI_Menu_Page::Draw::kBackdrop) {
                ASSERT_NE(draw.picture, nullptr);
                EXPECT_EQ(draw.picture->GetName(), "UI_Menu_Page_OPT_Brightness_Background");
            } else if (draw.kind == UI_Menu_Page::Draw::kPicture && draw.picture != nullptr) {
                const Point<int> size = draw.picture->GetSize();
                pictures.push_back(
                    {draw.x, draw.y, draw.x + size.x, draw.y + size.y, draw.picture->GetName()});
            } else if ((draw.kind == UI_Menu_Page::Draw::kText || draw.kind == UI_Menu_Page::Draw::kPrompt)
                && !draw.text.empty()) {
                int width = font->MeasureText(draw.text).x, lines = 1;
                if (draw.kind == UI_Menu_Page::Draw::kPrompt && width > kPromptWidth) {
                    lines = (width + kPromptWidth - 1) / kPromptWidth;
                    width = kPromptWidth;
                }
                texts.push_back(
                    {draw.x, draw.y, draw.x + width, draw.y + line * lines, "\"" + draw.text + "\""});
            }
        }
        for (const std::vector<Box>* boxes : {&texts, &pictures})
            for (const Box& box : *boxes) {
                const int top = keyMapping && !title ? -6 : title && !keyMapping ? kTitleWordsBottom : 0;
                const int left = keyMapping ? -14 : 0; // the Exit row's picture, its word inside
                EXPECT_TRUE(box.x0 >= left && box.x1 <= kScreenW && box.y0 >= top && box.y1 <= kScreenH)
                    << box.what << " at (" << box.x0 << ", " << box.y0 << ") - (" << box.x1 << ", " << box.y1
                    << ")";
            }
        for (size_t i = 0; i < texts.size(); ++i) {
            for (size_t j = i + 1; j < texts.size(); ++j)
                EXPECT_FALSE(texts[i].Overlaps(texts[j])) << texts[i].what << " over " << texts[j].what;
            for (const Box& picture : pictures)
                EXPECT_TRUE(keyMapping || !texts[i].Overlaps(picture))
                    << texts[i].what << " over " << picture.what;
        }
    }

    // Compares the picture with its golden one (or takes it again).
    void ExpectAsBefore(const std::string& name)
    {
        for (int pass = 0; pass < 10; ++pass)
            game.Update(); // the rows' pictures follow the selection
        ExpectLaidOutApart();
        const std::string shot = "menu_" + name;
        const PixelImage seen = Draw();
        ASSERT_FALSE(seen.IsEmpty());
        if (goldentest::ExpectAsGolden(seen, shot, kTolerance, MenuFingerprint)
            == goldentest::Outcome::kArtChanged)
            std::cout << "the menu's images changed since " << shot
                      << ".png was taken; take it again with QUENHOLT_RETAKE_GOLDEN=1\n";
    }

    std::unique_ptr<DXRenderEngine> engine;
    RenderPoolManager* pool = nullptr;
    // The clock stands still (the fixture's manual clock): a pass is the
    // game's update alone.
    KeyboardGame keys {[](Game& played) { played.Update(); }};
    Game& game = keys.game;
    GameLoopAccess& access = keys.access;
};

// A step of the walk: Escape tapped so many times, the row selected (-1:
// the one selected) and Enter tapped when told; the page then shown and its
// picture.
struct Step {
    int escapes;
    int32_t row;
    bool enter;
    int32_t page;
    const char* shot;
};

TEST_F(GLMenuGolden, EveryPageAtTheTitleAndOverALevel)
{
    const auto walk = [&](std::initializer_list<Step> steps) {
        for (const Step& step : steps) {
            SCOPED_TRACE(step.shot);
            Tap(kEscape, step.escapes);
            if (step.row >= 0)
                SelectRow(step.row);
            if (step.enter)
                Tap(kEnter);
            ASSERT_EQ(Menu()->GetCurrentPageNumber(), step.page);
            ExpectAsBefore(step.shot);
        }
    };
    walk({
        {0, -1, false, kMain, "title"}, {0, -1, true, kPlay, "slots"},
        {1, kMainOptions, true, kOptions, "options"},
        {0, kOptionsKeyMapping, true, kKeyMapping, "keymapping"},
        {1, -1, false, kKeyMapping, "keymapping_exit"}, // Escape selects Exit, with its hint
        {2, kMainRenderSettings, true, kRenderSettings, "display"},
        {0, kRenderBrightness, false, kRenderSettings, "display_brightness"}, // with its chart
    });
    ASSERT_FALSE(HasFatalFailure());
    Tap(kEscape);

    // Over a level, on black: the pause page and the pages it opens.
    ASSERT_TRUE(game.ChangeLevel("cimetery_tp_01.lvl"));
    game.Update();
    walk({{1, -1, false, kPause, "pause"}});
    ASSERT_FALSE(HasFatalFailure());
    // Round its panel the pause page leaves the level's picture (black here)
    // as it was: no band across the screen's foot, where a dialogue box
    // under way stays in sight.
    const PixelImage paused = Draw();
    int covered = 0;
    for (int y = 0; y < kScreenH; ++y)
        for (int x = 0; x < kScreenW; ++x)
            if ((y >= 400 || x < 120 || x >= kScreenW - 120) && (paused.GetPixel(x, y) & 0xFFFFFFu) != 0)
                ++covered;
    EXPECT_EQ(covered, 0) << "pixels of the level's picture covered round the pause page's panel";
    walk({
        {0, kPauseOptions, true, kOptions, "pause_options"},
        {0, kOptionsKeyMapping, true, kKeyMapping, "pause_keymapping"},
        // The key mapping kept its Exit row from the title: one Escape leaves it.
        {2, kPauseRenderSettings, true, kRenderSettings, "pause_display"},
    });
}

} // namespace
