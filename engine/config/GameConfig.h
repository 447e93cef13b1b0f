#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>
#include <utility>
#include <vector>

#include "engine/input/InputTriggerer.h"

// The user's options: volumes, display options, the 24 action bindings,
// vertical sync, the language and the frame options. Kept in
// "UserConfig.cfg" in the user folder, one value per line in a fixed order.
class GameConfig {
public:
    static constexpr size_t kBindingCount = 24;
    // Binding 20 (Escape, the pad's Back) is fixed: never saved, loaded or set.
    static constexpr size_t kFixedBinding = 20;
    static constexpr const char* kFileName = "UserConfig.cfg";

    GameConfig();
    GameConfig(const GameConfig&) = default;
    GameConfig& operator=(const GameConfig&) = default;
    virtual ~GameConfig() = default;

    // Writes the default codes of all 24 bindings, direction -1 to binding 17
    // and +1 to binding 19, and clears binding 2's direction and state. The
    // other bindings keep their directions and states.
    void SetDefaultKeys();

    // The ranges of the numeric options and the known languages (each has a
    // dialogue folder "dialogues_" + language). A file value outside them is
    // replaced by the default with one message naming its file:line.
    static constexpr int kMaxVolume = 10;
    static constexpr int kMaxScaleMode = 2;
    static constexpr int kMaxScaleFilter = 1;
    static constexpr int kMaxMotionBlur = 2;
    static constexpr int kMaxDisplayAdapter = 15;
    static constexpr int kMaxBrightness = 20;
    static constexpr std::array<const char*, 2> kLanguages = {"eng", "fr"};
    static bool IsKnownLanguage(const std::string& value);

    // Reads "UserConfig.cfg" from the user folder. All or nothing: a value
    // that does not parse, or a file that ends early, leaves every option as
    // it was and is reported ("file:line: expected X, found Y") on the debug
    // output and stderr. True when every value was read, or when there is no
    // file. Something that is no file at its name (a folder, a pipe, a link
    // to a device) is never opened, so never waited on, and is said as
    // "<path>: is not a regular file", unless `quiet` (the game's read once
    // its library is loaded: the start-up's first read already said it).
    bool LoadUserConfig(bool quiet = false);
    // Writes "UserConfig.cfg" to the user folder through a temporary file
    // renamed over it; false when it cannot (the old file then stays whole,
    // and `reason` gets the system's reason when given).
    bool SaveUserConfig(std::string* reason = nullptr) const;

    // The same two on any stream (the file operations use them).
    bool Read(std::istream& is);
    bool Write(std::ostream& os) const;

private:
    // Reads the values in file order straight into this configuration; the
    // messages about values replaced by their defaults go to `notes`.
    bool ReadValues(std::istream& is, std::vector<std::string>& notes);

public:
    // The game object installs the call that makes its sound engine apply the
    // volumes; every load ends with it. Until then loading applies nothing.
    static void SetApplyVolumesHook(std::function<void()> hook);

    int GetMusicVolume() const { return musicVolume; }
    void SetMusicVolume(int volume) { musicVolume = volume; }
    int GetSoundVolume() const { return soundVolume; }
    void SetSoundVolume(int volume) { soundVolume = volume; }
    // Display mode at start: windowed, or desktop full screen when false.
    bool IsWindowed() const { return windowed; }
    void SetWindowed(bool value) { windowed = value; }
    // The options menu's name for the same flag: it stores the windowed flag.
    void SetFullScreen(bool windowedValue) { windowed = windowedValue; }
    // How the 512 x 448 picture fits the window: 0, 1 or 2.
    int GetScaleMode() const { return scaleMode; }
    void SetScaleMode(int mode) { scaleMode = mode; }
    bool GetVSync() const { return verticalSync; }
    void SetVSync(bool value) { verticalSync = value; }
    // 0 point filtering of the final stretch, anything else linear.
    int GetScaleFilter() const { return scaleFilter; }
    void SetScaleFilter(int filter) { scaleFilter = filter; }
    // 0 to 2.
    int GetMotionBlur() const { return motionBlurLevel; }
    void SetMotionBlur(int level) { motionBlurLevel = level; }
    int GetDisplayAdapter() const { return displayAdapter; }
    void SetDisplayAdapter(int adapter) { displayAdapter = adapter; }
    // 0 to 20.
    int GetBrightness() const { return brightnessLevel; }
    void SetBrightness(int level) { brightnessLevel = level; }
    // Selects the dialogue folder "dialogues_" + language.
    std::string GetLanguage() const { return language; }
    void SetLanguage(std::string value) { language = std::move(value); }
    // The frame pacing's catch-up option (the first of the two frame flags).
    bool GetFrameCatchUp() const { return frameCatchUp; }
    void SetFrameCatchUp(bool value) { frameCatchUp = value; }
    // The main loop's second frame flag: with it (or vertical sync) a pass
    // without a due tick records no frame.
    bool GetFrameLimit() const { return frameLimit; }
    void SetFrameLimit(bool value) { frameLimit = value; }

