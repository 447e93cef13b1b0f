// Writes the seed corpus of every fuzz target: files made by the project's
// own writers (images, sounds, music, scrambled assets, records), one folder
// per target under the folder given on the command line.

#include "characters/LocalParticleSystem.h"
#include "engine/assets/ScrambledFile.h"
#include "engine/config/GameConfig.h"
#include "engine/render/PixelImage.h"
#include "engine/serial/LineReaders.h"
#include "engine/sound/SoundEventsManager.h"
#include "fuzz/FuzzWorld.h"
#include "scene/CollisionShape.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "scene/SpacialInstance.h"
#include "script/Script.h"
#include "tests/engine/render/PngFixtures.h"
#include "tests/engine/sound/SoundFixtures.h"
#include "tests/game/SaveTestSupport.h"
#include "tools/run/RunRecording.h"
#include "ui/UI_Font.h"
#include "zones/Point_PlayerStart.h"
#include "zones/ZoneHolder.h"
#include "zones/Zone_LoadMap.h"
#include "zones/Zone_NPCSpawner_Door.h"
#include "zones/Zone_NPCSpawner_FloatingSkull.h"
#include "zones/Zone_PickupObject.h"
#include "zones/Zone_TriggerScript.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

using Bytes = std::vector<uint8_t>;

class SeedWriter {
public:
    explicit SeedWriter(fs::path root)
        : root(std::move(root))
    {
    }

