// The three sound effects: plain PCM WAV files, short, audible, unclipped, and starting and
// ending near silence so that playing them does not click.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "ContentFiles.h"

namespace {

struct Wave {
    int format = 0, channels = 0, rate = 0, bits = 0;
    std::vector<int16_t> samples; // interleaved
    std::string error;
};

uint32_t Little(const std::string& b, size_t at, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<uint8_t>(b[at + i]);
    }
    return value;
}

Wave ReadWave(const std::string& relative) {
    Wave wave;
    const std::string b = content::ReadBytes(relative);
    if (b.size() < 12 || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 4, "WAVE") != 0) {
        wave.error = "not a RIFF WAVE file";
        return wave;
    }
    size_t at = 12;
    while (at + 8 <= b.size()) {
        std::string id = b.substr(at, 4);
        uint32_t size = Little(b, at + 4, 4);
        size_t body = at + 8;
        if (body + size > b.size()) {
            wave.error = "chunk " + id + " runs past the end";
            return wave;
        }
        if (id == "fmt " && size >= 16) {
            wave.format = static_cast<int>(Little(b, body, 2));
            wave.channels = static_cast<int>(Little(b, body + 2, 2));
            wave.rate = static_cast<int>(Little(b, body + 4, 4));
            wave.bits = static_cast<int>(Little(b, body + 14, 2));
        } else if (id == "data" && wave.bits == 16) {
            for (size_t i = 0; i + 1 < size; i += 2) {
                wave.samples.push_back(static_cast<int16_t>(Little(b, body + i, 2)));
            }
        }
        at = body + size + (size & 1);
    }
    if (wave.samples.empty()) {
        wave.error = "no 16-bit sample data";
    }
    return wave;
}

TEST(SoundFiles, EffectsAreShortCleanAndAudible) {
    const char* files[] = {"sounds/rotate.wav", "sounds/hit.wav", "sounds/row.wav"};
    for (const char* file : files) {
        SCOPED_TRACE(file);
        Wave wave = ReadWave(file);
        ASSERT_TRUE(wave.error.empty()) << wave.error;
        EXPECT_EQ(wave.format, 1) << "expected PCM";
        ASSERT_GT(wave.channels, 0);
        ASSERT_GT(wave.rate, 0);
        double seconds = static_cast<double>(wave.samples.size()) / wave.channels / wave.rate;
        EXPECT_TRUE(seconds >= 0.03 && seconds <= 1.0) << "lasts " << seconds << " s";
        int peak = 0;
        for (int16_t s : wave.samples) {
            peak = std::max(peak, std::abs(static_cast<int>(s)));
        }
        EXPECT_GT(peak, 32768 / 10) << "too quiet to hear";
        EXPECT_LT(peak, 32700) << "clipped";
        // A jump from or to silence is a click: both ends must be close to zero.
        const int quiet = 32768 / 50;
        EXPECT_LT(std::abs(static_cast<int>(wave.samples.front())), quiet) << "starts with a click";
        EXPECT_LT(std::abs(static_cast<int>(wave.samples.back())), quiet) << "ends with a click";
    }
}

} // namespace
