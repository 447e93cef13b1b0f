#include "scene/MapModel.h"

#include <iterator>

#include "engine/serial/LineReaders.h"
#include "scene/GraphicalObject.h"
#include "scene/SceneGameAccess.h"

namespace {

GraphicalObject* FindGraphical(const std::string& name)
{
    SceneGameAccess* game = GetSceneGameAccess();
    return dynamic_cast<GraphicalObject*>(game != nullptr ? game->FindSceneObject(name) : nullptr);
}

} // namespace

MapModel::MapModel() = default;

MapModel::MapModel(Minimap)
{
    globalMinimap = FindGraphical("GlobalMinimap");
    globalMinimapMask = FindGraphical("GlobalMinimap_Mask");
}

MapModel::~MapModel() = default;

int32_t MapModel::GetCell(int x, int y) const
{
    if (static_cast<unsigned>(x) >= kColumns || static_cast<unsigned>(y) >= kRows)
        return -1;
    return cells[static_cast<size_t>(x * kRows + y)];
}

void MapModel::SetCell(int x, int y, int32_t value)
{
    if (static_cast<unsigned>(x) >= kColumns || static_cast<unsigned>(y) >= kRows)
        return;
    cells[static_cast<size_t>(x * kRows + y)] = value;
}

bool MapModel::Serialize(std::ostream& os)
{
    if (IsSkipSerialize())
        return true;
    WriteLine(os, GetVersionedClassName());
    WriteLine(os, static_cast<uint32_t>(records.size()));
    for (const auto& record : records) {
        WriteLine(os, record->name);
        WriteLine(os, record->first);
        WriteLine(os, record->second);
        WriteLine(os, record->flag);
        WriteLine(os, static_cast<uint32_t>(record->cellLists.size()));
        for (const auto& list : record->cellLists) {
            WriteLine(os, static_cast<uint32_t>(list.size()));
            for (const auto& triple : list) {
                for (int32_t v : triple)
                    WriteLine(os, v);
            }
        }
    }
    return true;
}

bool MapModel::UnSerialize(std::istream& is)
{
    std::string className;
    ReadStringLine(is, className);
    uint32_t count = 0;
    bool ok = ReadUIntLine(is, count);
    // The counts are not trusted: the first failure ends the reading. The
    // records join the model only when all of them were read.
    std::vector<std::unique_ptr<MapRecord>> read;
    for (uint32_t r = 0; ok && r < count; ++r) {
        auto& record = *read.emplace_back(std::make_unique<MapRecord>());
        ReadStringLine(is, record.name);
        ok = is && ReadIntLine(is, record.first) && ReadIntLine(is, record.second)
            && ReadBoolLine(is, record.flag);
        uint32_t lists = 0;
        if (ok)
            ok = ReadUIntLine(is, lists);
        for (uint32_t l = 0; ok && l < lists; ++l) {
            auto& list = record.cellLists.emplace_back();
            uint32_t elements = 0;
            ok = ReadUIntLine(is, elements);
            for (uint32_t e = 0; ok && e < elements; ++e) {
                std::array<int32_t, 3> triple {};
                ok = ReadIntLine(is, triple[0]) && ReadIntLine(is, triple[1]) && ReadIntLine(is, triple[2]);
                list.push_back(triple);
            }
        }
    }
    if (ok)
        std::move(read.begin(), read.end(), std::back_inserter(records));
    for (int n = 1; n <= 20; ++n)
        minimapObjects[static_cast<size_t>(n - 1)] = FindGraphical("minimap " + std::to_string(n));
    return ok;
}
