#include "game/GameSaveData.h"

#include "engine/serial/IntSerialize.h"
#include "engine/serial/StrSerialize.h"
#include "engine/serial/VectorSerialize.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "scene/SceneObjectInstance.h"
#include "scene/SpacialInstance.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A pickup-like payload: saves its index and its enabled flag, and takes the
// flag back from the element after its index.
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
        if (auto* flag = states->As<IntSerialize>(static_cast<size_t>(index) + 1))
            enabled = flag->value == 1;
    }
    bool enabled;
};

TEST(GameSaveDataLevel, CapturedStatesComeBackThroughTheLevel)
{
    GraphicalObject lever("Lever");
    Level level("Garden_02.lvl");
    level.SetSaveKey("Garden_02.lvl");
    std::vector<SwitchPayload*> payloads;
    for (const int list : {Level::kForeground, Level::kBackground, Level::kScene}) {
        Layer* layer = level.CreateLayer(list, "L" + std::to_string(list), nullptr, 1024, 448, 32, 32);
        auto payload = std::make_unique<SwitchPayload>(10 + list, list != Level::kScene);
        payloads.push_back(payload.get());
        // Straddles two screens: filed under two cells, saved once.
        layer->AddPlacedInstance(&lever, 500.0f + 10.0f * list, 10.0f)->SetPayload(std::move(payload));
    }

    GameSaveData record;
    record.StartLevelRecord("Other.lvl");
    record.CaptureLevelState(level);
    record.CaptureLevelState(level); // again: one record, afresh
    ASSERT_EQ(record.GetLevelRecords().size(), 4u);
    const VectorSerialize* states = record.FindLevelRecord("Garden_02.lvl");
    ASSERT_NE(states, nullptr);
    // Background (10), scene (12), then foreground (11): index and flag each.
    std::vector<int32_t> values;
    for (size_t i = 0; i < states->Size(); ++i)
        values.push_back(states->As<IntSerialize>(i)->value);
    EXPECT_EQ(values, (std::vector<int32_t> {10, 1, 12, 0, 11, 1}));

    for (SwitchPayload* payload : payloads)
        payload->enabled = !payload->enabled;
    VectorSerialize list(false);
    record.ListLevelRecords(list);
    level.RestoreInstanceStates(&list);
    EXPECT_TRUE(payloads[0]->enabled);
    EXPECT_TRUE(payloads[1]->enabled);
    EXPECT_FALSE(payloads[2]->enabled);
}

} // namespace
