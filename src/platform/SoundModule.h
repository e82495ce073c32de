#pragma once

// The functions of the sound module (libbrivo_sound.so), which alone links Qt
// Multimedia: loaded at the first sound, so that a start loads neither it nor
// the audio libraries behind it. Plain C, so that the two sides share no
// class layout.
extern "C" {
using BrivoSoundNew = void* (*)();
// loops: the times to play; -1 for ever.
using BrivoSoundPlay = void (*)(void* player, const char16_t* path, long long length, int loops);
using BrivoSoundStop = void (*)(void* player);
using BrivoSoundDelete = void (*)(void* player);
}

namespace SoundModule {
inline constexpr char newName[] = "brivo_sound_new";
inline constexpr char playName[] = "brivo_sound_play";
inline constexpr char stopName[] = "brivo_sound_stop";
inline constexpr char deleteName[] = "brivo_sound_delete";
} // namespace SoundModule
