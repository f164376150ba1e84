// The save file: creation, acceptance, bookmark saves and loads, failures.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/Sjis.h"
#include "common/Doubles.h"
#include "persist/PersistSupport.h"

namespace {

// The record of the state right after a reset, with the answer buttons as
// the window's layout names them.
Lines ResetRecord()
{
    Lines r{std::string(50, '0')};
    r.resize(11);
    for (const char* l : {"3", "1", "black", "nothing", "nothing", "nothing", "c", "nothing", "c", "nothing", "c",
                          "nothing", "c", "normal", "nothing", "1", "0", "M", "", "", ""})
        r.push_back(l);
    r.push_back(S("Ａボタン"));
    r.push_back(S("Ｂボタン"));
    r.push_back(S("Ｃボタン"));
    r.push_back("");
    return r;
}

Lines SaveFile(const std::string& flags, const Lines& r1, const Lines& r2, const Lines& r3)
{
    Lines f{flags};
    for (auto [header, r] : {std::pair{"sav_1", &r1}, std::pair{"sav_2", &r2}, std::pair{"sav_3", &r3}}) {
        f.push_back(header);
        f.insert(f.end(), r->begin(), r->end());
        f.resize(f.size() + 45 - r->size());
    }
    return f;
}

class SaveFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tw.Create();
        scenario = tw.WriteFile("s.snr", "T\n" + S("一行目") + "\n" + S("二行目") + "\n.w\nthird\n.w\nfourth\n");
        save = tw.Folder + "s.ssv";
    }
    TMainForm& F() { return *tw.Form; }
    void Open() { F().Guarded([&] { F().DropFile(scenario); }); }
    void Run(void (TMainForm::*handler)()) { F().Guarded([&] { (F().*handler)(); }); }
    bool Shown(TShadowLabel* b) { return !b->isHidden() && b->isEnabledTo(F().MainPanel); }
    TestWindow tw;
    std::string scenario, save;
};

TEST_F(SaveFileTest, NewScenarioGetsThreeResetRecords)
{
    Open();
    const Lines r = ResetRecord();
    ASSERT_EQ(r.size(), 36u);
    EXPECT_EQ(ReadFileBytes(save), Join(SaveFile(std::string(30, '0'), r, r, r)));
    EXPECT_EQ(FileLines(save).size(), 139u);
    EXPECT_TRUE(tw.Dialogs.Messages.empty());
}

TEST_F(SaveFileTest, SavingSlotTwoChangesOnlyLineZeroAndItsRecord)
{
    Open();
    const Lines before = FileLines(save);
    F().GlobalFlags[0] = 1;
    F().StoryFlags[49] = 1;
    F().HitoNamaeLabel->SetCaption(S("花子"));
    Run(&TMainForm::Save2Click);
    EXPECT_EQ(tw.Dialogs.Messages, (Lines{"しおり「ろ」を、ここに挟みました。"}));
    const Lines after = FileLines(save);
    ASSERT_EQ(after.size(), 139u);
    for (size_t i = 0; i < after.size(); ++i)
        if (i != 0 && (i < 48 || i > 83)) {
            EXPECT_EQ(after[i], before[i]) << "line " << i;
        }
    EXPECT_EQ(after[0], "1" + std::string(29, '0'));
    EXPECT_EQ(after[48], std::string(49, '0') + "1");
    EXPECT_EQ(after[49], S("一行目"));
    EXPECT_EQ(after[50], S("二行目"));
    EXPECT_EQ(after[74], "4");  // LineCursor: the line after the wait
    EXPECT_EQ(after[75], "2");  // TextLineIndex
    EXPECT_EQ(after[83], S("花子"));
}

struct AcceptCase {
    const char* name;
    int lines;
    std::vector<std::pair<int, std::string>> put;
    bool accepted;
};

void PrintTo(const AcceptCase& c, std::ostream* os) { *os << c.name; }

class AcceptTest : public SaveFileTest, public ::testing::WithParamInterface<AcceptCase> {};

