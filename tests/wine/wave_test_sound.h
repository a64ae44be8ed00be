// WAV files made in memory for the player's tests: 16-bit stereo PCM at 11,025 Hz whose sample
// bytes count up as 32-bit numbers, so that any written buffer tells where in the sound it is.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

namespace dorvane::testing {

// The 32-bit number at `offset` of every counting sound's samples.
inline uint32_t CountAt(size_t offset) { return static_cast<uint32_t>(offset / 4 + 1); }

inline void StoreU32(unsigned char* at, uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>(value >> (8 * i));
}

inline std::vector<unsigned char> CountingWav(uint32_t sampleBytes) {
    std::vector<unsigned char> wav(44 + sampleBytes);
    unsigned char* at = wav.data();
    std::memcpy(at, "RIFF", 4);
    StoreU32(at + 4, 36 + sampleBytes);
    std::memcpy(at + 8, "WAVEfmt ", 8);
    StoreU32(at + 16, 16);
    const unsigned char pcm[16] = {1, 0, 2, 0, 0x11, 0x2B, 0, 0, 0x44, 0xAC, 0, 0, 4, 0, 16, 0};
    std::memcpy(at + 20, pcm, sizeof pcm);
    std::memcpy(at + 36, "data", 4);
    StoreU32(at + 40, sampleBytes);
    for (uint32_t i = 0; i + 4 <= sampleBytes; i += 4) StoreU32(at + 44 + i, CountAt(i));
    return wav;
}

// True when `buffer` holds the counting sound's bytes from `offset` on.
inline bool HoldsCountFrom(const std::vector<unsigned char>& buffer, size_t offset) {
    for (size_t i = 0; i + 4 <= buffer.size(); i += 4) {
        uint32_t value;
        std::memcpy(&value, buffer.data() + i, 4);
        if (value != CountAt(offset + i)) return false;
    }
    return true;
}

}  // namespace dorvane::testing
