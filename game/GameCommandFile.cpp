#include "game/Game.h"

#include "engine/app/ConsoleCommand.h"
#include "engine/platform/DebugOutput.h"
#include "engine/serial/ReaderContext.h"

#include <string>

namespace {

// Longest line a command file may hold; a longer one is reported and its
// rest skipped without being kept in memory.
constexpr size_t kMaxCommandLine = 4096;

enum class LineRead { Line, TooLong, End, ReadError };

// Reads up to LF, drops a trailing CR, keeps at most kMaxCommandLine bytes.
LineRead ReadCommandLine(std::istream& stream, std::string& line)
{
    line.clear();
    bool any = false;
    bool tooLong = false;
    std::streambuf* buffer = stream.rdbuf();
    for (;;) {
        int c = std::char_traits<char>::eof();
        // A file stream's buffer throws when the system fails a read (a disk
        // or network error): the file ends there.
        try {
            if (buffer != nullptr)
                c = buffer->sbumpc();
        } catch (...) {
            line.clear();
            return LineRead::ReadError;
        }
        if (c == std::char_traits<char>::eof()) {
            stream.setstate(std::ios::eofbit);
            break;
        }
        any = true;
        if (c == '\n')
            break;
        if (line.size() <= kMaxCommandLine)
            line.push_back(static_cast<char>(c));
        else
            tooLong = true;
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    if (line.size() > kMaxCommandLine)
        tooLong = true;
    if (!any)
        return LineRead::End;
    return tooLong ? LineRead::TooLong : LineRead::Line;
}

bool IsText(const std::string& line)
{
    for (unsigned char c : line) {
        if ((c < 32 && c != '\t') || c == 127)
            return false;
    }
    return true;
}

// What a refused command expected, from its grammar; a command without one
// checks its arguments itself.
std::string Expected(const ConsoleCommand& command)
{
    if (command.grammar.empty())
        return "expected the arguments it takes";
    std::string text;
    for (const std::string& part : command.grammar)
        text += (text.empty() ? "" : " ") + part;
    return "expected " + text;
}

// What a run says of its lines; a quiet one says nothing.
struct Say {
    bool quiet;
    void Problem(const std::string& text) const
    {
        if (!quiet)
            platform::ReportProblem(text);
    }
    void Debug(const std::string& text) const
    {
        if (!quiet)
            platform::DebugOutput(text);
    }
};

} // namespace

bool Game::RunCommandFile(std::istream& stream, const std::string& fileName, CommandFileReport report)
{
    std::string line;
    int lineNumber = 0;
    // A quiet run still runs every line: only what it would say is dropped.
    const bool quiet = report == CommandFileReport::kNothing;
    const Say say {quiet};
    while (!stream.eof()) {
        const LineRead read = ReadCommandLine(stream, line);
        if (read == LineRead::End)
            break;
        ++lineNumber;
        const std::string where = fileName + ":" + std::to_string(lineNumber) + ": ";
        if (read == LineRead::ReadError) {
            say.Problem(where + "expected a command line, found " + std::string(kFoundReadError)
                + "; the rest of the file is not run\n");
            break;
        }
        if (read == LineRead::TooLong) {
            say.Debug(where + "expected a command line of at most " + std::to_string(kMaxCommandLine)
                + " characters, found a longer one\n");
            continue;
        }
        if (!IsText(line)) {
            say.Debug(where + "expected a command line, found binary data\n");
            continue;
        }
        // Empty lines, comments and lines that begin with a blank run nothing.
        if (line.empty() || line[0] == ' ' || line.rfind("//", 0) == 0)
            continue;
        const std::string word = line.substr(0, line.find(' '));
        RunReportedCommand(
            line, where, quiet || (report == CommandFileReport::kNotTheUserPath && word == "setuserpath"));
    }
    return true;
}

bool Game::RunReportedCommand(const std::string& line, const std::string& where, bool quiet)
{
    const Say say {quiet};
    const size_t blank = line.find(' ');
    const std::string word = line.substr(0, blank);
    const ConsoleCommand* command = console.FindCommand(word);
    if (command == nullptr) {
        say.Debug(where + "expected a command, found \"" + word + "\"\n");
        return false;
    }
    const std::string arguments = blank == std::string::npos ? std::string() : line.substr(blank + 1);
    if (const std::string refused = RefusedArguments(*command, arguments); !refused.empty()) {
        say.Problem(where + "\"" + word + "\" " + refused + "\n");
        return false;
    }
    // The handler's own reason, named with the place of the line; else the
    // command's grammar. A debug switch's false is no failure.
    const CommandRefusal refusal;
    const bool done = console.ExecuteCommand(line) || refusal.Done();
    if (!refusal.Reason().empty())
        say.Problem(where + "\"" + word + "\" " + refusal.Reason() + "\n");
    else if (!refusal.Note().empty())
        say.Problem(where + "\"" + word + "\" " + refusal.Note() + "\n");
    else if (!done)
        say.Debug(where + "\"" + word + "\" " + Expected(*command) + ", found \"" + arguments + "\"\n");
    return done && refusal.Reason().empty();
}
