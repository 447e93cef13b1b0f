#include "tools/run/RunRecording.h"

#include "engine/platform/AtomicFile.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <fstream>
#include <iterator>
#include <sstream>
#include <utility>

namespace {

struct KeyName {
    int32_t code;
    const char* name;
};

// The names of the keys a run presses, by PC set-1 code.
constexpr std::array kKeyNames = {
    KeyName {1, "Esc"},
    KeyName {2, "Digit1"},
    KeyName {3, "Digit2"},
    KeyName {4, "Digit3"},
    KeyName {5, "Digit4"},
    KeyName {14, "Backspace"},
    KeyName {15, "Tab"},
    KeyName {16, "Q"},
    KeyName {17, "W"},
    KeyName {18, "E"},
    KeyName {19, "R"},
    KeyName {20, "T"},
    KeyName {21, "Y"},
    KeyName {22, "U"},
    KeyName {23, "I"},
    KeyName {24, "O"},
    KeyName {25, "P"},
    KeyName {28, "Enter"},
    KeyName {29, "LeftCtrl"},
    KeyName {30, "A"},
    KeyName {31, "S"},
    KeyName {32, "D"},
    KeyName {33, "F"},
    KeyName {34, "G"},
    KeyName {35, "H"},
    KeyName {36, "J"},
    KeyName {37, "K"},
    KeyName {38, "L"},
    KeyName {42, "LeftShift"},
    KeyName {44, "Z"},
    KeyName {45, "X"},
    KeyName {46, "C"},
    KeyName {47, "V"},
    KeyName {48, "B"},
    KeyName {49, "N"},
    KeyName {50, "M"},
    KeyName {51, "Comma"},
    KeyName {52, "Period"},
    KeyName {53, "Slash"},
    KeyName {54, "RightShift"},
    KeyName {57, "Space"},
    KeyName {200, "Up"},
    KeyName {203, "Left"},
    KeyName {205, "Right"},
    KeyName {208, "Down"},
};

// The highest PC set-1 code (extended keys are 0x80 + their second byte).
constexpr int32_t kMaxCode = 255;

std::vector<std::string> Words(const std::string& line)
{
    std::istringstream in(line);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

// A whole decimal number from 0 to `limit`, nothing else.
bool ParseNumber(const std::string& word, int64_t limit, int64_t& value)
{
    if (word.empty() || word.size() > 12)
        return false;
    const char* end = word.data() + word.size();
    const auto [stop, failure] = std::from_chars(word.data(), end, value);
    return failure == std::errc() && stop == end && value >= 0 && value <= limit;
}

std::string Quoted(const std::string& word)
{
    constexpr size_t kShown = 40;
    return "\"" + (word.size() > kShown ? word.substr(0, kShown) + "..." : word) + "\"";
}

bool IsCheckpointKind(const std::string& word)
{
    return word == "level" || word == "leg" || word == "ending" || word == "title";
}

std::string KeysText(const RunRecording::Keys& keys)
{
    std::string text;
    for (int32_t code : keys)
        text += " " + RunKeyName(code);
    return text;
}

} // namespace

std::string RunKeyName(int32_t code)
{
    for (const KeyName& key : kKeyNames)
        if (key.code == code)
            return key.name;
    return "#" + std::to_string(code);
}

int32_t RunKeyCode(const std::string& name)
{
    for (const KeyName& key : kKeyNames)
        if (name == key.name)
            return key.code;
    int64_t code = 0;
    if (name.size() > 1 && name[0] == '#' && ParseNumber(name.substr(1), kMaxCode, code) && code > 0)
        return static_cast<int32_t>(code);
    return 0;
}

void RunRecording::SetPasses(const std::vector<Keys>& passes)
{
    changes.clear();
    for (size_t frame = 0; frame < passes.size(); ++frame)
        if (changes.empty() || changes.back().keys != passes[frame])
            changes.push_back({static_cast<int>(frame), passes[frame]});
    frames = static_cast<int>(passes.size());
}

std::vector<RunRecording::Keys> RunRecording::Passes() const
{
    std::vector<Keys> passes;
    passes.reserve(static_cast<size_t>(frames));
    for (int frame = 0; frame < frames; ++frame)
        passes.push_back(KeysAt(frame));
    return passes;
}

RunRecording::Keys RunRecording::KeysAt(int frame) const
{
    auto after = std::upper_bound(changes.begin(), changes.end(), frame,
        [](int wanted, const Change& change) { return wanted < change.frame; });
    return after == changes.begin() ? Keys {} : std::prev(after)->keys;
}

std::vector<RunRecording::Checkpoint> RunRecording::CheckpointsOf(const std::string& kind) const
{
    std::vector<Checkpoint> found;
    std::copy_if(checkpoints.begin(), checkpoints.end(), std::back_inserter(found),
        [&](const Checkpoint& checkpoint) { return checkpoint.kind == kind; });
    return found;
}

std::string RunRecording::Write() const
{
    std::string text = std::string(kFormat) + "\nseed " + std::to_string(seed) + "\n";
    for (const std::string& command : commands)
        text += "command " + command + "\n";
    // The checkpoints, typed text and changes by frame; at one frame in that
    // order (a leg begins, text is typed, then its first keys).
    size_t nextCheckpoint = 0;
    size_t nextTyped = 0;
    auto upTo = [&](int frame) {
        for (;;) {
            const bool checkpoint
                = nextCheckpoint < checkpoints.size() && checkpoints[nextCheckpoint].frame <= frame;
            const bool typing = nextTyped < typed.size() && typed[nextTyped].frame <= frame;
            if (checkpoint && (!typing || checkpoints[nextCheckpoint].frame <= typed[nextTyped].frame)) {
                const Checkpoint& at = checkpoints[nextCheckpoint++];
                text += "# " + at.kind + " " + at.value + " " + std::to_string(at.frame) + "\n";
            } else if (typing) {
                text += "type " + std::to_string(typed[nextTyped].frame) + " " + typed[nextTyped].text + "\n";
                ++nextTyped;
            } else {
                return;
            }
        }
    };
    for (const Change& change : changes) {
        upTo(change.frame);
        text += std::to_string(change.frame) + KeysText(change.keys) + "\n";
    }
    upTo(kMaxFrames);
    for (const std::string& comment : comments)
        text += "#" + comment + "\n";
    text += "end " + std::to_string(frames) + "\n";
    return text;
}

bool RunRecording::Read(const std::string& text, const std::string& fileName, std::string& error)
{
    RunRecording read;
    read.seed = 0;
    int lineNumber = 0;
    bool ended = false;
    bool seeded = false;
    auto fail = [&](const std::string& why) {
        error = fileName + ":" + std::to_string(lineNumber) + ": " + why;
        return false;
    };

    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        ++lineNumber;
        // Every carriage return that ends a line goes: a comment or a
        // command never ends with one, so what is read is written back as is.
        while (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (ended)
            return fail("expected nothing after \"end\", found " + Quoted(line));
        const std::vector<std::string> words = Words(line);
        if (lineNumber == 1) {
            if (line != kFormat)
                return fail(
                    std::string("expected the format line \"") + kFormat + "\", found " + Quoted(line));
            continue;
        }
        if (words.empty())
            continue;
        const std::string& head = words[0];
        if (head == "#" && words.size() == 4 && IsCheckpointKind(words[1])) {
            int64_t frame = 0;
            if (!ParseNumber(words[3], kMaxFrames, frame))
                return fail(
                    "expected the frame of the " + words[1] + " checkpoint, found " + Quoted(words[3]));
            if (!read.checkpoints.empty() && frame < read.checkpoints.back().frame)
                return fail("expected checkpoint frames in order, found " + std::to_string(frame) + " after "
                    + std::to_string(read.checkpoints.back().frame));
            read.checkpoints.push_back({words[1], words[2], static_cast<int>(frame)});
        } else if (head[0] == '#') {
            read.comments.push_back(line.substr(line.find('#') + 1));
        } else if (head == "seed") {
            int64_t value = 0;
            if (words.size() != 2 || !ParseNumber(words[1], UINT32_MAX, value))
                return fail("expected \"seed <number>\", found " + Quoted(line));
            if (seeded)
                return fail("expected one seed line, found a second");
            if (!read.changes.empty())
                return fail("expected the seed before the keys");
            read.seed = static_cast<uint32_t>(value);
            seeded = true;
        } else if (head == "command") {
            if (words.size() < 2)
                return fail("expected a console command after \"command\"");
            if (!read.changes.empty())
                return fail("expected the commands before the keys");
            const size_t start = line.find_first_not_of(" \t", line.find("command") + 7);
            read.commands.push_back(line.substr(start));
        } else if (head == "type") {
            int64_t frame = 0;
            if (words.size() < 3 || !ParseNumber(words[1], kMaxFrames - 1, frame))
                return fail("expected \"type <frame> <text>\", found " + Quoted(line));
            if (!read.typed.empty() && frame < read.typed.back().frame)
                return fail("expected typed text in frame order, found " + words[1] + " after "
                    + std::to_string(read.typed.back().frame));
            // The text: all after the one space that follows the frame.
            const size_t frameAt = line.find(words[1], line.find("type") + 4);
            std::string typedText = line.substr(frameAt + words[1].size() + 1);
            if (typedText.size() > kMaxTypedLength)
                return fail("expected at most " + std::to_string(kMaxTypedLength)
                    + " characters typed, found " + std::to_string(typedText.size()));
            for (char c : typedText)
                if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
                    return fail("expected printable typed text, found the control character "
                        + std::to_string(static_cast<int>(static_cast<unsigned char>(c))));
            read.typed.push_back({static_cast<int>(frame), std::move(typedText)});
        } else if (head == "end") {
            int64_t frames = 0;
            if (words.size() != 2 || !ParseNumber(words[1], kMaxFrames, frames))
                return fail("expected \"end <number of passes>\", found " + Quoted(line));
            if (!read.changes.empty() && frames <= read.changes.back().frame)
                return fail("expected more than " + std::to_string(read.changes.back().frame)
                    + " passes at the end, found " + words[1]);
            if (!read.checkpoints.empty() && frames < read.checkpoints.back().frame)
                return fail("expected the end after the last checkpoint (frame "
                    + std::to_string(read.checkpoints.back().frame) + "), found " + words[1]);
            if (!read.typed.empty() && frames <= read.typed.back().frame)
                return fail("expected the end after the last typed text (frame "
                    + std::to_string(read.typed.back().frame) + "), found " + words[1]);
            read.frames = static_cast<int>(frames);
            ended = true;
        } else {
            int64_t frame = 0;
            if (!ParseNumber(head, kMaxFrames - 1, frame))
                return fail(
                    "expected a frame number, \"#\", \"seed\", \"command\", \"type\" or \"end\", found "
                    + Quoted(head));
            if (!read.changes.empty() && frame <= read.changes.back().frame)
                return fail("expected a frame after " + std::to_string(read.changes.back().frame) + ", found "
                    + head);
            if (words.size() - 1 > kMaxKeysHeld)
                return fail("expected at most " + std::to_string(kMaxKeysHeld) + " keys held, found "
                    + std::to_string(words.size() - 1));
            Change change {static_cast<int>(frame), {}};
            for (size_t i = 1; i < words.size(); ++i) {
                const int32_t code = RunKeyCode(words[i]);
                if (code == 0)
                    return fail(
                        "expected a key name (such as \"Space\" or \"#57\"), found " + Quoted(words[i]));
                if (!change.keys.insert(code).second)
                    return fail("expected each key once, found " + Quoted(words[i]) + " twice");
            }
            read.changes.push_back(std::move(change));
        }
    }
    if (lineNumber == 0) {
        lineNumber = 1;
        return fail(std::string("expected the format line \"") + kFormat + "\", found an empty file");
    }
    if (!seeded)
        return fail("expected a \"seed\" line before the end of the file");
    if (!ended)
        return fail("expected \"end <number of passes>\" as the last line (the file is cut short)");
    *this = std::move(read);
    error.clear();
    return true;
}

bool RunRecording::Load(const std::string& path, std::string& error)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = path + ": cannot be opened";
        return false;
    }
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return Read(text, path, error);
}

bool RunRecording::Writable(std::string& error) const
{
    RunRecording again;
    if (!again.Read(Write(), "the written text", error))
        return false;
    if (again == *this)
        return true;
    error = "the written text reads back as another record (a command or comment with a line break, "
            "a name with a blank, or frames out of order)";
    return false;
}

bool RunRecording::Save(const std::string& path, std::string& error) const
{
    if (!Writable(error)) {
        error = path + ": not saved: " + error;
        return false;
    }
    if (!platform::ReplaceFileAtomically(path, Write())) {
        error = path + ": cannot be written";
        return false;
    }
    return true;
}
