#pragma once

#include "engine/serial/IntSerialize.h"
#include "engine/serial/VectorSerialize.h"
#include "game/AchievementManager.h"
#include "game/GameSaveData.h"
#include "script/ScriptVar.h"
#include "tests/engine/serial/DamagedRecord.h"

#include <memory>
#include <sstream>
#include <string>
#include <vector>

// A record whose every field differs from its default, but the fire armor's
// level (a level is 1 or 2: the ice armor's 2 tells the two apart).
inline void FillEveryField(GameSaveData& record)
{
    record.SetScore(37);
    record.SetPlayTime(4000000000u);
    for (int x = 0; x < GameSaveData::kColumns; ++x)
        for (int y = 0; y < GameSaveData::kRows; ++y)
            record.SetCell(x, y, (x + y) % 3);
    record.SetMapName("Garden_02.lvl");
    record.SetTeleports({TeleportInfo {"TP Snow", "Snow_TP_01.lvl", {12, 5}},
        TeleportInfo {"TP Cave", "Cave_TP_01.lvl", {-4, 43}},
        TeleportInfo {"TP Cemetery", "Cimetery_TP_01.lvl", {0, 0}}});
    record.SetPosition(1234.5678f, -0.001234567f);
    record.SetDirection(-1);
    record.SetAttackRank(3);
    record.SetModifierFlags({true, false, false, true, false, true});
    record.SetCurrentArmor(1);
    record.SetCrossbowAmmo(2);
    record.SetCrossbowCapacity(5);
    record.SetMaxLife(9);
    record.SetMinimapInHud(true);
    record.SetPowerSlots(2);
    record.SetPowerPerSlot(90);
    record.SetPlayerFlag1(true);
    record.SetPlayerCounter(3);
    record.SetIceArmorLevel(2);
    record.SetHasFireflies(1);
    record.SetStoryHint({17, 22});
    VectorSerialize& cemetery = record.StartLevelRecord("Cemetery_01");
    cemetery.Append(std::make_unique<IntSerialize>(1));
    cemetery.Append(std::make_unique<IntSerialize>(0));
    VectorSerialize& garden = record.StartLevelRecord("Garden_02");
    for (int value : {4, 1, 8, 0})
        garden.Append(std::make_unique<IntSerialize>(value));
    ScriptVar first("gate");
    first.SetValue("1");
    ScriptVar second("boss_seen");
    second.SetValue("two words");
    record.AddSaveVar(first);
    record.AddSaveVar(second);
}

inline std::string WriteToText(const GameSaveData& record)
{
    AchievementManager achievements;
    std::ostringstream os;
    record.Write(os, &achievements);
    return os.str();
}

// The lines of a text written with CR LF ends.
inline std::vector<std::string> SplitSaveLines(const std::string& text)
{
    return SplitLines(text);
}

inline std::string JoinSaveLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}
