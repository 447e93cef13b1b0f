#pragma once

#include "engine/serial/TypeNames.h"
#include "ui/UI_Frame.h"
#include "ui/UI_Frame_Text.h"

#include <array>
#include <memory>
#include <string>

// The cut-scene dialogue box: its own graphics, up to two speaker portraits
// and a text frame. The dialogue manager links speaker names to portraits,
// chooses the two speakers and fills the text frame; the box draws them at
// the program-wide offsets of "setuipos" and "setuirect".
class UI_Frame_Dialogue : public UI_Frame {
public:
    explicit UI_Frame_Dialogue(std::string name);
    ~UI_Frame_Dialogue() override;

    static std::string VersionedClassName() { return "UI_Frame_DialogueV0"; }

    // The box, then the first portrait, the second and the text; false at
    // the first draw that fails, and nothing drawn after it.
    bool Render(GraphicalEffect* effect, int x, int y, int p5, int p6, float rotation) override;

    // A new name finds its portrait among the links (none when unlinked);
    // the same name again keeps the portrait found before.
    void SetFirstSpeaker(const std::string& speaker);
    void SetSecondSpeaker(const std::string& speaker);
    const std::string& GetFirstSpeaker() const { return firstSpeaker; }
    const std::string& GetSecondSpeaker() const { return secondSpeaker; }
    GraphicalObject* GetFirstPortrait() const { return firstPortrait; }
    GraphicalObject* GetSecondPortrait() const { return secondPortrait; }

    UI_Frame_Text* GetTextFrame() const { return textFrame.get(); }
    // (x, y, w, h) of the text rectangle shared by every box ("setuirect"
    // "dialogue_text_frame"), relative to the box's drawing position.
    static std::array<int, 4> GetTextFrameRect();

private:
    void SetSpeaker(const std::string& speaker, std::string& current, GraphicalObject*& portrait);

    std::unique_ptr<UI_Frame_Text> textFrame;
    std::string firstSpeaker;
    std::string secondSpeaker;
    GraphicalObject* firstPortrait = nullptr; // linked objects; not owned
    GraphicalObject* secondPortrait = nullptr;
};
