// Finding the format and the samples inside the bytes of a RIFF WAVE file, without Windows.
#pragma once

#include <cstddef>
#include <cstdint>

namespace dorvane {

// Where the two chunks that a player needs lie inside the caller's bytes. Both pointers point
// into those bytes, so they stay valid only as long as the bytes do.
struct WavChunks {
    const unsigned char* format = nullptr;  // body of the "fmt " chunk
    uint32_t formatSize = 0;
    const unsigned char* samples = nullptr;  // body of the "data" chunk
    uint32_t sampleSize = 0;
};

// True when the bytes start like a WAV file: at least 12 bytes, "RIFF" at 0 and "WAVE" at 8.
bool LooksLikeWav(const unsigned char* bytes, size_t size);

// Walks the chunks of a WAV file. True when the file is long enough to hold a header and one
// chunk (36 bytes), starts with "RIFF"/"WAVE" and has both a "fmt " chunk and a non-empty
// "data" chunk, in either order, that lie wholly inside both the RIFF data and the bytes.
bool FindWavChunks(const unsigned char* bytes, size_t size, WavChunks& found);

}  // namespace dorvane
