#include "tools/world/CompletenessLint.h"

#include <cctype>
#include <map>
#include <regex>
#include <set>
#include <sstream>

namespace {

// The records that define a name, and what the messages call them.
const std::map<std::string, std::string>& DefiningRecords()
{
    static const std::map<std::string, std::string> records = {
        {"GraphicalObjectV0", "graphical object"},
        {"SpriteV0", "sprite"},
        {"AnimatedSpriteV0", "animation"},
        {"SoundV0", "sound"},
        {"SoundEventV0", "sound event"},
        {"LocalParticleSystemV0", "particle system"},
        {"UI_FontV0", "font"},
    };
    return records;
}

// The names the code finds by a literal, and the kind each lookup reads.
const std::vector<std::pair<std::regex, std::string>>& CodeLookups()
{
    static const std::vector<std::pair<std::regex, std::string>> lookups = {
        {std::regex(R"re(FindGraphical(?:Object)?\("([^"]+)"\s*[,)])re"), "graphical object"},
        {std::regex(R"re(FindFont\("([^"]+)"\s*[,)])re"), "font"},
        {std::regex(R"re(FindLocalParticleSystem\("([^"]+)"\s*[,)])re"), "particle system"},
    };
    return lookups;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

struct Definitions {
    std::map<std::string, std::set<std::string>> byKind;
    std::set<std::string> all;
    std::set<size_t> nameLines; // the library lines that are names being defined
};

Definitions ReadDefinitions(const std::vector<std::string>& library)
{
    Definitions defined;
    for (size_t i = 0; i + 1 < library.size(); ++i) {
        const auto record = DefiningRecords().find(library[i]);
        if (record == DefiningRecords().end())
            continue;
        defined.byKind[record->second].insert(library[i + 1]);
        defined.all.insert(library[i + 1]);
        defined.nameLines.insert(i + 1);
    }
    return defined;
}

bool WordChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '[' || c == ']';
}

// Every run of name characters, and every text between double quotes on one
// line (names with blanks, such as achievements).
void AddWords(const std::string& text, std::set<std::string>& words)
{
    size_t start = std::string::npos;
    for (size_t i = 0; i <= text.size(); ++i) {
        const bool inWord = i < text.size() && WordChar(text[i]);
        if (inWord && start == std::string::npos)
            start = i;
        else if (!inWord && start != std::string::npos) {
            words.insert(text.substr(start, i - start));
            start = std::string::npos;
        }
    }
    for (size_t open = text.find('"'); open != std::string::npos;) {
        const size_t close = text.find_first_of("\"\n", open + 1);
        if (close == std::string::npos)
            break;
        if (text[close] == '"')
            words.insert(text.substr(open + 1, close - open - 1));
        open = text.find('"', close + 1);
    }
}

// The string literals of a code file (escapes kept as written).
void AddLiterals(const std::string& code, std::set<std::string>& literals)
{
    for (size_t i = 0; i < code.size(); ++i) {
        if (code[i] != '"')
            continue;
        std::string literal;
        size_t j = i + 1;
        for (; j < code.size() && code[j] != '"' && code[j] != '\n'; ++j) {
            if (code[j] == '\\' && j + 1 < code.size())
                literal += code[j++];
            literal += code[j];
        }
        if (j < code.size() && code[j] == '"')
            literals.insert(literal);
        i = j;
    }
}

// A name the code may build: a literal, or a literal prefix and a literal
// suffix joined.
bool Composed(const std::string& name, const std::set<std::string>& literals)
{
    if (literals.contains(name))
        return true;
    for (size_t split = 1; split < name.size(); ++split)
        if (literals.contains(name.substr(0, split)) && literals.contains(name.substr(split)))
            return true;
    return false;
}

} // namespace

CompletenessReport CheckCompleteness(const WorldNameSources& sources)
{
    CompletenessReport report;
    const std::vector<std::string> library = Lines(sources.library);
    const Definitions defined = ReadDefinitions(library);
    report.defined = defined.all.size();

    // Words of the world's texts and the code use a name of any kind; a
    // library reference uses a name of its own kind only (an object and its
    // animation often share a name).
    std::set<std::string> used;
    std::map<std::string, std::set<std::string>> referenced;
    for (size_t i = 0; i + 1 < library.size(); ++i) {
        const std::string& line = library[i];
        if (line.size() <= 3 || line.compare(line.size() - 3, 3, "Ptr") != 0)
            continue;
        const std::string& name = library[i + 1];
        const auto record = DefiningRecords().find(line.substr(0, line.size() - 3));
        const std::string kind = record != DefiningRecords().end() ? record->second : line;
        referenced[kind].insert(name);
        const auto names = defined.byKind.find(kind);
        if (names == defined.byKind.end() || !names->second.contains(name))
            report.missing.push_back("gamelib.txt:" + std::to_string(i + 2) + ": " + name
                + " is used but the library has no such " + kind);
    }
    for (const NamedText& text : sources.worldTexts)
        AddWords(text.text, used);

    std::set<std::string> literals;
    for (const NamedText& file : sources.codeFiles) {
        AddLiterals(file.text, literals);
        const std::vector<std::string> lines = Lines(file.text);
        for (size_t n = 0; n < lines.size(); ++n) {
            if (lines[n].find("Find") == std::string::npos)
                continue;
            for (const auto& [lookup, kind] : CodeLookups()) {
                const std::string& line = lines[n];
                for (std::sregex_iterator it(line.begin(), line.end(), lookup), end; it != end; ++it) {
                    const std::string name = (*it)[1].str();
                    const auto names = defined.byKind.find(kind);
                    if (names == defined.byKind.end() || !names->second.contains(name))
                        report.missing.push_back(file.where + ":" + std::to_string(n + 1) + ": " + name
                            + " is used but the library has no such " + kind);
                }
            }
        }
    }

    // Graphical objects are named by the code in too many composed ways for a
    // reading of it to tell; the whole run's report counts their look-ups.
    for (const auto& [kind, names] : defined.byKind)
        for (const std::string& name : names)
            if (kind != "graphical object" && !used.contains(name) && !referenced[kind].contains(name)
                && !Composed(name, literals))
                report.unused.push_back(kind + " " + name + " is defined but nothing uses it");
    return report;
}