    void Add(const std::string& target, const Bytes& bytes)
    {
        if (bytes.empty())
            return;
        const fs::path folder = root / target;
        fs::create_directories(folder);
        std::ofstream file(folder / ("seed-" + std::to_string(++count)), std::ios::binary);
        file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    void Add(const std::string& target, const std::string& text)
    {
        Add(target, Bytes(text.begin(), text.end()));
    }

    int Count() const { return count; }

private:
    fs::path root;
    int count = 0;
};

std::string Write(ISerialization& record)
{
    std::ostringstream os;
    record.Serialize(os);
    return os.str();
}

// A record without its class-name line, as its reader gets it.
std::string Body(const std::string& record)
{
    const size_t end = record.find("\r\n");
    return end == std::string::npos ? record : record.substr(end + 2);
}

void AddImages(SeedWriter& seeds)
{
    PixelImage picture(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            picture.SetPixel(x, y, (x + y) % 2 ? 0xFF10C020u : 0x80FF0000u + uint32_t(x * 16 + y));
    seeds.Add("png_image", picture.EncodePng());
    for (const uint8_t depth : {1, 2, 4, 8, 16})
        for (const bool interlaced : {false, true}) {
            pngtest::RawPicture raw;
            raw.width = 9;
            raw.height = 3;
            raw.bitDepth = depth;
            const uint16_t top = uint16_t((1u << depth) - 1);
            const std::vector<uint16_t> row = {0, 1, top, 0, top, 1, 0, 0, top};
            raw.rows = pngtest::PackGrey({row, row, row}, depth);
            raw.greyKey = 1;
            raw.interlaced = interlaced;
            seeds.Add("png_image", pngtest::EncodeRawPng(raw));
        }
}

void AddSounds(SeedWriter& seeds)
{
    using namespace soundtest;
    const std::vector<float> tone = MakeTones({{440.0, 0.05}}, 0.3);
    seeds.Add("wav_sound", MakeWav(tone));
    seeds.Add("wav_sound", MakeWav(tone, 2));
    seeds.Add("wav_sound", MakeWav(tone, 1, true));

    const std::vector<float> music = MakeTones({{300.0, 0.2}, {500.0, 0.2}}, 0.3);
    seeds.Add("ogg_music", MakeOgg(music));
    seeds.Add("ogg_music", MakeOgg(music, 2, 22050, 7));
    Bytes chained = MakeOgg(music, 1, kRate, 1);
    const Bytes second = MakeOgg(music, 2, kRate, 2);
    chained.insert(chained.end(), second.begin(), second.end());
    seeds.Add("ogg_music", chained);

    seeds.Add("scrambled_asset", ScrambleBytes(MakeWav(tone), "fuzz-input"));
    seeds.Add("scrambled_asset", ScrambleBytes(PixelImage(4, 4).EncodePng(), "a_much_longer_tile_name"));

    std::string events = "SoundEventsManagerV0\r\n0\r\n3\r\n";
    events += "SoundEventV0\r\nMenu_Select\r\n1\r\nSoundV0Ptr\r\nmenu_select\r\n96\r\n640\r\n";
    events += "SoundEventV0\r\nDoor_Close\r\n2\r\nSoundV0Ptr\r\ndoor_close\r\nNULL\r\n50\r\n300\r\n";
    events += "SoundEventV0\r\nNo_Such_Event\r\n0\r\n1\r\n2\r\n";
    seeds.Add("sound_events", events);
    SoundEventsManager manager;
    seeds.Add("sound_events", Write(manager));
}

void AddRecords(SeedWriter& seeds)
{
    fuzz::FuzzWorld& world = fuzz::GetFuzzWorld();
    seeds.Add("game_library", Write(world.game));
    GameConfig config;
    std::ostringstream configText;
    config.Write(configText);
    seeds.Add("user_config", configText.str());

    for (const auto& sprite : world.sprites)
        seeds.Add("sprite_record", Body(Write(*sprite)));
    seeds.Add("animated_sprite_record", Body(Write(world.walk)));
    seeds.Add("graphical_object_record", Body(Write(world.rock)));
    UI_Font font("UI_Font_Basic");
    font.SetAtlas(world.sprites.front().get());
    font.SetSpacing(Point<int>(8, 12));
    font.SetGlyphs(
        {{" ", {0, 0}, {1, 0}, {7, 12}}, {"A", {1, 2}, {1, 0}, {7, 12}}, {"\xE9", {3, 7}, {1, 2}, {7, 10}}});
    seeds.Add("ui_font_record", Body(Write(font)));

    // A burst showing the rock, as the game library holds one.
    std::istringstream burstText("Burst\r\n12\r\n1\r\nGraphicalObjectV0Ptr\r\nRock\r\n"
                                 "LocalParticleSystemV0\r\n1\r\n250\r\n260\r\n1.5\r\n2.5\r\n3\r\n4\r\n"
                                 "12\r\n13\r\n-0.6\r\n0.8\r\n15\r\n-1\r\n-2\r\n1\r\n-0.5\r\n0\r\n0\r\n"
                                 "0\r\n0\r\n5\r\n6\r\n4\r\n3\r\n1\r\nGraphicalObjectV0Ptr\r\nRock\r\n");
    LocalParticleSystem burst;
    if (burst.UnSerialize(burstText))
        seeds.Add("local_particle_system_record", Write(burst));

    CollisionBox<int> box(0, 40, 63, 0, 1);
    CollisionLine<int> line(Point<int>(0, 0), Point<int>(10, 20), 2);
    CollisionBox<int> other(-8, 8, 8, -8, 0);
    seeds.Add("collision_shape_record", Write(box) + Write(other) + Write(line) + "COLLISION_BOX_NULL\r\n");

    SpacialInstance<GraphicalObject, float> placedObject(&world.rock, 100.5f, -32.0f);
    placedObject.SetAngle(1.25f);
    placedObject.SetMirrored(true);
    placedObject.SetScrollMode(0, -1);
    placedObject.SetScrollSpeed(12.5f, 0.0f);
    placedObject.SetWrapOffset(3.0f, 0.333333f);
    seeds.Add("placed_instance_record", Write(placedObject));
    SpacialInstance<Sprite, int> placedSprite(world.sprites[1].get(), 12, 34);
    seeds.Add("placed_instance_record", Write(placedSprite));
    AnimatedSpriteSpacialInstance<int> placedAnimation(&world.walk, -5, 6);
    seeds.Add("placed_instance_record", Write(placedAnimation));

    GameSaveData progress;
    FillEveryField(progress);
    seeds.Add("save_game", WriteToText(progress));
    seeds.Add("save_game", WriteToText(GameSaveData()));
    seeds.Add("save_apply", WriteToText(progress));
    seeds.Add("save_apply", WriteToText(GameSaveData()));

    // A level of every list, the rock placed in the scene and in
    // "Collisions", with point lists and a start-up script.
    Level level("seed");
    Layer* back = level.CreateLayer(Level::kBackground, "Sky", nullptr, 512, 448, 32, 32);
    back->SetScrollFactor(0.5f, 1.0f);
    back->SetAutoScrollSpeed(2.0f);
    back->AddPlacedInstance(&world.rock, 100, 0);
    level.CreateLayer(Level::kScene, "Collisions", nullptr, 512, 448, 32, 32)
        ->AddPlacedInstance(&world.rock, 0, 0);
    Layer* scene = level.CreateLayer(Level::kScene, "Garden", nullptr, 512, 448, 32, 32);
    scene->AddPlacedInstance(&world.rock, 500, 10);
    scene->AddPlacedInstance(&world.rock, -40, 460)->SetMirrored(true);
    level.CreateLayer(Level::kForeground, "Mist", nullptr, 512, 448, 32, 32)->SetDrawPlacedInstances(false);
    level.GetPointLists().push_back({{1, 2, 3}});
    level.SetValues(1.5f, -2.0f);
    seeds.Add("level_file", Write(level));

    // Zone and point records of each record form: plain, tagged members,
    // extra members, the skull spawner's own.
    ZoneHolder::Instance holder;
    holder.SetName("door1");
    holder.SetSize(Point<int>(64, 32));
    Zone_LoadMap::Instance exit;
    exit.levelFile.value = "cave_01.lvl";
    exit.startPoint.value = "from_cemetery";
    Point_PlayerStart::Instance start;
    start.SetStartName("start");
    Zone_PickupObject::Instance pickup;
    pickup.kind.value = 20;
    pickup.parameter.value = "3 4;10 2-12 3";
    Zone_TriggerScript::Instance trigger;
    trigger.scriptText.value = ":OnEnter;wait 10;end";
    Zone_NPCSpawner_Door::Instance door;
    Zone_NPCSpawner_FloatingSkull::Instance skulls;
    for (SceneObjectInstance* instance : std::initializer_list<SceneObjectInstance*> {
             &holder, &exit, &start, &pickup, &trigger, &door, &skulls})
        seeds.Add("zone_instance_record", Write(*instance));

    seeds.Add("line_readers",
        std::string("\x05") + "name\r\n-12\r\n4000000000\r\n1e5\r\n1\r\n_SpacialInstance_updatetag_1.0_\r\n"
            + "3.25\r\n\r\nlast");
}

void AddScripts(SeedWriter& seeds)
{
    seeds.Add("dialogue_file",
        "// 0: intro\r\nKeeper \": \" \"Ah. You are awake.\"\r\nPlayer \": \" \"Where am I?\"\r\n\r\n"
        "// 1\r\n\"The bell rings.\"\r\n\r\n\"{JUMP} jumps.\" two words\r\n\r\n\r\nlast \"block\"\n");
    Script script("Seed");
    script.SetText(
        "CreateVar local n 5;CreateVar global seen 0;CreateVar save done_a 1;IfVar n >= 5 and seen == 0;"
        "(;SetVar seen 1;IfVar done_a != 1;(;SetVar n 0;););Else;(;SetVar n 9;)\n:OnEnter;"
        "IfVar n < 3 or n == 9;(;waitSetVar n 2;);:OnLeave;SetVar n 1");
    seeds.Add("script_text", script.GetText());

    // Every script command once, named as the game registers it, with the
    // playground's character and trigger and numbers behind.
    const Game& game = fuzz::GetFuzzWorld().game; // it has registered every command
    std::string every;
    for (const ScriptCommand& command : Script::GetCommands())
        every += command.name + " npc 2 trigger 1 0 3 4 5 6 7 8 9 10 11\r\n";
    seeds.Add("script_text", every);

    // Every console command with its own default lines (prefixed with the
    // command's name where the default lacks it), and a save without a level.
    std::string settings;
    for (const ConsoleCommand& command : game.console.GetCommands()) {
        if (command.name == "setuserpath" || command.name == "exit")
            continue;
        if (command.defaults.empty())
            settings += command.name + " 1\r\n";
        for (const std::string& line : command.defaults)
            settings += (line.rfind(command.name, 0) == 0 ? line : command.name + " " + line) + "\r\n";
    }
    seeds.Add("command_file", settings);
    seeds.Add(
        "command_file", std::string("changesaveslot 0\r\nsave\r\nload\r\nsetuserpath saves\r\nexit\r\n"));
}

} // namespace

// A sound level description of one screen with every kind of line: the
// level tool has no writer of its own for them.
void AddLevelDescriptions(SeedWriter& seeds)
{
    std::string text = "level Seed_TP_01.lvl\nscreens 1 1\ncell 5 5\npalette cemetery\n"
                       "script PlayMusic title.ogg 1\noff blockers\ntiles\n";
    for (int row = 0; row < 9; ++row)
        text += std::string(16, '.') + "\n";
    text += "....T<>.........\n......====....H.\n..........[]..H.\n###~~~^^##_#####\n################\n";
    text += "place Point_PlayerStart start 8 2 name=start\n"
            "place Zone_LoadMap out 0 2 1x3 level=Other.lvl start=from_seed\n"
            "place Zone_Teleport tp 12 2 2x2\n"
            "place Zone_PickupObject map 4 2 kind=20 param=12 22-20 22;21 21\n"
            "place Zone_NPCSPawner_FloatingSkull skulls 2 5 4x3 SpawnCount=2 SkullKind=1\n"
            "prop \"Scene Layer 01\" Deco_Grave_A 7 2\n"
            "trigger lever 10 2 1x1 graphic=Actor_Lever_Off {\n:OnHit\nIfVar lever == 1\n(\n)\n}\n";
    seeds.Add("level_description", text);
}

void AddRunRecordings(SeedWriter& seeds)
{
    RunRecording recording;
    recording.commands = {"god 1"};
    recording.SetPasses({{}, {28}, {}, {32, 57}, {32, 57}, {32}, {}});
    recording.checkpoints = {{"leg", "title", 0}, {"level", "cemetery_01.lvl", 3}};
    recording.typed = {{4, "god 0"}, {6, "exit"}};
    recording.comments = {" stopped at the leg \"cemetery\""};
    seeds.Add("run_recording", recording.Write());
}

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    SeedWriter seeds(argv[1]);
    AddImages(seeds);
    AddSounds(seeds);
    AddRecords(seeds);
    AddScripts(seeds);
    AddLevelDescriptions(seeds);
    AddRunRecordings(seeds);
    std::printf("%d seeds written to %s\n", seeds.Count(), argv[1]);
    return 0;
}
