// Opening scenarios through the drop, the open dialog and the recent entries.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "base/LineList.h"
#include "base/Sjis.h"
#include "common/Doubles.h"

namespace {

using Lines = std::vector<std::string>;

std::string Rep(const std::string& unit, int n)
{
    std::string s;
    for (int i = 0; i < n; ++i) s += unit;
    return s;
}

const std::string A = S("あ");

Lines FileLines(const std::string& path)
{
    TStringList l;
    l.LoadFromFile(path);
    return l.Lines();
}

class OpenScenarioTest : public ::testing::Test {
protected:
    void SetUp() override { tw.Create(); }
    TMainForm& F() { return *tw.Form; }
    // As the window's event handlers run them: an error becomes a message.
    void Drop(const std::string& path) { F().Guarded([&] { F().DropFile(path); }); }
    void Recent(int n) { F().Guarded([&] { F().RirekiClick(n); }); }
    void Choose(const std::string& path)
    {
        tw.Dialogs.OpenAnswers.push_back(path);
        F().Guarded([&] { F().SLoadClick(); });
    }
    Lines RecentEntries() { return {F().RirekiCaption(1), F().RirekiCaption(2), F().RirekiCaption(3)}; }
    void ExpectNoScenario()
    {
        EXPECT_FALSE(F().CanAdvance);
        EXPECT_EQ(F().ScenarioLines.Lines(), (Lines{"", "", "", ".e"}));
        EXPECT_EQ(F().ScenarioPath, "mepla");
        EXPECT_FALSE(F().Save->isEnabled());
        EXPECT_FALSE(F().Load->isEnabled());
        EXPECT_EQ(F().windowTitle(), QString("Qorix"));
    }
    TestWindow tw;
};

TEST_F(OpenScenarioTest, TextFileIsBrokenCopiedExpandedAndPlayed)
{
    const std::string path = tw.WriteFile("story.txt", S("題名") + "\r\n" + Rep(A, 25) + "\r\n" + S("「次」"));
    Drop(path);
    EXPECT_TRUE(tw.Dialogs.Messages.empty());
    EXPECT_EQ(F().ScenarioLines.Lines(), (Lines{S("題名"), Rep(A, 20), Rep(A, 5), ".w", S("「次」"), ".w", ".e"}));
    // The working copy holds the broken lines, before terminator and expansion.
    EXPECT_EQ(ReadFileBytes(tw.Folder + "tempsnr"), S("題名") + "\r\n" + Rep(A, 20) + "\r\n" + Rep(A, 5) + "\r\n" + S("「次」") + "\r\n");
    EXPECT_EQ(F().windowTitle(), QString::fromUtf8("題名"));
    EXPECT_EQ(F().ScenarioFolder, tw.Folder);
    EXPECT_TRUE(F().Save->isEnabled());
    EXPECT_TRUE(F().Load->isEnabled());
    EXPECT_EQ(FileLines(tw.Folder + "story.ssv").size(), 139u);
    // Play started and stopped at the first wait.
    EXPECT_EQ(tw.Captions(), (Lines{Rep(A, 20), Rep(A, 5), "", "", "", "", "", "", "", ""}));
    EXPECT_EQ(F().LineCursor, 4);
    EXPECT_EQ(RecentEntries(), (Lines{path, "", ""}));
}

struct ExtensionCase {
    const char* ext;
    bool broken;
};

void PrintTo(const ExtensionCase& c, std::ostream* os) { *os << "'" << c.ext << "'"; }

class ExtensionTest : public OpenScenarioTest, public ::testing::WithParamInterface<ExtensionCase> {};

TEST_P(ExtensionTest, OnlyTxtInEitherCaseIsBroken)
{
    // The dialog does not check the extension, so every name opens.
    Choose(tw.WriteFile(std::string("s") + GetParam().ext, "T\n" + Rep(A, 21) + "\n"));
    EXPECT_TRUE(tw.Dialogs.Messages.empty());
    const Lines broken{"T", Rep(A, 20), A, ".w", ".e"};
    const Lines whole{"T", Rep(A, 21), "", "", "", ".w", ".e"};
    EXPECT_EQ(F().ScenarioLines.Lines(), GetParam().broken ? broken : whole);
}

INSTANTIATE_TEST_SUITE_P(Names, ExtensionTest,
                         ::testing::Values(ExtensionCase{".txt", true}, ExtensionCase{".TXT", true},
                                           ExtensionCase{".Txt", false}, ExtensionCase{".snr", false},
                                           ExtensionCase{".dat", false}, ExtensionCase{"", false}));

TEST_F(OpenScenarioTest, LongCommentInTextLosesOnlyItsFirstDisplayLine)
{
    Drop(tw.WriteFile("c.txt", "T\na\n//" + Rep(A, 19) + S("「続き") + "\n"));
    // The continuation begins with a bracket and waits like any paragraph.
    EXPECT_EQ(F().ScenarioLines.Lines(), (Lines{"T", "a", ".w", S("「続き"), ".w", ".e"}));
}

TEST_F(OpenScenarioTest, MissingFileLeavesNoScenario)
{
    const std::string a = tw.WriteFile("a.snr", "T\nline\n.w\nmore\n");
    Drop(a);
    F().GlobalFlags[5] = 1;
    const std::string folder = F().ScenarioFolder;
    Drop(tw.Folder + "gone.snr");
    EXPECT_EQ(tw.Dialogs.Messages, (Lines{"このシナリオファイルは存在しません"}));
    ExpectNoScenario();
    EXPECT_EQ(RecentEntries(), (Lines{a, "", ""}));
    EXPECT_EQ(F().ScenarioFolder, folder);
    EXPECT_EQ(F().GlobalFlags[5], 1);
    // The open reset the player first, and clicks do nothing now.
    EXPECT_EQ(tw.Captions(), Lines(10));
    F().MbtnClick();
    EXPECT_EQ(tw.Captions(), Lines(10));
}

TEST_F(OpenScenarioTest, DeletedRecentEntryStaysInTheList)
{
    const std::string a = tw.WriteFile("a.snr", "T\nx\n");
    const std::string b = tw.WriteFile("b.snr", "T\ny\n");
    Drop(a);
    Drop(b);
    std::filesystem::remove(a);
    Recent(2);
    EXPECT_EQ(tw.Dialogs.Messages, (Lines{"このシナリオファイルは存在しません"}));
    EXPECT_EQ(RecentEntries(), (Lines{b, a, ""}));
    ExpectNoScenario();
}

TEST_F(OpenScenarioTest, RecentListRotation)
{
    const std::string a = tw.WriteFile("a.snr", "T\n"), b = tw.WriteFile("b.snr", "T\n"),
                      c = tw.WriteFile("c.snr", "T\n"), d = tw.WriteFile("d.snr", "T\n");
    Drop(a);
    Drop(b);
    Drop(c);
    EXPECT_EQ(RecentEntries(), (Lines{c, b, a}));
    Recent(1);  // the top entry: nothing moves
    EXPECT_EQ(RecentEntries(), (Lines{c, b, a}));
    Recent(2);  // the second swaps with the first
    EXPECT_EQ(RecentEntries(), (Lines{b, c, a}));
    Recent(3);  // the third rotates to the top
    EXPECT_EQ(RecentEntries(), (Lines{a, b, c}));
    Drop(d);  // a new one pushes the last out
    EXPECT_EQ(RecentEntries(), (Lines{d, a, b}));
    // Another spelling of the same file is another entry.
    const std::string a2 = tw.Folder + "./a.snr";
    Drop(a2);
    EXPECT_EQ(RecentEntries(), (Lines{a2, d, a}));
    EXPECT_TRUE(tw.Dialogs.Messages.empty());
}

TEST_F(OpenScenarioTest, EmptyRecentEntryDoesNothing)
{
    Recent(3);
    EXPECT_TRUE(tw.Dialogs.Messages.empty());
    EXPECT_FALSE(F().CanAdvance);
    EXPECT_EQ(F().ScenarioPath, "");
}

TEST_F(OpenScenarioTest, DropRefusesOtherExtensionsWithoutReset)
{
    Drop(tw.WriteFile("a.snr", "T\nshown\n.w\n"));
    tw.Dialogs.Messages.clear();
    Drop(tw.WriteFile("b.Snr", "T\nother\n"));
    EXPECT_EQ(tw.Dialogs.Messages, (Lines{"「.txt」「.snr」のファイルしかシナリオファイルとして読めません"}));
    EXPECT_EQ(tw.Captions()[0], "shown");
    EXPECT_EQ(F().ScenarioPath, tw.Folder + "a.snr");
}

TEST_F(OpenScenarioTest, DroppedLongNameIsNotCut)
{
    std::string dir = tw.Folder;
    for (int i = 0; i < 3; ++i) dir += std::string(90, static_cast<char>('a' + i)) + "/";
    const std::string path = dir + std::string(60, 'z') + ".snr";
    ASSERT_GT(path.size(), 300u);
    std::filesystem::create_directories(dir);
    tw.WriteFile(path.substr(tw.Folder.size()), "T\nlong\n");
    Drop(path);
    EXPECT_TRUE(tw.Dialogs.Messages.empty());
    EXPECT_EQ(F().ScenarioPath, path);
    EXPECT_EQ(F().RirekiCaption(1), path);
    EXPECT_EQ(tw.Captions()[0], "long");
}

TEST_F(OpenScenarioTest, CancelledDialogChangesNothing)
{
    F().Guarded([&] { F().SLoadClick(); });
    EXPECT_EQ(tw.Dialogs.OpenShown, 1);
    EXPECT_TRUE(tw.Dialogs.Messages.empty());
    EXPECT_EQ(F().ScenarioPath, "");
    EXPECT_EQ(F().ScenarioLines.Lines(), (Lines{"", "", ""}));
}

TEST_F(OpenScenarioTest, UnreadableScenarioIsNamedAndLeavesNoScenario)
{
    const std::string path = tw.Folder + "pipe.snr";
    ASSERT_EQ(::mkfifo(path.c_str(), 0666), 0);
    Drop(path);
    EXPECT_EQ(tw.Dialogs.Messages, (Lines{"ﾌｧｲﾙ " + path + " は開けません"}));
    ExpectNoScenario();
    EXPECT_EQ(F().RirekiCaption(1), path);
    EXPECT_FALSE(std::filesystem::exists(tw.Folder + "pipe.ssv"));
}

TEST_F(OpenScenarioTest, UnwritableWorkingCopyIsNamedAndLeavesNoScenario)
{
    std::filesystem::create_directory(tw.Folder + "tempsnr");
    Drop(tw.WriteFile("a.snr", "T\nx\n"));
    EXPECT_EQ(tw.Dialogs.Messages, (Lines{"ﾌｧｲﾙ " + tw.Folder + "tempsnr を作成できません"}));
    ExpectNoScenario();
    EXPECT_FALSE(std::filesystem::exists(tw.Folder + "a.ssv"));
}

TEST_F(OpenScenarioTest, OpeningAgainStartsFromTheTop)
{
    const std::string a = tw.WriteFile("a.snr", "T\none\n.w\ntwo\n.w\n");
    Drop(a);
    F().MbtnClick();
    EXPECT_EQ(tw.Captions()[1], "two");
    F().StoryFlags[7] = 1;
    Recent(1);
    EXPECT_EQ(tw.Captions(), (Lines{"one", "", "", "", "", "", "", "", "", ""}));
    EXPECT_EQ(F().StoryFlags[7], 0);
    EXPECT_EQ(F().LineCursor, 3);
}

} // namespace
