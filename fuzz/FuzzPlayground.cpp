#include "fuzz/FuzzPlayground.h"

#include "characters/CharacterObject.h"
#include "characters/Player.h"
#include "engine/config/GamePaths.h"
#include "engine/render/Screenshot.h"
#include "engine/sound/MusicLibrary.h"
#include "scene/Layer.h"
#include "scene/MapModel.h"
#include "script/BackgroundEvent.h"

#include <sstream>
#include <unistd.h>

namespace fuzz {

namespace {

namespace fs = std::filesystem;

std::string PrivateFolder()
{
    return (fs::temp_directory_path() / ("quenholt-fuzz-user-" + std::to_string(::getpid()))).string() + "/";
}

} // namespace

FuzzPlayground::FuzzPlayground()
    : saved {GetBasePath(), GetUserPath(), GetDialogPath(), GetSoundPath(), GetMusicPath(),
        g_ScreenshotAddComments}
    , userFolder(PrivateFolder())
{
    std::error_code ignored;
    fs::create_directories(userFolder, ignored);
    SetUserPath(userFolder);
    game.minimapModel = std::make_unique<MapModel>();
    level = new Level("fuzz.lvl");
    level->CreateLayer(Level::kScene, "Scene Layer 00", nullptr, 512, 448, 64, 64);
    level->CreateLayer(Level::kScene, "Collisions", nullptr, 512, 448, 64, 64);
    level->CreateLayer(Level::kForeground, "FG", nullptr, 512, 448, 64, 64);
    game.SetCurrentLevel(level);
    game.SetPlayer(std::make_unique<Player>("Player"));
    game.GetPlayer()->SetSize(32, 48);
    if (CharacterObject* npc = game.CreateCharacterByClass("npc", "NPC_Script", nullptr))
        npc->SetSize(48, 32);
    game.GetMusicLibrary()->AddOrUpdate(MusicTrack("title", false, 0.0));
    trigger.SetPayload(std::unique_ptr<SceneObjectInstance>(triggerType.CreateInstance()));
    trigger.GetPayload()->SetName("trigger");
    trigger.SetLevel(level);
}

FuzzPlayground::~FuzzPlayground()
{
    // The characters, the level and the events queued on it go while the
    // trigger that scripts name as their owner still exists (it no longer
    // names the level).
    trigger.SetLevel(nullptr);
    game.Shutdown();
    SetBasePath(saved.base);
    SetUserPath(saved.user);
    SetDialogPath(saved.dialog);
    SetSoundPath(saved.sound);
    SetMusicPath(saved.music);
    g_ScreenshotAddComments = saved.screenshotComments;
    std::error_code ignored;
    fs::remove_all(userFolder, ignored);
}

std::string FuzzPlayground::ConfineUserPaths(const std::string& text) const
{
    std::string out;
    std::istringstream lines(text);
    std::string line;
    bool first = true;
    while (std::getline(lines, line)) {
        if (!first)
            out += '\n';
        first = false;
        if (line.rfind("setuserpath", 0) == 0) {
            // Every separator and dot goes: the folder is one name inside
            // the private folder.
            std::string name = line.substr(std::string("setuserpath").size());
            for (char& c : name)
                if (c == '/' || c == '\\' || c == '.')
                    c = '_';
            line = "setuserpath " + userFolder + name;
        }
        out += line;
    }
    if (!text.empty() && text.back() == '\n')
        out += '\n';
    return out;
}

void FuzzPlayground::DropLevel()
{
    trigger.SetLevel(nullptr);
    game.SetCurrentLevel(nullptr);
    delete level;
    level = nullptr;
}

void FuzzPlayground::RunLevelEvents()
{
    if (level == nullptr)
        return;
    for (size_t i = 0; i < level->GetBackgroundEventCount(); ++i) {
        BackgroundEvent* event = level->GetBackgroundEvent(i);
        if (event != nullptr && !(event->IsAutoDelete() && event->IsFinished()))
            event->Run();
    }
    for (size_t i = 0; i < level->GetBackgroundEventCount(); ++i) {
        BackgroundEvent* event = level->GetBackgroundEvent(i);
        if (event != nullptr && !(event->IsAutoDelete() && event->IsFinished()))
            event->Update();
    }
    level->PurgeBackgroundEvents();
}

} // namespace fuzz
