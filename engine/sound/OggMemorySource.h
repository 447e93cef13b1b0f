#pragma once

#include <cstddef>
#include <cstdint>

// An Ogg stream held in memory, read by the decoder through the callbacks
// below. It does not own the bytes. Every position stays within [0, size].
struct OggMemorySource {
    const uint8_t* data = nullptr;
    int64_t size = 0;
    int64_t position = 0;
};

// The decoder's callbacks (read, seek, close, tell), fread/fseek/fclose/ftell
// style. `source` is an OggMemorySource allocated with new; close deletes it.
size_t OggMemoryRead(void* buffer, size_t size, size_t count, void* source);
int OggMemorySeek(void* source, int64_t offset, int whence);
int OggMemoryClose(void* source);
long OggMemoryTell(void* source);
