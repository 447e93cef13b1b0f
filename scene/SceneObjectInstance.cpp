#include "scene/SceneObjectInstance.h"

#include "engine/serial/LineReaders.h"
#include "engine/serial/ReaderContext.h"
#include "scene/Level.h"
#include "scene/SceneGameAccess.h"

#include <algorithm>
#include <sstream>

namespace {

// Numbers an instance written before any level gave it a number: it takes
// the current level's next number, and the level counts on. Without a game
// or a current level it keeps -1.
void NumberInCurrentLevel(SceneObjectInstance& instance)
{
    SceneGameAccess* game = GetSceneGameAccess();
    Level* level = game != nullptr ? game->GetCurrentLevel() : nullptr;
    if (level != nullptr)
        instance.SetSaveIndex(level->TakeNextInstanceIndex());
}

} // namespace

SceneObjectInstance::SceneObjectInstance()
{
    RegisterMember(&name);
}

void SceneObjectInstance::Spawn(int /*x*/, int /*y*/, Level* /*level*/)
{
    pending = false;
}

bool SceneObjectInstance::IsMissingMember(size_t index) const
{
    if (format == -1)
        return index == 0 || index == 2;
    if (format == 1)
        return index == 2;
    return false;
}

void SceneObjectInstance::WriteMember(std::ostream& os, size_t index)
{
    members[index]->Serialize(os);
}

bool SceneObjectInstance::ReadMember(std::istream& is, size_t index)
{
    return members[index]->UnSerialize(is);
}

bool SceneObjectInstance::Serialize(std::ostream& os)
{
    if (skipSerialize)
        return true;
    if (id == -1 && NumbersOnWrite())
        NumberInCurrentLevel(*this);
    WriteLine(os, GetVersionedClassName());
    WriteLine(os, kTagFormat);
    WriteLine(os, FormatToWrite());
    WriteLine(os, static_cast<uint32_t>(members.size()));
    for (size_t i = 0; i < members.size(); ++i)
        WriteMember(os, i);
    WriteLine(os, kTagId);
    WriteLine(os, id);
    return true;
}

bool SceneObjectInstance::UnSerialize(std::istream& is)
{
    // The members' own writers make the snapshot that a failed read puts back.
    std::ostringstream snapshot;
    for (ISerialization* member : members)
        member->Serialize(snapshot);
    const int32_t oldFormat = format;
    const int32_t oldId = id;
    if (ReadRecord(is))
        return true;
    std::istringstream restore(snapshot.str());
    for (ISerialization* member : members)
        member->UnSerialize(restore);
    format = oldFormat;
    id = oldId;
    return false;
}

bool SceneObjectInstance::ReadRecord(std::istream& is)
{
    format = FormatWithoutTag();
    if (ReadUpdateTag(is, kTagFormat)) {
        int32_t stored = 0;
        if (!ReadIntLine(is, stored))
            return false;
        format = stored == 0 ? 1 : stored;
    }
    uint32_t count = 0;
    if (!ReadUIntLine(is, count))
        return false;
    size_t missing = 0;
    for (size_t i = 0; i < members.size(); ++i)
        missing += IsMissingMember(i) ? 1 : 0;
    // A count beyond the members this class has comes from a damaged file,
    // unless the class reads nothing for such indices.
    if (count > members.size() - missing && !SkipsExtraMembers())
        return ReadError(is, "a member count of at most " + std::to_string(members.size() - missing),
            std::to_string(count));
    const size_t last = std::min<size_t>(size_t(count) + missing, members.size());
    for (size_t i = 0; i < last; ++i) {
        if (IsMissingMember(i))
            continue;
        if (!ReadMember(is, i))
            return false;
    }
    if (ReadUpdateTag(is, kTagId))
        return ReadIntLine(is, id);
    return true;
}
