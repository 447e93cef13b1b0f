#include "engine/config/GameConfig.h"

#include <algorithm>
#include <fstream>
#include <mutex>
#include <sstream>

#include "engine/config/GamePaths.h"
#include "engine/platform/AtomicFile.h"
#include "engine/platform/DebugOutput.h"
#include "engine/platform/Paths.h"
#include "engine/serial/LineReaders.h"
#include "engine/serial/ReaderContext.h"

namespace {

// Default codes: keyboard keys as PC set-1 scancodes, pad button n as 48 + n,
// 8 the pad's Z axis.
constexpr std::array<uint32_t, GameConfig::kBindingCount> kDefaultCodes = {
    30, // 0  A: left
    32, // 1  D: right
    17, // 2  W: up
    31, // 3  S: down
    57, // 4  Space
    48, // 5  pad button 0
    52, // 6  "."
    49, // 7  pad button 1
    53, // 8  "/"
    50, // 9  pad button 2
    51, // 10 ","
    51, // 11 pad button 3
    18, // 12 E
    53, // 13 pad button 5
    16, // 14 Q
    52, // 15 pad button 4
    54, // 16 right Shift
    8,  // 17 pad Z axis, direction -1
    42, // 18 left Shift
    8,  // 19 pad Z axis, direction +1
    1,  // 20 Escape
    55, // 21 pad button 7
    15, // 22 Tab
    54, // 23 pad button 6
};

// The bindings of the file's sixth block, in file order. Binding 21 comes at
// the end of the file; binding 20 is never stored.
constexpr std::array<size_t, 22> kFileBindingOrder = {
    5,
    4,
    7,
    6,
    9,
    8,
    10,
    11,
    0,
    1,
    3,
    2,
    23,
    22,
    13,
    12,
    15,
    14,
    17,
    16,
    19,
    18,
};
constexpr size_t kLastFileBinding = 21;

const char* const kVSyncOn = "VSync=1";
const char* const kVSyncOff = "VSync=0";
const char* const kDefaultLanguage = "eng";

std::mutex g_HookMutex;
std::function<void()>& ApplyVolumesHook()
{
    static std::function<void()> hook;
    return hook;
}

void ApplyVolumes()
{
    std::function<void()> hook;
    {
        std::lock_guard lock(g_HookMutex);
        hook = ApplyVolumesHook();
    }
    if (hook)
        hook();
}

} // namespace

GameConfig::GameConfig()
{
    SetDefaultKeys();
}

void GameConfig::SetDefaultKeys()
{
    for (size_t i = 0; i < kBindingCount; ++i)
        bindings[i].code = kDefaultCodes[i];
    bindings[17].direction = -1;
    bindings[19].direction = 1;
    bindings[2].direction = 0;
    bindings[2].state = false;
}

void GameConfig::SetApplyVolumesHook(std::function<void()> hook)
{
    std::lock_guard lock(g_HookMutex);
    ApplyVolumesHook() = std::move(hook);
}

bool GameConfig::Write(std::ostream& os) const
{
    WriteLine(os, musicVolume);
    WriteLine(os, soundVolume);
    WriteLine(os, windowed);
    WriteLine(os, scaleMode);
    WriteLine(os, scaleFilter);
    for (size_t index : kFileBindingOrder)
        bindings[index].Write(os);
    WriteLine(os, verticalSync ? kVSyncOn : kVSyncOff);
    WriteLine(os, language);
    WriteLine(os, frameCatchUp);
    WriteLine(os, frameLimit);
    WriteLine(os, motionBlurLevel);
    WriteLine(os, displayAdapter);
    WriteLine(os, brightnessLevel);
    bindings[kLastFileBinding].Write(os);
    return static_cast<bool>(os);
}

bool GameConfig::IsKnownLanguage(const std::string& value)
{
    return std::find(kLanguages.begin(), kLanguages.end(), value) != kLanguages.end();
}

