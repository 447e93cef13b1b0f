#include "engine/app/DevConsoleEditor.h"

#include "engine/app/DevConsole.h"
#include "engine/app/GlobalTimer.h"
#include "engine/input/DXInputManager.h"
#include "engine/serial/Point.h"

namespace {

bool IsContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Appends what fits below the line's limit, cut on a character boundary.
void Append(DevConsole& console, const std::string& text)
{
    const size_t room
        = DevConsoleEditor::kMaxLine - std::min(console.line.size(), DevConsoleEditor::kMaxLine);
    size_t length = std::min(text.size(), room);
    while (length > 0 && length < text.size() && IsContinuationByte(text[length]))
        --length;
    console.line.append(text, 0, length);
}

// Removes the line's last character (all its bytes).
void EraseLast(std::string& line)
{
    size_t start = line.size() - 1;
    while (start > 0 && IsContinuationByte(line[start]))
        --start;
    line.erase(start);
}

// Where a finished line goes: the console's command executor.
void ExecuteConsoleLine(DevConsole& console, const std::string& line)
{
    console.ExecuteCommand(line);
}

} // namespace

DevConsoleEditor::DevConsoleEditor() = default;
DevConsoleEditor::~DevConsoleEditor() = default;

void DevConsoleEditor::UpdateDevConsole(DXInputManager* input, DevConsole& console, bool fixedStepTick)
{
    if (input && fixedStepTick) {
        const bool tab = input->GetPressedActions().RawTab;
        const bool tabBefore = input->GetPreviousActions().RawTab;
        if (tab && !tabBefore) {
            if (!console.open) {
                console.open = true;
                console.line.clear();
            } else {
                console.open = false;
            }
        }
    }
    if (console.open && input)
        EditLine(*input, console, fixedStepTick);
    MeasureFrame(console, fixedStepTick);
    if (fixedStepTick)
        ReportSections(console);
    UpdateCountdowns(console, console.frameTime, fixedStepTick);
}

void DevConsoleEditor::EditLine(DXInputManager& input, DevConsole& console, bool fixedStepTick)
{
    const std::string text = input.CaptureTypedText();
    if (text == "copy") {
        // The render thread took the clipboard's first line on Ctrl+V.
        const std::string pasted = input.TakePastedText();
        if (!pasted.empty())
            Append(console, pasted);
        return;
    }
    // The held-key words belong to the player's debug input, not the line.
    const bool word = text == "last" || text == "DOWN" || text == "LEFT" || text == "RIGHT" || text == "UP"
        || text == "SPACEBAR";
    if (!text.empty() && !word)
        Append(console, text);

    const InputActions pressed = input.GetPressedActions();
    if (fixedStepTick && pressed.RawBackspace && !console.line.empty())
        EraseLast(console.line);
    if (pressed.RawBackspace && input.IsCtrlHeld())
        console.line.clear();
    if (text == "last")
        console.line = lastLine;
    if (pressed.RawEnter) {
        console.open = false;
        ExecuteConsoleLine(console, console.line);
        lastLine = console.line;
    }
}

void DevConsoleEditor::MeasureFrame(DevConsole& console, bool fixedStepTick)
{
    if (!fixedStepTick) {
        console.frameTime = lastFrameTime;
        return;
    }
    if (!frameClock)
        frameClock = std::make_unique<GlobalTimer>();
    lastFrameTime = frameClock->Update();
    console.frameTime = lastFrameTime;
}

void DevConsoleEditor::ReportSections(DevConsole& console)
{
    constexpr uint32_t kSectionColour = 0xFFC864FA;
    for (ProfileTimer& timer : console.profileTimers) {
        if (timer.IsRunning() || timer.IsReported())
            continue;
        const double elapsed = timer.RecordSample(true);
        console.AddDebugMessage(true,
            timer.GetName() + " :   " + std::to_string(SaturateToInt(static_cast<float>(elapsed))),
            kSectionColour, 2.0);
    }
}

void DevConsoleEditor::UpdateCountdowns(DevConsole& console, double ms, bool fixedStepTick)
{
    if (!console.debug)
        return;
    for (auto it = console.messages.begin(); it != console.messages.end();) {
        if (it->remaining != -1.0) {
            if (!it->countInFrames)
                it->remaining -= ms;
            else if (fixedStepTick)
                it->remaining -= 1.0;
            if (it->remaining <= 0.0) {
                it = console.messages.erase(it);
                continue;
            }
        }
        ++it;
    }
}
