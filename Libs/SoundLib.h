#pragma once

// The sound engine: the audio device and a mixer of 64 channels. With no audio device the game
// runs on silently.
class SoundLib {
public:
    int performance = 0; // 1 while the mixer is open
    int loader = 0;      // 1 while the audio subsystem is held by us
    int sharedMode = 0;  // 1: every sound plays and is attenuated as one group
    int sharedPath = 0;  // 1 in shared mode once the mixer is open

    SoundLib();
    ~SoundLib();
    SoundLib(const SoundLib&) = delete;
    SoundLib& operator=(const SoundLib&) = delete;

    static SoundLib* Instance();

    // A second Init is ignored.
    void Init(int sharedMode);
    void Shutdown();

    static constexpr int Channels = 64;
};
