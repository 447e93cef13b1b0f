#pragma once

#include "engine/serial/FileUtils.h"
#include "game/Game.h"
#include "scene/Level.h"
#include "script/Script.h"
#include "tests/engine/platform/DebugCapture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// A game with a current level on every frame's logic tick, the script
// command table, a "record" command that logs its argument text, and the
// debug output collected.
class ScriptFixture : public testing::Test {
protected:
    void SetUp() override
    {
        game.SetCurrentLevel(&level);
        game.fixedStepTick = 1;
        game.console.debug = true;
        Script::RegisterCommand(
            "Record",
            [this](Script* script, std::string arguments) {
                if (script == nullptr)
                    return false;
                record.push_back(script->GetName() + ":" + arguments);
                return true;
            },
            "");
    }
    void TearDown() override { game.SetCurrentLevel(nullptr); }

    // A script with the text, started at the label; the fixture owns it.
    Script& Make(const std::string& text, const std::string& label = "", const std::string& name = "Test")
    {
        owned.push_back(std::make_unique<Script>(name));
        owned.back()->SetText(text);
        owned.back()->Start(label);
        return *owned.back();
    }
    // A script queued on the level, as a trigger queues it.
    Script& Queue(const std::string& text, const std::string& label, const std::string& name)
    {
        auto* script = new Script(name);
        script->SetText(text);
        script->Start(label);
        level.AddBackgroundEvent(script);
        return *script;
    }

    // One frame of the game's event passes: the start-up script, the queue's
    // Run pass, its Update pass, then the purge.
    void Frame(Script* startup = nullptr)
    {
        if (startup != nullptr)
            startup->Run();
        for (size_t i = 0; i < level.GetBackgroundEventCount(); ++i) {
            BackgroundEvent* event = level.GetBackgroundEvent(i);
            if (event != nullptr && !(event->IsAutoDelete() && event->IsFinished()))
                event->Run();
        }
        for (size_t i = 0; i < level.GetBackgroundEventCount(); ++i) {
            BackgroundEvent* event = level.GetBackgroundEvent(i);
            if (event != nullptr && !(event->IsAutoDelete() && event->IsFinished()))
                event->Update();
        }
        level.PurgeBackgroundEvents();
    }
    // Frames until the script is done, at most `limit`; returns the count.
    int RunToEnd(Script& script, int limit = 1000)
    {
        int frames = 0;
        while (!script.IsDone() && frames < limit) {
            Frame(&script);
            ++frames;
        }
        return frames;
    }

    int ErrorCount() const
    {
        const std::string text = debug.Text();
        int count = 0;
        for (size_t at = text.find("Script Error"); at != std::string::npos;
             at = text.find("Script Error", at + 1))
            ++count;
        return count;
    }
    std::string Value(Script& script, const std::string& name)
    {
        ScriptVar* var = script.FindVar(name);
        return var != nullptr ? var->GetValue() : "<none>";
    }

    Game game;
    Level level {"test"};
    std::vector<std::unique_ptr<Script>> owned;
    std::vector<std::string> record;
    DebugCapture debug;
};
