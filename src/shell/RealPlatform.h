// The desktop's own dialogs and sleep, and the factories of the real services.
#pragma once
#include <memory>

#include "present/MusicPlayer.h"
#include "shell/Platform.h"

class QWidget;

std::unique_ptr<IDialogs> CreateRealDialogs(QWidget* owner);
std::unique_ptr<ISleeper> CreateRealSleeper();
// Sets up the application: fonts, the Japanese message-box buttons.
void SetUpApplication();
// Where the recent list and the working copy live (with a trailing "/").
std::string FindProgramFolder();
