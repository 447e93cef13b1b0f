#include "engine/sound/OggStreamCheck.h"

#include <cstring>

namespace {

constexpr long kMaxRate = 384000;
constexpr size_t kPageHeaderBytes = 27;
constexpr uint8_t kEndOfStreamFlag = 0x04;

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

bool OggEndsWithItsLastPage(std::span<const uint8_t> tail)
{
    // The capture pattern may also stand inside a page's data: from the end
    // backwards, the page that ends exactly with the bytes is the last one.
    for (size_t at = tail.size() < kPageHeaderBytes ? 0 : tail.size() - kPageHeaderBytes + 1; at-- > 0;) {
        if (std::memcmp(tail.data() + at, "OggS", 4) != 0)
            continue;
        const size_t segments = tail[at + 26];
        const size_t header = kPageHeaderBytes + segments;
        if (at + header > tail.size())
            continue;
        size_t body = 0;
        for (size_t i = 0; i < segments; ++i)
            body += tail[at + kPageHeaderBytes + i];
        if (at + header + body == tail.size())
            return (tail[at + 5] & kEndOfStreamFlag) != 0;
    }
    return false;
}
