#include "game/GameSaveData.h"

#include "characters/Player.h"
#include "characters/PlayerArmor.h"
#include "characters/PlayerModifier.h"
#include "engine/config/GamePaths.h"
#include "engine/platform/DebugOutput.h"
#include "engine/platform/Paths.h"
#include "engine/serial/LineReaders.h"
#include "engine/serial/ReaderContext.h"
#include "engine/serial/StrSerialize.h"
#include "engine/serial/VectorSerialize.h"
#include "game/AchievementManager.h"
#include "game/Game.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "scene/MapModel.h"
#include "scene/SceneObjectInstance.h"
#include "scene/SpacialInstance.h"
#include "script/ScriptVar.h"
#include "ui/UI_Frame_Player.h"

#include <filesystem>
#include <fstream>

// The parts of the save record that meet the running game: the slot files of
// the current slot, the capture of the game's state and the game's own save
// requests and slot summaries.

namespace {

// The player's progress: where it stands and faces, its abilities and
// armors, the crossbow, life, the armor charges and levels, the pickups'
// flags and the fireflies (the values Player::ApplySaveData takes back).
void CapturePlayerState(GameSaveData& record, const Player& player)
{
    const Point<float> position = player.GetPosition();
    record.SetPosition(position.x, position.y);
    const float dx = player.GetDirection().x;
    record.SetDirection(dx > 0.0f ? 1 : dx < 0.0f ? -1 : player.GetFacingFromAnimation());
    record.SetAttackRank(player.GetAttackRank());
    std::vector<bool> flags;
    for (int i = 0; i < player.GetModifierCount(); ++i)
        flags.push_back(player.IsModifierEnabled(i));
    record.SetModifierFlags(std::move(flags));
    const PlayerArmorState& armor = player.GetArmorState();
    record.SetCurrentArmor(armor.currentArmor);
    if (const PlayerArmorCrossbow* crossbow
        = dynamic_cast<const PlayerArmorCrossbow*>(player.GetModifier(Player::kCrossbow))) {
        record.SetCrossbowAmmo(crossbow->boltsLeft);
        record.SetCrossbowCapacity(crossbow->boltCapacity);
    } else {
        record.SetCrossbowAmmo(0);
        record.SetCrossbowCapacity(0);
    }
    record.SetMaxLife(player.GetMaxLife());
    record.SetMinimapInHud(player.minimapEnabled);
    record.SetPowerSlots(armor.armorChargesMax);
    record.SetPowerPerSlot(armor.armorRechargePeriod);
    record.SetPlayerFlag1(player.spiderDoubleJump);
    record.SetPlayerFlag2(player.itemAttraction);
    record.SetPlayerCounter(player.crossbowLevel);
    if (const auto* fire = dynamic_cast<const PlayerArmor*>(player.GetModifier(Player::kFireArmor)))
        record.SetFireArmorLevel(fire->GetLevel());
    if (const auto* ice = dynamic_cast<const PlayerArmor*>(player.GetModifier(Player::kIceArmor)))
        record.SetIceArmorLevel(ice->GetLevel());
    record.SetHasFireflies(player.secretFinder ? 1 : 0);
}

// Each layer's cell grid row by row, cell by cell: an instance filed under
// several cells saves its state once per cell (the restore hands each copy
// the same state).
void SaveLevelInstanceStates(Level& level, VectorSerialize& states)
{
    for (const int list : {Level::kBackground, Level::kScene, Level::kForeground}) {
        for (int i = 0; i < level.GetLayerCount(list); ++i) {
            const Layer* layer = level.GetLayerAt(list, i);
            if (layer == nullptr)
                continue;
            const CellGrid& grid = layer->GetCellGrid();
            const size_t rows = grid.empty() ? 0 : grid.front().size();
            for (size_t row = 0; row < rows; ++row)
                for (const auto& column : grid)
                    if (row < column.size())
                        for (auto* instance : column[row])
                            if (instance != nullptr && instance->GetPayload() != nullptr)
                                instance->GetPayload()->SaveState(&states);
        }
    }
}

// The key of a level's record: its save key when it has one, else its name.
std::string LevelRecordKey(const Level& level)
{
    return level.GetSaveKey().empty() ? level.GetName() : level.GetSaveKey();
}

bool HasMinimapModel(const Game& game)
{
    return game.minimapModel != nullptr;
}

void CaptureMinimapCells(GameSaveData& record, const Game& game)
{
    if (game.minimapModel == nullptr)
        return;
    for (int x = 0; x < GameSaveData::kColumns; ++x)
        for (int y = 0; y < GameSaveData::kRows; ++y)
            record.SetCell(x, y, game.minimapModel->GetCell(x, y));
}

// The HUD's "saved" banner shows once more ("UI_Player_SaveMessage").
void ShowSaveMessage(Game& game)
{
    if (UI_Frame_Player* hud = game.GetHud())
        hud->ShowSaveMessage();
}

bool SlotFileExists(const std::string& path)
{
    std::error_code error;
    return std::filesystem::exists(path, error);
}

size_t PlayerModifierCount(const Game& game)
{
    const Player* player = game.GetPlayer();
    return player != nullptr ? static_cast<size_t>(player->GetModifierCount()) : 0;
}

} // namespace

