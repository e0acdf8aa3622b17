#include "media/wave_synth.h"

#include "media/little_endian.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <stdexcept>

namespace korbi::media {
namespace {

// Short linear ramps at both ends of a note keep the waveform from starting or stopping on a
// non-zero value, which would be heard as a click.
double Fade(std::size_t index, std::size_t count, std::size_t rampLength) {
    if (rampLength == 0) {
        return 1.0;
    }
    const std::size_t fromEnd = count - 1 - index;
    const std::size_t nearest = std::min(index, fromEnd);
    if (nearest >= rampLength) {
        return 1.0;
    }
    return static_cast<double>(nearest) / static_cast<double>(rampLength);
}

// One horn note appended to out: harmonics whose strength follows the loudness, as a brass
// instrument's brightness does, and a slight vibrato once the note has settled.
void AppendHornNote(std::vector<double>& out, std::uint32_t sampleRate, std::size_t count,
                    double frequency) {
    constexpr int kHarmonics = 9;
    const double rate = static_cast<double>(sampleRate);
    const double attack = 0.03 * rate;
    const std::size_t release = std::min<std::size_t>(count / 4, sampleRate / 25);
    double phase = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / rate;
        const double rise = 1.0 - std::exp(-static_cast<double>(i) / attack);
        const double envelope = rise * (0.85 + 0.15 * std::exp(-t * 4.0)) * Fade(i, count, release);
        const double vibrato =
            t > 0.08 ? 1.0 + 0.004 * std::sin(2.0 * std::numbers::pi * 5.5 * t) : 1.0;
        phase += 2.0 * std::numbers::pi * frequency * vibrato / rate;
        double value = 0.0;
        double strength = 1.0;
        const double brightness = 0.35 + 0.45 * envelope;
        for (int k = 1; k <= kHarmonics; ++k) {
            value += strength * std::sin(k * phase);
            strength *= brightness;
        }
        out.push_back(value * envelope);
    }
}

void Normalise(std::vector<double>& samples, double peak) {
    double largest = 0.0;
    for (const double s : samples) {
        largest = std::max(largest, std::abs(s));
    }
    if (largest <= 0.0) {
        return;
    }
    for (double& s : samples) {
        s *= peak / largest;
    }
}

} // namespace

std::size_t SampleCount(std::uint32_t sampleRate, std::uint32_t durationMs) {
    return static_cast<std::size_t>(static_cast<std::uint64_t>(sampleRate) * durationMs / 1000);
}

std::string EncodeWave(const std::vector<double>& samples, const WaveFormat& format) {
    const std::uint16_t bytesPerSample = format.depth == SampleDepth::Bits8 ? 1 : 2;
    const std::uint64_t dataSize = static_cast<std::uint64_t>(samples.size()) * bytesPerSample;
    // A chunk of odd size is followed by one pad byte that its size does not count.
    const std::uint64_t padding = dataSize % 2;
    const std::uint64_t riffSize = 4 + (8 + 16) + (8 + dataSize + padding);
    if (riffSize > std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("wave data too long for a RIFF file");
    }

    std::string out;
    out.reserve(static_cast<std::size_t>(riffSize + 8));
    out += "RIFF";
    PutU32(out, static_cast<std::uint32_t>(riffSize));
    out += "WAVE";
    out += "fmt ";
    PutU32(out, 16);
    PutU16(out, 1); // PCM
    PutU16(out, 1); // mono
    PutU32(out, format.sampleRate);
    PutU32(out, format.sampleRate * bytesPerSample);
    PutU16(out, bytesPerSample);
    PutU16(out, static_cast<std::uint16_t>(bytesPerSample * 8));
    out += "data";
    PutU32(out, static_cast<std::uint32_t>(dataSize));
    for (const double sample : samples) {
        const double clamped = std::clamp(sample, -1.0, 1.0);
        if (format.depth == SampleDepth::Bits8) {
            out.push_back(
                static_cast<char>(static_cast<std::uint8_t>(std::lround(128.0 + clamped * 127.0))));
        } else {
            const auto value = static_cast<std::int16_t>(std::lround(clamped * 32767.0));
            PutU16(out, static_cast<std::uint16_t>(value));
        }
    }
    if (padding != 0) {
        out.push_back('\0');
    }
    return out;
}

std::vector<double> SynthesizeHorn(std::uint32_t sampleRate, std::uint32_t durationMs) {
    const std::size_t total = SampleCount(sampleRate, durationMs);
    const std::size_t first = total * 30 / 100;
    const std::size_t gap = total * 5 / 100;
    const std::size_t second = total - first - gap;
    std::vector<double> samples;
    samples.reserve(total);
    AppendHornNote(samples, sampleRate, first, 392.0); // G
    samples.insert(samples.end(), gap, 0.0);
    AppendHornNote(samples, sampleRate, second, 523.25); // the C above
    Normalise(samples, 0.8);
    return samples;
}

std::vector<double> SynthesizeTone(std::uint32_t sampleRate, std::uint32_t durationMs,
                                   double frequency, double amplitude) {
    const std::size_t count = SampleCount(sampleRate, durationMs);
    const std::size_t ramp = std::min<std::size_t>(count / 4, sampleRate / 200);
    std::vector<double> samples;
    samples.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / static_cast<double>(sampleRate);
        samples.push_back(amplitude * std::sin(2.0 * std::numbers::pi * frequency * t) *
                          Fade(i, count, ramp));
    }
    return samples;
}

std::string HornWave(std::uint32_t durationMs, const WaveFormat& format) {
    return EncodeWave(SynthesizeHorn(format.sampleRate, durationMs), format);
}

std::string ToneWave(double frequency, std::uint32_t durationMs, const WaveFormat& format) {
    return EncodeWave(SynthesizeTone(format.sampleRate, durationMs, frequency, 0.5), format);
}

std::string SilenceWave(std::uint32_t durationMs, const WaveFormat& format) {
    return EncodeWave(std::vector<double>(SampleCount(format.sampleRate, durationMs), 0.0), format);
}

} // namespace korbi::media
