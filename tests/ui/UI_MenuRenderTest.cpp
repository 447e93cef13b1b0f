#include "tests/ui/MenuFixture.h"

#include "scene/Sprite.h"
#include "tests/ui/UITestSupport.h"

namespace {

using namespace MenuCatalogue;
using Draw = UI_Menu_Page::Draw;

class UIMenuRender : public MenuFixture {
protected:
    std::vector<Draw> Texts(int32_t page)
    {
        std::vector<Draw> texts;
        for (const Draw& draw : menu->GetPage(page)->Layout(0))
            if (draw.kind == Draw::kText || draw.kind == Draw::kPrompt)
                texts.push_back(draw);
        return texts;
    }
    std::vector<std::string> Words(int32_t page)
    {
        std::vector<std::string> words;
        for (const Draw& draw : Texts(page))
            words.push_back(draw.text);
        return words;
    }
};

constexpr uint32_t kRed = 0xFFFA0000u;

} // namespace

TEST_F(UIMenuRender, KeyMappingShowsUndefinedKeysInRedAndAsksForThemOnExit)
{
    Config().SetBinding(4, InputTriggerer());
    Config().SetBinding(5, InputTriggerer());
    Config().SetBinding(0, InputTriggerer());
    menu->GetPage(kKeyMapping)->SetSelectedIndex(kExitRow);
    const std::vector<Draw> texts = Texts(kKeyMapping);
    // Two columns for rows 0 to 13, then the Exit row's prompt.
    ASSERT_EQ(texts.size(), 29u);
    // Row 0 without its key: "UNDEF." in the first column only.
    EXPECT_EQ(texts[0].text, "UNDEF.");
    EXPECT_EQ(texts[0].colour, kRed);
    EXPECT_EQ(texts[1].text, "");
    EXPECT_EQ(texts[2].text, "D");
    EXPECT_EQ(texts[3].text, "");
    // Jump: both columns.
    EXPECT_EQ(texts[8].text, "UNDEF.");
    EXPECT_EQ(texts[9].text, "UNDEF.");
    EXPECT_EQ(texts[9].colour, kRed);
    // Start: no keyboard column; its pad column names button 7.
    EXPECT_EQ(texts[26].text, "");
    EXPECT_NE(texts[26].colour, kRed);
    EXPECT_EQ(texts[28].text, "PLEASE DEFINE ALL KEYS {Y}/R:DEFAULT {B}/ESC:UNDO");

    Config().SetDefaultKeys();
    EXPECT_EQ(Texts(kKeyMapping).back().text, "{A}/ENTER:SAVE {Y}/R:DEFAULT {B}/ESC:UNDO");
    // The rows stand 14 pixels apart from 6 above the page; Exit at the left edge.
    const std::vector<Draw> draws = menu->GetPage(kKeyMapping)->Layout(0);
    std::vector<Draw> pictures;
    for (const Draw& draw : draws)
        if (draw.kind == Draw::kPicture)
            pictures.push_back(draw);
    ASSERT_EQ(pictures.size(), 15u);
    EXPECT_EQ(pictures[0].y, -6);
    EXPECT_EQ(pictures[1].y, 8);
    EXPECT_EQ(pictures[0].x, 95);
    EXPECT_EQ(pictures[14].x, -14);
    // A row's keys stand 5 pixels under its top, 10 left of its picture's
    // end and 107 right of it.
    const std::vector<Draw> keys = Texts(kKeyMapping);
    const int end = pictures[0].x + pictures[0].picture->GetSize().x;
    EXPECT_EQ(keys[0].x, end - 10);
    EXPECT_EQ(keys[1].x, end + 32 + 75);
    EXPECT_EQ(keys[0].y, -6 + 5);
    EXPECT_EQ(keys[3].y, 8 + 5);
}

