// little_endian.h -- little-endian fields of the files the data generators write
#pragma once

#include <cstdint>
#include <vector>

inline void put16(std::vector<uint8_t>* out, uint32_t value) {
    out->push_back(uint8_t(value));
    out->push_back(uint8_t(value >> 8));
}

inline void put32(std::vector<uint8_t>* out, uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}
