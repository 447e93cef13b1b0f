#include "script/DialogueFile.h"

#include "engine/app/SplitCommandLine.h"
#include "engine/config/GameConfig.h"
#include "engine/config/GamePaths.h"
#include "engine/platform/DebugOutput.h"
#include "engine/platform/Paths.h"
#include "engine/serial/ReaderContext.h"
#include "script/ScriptGameAccess.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

DialogueFile::Line DialogueFile::SplitLine(const std::string& text)
{
    Line words = SplitCommandLine(text);
    std::erase_if(words, [](const std::string& word) { return word.find("//") != std::string::npos; });
    return words;
}

bool DialogueFile::LacksClosingQuote(const std::string& text)
{
    // The same walk as SplitCommandLine: a quoted word starts at a quote
    // that begins a word, and "//" in a plain word ends the line.
    size_t start = 0;
    while (start < text.size()) {
        if (text[start] == '"') {
            const size_t close = text.find('"', start + 1);
            if (close == std::string::npos)
                return true;
            start = close + 2;
            continue;
        }
        const size_t blank = text.find(' ', start);
        const size_t end = blank == std::string::npos ? text.size() : blank;
        if (text.substr(start, end - start).find("//") != std::string::npos)
            return false;
        start = end + 1;
    }
    return false;
}

namespace {

enum class LineRead { kLine, kEnd, kTooLong, kReadError };

// One line of at most `limit` characters (its end of line not counted); a
// longer one is not kept whole, so a file of any size costs little memory.
LineRead ReadBoundedLine(std::istream& is, std::string& text, size_t limit)
{
    text.clear();
    std::istream::sentry ready(is, true);
    if (!ready)
        return LineRead::kEnd;
    std::streambuf* buffer = is.rdbuf();
    for (;;) {
        int c = 0;
        // A file stream's buffer throws when the system fails a read: the
        // file ends there, refused.
        try {
            c = buffer->sbumpc();
        } catch (...) {
            return LineRead::kReadError;
        }
        if (c == std::char_traits<char>::eof()) {
            is.setstate(std::ios::eofbit);
            return text.empty() ? LineRead::kEnd : LineRead::kLine;
        }
        if (c == '\n')
            return LineRead::kLine;
        // A carriage return may end the line as well (the "\r\n" of the
        // files written on Windows).
        if (text.size() == limit + 1 || (text.size() == limit && c != '\r'))
            return LineRead::kTooLong;
        text.push_back(static_cast<char>(c));
    }
}

} // namespace

bool DialogueFile::ReadBlock(std::istream& is, int block, std::vector<Line>& lines)
{
    ReaderContext* context = ReaderContext::Of(is);
    std::vector<Line> read;
    size_t blockLines = 0;
    bool atSeparator = true;
    // A negative block reads as block 0 (stops at its first separator);
    // counted from 0, the count never goes below -1.
    int remaining = std::max(block, 0);
    std::string text;
    for (LineRead got; (got = ReadBoundedLine(is, text, kMaxLineLength)) != LineRead::kEnd;) {
        if (context != nullptr)
            context->LineTaken(false);
        if (got == LineRead::kReadError)
            return ReadError(is, "a dialogue line", kFoundReadError);
        if (got == LineRead::kTooLong)
            return ReadError(is,
                "a dialogue line of at most " + std::to_string(kMaxLineLength) + " characters",
                "a longer one");
        if (!text.empty() && text.back() == '\r')
            text.pop_back();
        // A quoted text left open runs to the end of the line: it is kept,
        // and the damage said at its line when the line is shown.
        const bool unclosed = LacksClosingQuote(text);
        if (unclosed)
            text += '"';
        Line words = SplitLine(text);
        if (words.empty()) {
            if (!atSeparator && --remaining < 0)
                break;
            atSeparator = true;
            continue;
        }
        if (remaining <= 0) {
            if (unclosed)
                platform::ReportProblem(ReaderContext::WhereOf(is) + "expected a closing quote, found "
                    + QuoteFound(text.substr(0, text.size() - 1)) + "; the text runs to the end of the line");
            if (++blockLines > kMaxBlockLines)
                return ReadError(is,
                    "a dialogue block of at most " + std::to_string(kMaxBlockLines) + " lines",
                    "a longer one");
            read.push_back(std::move(words));
        }
        atSeparator = false;
    }
    if (read.empty()) {
        if (context != nullptr && is.eof())
            context->LineTaken(true);
        return ReadError(is, "dialogue block " + std::to_string(block), kFoundEnd);
    }
    for (Line& line : read)
        lines.push_back(std::move(line));
    return true;
}

std::string DialogueFile::PathFor(const std::string& fileName)
{
    std::string language = "eng";
    ScriptGameAccess* game = GetScriptGameAccess();
    if (game != nullptr && game->GetConfig() != nullptr)
        language = game->GetConfig()->GetLanguage();
    // The language becomes part of the path: only a known one is taken.
    if (!GameConfig::IsKnownLanguage(language))
        language = "eng";
    return GetDialogPath() + "dialogues_" + language + "/" + fileName;
}

bool DialogueFile::LoadBlock(
    const std::string& fileName, int block, std::vector<Line>& lines, std::string* error)
{
    // A level's script, perhaps made by someone else, names no file outside
    // the dialogue folder: refused unopened.
    if (!platform::IsNameInsideFolder(fileName)) {
        const std::string refused = fileName.empty() ? std::string("the dialogue name is empty")
                                                     : "the dialogue name \"" + fileName
                + "\" is refused: a dialogue named by a script is a file of the dialogue folder";
        platform::ReportProblem("Dialogue: " + refused + "\n");
        if (error != nullptr)
            *error = refused;
        return false;
    }
    const std::string path = PathFor(fileName);
    const std::string resolved = platform::ResolvePath(path);
    std::ifstream file = platform::OpenRegularFile(resolved, std::ios::binary);
    ReaderContext context(file, path);
    if (!file) {
        // "." or a folder's name is there, but is no file.
        std::error_code error;
        const std::string reason = platform::OpenFailureReason(resolved);
        context.RecordError("a dialogue file",
            std::filesystem::is_directory(resolved, error) ? "a folder"
                : platform::IsNonRegularFile(resolved)     ? "something that is not a regular file"
                : reason.empty()                           ? "no such file"
                                                           : reason);
    } else if (ReadBlock(file, block, lines)) {
        return true;
    }
    context.Report();
    if (error != nullptr)
        *error = context.GetError();
    return false;
}
