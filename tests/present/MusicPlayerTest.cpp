// The SDL music player and sound call, heard through SDL's disk driver: every
// test opens the device anew with SDL_AUDIODRIVER=disk and reads back the
// samples written to SDL_DISKAUDIOFILE (16-bit stereo at 44.1 kHz, the format
// the player asks for). The disk driver writes at real-time pace, so tracks
// and waits are kept short.
//
// Most tracks are constant levels rather than tones: the mixer adds music and
// sound exactly, so the level written at each moment says which files are
// sounding, and from where in the file.
#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>
#include <SDL.h>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

#include "base/Errors.h"
#include "common/Doubles.h"
#include "present/MusicPlayer.h"

namespace {

constexpr int kRate = 44100;

double FramesToMs(long frames) { return frames * 1000.0 / kRate; }
long MsToFrames(double ms) { return static_cast<long>(ms * kRate / 1000.0); }

void Put16(std::string& s, int v)
{
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>((v >> 8) & 0xFF);
}

void Put32(std::string& s, uint32_t v)
{
    Put16(s, static_cast<int>(v & 0xFFFF));
    Put16(s, static_cast<int>(v >> 16));
}

// A 16-bit stereo WAV at the device rate, both channels the same.
std::string Wav(const std::vector<int>& frames)
{
    std::string data;
    for (int v : frames) {
        Put16(data, v);
        Put16(data, v);
    }
    std::string wav = "RIFF";
    Put32(wav, static_cast<uint32_t>(36 + data.size()));
    wav += "WAVEfmt ";
    Put32(wav, 16);
    Put16(wav, 1);  // PCM
    Put16(wav, 2);
    Put32(wav, kRate);
    Put32(wav, kRate * 4);
    Put16(wav, 4);
    Put16(wav, 16);
    wav += "data";
    Put32(wav, static_cast<uint32_t>(data.size()));
    return wav + data;
}

// Constant levels for the given times: (ms, level) pieces.
std::string LevelWav(const std::vector<std::pair<int, int>>& pieces)
{
    std::vector<int> frames;
    for (auto [ms, level] : pieces) frames.insert(frames.end(), static_cast<size_t>(MsToFrames(ms)), level);
    return Wav(frames);
}

// A 441 Hz tone: a period is exactly 100 frames.
std::string SineWav(int ms, double amplitude)
{
    std::vector<int> frames;
    for (long i = 0; i < MsToFrames(ms); ++i)
        frames.push_back(static_cast<int>(amplitude * 32767 * std::sin(2 * M_PI * static_cast<double>(i) / 100.0)));
    return Wav(frames);
}

// A one-track MIDI file: one piano note of the given length, then the end.
// The tempo makes one tick a millisecond.
std::string NoteMidi(int ms)
{
    std::string track;
    track += std::string("\x00\xFF\x51\x03\x01\x77\x00", 7);  // 96000 us per quarter, 96 ticks
    track += std::string("\x00\xC0\x00", 3);                  // acoustic grand piano
    track += std::string("\x00\x90\x45\x7F", 4);              // A4 on, full velocity
    std::string delta;                                        // variable-length ms
    for (int v = ms, first = 1; first || v > 0; v >>= 7, first = 0)
        delta.insert(delta.begin(), static_cast<char>((v & 0x7F) | (first ? 0 : 0x80)));
    track += delta + std::string("\x80\x45\x40", 3);
    track += std::string("\x00\xFF\x2F\x00", 4);
    const auto be = [](uint32_t v, int bytes) {
        std::string s;
        for (int i = bytes - 1; i >= 0; --i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
        return s;
    };
    return "MThd" + be(6, 4) + be(0, 2) + be(1, 2) + be(96, 2) + "MTrk" + be(static_cast<uint32_t>(track.size()), 4) +
           track;
}

std::string Fixture(const char* name) { return std::string(QORIX_TEST_DATA) + "/audio/" + name; }

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Spins the event loop, so the window's timers run, for the given time.
void RunFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// The levels heard in order, silence and consecutive repeats left out. With
// constant-level files every frame holds one of the sums of the files playing.
std::vector<int> Levels(const std::vector<int16_t>& left)
{
    std::vector<int> out;
    for (int16_t s : left)
        if (s != 0 && (out.empty() || out.back() != s)) out.push_back(s);
    return out;
}

double MsAtLevel(const std::vector<int16_t>& left, int level)
{
    long n = 0;
    for (int16_t s : left) n += s == level;
    return FramesToMs(n);
}

// Stretches of sound, [first, last] frame above the threshold, split where
// there is more than 5 ms below it.
struct Span {
    long First, Last;
};

std::vector<Span> Sounding(const std::vector<int16_t>& left, int threshold = 300)
{
    std::vector<Span> spans;
    const long gap = MsToFrames(5);
    for (long i = 0; i < static_cast<long>(left.size()); ++i) {
        if (std::abs(left[static_cast<size_t>(i)]) <= threshold) continue;
        if (spans.empty() || i - spans.back().Last > gap)
            spans.push_back({i, i});
        else
            spans.back().Last = i;
    }
    return spans;
}

std::vector<double> GapsMs(const std::vector<Span>& spans)
{
    std::vector<double> gaps;
    for (size_t i = 1; i < spans.size(); ++i) gaps.push_back(FramesToMs(spans[i].First - spans[i - 1].Last));
    return gaps;
}

int Peak(const std::vector<int16_t>& left)
{
    int peak = 0;
    for (int16_t s : left) peak = std::max(peak, std::abs(static_cast<int>(s)));
    return peak;
}

// Each test gets the disk driver and a fresh output file; the device is opened
// by the first player that needs it and closed with the last player.
class DiskAudio : public ::testing::Test {
protected:
    TestWindow W;  // for its folder and its doubles
    std::string Out;
    SDL_LogOutputFunction log_ = nullptr;
    void* logData_ = nullptr;

    void SetUp() override
    {
        Out = W.Folder + "out.raw";
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", Out.c_str(), 1);
        // The disk driver announces itself on every open.
        SDL_LogGetOutputFunction(&log_, &logData_);
        SDL_LogSetOutputFunction([](void*, int, SDL_LogPriority, const char*) {}, nullptr);
    }
    void TearDown() override
    {
        SDL_LogSetOutputFunction(log_, logData_);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        unsetenv("SDL_DISKAUDIOFILE");
    }

    // The left channel of what was written; every player must be gone.
    std::vector<int16_t> Left() const
    {
        const std::string raw = ReadAll(Out);
        std::vector<int16_t> left;
        for (size_t i = 0; i + 4 <= raw.size(); i += 4)
            left.push_back(static_cast<int16_t>(static_cast<uint8_t>(raw[i]) | (static_cast<uint8_t>(raw[i + 1]) << 8)));
        return left;
    }
};

// A main window on the real player and sound call, with a scenario folder.
struct AudioWindow {
    explicit AudioWindow(TestWindow& w) : Music(CreateMusicPlayer()), Sound(CreateSoundPlayer())
    {
        Services s;
        s.Dialogs = &w.Dialogs;
        s.Sleeper = &w.Sleeper;
        s.DisplayModes = &w.Display;
        s.Music = Music.get();
        s.Sound = Sound.get();
        s.ProgramFolder = w.Folder;
        Form = std::make_unique<TMainForm>(s);
        Form->ResetPlayer();
        Form->ScenarioFolder = w.Folder;
    }
    std::unique_ptr<IMusicPlayer> Music;
    std::unique_ptr<ISoundPlayer> Sound;
    std::unique_ptr<TMainForm> Form;  // destroyed first
};

// ---- Formats ------------------------------------------------------------------

struct FormatCase {
    const char* what;
    std::string file;  // written into the folder from the bytes, or a fixture
    std::string bytes;
    std::string name;  // as the scenario names it
};

void PrintTo(const FormatCase& c, std::ostream* os) { *os << c.what; }

// Each format is heard, once per Play, and its end is reported at once: the
// test restarts the track the moment the player reports it stopped, so the
// silences between the plays are how late the end is seen.
class FormatPlays : public DiskAudio, public ::testing::WithParamInterface<FormatCase> {};

TEST_P(FormatPlays, HeardOncePerPlayAndItsEndReportedAtOnce)
{
    const FormatCase& c = GetParam();
    if (!c.bytes.empty()) W.WriteFile(c.file, c.bytes);
    {
        auto music = CreateMusicPlayer();
        music->SetFileName(c.bytes.empty() ? Fixture(c.file.c_str()) : W.Folder + c.name);
        music->Open();
        EXPECT_EQ(music->Mode(), TMPModes::mpStopped);
        music->Play();
        EXPECT_EQ(music->Mode(), TMPModes::mpPlaying);
        EXPECT_EQ(CurrentAudioDriver(), "disk");
        int restarts = 0;
        for (auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(800);
             std::chrono::steady_clock::now() < end;) {
            if (music->Mode() == TMPModes::mpStopped) {
                if (restarts == 2) break;
                music->Play();
                ++restarts;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        EXPECT_EQ(restarts, 2);
    }
    const auto left = Left();
    const auto spans = Sounding(left);
    EXPECT_GT(Peak(left), 8000);
    ASSERT_EQ(spans.size(), 3u) << c.what << ": three plays, the mixer looping none";
    for (const Span& s : spans) EXPECT_NEAR(FramesToMs(s.Last - s.First), 100.0, 12.0) << c.what;
    const auto gaps = GapsMs(spans);
    for (double gap : gaps) EXPECT_LT(gap, 60.0) << c.what;
    std::printf("[ measure  ] %s: end seen and restarted after %.1f and %.1f ms\n", c.what, gaps[0], gaps[1]);
}

INSTANTIATE_TEST_SUITE_P(Formats, FormatPlays,
                         ::testing::Values(FormatCase{"WAV", "tone.wav", SineWav(100, 0.5), "tone.wav"},
                                           FormatCase{"OGG", "tone440.ogg", "", ""},
                                           FormatCase{"MIDI", "note.mid", NoteMidi(100), "note.mid"}));

// The window's own 300 ms timer repeats a track: each silence between plays
// is the wait for the next tick after the end, which Qt may deliver up to 5%
// late, plus at most one mixer buffer (23 ms) before the restart is mixed.
// The track starts 200 ms after the timer, so that its end falls near a tick
// and long waits are seen.
class LoopTimer : public DiskAudio, public ::testing::WithParamInterface<FormatCase> {};

TEST_P(LoopTimer, RepeatsTheTrackWithinATimerPeriod)
{
    const FormatCase& c = GetParam();
    W.WriteFile(c.file, c.bytes);
    {
        AudioWindow a(W);
        RunFor(200);
        a.Form->ChangeMusic(c.name);
        RunFor(850);  // three plays at the least
    }
    const auto gaps = GapsMs(Sounding(Left()));
    ASSERT_GE(gaps.size(), 2u) << c.what;
    double worst = 0;
    for (double gap : gaps) {
        EXPECT_LE(gap, 300.0 * 1.05 + FramesToMs(1024)) << c.what;
        worst = std::max(worst, gap);
    }
    std::printf("[ measure  ] %s: %zu repeats by the loop timer, longest silence %.1f ms\n", c.what, gaps.size(),
                worst);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, LoopTimer,
    // Old scenarios name files as a case-blind file system found them.
    ::testing::Values(FormatCase{"WAV", "tone.wav", SineWav(60, 0.5), "TONE.WAV"},
                      FormatCase{"MIDI", "note.mid", NoteMidi(60), "note.mid"}));

// ---- The music commands --------------------------------------------------------

constexpr int kMark = 9000;  // the first 30 ms of a track: where it starts

TEST_F(DiskAudio, SameTrackAgainDoesNotRestartIt)
{
    W.WriteFile("a.wav", LevelWav({{30, kMark}, {400, 3000}}));
    {
        AudioWindow a(W);
        a.Form->ChangeMusic("a.wav");
        RunFor(100);
        a.Form->ChangeMusic("a.wav");
        RunFor(100);
        EXPECT_EQ(a.Music->Mode(), TMPModes::mpPlaying);
    }
    const auto left = Left();
    EXPECT_EQ(Levels(left), (std::vector<int>{kMark, 3000}));
    EXPECT_NEAR(MsAtLevel(left, kMark), 30.0, 1.0);
}

TEST_F(DiskAudio, AnotherTrackStopsTheOldAndStartsFromItsBeginning)
{
    W.WriteFile("a.wav", LevelWav({{30, kMark}, {600, 3000}}));
    W.WriteFile("b.wav", LevelWav({{30, kMark + 1}, {600, 5000}}));
    {
        AudioWindow a(W);
        a.Form->ChangeMusic("a.wav");
        RunFor(100);
        a.Form->ChangeMusic("b.wav");
        EXPECT_EQ(a.Music->FileName(), W.Folder + "b.wav");
        RunFor(100);
    }
    EXPECT_EQ(Levels(Left()), (std::vector<int>{kMark, 3000, kMark + 1, 5000}));
}

// Three ways to silence, as the music command, the reset and a bookmark
// without music give them. A 200 ms track is playing when they come.
struct SilenceCase {
    const char* what;
    std::function<void(TMainForm&)> act;
    bool playsToItsEnd;  // a bookmark lets the track finish
};

void PrintTo(const SilenceCase& c, std::ostream* os) { *os << c.what; }

class Silence : public DiskAudio, public ::testing::WithParamInterface<SilenceCase> {};

TEST_P(Silence, NoRepeatAfterwards)
{
    const SilenceCase& c = GetParam();
    W.WriteFile("a.wav", LevelWav({{30, kMark}, {170, 3000}}));
    {
        AudioWindow a(W);
        a.Form->ChangeMusic("a.wav");
        RunFor(60);
        c.act(*a.Form);
        EXPECT_EQ(a.Music->FileName(), "nothing");
        RunFor(320);  // past the loop timer's first tick, which comes after the end
    }
    const auto left = Left();
    const auto levels = Levels(left);
    ASSERT_FALSE(levels.empty());
    EXPECT_EQ(levels[0], kMark);
    EXPECT_LE(MsAtLevel(left, kMark), 31.0) << "not started again";
    if (c.playsToItsEnd) {
        EXPECT_EQ(levels, (std::vector<int>{kMark, 3000}));
        EXPECT_NEAR(MsAtLevel(left, 3000), 170.0, 1.0);
    } else {
        EXPECT_LE(levels.size(), 2u);
        EXPECT_LT(MsAtLevel(left, 3000), 150.0) << "stopped before its end";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Ways, Silence,
    ::testing::Values(SilenceCase{"music command nothing", [](TMainForm& f) { f.ChangeMusic("nothing"); }, false},
                      SilenceCase{"player reset", [](TMainForm& f) { f.ResetPlayer(); }, false},
                      // What loading a bookmark does with its music line "nothing".
                      SilenceCase{"bookmark without music",
                                  [](TMainForm& f) { f.BGMPlayer().SetFileName("nothing"); }, true}));

TEST_F(DiskAudio, BookmarkWithMusicPlaysItFromTheBeginning)
{
    W.WriteFile("a.wav", LevelWav({{30, kMark}, {600, 3000}}));
    W.WriteFile("b.wav", LevelWav({{30, kMark + 1}, {600, 5000}}));
    {
        AudioWindow a(W);
        a.Form->ChangeMusic("b.wav");
        RunFor(100);
        a.Form->ChangeMusic("a.wav");
        RunFor(100);
        // The bookmark's music line names b.wav, which was heard before.
        IMusicPlayer& p = a.Form->BGMPlayer();
        p.SetFileName(W.Folder + "b.wav");
        p.Open();
        p.Play();
        RunFor(100);
    }
    EXPECT_EQ(Levels(Left()), (std::vector<int>{kMark + 1, 5000, kMark, 3000, kMark + 1, 5000}));
}

TEST_F(DiskAudio, StopKeepsThePlaceAndPlayGoesOnFromIt)
{
    W.WriteFile("a.wav", LevelWav({{100, 2000}, {100, 4000}}));
    {
        auto music = CreateMusicPlayer();
        music->SetFileName(W.Folder + "a.wav");
        music->Open();
        music->Play();
        RunFor(60);
        music->Stop();
        EXPECT_EQ(music->Mode(), TMPModes::mpStopped);
        RunFor(100);
        music->Play();
        RunFor(200);
        EXPECT_EQ(music->Mode(), TMPModes::mpStopped) << "at its end";
    }
    const auto left = Left();
    const auto spans = Sounding(left, 1000);
    ASSERT_EQ(spans.size(), 2u) << "a pause, then the rest";
    EXPECT_EQ(Levels(left), (std::vector<int>{2000, 4000}));
    EXPECT_NEAR(MsAtLevel(left, 2000) + MsAtLevel(left, 4000), 200.0, 1.0) << "nothing played twice";
}

TEST_F(DiskAudio, MissingTrackRaisesTheDeviceErrorAndTheNextClickPassesOverIt)
{
    {
        AudioWindow a(W);
        const std::string name = S("曲.mid");
        a.Form->ScenarioLines = TStringList({"T", ".m " + name, "text", ".w", ".e"});
        const auto click = [&] { a.Form->Guarded([&] { a.Form->MbtnClick(); }); };
        click();
        ASSERT_EQ(W.Dialogs.Messages.size(), 1u);
        EXPECT_NE(W.Dialogs.Messages[0].find("曲.mid"), std::string::npos) << W.Dialogs.Messages[0];
        EXPECT_EQ(a.Form->TextLines[0]->Caption(), "");
        EXPECT_EQ(a.Music->FileName(), W.Folder + name);
        EXPECT_EQ(a.Music->Mode(), TMPModes::mpNotReady);

        click();
        EXPECT_EQ(W.Dialogs.Messages.size(), 1u);
        EXPECT_EQ(a.Form->TextLines[0]->Caption(), "text");
        RunFor(350);
        EXPECT_EQ(a.Music->Mode(), TMPModes::mpNotReady) << "the timer leaves it";

        W.WriteFile("bad.ogg", "not a sound file at all");
        EXPECT_THROW(a.Form->ChangeMusic("bad.ogg"), EMCIDeviceError);
    }
    EXPECT_TRUE(Levels(Left()).empty());
}

TEST_F(DiskAudio, PlayAndStopWithoutAnOpenFileRaiseTheDeviceError)
{
    auto music = CreateMusicPlayer();
    EXPECT_EQ(music->Mode(), TMPModes::mpNotReady);
    EXPECT_THROW(music->Play(), EMCIDeviceError);
    EXPECT_THROW(music->Stop(), EMCIDeviceError);
    EXPECT_NO_THROW(music->Close());
}

// ---- Sound effects ---------------------------------------------------------------

TEST_F(DiskAudio, SoundMixesOverTheMusicAndTheNextCutsItOff)
{
    W.WriteFile("m.wav", LevelWav({{700, 3000}}));
    W.WriteFile("long.wav", LevelWav({{600, 4000}}));
    W.WriteFile("short.wav", LevelWav({{100, 10000}}));
    {
        AudioWindow a(W);
        a.Form->ChangeMusic("m.wav");
        RunFor(100);
        a.Form->PlaySoundEffect("long.wav");
        RunFor(100);
        a.Form->PlaySoundEffect("short.wav");
        RunFor(170);
        EXPECT_EQ(a.Music->Mode(), TMPModes::mpPlaying) << "the sounds leave the music alone";
    }
    const auto left = Left();
    EXPECT_EQ(Levels(left), (std::vector<int>{3000, 7000, 13000, 3000}));
    EXPECT_NEAR(MsAtLevel(left, 13000), 100.0, 1.0);
}

TEST_F(DiskAudio, SoundThatCannotBePlayedIsSilentAndCutsOffTheLast)
{
    W.WriteFile("long.wav", LevelWav({{500, 4000}}));
    W.WriteFile("bad.wav", "RIFF....WAVEjunk");
    {
        AudioWindow a(W);
        a.Form->PlaySoundEffect("long.wav");
        RunFor(100);
        a.Form->PlaySoundEffect("missing.wav");
        RunFor(100);
        a.Form->PlaySoundEffect("bad.wav");
        a.Form->PlaySoundEffect("nothing");
        RunFor(50);
        EXPECT_TRUE(W.Dialogs.Messages.empty());
    }
    const auto left = Left();
    EXPECT_EQ(Levels(left), (std::vector<int>{4000}));
    EXPECT_LT(MsAtLevel(left, 4000), 200.0);
}

// ---- No sound device -------------------------------------------------------------

struct DeviceCase {
    const char* what;
    const char* driver;
    const char* file;  // SDL_DISKAUDIOFILE, or null to keep the fixture's
};

void PrintTo(const DeviceCase& c, std::ostream* os) { *os << c.what; }

class NoDevice : public DiskAudio, public ::testing::WithParamInterface<DeviceCase> {};

TEST_P(NoDevice, StoryPlaysSilentlyWithTheUsualModes)
{
    const DeviceCase& c = GetParam();
    setenv("SDL_AUDIODRIVER", c.driver, 1);
    if (c.file) setenv("SDL_DISKAUDIOFILE", c.file, 1);
    W.WriteFile("a.wav", LevelWav({{100, 3000}}));
    AudioWindow a(W);
    a.Form->PlaySoundEffect("a.wav");
    EXPECT_NO_THROW(a.Form->ChangeMusic("a.wav"));
    EXPECT_EQ(CurrentAudioDriver(), "dummy");
    EXPECT_EQ(a.Music->Mode(), TMPModes::mpPlaying);
    // The silent track still ends in its time, and the timer repeats it.
    bool ended = false;
    for (int i = 0; i < 40 && !ended; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ended = a.Music->Mode() == TMPModes::mpStopped;
    }
    EXPECT_TRUE(ended);
    bool again = false;
    for (int i = 0; i < 40 && !again; ++i) {
        RunFor(10);
        again = a.Music->Mode() == TMPModes::mpPlaying;
    }
    EXPECT_TRUE(again) << "repeated by the timer";
    a.Form->ChangeMusic("nothing");
    EXPECT_EQ(a.Music->Mode(), TMPModes::mpStopped);
    EXPECT_THROW(a.Form->ChangeMusic("gone.wav"), EMCIDeviceError) << "a missing file is still an error";
    EXPECT_TRUE(W.Dialogs.Messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Devices, NoDevice,
    ::testing::Values(DeviceCase{"driver that does not exist", "no-such-driver", nullptr},
                      // The disk driver cannot create its file: as a busy device.
                      DeviceCase{"device that cannot be opened", "disk", "/nonexistent-dir/out.raw"}));

} // namespace
