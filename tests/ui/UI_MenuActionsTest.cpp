#include "tests/ui/MenuFixture.h"

#include "game/GameSaveData.h"
#include "scene/MapModel.h"
#include "tests/engine/platform/DebugCapture.h"
#include "tests/game/SaveTestSupport.h"

#include <fstream>
#include <iterator>

namespace {

using namespace MenuCatalogue;

class UIMenuActions : public MenuFixture {
protected:
    // Opens a page from the title: Options (row 1) or Render settings (row 2).
    void OpenFromTitle(int row)
    {
        Down(row);
        Tap(With(&A::Confirm));
    }
    void OpenKeyMapping()
    {
        OpenFromTitle(1);
        Down(3);
        Tap(With(&A::Confirm));
        ASSERT_EQ(menu->GetCurrentPageNumber(), kKeyMapping);
    }
    void SelectRow(int32_t row)
    {
        Page().SetSelectedIndex(row);
        Press(A());
    }
    // Validate on the selected key row, then one poll that captured `key`
    // from the keyboard or `pad` from the pad.
    void Capture(InputTriggerer key, InputTriggerer pad)
    {
        Tap(With(&A::Confirm));
        input->key = key;
        input->pad = pad;
        Press(A());
        input->key = InputTriggerer();
        input->pad = InputTriggerer();
        Press(A());
    }
};

} // namespace

TEST_F(UIMenuActions, VolumesStayWithinTheirLimitsAndLeftWithValidateRaises)
{
    OpenFromTitle(1);
    struct Case {
        int row;
        int start;
        A press;
        int expected;
    };
    const Case cases[] = {
        {0, 0, With(&A::MenuLeft), 0}, {0, 10, With(&A::MenuRight), 10}, {0, 5, With(&A::MenuLeft), 4},
        {0, 5, With(&A::MenuLeft, &A::Confirm), 6},
        {0, 5, With(&A::Confirm), 5}, // validate alone changes nothing
        {1, 0, With(&A::MenuLeft), 0}, {1, 10, With(&A::MenuRight), 10}, {1, 3, With(&A::MenuRight), 4},
        {1, 3, With(&A::MenuLeft, &A::MenuRight), 4}, // right wins
    };
    for (const Case& c : cases) {
        SelectRow(c.row);
        Config().SetMusicVolume(c.start);
        Config().SetSoundVolume(c.start);
        Tap(c.press);
        EXPECT_EQ(c.row == 0 ? Config().GetMusicVolume() : Config().GetSoundVolume(), c.expected)
            << "row " << c.row << " from " << c.start;
    }
}

TEST_F(UIMenuActions, LanguageSwitchesBetweenEnglishAndFrench)
{
    OpenFromTitle(1);
    SelectRow(2);
    Tap(With(&A::Confirm));
    EXPECT_EQ(Config().GetLanguage(), "fr");
    Tap(With(&A::MenuLeft));
    EXPECT_EQ(Config().GetLanguage(), "eng");
    Config().SetLanguage("de");
    Tap(With(&A::MenuRight));
    EXPECT_EQ(Config().GetLanguage(), "fr");
}

