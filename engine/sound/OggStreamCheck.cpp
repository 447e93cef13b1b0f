#include "engine/sound/OggStreamCheck.h"

namespace {

constexpr long kMaxRate = 384000;

} // namespace

std::string FindUnplayableOggReason(OggVorbis_File& vorbis)
{
    const vorbis_info* first = ov_info(&vorbis, 0);
    if (first == nullptr)
        return "the stream has no Vorbis header";
    const long links = ov_streams(&vorbis);
    for (long link = 0; link < links; ++link) {
        const vorbis_info* info = ov_info(&vorbis, int(link));
        const std::string where = links > 1 ? " in link " + std::to_string(link + 1) : "";
        if (info == nullptr)
            return "no Vorbis header" + where;
        if (info->channels < 1 || info->channels > 2)
            return std::to_string(info->channels) + " channels" + where
                + " cannot be played (mono and stereo only)";
        if (info->rate < 1 || info->rate > kMaxRate)
            return "a sample rate of " + std::to_string(info->rate) + " Hz" + where + " cannot be played";
        if (info->channels != first->channels || info->rate != first->rate)
            return "the format changes" + where + " (" + std::to_string(first->channels) + " channels at "
                + std::to_string(first->rate) + " Hz, then " + std::to_string(info->channels)
                + " channels at " + std::to_string(info->rate) + " Hz)";
    }
    return {};
}
