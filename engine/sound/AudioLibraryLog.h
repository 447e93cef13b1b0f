#pragma once

// The audio libraries print their own errors on stderr: on a machine without
// a sound card, ALSA's lines about the missing card and OpenAL's about the
// device. A player is told of that by the game's own line; the libraries'
// lines go to the debug output through their own logging switches: ALSA's
// error handler, and OpenAL's log level, which stays at its errors only when
// the debug log is on (QUENHOLT_LOG=1, whose output is stderr too). Run once
// before the first audio call, while no other thread reads the environment.
void RouteAudioLibraryMessagesToDebugOutput();
