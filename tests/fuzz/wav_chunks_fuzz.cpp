// libFuzzer target for the WAV chunk walk: any bytes at all must be walked without reading
// outside them, and whatever is found must lie inside them.
#include <cstdint>
#include <cstdlib>

#include "app/wave/wav_chunks.h"

namespace {

// Reads every byte of a found body, so that the address sanitizer sees any overrun.
unsigned Touch(const unsigned char* body, uint32_t size) {
    unsigned sum = 0;
    for (uint32_t i = 0; i < size; ++i) sum += body[i];
    return sum;
}

bool Inside(const unsigned char* begin, const unsigned char* end, const unsigned char* body,
            uint32_t size) {
    return body >= begin && body <= end && size <= static_cast<size_t>(end - body);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const unsigned char* bytes = data;
    dorvane::LooksLikeWav(bytes, size);
    dorvane::WavChunks found;
    if (!dorvane::FindWavChunks(bytes, size, found)) {
        if (found.format || found.samples || found.sampleSize) std::abort();
        return 0;
    }
    if (size < 36 || found.sampleSize == 0) std::abort();
    if (!Inside(bytes, bytes + size, found.format, found.formatSize)) std::abort();
    if (!Inside(bytes, bytes + size, found.samples, found.sampleSize)) std::abort();
    volatile unsigned sink = Touch(found.format, found.formatSize) + Touch(found.samples, found.sampleSize);
    (void)sink;
    return 0;
}
