#include "engine/sound/WaveFile.h"
#include "fuzz/FuzzTarget.h"

QUENHOLT_FUZZ_TARGET(wav_sound, fuzz::Reports::FileName)
{
    WaveFile wave;
    return wave.OpenMemory(input.bytes.data(), input.bytes.size(), input.name);
}
