// The music logic of the main window against the media-player double: which
// player calls ".m", the repeat timer and the reset make in each mode.
#include <gtest/gtest.h>

#include "base/Errors.h"
#include "common/Doubles.h"

namespace {

using Calls = std::vector<std::string>;
constexpr TMPModes kPlaying = TMPModes::mpPlaying;
constexpr TMPModes kStopped = TMPModes::mpStopped;
constexpr TMPModes kOpen = TMPModes::mpOpen;
constexpr TMPModes kNotReady = TMPModes::mpNotReady;

// A window reset as an open leaves it, with the player then put into the
// given state. Names starting with "@" are files in the scenario folder.
struct MusicWindow {
    TestWindow W;
    MusicWindow(const std::string& name, TMPModes mode)
    {
        W.UseLines({"title", "text"});
        W.Music.SetFileName(Path(name));
        W.Music.ModeValue = mode;
        W.Music.Calls.clear();
    }
    std::string Path(const std::string& name) const
    {
        return !name.empty() && name[0] == '@' ? W.Folder + name.substr(1) : name;
    }
    TMainForm& Form() { return *W.Form; }
};

struct ChangeCase {
    const char* what;
    std::string name;   // the player's file name before
    TMPModes mode;      // its mode before
    std::string argument;
    Calls calls;        // "open @x" stands for the scenario folder's x
    std::string nameAfter;
    TMPModes modeAfter;
};

void PrintTo(const ChangeCase& c, std::ostream* os) { *os << c.what; }

class ChangeMusicTable : public ::testing::TestWithParam<ChangeCase> {};

TEST_P(ChangeMusicTable, CallsThePlayerAsTheModeRequires)
{
    const ChangeCase& c = GetParam();
    MusicWindow m(c.name, c.mode);
    m.Form().ChangeMusic(c.argument);
    Calls expected;
    for (const auto& call : c.calls)
        expected.push_back(call.rfind("open @", 0) == 0 ? "open " + m.Path(call.substr(5)) : call);
    EXPECT_EQ(m.W.Music.Calls, expected);
    EXPECT_EQ(m.W.Music.FileName(), m.Path(c.nameAfter));
    EXPECT_EQ(m.W.Music.Mode(), c.modeAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, ChangeMusicTable,
    ::testing::Values(
        ChangeCase{"another track while one plays", "@a.wav", kPlaying, "b.mid",
                   {"stop", "open @b.mid", "play"}, "@b.mid", kPlaying},
        ChangeCase{"another track after the last ended", "@a.wav", kStopped, "b.mid",
                   {"open @b.mid", "play"}, "@b.mid", kPlaying},
        ChangeCase{"another track while the device reports open", "@a.wav", kOpen, "b.mid",
                   {"close", "open @b.mid", "play"}, "@b.mid", kPlaying},
        ChangeCase{"a track after a failed open", "@a.wav", kNotReady, "b.mid",
                   {"open @b.mid", "play"}, "@b.mid", kPlaying},
        ChangeCase{"the first track after start-up", "", kNotReady, "b.mid",
                   {"open @b.mid", "play"}, "@b.mid", kPlaying},
        ChangeCase{"the same track while it plays", "@a.wav", kPlaying, "a.wav", {}, "@a.wav", kPlaying},
        ChangeCase{"the same track between its end and the repeat", "@a.wav", kStopped, "a.wav", {},
                   "@a.wav", kStopped},
        ChangeCase{"the same name whose open failed", "@a.wav", kNotReady, "a.wav", {}, "@a.wav", kNotReady},
        ChangeCase{"nothing while a track plays", "@a.wav", kPlaying, "nothing", {"stop"}, "nothing", kStopped},
        ChangeCase{"nothing while the device reports open", "@a.wav", kOpen, "nothing", {"close"}, "nothing",
                   kNotReady},
        ChangeCase{"nothing after the track ended", "@a.wav", kStopped, "nothing", {}, "nothing", kStopped},
        ChangeCase{"nothing with nothing open", "nothing", kNotReady, "nothing", {}, "nothing", kNotReady},
        // A bookmark without music lets the track play on under "nothing";
        // "nothing" never equals the folder-prefixed argument, so it stops.
        ChangeCase{"nothing while a track plays on under nothing", "nothing", kPlaying, "nothing", {"stop"},
                   "nothing", kStopped}));

TEST(ChangeMusic, MissingTrackRaisesTheDeviceErrorOnceAndIsPassedOverAfterwards)
{
    MusicWindow m("nothing", kNotReady);
    const std::string gone = m.Path("@gone.ogg");
    m.W.Music.Missing = {gone};
    EXPECT_THROW(m.Form().ChangeMusic("gone.ogg"), EMCIDeviceError);
    EXPECT_EQ(m.W.Music.FileName(), gone);
    EXPECT_EQ(m.W.Music.Mode(), kNotReady);

    m.W.Music.Calls.clear();
    EXPECT_NO_THROW(m.Form().ChangeMusic("gone.ogg"));
    m.Form().BGMLoopTimerTimer();
    EXPECT_TRUE(m.W.Music.Calls.empty());
}

TEST(ChangeMusic, DeviceErrorReachesTheReaderThroughTheHandler)
{
    MusicWindow m("nothing", kNotReady);
    m.W.Music.Missing = {m.Path("@gone.ogg")};
    m.W.Dialogs.Messages.clear();
    m.Form().Guarded([&] { m.Form().ChangeMusic("gone.ogg"); });
    ASSERT_EQ(m.W.Dialogs.Messages.size(), 1u);
    EXPECT_EQ(m.W.Dialogs.Messages[0], "指定されたファイルが見つかりません");
}

struct TimerCase {
    const char* what;
    std::string name;
    TMPModes mode;
    Calls calls;
};

void PrintTo(const TimerCase& c, std::ostream* os) { *os << c.what; }

class LoopTimerTable : public ::testing::TestWithParam<TimerCase> {};

TEST_P(LoopTimerTable, RestartsOnlyANamedTrackThatHasStopped)
{
    const TimerCase& c = GetParam();
    MusicWindow m(c.name, c.mode);
    m.Form().BGMLoopTimerTimer();
    EXPECT_EQ(m.W.Music.Calls, c.calls);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, LoopTimerTable,
    ::testing::Values(TimerCase{"a named track at its end", "@a.wav", kStopped, {"play"}},
                      TimerCase{"a named track playing", "@a.wav", kPlaying, {}},
                      TimerCase{"a named track the device reports open", "@a.wav", kOpen, {}},
                      TimerCase{"a named track whose open failed", "@a.wav", kNotReady, {}},
                      TimerCase{"nothing after a stop", "nothing", kStopped, {}},
                      TimerCase{"nothing while a track plays on", "nothing", kPlaying, {}},
                      TimerCase{"start-up, no name yet", "", kNotReady, {}}));

TEST(BGMLoopTimer, RepeatsATrackEachTimeItEnds)
{
    MusicWindow m("nothing", kNotReady);
    m.Form().ChangeMusic("a.wav");
    for (int round = 0; round < 3; ++round) {
        m.W.Music.ReachEnd();
        m.Form().BGMLoopTimerTimer();
        EXPECT_EQ(m.W.Music.Mode(), kPlaying);
        m.Form().BGMLoopTimerTimer();  // playing: a tick does nothing
    }
    EXPECT_EQ(m.W.Music.Calls, (Calls{"open " + m.Path("@a.wav"), "play", "play", "play", "play"}));
}

struct ResetCase {
    const char* what;
    TMPModes mode;
    Calls calls;
    TMPModes modeAfter;
};

void PrintTo(const ResetCase& c, std::ostream* os) { *os << c.what; }

class ResetMusicTable : public ::testing::TestWithParam<ResetCase> {};

TEST_P(ResetMusicTable, StopsTheMusicAndNamesNothing)
{
    const ResetCase& c = GetParam();
    MusicWindow m("@a.wav", c.mode);
    m.Form().ResetPlayer();
    EXPECT_EQ(m.W.Music.Calls, c.calls);
    EXPECT_EQ(m.W.Music.FileName(), "nothing");
    EXPECT_EQ(m.W.Music.Mode(), c.modeAfter);
    m.W.Music.Calls.clear();
    m.Form().BGMLoopTimerTimer();
    EXPECT_TRUE(m.W.Music.Calls.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Modes, ResetMusicTable,
    ::testing::Values(ResetCase{"playing: stopped and left open", kPlaying, {"stop"}, kStopped},
                      ResetCase{"open: closed", kOpen, {"close"}, kNotReady},
                      ResetCase{"stopped at its end: left as it is", kStopped, {}, kStopped},
                      ResetCase{"not ready: nothing to do", kNotReady, {}, kNotReady}));

TEST(PlaySoundEffect, HandsTheFolderAndArgumentToTheSoundCall)
{
    MusicWindow m("nothing", kNotReady);
    m.Form().PlaySoundEffect("se/door.wav");
    m.Form().PlaySoundEffect("nothing");  // no special meaning for sounds
    EXPECT_EQ(m.W.Sound.Played, (Calls{m.W.Folder + "se/door.wav", m.W.Folder + "nothing"}));
    EXPECT_TRUE(m.W.Music.Calls.empty());
}

} // namespace
