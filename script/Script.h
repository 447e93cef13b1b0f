#pragma once

#include "engine/app/ConsoleCommand.h"
#include "script/BackgroundEvent.h"

#include <string>
#include <utility>
#include <vector>

class GraphicalObject;
template <class T, class C> class SpacialInstance;

// A script: named lines of commands, run as a background event, and the
// script runner's command table. The level keeps its start-up script's text;
// running the commands belongs to the script runner, so Start and Run here
// only remember the owner and label.
class Script : public BackgroundEvent {
public:
    Script()
        : BackgroundEvent("")
    {
    }
    explicit Script(std::string name_)
        : BackgroundEvent(std::move(name_))
    {
    }

    // The script runner's type name among the background events.
    std::string GetTypeName() const override { return "ScriptEvent"; }

    // Lower-cases the name and appends the record; checks nothing.
    static void RegisterCommand(std::string name, ConsoleHandler handler, std::string help,
        std::vector<std::string> grammar, std::vector<std::string> defaults);
    static const std::vector<ConsoleCommand>& GetCommands();
    // Empties the table (the game object that registered the commands goes).
    static void ClearCommands();

    // The text as one string: every ";" and every line break starts a line.
    void SetText(const std::string& text)
    {
        lines.clear();
        std::string line;
        for (char c : text) {
            if (c == ';' || c == '\n') {
                lines.push_back(line);
                line.clear();
            } else if (c != '\r') {
                line += c;
            }
        }
        if (!line.empty() || !lines.empty())
            lines.push_back(line);
    }
    // The lines joined by line breaks.
    std::string GetText() const
    {
        std::string text;
        for (size_t i = 0; i < lines.size(); ++i) {
            if (i != 0)
                text += '\n';
            text += lines[i];
        }
        return text;
    }
    const std::vector<std::string>& GetLines() const { return lines; }

    // Starts at the label, on behalf of the placed instance that owns the run.
    void Start(const std::string& label, SpacialInstance<GraphicalObject, float>* owner_)
    {
        startLabel = label;
        owner = owner_;
        started = true;
    }
    SpacialInstance<GraphicalObject, float>* GetOwner() const { return owner; }

private:
    std::vector<std::string> lines;
    std::string startLabel;
    SpacialInstance<GraphicalObject, float>* owner = nullptr;
};

// Registers the 52 script commands in their fixed order.
void RegisterScriptCommands();
