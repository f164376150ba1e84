// The music player and the sound call on the desktop's audio.
#pragma once
#include <memory>

#include "shell/Platform.h"

std::unique_ptr<IMusicPlayer> CreateMusicPlayer();
std::unique_ptr<ISoundPlayer> CreateSoundPlayer();