    // A copy of binding `index` (a default binding past the end).
    InputTriggerer GetBinding(size_t index) const
    {
        return index < kBindingCount ? bindings[index] : InputTriggerer();
    }
    // Stores a binding; the fixed binding and indexes past the end are ignored.
    void SetBinding(size_t index, InputTriggerer binding)
    {
        if (index < kBindingCount && index != kFixedBinding)
            bindings[index] = binding;
    }

    InputTriggerer GetBinding0() const { return bindings[0]; }
    InputTriggerer GetBinding1() const { return bindings[1]; }
    InputTriggerer GetBinding2() const { return bindings[2]; }
    InputTriggerer GetBinding3() const { return bindings[3]; }
    InputTriggerer GetBinding4() const { return bindings[4]; }
    InputTriggerer GetBinding5() const { return bindings[5]; }
    InputTriggerer GetBinding6() const { return bindings[6]; }
    InputTriggerer GetBinding7() const { return bindings[7]; }
    InputTriggerer GetBinding8() const { return bindings[8]; }
    InputTriggerer GetBinding9() const { return bindings[9]; }
    InputTriggerer GetBinding10() const { return bindings[10]; }
    InputTriggerer GetBinding11() const { return bindings[11]; }
    InputTriggerer GetBinding12() const { return bindings[12]; }
    InputTriggerer GetBinding13() const { return bindings[13]; }
    InputTriggerer GetBinding14() const { return bindings[14]; }
    InputTriggerer GetBinding15() const { return bindings[15]; }
    InputTriggerer GetBinding16() const { return bindings[16]; }
    InputTriggerer GetBinding17() const { return bindings[17]; }
    InputTriggerer GetBinding18() const { return bindings[18]; }
    InputTriggerer GetBinding19() const { return bindings[19]; }
    InputTriggerer GetBinding20() const { return bindings[20]; }
    InputTriggerer GetBinding21() const { return bindings[21]; }
    InputTriggerer GetBinding22() const { return bindings[22]; }
    InputTriggerer GetBinding23() const { return bindings[23]; }

    void SetBinding0(InputTriggerer binding) { bindings[0] = binding; }
    void SetBinding1(InputTriggerer binding) { bindings[1] = binding; }
    void SetBinding2(InputTriggerer binding) { bindings[2] = binding; }
    void SetBinding3(InputTriggerer binding) { bindings[3] = binding; }
    void SetBinding4(InputTriggerer binding) { bindings[4] = binding; }
    void SetBinding5(InputTriggerer binding) { bindings[5] = binding; }
    void SetBinding6(InputTriggerer binding) { bindings[6] = binding; }
    void SetBinding7(InputTriggerer binding) { bindings[7] = binding; }
    void SetBinding8(InputTriggerer binding) { bindings[8] = binding; }
    void SetBinding9(InputTriggerer binding) { bindings[9] = binding; }
    void SetBinding10(InputTriggerer binding) { bindings[10] = binding; }
    void SetBinding11(InputTriggerer binding) { bindings[11] = binding; }
    void SetBinding12(InputTriggerer binding) { bindings[12] = binding; }
    void SetBinding13(InputTriggerer binding) { bindings[13] = binding; }
    void SetBinding14(InputTriggerer binding) { bindings[14] = binding; }
    void SetBinding15(InputTriggerer binding) { bindings[15] = binding; }
    void SetBinding16(InputTriggerer binding) { bindings[16] = binding; }
    void SetBinding17(InputTriggerer binding) { bindings[17] = binding; }
    void SetBinding18(InputTriggerer binding) { bindings[18] = binding; }
    void SetBinding19(InputTriggerer binding) { bindings[19] = binding; }
    void SetBinding21(InputTriggerer binding) { bindings[21] = binding; }
    void SetBinding22(InputTriggerer binding) { bindings[22] = binding; }
    void SetBinding23(InputTriggerer binding) { bindings[23] = binding; }

private:
    bool frameCatchUp = true;
    bool frameLimit = true;
    int musicVolume = 7;
    int soundVolume = 8;
    bool windowed = false;
    int scaleMode = 0;
    bool verticalSync = true;
    int scaleFilter = 0;
    int motionBlurLevel = 0;
    int displayAdapter = 0;
    int brightnessLevel = 10;
    std::string language = "eng";
    std::array<InputTriggerer, kBindingCount> bindings;
};
