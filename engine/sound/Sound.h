#pragma once

#include "engine/serial/ISerialization.h"

#include <cstdint>
#include <memory>
#include <string>

class ISoundRessource;

// One sample file of the game library, loaded once into the sound engine and
// kept for the whole run. Played only through sound events.
class Sound : public ISerialization {
public:
    explicit Sound(std::string soundName = {}, std::string soundFileName = {});
    ~Sound() override;

    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;

    bool Serialize(std::ostream& os) override;
    // Writes the reference form: "SoundV0Ptr", then the name.
    bool SerializePtr(std::ostream& os) override;
    // Reads the record up to the first bad value, then loads the file when a
    // sound engine runs.
    bool UnSerialize(std::istream& is) override;
    std::string GetVersionedClassName() override { return "SoundV0"; }

    const std::string& GetName() const { return name; }
    const std::string& GetFileName() const { return fileName; }
    bool GetLoop() const { return loop; }
    void SetLoop(bool looping) { loop = looping; }
    // Null when the file could not be loaded.
    ISoundRessource* GetRessource() const { return ressource.get(); }
    void SetRessource(std::unique_ptr<ISoundRessource> loaded);

private:
    std::unique_ptr<ISoundRessource> ressource;
    std::string name;
    std::string fileName;
    // Values of the record no sound code reads; kept and written back unchanged.
    int32_t reservedInt0 = 0;
    int32_t reservedInt1 = 0;
    bool loop = false;
    int32_t reservedInt2 = 0;
    int32_t reservedInt3 = 0;
    float reservedFloat0 = 1.0f;
    float reservedFloat1 = 1.0f;
};
