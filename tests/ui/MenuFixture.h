#pragma once

#include "engine/config/GameConfig.h"
#include "engine/config/GamePaths.h"
#include "game/Game.h"
#include "scene/GraphicalObject.h"
#include "scene/Level.h"
#include "tests/game/FixedStepClock.h"
#include "tests/game/ScriptedInput.h"
#include "ui/UI_Menu.h"
#include "ui/UI_MenuCatalogue.h"
#include "ui/UI_Menu_Page.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <unistd.h>

// Scripted input with the key and pad input a poll captured.
class MenuInput : public ScriptedInput {
public:
    InputTriggerer GetLastKeyboardTrigger() const override { return key; }
    InputTriggerer GetLastJoypadTrigger() const override { return pad; }
    InputTriggerer key;
    InputTriggerer pad;
};

// A game whose library holds the menu, its six pages and every row picture
// (the rows as tall as their pictures), driven by scripted input. The user
// folder is a scratch folder of this process for the fixture's lifetime.
class MenuFixture : public testing::Test {
protected:
    using A = InputActions;

    void SetUp() override
    {
        previousUserPath = GetUserPath();
        folder = std::filesystem::temp_directory_path() / ("quenholt-menu-" + std::to_string(getpid()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        SetUserPath(folder.string() + "/");

        std::istringstream empty("GameV0\r\nQuenholt\r\n0\r\n0\r\n0\r\n0\r\n");
        game.UnSerialize(empty);
        menu = static_cast<UI_Menu*>(game.CreateSceneObjectByClass("UI_Menu_Frame", "UI_Menu", "(UI)"));
        menu->SetSize(512, 448, true);
        for (int32_t number = 0; number < MenuCatalogue::kPageCount; ++number) {
            const MenuCatalogue::PageEntry& page = MenuCatalogue::GetPage(number);
            constexpr int kHeights[] = {160, 192, 224, 288, 448, 200};
            if (number != missingPage)
                static_cast<GraphicalObject*>(
                    game.CreateSceneObjectByClass(page.objectName, "UI_Menu_Page", "(UI)"))
                    ->SetSize(512, kHeights[number], true);
            for (const MenuCatalogue::ItemEntry& item : page.items) {
                const std::string base = MenuCatalogue::PictureBase(item.key);
                for (const char* state : {"_0", "_1", "_E"})
                    if (std::string(state) != "_E" || MenuCatalogue::HasEditingPicture(item.key))
                        AddPicture(base + state, number == MenuCatalogue::kKeyMapping ? 20 : 24);
            }
        }
        game.Init(&game);
        menu->Init();
    }
    void TearDown() override
    {
        SetUserPath(previousUserPath);
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    void AddPicture(const std::string& name, int height)
    {
        auto* picture
            = static_cast<GraphicalObject*>(game.CreateSceneObjectByClass(name, "GraphicalObject", "(UI)"));
        picture->SetSize(192, height, true);
    }

    // One poll holding the given actions, then the menu's frame.
    void Press(const A& actions)
    {
        input->next = actions;
        input->Poll();
        menu->Update(16.0);
    }
    // A press and its release.
    void Tap(const A& actions)
    {
        Press(actions);
        Press(A());
    }
    static A With(bool A::*flag)
    {
        A actions;
        actions.*flag = true;
        return actions;
    }
    static A With(bool A::*first, bool A::*second)
    {
        A actions = With(first);
        actions.*second = true;
        return actions;
    }
    void Down(int times)
    {
        for (int i = 0; i < times; ++i)
            Tap(With(&A::MenuDown));
    }
    // The game as it stands in a level: the pause menu is open.
    void PauseInLevel()
    {
        if (game.GetCurrentLevel() == nullptr)
            game.SetCurrentLevel(new Level("cemetery_01.lvl")); // the game releases it
        game.SetMenuFlag(true);
        game.OpenPauseMenu();
    }
    UI_Menu_Page& Page() { return *menu->GetCurrentPage(); }
    // Whether the current page lays out a text that reads so.
    bool Shows(const std::string& text)
    {
        for (const UI_Menu_Page::Draw& draw : Page().Layout(0))
            if (draw.text == text)
                return true;
        return false;
    }
    GameConfig& Config() { return *game.GetConfig(); }

    int32_t missingPage = -1;
    std::string previousUserPath;
    std::filesystem::path folder;
    // One fixed step of the game's clocks per pass.
    FixedStepClock fixedStep;
    MenuInput* input = new MenuInput();
    Game game {"Quenholt", nullptr, input, nullptr};
    UI_Menu* menu = nullptr;
};
