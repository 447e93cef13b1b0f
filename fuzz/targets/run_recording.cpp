#include "engine/platform/DebugOutput.h"
#include "fuzz/FuzzTarget.h"
#include "tools/run/RunRecording.h"

#include <cstdlib>

// A run's recorded keys (data/runs/*.txt) as the whole-run test replays
// them: read, then written again and read back to the same record.
QUENHOLT_FUZZ_TARGET(run_recording, fuzz::Reports::FileName)
{
    RunRecording recording;
    std::string error;
    if (!recording.Read(input.Text(), input.name, error)) {
        platform::DebugOutput(error + "\n");
        return false;
    }
    RunRecording again;
    if (!again.Read(recording.Write(), input.name, error) || !(again == recording))
        std::abort();
    return true;
}
