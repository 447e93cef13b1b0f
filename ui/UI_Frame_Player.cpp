#include "ui/UI_Frame_Player.h"
#include "engine/app/UsageObserver.h"

#include "characters/Player.h"
#include "characters/PlayerArmorControl.h"
#include "characters/PlayerModifier.h"
#include "engine/render/DXRenderEngine.h"
#include "engine/render/ShaderEffect_TimeDependent.h"
#include "scene/InstanceEffectScope.h"
#include "scene/MapModel.h"
#include "ui/UIGameAccess.h"
#include "ui/UITuning.h"

#include <utility>

namespace {

// The minimap's cells are 10 pixels; its grid is 51 x 44 cells.
constexpr int kMapCell = 10;
constexpr uint32_t kMapColumns = 51;
constexpr uint32_t kMapRows = 44;
constexpr float kLifeFadeDuration = 60.0f;
constexpr int kMessageCentreX = 256;
constexpr int kMessageY = 400;

// Half of a size, truncated toward zero.
int Half(int value)
{
    return value / 2;
}

// A row of lanterns or slots is drawn within the frame's band: it ends at
// the first one that lies wholly outside the frame, and after kMaxRowSymbols
// whatever the tuning's step (a step of 0 puts them all in one place).
constexpr int kMaxRowSymbols = 64;

bool InBand(int at, int symbolWidth, int left, int bandWidth)
{
    return at + symbolWidth > left && at < left + bandWidth;
}

} // namespace

UI_Frame_Player::UI_Frame_Player(std::string name)
    : UI_Frame(std::move(name))
{
    typeName = TypeNames::UI_Frame_Player;
}

UI_Frame_Player::~UI_Frame_Player() = default;

void UI_Frame_Player::Init()
{
    UI_Frame::Init();
    UIGameAccess* game = GetUIGameAccess();
    if (game == nullptr)
        return;
    lifeEmpty = game->FindGraphicalObject("UI_Player_Life_Empty", false);
    lifeHalf = game->FindGraphicalObject("UI_Player_Life_Middle", false);
    lifeFull = game->FindGraphicalObject("UI_Player_Life_Full", false);
    minimapForeground = game->FindGraphicalObject("UI_Player_MinimapForeground", false);
    boltCounter.reset(game->FindGraphicalObject("UI_Player_ScythesBackground", true));
    power = game->FindGraphicalObject("UI_Player_Power", false);
    saveMessage = game->FindGraphicalObject("UI_Player_SaveMessage", false);
    teleportMessage = game->FindGraphicalObject("UI_Player_TeleportMessage", false);
    // At their last frame and stopped there: a banner still playing its
    // last frame would count as shown.
    if (saveMessage != nullptr && teleportMessage != nullptr) {
        for (GraphicalObject* message : {saveMessage, teleportMessage}) {
            message->SetAnimationProgress(1.0f);
            message->StopAnimations();
        }
    }
}

void UI_Frame_Player::ShowTeleportMessage()
{
    if (teleportMessage != nullptr)
        teleportMessage->RestartAnimations(true);
}

void UI_Frame_Player::ShowSaveMessage()
{
    if (saveMessage != nullptr)
        saveMessage->RestartAnimations(true);
}

bool UI_Frame_Player::Render(GraphicalEffect* effect, int x, int y, int p5, int p6, float rotation)
{
    UIGameAccess* game = GetUIGameAccess();
    if (!UI_Frame::Render(effect, x, y, p5, p6, rotation) || game == nullptr || game->GetPlayer() == nullptr)
        return false;
    if (!lifeFade) {
        auto* engine = dynamic_cast<DXRenderEngine*>(g_RenderEngine);
        if (ShaderRes* shader = engine != nullptr ? engine->FindShaderRes("fullFX_FadeAlphaLoop") : nullptr)
            lifeFade = std::make_unique<ShaderEffect_TimeDependent>(
                shader, kLifeFadeDuration, false, true, true, true);
    }
    bool ok = true;
    DrawHearts(effect, x, y, ok);
    DrawMinimap(effect, x, y, ok);

    Player* player = game->GetPlayer();
    PlayerArmorCrossbow* crossbow = PlayerArmorControl::GetCrossbow(*player);
    if (boltCounter && crossbow != nullptr && crossbow->IsEnabled() && ok) {
        const Point<int> size = boltCounter->GetSize();
        boltCounter->SetAnimationFrame(crossbow->boltsLeft);
        ok = DrawElement(boltCounter.get(), effect,
            x + (UITuning::Current().playerScytheCenterXPos - Half(size.x)), y + Half(GetSize().y - size.y));
    }
    DrawPowers(effect, x, y, ok);
    DrawMessages(effect, x, y, ok);

    GraphicalObject* cinematic = game->GetCinematicObject();
    if (game->GetPickupCinematicKind() == 4 && cinematic != nullptr && ok)
        ok = DrawElement(cinematic, effect, game->GetCinematicPosition().x, game->GetCinematicPosition().y);
    return ok;
}

