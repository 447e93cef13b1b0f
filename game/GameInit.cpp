#include "game/Game.h"

#include "engine/render/GE_Fade.h"
#include "engine/render/IRenderEngine.h"
#include "engine/render/RenderPoolManager.h"
#include "scene/GraphicalObject.h"
#include "scene/SceneObject.h"
#include "scene/SpacialInstance.h"
#include "ui/UI_Font.h"
#include "ui/UI_Frame_Text.h"

#include <array>

namespace {

using FrameInstance = SpacialInstance<GraphicalObject, float>;

// Library objects whose images are loaded before the first frame: their
// category holds one of these (the last two open-ended, so "(Player)" and
// "(Minimap)" match).
constexpr std::array<const char*, 6> kPreloadCategories
    = {"(Effect)", "(PickupItem)", "(UI)", "(chunks)", "(Player", "(Minimap"};

bool IsPreloaded(const SceneObject& object)
{
    const std::string category = object.GetCategory();
    for (const char* text : kPreloadCategories)
        if (category.find(text) != std::string::npos)
            return true;
    return false;
}

} // namespace

void Game::InitAllSceneObject()
{
    for (SceneObject* object : sceneObjects)
        if (object != nullptr)
            object->Init();
}

void Game::Init(Game* game)
{
    if (game == nullptr)
        return;
    // 1. Every graphical object by name; the first of a name stays.
    for (SceneObject* object : sceneObjects)
        if (auto* graphical = dynamic_cast<GraphicalObject*>(object))
            nameMap.emplace(graphical->GetName(), graphical);

    // 2. What the game draws by name.
    loadingScreen = FindGraphicalObject("Game_LoadingScreen_512_448", false);
    minimapTpCross = FindGraphicalObject("Minimap_TP_Cross", false);
    minimapPlayerCross = FindGraphicalObject("Minimap_Player_Cross", false);
    minimapStoryHint = FindGraphicalObject("Minimap_Story_Hint", false);
    minimapTpBackground = FindGraphicalObject("Minimap_TP_UI_BkGround", false);
    minimapTpRectAvailable = FindGraphicalObject("Minimap_TP_UI_RectAvailable", false);
    minimapTpRectSelect = FindGraphicalObject("Minimap_TP_UI_RectSelect", false);
    minimapTpRectPlayer = FindGraphicalObject("Minimap_TP_UI_RectPlayer", false);

    // 3, 4. The UI frames at fixed indices: a missing object still takes
    // its place, so the indices never shift.
    uiFrames.clear();
    for (const char* name : {"UI_Dialogue_Frame", "UI_Player_Frame", "UI_Menu_Frame"})
        uiFrames.push_back(std::make_unique<FrameInstance>(FindGraphicalObject(name, false), 0.0f, 0.0f));
    uiFrames[0]->SetVisible(false);

    // 5. The end-score frame, made here, fading in over 60 frames. Its
    // first layout is made before it has a font (one line, the text
    // whole); the ending lays its own text out again.
    auto endScore = std::make_unique<UI_Frame_Text>("UI_EndScoreZone_Frame");
    endScore->SetTextColour(0xFFFFFFFFu);
    endScore->SetText("DISCOVERED : 100% / TIME : 99:99");
    endScore->WrapLine(endScore->GetText());
    UI_Frame_Text* endScoreText = endScore.get();
    endScoreFrame = std::move(endScore);
    uiFrames.push_back(std::make_unique<FrameInstance>(endScoreFrame.get(), 40.0f, 250.0f));
    uiFrames[3]->SetVisible(false);
    endScoreFade = std::make_unique<GE_Fade>(60, true);
    uiFrames[3]->SetEffect(endScoreFade.get());
    endScoreText->SetFont(FindFont("UI_Font_Basic", this));
    if (UI_Font* font = endScoreText->GetFont())
        endScoreText->SetSize(448, font->GetSpacing().y, true);

    // The two sliding screens the frame update opens and closes.
    overlayObject = std::make_unique<OverlayObject>();
    endingOverlay = std::make_unique<OverlayObject>();

    // 6, 7. The user's settings, and the title menu.
    // Quietly: the render thread's read at start-up, before the window was
    // made, said what is wrong with the file.
    config.LoadUserConfig(true);
    displayScaleMode = config.GetScaleMode();
    linearFilter = config.GetScaleFilter() != 0;
    ShowMenuUI();

    // 8, 9. Images needed before the first frame: queued for the render
    // thread's image pass when it records, loaded at once otherwise.
    for (SceneObject* object : sceneObjects) {
        auto* graphical = dynamic_cast<GraphicalObject*>(object);
        if (graphical != nullptr && IsPreloaded(*graphical))
            GraphicalObject::LoadImages(graphical, false);
    }
    if (renderEngine != nullptr)
        if (RenderPoolManager* pool = renderEngine->GetRenderPool())
            pool->RequestLoadImages(nullptr, true);
}
