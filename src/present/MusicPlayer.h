// The music player and the sound call on the desktop's audio (SDL2_mixer).
//
// Both share one audio device, opened at first use and closed when the last
// player is destroyed, so SDL reads its environment (the audio driver) anew
// each time a player is created after all earlier ones are gone. A machine
// without a usable sound device (none, or busy) gets SDL's silent driver: the
// music then runs its course in real time without being heard, so the modes,
// the end of a track and its repeat behave as they would with sound.
#pragma once
#include <memory>
#include <string>

#include "shell/Platform.h"

std::unique_ptr<IMusicPlayer> CreateMusicPlayer();
std::unique_ptr<ISoundPlayer> CreateSoundPlayer();

// The audio driver in use once a player has opened the device ("pulseaudio",
// "alsa", "disk", "dummy" ...); empty while the device is closed or when no
// driver at all could be opened.
std::string CurrentAudioDriver();