void GameSaveData::Reset()
{
    levelRecords.clear();
    saveVars.clear();
    modifierFlags.clear();
    position = Point<float>();
    direction = 1;
    attackRank = 1;
    playerCounter = 1;
    fireArmorLevel = 1;
    iceArmorLevel = 1;
    currentArmor = -1;
    crossbowAmmo = 0;
    crossbowCapacity = 0;
    maxLife = 4;
    powerPerSlot = 150;
    minimapInHud = false;
    playerFlag1 = false;
    playerFlag2 = false;
    powerSlots = 0;
    hasFireflies = 0;
    visitedCells.fill(0);
    teleports.clear();
    score = 0;
    playTime = 0;
    storyHint = {-1, -1};
    if (Game* game = Game::GetInstance())
        mapName = game->firstMapName;
}

std::string GameSaveData::GetSlotPath(int slot)
{
    return GetUserPath() + "Save_" + std::to_string(slot) + ".sav";
}

int GameSaveData::GetCompletionPercent() const
{
    const Game* game = Game::GetInstance();
    return CompletionPercent(score, game != nullptr ? game->maxAdvanceScore : 100);
}

void GameSaveData::CaptureLevelState(Level& level)
{
    SaveLevelInstanceStates(level, StartLevelRecord(LevelRecordKey(level)));
}

void GameSaveData::CaptureGameState(bool gridOnly)
{
    Game* game = Game::GetInstance();
    if (game == nullptr || game->GetCurrentLevel() == nullptr || game->GetPlayer() == nullptr)
        return;
    formatVersion = kFormat;
    CaptureMinimapCells(*this, *game);
    if (gridOnly)
        return;
    Level& level = *game->GetCurrentLevel();
    mapName = level.GetName();
    teleports = game->teleports;
    CapturePlayerState(*this, *game->GetPlayer());
    CaptureLevelState(level);
    saveVars.clear();
    for (const ScriptVar* variable : game->saveVars) {
        if (variable != nullptr)
            AddSaveVar(*variable);
    }
    storyHint = game->storyHintPosition;
}

bool GameSaveData::Save()
{
    Game* game = Game::GetInstance();
    if (game == nullptr || game->currentSaveSlot < 0 || !HasMinimapModel(*game))
        return false;
    if (GetUserPath().empty()) {
        platform::ReportProblem("Cannot save: there is no user folder; the game is played without saving\n");
        return false;
    }
    const std::string path = GetSlotPath(game->currentSaveSlot);
    std::string reason;
    // The game reads back only a level of the level folder: a slot naming
    // a level opened by a path elsewhere could never be continued.
    if (!mapName.empty() && !Game::IsPlainLevelName(mapName)) {
        platform::ReportProblem("Cannot save " + path + ": the level \"" + mapName
            + "\" was opened from outside the level folder, and a save can only continue a level of "
              "the level folder\n");
        return false;
    }
    if (game->IsSaveSlotDamaged(game->currentSaveSlot)) {
        platform::ReportProblem("Cannot save " + path
            + ": the slot holds a damaged save, kept as it is until it is erased from the slot list\n");
        return false;
    }
    const bool saved = WriteFile(path, &game->GetAchievements(), PlayerModifierCount(*game), &reason);
    if (saved)
        ShowSaveMessage(*game);
    else
        platform::ReportProblem("Cannot save " + path + ": " + reason + "\n");
    return saved;
}