TEST_F(UIMenuActions, RenderSettingsChangeWithinTheirRanges)
{
    OpenFromTitle(2);
    ASSERT_EQ(menu->GetCurrentPageNumber(), kRenderSettings);
    struct Case {
        int row;
        A press;
        int (GameConfig::*get)() const;
        int expected;
    };
    const Case cases[] = {
        {1, With(&A::Confirm), &GameConfig::GetScaleMode, 2},
        {1, With(&A::MenuLeft), &GameConfig::GetScaleMode, 0},
        {2, With(&A::MenuLeft), &GameConfig::GetScaleFilter, 0},
        {2, With(&A::Confirm), &GameConfig::GetScaleFilter, 1},
        {2, With(&A::Confirm), &GameConfig::GetScaleFilter, 1}, // validate never goes back
        {2, With(&A::MenuLeft), &GameConfig::GetScaleFilter, 0},
        {4, With(&A::MenuRight), &GameConfig::GetMotionBlur, 1},
        {4, With(&A::Confirm), &GameConfig::GetMotionBlur, 2},
        {4, With(&A::MenuRight), &GameConfig::GetMotionBlur, 2},
        {5, With(&A::MenuRight), &GameConfig::GetDisplayAdapter, 0}, // one display
        {6, With(&A::Confirm), &GameConfig::GetBrightness, 10},
        {6, With(&A::MenuRight), &GameConfig::GetBrightness, 11},
    };
    for (const Case& c : cases) {
        SelectRow(c.row);
        Tap(c.press);
        EXPECT_EQ((Config().*c.get)(), c.expected) << "row " << c.row;
    }
    EXPECT_EQ(game.displayScaleMode, 0);
    EXPECT_FALSE(game.linearFilter);
    Config().SetBrightness(20);
    Tap(With(&A::MenuRight));
    EXPECT_EQ(Config().GetBrightness(), 20);

    SelectRow(0);
    Tap(With(&A::Confirm));
    EXPECT_TRUE(Config().IsWindowed());
    SelectRow(3);
    Tap(With(&A::Confirm));
    EXPECT_FALSE(Config().GetVSync());
    Tap(With(&A::Confirm)); // and back, as the device layer's flag was
    EXPECT_TRUE(Config().GetVSync());

    Tap(With(&A::Back)); // leaving writes the settings
    GameConfig written;
    std::ifstream file(folder / "UserConfig.cfg", std::ios::binary);
    ASSERT_TRUE(written.Read(file));
    EXPECT_TRUE(written.IsWindowed());
    EXPECT_EQ(written.GetMotionBlur(), 2);
    EXPECT_EQ(written.GetBrightness(), 20);
}

TEST_F(UIMenuActions, TheCursorWrapsAndHoldsStillWhileASlotErasureIsConfirmed)
{
    Tap(With(&A::MenuUp));
    EXPECT_EQ(Page().GetSelectedIndex(), 3); // wraps to the last row
    Tap(With(&A::MenuDown));
    EXPECT_EQ(Page().GetSelectedIndex(), 0);
    EXPECT_TRUE(Page().GetItem(0)->IsSelected());
    EXPECT_FALSE(Page().GetItem(3)->IsSelected());

    Tap(With(&A::Confirm));
    ASSERT_EQ(menu->GetCurrentPageNumber(), kPlay);
    Tap(With(&A::KeyROrPad3));
    EXPECT_TRUE(Page().IsConfirmPending());
    Tap(With(&A::MenuDown));
    EXPECT_EQ(Page().GetSelectedIndex(), 0);
    Tap(With(&A::Back)); // only the confirmation goes
    EXPECT_FALSE(Page().IsConfirmPending());
    EXPECT_EQ(menu->GetCurrentPageNumber(), kPlay);
}

// Erase asked twice is taken back. A save whose level file is gone is not
// continued: the slot's page says why, the log names the save and the
// level, and the save is kept. A level that is there but does not load
// brings the player back to the same page with the same notice, the slot
// still chosen. Erase confirmed deletes the slot at once.
TEST_F(UIMenuActions, ASlotWhoseLevelIsMissingIsKeptAndEraseConfirmedDeletesItAtOnce)
{
    const std::filesystem::path slot = folder / "Save_2.sav";
    GameSaveData record;
    FillEveryField(record);
    const std::string text = WriteToText(record);
    std::ofstream(slot, std::ios::binary) << text;
    game.mapPath = folder.string();
    game.currentSaveSlot = -1;
    DebugCapture debug;
    Tap(With(&A::Confirm));
    Down(2);
    Tap(With(&A::KeyROrPad3));
    Tap(With(&A::KeyROrPad3));
    Tap(With(&A::Confirm)); // no confirmation pending: chooses the slot
    EXPECT_EQ(game.currentSaveSlot, -1);
    EXPECT_EQ(menu->GetCurrentPageNumber(), kPlay);
    EXPECT_EQ(menu->GetNotice(), UI_Menu::kMissingLevelNotice);
    EXPECT_NE(debug.Text().find("Save_2.sav: its level \"" + record.GetMapName() + "\" cannot be found"),
        std::string::npos)
        << debug.Text();
    std::ifstream kept(slot, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), text);

    std::ofstream(folder / record.GetMapName(), std::ios::binary) << "not a level\r\n";
    Tap(With(&A::Confirm));
    EXPECT_EQ(game.currentSaveSlot, 2);
    EXPECT_EQ(game.GetCurrentLevel(), nullptr);
    EXPECT_TRUE(game.IsMenuFlagSet());
    ASSERT_EQ(menu->GetCurrentPageNumber(), kPlay);
    EXPECT_EQ(menu->GetNotice(), UI_Menu::kMissingLevelNotice);

    Tap(With(&A::KeyROrPad3));
    Tap(With(&A::Confirm));
    EXPECT_FALSE(std::filesystem::exists(slot));
    EXPECT_EQ(Page().GetItem(2)->GetPercent(), -1);
    EXPECT_FALSE(Page().IsConfirmPending());
    EXPECT_EQ(menu->GetCurrentPageNumber(), kPlay);
}

