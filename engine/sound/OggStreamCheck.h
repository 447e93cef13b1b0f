#pragma once

#ifndef OV_EXCLUDE_STATIC_CALLBACKS
#define OV_EXCLUDE_STATIC_CALLBACKS
#endif
#include <vorbis/vorbisfile.h>

#include <string>

// Why an opened Ogg Vorbis stream cannot be played, or empty when it can:
// every link must have one or two channels, a usable rate, and the same
// channels and rate as the first one (the voice keeps one format, so a chained
// file whose format changes would play garbled).
std::string FindUnplayableOggReason(OggVorbis_File& vorbis);
