#pragma once

#include "scene/LevelScript.h"
#include "script/BackgroundEvent.h"
#include "script/ScriptCommand.h"
#include "script/ScriptVar.h"

#include <memory>
#include <string>
#include <vector>

class GraphicalObject;
template <class T, class C> class SpacialInstance;

// A small command program attached to a level (its start-up script) or to a
// script trigger. It is a background event: each frame it executes its lines
// through the script command table until a line asks to wait for the event
// it queued, or the text ends. Labelled sections pick what one start runs;
// "(" and ")" open and close blocks ruled by the results that IfVar and Else
// push.
class Script : public LevelScript {
public:
    explicit Script(std::string name);
    // Hands every event still tracked back to the level (auto-delete set).
    ~Script() override;

    void Run() override;
    std::string GetTypeName() const override { return "ScriptEvent"; }

    // Resets the run state and selects the section of the label.
    void Start(const std::string& label);
    // The same, on behalf of the placed instance that owns the run (a
    // trigger's instance, or the level's own for its start-up script).
    void Start(const std::string& label, Instance* owner) override
    {
        ownerInstance = owner;
        Start(label);
    }
    using BackgroundEvent::Start;

    // Executes one line (the section, skip and wait rules applied) and
    // returns whether it succeeded.
    bool ExecuteLine(int index);
    // What a command found wrong with the line it runs ("expected ...,
    // found ..."): the script error of that line then says it.
    void SetLineError(std::string error) { lineError = std::move(error); }
    // Where a line is, as errors name it: the level file, the script and, for
    // a trigger's script, the trigger, then the line number ("garden.lvl:
    // StartScriptOnEnter of trigger "urn_c01":3: ").
    std::string Where(int index) const;

    // The first local variable of the name (compared lower-cased), or null.
    ScriptVar* FindLocalVar(const std::string& varName);
    std::vector<std::unique_ptr<ScriptVar>>& GetLocalVars() { return localVars; }
    // Looks a name up as scripts do: local, then global, then save.
    ScriptVar* FindVar(const std::string& varName);

    // Conditions and blocks.
    void PushResult(bool result) { results.push_back(result); }
    void PopResult();
    const std::vector<bool>& GetResults() const { return results; }
    bool GetLastResult() const { return lastResult; }
    int GetSkipDepth() const { return skipDepth; }
    void SetSkipDepth(int depth) { skipDepth = depth; }

    // Events queued by this script's commands that a "wait" may hold for.
    // Tracking clears the event's auto-delete flag; the script sets it again
    // when it lets go.
    void TrackEvent(BackgroundEvent* event);
    const std::vector<BackgroundEvent*>& GetEvents() const { return events; }
    void RemoveFinishedEvents();
    // Lets go of every tracked event (auto-delete set again).
    void ReleaseEvents();

    Instance* GetOwnerInstance() const { return ownerInstance; }
    Instance* GetOwner() const { return ownerInstance; }
    void SetOwnerInstance(Instance* instance) { ownerInstance = instance; }

    bool IsRunning() const { return running; }
    bool IsDone() const { return done; }
    bool IsWaiting() const { return waiting; }
    int GetLineIndex() const { return lineIndex; }
    const std::string& GetStartLabel() const { return startLabel; }

    // The graphical objects named by the "SetGraphical" statements of a
    // script text, so they can be loaded before they are shown.
    static std::vector<GraphicalObject*> CollectSetGraphicalObjects(const std::string& text);

    // The script command table: filled by the game object, read by scripts.
    // Names are stored lower-cased; the look-up takes the first record of a
    // name whose handler is set.
    static void RegisterCommand(std::string name, ScriptHandler handler, std::string help,
        std::vector<std::string> grammar = {}, std::vector<std::string> defaults = {});
    static const std::vector<ScriptCommand>& GetCommands();
    static const ScriptCommand* FindCommand(const std::string& name);
    static void ClearCommands();

private:
    Instance* ownerInstance = nullptr;
    std::vector<BackgroundEvent*> events;
    std::vector<std::unique_ptr<ScriptVar>> localVars;
    std::vector<bool> results;
    int skipDepth = 0;
    bool lastResult = true;
    int lineIndex = -1;
    std::string startLabel;
    bool running = false;
    bool inSection = false;
    bool done = false;
    bool waiting = false;
    bool yield = false;
    std::string lineError;
};

// Splits a script line into its command word (lower-cased) and argument text
// (everything behind the first occurrence of the first token, which starts
// with the separating blank). Tabs count as blanks. A line without a blank,
// or without any token, is all command word.
void SplitScriptLine(const std::string& line, std::string& command, std::string& arguments);
