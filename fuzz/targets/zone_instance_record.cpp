#include "engine/serial/LineReaders.h"
#include "fuzz/FuzzRecord.h"
#include "fuzz/FuzzWorld.h"
#include "scene/PayloadFactory.h"
#include "scene/SceneObjectInstance.h"
#include "zones/ZonePayloadKinds.h"

#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>

// The instance record of a zone or point as a placed instance reads it: the
// class line picks the class, which reads the rest. What loads writes back
// and loads again to the same text.
QUENHOLT_FUZZ_TARGET(zone_instance_record, fuzz::Reports::FileName)
{
    fuzz::GetFuzzWorld();
    RegisterZonePayloadKinds();
    std::unique_ptr<SceneObjectInstance> payload;
    const bool read = fuzz::ReadRecordText(input, [&](std::istream& is) {
        std::string key;
        if (!ReadTextLine(is, key))
            return ReadError(is, "a payload class name", kFoundEnd);
        if (!IsPayloadKey(key))
            return ReadError(is, "a payload class name", QuoteFound(key));
        payload = CreatePayloadByKey(key, is);
        return payload != nullptr || ReadError(is, "a payload record this program can read", QuoteFound(key));
    });
    if (!read)
        return false;
    std::ostringstream first;
    payload->Serialize(first);
    std::istringstream again(first.str());
    std::string key;
    ReadTextLine(again, key);
    std::unique_ptr<SceneObjectInstance> reread = CreatePayloadByKey(key, again);
    // A record this program wrote must read back to the same text.
    if (!reread)
        std::abort();
    std::ostringstream second;
    reread->Serialize(second);
    if (second.str() != first.str())
        std::abort();
    return true;
}
