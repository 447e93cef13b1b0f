#include "engine/app/DevConsoleEditor.h"

#include "engine/app/DevConsole.h"
#include "engine/app/GlobalTimer.h"
#include "engine/input/DXInputManager.h"
#include "engine/serial/Point.h"

namespace {

// PC set-1 codes of the editing keys.
constexpr uint32_t kHome = 199;
constexpr uint32_t kUp = 200;
constexpr uint32_t kLeft = 203;
constexpr uint32_t kRight = 205;
constexpr uint32_t kEnd = 207;
constexpr uint32_t kDelete = 211;

bool IsContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Start of the character before offset, and end of the one at offset.
size_t PreviousBoundary(const std::string& text, size_t offset)
{
    if (offset == 0)
        return 0;
    --offset;
    while (offset > 0 && IsContinuationByte(text[offset]))
        --offset;
    return offset;
}

size_t NextBoundary(const std::string& text, size_t offset)
{
    if (offset >= text.size())
        return text.size();
    ++offset;
    while (offset < text.size() && IsContinuationByte(text[offset]))
        ++offset;
    return offset;
}

// Inserts at the cursor what fits below the line's limit, cut on a
// character boundary.
void InsertAtCursor(DevConsole& console, const std::string& text)
{
    const size_t room
        = DevConsoleEditor::kMaxLine - std::min(console.line.size(), DevConsoleEditor::kMaxLine);
    size_t length = std::min(text.size(), room);
    while (length > 0 && length < text.size() && IsContinuationByte(text[length]))
        --length;
    console.cursor = std::min(console.cursor, console.line.size());
    console.line.insert(console.cursor, text, 0, length);
    console.cursor += length;
}

void SetLine(DevConsole& console, std::string line)
{
    console.line = std::move(line);
    console.cursor = console.line.size();
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
                SetLine(console, std::string());
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
    console.cursor = std::min(console.cursor, console.line.size());
    const std::string text = input.CaptureTypedText();
    if (text == "copy") {
        // The render thread took the clipboard's first line on Ctrl+V.
        const std::string pasted = input.TakePastedText();
        if (!pasted.empty())
            InsertAtCursor(console, pasted);
        return;
    }
    // The held-key words belong to the player's debug input, not the line.
    const bool word = text == "last" || text == "DOWN" || text == "LEFT" || text == "RIGHT" || text == "UP"
        || text == "SPACEBAR";
    if (!text.empty() && !word)
        InsertAtCursor(console, text);

    if (input.WasKeyPressed(kLeft))
        console.cursor = PreviousBoundary(console.line, console.cursor);
    if (input.WasKeyPressed(kRight))
        console.cursor = NextBoundary(console.line, console.cursor);
    if (input.WasKeyPressed(kHome))
        console.cursor = 0;
    if (input.WasKeyPressed(kEnd))
        console.cursor = console.line.size();

    const InputActions pressed = input.GetPressedActions();
    if (fixedStepTick && pressed.RawBackspace && !console.line.empty() && console.cursor > 0) {
        const size_t start = PreviousBoundary(console.line, console.cursor);
        console.line.erase(start, console.cursor - start);
        console.cursor = start;
    }
    if (pressed.RawBackspace && input.IsCtrlHeld())
        SetLine(console, std::string());
    if (input.WasKeyPressed(kDelete) && console.cursor < console.line.size())
        console.line.erase(console.cursor, NextBoundary(console.line, console.cursor) - console.cursor);
    if (text == "last" || input.WasKeyPressed(kUp))
        SetLine(console, lastLine);
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
