#include "engine/sound/OggMemorySource.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

size_t OggMemoryRead(void* buffer, size_t size, size_t count, void* source)
{
    auto* memory = static_cast<OggMemorySource*>(source);
    if (memory == nullptr || buffer == nullptr || size == 0 || count == 0 || memory->data == nullptr)
        return 0;
    const int64_t position = std::clamp<int64_t>(memory->position, 0, memory->size);
    const auto left = static_cast<size_t>(memory->size - position);
    // Whole items only, as fread counts them.
    const size_t items = std::min(count, left / size);
    const size_t bytes = items * size;
    if (bytes > 0)
        std::memcpy(buffer, memory->data + position, bytes);
    memory->position = position + static_cast<int64_t>(bytes);
    return items;
}

int OggMemorySeek(void* source, int64_t offset, int whence)
{
    auto* memory = static_cast<OggMemorySource*>(source);
    if (memory == nullptr)
        return -1;
    int64_t target = 0;
    switch (whence) {
    case SEEK_SET:
        target = offset;
        break;
    case SEEK_CUR:
        // Never past the end; written so that no sum can overflow.
        target = offset > memory->size - memory->position ? memory->size : memory->position + offset;
        break;
    case SEEK_END:
        target = offset > 0 ? memory->size : memory->size + std::max<int64_t>(offset, -memory->size);
        break;
    default:
        return -1;
    }
    memory->position = std::clamp<int64_t>(target, 0, memory->size);
    return 0;
}

int OggMemoryClose(void* source)
{
    delete static_cast<OggMemorySource*>(source);
    return 0;
}

long OggMemoryTell(void* source)
{
    const auto* memory = static_cast<const OggMemorySource*>(source);
    if (memory == nullptr)
        return -1;
    return static_cast<long>(memory->position);
}
