#include "tests/engine/serial/DamagedRecord.h"

#include "engine/config/GameConfig.h"
#include "engine/serial/FloatSerialize.h"
#include "engine/serial/IntSerialize.h"
#include "engine/serial/PointSerialize.h"
#include "engine/serial/StrSerialize.h"
#include "engine/serial/VectorSerialize.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundEvent.h"
#include "engine/sound/SoundEventsManager.h"

namespace {

// A record kind whose target is an ISerialization object read by its own
// UnSerialize and seen through its own writer.
template <class T, class Make> RecordKind SerialKind(std::string name, std::string record, Make make)
{
    return {std::move(name), std::move(record), [make] {
                return std::make_unique<FunctionTarget<T>>(
                    make(), [](T& object, std::istream& is) { return object.UnSerialize(is); },
                    [](T& object) { return WrittenState(object); });
            }};
}

template <class T> std::string Written(T&& object, int skipLines = 0)
{
    return RecordText([&object](std::ostream& os) { object.Serialize(os); }, skipLines);
}

std::string ListState(VectorSerialize& list)
{
    return WrittenState(list) + (list.GetOwnsElements() ? "owns" : "borrows");
}

std::vector<RecordKind> EngineRecordKinds()
{
    std::vector<RecordKind> kinds;
    kinds.push_back(SerialKind<IntSerialize>(
        "IntSerialize", Written(IntSerialize(-42)), [] { return std::make_unique<IntSerialize>(7); }));
    kinds.push_back(SerialKind<FloatSerialize>("FloatSerialize", Written(FloatSerialize(2.5e-3f)),
        [] { return std::make_unique<FloatSerialize>(1.0f); }));
    kinds.push_back(SerialKind<StrSerialize>("StrSerialize", Written(StrSerialize("Level_Cave 2")),
        [] { return std::make_unique<StrSerialize>("old"); }));
    kinds.push_back(SerialKind<PointIntSerialize>("PointIntSerialize", Written(PointIntSerialize({3, -4})),
        [] { return std::make_unique<PointIntSerialize>(Point<int>(1, 1)); }));
    kinds.push_back(
        SerialKind<PointFloatSerialize>("PointFloatSerialize", Written(PointFloatSerialize({0.5f, -8.0f})),
            [] { return std::make_unique<PointFloatSerialize>(Point<float>(1.0f, 1.0f)); }));

    VectorSerialize list(true);
    list.Append(std::make_unique<IntSerialize>(9));
    list.Append(std::make_unique<StrSerialize>("Zone_Save"));
    list.Append(std::make_unique<FloatSerialize>(0.25f));
    list.Append(std::make_unique<PointIntSerialize>(Point<int>(5, 6)));
    list.Append(std::make_unique<PointFloatSerialize>(Point<float>(7.5f, 8.0f)));
    kinds.push_back({"VectorSerialize", Written(list), [] {
                         auto target = std::make_unique<VectorSerialize>(false);
                         target->Append(std::make_unique<IntSerialize>(1));
                         return std::make_unique<FunctionTarget<VectorSerialize>>(
                             std::move(target),
                             [](VectorSerialize& l, std::istream& is) { return l.UnSerialize(is); },
                             ListState);
                     }});

    GameConfig config;
    config.SetMusicVolume(3);
    config.SetWindowed(true);
    config.SetBinding(4, InputTriggerer(44, 1));
    config.SetVSync(false);
    config.SetLanguage("fr");
    config.SetBrightness(6);
    config.SetBinding(21, InputTriggerer(99, -1));
    kinds.push_back({"GameConfig", RecordText([&config](std::ostream& os) { config.Write(os); }), [] {
                         return std::make_unique<FunctionTarget<GameConfig>>(
                             std::make_unique<GameConfig>(),
                             [](GameConfig& c, std::istream& is) { return c.Read(is); },
                             [](GameConfig& c) {
                                 std::ostringstream os;
                                 c.Write(os);
                                 return os.str();
                             });
                     }});

    Sound sound("step", "sounds/step.wav");
    sound.SetLoop(true);
    kinds.push_back(
        SerialKind<Sound>("Sound", Written(sound), [] { return std::make_unique<Sound>("old", "old.wav"); }));

    // The sound event reads its own class line. Without a game its named
    // variations read as empty slots.
    SoundEvent event("Door_Close", true, 2);
    std::istringstream eventText(
        "SoundEventV0\r\nDoor_Close\r\n2\r\nNULL\r\nSoundV0Ptr\r\ndoor\r\n50\r\n300\r\n");
    EXPECT_TRUE(event.UnSerialize(eventText));
    kinds.push_back(SerialKind<SoundEvent>(
        "SoundEvent", Written(event), [] { return std::make_unique<SoundEvent>("Menu_Select", false, 1); }));
    kinds.back().lenientLines = {1}; // the class line is read and not compared

    // The whole table of sound events, one of them changed.
    SoundEventsManager manager;
    std::istringstream change("SoundEventsManagerV0\r\n0\r\n1\r\n" + Written(event));
    EXPECT_TRUE(manager.UnSerialize(change));
    kinds.push_back(SerialKind<SoundEventsManager>(
        "SoundEventsManager", Written(manager), [] { return std::make_unique<SoundEventsManager>(); }));
    // Its class line and those of its events are read and not compared.
    const std::vector<std::string> lines = SplitLines(kinds.back().record);
    for (size_t n = 0; n < lines.size(); ++n)
        if (lines[n] == "SoundEventsManagerV0" || lines[n] == "SoundEventV0")
            kinds.back().lenientLines.insert(n + 1);
    return kinds;
}

} // namespace

TEST(DamagedRecordTest, EveryEngineRecordRefusesDamageAtEveryLine)
{
    for (const RecordKind& kind : EngineRecordKinds())
        ExpectEveryDamagedLineRefused(kind);
}
