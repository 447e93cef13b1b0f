#pragma once

#include <cstddef>
#include <memory>
#include <string>

class DevConsole;
class DXInputManager;
class GlobalTimer;

// The developer console's line editor, run once per frame by the main loop
// inside the frame's critical section: it opens and closes the prompt (Tab,
// which the input manager passes only in debug mode), edits the line from the
// text typed this frame (appended to the line; Backspace erases the last
// character, Ctrl+Backspace the whole line, Ctrl+V pastes, Ctrl+R recalls the
// last executed line), hands a finished line (Enter) to the console's
// executor, measures the frame time, reports the finished timed sections and
// ages the debug messages. The game's fixed-step tick flag comes as a
// parameter.
class DevConsoleEditor {
public:
    // Longest console line, in bytes; typing and pasting stop there.
    static constexpr size_t kMaxLine = 1024;

    DevConsoleEditor();
    ~DevConsoleEditor();
    DevConsoleEditor(const DevConsoleEditor&) = delete;
    DevConsoleEditor& operator=(const DevConsoleEditor&) = delete;

    // One frame of editing; input may be null (then only the frame time and
    // the messages are updated).
    void UpdateDevConsole(DXInputManager* input, DevConsole& console, bool fixedStepTick);

    // Ages the messages by ms (those counted in frames by one frame, on tick
    // passes only) and removes those whose time ran out; permanent ones
    // (-1.0) stay. Nothing happens while the console's debug flag is off.
    static void UpdateCountdowns(DevConsole& console, double ms, bool fixedStepTick);

    // The line executed last (empty before the first one).
    const std::string& GetLastLine() const { return lastLine; }

private:
    void EditLine(DXInputManager& input, DevConsole& console, bool fixedStepTick);
    void MeasureFrame(DevConsole& console, bool fixedStepTick);
    // Each finished timed section not yet reported joins its history and
    // shows as a message for two frames: label, " :   ", whole milliseconds.
    static void ReportSections(DevConsole& console);

    std::string lastLine;
    std::unique_ptr<GlobalTimer> frameClock; // created on first use
    double lastFrameTime = 0.0;
};
