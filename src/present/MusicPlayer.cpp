// Background music and one-shot sounds on SDL2_mixer.
#include "present/MusicPlayer.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <atomic>

#include "base/Errors.h"
#include "base/LineList.h"
#include "base/Paths.h"
#include "base/Sjis.h"

namespace {

// What a media player says when asked to play or stop with no file open.
const char* const kNoDevice = "MCI ﾃﾞﾊﾞｲｽがありません";

// 1024 frames at 44.1 kHz: about 23 ms per buffer, short enough that the end
// of a track is seen and a restart heard within a buffer, long enough for
// software MIDI not to stutter.
constexpr int kFrequency = 44100;
constexpr int kChannels = 2;
constexpr int kChunkFrames = 1024;
// Sound effects always use this mixing channel, so a new one cuts off the last.
constexpr int kSoundChannel = 0;

// Counts the ends of music reported by the mixer. The mixer calls the hook on
// its own thread when a track has played to its end (or is halted), so a
// player compares this count with the one it saw when it started playing.
std::atomic<unsigned> g_musicEnds{0};

void OnMusicFinished()
{
    g_musicEnds.fetch_add(1);
}

// The one audio device of the process, shared by music and sounds.
class AudioDevice {
public:
    static void Acquire() { ++users_; }

    static void Release()
    {
        if (--users_ > 0) return;
        users_ = 0;
        if (state_ == State::Open) {
            Mix_HookMusicFinished(nullptr);
            Mix_CloseAudio();
            Mix_Quit();
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
        }
        state_ = State::Closed;
        driver_.clear();
    }

    // Opens the device on first use. False only when not even the silent
    // driver could be opened; the players then keep their state without audio.
    static bool Ready()
    {
        if (state_ == State::Closed) state_ = Open() ? State::Open : State::Failed;
        return state_ == State::Open;
    }

    static const std::string& Driver() { return driver_; }

private:
    enum class State { Closed, Open, Failed };

    static bool Open()
    {
        // FluidSynth reports the end of a MIDI track seconds after it has
        // fallen silent, which would hold up every repeat; the built-in
        // TiMidity with the freepats patches reports it at once and needs no
        // setting. Without patches FluidSynth is still better than silence.
        // The environment can override this hint.
        if (TimidityHasPatches()) SDL_SetHint("SDL_MIXER_DISABLE_FLUIDSYNTH", "1");
        // SDL would take SIGINT and SIGTERM for a quit event that no one here
        // reads, and the program could then no longer be stopped from outside.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (TryOpen()) return true;
        // No usable device (none, or busy): play silently in real time, so
        // the story runs as it would with sound.
        SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
        const bool ok = TryOpen();
        SDL_ResetHint(SDL_HINT_AUDIODRIVER);
        return ok;
    }

    // The configurations the mixer's TiMidity looks for, in its order.
    static bool TimidityHasPatches()
    {
        if (const char* cfg = SDL_getenv("TIMIDITY_CFG")) return FileExists(cfg);
        return FileExists("/etc/timidity.cfg") || FileExists("/etc/timidity/freepats.cfg");
    }

    static bool TryOpen()
    {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
        Mix_Init(MIX_INIT_OGG | MIX_INIT_MP3 | MIX_INIT_MID);
        if (Mix_OpenAudioDevice(kFrequency, AUDIO_S16SYS, kChannels, kChunkFrames, nullptr, 0) != 0) {
            Mix_Quit();
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return false;
        }
        Mix_AllocateChannels(1);
        Mix_HookMusicFinished(OnMusicFinished);
        const char* driver = SDL_GetCurrentAudioDriver();
        driver_ = driver ? driver : "";
        return true;
    }

    static inline int users_ = 0;
    static inline State state_ = State::Closed;
    static inline std::string driver_;
};

// The mixer's error text for the reader: the file name in it is shown as the
// reader knows it, whatever its encoding on disk.
std::string MediaError(const std::string& file)
{
    std::string text = Mix_GetError();
    if (!file.empty()) {
        const std::string shown = DisplayName(file).toStdString();
        for (size_t at = text.find(file); at != std::string::npos; at = text.find(file, at + shown.size()))
            text.replace(at, file.size(), shown);
    }
    return IsValidUtf8(text) ? text : SjisToUtf8(text);
}

// The background music: one file open at a time, played once per Play; the
// caller's timer repeats it. Stop pauses, so Play goes on from where it stood,
// and a track that has played to its end starts again from the beginning.
class SdlMusicPlayer : public IMusicPlayer {
public:
    SdlMusicPlayer() { AudioDevice::Acquire(); }
    ~SdlMusicPlayer() override
    {
        Close();
        AudioDevice::Release();
    }

