// The recent-file list file: start-up load with its padding, shutdown save.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/Doubles.h"
#include "persist/PersistSupport.h"

namespace {

class RecentFileTest : public ::testing::Test {
protected:
    std::string Path() const { return tw.Folder + "mepla.rdf"; }
    Lines Entries() { return {tw.Form->RirekiCaption(1), tw.Form->RirekiCaption(2), tw.Form->RirekiCaption(3)}; }
    TestWindow tw;
};

TEST_F(RecentFileTest, NoFileGivesThreeEmptyEntries)
{
    tw.Create();
    EXPECT_EQ(ReadFileBytes(Path()), "\r\n\r\n\r\n");
    EXPECT_EQ(Entries(), Lines(3));
    EXPECT_TRUE(tw.Dialogs.Messages.empty());
}

struct StartCase {
    const char* name;
    std::string bytes;
    Lines written;
};

void PrintTo(const StartCase& c, std::ostream* os) { *os << c.name; }

class StartTest : public RecentFileTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(StartTest, PaddedBelowFiveLines)
{
    tw.WriteFile("mepla.rdf", GetParam().bytes);
    tw.Create();
    EXPECT_EQ(ReadFileBytes(Path()), Join(GetParam().written));
    const Lines& w = GetParam().written;
    EXPECT_EQ(Entries(), (Lines{w[0], w[1], w[2]}));
}

INSTANTIATE_TEST_SUITE_P(
    Files, StartTest,
    ::testing::Values(StartCase{"Empty", "", {"", "", ""}},
                      StartCase{"OneLine", "a", {"a", "", "", ""}},
                      StartCase{"TwoLines", "a\nb\n", {"a", "b", "", "", ""}},
                      StartCase{"FourLines", "a\r\nb\rc\n\n", {"a", "b", "c", "", "", "", ""}},
                      StartCase{"FiveLinesKept", "a\r\nb\r\nc\r\nd\r\ne\r\n", {"a", "b", "c", "d", "e"}},
                      StartCase{"SevenLinesKept", "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n", {"1", "2", "3", "4", "5", "6", "7"}},
                      // Names are bytes: Shift-JIS stays Shift-JIS.
                      StartCase{"ShiftJisName", S("/物語/本.snr") + "\r\n", {S("/物語/本.snr"), "", "", ""}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RecentFileTest, ShutdownWritesTheEntriesInForceOverTheFirstThreeLines)
{
    tw.WriteFile("mepla.rdf", "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n");
    tw.Create();
    const std::string story = tw.WriteFile("story.snr", "T\nx\n");
    tw.Form->DropFile(story);
    tw.Form->FormClose();
    EXPECT_EQ(FileLines(Path()), (Lines{story, "1", "2", "4", "5", "6", "7"}));
}

TEST_F(RecentFileTest, EntriesSurviveARestart)
{
    tw.Create();
    const std::string a = tw.WriteFile("a.snr", "T\n"), b = tw.WriteFile("b.snr", "T\n");
    tw.Form->DropFile(a);
    tw.Form->DropFile(b);
    tw.Form->FormClose();
    tw.Form.reset();
    tw.Create();
    EXPECT_EQ(Entries(), (Lines{b, a, ""}));
    // The second start padded the three lines of the first to six.
    EXPECT_EQ(FileLines(Path()), (Lines{b, a, "", "", "", ""}));
    tw.Form->Guarded([&] { tw.Form->Rireki2Click(); });
    EXPECT_EQ(tw.Form->ScenarioPath, a);
    EXPECT_EQ(Entries(), (Lines{a, b, ""}));
}

TEST_F(RecentFileTest, UnwritableFileIsReportedAtStartAndAtShutdown)
{
    std::filesystem::create_directory(Path());
    tw.Create();
    const std::string message = "ﾌｧｲﾙ " + Path() + " を作成できません";
    EXPECT_EQ(tw.Dialogs.Messages, (Lines{message}));
    EXPECT_EQ(Entries(), Lines(3));
    tw.Form->FormClose();
    EXPECT_EQ(tw.Dialogs.Messages, (Lines{message, message}));
}

TEST_F(RecentFileTest, ReadOnlyFileIsKeptAtShutdown)
{
    tw.WriteFile("mepla.rdf", "a\r\nb\r\nc\r\nd\r\ne\r\n");
    tw.Create();
    ::chmod(tw.Folder.c_str(), 0777);
    ::chmod(Path().c_str(), 0444);
    const std::string story = tw.WriteFile("story.snr", "T\nx\n");
    tw.Form->DropFile(story);
    {
        AsOrdinaryUser user;
        ASSERT_TRUE(user.Ok());
        tw.Form->FormClose();
    }
    ::chmod(tw.Folder.c_str(), 0700);
    EXPECT_EQ(tw.Dialogs.Messages, (Lines{"ﾌｧｲﾙ " + Path() + " を作成できません"}));
    EXPECT_EQ(ReadFileBytes(Path()), "a\r\nb\r\nc\r\nd\r\ne\r\n");
}

} // namespace
