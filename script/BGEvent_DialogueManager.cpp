#include "script/BGEvent_DialogueManager.h"

#include "engine/input/AbstractInputManager.h"
#include "engine/serial/FileUtils.h"
#include "scene/GraphicalObject.h"
#include "scene/SpacialInstance.h"
#include "script/EventTick.h"
#include "script/ScriptGameAccess.h"
#include "ui/UITuning.h"
#include "ui/UI_Frame_Dialogue.h"

#include <algorithm>
#include <array>

namespace {

// The dialogue box's sounds, in the order it declares them.
constexpr int kTypingSound = 0;
constexpr int kQuickSound = 1;

} // namespace

BGEvent_DialogueManager::BGEvent_DialogueManager(std::string name_)
    : BackgroundEvent(std::move(name_))
{
    params[2] = UITuning::Current().dialogueBaseSpeed;
    if (ScriptGameAccess* game = GetScriptGameAccess())
        dialogueFrame = game->GetDialogueFrame();
}

BGEvent_DialogueManager::~BGEvent_DialogueManager()
{
    if (boxVisible && dialogueFrame != nullptr)
        ShowBox(false);
}

bool BGEvent_DialogueManager::LoadFromFile(
    BGEvent_DialogueManager* event, const std::string& fileName, int block)
{
    if (event == nullptr)
        return false;
    return DialogueFile::LoadBlock(fileName, block, event->lines);
}

void BGEvent_DialogueManager::SetLines(const std::vector<std::string>& texts)
{
    lines.clear();
    for (const std::string& text : texts) {
        DialogueFile::Line words = DialogueFile::SplitLine(text);
        if (!words.empty())
            lines.push_back(std::move(words));
    }
}

void BGEvent_DialogueManager::CompleteLine(int offset)
{
    if (currentLine >= lines.size())
        return;
    int64_t length = 0;
    for (const std::string& word : lines[currentLine])
        length += static_cast<int64_t>(word.size());
    // A line shorter than two characters does not wrap round below zero.
    // The typewriter only moves ahead: the line breaks make the text longer
    // than its words, and a press near its end must not type it again (nor
    // presses in quick succession hold the line for ever).
    const int64_t target = std::max<int64_t>(0, length + offset);
    shownCharacters = static_cast<uint32_t>(std::max<int64_t>(shownCharacters, target));
    params[2] = 1;
}

void BGEvent_DialogueManager::LinkCharacterToGraphical(
    const std::string& characterName, const std::string& objectName)
{
    ScriptGameAccess* game = GetScriptGameAccess();
    if (game == nullptr)
        return;
    // Before the game library is loaded there is neither object nor box:
    // the settings run again once it is.
    GraphicalObject* portrait = game->FindGraphicalObject(objectName);
    UI_Frame_Dialogue* box = game->GetDialogueFrame();
    if (portrait == nullptr || box == nullptr)
        return;
    const std::vector<std::string>& listed = box->GetLinkedNames();
    if (std::find(listed.begin(), listed.end(), characterName) == listed.end())
        box->AddLink(characterName, portrait);
}

void BGEvent_DialogueManager::ShowBox(bool visible)
{
    boxVisible = visible;
    if (ScriptGameAccess* game = GetScriptGameAccess())
        game->SetDialogueFrameVisible(visible);
}

void BGEvent_DialogueManager::PrepareTextFrame()
{
    UI_Frame_Text* frame = dialogueFrame->GetTextFrame();
    const std::array<int, 4> rect = UI_Frame_Dialogue::GetTextFrameRect();
    frame->SetSize(rect[2], rect[3], true);
    ScriptGameAccess* game = GetScriptGameAccess();
    if (frame->GetFont() == nullptr && game != nullptr)
        frame->SetFont(game->FindFont("UI_Font_Basic"));
}

std::string BGEvent_DialogueManager::LaidOut(const std::string& text)
{
    // Laid out at the width it is drawn with, the very first line too.
    PrepareTextFrame();
    UI_Frame_Text* frame = dialogueFrame->GetTextFrame();
    frame->SetText(text);
    frame->Update(0.0);
    std::string laidOut;
    for (const std::string& line : frame->GetLines())
        laidOut += line + "\n";
    return laidOut;
}

void BGEvent_DialogueManager::FillBox(const std::string& text, int32_t greyPrefix)
{
    PrepareTextFrame();
    UI_Frame_Text* frame = dialogueFrame->GetTextFrame();
    frame->SetTextColour(0xFFFFFFFFu);
    frame->SetGreyPrefix(greyPrefix);
    frame->SetText(text);
    frame->Update(0.0);
    // Portrait links are lower case ("player", "keeper").
    dialogueFrame->SetFirstSpeaker(ToLowerCase(firstSpeaker));
    dialogueFrame->SetSecondSpeaker(ToLowerCase(secondSpeaker));
}

void BGEvent_DialogueManager::Finish()
{
    finished = true;
    if (dialogueFrame != nullptr)
        ShowBox(false);
}

bool BGEvent_DialogueManager::AdvanceRequested()
{
    ScriptGameAccess* game = GetScriptGameAccess();
    if (game == nullptr || game->GetInputManager() == nullptr)
        return false;
    const InputActions now = game->GetInputManager()->GetPressedActions();
    const InputActions before = game->GetInputManager()->GetPreviousActions();
    // The attack or the jump, newly pressed.
    return (now.Action3 && !before.Action3) || (now.Action1 && !before.Action1);
}

bool BGEvent_DialogueManager::Update()
{
    BackgroundEvent::Update();
    if (!IsLogicTick() || finished)
        return true;
    if (currentLine >= lines.size()) {
        finished = true;
        if (dialogueFrame != nullptr)
            ShowBox(false);
        return true;
    }
    if (dialogueFrame == nullptr) {
        if (GetFinishWithoutBox())
            finished = true;
        return true;
    }
    const DialogueFile::Line& words = lines[currentLine];
    const std::string speaker = words.size() == 3 ? words[0] : std::string();
    if (shownCharacters == 0 && words.size() == 3)
        shownCharacters = static_cast<uint32_t>(words[0].size() + words[1].size());
    std::string fullText;
    for (const std::string& word : words)
        fullText += word;
    // From here on the text carries the box's line breaks, typed as
    // characters of their own.
    if (!fullText.empty())
        fullText = LaidOut(fullText);

    ShowBox(true);
    if (ToLowerCase(speaker) == "player") {
        firstSpeaker = speaker;
        secondSpeaker.clear();
    } else {
        secondSpeaker = speaker;
        firstSpeaker.clear();
    }
    const uint32_t length = static_cast<uint32_t>(fullText.size());
    visibleText = fullText.substr(0, std::min<size_t>(fullText.size(), shownCharacters + 1u));
    const bool greySpeaker = words.size() == 3 && !words[0].empty();
    FillBox(visibleText, greySpeaker ? static_cast<int32_t>(words[0].size() + 1) : -1);

    const bool advance = AdvanceRequested();
    if (advance && shownCharacters < length) {
        CompleteLine(-2);
        dialogueFrame->PlaySoundAt(kQuickSound);
    }
    if (--params[2] <= 0) {
        shownCharacters = std::min(shownCharacters + 1u, length);
        params[2] = 1;
        if (shownCharacters < length) {
            dialogueFrame->PlaySoundAt(kTypingSound);
        } else {
            params[2] = 0;
            if (advance) {
                ++currentLine;
                shownCharacters = 0;
            }
        }
    }
    return true;
}