    const std::string& FileName() const override { return name_; }
    void SetFileName(const std::string& name) override { name_ = name; }

    void Open() override
    {
        Close();
        const std::string file = ResolveScenarioFile(name_);
        // The file must exist, as it would have to for a device to open it,
        // and be a plain file: the mixer would wait forever on a named pipe
        // and read a device link without end.
        if (!IsRegularFile(file)) throw EMCIDeviceError("Couldn't open '" + DisplayName(file).toStdString() + "'");
        if (!AudioDevice::Ready()) {
            // No audio at all: the player keeps its modes without sound.
            open_ = true;
            return;
        }
        music_ = Mix_LoadMUS(file.c_str());
        if (!music_) throw EMCIDeviceError(MediaError(file));
        open_ = true;
    }

    void Close() override
    {
        if (music_) Mix_FreeMusic(music_);
        music_ = nullptr;
        open_ = started_ = paused_ = false;
    }

    void Play() override
    {
        if (!open_) throw EMCIDeviceError(kNoDevice);
        if (started_ && !Ended()) {
            if (paused_ && music_) Mix_ResumeMusic();
            paused_ = false;
            return;
        }
        started_ = true;
        paused_ = false;
        if (!music_) return;
        endsAtStart_ = g_musicEnds.load();
        if (Mix_PlayMusic(music_, 1) != 0) {
            // Closed, so the repeat timer does not try again every tick.
            const std::string text = MediaError(ResolveScenarioFile(name_));
            Close();
            throw EMCIDeviceError(text);
        }
        // A pause left from the last track would otherwise hold this one.
        Mix_ResumeMusic();
    }

    void Stop() override
    {
        if (!open_) throw EMCIDeviceError(kNoDevice);
        if (started_ && !paused_ && music_ && !Ended()) Mix_PauseMusic();
        if (started_) paused_ = true;
    }

    TMPModes Mode() const override
    {
        if (!open_) return TMPModes::mpNotReady;
        if (!started_ || paused_ || Ended()) return TMPModes::mpStopped;
        return TMPModes::mpPlaying;
    }

private:
    // The track has played to its end since it was last started. Without any
    // audio a track never ends, so it is not restarted over and over.
    bool Ended() const { return music_ && started_ && g_musicEnds.load() != endsAtStart_; }

    std::string name_;
    Mix_Music* music_ = nullptr;
    bool open_ = false;     // a file is open (music_ is null only without audio)
    bool started_ = false;  // played since it was opened
    bool paused_ = false;   // stopped by Stop
    unsigned endsAtStart_ = 0;
};

// The sound call: the whole file is decoded and played once on its own
// channel over the music; any failure is silence.
class SdlSoundPlayer : public ISoundPlayer {
public:
    SdlSoundPlayer() { AudioDevice::Acquire(); }
    ~SdlSoundPlayer() override
    {
        FreeSound();
        AudioDevice::Release();
    }

    void PlayOnce(const std::string& path) override
    {
        if (!AudioDevice::Ready()) return;
        FreeSound();
        const std::string file = ResolveScenarioFile(path);
        if (!IsRegularFile(file)) return;  // as the mixer would wait on a pipe or read a device without end
        sound_ = Mix_LoadWAV(file.c_str());
        if (sound_ && Mix_PlayChannel(kSoundChannel, sound_, 0) < 0) FreeSound();
    }

private:
    void FreeSound()
    {
        if (!sound_) return;
        Mix_HaltChannel(kSoundChannel);
        Mix_FreeChunk(sound_);
        sound_ = nullptr;
    }

    Mix_Chunk* sound_ = nullptr;
};

} // namespace

std::unique_ptr<IMusicPlayer> CreateMusicPlayer() { return std::make_unique<SdlMusicPlayer>(); }
std::unique_ptr<ISoundPlayer> CreateSoundPlayer() { return std::make_unique<SdlSoundPlayer>(); }

std::string CurrentAudioDriver() { return AudioDevice::Driver(); }
