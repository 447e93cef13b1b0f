#include "ui/UI_Frame_Dialogue.h"

#include "game/Game.h"
#include "tests/ui/UITestSupport.h"
#include "ui/UITuning.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using uitest::RecordingEngine;
using uitest::TestFont;

namespace {

// A graphical object showing one sprite of its own; `broken` makes its draw
// fail (its drawing table names an instance it lacks).
struct Picture {
    Picture(const std::string& name, int width, int height, bool broken = false)
        : sprite(name, name + ".png", 0, 0, width, height)
        , object(name)
    {
        object.SetSize(width, height, true);
        object.AddSpriteInstance(&sprite, 0, 0);
        object.AddGenericSpriteIndex(&sprite, broken ? 3 : 0);
    }
    Sprite sprite;
    GraphicalObject object;
};

} // namespace

class DialogueBox : public testing::Test {
protected:
    void SetUp() override
    {
        box.SetSize(512, 128, true);
        box.AddSpriteInstance(&boxArt.sprite, 0, 0);
        box.AddGenericSpriteIndex(&boxArt.sprite, 0);
        box.AddLink("player", &warden.object);
        box.AddLink("keeper", &keeper.object);
        UI_Frame_Text* text = box.GetTextFrame();
        text->SetFont(&font.font);
        text->SetSize(300, 100, true);
        text->SetText("Hi");
        text->Update(0.0);
    }

    std::vector<uitest::Draw> Render(bool* ok = nullptr)
    {
        recording.Clear();
        const bool drawn = box.Render(nullptr, 0, 320, 0, 0, 0.0f);
        if (ok != nullptr)
            *ok = drawn;
        return recording.Draws();
    }

    // The tuning the box reads is this game's, and ends with it.
    Game game;
    RecordingEngine recording;
    TestFont font;
    Picture boxArt {"box", 512, 128};
    Picture warden {"warden", 96, 96};
    Picture keeper {"keeper", 96, 96};
    UI_Frame_Dialogue box {"UI_Dialogue_Frame"};
};

TEST_F(DialogueBox, DrawsBoxThenFirstAndSecondPortraitThenTheText)
{
    game.tuning.ui.dialoguePortrait1 = Point<int>(8, 16);
    game.tuning.ui.dialoguePortrait2 = Point<int>(408, 16);
    box.SetFirstSpeaker("player");
    box.SetSecondSpeaker("keeper");
    bool ok = false;
    const std::vector<uitest::Draw> draws = Render(&ok);
    EXPECT_TRUE(ok);
    ASSERT_EQ(draws.size(), 5u);
    EXPECT_EQ(draws[0].sprite, &boxArt.sprite);
    EXPECT_EQ(draws[0].position, Point<int>(0, 320));
    EXPECT_EQ(draws[1].sprite, &warden.sprite);
    EXPECT_EQ(draws[1].position, Point<int>(8, 336));
    EXPECT_EQ(draws[2].sprite, &keeper.sprite);
    EXPECT_EQ(draws[2].position, Point<int>(408, 336));
    // The start-up text rectangle: 10, 10 from the box, 2 pixels down.
    EXPECT_EQ(draws[3].sprite, &font.atlas);
    EXPECT_EQ(draws[3].position, Point<int>(10, 332));

    // "setuirect dialogue_text_frame 20 30 200 80" moves the text.
    const int32_t moved[4] = {20, 30, 200, 80};
    std::copy(std::begin(moved), std::end(moved), game.tuning.ui.dialogueTextFrame);
    EXPECT_EQ(Render()[3].position, Point<int>(20, 352));
    EXPECT_EQ(UI_Frame_Dialogue::GetTextFrameRect(), (std::array<int, 4> {20, 30, 200, 80}));
}

TEST_F(DialogueBox, SpeakersFindTheirPortraitOnceAndUnlinkedNamesClearIt)
{
    box.SetFirstSpeaker("player");
    box.SetSecondSpeaker("keeper");
    EXPECT_EQ(box.GetFirstPortrait(), &warden.object);
    // The same name again keeps the portrait, though the links changed.
    box.ClearLinks();
    box.AddLink("player", &keeper.object);
    box.SetFirstSpeaker("player");
    EXPECT_EQ(box.GetFirstPortrait(), &warden.object);
    // A name never linked clears that portrait only.
    box.SetFirstSpeaker("ghost");
    EXPECT_EQ(box.GetFirstPortrait(), nullptr);
    EXPECT_EQ(box.GetSecondPortrait(), &keeper.object);

    // Two speakers linked to one object draw it twice.
    box.AddLink("ferryman", &keeper.object);
    box.SetFirstSpeaker("ferryman");
    const std::vector<uitest::Draw> draws = Render();
    ASSERT_GE(draws.size(), 3u);
    EXPECT_EQ(draws[1].sprite, &keeper.sprite);
    EXPECT_EQ(draws[2].sprite, &keeper.sprite);
}

TEST_F(DialogueBox, AFailedDrawSuppressesEverythingAfterIt)
{
    Picture broken("broken", 96, 96, true);
    box.AddLink("broken", &broken.object);
    bool ok = true;

    // A failing second portrait: box and first portrait, no text.
    box.SetFirstSpeaker("player");
    box.SetSecondSpeaker("broken");
    EXPECT_EQ(Render(&ok).size(), 2u);
    EXPECT_FALSE(ok);
    // A failing first portrait: the box only.
    box.SetFirstSpeaker("broken");
    box.SetSecondSpeaker("keeper");
    EXPECT_EQ(Render(&ok).size(), 1u);
    EXPECT_FALSE(ok);
    // A failing box: nothing after its own pictures.
    box.AddGenericSpriteIndex(&boxArt.sprite, 7);
    box.SetFirstSpeaker("player");
    const std::vector<uitest::Draw> draws = Render(&ok);
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].sprite, &boxArt.sprite);
    EXPECT_FALSE(ok);
}
