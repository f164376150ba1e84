// Test doubles of the desktop services, and a main window built on them.
#pragma once
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "shell/MainForm.h"
#include "shell/Platform.h"

class FakeDialogs : public IDialogs {
public:
    std::vector<std::string> Messages;      // every box shown, UTF-8
    std::deque<bool> YesNoAnswers;          // answers to give; No when empty
    std::deque<std::optional<std::string>> OpenAnswers;  // dialog results; cancel when empty
    int AboutShown = 0;
    int OpenShown = 0;
    void ShowMessage(const QString& text) override { Messages.push_back(text.toStdString()); }
    bool AskYesNo(const QString& text) override
    {
        Messages.push_back(text.toStdString());
        if (YesNoAnswers.empty()) return false;
        bool a = YesNoAnswers.front();
        YesNoAnswers.pop_front();
        return a;
    }
    std::optional<std::string> ChooseScenarioFile() override
    {
        ++OpenShown;
        if (OpenAnswers.empty()) return std::nullopt;
        auto a = OpenAnswers.front();
        OpenAnswers.pop_front();
        return a;
    }
    void ShowAbout() override { ++AboutShown; }
};

class RecordingSleeper : public ISleeper {
public:
    std::vector<int> Sleeps;
    std::function<void(int)> OnSleep;  // runs inside each sleep
    void Sleep(int ms) override
    {
        Sleeps.push_back(ms);
        if (OnSleep) OnSleep(ms);
    }
};

class FakeDisplayModes : public IDisplayModes {
public:
    int Width = 1024, Height = 768;
    std::vector<DisplayMode> Modes;
    std::vector<long> Failing;   // ids whose test fails
    std::vector<long> Applied;   // ids applied, in order
    int ScreenWidth() override { return Width; }
    int ScreenHeight() override { return Height; }
    bool EnumMode(int index, DisplayMode& mode) override
    {
        if (index < 0 || index >= static_cast<int>(Modes.size())) return false;
        mode = Modes[static_cast<size_t>(index)];
        return true;
    }
    bool TestMode(const DisplayMode& mode) override
    {
        for (long id : Failing)
            if (id == mode.Id) return false;
        return true;
    }
    void ApplyMode(const DisplayMode& mode) override
    {
        Applied.push_back(mode.Id);
        Width = mode.Width;
        Height = mode.Height;
    }
};

// Keeps the modes as a media player reports them; Open fails for names in Missing.
class FakeMusicPlayer : public IMusicPlayer {
public:
    std::vector<std::string> Calls;  // "open x", "close", "play", "stop"
    std::vector<std::string> Missing;
    TMPModes ModeValue = TMPModes::mpNotReady;
    const std::string& FileName() const override { return name_; }
    void SetFileName(const std::string& name) override { name_ = name; }
    void Open() override;
    void Close() override;
    void Play() override;
    void Stop() override;
    TMPModes Mode() const override { return ModeValue; }
    // The track has played to its end.
    void ReachEnd() { if (ModeValue == TMPModes::mpPlaying) ModeValue = TMPModes::mpStopped; }

private:
    std::string name_;
};

class FakeSound : public ISoundPlayer {
public:
    std::vector<std::string> Played;
    void PlayOnce(const std::string& path) override { Played.push_back(path); }
};

// A main window on test doubles, with its own program folder.
struct TestWindow {
    TestWindow();
    ~TestWindow();
    FakeDialogs Dialogs;
    RecordingSleeper Sleeper;
    FakeDisplayModes Display;
    FakeMusicPlayer Music;
    FakeSound Sound;
    std::string Folder;  // a fresh temporary folder, with trailing "/"
    std::unique_ptr<TMainForm> Form;
    // Builds the window (start-up runs); argument as on the command line.
    TMainForm& Create(const std::string& argument = "");
    // Sets ScenarioLines, resets the player as an open does, and leaves it
    // ready for the first click.
    void UseLines(const std::vector<std::string>& lines);
    std::vector<std::string> Captions() const;
    // Writes bytes to Folder + name and returns the full path.
    std::string WriteFile(const std::string& name, const std::string& bytes) const;
};

// Shift-JIS bytes of UTF-8 text, for readable tests.
std::string S(const char* utf8);
