#include "tools/run/RunRecording.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <unistd.h>

// The run's key file: written as changes, read back whole or not at all, its
// refusals naming the file, the line and what was expected.
namespace {

constexpr int32_t kEnter = 28;
constexpr int32_t kRight = 32;
constexpr int32_t kSpace = 57;
constexpr int32_t kF1 = 59; // a key without a name in the file

RunRecording Sample()
{
    RunRecording recording;
    recording.seed = 7;
    recording.commands = {"god 1"};
    recording.SetPasses({{}, {}, {kEnter}, {}, {kRight, kSpace}, {kRight, kSpace}, {kRight}, {kF1}, {}});
    recording.checkpoints = {{"leg", "title", 0}, {"level", "cemetery_01.lvl", 4}, {"leg", "cemetery", 4},
        {"ending", "ShowEnding", 9}};
    recording.typed = {{5, "god 0"}, {8, " a  line "}};
    recording.comments = {" stopped at the leg \"cave\": not flown yet"};
    return recording;
}

TEST(RunRecording, OnlyTheChangesAreWrittenAndTheyGiveEveryPassBack)
{
    const RunRecording recording = Sample();
    ASSERT_EQ(recording.frames, 9);
    EXPECT_EQ(recording.changes.size(), 7u) << "passes 1, 5 and 8 hold the same keys as the pass before";
    EXPECT_EQ(recording.KeysAt(5), (RunRecording::Keys {kRight, kSpace}));
    EXPECT_EQ(recording.KeysAt(7), RunRecording::Keys {kF1});
    EXPECT_EQ(recording.Passes().size(), 9u);
    EXPECT_EQ(recording.Passes()[4], (RunRecording::Keys {kRight, kSpace}));

    const std::string text = recording.Write();
    EXPECT_EQ(text,
        "quenholt-run-keys 1\n"
        "seed 7\n"
        "command god 1\n"
        "# leg title 0\n"
        "0\n"
        "2 Enter\n"
        "3\n"
        "# level cemetery_01.lvl 4\n"
        "# leg cemetery 4\n"
        "4 D Space\n"
        "type 5 god 0\n"
        "6 D\n"
        "7 #59\n"
        "type 8  a  line \n"
        "8\n"
        "# ending ShowEnding 9\n"
        "# stopped at the leg \"cave\": not flown yet\n"
        "end 9\n");
    RunRecording read;
    std::string error;
    ASSERT_TRUE(read.Read(text, "whole_run.txt", error)) << error;
    EXPECT_EQ(read, recording);
    EXPECT_EQ(read.CheckpointsOf("leg").size(), 2u);
    EXPECT_EQ(read.CheckpointsOf("level").front().value, "cemetery_01.lvl");
    EXPECT_EQ(read.typed.back().text, " a  line ") << "typed text keeps its blanks";
}

TEST(RunRecording, KeyNamesAndCodesGoBothWays)
{
    for (int32_t code = 1; code <= 255; ++code)
        EXPECT_EQ(RunKeyCode(RunKeyName(code)), code) << RunKeyName(code);
    EXPECT_EQ(RunKeyName(kSpace), "Space");
    EXPECT_EQ(RunKeyCode("#57"), kSpace);
    for (const char* bad : {"", "#", "#0", "#256", "#-1", "#5x", "space", "Spacebar"})
        EXPECT_EQ(RunKeyCode(bad), 0) << bad;
}

TEST(RunRecording, ABadFileIsRefusedWithItsLineAndLeavesTheRecordingAsItWas)
{
    const std::string head = "quenholt-run-keys 1\nseed 1\n";
    struct Case {
        std::string text;
        std::string error;
    };
    const Case cases[] = {
        {"", "run.txt:1: expected the format line \"quenholt-run-keys 1\", found an empty file"},
        {"quenholt-run-keys 2\n", "run.txt:1: expected the format line"},
        {head + "0 D\n",
            "run.txt:3: expected \"end <number of passes>\" as the last line (the file is cut short)"},
        {"quenholt-run-keys 1\n0\nend 1\n", "run.txt:3: expected a \"seed\" line"},
        {head + "5 D\n3 A\nend 9\n", "run.txt:4: expected a frame after 5, found 3"},
        {head + "5 D\n5 A\nend 9\n", "run.txt:4: expected a frame after 5, found 5"},
        {head + "0 Jump\nend 2\n",
            "run.txt:3: expected a key name (such as \"Space\" or \"#57\"), found \"Jump\""},
        {head + "0 D D\nend 2\n", "run.txt:3: expected each key once, found \"D\" twice"},
        {head + "0 A B C D E F G H I J K L M N O P Q\nend 2\n", "run.txt:3: expected at most 16 keys held"},
        {head + "x\nend 2\n",
            "run.txt:3: expected a frame number, \"#\", \"seed\", \"command\", \"type\" or \"end\""},
        {head + "type 3\nend 9\n", "run.txt:3: expected \"type <frame> <text>\", found \"type 3\""},
        {head + "type x god\nend 9\n", "run.txt:3: expected \"type <frame> <text>\""},
        {head + "type 5 god\ntype 4 god\nend 9\n",
            "run.txt:4: expected typed text in frame order, found 4 after 5"},
        {head + "type 3 a\tb\nend 9\n",
            "run.txt:3: expected printable typed text, found the control character 9"},
        {head + "type 3 " + std::string(257, 'x') + "\nend 9\n",
            "run.txt:3: expected at most 256 characters typed"},
        {head + "type 9 exit\nend 9\n",
            "run.txt:4: expected the end after the last typed text (frame 9), found 9"},
        {head + "99999999999999999999 D\nend 2\n", "run.txt:3: expected a frame number"},
        {head + "0 D\nend 0\n", "run.txt:4: expected more than 0 passes at the end, found 0"},
        {head + "end 5000001\n", "run.txt:3: expected \"end <number of passes>\""},
        {head + "end 3\n0\n", "run.txt:4: expected nothing after \"end\", found \"0\""},
        {head + "# level a.lvl 9\n# level b.lvl 4\nend 9\n",
            "run.txt:4: expected checkpoint frames in order"},
        {head + "# level a.lvl x\nend 9\n", "run.txt:3: expected the frame of the level checkpoint"},
        {head + "# level a.lvl 12\nend 9\n",
            "run.txt:4: expected the end after the last checkpoint (frame 12)"},
        {head + "seed 2\nend 1\n", "run.txt:3: expected one seed line, found a second"},
        {"quenholt-run-keys 1\nseed -1\nend 1\n", "run.txt:2: expected \"seed <number>\""},
        {head + "0\ncommand god 1\nend 1\n", "run.txt:4: expected the commands before the keys"},
    };
    for (const Case& bad : cases) {
        RunRecording recording = Sample();
        std::string error;
        EXPECT_FALSE(recording.Read(bad.text, "run.txt", error)) << bad.text;
        EXPECT_EQ(error.rfind(bad.error, 0), 0u) << "for:\n" << bad.text << "got: " << error;
        EXPECT_EQ(recording, Sample()) << "a refused file changes nothing";
    }
}

TEST(RunRecording, CarriageReturnsCommentsAndBlankLinesAreRead)
{
    RunRecording recording;
    std::string error;
    ASSERT_TRUE(recording.Read(
        "quenholt-run-keys 1\r\nseed 3\r\n\r\n#note\r\ncommand  god 1\r\n  2 Up Left\r\nend 4\r\n", "run.txt",
        error))
        << error;
    EXPECT_EQ(recording.seed, 3u);
    EXPECT_EQ(recording.commands, std::vector<std::string> {"god 1"});
    EXPECT_EQ(recording.comments, std::vector<std::string> {"note"});
    EXPECT_EQ(recording.KeysAt(1), RunRecording::Keys {});
    EXPECT_EQ(recording.KeysAt(3), (RunRecording::Keys {200, 203}));
}

// Carriage returns that end a comment or a command are line ends: what is
// read is written back as is. A record the text cannot carry is not saved.
TEST(RunRecording, WhatIsReadWritesBackTheSameAndWhatCannotBeWrittenIsRefused)
{
    const std::string head = "quenholt-run-keys 1\nseed 1\n";
    for (const std::string& body : {std::string("#foo\r\r\n"), std::string("command god 1\r\r\n"),
             std::string("# a comment \r \r\r\n")}) {
        RunRecording read;
        std::string error;
        ASSERT_TRUE(read.Read(head + body + "end 1\n", "run.txt", error)) << error;
        RunRecording again;
        ASSERT_TRUE(again.Read(read.Write(), "run.txt", error)) << error;
        EXPECT_EQ(again, read) << body;
        EXPECT_TRUE(read.Writable(error)) << error;
    }

    const std::filesystem::path path = std::filesystem::temp_directory_path()
        / ("quenholt-run-refused-" + std::to_string(getpid()) + ".txt");
    std::ofstream(path, std::ios::binary) << "kept";
    for (auto spoil : std::vector<std::function<void(RunRecording&)>> {
             [](RunRecording& r) { r.comments.push_back("foo\r"); },
             [](RunRecording& r) { r.commands.push_back(" god 1"); },
             [](RunRecording& r) { r.comments.push_back("two\nlines"); },
             [](RunRecording& r) { r.comments.push_back(" leg x failed"); },
             [](RunRecording& r) {
                 r.checkpoints.push_back({"level", "a b", 1});
             },
         }) {
        RunRecording spoilt = Sample();
        spoil(spoilt);
        std::string error;
        EXPECT_FALSE(spoilt.Save(path.string(), error));
        EXPECT_EQ(error.rfind(path.string() + ": not saved: ", 0), 0u) << error;
    }
    std::ifstream kept(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "kept");
    std::filesystem::remove(path);
}

TEST(RunRecording, SavedAndLoadedFromAFile)
{
    const std::filesystem::path path
        = std::filesystem::temp_directory_path() / ("quenholt-run-keys-" + std::to_string(getpid()) + ".txt");
    const RunRecording recording = Sample();
    std::string error;
    ASSERT_TRUE(recording.Save(path.string(), error)) << error;
    RunRecording loaded;
    ASSERT_TRUE(loaded.Load(path.string(), error)) << error;
    EXPECT_EQ(loaded, recording);
    std::filesystem::remove(path);
    EXPECT_FALSE(loaded.Load(path.string(), error));
    EXPECT_EQ(error, path.string() + ": cannot be opened");
}

} // namespace
