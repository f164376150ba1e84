// What only the desktop can do, behind small interfaces with a real
// implementation and a test double each.
#pragma once
#include <QString>
#include <optional>
#include <string>

// Modal message boxes and the open dialog.
class IDialogs {
public:
    virtual ~IDialogs() = default;
    // A box with an OK button and the application title as its title.
    virtual void ShowMessage(const QString& text) = 0;
    // A box with Yes and No; true only for Yes.
    virtual bool AskYesNo(const QString& text) = 0;
    // The scenario open dialog; the chosen file's full path as file-system bytes.
    virtual std::optional<std::string> ChooseScenarioFile() = 0;
    // The version box, modal.
    virtual void ShowAbout() = 0;
};

// The blocking sleep of the user-interface thread.
class ISleeper {
public:
    virtual ~ISleeper() = default;
    virtual void Sleep(int milliseconds) = 0;
};

// The display-mode service.
struct DisplayMode {
    int Width = 0;
    int Height = 0;
    long Id = 0;  // what the service needs to find the mode again
};

class IDisplayModes {
public:
    virtual ~IDisplayModes() = default;
    virtual int ScreenWidth() = 0;
    virtual int ScreenHeight() = 0;
    // Mode number index of the current display; false when there is none.
    virtual bool EnumMode(int index, DisplayMode& mode) = 0;
    // Would the mode work? Nothing changes.
    virtual bool TestMode(const DisplayMode& mode) = 0;
    virtual void ApplyMode(const DisplayMode& mode) = 0;
};

// The music player's modes as the player reports them.
enum class TMPModes { mpNotReady, mpStopped, mpPlaying, mpRecording, mpSeeking, mpPaused, mpOpen };

// The background music player: one file open at a time.
class IMusicPlayer {
public:
    virtual ~IMusicPlayer() = default;
    virtual const std::string& FileName() const = 0;
    virtual void SetFileName(const std::string& name) = 0;
    // Closes what is open, then opens FileName; raises EMCIDeviceError.
    virtual void Open() = 0;
    virtual void Close() = 0;
    // Plays from the current position, rewinding first when at the end.
    virtual void Play() = 0;
    // Stops; the file stays open.
    virtual void Stop() = 0;
    virtual TMPModes Mode() const = 0;
};

// The sound call: plays a file once, asynchronously; silent on any failure.
class ISoundPlayer {
public:
    virtual ~ISoundPlayer() = default;
    virtual void PlayOnce(const std::string& path) = 0;
};

// The services a main window works with. Null members get the real ones.
struct Services {
    IDialogs* Dialogs = nullptr;
    ISleeper* Sleeper = nullptr;
    IDisplayModes* DisplayModes = nullptr;
    IMusicPlayer* Music = nullptr;
    ISoundPlayer* Sound = nullptr;
    // The folder of the recent list and the working copy, with its trailing
    // "/"; empty for the usual rule (the program's folder when writable,
    // otherwise the user's state folder).
    std::string ProgramFolder;
    // The first command-line argument, empty when none.
    std::string Argument;
};
