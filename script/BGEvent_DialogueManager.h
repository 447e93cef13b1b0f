#pragma once

#include "script/BackgroundEvent.h"
#include "script/DialogueFile.h"

#include <cstdint>
#include <string>
#include <vector>

class UI_Frame_Dialogue;

// Plays one dialogue block in the dialogue box: each line typed out one
// character per logic tick (a speaker line shows its speaker and separator at
// once), the speaker's portrait left for the player and right for others; a
// new press of attack or jump completes the line being typed, or goes on to
// the next one once it is shown. After the last line the box is hidden.
//
// The text is typed as the box lays it out, its line breaks among the
// characters, so a word being typed never moves to the next line. The box
// ticks once per character typed (sound 0) and sounds a hurried line (sound
// 1). The event keeps what the box shows (visible text, speakers, box shown)
// and fills the box's text frame and portraits with it.
class BGEvent_DialogueManager : public BackgroundEvent {
public:
    explicit BGEvent_DialogueManager(std::string name);
    // An event destroyed while its box shows (its level left in the middle
    // of a line) hides the box: nothing else would.
    ~BGEvent_DialogueManager() override;

    bool Update() override;
    void Finish() override;
    std::string GetTypeName() const override { return "BGEvent_DialogueManager"; }

    // Appends block `block` of the dialogue file to the event's lines.
    static bool LoadFromFile(BGEvent_DialogueManager* event, const std::string& fileName, int block);
    // Replaces the lines by the given texts, each split like a file line,
    // keeping those with words.
    void SetLines(const std::vector<std::string>& texts);
    // Moves the typewriter to the joined length of the current line +
    // offset, never back.
    void CompleteLine(int offset);

    const std::vector<DialogueFile::Line>& GetLines() const { return lines; }
    uint32_t GetCurrentLine() const { return currentLine; }
    uint32_t GetShownCharacters() const { return shownCharacters; }
    int GetDelay() const { return params[2]; }
    UI_Frame_Dialogue* GetDialogueFrame() const { return dialogueFrame; }
    const std::string& GetVisibleText() const { return visibleText; }
    const std::string& GetFirstSpeaker() const { return firstSpeaker; }
    const std::string& GetSecondSpeaker() const { return secondSpeaker; }
    bool IsBoxVisible() const { return boxVisible; }

    // Without a dialogue box the event waits for ever (only Stop or Finish
    // end it). With this switch on, such an event finishes on its first tick
    // instead, so a script waiting on it goes on (tests, and levels while no
    // box is shown).
    static void SetFinishWithoutBox(bool value) { FinishWithoutBoxFlag() = value; }
    static bool GetFinishWithoutBox() { return FinishWithoutBoxFlag(); }

    // Links a speaker name to a portrait: the graphical object of that name
    // goes into the dialogue box's portraits under the name as written (the
    // box looks speakers up in lower case). Nothing without the object or the
    // box, or when the box lists the name already.
    static void LinkCharacterToGraphical(const std::string& characterName, const std::string& objectName);

private:
    static bool& FinishWithoutBoxFlag()
    {
        static bool flag = false;
        return flag;
    }
    // Shows or hides the game's first UI instance, the dialogue box.
    void ShowBox(bool visible);
    // Gives the text frame the text rectangle's size and, when it has none,
    // the dialogue font: what it lays text out with.
    void PrepareTextFrame();
    // The text as the text frame lays it out: each of its lines followed by
    // a line break.
    std::string LaidOut(const std::string& text);
    // Gives the text frame the line shown (white, the speaker's name and
    // colon in grey), then the box the two speakers.
    void FillBox(const std::string& text, int32_t greyPrefix);
    // A new press of attack or jump on this frame.
    static bool AdvanceRequested();

    std::vector<DialogueFile::Line> lines;
    uint32_t currentLine = 0;
    uint32_t shownCharacters = 0;
    UI_Frame_Dialogue* dialogueFrame = nullptr;
    std::string visibleText;
    std::string firstSpeaker;
    std::string secondSpeaker;
    bool boxVisible = false;
};
