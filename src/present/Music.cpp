// Background music and sound effects.
#include "base/Paths.h"
#include "shell/MainForm.h"

void TMainForm::ChangeMusic(const std::string& argument)
{
    const std::string path = ScenarioFolder + argument;
    IMusicPlayer& player = BGMPlayer();
    if (player.FileName() == path) return;
    if (player.Mode() == TMPModes::mpPlaying) player.Stop();
    if (player.Mode() == TMPModes::mpOpen) player.Close();
    if (argument == "nothing") {
        player.SetFileName("nothing");
        return;
    }
    player.SetFileName(path);
    player.Open();
    player.Play();
}

void TMainForm::StopMusic()
{
    IMusicPlayer& player = BGMPlayer();
    if (player.Mode() == TMPModes::mpPlaying) player.Stop();
    if (player.Mode() == TMPModes::mpOpen) player.Close();
    player.SetFileName("nothing");
}

void TMainForm::BGMLoopTimerTimer()
{
    IMusicPlayer& player = BGMPlayer();
    if (player.FileName() != "nothing" && player.Mode() == TMPModes::mpStopped) player.Play();
}

void TMainForm::PlaySoundEffect(const std::string& argument)
{
    SoundPlayer().PlayOnce(ScenarioFolder + argument);
}
