#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

// The keys of a run by frame, as a text file: which PC key codes are held at
// each update pass, written as the changes only. The file:
//
//     quenholt-run-keys 1
//     seed 1
//     command god 1
//     # leg title 0
//     0
//     40 Enter
//     41
//     # level cemetery_01.lvl 57
//     ...
//     end 12345
//
// The first line names the format. "seed" is the random seed the run starts
// from, each "command" a console command given before the first pass. A line
// "<frame> <key names...>" says that from that pass on exactly those keys
// are held (no names: none); frames only grow. "# level <file> <frame>" is a
// checkpoint: that level was entered during the passes before <frame>
// (after <frame> passes the game is in it); "# leg <name> <frame>" is where a
// leg of the run began, and where the random source starts again from the
// seed (a leg meets the same chances whatever the legs before it drew);
// "# ending ShowEnding <frame>" where the ending began
// and "# title back <frame>" where the title came back after it. Other "#"
// lines are free comments. "type <frame> <text>" is text typed on the
// keyboard (into the developer console) just before that pass: everything
// after the one space that follows the frame, printable characters only.
// "end <frames>" closes the file with the number of passes: a file without
// it is cut short.
struct RunRecording {
    using Keys = std::set<int32_t>;

    // From this pass on, exactly these keys are held.
    struct Change {
        int frame = 0;
        Keys keys;
        bool operator==(const Change&) const = default;
    };
    // "level" (a level entered), "leg" (a leg begun), "ending" (the ending
    // shown) or "title" (the title back after the ending), with its frame.
    struct Checkpoint {
        std::string kind;
        std::string value;
        int frame = 0;
        bool operator==(const Checkpoint&) const = default;
    };

    // Text typed just before a pass.
    struct Typed {
        int frame = 0;
        std::string text;
        bool operator==(const Typed&) const = default;
    };

    static constexpr const char* kFormat = "quenholt-run-keys 1";
    // Limits the reader keeps: a run of this many passes would take days.
    static constexpr int kMaxFrames = 5'000'000;
    static constexpr size_t kMaxKeysHeld = 16;
    // The longest text typed at once: a console line.
    static constexpr size_t kMaxTypedLength = 256;

    uint32_t seed = 1;
    std::vector<std::string> commands;
    std::vector<Change> changes;
    std::vector<Checkpoint> checkpoints;
    std::vector<Typed> typed;          // in frame order
    std::vector<std::string> comments; // free comment lines (after their "#"), written at the end
    int frames = 0;

    // The changes of a pass-by-pass record of held keys.
    void SetPasses(const std::vector<Keys>& passes);
    // The keys held at each pass, frames long.
    std::vector<Keys> Passes() const;
    // The keys held at one pass.
    Keys KeysAt(int frame) const;
    // The checkpoints of one kind, in order.
    std::vector<Checkpoint> CheckpointsOf(const std::string& kind) const;

    std::string Write() const;
    // Reads a whole file's text; on success replaces this record and returns
    // true. Otherwise this record is left as it was and `error` says
    // "<fileName>:<line>: expected ..., found ...".
    bool Read(const std::string& text, const std::string& fileName, std::string& error);

    bool Load(const std::string& path, std::string& error);
    // Whether Write gives a text that Read turns back into this very record;
    // if not, `error` says why.
    bool Writable(std::string& error) const;
    // Written whole or not at all (a temporary file renamed over the old);
    // a record that would not read back the same is refused and the file
    // left as it was.
    bool Save(const std::string& path, std::string& error) const;

    bool operator==(const RunRecording&) const = default;
};

// A key's name in the file ("Space", "A", "Left", ...); "#<code>" for a code
// without a name.
std::string RunKeyName(int32_t code);
// The code of a name as RunKeyName writes it; 0 when it names no key.
int32_t RunKeyCode(const std::string& name);
