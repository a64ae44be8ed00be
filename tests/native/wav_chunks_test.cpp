// The chunk walk that finds a WAV file's format and samples, on crafted byte strings.
#include "app/wave/wav_chunks.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace dorvane {
namespace {

using Bytes = std::vector<unsigned char>;

void PutTag(Bytes& out, const std::string& tag) { out.insert(out.end(), tag.begin(), tag.end()); }

void PutU32(Bytes& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<unsigned char>(value >> shift));
}

// One chunk: identifier, declared body size, body, and the pad byte after an odd body.
// `declaredSize` lets a case lie about the body's length.
struct Chunk {
    std::string tag;
    Bytes body;
    int64_t declaredSize = -1;  // -1: the body's real size
    bool pad = true;
};

// PCM, 2 channels, 11,025 Hz, 16 bits: the 16-byte format body of the program's sound.
Bytes PcmFormat() {
    Bytes body;
    const uint16_t fields16[] = {1, 2};
    for (uint16_t v : fields16) { body.push_back(v & 0xFF); body.push_back(v >> 8); }
    PutU32(body, 11025);
    PutU32(body, 44100);
    body.push_back(4); body.push_back(0);
    body.push_back(16); body.push_back(0);
    return body;
}

Bytes Samples(size_t count) {
    Bytes body(count);
    for (size_t i = 0; i < count; ++i) body[i] = static_cast<unsigned char>(0x80 + i);
    return body;
}

// A RIFF WAVE file of the given chunks. The RIFF size is the real one unless given.
Bytes Wav(const std::vector<Chunk>& chunks, int64_t riffSize = -1, const std::string& riff = "RIFF",
          const std::string& wave = "WAVE") {
    Bytes content;
    for (const Chunk& c : chunks) {
        PutTag(content, c.tag);
        PutU32(content, static_cast<uint32_t>(c.declaredSize >= 0 ? c.declaredSize : c.body.size()));
        content.insert(content.end(), c.body.begin(), c.body.end());
        if (c.pad && c.body.size() % 2 == 1) content.push_back(0xEE);
    }
    Bytes file;
    PutTag(file, riff);
    PutU32(file, static_cast<uint32_t>(riffSize >= 0 ? riffSize : content.size() + 4));
    PutTag(file, wave);
    file.insert(file.end(), content.begin(), content.end());
    return file;
}

const Chunk kFormat{"fmt ", PcmFormat()};
const Chunk kData{"data", Samples(8)};

struct WalkCase {
    const char* name;
    Bytes file;
    bool playable;
    size_t formatOffset = 0;  // where the bodies must be found, when playable
    uint32_t formatSize = 0;
    size_t samplesOffset = 0;
    uint32_t sampleSize = 0;
};

std::vector<WalkCase> WalkCases() {
    // Complete chunks, only too short as a whole: 32 bytes.
    const Bytes tooShort = Wav({{"fmt ", Samples(0)}, {"data", Samples(4)}});
    Bytes trailingData = Wav({kFormat});  // RIFF ends after the format; a data chunk follows it
    PutTag(trailingData, "data");
    PutU32(trailingData, 8);
    trailingData.insert(trailingData.end(), 8, 0x11);
    Bytes truncated = Wav({kFormat, kData});
    truncated.resize(truncated.size() - 1);  // the data body runs past the bytes

    return {
        {"usual order", Wav({kFormat, kData}), true, 20, 16, 44, 8},
        {"data before fmt", Wav({kData, kFormat}), true, 36, 16, 20, 8},
        {"other chunks around", Wav({{"LIST", Samples(10)}, kFormat, {"fact", Samples(4)}, kData}),
         true, 38, 16, 74, 8},
        {"odd chunk then pad byte", Wav({{"junk", Samples(3)}, kFormat, kData}), true, 32, 16, 56, 8},
        {"odd data then pad then fmt", Wav({{"data", Samples(5)}, kFormat}), true, 34, 16, 20, 5},
        {"odd data last without pad", Wav({kFormat, {"data", Samples(5), -1, false}}), true, 20, 16, 44, 5},
        {"RIFF size larger than bytes", Wav({kFormat, kData}, 0xFFFFFFFF), true, 20, 16, 44, 8},
        {"data overruns RIFF size", Wav({kFormat, kData}, 4 + 24 + 8 + 7), false},
        {"data after RIFF end", trailingData, false},
        {"data overruns bytes", truncated, false},
        {"body size near 4 GiB", Wav({kFormat, {"data", Samples(8), 0xFFFFFFF8}}), false},
        {"huge odd chunk before fmt", Wav({{"junk", Samples(2), 0xFFFFFFFF}, kFormat, kData}), false},
        {"fewer than 36 bytes", tooShort, false},
        {"no RIFF", Wav({kFormat, kData}, -1, "RIFX"), false},
        {"no WAVE", Wav({kFormat, kData}, -1, "RIFF", "AVI "), false},
        {"no fmt", Wav({{"LIST", Samples(16)}, kData}), false},
        {"no data", Wav({kFormat, {"LIST", Samples(16)}}), false},
        {"empty data", Wav({kFormat, {"data", {}}}), false},
        {"tags are case-sensitive", Wav({{"FMT ", PcmFormat()}, {"DATA", Samples(8)}}), false},
    };
}

TEST(WavChunksTest, FindsFormatAndSamplesOrNothing) {
    for (const WalkCase& c : WalkCases()) {
        SCOPED_TRACE(c.name);
        WavChunks found;
        found.sampleSize = 12345;  // a failed walk must not leave stale results behind
        ASSERT_EQ(FindWavChunks(c.file.data(), c.file.size(), found), c.playable);
        if (!c.playable) {
            EXPECT_EQ(found.format, nullptr);
            EXPECT_EQ(found.samples, nullptr);
            EXPECT_EQ(found.sampleSize, 0u);
            continue;
        }
        EXPECT_EQ(found.format, c.file.data() + c.formatOffset);
        EXPECT_EQ(found.formatSize, c.formatSize);
        EXPECT_EQ(found.samples, c.file.data() + c.samplesOffset);
        EXPECT_EQ(found.sampleSize, c.sampleSize);
    }
}

TEST(WavChunksTest, WalkStopsOnceBothChunksAreFound) {
    // A broken chunk after the two that matter does not spoil the file.
    Bytes file = Wav({kFormat, kData, {"junk", Samples(4), 0x7FFFFFFF}});
    WavChunks found;
    EXPECT_TRUE(FindWavChunks(file.data(), file.size(), found));
    EXPECT_EQ(found.sampleSize, 8u);
}

TEST(WavChunksTest, LooksLikeWavNeedsOnlyTheRiffHeader) {
    const Bytes header = Wav({}, 4);
    ASSERT_EQ(header.size(), 12u);
    EXPECT_TRUE(LooksLikeWav(header.data(), header.size()));
    EXPECT_FALSE(LooksLikeWav(header.data(), 11));
    EXPECT_FALSE(LooksLikeWav(nullptr, 0));
    const Bytes other = Wav({}, 4, "RIFF", "AVI ");
    EXPECT_FALSE(LooksLikeWav(other.data(), other.size()));
    // A header alone is a WAV to look at, but nothing to play.
    WavChunks found;
    EXPECT_FALSE(FindWavChunks(header.data(), header.size(), found));
}

}  // namespace
}  // namespace dorvane