bool GameSaveData::Load(int slot, bool intoGame)
{
    Game* game = Game::GetInstance();
    if (slot == -1)
        slot = game != nullptr ? game->currentSaveSlot : -1;
    if (slot < 0)
        return false;
    AchievementManager::Entries entries;
    if (!ReadFile(GetSlotPath(slot), &entries))
        return false;
    if (intoGame && game != nullptr)
        AchievementManager::ApplyEntries(game->GetAchievements(), entries);
    return true;
}

bool GameSaveData::ReadHeader(int slot)
{
    Game* game = Game::GetInstance();
    if (slot == -1)
        slot = game != nullptr ? game->currentSaveSlot : -1;
    if (slot < 0)
        return false;
    const std::string path = GetSlotPath(slot);
    // A pipe or a device at the slot's name would block or never end: only a
    // regular file is read.
    std::ifstream file = platform::OpenRegularFile(path, std::ios::binary);
    if (!file.is_open()) {
        if (platform::IsNonRegularFile(path))
            platform::ReportProblem(path + ": is not a regular file\n");
        return false;
    }
    int32_t format = 0;
    std::string word;
    int32_t readScore = 0;
    uint32_t readTime = 0;
    {
        // A head that fails is named with its line, as a whole read would.
        ReaderContext context(file, path);
        const auto damaged = [&context] {
            context.Report();
            return false;
        };
        SkipByteOrderMark(file);
        if (!ReadIntLine(file, format) || !ReadTextLine(file, word))
            return damaged();
        if (format >= 11 && format <= kFormat) {
            if (!ReadIntLine(file, readScore) || !ReadULongLine(file, readTime))
                return damaged();
            formatVersion = format;
            score = readScore;
            playTime = readTime;
            return true;
        }
    }
    file.close();
    // An older format is read whole; one this program does not know is
    // named with its line, as a damaged head is.
    return ReadFile(path, nullptr, nullptr, true);
}

int Game::GetSaveSlotPercent(int slot)
{
    if (slot == -1)
        slot = currentSaveSlot;
    if (slot < 0 || !SlotFileExists(GameSaveData::GetSlotPath(slot)))
        return kNoSave;
    GameSaveData header;
    if (!header.ReadHeader(slot))
        return kDamagedSave;
    return header.GetCompletionPercent();
}

bool Game::IsSaveSlotDamaged(int slot)
{
    return CheckSaveSlot(slot).damaged;
}

UIGameAccess::SlotCheck Game::CheckSaveSlot(int slot)
{
    if (slot == -1)
        slot = currentSaveSlot;
    UIGameAccess::SlotCheck check;
    if (slot < 0 || !SlotFileExists(GameSaveData::GetSlotPath(slot)))
        return check;
    // The whole file, not its head: a save cut short after its head must
    // not pass for a saved game that a new one may replace.
    GameSaveData whole;
    check.damaged = !whole.ReadFile(GameSaveData::GetSlotPath(slot), nullptr, nullptr, false);
    if (!check.damaged && FindLevelFile(whole.GetMapName()).empty())
        check.missingLevel = whole.GetMapName();
    return check;
}

std::string Game::GetSaveSlotSummary(int slot)
{
    if (slot == -1)
        slot = currentSaveSlot;
    GameSaveData slotData;
    if (slot < 0 || !slotData.ReadFile(GameSaveData::GetSlotPath(slot), nullptr, nullptr, false))
        return "";
    return slotData.FormatPlayTime();
}

bool Game::SaveGameAt(float x, float y, int direction)
{
    saveData.CaptureGameState(false);
    saveData.SetPosition(x, y);
    if (direction == 1 || direction == -1)
        saveData.SetDirection(direction);
    return saveData.Save();
}
