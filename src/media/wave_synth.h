#pragma once
// Wave files made in code: the sounds the program ships (the new-mail horn, the silent file the
// player opens at start) and the sounds tests play, so no binary file lives in the sources.
#include <cstdint>
#include <string>
#include <vector>

namespace korbi::media {

enum class SampleDepth {
    Bits8,  // unsigned, silence at 128
    Bits16, // signed little-endian, silence at 0
};

struct WaveFormat {
    std::uint32_t sampleRate = 22050;
    SampleDepth depth = SampleDepth::Bits16;
};

// A complete mono PCM RIFF/WAVE file (header and data) holding the samples, each in -1..1
// (values outside are clamped). Throws std::length_error when the data cannot be described by
// the format's 32-bit sizes.
std::string EncodeWave(const std::vector<double>& samples, const WaveFormat& format);

// Number of samples that durationMs lasts at sampleRate (rounded down).
std::size_t SampleCount(std::uint32_t sampleRate, std::uint32_t durationMs);

// A two-note post-horn call (a fourth upward) with a brassy timbre, peaking at 0.8.
std::vector<double> SynthesizeHorn(std::uint32_t sampleRate, std::uint32_t durationMs);

// A sine tone with short fades at both ends (no clicks), peaking at amplitude.
std::vector<double> SynthesizeTone(std::uint32_t sampleRate, std::uint32_t durationMs,
                                   double frequency, double amplitude);

std::string HornWave(std::uint32_t durationMs = 650, const WaveFormat& format = {});
std::string ToneWave(double frequency, std::uint32_t durationMs, const WaveFormat& format = {});
std::string SilenceWave(std::uint32_t durationMs, const WaveFormat& format = {});

} // namespace korbi::media
