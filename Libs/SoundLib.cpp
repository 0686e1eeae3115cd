#include "Libs/SoundLib.h"

#include <SDL.h>
#include <SDL_mixer.h>

namespace {
SoundLib* instance = nullptr;

constexpr int Frequency = 44100;
constexpr int ChunkSize = 1024;
} // namespace

SoundLib::SoundLib() {
    instance = this;
}

SoundLib::~SoundLib() {
    Shutdown();
    if (instance == this) instance = nullptr;
}

SoundLib* SoundLib::Instance() {
    return instance;
}

// No audio device or no mixer leaves performance at 0: every Sound then stays silent.
void SoundLib::Init(int mode) {
    if (performance) return;
    instance = this;
    sharedMode = mode;
    if (!loader) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;
        loader = 1;
    }
    if (Mix_OpenAudio(Frequency, MIX_DEFAULT_FORMAT, 2, ChunkSize) != 0) return;
    performance = 1;
    Mix_AllocateChannels(Channels);
    if (sharedMode) {
        // The shared path is the group of all channels: one volume for every sound.
        Mix_Volume(-1, MIX_MAX_VOLUME);
        sharedPath = 1;
    }
}

void SoundLib::Shutdown() {
    sharedPath = 0;
    if (performance) {
        Mix_HaltChannel(-1);
        Mix_CloseAudio();
        performance = 0;
    }
    if (loader) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        loader = 0;
    }
    if (instance == this) instance = nullptr;
}
