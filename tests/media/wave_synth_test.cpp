#include "media/wave_synth.h"

#include "support/files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

namespace korbi::media {
namespace {

using korbi::testing::U32At;

std::uint16_t U16At(const std::string& bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes.at(at)) |
                                      (static_cast<std::uint8_t>(bytes.at(at + 1)) << 8));
}

// 16-bit, 8-bit with an odd number of data bytes (padded), and an empty sound.
TEST(WaveSynthTest, HeaderDescribesItsDataExactly) {
    const struct {
        std::uint32_t sampleRate;
        SampleDepth depth;
        std::uint32_t durationMs;
    } cases[] = {{44100, SampleDepth::Bits16, 650},
                 {11025, SampleDepth::Bits8, 1},
                 {22050, SampleDepth::Bits16, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.sampleRate) + " Hz, " + std::to_string(c.durationMs) + " ms");
        const std::string wave = HornWave(c.durationMs, {c.sampleRate, c.depth});
        const std::uint16_t bytesPerSample = c.depth == SampleDepth::Bits8 ? 1 : 2;
        const auto dataSize =
            static_cast<std::uint32_t>(SampleCount(c.sampleRate, c.durationMs)) * bytesPerSample;

        ASSERT_EQ(wave.size(), 44u + dataSize + dataSize % 2);
        EXPECT_EQ(wave.substr(0, 4), "RIFF");
        EXPECT_EQ(U32At(wave, 4), wave.size() - 8);
        EXPECT_EQ(wave.substr(8, 8), "WAVEfmt ");
        EXPECT_EQ(U32At(wave, 16), 16u);
        EXPECT_EQ(U16At(wave, 20), 1u) << "PCM";
        EXPECT_EQ(U16At(wave, 22), 1u) << "mono";
        EXPECT_EQ(U32At(wave, 24), c.sampleRate);
        EXPECT_EQ(U32At(wave, 28), c.sampleRate * bytesPerSample) << "byte rate";
        EXPECT_EQ(U16At(wave, 32), bytesPerSample) << "block align";
        EXPECT_EQ(U16At(wave, 34), bytesPerSample * 8);
        EXPECT_EQ(wave.substr(36, 4), "data");
        EXPECT_EQ(U32At(wave, 40), dataSize) << "the pad byte is not counted";
    }
}

TEST(WaveSynthTest, HornIsAudibleAndNeverClips) {
    const auto samples = SynthesizeHorn(22050, 650);
    ASSERT_EQ(samples.size(), SampleCount(22050, 650));
    double peak = 0.0;
    for (const double s : samples) {
        peak = std::max(peak, std::abs(s));
    }
    EXPECT_NEAR(peak, 0.8, 1e-9);
    EXPECT_NEAR(samples.front(), 0.0, 0.02) << "starts from silence, no click";
    EXPECT_NEAR(samples.back(), 0.0, 0.02) << "ends in silence, no click";
}

TEST(WaveSynthTest, SamplesAreClampedAndCentredPerDepthAndSilenceIsZero) {
    const std::vector<double> samples{0.0, 2.0, -2.0};
    const std::string eight = EncodeWave(samples, {8000, SampleDepth::Bits8});
    EXPECT_EQ(static_cast<std::uint8_t>(eight[44]), 128);
    EXPECT_EQ(static_cast<std::uint8_t>(eight[45]), 255);
    EXPECT_EQ(static_cast<std::uint8_t>(eight[46]), 1);
    EXPECT_EQ(eight.size(), 48u) << "three data bytes and a pad byte";

    const std::string sixteen = EncodeWave(samples, {8000, SampleDepth::Bits16});
    EXPECT_EQ(static_cast<std::int16_t>(U16At(sixteen, 44)), 0);
    EXPECT_EQ(static_cast<std::int16_t>(U16At(sixteen, 46)), 32767);
    EXPECT_EQ(static_cast<std::int16_t>(U16At(sixteen, 48)), -32767);
    EXPECT_EQ(SilenceWave(100, {8000, SampleDepth::Bits16}).find_first_not_of('\0', 44),
              std::string::npos);
}

} // namespace
} // namespace korbi::media
