#include "app/wave/wav_chunks.h"

#include <cstring>

namespace dorvane {
namespace {

constexpr size_t kRiffHeaderSize = 12;   // "RIFF", size, "WAVE"
constexpr size_t kChunkHeaderSize = 8;   // identifier, body size
constexpr size_t kSmallestPlayable = 36; // the header plus a chunk header plus a PCM format body

bool HasTag(const unsigned char* at, const char (&tag)[5]) {
    return std::memcmp(at, tag, 4) == 0;
}

uint32_t ReadLittleEndian32(const unsigned char* at) {
    return static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 |
           static_cast<uint32_t>(at[2]) << 16 | static_cast<uint32_t>(at[3]) << 24;
}

}  // namespace

bool LooksLikeWav(const unsigned char* bytes, size_t size) {
    return bytes != nullptr && size >= kRiffHeaderSize && HasTag(bytes, "RIFF") &&
           HasTag(bytes + 8, "WAVE");
}

bool FindWavChunks(const unsigned char* bytes, size_t size, WavChunks& found) {
    found = WavChunks{};
    if (size < kSmallestPlayable || !LooksLikeWav(bytes, size)) return false;

    // The walk ends at the end of the RIFF data or of the bytes, whichever comes first. The
    // arithmetic is done in 64 bits: a RIFF size near 4 GiB plus 8 must not wrap on a 32-bit
    // size_t.
    const uint64_t riffEnd = uint64_t{8} + ReadLittleEndian32(bytes + 4);
    const uint64_t end = riffEnd < size ? riffEnd : uint64_t{size};

    bool haveFormat = false;
    bool haveSamples = false;
    uint64_t offset = kRiffHeaderSize;
    while (!(haveFormat && haveSamples) && offset + kChunkHeaderSize <= end) {
        const unsigned char* header = bytes + offset;
        const uint32_t bodySize = ReadLittleEndian32(header + 4);
        const uint64_t bodyStart = offset + kChunkHeaderSize;
        if (bodySize > end - bodyStart) break;  // the chunk would overrun: stop here

        if (HasTag(header, "fmt ")) {
            found.format = bytes + bodyStart;
            found.formatSize = bodySize;
            haveFormat = true;
        } else if (HasTag(header, "data")) {
            found.samples = bytes + bodyStart;
            found.sampleSize = bodySize;
            haveSamples = true;
        }
        // A body of odd size is followed by one pad byte.
        offset = bodyStart + bodySize + (bodySize & 1u);
    }

    if (!haveFormat || !haveSamples || found.sampleSize == 0) {
        found = WavChunks{};
        return false;
    }
    return true;
}

}  // namespace dorvane
