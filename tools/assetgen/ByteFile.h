// Little-endian fields and whole-file writes, for the writers that lay out
// their own binary formats (WAV, ICO).
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

namespace qm::bytefile {

inline void put16(std::string& out, uint16_t v) {
    out.push_back(char(v & 255));
    out.push_back(char(v >> 8));
}

inline void put32(std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(char((v >> (8 * i)) & 255));
}

inline bool writeBytes(const std::string& bytes, const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace qm::bytefile
