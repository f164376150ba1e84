#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "base/Convert.h"
#include "base/Errors.h"
#include "base/LineList.h"
#include "base/Paths.h"
#include "base/Sjis.h"

namespace {

std::string TempDir()
{
    char tmpl[] = "/tmp/qorix-base-XXXXXX";
    return std::string(mkdtemp(tmpl)) + "/";
}

std::string Slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

TEST(LineList, SplitsOnEveryLineEndAndStopsAtNul)
{
    struct Case {
        std::string bytes;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\rb\nc\r\nd", {"a", "b", "c", "d"}},
        {"\r\n\r\n", {"", ""}},
        {"a\n\rb", {"a", "", "b"}},  // LF then CR: two line ends
        {"a\r\r\nb", {"a", "", "b"}},
        {std::string("ab\0cd\r\nef", 9), {"ab"}},
        {std::string("\0x", 2), {}},
        {" x \t", {" x \t"}},  // contents are never trimmed
    };
    for (const auto& c : cases) {
        TStringList l;
        l.SetText(c.bytes);
        EXPECT_EQ(l.Lines(), c.lines) << "input: " << c.bytes;
    }
}

TEST(LineList, WritesCrLfAfterEveryLine)
{
    EXPECT_EQ(TStringList({"a", "", "b"}).GetText(), "a\r\n\r\nb\r\n");
    EXPECT_EQ(TStringList().GetText(), "");
}

TEST(LineList, ReadingOutsideRaisesListError)
{
    TStringList l({"x"});
    EXPECT_EQ(l.Get(0), "x");
    for (int bad : {-1, 1, 1000000}) EXPECT_THROW(l.Get(bad), EListError) << bad;
    EXPECT_THROW(l.Put(1, "y"), EListError);
    EXPECT_THROW(l.Delete(-1), EListError);
    EXPECT_THROW(l.Insert(2, "y"), EListError);
    try {
        l.Get(5);
    } catch (const EListError& e) {
        EXPECT_NE(e.Message().find("ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています"), std::string::npos);
    }
}

TEST(LineList, FileRoundTripAndErrorsNameTheFile)
{
    std::string dir = TempDir();
    TStringList l({"one", "\x82\xa0"});
    l.SaveToFile(dir + "f.txt");
    EXPECT_EQ(Slurp(dir + "f.txt"), "one\r\n\x82\xa0\r\n");
    TStringList back;
    back.LoadFromFile(dir + "f.txt");
    EXPECT_EQ(back, l);

    try {
        back.LoadFromFile(dir + "missing.txt");
        FAIL() << "no error";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "ﾌｧｲﾙ " + dir + "missing.txt は開けません");
    }
    EXPECT_THROW(back.LoadFromFile(dir), EFOpenError);  // a folder is no file
    std::filesystem::remove_all(dir);
}

TEST(LineList, FailedWriteKeepsTheFileThatWasThere)
{
    std::string dir = TempDir();
    std::string path = dir + "keep.ssv";
    TStringList({"old"}).SaveToFile(path);
    chmod(path.c_str(), 0444);
    try {
        TStringList({"new"}).SaveToFile(path);
        FAIL() << "a read-only file was replaced";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message(), "ﾌｧｲﾙ " + path + " を作成できません");
    }
    EXPECT_EQ(Slurp(path), "old\r\n");
    EXPECT_THROW(TStringList({"x"}).SaveToFile(dir + "no/such/folder/f"), EFCreateError);
    // No temporary file is left behind.
    int files = 0;
    for (auto& e : std::filesystem::directory_iterator(dir)) (void)e, ++files;
    EXPECT_EQ(files, 1);
    std::filesystem::remove_all(dir);
}

TEST(Convert, IntegerRules)
{
    struct Case {
        const char* text;
        std::optional<int> value;
    } cases[] = {
        {"0", 0}, {"220", 220}, {"  42", 42}, {"\t7", 7}, {"-5", -5}, {"+5", 5},
        {"$1F", 31}, {"0x10", 16}, {"0X10", 16}, {"-$10", -16}, {"$FFFFFFFF", -1},
        {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
        {"2147483648", std::nullopt}, {"", std::nullopt}, {" ", std::nullopt},
        {"12 ", std::nullopt}, {"1 2", std::nullopt}, {"abc", std::nullopt}, {"1.5", std::nullopt},
        {"-", std::nullopt}, {"$", std::nullopt}, {"0x", std::nullopt}, {"$1G", std::nullopt},
        {"１", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(TryStrToInt(c.text), c.value) << "'" << c.text << "'";
}

TEST(Convert, ErrorQuotesTheText)
{
    try {
        StrToInt("12 ");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'12 ' は整数ではありません");
    }
    try {
        StrToInt(Utf8ToSjis("あ"));
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'あ' は整数ではありません");
    }
}

TEST(Paths, Parts)
{
    struct Case {
        const char *path, *folder, *ext, *ssv;
    } cases[] = {
        {"/a/b/story.snr", "/a/b/", ".snr", "/a/b/story.ssv"},
        {"story.txt", "", ".txt", "story.ssv"},
        {"/a.b/story", "/a.b/", "", "/a.b/story.ssv"},
        {"/a/b/.hidden", "/a/b/", ".hidden", "/a/b/.ssv"},
        {"mepla", "", "", "mepla.ssv"},
        {"/x/y.tar.gz", "/x/", ".gz", "/x/y.tar.ssv"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExtractFilePath(c.path), c.folder) << c.path;
        EXPECT_EQ(ExtractFileExt(c.path), c.ext) << c.path;
        EXPECT_EQ(ChangeFileExt(c.path, ".ssv"), c.ssv) << c.path;
    }
}

TEST(Paths, ScenarioNamesResolveByBytesThenCodePageThenCase)
{
    std::string dir = TempDir();
    std::filesystem::create_directories(dir + "Pics");
    std::ofstream(dir + "Pics/背景.JPG") << "x";
    std::ofstream(dir + "plain.jpg") << "x";
    EXPECT_EQ(ResolveScenarioFile(dir + "plain.jpg"), dir + "plain.jpg");
    // A Shift-JIS name in a scenario, a differently cased folder and extension.
    EXPECT_EQ(ResolveScenarioFile(dir + "pics/" + Utf8ToSjis("背景") + ".jpg"), dir + "Pics/背景.JPG");
    EXPECT_EQ(ResolveScenarioFile(dir + "nothere.jpg"), dir + "nothere.jpg");
    std::filesystem::remove_all(dir);
}

TEST(Sjis, ConvertsAndStepsOverBadBytes)
{
    EXPECT_EQ(SjisToUtf8("\x82\xa0\x81\x40"), "あ　");
    EXPECT_EQ(SjisToUtf8("\x81\x60"), "～");
    EXPECT_EQ(SjisToUtf8("\xb1"), "ｱ");  // half-width kana
    EXPECT_EQ(SjisToUtf8("a\x80" "b"), "a\xEF\xBF\xBD" "b");
    EXPECT_EQ(SjisToUtf8("a\x82"), "a\xEF\xBF\xBD");  // a lone lead byte at the end
    EXPECT_EQ(Utf8ToSjis("しおり"), "\x82\xb5\x82\xa8\x82\xe8");
    EXPECT_EQ(DisplayName("/home/読者/a.snr").toStdString(), "/home/読者/a.snr");
    EXPECT_EQ(DisplayName("\x82\xa0.snr").toStdString(), "あ.snr");
}
