#include "engine/sound/OggMemorySource.h"
#include "engine/sound/OggStreamCheck.h"
#include "fuzz/FuzzTarget.h"

#include <algorithm>
#include <array>
#include <climits>
#include <memory>
#include <span>

// Reads the file's last page as the music stream does to tell a cut file,
// opens the stream from memory as a scrambled track is, checks it can be
// played, then decodes it to the end as the music stream does (holes
// skipped, a decoder error ends it) and seeks to a loop point.
QUENHOLT_FUZZ_TARGET(ogg_music, fuzz::Reports::Nothing)
{
    const std::span<const uint8_t> tail(input.bytes);
    OggEndsWithItsLastPage(tail.last(std::min(tail.size(), kMaxOggPageBytes)));
    const ov_callbacks callbacks = {OggMemoryRead, OggMemorySeek, OggMemoryClose, OggMemoryTell};
    auto source = std::make_unique<OggMemorySource>();
    source->data = input.bytes.data();
    source->size = static_cast<int64_t>(input.bytes.size());
    OggVorbis_File vorbis {};
    if (ov_open_callbacks(source.get(), &vorbis, nullptr, 0, callbacks) != 0)
        return false;
    source.release(); // the decoder's close callback frees it
    const bool playable = FindUnplayableOggReason(vorbis).empty();
    if (playable) {
        static std::array<char, 0x20000> buffer;
        // Bounded: a stream of garbage pages must not keep the fuzzer busy.
        for (int calls = 0; calls < 4096; ++calls) {
            int section = 0;
            const long got = ov_read(&vorbis, buffer.data(), int(buffer.size()), 0, 2, 1, &section);
            if (got == 0 || (got < 0 && got != OV_HOLE))
                break;
        }
        const ogg_int64_t total = ov_pcm_total(&vorbis, -1);
        if (total > 0)
            ov_pcm_seek(&vorbis, total / 3);
    }
    ov_clear(&vorbis);
    return playable;
}
