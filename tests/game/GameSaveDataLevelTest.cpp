#include "game/GameSaveData.h"

#include "engine/serial/IntSerialize.h"
#include "engine/serial/StrSerialize.h"
#include "engine/serial/VectorSerialize.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "scene/SceneObjectInstance.h"
#include "scene/SpacialInstance.h"
#include "zones/Zone_PickupObject.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// A pickup-like payload: saves its index and its enabled flag, and takes the
// flag back from the element the level hands it.
class SwitchPayload : public SceneObjectInstance {
public:
    SwitchPayload(int32_t index, bool isEnabled)
        : enabled(isEnabled)
    {
        SetSaveIndex(index);
    }
    bool Serialize(std::ostream&) override { return true; }
    bool UnSerialize(std::istream&) override { return true; }
    std::string GetVersionedClassName() override { return "SwitchPayloadV0"; }
    void SaveState(VectorSerialize* states) override
    {
        states->Append(std::make_unique<IntSerialize>(GetSaveIndex()));
        states->Append(std::make_unique<IntSerialize>(enabled ? 1 : 0));
    }
    void LoadState(VectorSerialize* states, int index) override
    {
        if (auto* flag = states->As<IntSerialize>(static_cast<size_t>(index)))
            enabled = flag->value == 1;
    }
    bool enabled;
};

TEST(GameSaveDataLevel, CapturedStatesComeBackThroughTheLevel)
{
    GraphicalObject lever("Lever");
    lever.SetSize(32, 32, true);
    Level level("Garden_02.lvl");
    level.SetSaveKey("Garden_02.lvl");
    std::vector<SwitchPayload*> payloads;
    Layer* scene = nullptr;
    for (const int list : {Level::kForeground, Level::kBackground, Level::kScene}) {
        Layer* layer = level.CreateLayer(list, "L" + std::to_string(list), nullptr, 1024, 896, 32, 32);
        auto payload = std::make_unique<SwitchPayload>(10 + list, list != Level::kScene);
        payloads.push_back(payload.get());
        // At 500 and 510 it straddles two screens: filed under two cells, it
        // is saved in each; at 520 it stands in the second column only.
        layer->AddPlacedInstance(&lever, 500.0f + 10.0f * list, 10.0f)->SetPayload(std::move(payload));
        if (list == Level::kScene)
            scene = layer;
    }
    // The grid is walked row by row: the second column of the first row
    // comes before the first column of the second.
    scene->AddPlacedInstance(&lever, 600.0f, 10.0f)->SetPayload(std::make_unique<SwitchPayload>(20, true));
    scene->AddPlacedInstance(&lever, 10.0f, 460.0f)->SetPayload(std::make_unique<SwitchPayload>(21, true));

    GameSaveData record;
    record.StartLevelRecord("Other.lvl");
    record.CaptureLevelState(level);
    record.CaptureLevelState(level); // again: one record, afresh
    ASSERT_EQ(record.GetLevelRecords().size(), 4u);
    const VectorSerialize* states = record.FindLevelRecord("Garden_02.lvl");
    ASSERT_NE(states, nullptr);
    // Background (10), scene (12, 20, 21), then foreground (11): index and
    // flag each.
    std::vector<int32_t> values;
    for (size_t i = 0; i < states->Size(); ++i)
        values.push_back(states->As<IntSerialize>(i)->value);
    EXPECT_EQ(values, (std::vector<int32_t> {10, 1, 10, 1, 12, 0, 20, 1, 21, 1, 11, 1, 11, 1}));

    for (SwitchPayload* payload : payloads)
        payload->enabled = !payload->enabled;
    VectorSerialize list(false);
    record.ListLevelRecords(list);
    level.RestoreInstanceStates(&list);
    EXPECT_TRUE(payloads[0]->enabled);
    EXPECT_TRUE(payloads[1]->enabled);
    EXPECT_FALSE(payloads[2]->enabled);
}

TEST(GameSaveDataLevel, PickupsComeBackAsTheyWereSavedWhateverTheirNumbers)
{
    // Numbers 0 and 1 are also the values of the saved flags; -1 is an
    // instance the level never numbered.
    Zone_PickupObject type("Zone_PickupObject");
    Level level("cemetery_01.lvl");
    level.SetSaveKey("cemetery_01.lvl");
    Layer* layer = level.CreateLayer(Level::kScene, "Collisions", nullptr, 1024, 448, 32, 32);
    const std::vector<int32_t> numbers = {0, 1, 7, 2, -1};
    std::vector<Zone_PickupObject::Instance*> pickups;
    for (size_t i = 0; i < numbers.size(); ++i) {
        auto pickup = std::make_unique<Zone_PickupObject::Instance>();
        pickup->SetSaveIndex(numbers[i]);
        pickups.push_back(pickup.get());
        layer->AddPlacedInstance(&type, 40.0f * static_cast<float>(i), 10.0f)->SetPayload(std::move(pickup));
    }
    pickups[0]->SetEnabled(false); // taken
    pickups[3]->SetEnabled(false); // taken
    GameSaveData record;
    record.CaptureLevelState(level);

    // Each flag turned over: the restore must turn back the numbered ones.
    for (Zone_PickupObject::Instance* pickup : pickups)
        pickup->SetEnabled(!pickup->IsEnabled());
    VectorSerialize list(false);
    record.ListLevelRecords(list);
    level.RestoreInstanceStates(&list);
    std::vector<bool> enabled;
    for (Zone_PickupObject::Instance* pickup : pickups)
        enabled.push_back(pickup->IsEnabled());
    // Only the taken ones are gone; the unnumbered one is left as it was.
    EXPECT_EQ(enabled, (std::vector<bool> {false, true, true, false, false}));
}

} // namespace
