// Bounds-checked little- and big-endian fields of a picture file held in memory: a field that
// does not lie wholly inside the data reads as 0, so that a short file decodes as black.
#pragma once

#include <cstddef>
#include <cstdint>

inline uint32_t LittleField(const uint8_t* data, size_t size, uint64_t position, int bytes) {
    if (position + static_cast<uint64_t>(bytes) > size) return 0;
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = value << 8 | data[position + i];
    return value;
}

inline uint32_t BigField(const uint8_t* data, size_t size, uint64_t position, int bytes) {
    if (position + static_cast<uint64_t>(bytes) > size) return 0;
    uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) value = value << 8 | data[position + i];
    return value;
}
