#pragma once
#include <string>

struct Mix_Chunk;

// One loaded sound effect. Starts overlap with whatever is already sounding.
class Sound {
public:
    Mix_Chunk* segment = nullptr; // nullptr when nothing is loaded (or the file was unusable)
    int audioPath = 0;            // 1 while the sound has a volume of its own
    int attenuation = 0;          // last volume set, hundredths of a decibel (0 = full)

    Sound() = default;
    ~Sound();
    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;
    Sound(Sound&& other) noexcept;
    Sound& operator=(Sound&& other) noexcept;

    // Replaces what was loaded. fileName is Windows-1252, relative to the working folder.
    void Load(const std::string& fileName);
    // Plays once and then repeats more times; repeats below 1 loop endlessly.
    void Play(int repeats);
    // percent 0..100; the fade duration in milliseconds is accepted but not applied.
    void SetVolume(int percent, int duration);
    void Unload();

    // Read-backs of what the mixer does with this sound: the instances sounding now, and the
    // mixer volume 0..128 it plays at (its group's volume in shared mode). 0 without a mixer.
    int Playing() const;
    int CurrentVolume() const;
};

// Volume in percent to attenuation in hundredths of a decibel: 100 -> 0, 50 -> -346, 0 -> -9600.
int VolumeAttenuation(int percent);
// Attenuation in hundredths of a decibel to a mixer volume 0..128 (a linear gain).
int MixerVolume(int attenuation);
// The mixer's loop count for a number of repeats: the same count, or -1 (endless) below 1.
int SoundLoops(int repeats);
