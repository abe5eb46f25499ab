// Reading back the WAV files that the audio export and FluidSynth's file driver write: the
// format from the "fmt " chunk and the 16-bit samples of the "data" chunk.
#pragma once

#include "tests/FileContents.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

inline std::uint32_t Little(const std::string& bytes, std::size_t at, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<std::uint8_t>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

struct Wave {
    int channels = 0;
    int sampleRate = 0;
    int bits = 0;
    std::vector<std::int16_t> samples;  // interleaved
};

// A RIFF WAVE file's format and samples, read chunk by chunk.
inline Wave ReadWave(const std::string& path)
{
    const std::string bytes = FileContents(path);
    Wave wave;
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0)
        return wave;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::string id = bytes.substr(at, 4);
        const std::uint32_t size = Little(bytes, at + 4, 4);
        if (id == "fmt ") {
            wave.channels = static_cast<int>(Little(bytes, at + 10, 2));
            wave.sampleRate = static_cast<int>(Little(bytes, at + 12, 4));
            wave.bits = static_cast<int>(Little(bytes, at + 22, 2));
        } else if (id == "data") {
            wave.samples.resize(std::min<std::size_t>(size, bytes.size() - at - 8) / 2);
            std::memcpy(wave.samples.data(), bytes.data() + at + 8, wave.samples.size() * 2);
        }
        at += 8 + size + (size & 1);
    }
    return wave;
}

// The largest magnitude among the samples from `first` up to `last` (both frames, both channels).
inline int Loudest(const Wave& wave, std::size_t first, std::size_t last)
{
    int loudest = 0;
    for (std::size_t i = 2 * first; i < std::min(2 * last, wave.samples.size()); ++i)
        loudest = std::max(loudest, std::abs(static_cast<int>(wave.samples[i])));
    return loudest;
}