TEST_F(UIMenuRender, SlotRowsShowEmptyOrTheirSummary)
{
    UI_Menu_Page& play = *menu->GetPage(kPlay);
    play.GetItem(0)->SetPercent(-1);
    play.GetItem(1)->SetPercent(0);
    play.GetItem(1)->SetText("01:02:03");
    play.GetItem(2)->SetPercent(-1);
    const std::vector<std::string> expected
        = {"EMPTY", "SAVED GAME", "0%", "01:02:03", "EMPTY", "ENTER:PLAY   R:ERASE   ESC:BACK"};
    EXPECT_EQ(Words(kPlay), expected);
    EXPECT_EQ(Texts(kPlay).back().x, 0) << "the prompt starts at the screen's left edge";
    play.ToggleConfirm();
    EXPECT_EQ(Words(kPlay).back(), "            ENTER:CONFIRM   ESC:BACK");
}

TEST_F(UIMenuRender, OptionValuesAsShown)
{
    struct Case {
        const char* language;
        const char* shown;
    };
    for (const Case& c : {Case {"eng", "ENG"}, Case {"fr", "FR"}, Case {"de", ""}}) {
        Config().SetLanguage(c.language);
        EXPECT_EQ(Words(kOptions)[2], c.shown) << c.language;
    }
    EXPECT_EQ(Words(kOptions).back(), "LEFT/RIGHT:CHANGE");
    for (int mode : {0, 1, 2}) {
        Config().SetScaleMode(mode);
        EXPECT_EQ(Words(kRenderSettings)[1], mode == 0 ? "0" : "1") << mode;
    }
    menu->GetPage(kRenderSettings)->SetSelectedIndex(5);
    EXPECT_EQ(Words(kRenderSettings).back(), "LEFT/RIGHT:SELECT DISPLAY - RESTART THE GAME TO APPLY");
}

TEST_F(UIMenuRender, PagesStandAtTheBottomAndOverALevelWhereThePausePageDoes)
{
    struct Case {
        int32_t page;
        bool level;
        int y;
    };
    const Case cases[] = {
        {kMain, false, 448 - 160},
        {kOptions, false, 448 - 224},
        {kKeyMapping, false, 0},
        {kPause, true, 448 - 192},
        {kOptions, true, 448 - 192},
        {kRenderSettings, true, 448 - 192},
        {kKeyMapping, true, 0},
    };
    for (const Case& c : cases) {
        if (c.level)
            PauseInLevel();
        menu->SetCurrentPage(c.page);
        EXPECT_EQ(menu->GetPagePosition(), Point<int>(0, c.y)) << c.page << " level " << c.level;
    }

    // There the pause page and its rows are drawn with the pair 1, 1.
    uitest::RecordingEngine recording;
    auto* look = new Sprite("look", "look.png", 0, 0, 8, 8);
    game.sprites.push_back(look); // the game owns it
    UI_Menu_Page* pause = menu->GetPage(kPause);
    GraphicalObject* row = pause->GetItem(0)->GetAppliedGraphic();
    ASSERT_NE(row, nullptr);
    for (GraphicalObject* picture : {static_cast<GraphicalObject*>(pause), row}) {
        picture->AddSpriteInstance(look, 0, 0);
        picture->AddGenericSpriteIndex(look, 0);
    }
    menu->SetCurrentPage(kPause);
    menu->Render(nullptr, 0, 0, 0, 0, 0.0f);
    const std::vector<uitest::Draw> draws = recording.Draws();
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0].position, Point<int>(0, 448 - 192));
    for (const uitest::Draw& draw : draws)
        EXPECT_EQ(draw.extent, Point<int>(1, 1));
}

TEST_F(UIMenuRender, OptionPagesDrawTheirRowsValuesAndPromptAndNothingElse)
{
    // Panels a library holds are not drawn behind the rows.
    AddPicture("UI_Menu_Options_Panel", 156);
    AddPicture("UI_Menu_Options_RenderSettings_Panel", 264);
    for (int32_t page : {kOptions, kRenderSettings}) {
        const std::vector<Draw> draws = menu->GetPage(page)->Layout(0);
        for (const Draw& draw : draws)
            EXPECT_TRUE(draw.kind == Draw::kPicture || draw.kind == Draw::kText || draw.kind == Draw::kPrompt)
                << page << " draws kind " << draw.kind;
        EXPECT_EQ(draws.front().x, UI_Menu::GetMenuOptionsMarge()) << page;
    }
}
