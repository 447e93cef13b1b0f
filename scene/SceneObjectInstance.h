#pragma once

#include "engine/serial/ISerialization.h"

#include <cstdint>
#include <string>

class Level;
class VectorSerialize;

// Per-placement data of a zone or point: the payload that a placed graphical
// object owns (a trigger's, spawner's or teleport's own settings). Its record
// begins with its versioned class name, by which the payload factory chooses
// the class when a level is read.
//
// Only the part every payload shares lives here; the zone and point classes
// add their fields and behaviour.
class SceneObjectInstance : public ISerialization {
public:
    ~SceneObjectInstance() override = default;

    const std::string& GetName() const { return name; }
    void SetName(const std::string& n) { name = n; }

    // Names the instance in a level record of the save data; -1 until the
    // instance is first written.
    int32_t GetSaveIndex() const { return saveIndex; }
    void SetSaveIndex(int32_t index) { saveIndex = index; }

    // Called once per placed instance when the level spawns its instances.
    virtual void Spawn(int /*x*/, int /*y*/, Level* /*level*/) { }
    // Appends the instance's state to a level record of the save data; the
    // base has none.
    virtual void SaveState(VectorSerialize* /*states*/) { }
    // Reads the state back from the record, the save index standing at
    // position index; the base reads nothing.
    virtual void LoadState(VectorSerialize* /*states*/, int /*index*/) { }

protected:
    SceneObjectInstance() = default;

    std::string name;
    int32_t saveIndex = -1;
};