TEST_P(AcceptTest, KeptOrReplaced)
{
    Lines file(static_cast<size_t>(GetParam().lines));
    file[0] = "1x1";
    for (const auto& [index, text] : GetParam().put) file[static_cast<size_t>(index)] = text;
    tw.WriteFile("s.ssv", Join(file));
    Open();
    EXPECT_TRUE(tw.Dialogs.Messages.empty());
    if (GetParam().accepted) {
        EXPECT_EQ(FileLines(save), file);
        EXPECT_EQ(F().SaveLines.Lines(), file);
        EXPECT_EQ(F().GlobalFlags[0], 1);
        EXPECT_EQ(F().GlobalFlags[1], 0);  // "x" leaves the flag as it was
        EXPECT_EQ(F().GlobalFlags[2], 1);
    } else {
        const Lines r = ResetRecord();
        EXPECT_EQ(FileLines(save), SaveFile(std::string(30, '0'), r, r, r));
        EXPECT_EQ(F().GlobalFlags[0], 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, AcceptTest,
    ::testing::Values(
        AcceptCase{"Lines129", 129, {{1, "sav_1"}, {47, "sav_2"}, {93, "sav_3"}}, false},
        AcceptCase{"Lines130", 130, {{1, "sav_1"}, {47, "sav_2"}, {93, "sav_3"}}, true},
        AcceptCase{"Capitals", 130, {{1, "SAV_1"}, {47, "Sav_2"}, {93, "sAV_3"}}, true},
        AcceptCase{"OtherHeadersAnywhere", 200, {{1, "sav_1"}, {150, "sav_3"}, {199, "sav_2"}}, true},
        AcceptCase{"FirstHeaderOnLineTwo", 139, {{2, "sav_1"}, {47, "sav_2"}, {93, "sav_3"}}, false},
        AcceptCase{"FirstHeaderAlsoEarlier", 139, {{0, "sav_1"}, {1, "sav_1"}, {47, "sav_2"}, {93, "sav_3"}}, false},
        AcceptCase{"HeaderWithBlank", 139, {{1, "sav_1 "}, {47, "sav_2"}, {93, "sav_3"}}, false},
        AcceptCase{"NoThirdHeader", 139, {{1, "sav_1"}, {47, "sav_2"}}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SaveFileTest, ShortFlagLineSetsOnlyItsFlags)
{
    Lines file = SaveFile("1111111111", ResetRecord(), ResetRecord(), ResetRecord());
    tw.WriteFile("s.ssv", Join(file));
    Open();
    for (int i = 0; i < 30; ++i) EXPECT_EQ(F().GlobalFlags[i], i < 10 ? 1 : 0) << i;
}

struct ChoiceCase {
    const char* name;
    std::string choice, labelC;
    bool a, b, c, canAdvance;
};

void PrintTo(const ChoiceCase& c, std::ostream* os) { *os << c.name; }

class ChoiceTest : public SaveFileTest, public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(ChoiceTest, LoadShowsTheButtonsTheRecordNames)
{
    Lines r = ResetRecord();
    r[1] = S("選んでください");
    r[26] = "5";  // LineCursor
    r[27] = "1";  // TextLineIndex
    r[28] = GetParam().choice;
    r[29] = "**a";
    r[30] = "**b";
    r[31] = GetParam().labelC;
    r[32] = S("はい");
    r[33] = S("いいえ");
    r[34] = S("たぶん");
    r[35] = S("花子");
    tw.WriteFile("s.ssv", Join(SaveFile(std::string(30, '0'), r, ResetRecord(), ResetRecord())));
    Open();
    // Whatever was on offer before does not matter.
    F().AnswerLabelC = "x";
    F().ShowAnswers();
    Run(&TMainForm::Load1Click);
    EXPECT_EQ(tw.Dialogs.Messages, (Lines{"しおり「い」の場所を見つけました。"}));
    EXPECT_EQ(Shown(F().Abtn), GetParam().a);
    EXPECT_EQ(Shown(F().Bbtn), GetParam().b);
    EXPECT_EQ(Shown(F().Cbtn), GetParam().c);
    EXPECT_EQ(F().CanAdvance, GetParam().canAdvance);
    EXPECT_EQ(F().AnswerLabelA, "**a");
    EXPECT_EQ(F().AnswerLabelC, GetParam().labelC);
    EXPECT_EQ(F().Abtn->Caption(), S("はい"));
    EXPECT_EQ(F().Cbtn->Caption(), S("たぶん"));
    EXPECT_EQ(F().HitoNamaeLabel->Caption(), S("花子"));
    EXPECT_EQ(tw.Captions()[0], S("選んでください"));
    EXPECT_EQ(tw.Captions()[1], "");
    // The restored page is the current page; there is none before it.
    EXPECT_EQ(F().PageText[0], S("選んでください"));
    EXPECT_EQ(F().PageSpeaker, S("花子"));
    EXPECT_EQ(F().LineCursor, 5);
    EXPECT_EQ(F().TextLineIndex, 1);
    EXPECT_FALSE(F().PrevShown);
    EXPECT_FALSE(F().MaeDoc->isEnabled());
    EXPECT_TRUE(F().Save->isEnabled());
    EXPECT_TRUE(F().Load->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Records, ChoiceTest,
                         ::testing::Values(ChoiceCase{"TwoAnswers", "ABC", "nothing", true, true, false, false},
                                           ChoiceCase{"ThreeAnswers", "ABC", "**c", true, true, true, false},
                                           ChoiceCase{"NoChoice", "M", "**c", false, false, false, true},
                                           ChoiceCase{"AnythingElseIsNoChoice", "abc", "**c", false, false, false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SaveFileTest, SaveThenLoadRestoresThePlace)
{
    Open();
    F().MbtnClick();  // "third" on line 3, stopped at the next wait
    F().StoryFlags[3] = 1;
    F().FadeLevel = 4;
    F().ShadeLevel = 2;
    F().FadeColor = "white";
    F().TransitionMode = "fade";
    F().PersonPos[2] = "l";
    F().AnswerLabelA = "**yes";
    tw.Music.SetFileName(tw.Folder + "bgm.ogg");
    Run(&TMainForm::Save3Click);
    const Lines captions = tw.Captions();
    const int cursor = F().LineCursor, index = F().TextLineIndex;

    F().ResetPlayer();
    F().AnswerLabelA = "";
    tw.Music.Calls.clear();
    tw.Dialogs.Messages.clear();
    Run(&TMainForm::Load3Click);
    EXPECT_EQ(tw.Dialogs.Messages, (Lines{"しおり「は」の場所を見つけました。"}));
    EXPECT_EQ(tw.Captions(), captions);
    EXPECT_EQ(F().LineCursor, cursor);
    EXPECT_EQ(F().TextLineIndex, index);
    EXPECT_EQ(F().StoryFlags[3], 1);
    EXPECT_EQ(F().FadeLevel, 4);
    EXPECT_EQ(F().ShadeLevel, 2);
    EXPECT_EQ(F().FadeColor, "white");
    EXPECT_EQ(F().TransitionMode, "fade");
    EXPECT_EQ(F().PersonPos[2], "l");
    EXPECT_EQ(F().AnswerLabelA, "**yes");
    EXPECT_EQ(tw.Music.Calls, (Lines{"open " + tw.Folder + "bgm.ogg", "play"}));
    // Reading goes on from the bookmark.
    F().MbtnClick();
    EXPECT_EQ(tw.Captions()[3], "fourth");
}

TEST_F(SaveFileTest, LoadWithoutMusicLetsPlayingMusicFinish)
{
    Open();
    tw.Music.SetFileName(tw.Folder + "bgm.ogg");
    tw.Music.ModeValue = TMPModes::mpPlaying;
    tw.Music.Calls.clear();
    Run(&TMainForm::Load1Click);
    EXPECT_TRUE(tw.Music.Calls.empty());
    EXPECT_EQ(tw.Music.FileName(), "nothing");
    EXPECT_EQ(tw.Music.Mode(), TMPModes::mpPlaying);
}

struct ClampCase {
    std::string index, fade;
    int expectedIndex, expectedFade;
};

void PrintTo(const ClampCase& c, std::ostream* os) { *os << "index " << c.index << ", fade " << c.fade; }

class ClampTest : public SaveFileTest, public ::testing::WithParamInterface<ClampCase> {};

TEST_P(ClampTest, HandEditedValuesStayInRange)
{
    Lines r = ResetRecord();
    r[12] = GetParam().fade;
    r[26] = "4";  // the text line "third"
    r[27] = GetParam().index;
    tw.WriteFile("s.ssv", Join(SaveFile(std::string(30, '0'), r, r, r)));
    Open();
    Run(&TMainForm::Load2Click);
    EXPECT_EQ(F().TextLineIndex, GetParam().expectedIndex);
    EXPECT_EQ(F().FadeLevel, GetParam().expectedFade);
    // The next run writes inside the page.
    F().MbtnClick();
    const int line = GetParam().expectedIndex == 10 ? 0 : GetParam().expectedIndex;
    EXPECT_EQ(tw.Captions()[static_cast<size_t>(line)], "third");
}

INSTANTIATE_TEST_SUITE_P(Records, ClampTest,
                         ::testing::Values(ClampCase{"99", "9", 10, 5}, ClampCase{"-7", "0", 0, 1},
                                           ClampCase{"10", "-2147483648", 10, 1}, ClampCase{"4", "5", 4, 5}));

TEST_F(SaveFileTest, NumberThatIsNoIntegerEndsTheLoadThere)
{
    Lines r = ResetRecord();
    r[0] = "1" + std::string(49, '0');
    r[1] = "restored";
    r[11] = "three";  // ShadeLevel
    tw.WriteFile("s.ssv", Join(SaveFile(std::string(30, '0'), r, r, r)));
    Open();
    F().FadeColor = "white";
    Run(&TMainForm::Load1Click);
    EXPECT_EQ(tw.Dialogs.Messages, (Lines{"'three' は整数ではありません"}));
    EXPECT_EQ(F().StoryFlags[0], 1);
    EXPECT_EQ(tw.Captions()[0], "restored");
    EXPECT_EQ(F().FadeColor, "white");
}

TEST_F(SaveFileTest, MissingHeaderIsReportedWithoutConfirmation)
{
    Open();
    F().SaveLines.Put(47, "gone");
    F().GlobalFlags[1] = 1;
    Run(&TMainForm::Save2Click);
    Run(&TMainForm::Load2Click);
    EXPECT_EQ(tw.Dialogs.Messages, (Lines{"sav_2がみつからない", "sav_2がみつからない"}));
    EXPECT_EQ(F().SaveCursor, 0);
    // The global flags were written before the header was looked for.
    EXPECT_EQ(FileLines(save)[0], "01" + std::string(28, '0'));
}

TEST_F(SaveFileTest, HeaderTooNearTheEndRaisesTheIndexError)
{
    Open();
    F().SaveLines.Lines().resize(100);  // six lines after "sav_3"
    Run(&TMainForm::Save3Click);
    Run(&TMainForm::Load3Click);
    ASSERT_EQ(tw.Dialogs.Messages.size(), 2u);
    for (const std::string& m : tw.Dialogs.Messages) EXPECT_NE(m.find("100"), std::string::npos) << m;
}

TEST_F(SaveFileTest, GlobalFlagsNeedMoreThanTwoLines)
{
    Open();
    const std::string before = ReadFileBytes(save);
    F().SaveLines = TStringList({"0", "sav_1"});
    Run(&TMainForm::WriteGlobalFlags);
    EXPECT_EQ(tw.Dialogs.Messages, (Lines{"gflagsaveで誤りがあります。"}));
    EXPECT_EQ(ReadFileBytes(save), before);
}

class UnwritableTest : public SaveFileTest {
protected:
    void SetUp() override
    {
        SaveFileTest::SetUp();
        ::chmod(tw.Folder.c_str(), 0777);
    }
    void TearDown() override { ::chmod(tw.Folder.c_str(), 0700); }
    std::string Created() { return "ﾌｧｲﾙ " + save + " を作成できません"; }
};

TEST_F(UnwritableTest, ReadOnlySaveFileIsKept)
{
    Open();
    ::chmod(save.c_str(), 0444);
    const std::string before = ReadFileBytes(save);
    F().GlobalFlags[0] = 1;
    {
        AsOrdinaryUser user;
        ASSERT_TRUE(user.Ok());
        Run(&TMainForm::Save1Click);
    }
    EXPECT_EQ(tw.Dialogs.Messages, (Lines{Created()}));
    EXPECT_EQ(ReadFileBytes(save), before);
}

TEST_F(UnwritableTest, UnwritableFolderKeepsTheSaveFile)
{
    Open();
    ::chmod(save.c_str(), 0666);
    ::chmod(tw.Folder.c_str(), 0555);
    const std::string before = ReadFileBytes(save);
    {
        AsOrdinaryUser user;
        ASSERT_TRUE(user.Ok());
        Run(&TMainForm::Save2Click);
    }
    ::chmod(tw.Folder.c_str(), 0777);
    EXPECT_EQ(tw.Dialogs.Messages, (Lines{Created()}));
    EXPECT_EQ(ReadFileBytes(save), before);
    size_t files = 0;
    for (auto& e : std::filesystem::directory_iterator(tw.Folder)) files += e.path().filename().string().rfind("s.ssv", 0) == 0;
    EXPECT_EQ(files, 1u);  // no half-written file left beside it
}

TEST_F(UnwritableTest, SaveFileThatCannotBeReplacedStopsTheOpen)
{
    const std::string old = Join(Lines(129, "kept"));
    tw.WriteFile("s.ssv", old);
    ::chmod(save.c_str(), 0444);
    {
        AsOrdinaryUser user;
        ASSERT_TRUE(user.Ok());
        Open();
    }
    EXPECT_EQ(tw.Dialogs.Messages, (Lines{Created()}));
    EXPECT_EQ(ReadFileBytes(save), old);
    EXPECT_FALSE(F().Save->isEnabled());
    EXPECT_EQ(tw.Captions()[0], "");  // play did not start
}

} // namespace
