// Placeholder audio until the SDL back end lands: keeps the state, plays nothing.
#include "present/MusicPlayer.h"

#include "base/Errors.h"
#include "base/LineList.h"

namespace {

class SilentMusicPlayer : public IMusicPlayer {
public:
    const std::string& FileName() const override { return name_; }
    void SetFileName(const std::string& name) override { name_ = name; }
    void Open() override
    {
        open_ = false;
        if (!FileExists(name_)) throw EMCIDeviceError("MCI ﾃﾞﾊﾞｲｽがありません");
        open_ = true;
        mode_ = TMPModes::mpStopped;
    }
    void Close() override
    {
        open_ = false;
        mode_ = TMPModes::mpNotReady;
    }
    void Play() override { if (open_) mode_ = TMPModes::mpPlaying; }
    void Stop() override { if (open_) mode_ = TMPModes::mpStopped; }
    TMPModes Mode() const override { return open_ ? mode_ : TMPModes::mpNotReady; }

private:
    std::string name_;
    bool open_ = false;
    TMPModes mode_ = TMPModes::mpNotReady;
};

class SilentSound : public ISoundPlayer {
public:
    void PlayOnce(const std::string&) override {}
};

} // namespace

std::unique_ptr<IMusicPlayer> CreateMusicPlayer() { return std::make_unique<SilentMusicPlayer>(); }
std::unique_ptr<ISoundPlayer> CreateSoundPlayer() { return std::make_unique<SilentSound>(); }
