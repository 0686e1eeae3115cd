#include "Libs/Sound.h"

#include <gtest/gtest.h>

namespace {

TEST(SoundVolume, PercentToAttenuation) {
    struct Case {
        int percent;
        int attenuation;
    };
    const Case cases[] = {
        {100, 0},   {50, -346},  {25, -693}, {10, -1151}, {1, -2302},
        {0, -9600}, {-5, -9600}, {150, 0},   {99, -5},    {75, -143},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VolumeAttenuation(c.percent), c.attenuation) << "percent " << c.percent;
    }
}

TEST(SoundVolume, AttenuationToMixerVolume) {
    struct Case {
        int attenuation;
        int volume;
    };
    // A linear gain of 10^(att/2000) of the mixer's full volume 128.
    const Case cases[] = {
        {0, 128}, {-346, 86}, {-693, 58}, {-2302, 9}, {-9600, 0}, {200, 128},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MixerVolume(c.attenuation), c.volume) << "attenuation " << c.attenuation;
    }
}

TEST(SoundVolume, LouderPercentNeverQuieter) {
    int previous = MixerVolume(VolumeAttenuation(0));
    for (int percent = 1; percent <= 100; ++percent) {
        int volume = MixerVolume(VolumeAttenuation(percent));
        EXPECT_GE(volume, previous) << "percent " << percent;
        previous = volume;
    }
}

TEST(SoundVolume, RepeatsToMixerLoops) {
    struct Case {
        int repeats;
        int loops;
    };
    // 1 plays once and once more; below 1 loops endlessly (-1).
    const Case cases[] = {{1, 1}, {3, 3}, {0, -1}, {-5, -1}};
    for (const Case& c : cases) {
        EXPECT_EQ(SoundLoops(c.repeats), c.loops) << "repeats " << c.repeats;
    }
}

} // namespace