// A save that does not read whole (cut after its save variables, or missing
// only the end of its achievements) shows as damaged; it is neither played
// nor written over, and stays as it is until the player erases it.
TEST_F(UIMenuActions, ADamagedSaveIsShownAsSuchAndKeptUntilErased)
{
    GameSaveData record;
    FillEveryField(record);
    const std::vector<std::string> lines = SplitSaveLines(WriteToText(record));
    const std::vector<std::string> cuts[] = {
        {lines.begin(), lines.end() - 1},
        {lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(lines.size() / 2)},
    };
    const std::filesystem::path slot = folder / "Save_1.sav";
    for (const std::vector<std::string>& cut : cuts) {
        const std::string damaged = JoinSaveLines(cut);
        std::ofstream(slot, std::ios::binary) << damaged;
        auto fileText = [&] {
            std::ifstream file(slot, std::ios::binary);
            return std::string(std::istreambuf_iterator<char>(file), {});
        };
        game.currentSaveSlot = -1;
        Tap(With(&A::Confirm));
        ASSERT_EQ(menu->GetCurrentPageNumber(), kPlay);
        EXPECT_EQ(Page().GetItem(1)->GetPercent(), Game::kDamagedSave);
        EXPECT_TRUE(Shows("DAMAGED SAVE"));

        // Chosen: no game starts in it, and the menu says why.
        Down(1);
        Tap(With(&A::Confirm));
        EXPECT_EQ(game.currentSaveSlot, -1);
        EXPECT_EQ(menu->GetCurrentPageNumber(), kPlay);
        EXPECT_EQ(menu->GetNotice(), "DAMAGED SAVE: ERASE IT TO PLAY");
        // A save aimed at it all the same writes nothing.
        game.currentSaveSlot = 1;
        game.minimapModel = std::make_unique<MapModel>(MapModel::Minimap {});
        EXPECT_FALSE(game.saveData.Save());
        EXPECT_EQ(fileText(), damaged);
        game.currentSaveSlot = -1;

        // Erased by the player (R, then Enter): the slot is free.
        Tap(With(&A::KeyROrPad3));
        Tap(With(&A::Confirm));
        EXPECT_FALSE(std::filesystem::exists(slot));
        EXPECT_EQ(Page().GetItem(1)->GetPercent(), Game::kNoSave);
        Tap(With(&A::Back));
        ASSERT_EQ(menu->GetCurrentPageNumber(), kMain);
    }
}

// Settings that cannot be written (a full disk, a folder that is not one)
// are said on screen for a while, as a save stone says "Not saved !".
TEST_F(UIMenuActions, SettingsThatCannotBeWrittenAreSaidOnScreen)
{
    std::ofstream(folder / "not_a_folder") << "x";
    SetUserPath((folder / "not_a_folder").string() + "/");
    OpenFromTitle(1);
    ASSERT_EQ(menu->GetCurrentPageNumber(), kOptions);
    Tap(With(&A::Back));
    ASSERT_EQ(menu->GetCurrentPageNumber(), kMain);
    EXPECT_EQ(menu->GetNotice(), "SETTINGS NOT SAVED !");
    EXPECT_TRUE(Shows("SETTINGS NOT SAVED !"));
    for (int i = 0; i < UI_Menu::kNoticeFrames; ++i)
        Press(A());
    EXPECT_EQ(menu->GetNotice(), "");

    // Written again once the folder is one: nothing to say.
    SetUserPath(folder.string() + "/");
    OpenFromTitle(1);
    Tap(With(&A::Back));
    EXPECT_EQ(menu->GetNotice(), "");
    EXPECT_TRUE(std::filesystem::exists(folder / "UserConfig.cfg"));
}

