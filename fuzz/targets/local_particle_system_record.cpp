#include "characters/LocalParticleSystem.h"
#include "engine/serial/LineReaders.h"
#include "fuzz/FuzzRecord.h"
#include "fuzz/FuzzWorld.h"

#include <memory>
#include <sstream>
#include <string>

// A particle-system record of the game library ("LocalParticleSystemV0"),
// its class line included; a record read whole is copied for use and run
// for a frame, as a character's death effect would be.
QUENHOLT_FUZZ_TARGET(local_particle_system_record, fuzz::Reports::FileName)
{
    fuzz::GetFuzzWorld();
    LocalParticleSystem system;
    const bool read = fuzz::ReadRecordText(input, [&](std::istream& is) {
        std::string className;
        return ReadTextLine(is, className) && system.UnSerialize(is);
    });
    if (read) {
        std::unique_ptr<LocalParticleSystem> copy(LocalParticleSystem::CopyConstruct(system));
        copy->Update(33.0);
    }
    std::ostringstream os;
    system.Serialize(os);
    return read;
}
