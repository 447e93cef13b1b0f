#include "game/Game.h"
#include "game/ScriptGameCommands.h"
#include "scene/GraphicalObject.h"
#include "scene/SpacialInstance.h"
#include "script/Script.h"
#include "ui/UI_Font.h"
#include "ui/UI_Frame_Text.h"

#include "tests/game/FixedStepClock.h"
#include "tests/game/ScriptedInput.h"
#include "tests/ui/UITestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The script commands that steer the interface act on the game's frames:
// the ending's text frame and the HUD.
TEST(InterfaceSwitches, EndingShowsCompletionAndTimeThenAsksForAKeyAndHidingTheHudHidesIt)
{
    FixedStepClock fixedStep;
    auto* input = new ScriptedInput();
    Game game {"Quenholt", nullptr, input, nullptr};
    auto* font = new UI_Font("UI_Font_Basic");
    font->SetSpacing(Point<int>(8, 12));
    font->SetGlyphs(uitest::AsciiGlyphs()); // each 7 pixels wide
    game.fonts.push_back(font);
    // A library picture of the frame's name does not size it: it is 448 wide.
    GraphicalObject picture("UI_EndScoreZone_Frame");
    picture.SetSize(768, 12, true);
    game.sceneObjects.push_back(&picture);
    game.Init(&game);
    game.sceneObjects.pop_back();
    ASSERT_EQ(game.uiFrames.size(), 4u);
    auto* ending = dynamic_cast<UI_Frame_Text*>(game.endScoreFrame.get());
    ASSERT_NE(ending, nullptr);
    EXPECT_EQ(ending->GetFont(), font);
    EXPECT_EQ(ending->GetSize(), Point<int>(448, 12));
    // Laid out before its font was set: the text whole on one line.
    EXPECT_EQ(ending->GetLines(), std::vector<std::string> {"DISCOVERED : 100% / TIME : 99:99"});
    EXPECT_FALSE(game.uiFrames[3]->IsVisible());

    Script script("test");
    ASSERT_TRUE(ScriptGameCommands::ShowEnding(script, {"1"}));
    EXPECT_TRUE(game.uiFrames[3]->IsVisible());
    const std::string text = ending->GetText();
    EXPECT_EQ(text.rfind("DISCOVERED :", 0), 0u) << text;
    EXPECT_NE(text.find("%" + std::string(24, ' ') + "TIME :"), std::string::npos) << text;
    ASSERT_FALSE(ending->GetLines().empty());

    // 90 update frames later the ending asks for a key.
    game.SetMenuFlag(false);
    game.frameDelay = 0;
    for (int pass = 0; pass < 200 && game.endingCounter > 0; ++pass)
        fixedStep.Pass(game);
    // The line starts 96 blanks in; the word wrap breaks it at blanks,
    // which the lines joined again by blanks give back.
    std::string joined;
    for (const std::string& line : ending->GetLines())
        joined += line + " ";
    EXPECT_TRUE(joined.ends_with(std::string(96, ' ') + "PRESS ANY BUTTON ... ")) << joined;

    // The HUD goes and comes back with the script's switch.
    game.uiFrames[1]->SetVisible(true);
    ASSERT_TRUE(ScriptGameCommands::ForceToHideUI(script, {"1"}));
    EXPECT_FALSE(game.uiFrames[1]->IsVisible());
    ASSERT_TRUE(ScriptGameCommands::ForceToHideUI(script, {"0"}));
    EXPECT_TRUE(game.uiFrames[1]->IsVisible());
}
