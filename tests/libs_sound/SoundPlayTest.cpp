#include "Libs/Sound.h"
#include "Libs/SoundLib.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

void PutLe(std::ofstream& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A short mono 16-bit tone as a PCM WAV file.
void WriteTone(const fs::path& path, int milliseconds) {
    const uint32_t rate = 22050;
    const uint32_t samples = rate * milliseconds / 1000;
    const uint32_t dataBytes = samples * 2;
    std::ofstream out(path, std::ios::binary);
    out.write("RIFF", 4);
    PutLe(out, 36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    PutLe(out, 16, 4); // format chunk size
    PutLe(out, 1, 2);  // PCM
    PutLe(out, 1, 2);  // mono
    PutLe(out, rate, 4);
    PutLe(out, rate * 2, 4); // bytes per second
    PutLe(out, 2, 2);        // block align
    PutLe(out, 16, 2);       // bits per sample
    out.write("data", 4);
    PutLe(out, dataBytes, 4);
    for (uint32_t i = 0; i < samples; ++i) {
        double v = std::sin(2.0 * 3.14159265358979 * 440.0 * i / rate) * 8000.0;
        PutLe(out, static_cast<uint32_t>(static_cast<int16_t>(v)), 2);
    }
}

class SoundPlayTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("brixel_sound_" +
                  std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::create_directories(folder);
        WriteTone(folder / "tone.wav", 2000);
        WriteTone(folder / "short.wav", 1500);
        std::ofstream(folder / "damaged.wav", std::ios::binary) << "RIFF\x10\0\0\0WAVEjunk";
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
    std::string File(const char* name) const { return (folder / name).string(); }

    // SDL's dummy audio driver gives a real mixer without a sound card.
    static void StartMixer(SoundLib& lib, int sharedMode) {
        SetTestEnvironment("SDL_AUDIODRIVER", "dummy", false);
        lib.Init(sharedMode);
        ASSERT_EQ(lib.performance, 1) << "the mixer did not open on the dummy audio driver";
    }

    fs::path folder;
};

TEST_F(SoundPlayTest, LoadPlayOverlappingAndUnload) {
    SoundLib lib;
    ASSERT_NO_FATAL_FAILURE(StartMixer(lib, 1));
    Sound sound;
    sound.Load(File("tone.wav"));
    ASSERT_NE(sound.segment, nullptr);
    sound.Play(1);
    sound.Play(1);
    EXPECT_EQ(sound.Playing(), 2) << "a second start overlaps the first";
    sound.Unload();
    EXPECT_EQ(sound.segment, nullptr);
    EXPECT_EQ(sound.Playing(), 0);
    sound.Play(1); // nothing loaded: silently nothing
    lib.Shutdown();
}

TEST_F(SoundPlayTest, EndlessLoopsStartLikeAnyOtherPlay) {
    SoundLib lib;
    ASSERT_NO_FATAL_FAILURE(StartMixer(lib, 1));
    Sound sound;
    sound.Load(File("tone.wav"));
    sound.Play(0);
    sound.Play(-5);
    EXPECT_EQ(sound.Playing(), 2);
    sound.Unload();
    lib.Shutdown();
}

TEST_F(SoundPlayTest, LoadReplacesWhatWasLoaded) {
    SoundLib lib;
    ASSERT_NO_FATAL_FAILURE(StartMixer(lib, 1));
    Sound sound;
    sound.Load(File("tone.wav"));
    sound.Play(0);
    ASSERT_EQ(sound.Playing(), 1);
    sound.Load(File("short.wav"));
    ASSERT_NE(sound.segment, nullptr);
    EXPECT_EQ(sound.Playing(), 0) << "the old sound stopped with its samples";
    sound.Play(1);
    EXPECT_EQ(sound.Playing(), 1);
    sound.Load(File("missing.wav"));
    EXPECT_EQ(sound.segment, nullptr) << "a missing file leaves the sound empty";
    sound.Unload();
    lib.Shutdown();
}

TEST_F(SoundPlayTest, SharedModeOneVolumeForAllSounds) {
    SoundLib lib;
    ASSERT_NO_FATAL_FAILURE(StartMixer(lib, 1));
    Sound rotate, hit;
    rotate.Load(File("tone.wav"));
    hit.Load(File("short.wav"));
    rotate.Play(0);
    rotate.SetVolume(50, 0);
    EXPECT_EQ(rotate.CurrentVolume(), MixerVolume(-346));
    EXPECT_EQ(hit.CurrentVolume(), MixerVolume(-346)) << "shared mode sets every sound";
    hit.SetVolume(100, 0);
    EXPECT_EQ(rotate.CurrentVolume(), 128) << "the last volume set holds for all";
    hit.SetVolume(0, 0);
    EXPECT_EQ(rotate.CurrentVolume(), 0);
    rotate.Unload();
    hit.Unload();
    lib.Shutdown();
}

TEST_F(SoundPlayTest, OwnModeEachSoundItsOwnVolume) {
    SoundLib lib;
    ASSERT_NO_FATAL_FAILURE(StartMixer(lib, 0));
    Sound rotate, hit;
    rotate.SetVolume(50, 0); // before loading: kept for the loaded sound
    rotate.Load(File("tone.wav"));
    hit.Load(File("short.wav"));
    EXPECT_EQ(rotate.CurrentVolume(), MixerVolume(-346));
    EXPECT_EQ(hit.CurrentVolume(), 128);
    hit.SetVolume(25, 0);
    EXPECT_EQ(hit.CurrentVolume(), MixerVolume(-693));
    EXPECT_EQ(rotate.CurrentVolume(), MixerVolume(-346));
    rotate.Unload();
    hit.Unload();
    lib.Shutdown();
}

TEST_F(SoundPlayTest, BadFilesAndNoMixerAreSilentAndSafe) {
    {
        Sound sound; // no engine at all
        sound.Load(File("tone.wav"));
        EXPECT_EQ(sound.segment, nullptr);
        sound.Play(1);
        sound.SetVolume(50, 0);
        EXPECT_EQ(sound.Playing(), 0);
        sound.Unload();
    }
    SoundLib lib;
    ASSERT_NO_FATAL_FAILURE(StartMixer(lib, 1));
    const char* bad[] = {"missing.wav", "damaged.wav", ""};
    for (const char* name : bad) {
        Sound sound;
        sound.Load(File(name));
        EXPECT_EQ(sound.segment, nullptr) << name;
        sound.Play(0);
        sound.SetVolume(30, 0);
        EXPECT_EQ(sound.Playing(), 0) << name;
        sound.Unload();
    }
    lib.Init(1); // a second Init is ignored
    EXPECT_EQ(lib.performance, 1);
    lib.Shutdown();
    EXPECT_EQ(SoundLib::Instance(), nullptr);
    Sound late;
    late.Load(File("tone.wav")); // after shutdown: silent
    EXPECT_EQ(late.segment, nullptr);
}

TEST_F(SoundPlayTest, InstanceFollowsTheEngine) {
    {
        SoundLib lib;
        EXPECT_EQ(SoundLib::Instance(), &lib);
    }
    EXPECT_EQ(SoundLib::Instance(), nullptr);
}

} // namespace
