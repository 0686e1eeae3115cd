#include "Libs/Sound.h"

#include "Libs/SoundLib.h"
#include "Libs/Win1252.h"

#include <SDL_mixer.h>

#include <cmath>
#include <utility>

namespace {

constexpr int Silent = -9600;

// The mixer that sounds play through, nullptr when there is none (no device, not started).
SoundLib* OpenMixer() {
    SoundLib* lib = SoundLib::Instance();
    return lib && lib->performance ? lib : nullptr;
}

} // namespace

int VolumeAttenuation(int percent) {
    // Below 0 has no logarithm and above 100 would amplify: both are clamped.
    if (percent <= 0) return Silent;
    if (percent > 100) percent = 100;
    long double level = static_cast<long double>(percent) * static_cast<long double>(0.01f);
    return static_cast<int>(500.0f * std::log(level));
}

int MixerVolume(int attenuation) {
    if (attenuation >= 0) return MIX_MAX_VOLUME;
    double gain = std::pow(10.0, attenuation / 2000.0);
    return static_cast<int>(std::lround(gain * MIX_MAX_VOLUME));
}

// The mixer counts loops after the first play, as repeats do: 1 plays twice.
int SoundLoops(int repeats) {
    return repeats < 1 ? -1 : repeats;
}

Sound::~Sound() {
    Unload();
}

Sound::Sound(Sound&& other) noexcept
    : segment(std::exchange(other.segment, nullptr)), audioPath(std::exchange(other.audioPath, 0)),
      attenuation(other.attenuation) {}

Sound& Sound::operator=(Sound&& other) noexcept {
    if (this != &other) {
        Unload();
        segment = std::exchange(other.segment, nullptr);
        audioPath = std::exchange(other.audioPath, 0);
        attenuation = other.attenuation;
    }
    return *this;
}

// A missing or damaged file leaves the sound silent; nothing is reported.
void Sound::Load(const std::string& fileName) {
    Unload();
    audioPath = 1;
    SoundLib* lib = OpenMixer();
    if (!lib) return;
    segment = Mix_LoadWAV(Win1252ToUtf8(fileName).c_str());
    // A sound of its own keeps the volume set before; in shared mode the group carries it.
    if (segment && !lib->sharedMode) Mix_VolumeChunk(segment, MixerVolume(attenuation));
}

void Sound::Play(int repeats) {
    if (!segment || !OpenMixer()) return;
    // Any free channel, so a new start mixes with whatever is already sounding.
    Mix_PlayChannel(-1, segment, SoundLoops(repeats));
}

void Sound::SetVolume(int percent, int /*duration*/) {
    attenuation = VolumeAttenuation(percent);
    SoundLib* lib = OpenMixer();
    if (!lib) return;
    int volume = MixerVolume(attenuation);
    if (lib->sharedMode) {
        // Every channel, the ones sounding now included: all sounds share this volume.
        Mix_Volume(-1, volume);
    } else if (segment) {
        Mix_VolumeChunk(segment, volume);
    }
}

void Sound::Unload() {
    if (segment) {
        // Stops the channels still playing it before the samples go.
        Mix_FreeChunk(segment);
        segment = nullptr;
    }
    audioPath = 0;
}

int Sound::Playing() const {
    if (!segment || !OpenMixer()) return 0;
    int count = 0;
    for (int channel = 0; channel < SoundLib::Channels; ++channel) {
        if (Mix_Playing(channel) && Mix_GetChunk(channel) == segment) ++count;
    }
    return count;
}

int Sound::CurrentVolume() const {
    SoundLib* lib = OpenMixer();
    if (!lib) return 0;
    if (lib->sharedMode) return Mix_Volume(-1, -1);
    return segment ? Mix_VolumeChunk(segment, -1) : 0;
}