TEST_F(UIMenuActions, EachKeyRowWritesItsOwnBindingsOnly)
{
    OpenKeyMapping();
    const InputTriggerer keyF(33, 0);
    const InputTriggerer padButton9(57, 0);
    struct Case {
        int32_t row;
        int keyboard; // binding that takes key F, -1 none
        int joypad;   // binding that takes pad button 9, -1 none
    };
    const Case cases[] = {
        {0, 0, -1},
        {1, 1, -1},
        {2, 3, -1},
        {3, 2, -1},
        {4, 4, 5},
        {5, 22, 23},
        {6, 8, 9},
        {7, 14, 15},
        {8, 12, 13},
        {9, 16, 17},
        {10, 18, 19},
        {11, 6, 7},
        {12, 10, 11},
        {13, -1, 21},
    };
    for (const Case& c : cases) {
        Config().SetDefaultKeys();
        const GameConfig before = Config();
        SelectRow(c.row);
        Capture(keyF, padButton9);
        EXPECT_FALSE(input->IsCapturingKey()) << c.row;
        EXPECT_FALSE(Page().GetItem(static_cast<size_t>(c.row))->IsEditing()) << c.row;
        for (size_t binding = 0; binding < GameConfig::kBindingCount; ++binding) {
            InputTriggerer expected = before.GetBinding(binding);
            if (static_cast<int>(binding) == c.keyboard)
                expected = keyF;
            if (static_cast<int>(binding) == c.joypad)
                expected = padButton9;
            EXPECT_EQ(Config().GetBinding(binding), expected) << "row " << c.row << " binding " << binding;
        }
    }
    EXPECT_EQ(Config().GetBinding(20), InputTriggerer(1, 0)); // Escape stays the start key
}

TEST_F(UIMenuActions, AKeyTakenFromAnotherActionLeavesItUndefinedUntilDefaultsOrUndo)
{
    OpenKeyMapping();
    SelectRow(6); // Attack takes Space from Jump
    Capture(InputTriggerer(57, 0), InputTriggerer());
    EXPECT_EQ(Config().GetBinding(8).code, 57u);
    EXPECT_EQ(Config().GetBinding(4).code, 0u);
    EXPECT_FALSE(AllKeysDefined(Config()));

    SelectRow(kExitRow);
    Tap(With(&A::Confirm)); // an undefined key keeps the page open
    EXPECT_EQ(menu->GetCurrentPageNumber(), kKeyMapping);
    Tap(With(&A::KeyROrPad3)); // R on Exit: the default keys
    EXPECT_EQ(Config().GetBinding(4).code, 57u);
    EXPECT_EQ(Config().GetBinding(8).code, 53u);
    Tap(With(&A::Confirm));
    EXPECT_EQ(menu->GetCurrentPageNumber(), kOptions);
}

TEST_F(UIMenuActions, CaptureHoldsTheCursorAndBackOnlyUndoesFromExit)
{
    OpenKeyMapping();
    const GameConfig opened = Config();
    SelectRow(4);
    Capture(InputTriggerer(33, 0), InputTriggerer(57, 0));
    SelectRow(9);
    Tap(With(&A::Confirm));
    ASSERT_TRUE(input->IsCapturingKey());
    Tap(With(&A::MenuDown));
    EXPECT_EQ(Page().GetSelectedIndex(), 9);
    Tap(With(&A::Back)); // while capturing: only a sound
    EXPECT_TRUE(input->IsCapturingKey());
    EXPECT_EQ(Page().GetSelectedIndex(), 9);
    input->key = InputTriggerer(34, 0);
    Press(A());
    input->key = InputTriggerer();
    EXPECT_EQ(Config().GetBinding(16).code, 34u);

    // A pad button on a direction row ends the capture and changes nothing.
    SelectRow(0);
    Capture(InputTriggerer(), InputTriggerer(50, 0));
    EXPECT_FALSE(input->IsCapturingKey());
    EXPECT_EQ(Config().GetBinding(0), opened.GetBinding(0));
    EXPECT_EQ(Config().GetBinding(9), opened.GetBinding(9));

    Tap(With(&A::Back));
    EXPECT_EQ(Page().GetSelectedIndex(), kExitRow);
    EXPECT_EQ(menu->GetCurrentPageNumber(), kKeyMapping);
    Tap(With(&A::Back));
    EXPECT_EQ(menu->GetCurrentPageNumber(), kOptions);
    for (size_t binding = 0; binding < GameConfig::kBindingCount; ++binding)
        EXPECT_EQ(Config().GetBinding(binding), opened.GetBinding(binding)) << binding;
}
