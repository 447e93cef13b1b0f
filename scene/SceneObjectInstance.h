#pragma once

#include "engine/serial/ISerialization.h"
#include "engine/serial/StrSerialize.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class Level;
class VectorSerialize;

// Per-placement data of a zone or point: the payload that a placed graphical
// object owns (a trigger's, spawner's or teleport's own settings) and the
// run-time state of that placement. Its record begins with its versioned
// class name, by which the payload factory chooses the class when a level is
// read.
//
// The fields a file carries are value wrappers registered as members in the
// order of the class chain: member 0 is always the name; a derived class's
// constructor registers its own behind those of its base. The record lists
// the members in that order, behind a member-format number and a count.
class SceneObjectInstance : public ISerialization {
public:
    static constexpr std::string_view kTagFormat = "_SceneObjectInstance_updatetag_1.1_";
    static constexpr std::string_view kTagId = "_SceneObjectInstance_updatetag_1.0_";

    ~SceneObjectInstance() override = default;
    // Members point into the object itself: an instance is never copied.
    SceneObjectInstance(const SceneObjectInstance&) = delete;
    SceneObjectInstance& operator=(const SceneObjectInstance&) = delete;

    // Writes the record (nothing while the skip flag is set). An instance
    // not yet numbered takes the current level's next number first.
    bool Serialize(std::ostream& os) override;
    // Reads the record from the line after the class name. All or nothing:
    // on failure the members, the format and the id are as they were.
    bool UnSerialize(std::istream& is) override;

    // Run once by the level for every placed instance after loading, with the
    // placed position truncated to integers. The base clears pending.
    virtual void Spawn(int x, int y, Level* level);
    virtual bool IsEnabled() const { return enabled; }
    virtual bool SetEnabled(bool value) { return enabled = value; }
    // Appends the instance's state to a level record of the save data; the
    // base has none.
    virtual void SaveState(VectorSerialize* /*states*/) { }
    // Reads the state back from the record at position index; the base
    // reads nothing.
    virtual void LoadState(VectorSerialize* /*states*/, int /*index*/) { }

    const std::string& GetName() const { return name.value; }
    void SetName(const std::string& n) { name.value = n; }
    // The instance's number within its level; -1 until it is numbered.
    int32_t GetSaveIndex() const { return id; }
    void SetSaveIndex(int32_t index) { id = index; }
    int32_t GetFormat() const { return format; }
    bool IsPending() const { return pending; }
    size_t GetMemberCount() const { return members.size(); }

protected:
    SceneObjectInstance();

    void RegisterMember(ISerialization* member) { members.push_back(member); }

    // The format a record without the format tag has: -1 (both the name and
    // the offset are absent from such files).
    virtual int32_t FormatWithoutTag() const { return -1; }
    // Whether the member at index is absent from a record of the current
    // format: with -1 the name and member 2, with 1 member 2.
    virtual bool IsMissingMember(size_t index) const;
    // The format number written: 2 (stored in the instance).
    virtual int32_t FormatToWrite() { return format = 2; }
    // Whether Serialize numbers an instance whose id is -1.
    virtual bool NumbersOnWrite() const { return true; }
    // Whether a member count beyond the class's members reads nothing for
    // the extra indices instead of refusing the record as damaged.
    virtual bool SkipsExtraMembers() const { return false; }
    // One member's lines; a class whose member stands behind a tag of its own
    // writes and reads that tag here.
    virtual void WriteMember(std::ostream& os, size_t index);
    virtual bool ReadMember(std::istream& is, size_t index);

    std::vector<ISerialization*> members;
    bool pending = true;
    bool enabled = true;
    int32_t id = -1;
    StrSerialize name {""};
    int32_t format = 0;

private:
    bool ReadRecord(std::istream& is);
};