bool GameConfig::Read(std::istream& is)
{
    // Read into a copy, taken only when every value was read: a damaged file
    // leaves every option as it was.
    GameConfig read(*this);
    std::vector<std::string> notes;
    if (!read.ReadValues(is, notes))
        return false;
    for (const std::string& note : notes)
        platform::ReportProblem(note);
    *this = read;
    return true;
}

bool GameConfig::ReadValues(std::istream& is, std::vector<std::string>& notes)
{
    const GameConfig defaults;
    // A value outside its range is replaced by the default, and said once
    // at its own line.
    auto note
        = [&is, &notes](const std::string& expected, std::string_view found, const std::string& fallback) {
              notes.push_back(ReaderContext::WhereOf(is) + "expected " + expected + ", found "
                  + QuoteFound(found) + "; the default " + fallback + " is used");
          };
    auto bounded = [&is, &note](int& value, int maximum, int fallback) {
        if (!ReadIntLine(is, value))
            return false;
        if (value < 0 || value > maximum) {
            note(ExpectedIntToken(0, maximum), std::to_string(value), std::to_string(fallback));
            value = fallback;
        }
        return true;
    };
    bool ok = bounded(musicVolume, kMaxVolume, defaults.musicVolume)
        && bounded(soundVolume, kMaxVolume, defaults.soundVolume) && ReadBoolLine(is, windowed)
        && bounded(scaleMode, kMaxScaleMode, defaults.scaleMode)
        && bounded(scaleFilter, kMaxScaleFilter, defaults.scaleFilter);
    for (size_t i = 0; ok && i < kFileBindingOrder.size(); ++i)
        ok = bindings[kFileBindingOrder[i]].Read(is);

    // Vertical sync is off only for the exact line "VSync=0"; any other text
    // leaves it on.
    std::string vsyncLine;
    ok = ok && ReadTextLine(is, vsyncLine);
    verticalSync = vsyncLine != kVSyncOff;

    // An empty language line gives the default; a language without its
    // dialogue folder does too, with a message (the name also becomes part
    // of file paths, so nothing else is taken).
    ok = ok && ReadTextLine(is, language);
    if (ok && !language.empty() && !IsKnownLanguage(language)) {
        std::string known;
        for (const char* name : kLanguages) {
            if (!known.empty())
                known += " or ";
            known += QuoteFound(name);
        }
        note(known, language, QuoteFound(kDefaultLanguage));
    }
    if (!IsKnownLanguage(language))
        language = kDefaultLanguage;

    return ok && ReadBoolLine(is, frameCatchUp) && ReadBoolLine(is, frameLimit)
        && bounded(motionBlurLevel, kMaxMotionBlur, defaults.motionBlurLevel)
        && bounded(displayAdapter, kMaxDisplayAdapter, defaults.displayAdapter)
        && bounded(brightnessLevel, kMaxBrightness, defaults.brightnessLevel)
        && bindings[kLastFileBinding].Read(is);
}

bool GameConfig::LoadUserConfig(bool quiet)
{
    bool ok = true;
    const std::string path = GetUserPath() + kFileName;
    std::ifstream file = platform::OpenRegularFile(path);
    if (file.is_open()) {
        ReaderContext context(file, path);
        ok = Read(file);
        if (!ok)
            context.Report();
    } else if (!quiet && platform::IsNonRegularFile(path)) {
        platform::ReportProblem(path + ": is not a regular file\n");
    }
    ApplyVolumes();
    return ok;
}

bool GameConfig::SaveUserConfig(std::string* reason) const
{
    // Without a user folder nothing is written (never into the working
    // folder, which holds the game's data).
    if (GetUserPath().empty()) {
        if (reason != nullptr)
            *reason = "there is no user folder";
        return false;
    }
    // Written as the saves are: a crash or a full disk during the write
    // leaves the previous file whole.
    std::ostringstream text;
    Write(text);
    return platform::ReplaceFileAtomically(GetUserPath() + kFileName, text.str(), reason);
}
