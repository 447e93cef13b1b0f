#include "ui/UI_Frame_Dialogue.h"

#include "engine/app/ProfileTimer.h"
#include "ui/UIGameAccess.h"
#include "ui/UITuning.h"
#include "ui/UI_Font.h"

#include <utility>

namespace {

constexpr const char* kFontName = "UI_Font_Basic";
constexpr const char* kProfileLabel = "UI_Frame_Dialogue::Render";

void ProfileSection()
{
    if (UIGameAccess* game = GetUIGameAccess())
        TimeSection(game->GetProfileTimers(), kProfileLabel, true);
}

UI_Font* DialogueFont()
{
    UIGameAccess* game = GetUIGameAccess();
    return game != nullptr ? game->FindFont(kFontName) : nullptr;
}

} // namespace

UI_Frame_Dialogue::UI_Frame_Dialogue(std::string name)
    : UI_Frame(std::move(name))
    , textFrame(std::make_unique<UI_Frame_Text>("Dialogue"))
{
    typeName = TypeNames::UI_Frame_Dialogue;
    textFrame->SetFont(DialogueFont());
    DeclareSound("Menu_Dialogue");
    DeclareSound("Menu_Dialogue_Quick");
    LoadSounds();
}

UI_Frame_Dialogue::~UI_Frame_Dialogue() = default;

std::array<int, 4> UI_Frame_Dialogue::GetTextFrameRect()
{
    const int32_t* rect = UITuning::Current().dialogueTextFrame;
    return {rect[0], rect[1], rect[2], rect[3]};
}

void UI_Frame_Dialogue::SetFirstSpeaker(const std::string& speaker)
{
    SetSpeaker(speaker, firstSpeaker, firstPortrait);
}

void UI_Frame_Dialogue::SetSecondSpeaker(const std::string& speaker)
{
    SetSpeaker(speaker, secondSpeaker, secondPortrait);
}

void UI_Frame_Dialogue::SetSpeaker(
    const std::string& speaker, std::string& current, GraphicalObject*& portrait)
{
    if (speaker == current)
        return;
    current = speaker;
    portrait = nullptr;
    const std::vector<std::string>& names = GetLinkedNames();
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i] == speaker) {
            portrait = GetLinkedObjects()[i];
            break;
        }
    }
}

bool UI_Frame_Dialogue::Render(GraphicalEffect* effect, int x, int y, int p5, int p6, float rotation)
{
    if (!UI_Frame::Render(effect, x, y, p5, p6, rotation))
        return false;
    bool ok = true;
    if (firstPortrait != nullptr) {
        const Point<int> at = Point<int>(x, y) + UITuning::Current().dialoguePortrait1;
        ok = DrawElement(firstPortrait, effect, at.x, at.y);
    }
    if (secondPortrait != nullptr) {
        const Point<int> at = Point<int>(x, y) + UITuning::Current().dialoguePortrait2;
        ok = ok && DrawElement(secondPortrait, effect, at.x, at.y);
    }
    if (textFrame) {
        ProfileSection();
        const std::array<int, 4> rect = GetTextFrameRect();
        ok = ok && textFrame->Render(effect, x + rect[0], y + rect[1], 0, 0, 0.0f);
        ProfileSection();
    }
    return ok;
}