bool UI_Frame_Player::DrawHearts(GraphicalEffect* effect, int x, int y, bool& ok)
{
    if (lifeEmpty == nullptr || lifeHalf == nullptr || lifeFull == nullptr)
        return false;
    UIGameAccess* game = GetUIGameAccess();
    const Player* player = game->GetPlayer();
    const int life = player->GetLife();
    const int maxLife = player->GetMaxLife();
    int hx = x + UITuning::Current().playerLifesXPos;
    const int hy = y + Half(GetSize().y - lifeFull->GetSize().y);
    if (life == 2)
        SetUIDrawColour(kLowLifeColour);
    if (life == 1) {
        SetUIDrawColour(kLastLifeColour);
        NoteUse("effect", "fullFX_FadeAlphaLoop");
        if (lifeFade) {
            if (game->IsFixedStepTick())
                lifeFade->Advance(1.0f);
            g_RenderEngine->SetEffect(lifeFade.get());
        }
    }
    const int heartWidth = lifeFull->GetSize().x;
    for (int i = 1, drawn = 0;
         i < maxLife && drawn < kMaxRowSymbols && InBand(hx, heartWidth, x, GetSize().x); i += 2, ++drawn) {
        GraphicalObject* heart = i > life ? lifeEmpty : i == life ? lifeHalf : lifeFull;
        if (ok)
            ok = DrawElement(heart, g_RenderEngine != nullptr ? g_RenderEngine->GetEffect() : effect, hx, hy);
        hx -= UITuning::Current().playerLifesXDelta;
    }
    if (g_RenderEngine != nullptr)
        g_RenderEngine->SetEffect(nullptr);
    SetUIDrawColour(0xFFFFFFFFu);
    return true;
}

void UI_Frame_Player::DrawMinimap(GraphicalEffect* effect, int x, int y, bool& ok)
{
    UIGameAccess* game = GetUIGameAccess();
    if (minimapForeground == nullptr || !game->GetPlayer()->minimapEnabled)
        return;
    const Point<int> size = minimapForeground->GetSize();
    const int mx = x + (UITuning::Current().playerMinimapCenterXPos - Half(size.x));
    const int my = y + Half(GetSize().y - size.y);
    const MapModel* model = game->GetMinimapModel();
    if (model != nullptr && ok) {
        const Point<int> cell = model->GetCurrentLocation();
        if (uint32_t(cell.x) < kMapColumns && uint32_t(cell.y) < kMapRows) {
            const Point<int> scroll(
                -(kMapCell * cell.x + (5 - Half(size.x))), -(kMapCell * cell.y + (5 - Half(size.y))));
            InstanceEffectScope scope(effect);
            game->DrawMinimapMap(Point<int>(mx, my), scroll, size);
        }
    }
    if (ok)
        ok = DrawElement(minimapForeground, effect, mx, my);
}

void UI_Frame_Player::DrawPowers(GraphicalEffect* effect, int x, int y, bool& ok)
{
    if (power == nullptr)
        return;
    UIGameAccess* game = GetUIGameAccess();
    const PlayerArmorState& state = game->GetPlayer()->GetArmorState();
    const Point<int> size = power->GetSize();
    int px = x + UITuning::Current().playerPowersXPos;
    const int py = y + Half(GetSize().y - size.y);
    for (int k = 0; k < state.armorChargesMax && k < kMaxRowSymbols && InBand(px, size.x, x, GetSize().x);
         ++k) {
        float progress = 0.0f;
        if (k < state.armorCharges)
            progress = 1.0f;
        else if (k == state.armorCharges && state.armorRechargePeriod != 0)
            progress = float(state.armorRechargeCounter) / float(state.armorRechargePeriod);
        power->SetAnimationProgress(progress);
        if (ok)
            ok = DrawElement(power, effect, px, py);
        GraphicalObject* shown = game->GetCinematicObject();
        if (game->GetPickupCinematicKind() == 5 && shown != nullptr && k == state.armorChargesMax - 1 && ok) {
            const Point<int> own = shown->GetSize();
            ok = DrawElement(shown, effect, px + Half(size.x) - Half(own.x), py + Half(size.y) - Half(own.y));
        }
        px += UITuning::Current().playerPowersXDelta;
    }
}

void UI_Frame_Player::DrawMessages(GraphicalEffect* effect, int x, int y, bool& ok)
{
    if (saveMessage == nullptr || teleportMessage == nullptr)
        return;
    const int mx = x - int(float(Half(saveMessage->GetSize().x)) - float(kMessageCentreX));
    const int my = y + kMessageY;
    if (!saveMessage->IsAnimationFinished() && ok)
        ok = DrawElement(saveMessage, effect, mx, my);
    if (!teleportMessage->IsAnimationFinished() && ok)
        ok = DrawElement(teleportMessage, effect, mx, my);
}
