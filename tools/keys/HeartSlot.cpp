#include "tools/keys/HeartSlot.h"

#include "characters/Player.h"
#include "game/GameSaveData.h"
#include "script/ScriptVar.h"
#include "tools/keys/ChildProcess.h"

#include <filesystem>

std::string HeartSlot::UserFolder(const std::string& documents)
{
    return (std::filesystem::path(documents) / "My Games" / "Quenholt").string();
}

std::string HeartSlot::SlotFile(const std::string& documents)
{
    // The slot list's first row.
    return (std::filesystem::path(UserFolder(documents)) / "Save_0.sav").string();
}

bool HeartSlot::Make(
    const std::string& game, const std::string& world, const std::string& documents, std::string& error)
{
    std::filesystem::create_directories(UserFolder(documents));
    std::filesystem::remove(SlotFile(documents));
    ChildProcess run;
    const std::string log = (std::filesystem::path(documents) / "slot.log").string();
    if (!run.Start({game, "cemetery_heart.lvl", "-changesaveslot 0", "-setdefaultspawner from_crypt",
                       "-enableplayerarmors", "-setplayerattackrank 4", "-save", "-exit"},
            world, {"XDG_DOCUMENTS_DIR=" + documents, "SDL_VIDEODRIVER=offscreen", "ALSOFT_DRIVERS=null"},
            log)) {
        error = "cannot start " + game;
        return false;
    }
    const int code = run.Wait(120.0);
    if (code != 0) {
        error = game + " did not save the slot (exit " + std::to_string(code) + ", see " + log + ")";
        return false;
    }
    return Raise(SlotFile(documents), error);
}

bool HeartSlot::Raise(const std::string& slotFile, std::string& error)
{
    GameSaveData record;
    if (!record.ReadFile(slotFile, nullptr, &error, false))
        return false;
    if (record.GetMapName() != "cemetery_heart.lvl") {
        error = slotFile + ": saved in \"" + record.GetMapName() + "\", not in the Heart";
        return false;
    }
    record.SetMaxLife(kLife);
    record.SetAttackRank(kAttackRank);
    record.SetFireArmorLevel(kArmorLevel);
    record.SetIceArmorLevel(kArmorLevel);
    record.SetCurrentArmor(Player::kIceArmor);
    std::string reason;
    if (!record.WriteFile(slotFile, nullptr, record.GetModifierFlags().size(), &reason)) {
        error = slotFile + ": not written: " + reason;
        return false;
    }
    return true;
}

std::optional<bool> HeartSlot::Won(const std::string& slotFile)
{
    if (!std::filesystem::exists(slotFile))
        return std::nullopt;
    GameSaveData record;
    std::string error;
    if (!record.ReadFile(slotFile, nullptr, &error, false))
        return std::nullopt;
    for (const auto& variable : record.GetSaveVars())
        if (variable != nullptr && variable->GetName() == "done_h")
            return variable->GetValue() == "1";
    return false;
}
