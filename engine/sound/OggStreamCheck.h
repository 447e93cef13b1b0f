#pragma once

#ifndef OV_EXCLUDE_STATIC_CALLBACKS
#define OV_EXCLUDE_STATIC_CALLBACKS
#endif
#include <vorbis/vorbisfile.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

// Why an opened Ogg Vorbis stream cannot be played, or empty when it can:
// every link must have one or two channels, a usable rate, and the same
// channels and rate as the first one (the voice keeps one format, so a chained
// file whose format changes would play garbled).
std::string FindUnplayableOggReason(OggVorbis_File& vorbis);

// The longest an Ogg page can be: its header with 255 lacing values and a
// body of 255 segments of 255 bytes.
inline constexpr size_t kMaxOggPageBytes = 27 + 255 + 255 * 255;

// Whether the bytes that end an Ogg file (its last kMaxOggPageBytes, or all
// of a shorter file) end with a whole page that closes its stream (the
// end-of-stream flag). A file cut short ends inside a page, or after a page
// that is not its stream's last: the decoder then plays it as a shorter
// stream, without a word.
bool OggEndsWithItsLastPage(std::span<const uint8_t> tail);
