// A catalogue of bad input: every row is a file a reader might be given or
// make by hand, what the reader does with it, and what the reader then sees:
// the text of each message box, or the player playing on in a stated state.
// Every row drives the real operations on real files, through the window's
// event boundary wherever a message box would appear.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QBuffer>
#include <QImage>
#include <filesystem>
#include <functional>

#include "base/LineList.h"
#include "base/Sjis.h"
#include "common/Doubles.h"
#include "present/MusicPlayer.h"
#include "widgets/JpegMaker.h"

namespace {

using Lines = std::vector<std::string>;
namespace fs = std::filesystem;

// The scenario most rows use: three waits, so that bookmarks have somewhere
// to lead.
const std::string kStory = "T\r\nfirst\r\n.w\r\nsecond\r\n.w\r\nthird\r\n.w\r\n";

class Catalog {
public:
    ~Catalog() { tw.Form.reset(); }  // before the players it uses
    TestWindow tw;
    // Where the window keeps its recent list and working copy; the test's
    // folder unless a row chooses another.
    std::string ProgramFolder;
    // A file's bytes before the reader acted, for the rows that must keep it.
    std::string Kept;
    // The desktop's music player and sound call instead of the doubles.
    bool RealAudio = false;
    std::unique_ptr<IMusicPlayer> Music;
    std::unique_ptr<ISoundPlayer> Sound;

    std::string Dir() const { return tw.Folder; }
    TMainForm& F() { return *tw.Form; }

    // Builds the window as start-up does, on the doubles of the test.
    void Start()
    {
        Services s;
        s.Dialogs = &tw.Dialogs;
        s.Sleeper = &tw.Sleeper;
        s.DisplayModes = &tw.Display;
        s.Music = &tw.Music;
        s.Sound = &tw.Sound;
        if (RealAudio) {
            Music = CreateMusicPlayer();
            Sound = CreateSoundPlayer();
            s.Music = Music.get();
            s.Sound = Sound.get();
        }
        s.ProgramFolder = ProgramFolder.empty() ? tw.Folder : ProgramFolder;
        tw.Form = std::make_unique<TMainForm>(s);
    }

    std::string Write(const std::string& name, const std::string& bytes) { return tw.WriteFile(name, bytes); }

    // The reader's actions, each as the window delivers it.
    void Open(const std::string& name)
    {
        tw.Dialogs.OpenAnswers.push_back(Dir() + name);
        F().Guarded([&] { F().SLoadClick(); });
    }
    // A click after the input timer has ticked.
    void Click()
    {
        F().Guarded([&] { F().WaitTimerTimer(); });
        F().Guarded([&] { F().MbtnClick(); });
    }
    void Save(int slot)
    {
        F().Guarded([&] { (F().*(slot == 1 ? &TMainForm::Save1Click : &TMainForm::Save2Click))(); });
    }
    void Load(int slot)
    {
        F().Guarded([&] { (F().*(slot == 1 ? &TMainForm::Load1Click : &TMainForm::Load2Click))(); });
    }
    void Key(char ch)
    {
        F().Guarded([&] { F().WaitTimerTimer(); });
        F().Guarded([&] { F().FormKeyPress(ch); });
    }
    void Close() { F().FormClose(); }

    // A save file as the player makes it for kStory, then edited by hand:
    // edit gets its lines.
    void RealSaveFile(const std::function<void(Lines&)>& edit)
    {
        Write("s.snr", kStory);
        Open("s.snr");
        Click();  // "second" on the page
        Save(2);
        TStringList l;
        l.LoadFromFile(Dir() + "s.ssv");
        EXPECT_EQ(l.Count(), 139);
        edit(l.Lines());
        l.SaveToFile(Dir() + "s.ssv");
        Restart();
    }
    // A fresh window on the same folder, with no messages yet.
    void Restart()
    {
        tw.Form.reset();
        Start();
        tw.Dialogs.Messages.clear();
        tw.Music.Calls.clear();
    }

    Lines Captions() const { return tw.Captions(); }
    Lines FileLines(const std::string& name) const
    {
        TStringList l;
        l.LoadFromFile(Dir() + name);
        return l.Lines();
    }
    std::string Bytes(const std::string& name) const { return ReadFileBytes(Dir() + name); }
    // The player waits for a click with nothing pending and the first story
    // line of kStory at the top of the page.
    void ExpectPlaysFromTheTop()
    {
        EXPECT_TRUE(F().CanAdvance);
        EXPECT_EQ(Captions()[0], "first");
        EXPECT_TRUE(F().Save->isEnabled());
        EXPECT_TRUE(F().Load->isEnabled());
    }
};

// Record lines of slot 2 in a save file made for kStory: the header is line
// 47, record line n is file line 47 + n.
constexpr size_t kSlot2 = 47;
size_t Record2(size_t n) { return kSlot2 + n; }

struct Row {
    const char* name;
    // Makes the files and the window; the window is made by Start unless
    // the row does it itself.
    std::function<void(Catalog&)> prepare;
    // What the reader does.
    std::function<void(Catalog&)> act;
    // Every message box shown from the start of act, "{dir}" standing for
    // the test's folder; empty when the reader sees none.
    Lines messages;
    // What the reader then finds: the player's state, and the files.
    std::function<void(Catalog&)> outcome;
};

void PrintTo(const Row& r, std::ostream* os) { *os << r.name; }

std::string Expand(std::string text, const std::string& dir)
{
    for (size_t p; (p = text.find("{dir}")) != std::string::npos;) text.replace(p, 5, dir);
    return text;
}

void StartWindow(Catalog& c) { c.Start(); }

// A scenario in s.snr, opened.
std::function<void(Catalog&)> OpenScenario(std::string bytes, std::string name = "s.snr")
{
    return [bytes, name](Catalog& c) {
        c.Write(name, bytes);
        c.Open(name);
    };
}

// A picture beside a scenario that shows it as the background.
std::function<void(Catalog&)> WithPicture(std::string name, std::string bytes)
{
    return [name, bytes](Catalog& c) {
        c.Start();
        c.Write(name, bytes);
        c.Write("s.snr", "T\r\nbefore\r\n.w\r\n.b " + name + "\r\nafter\r\n.w\r\n");
    };
}

// The page stays as it was and the failing line is tried again on the next
// click, with the same message.
void ExpectStuckOnPicture(Catalog& c)
{
    EXPECT_EQ(c.Captions()[0], "before");
    EXPECT_EQ(c.Captions()[1], "");
    EXPECT_EQ(c.F().LineCursor, 3);
    const QImage screen = c.F().Gamen->Picture;
    EXPECT_EQ(screen.pixel(320, 240), qRgb(2, 4, 4));  // still the black of the reset
    const Lines before = c.tw.Dialogs.Messages;
    c.Click();
    ASSERT_EQ(c.tw.Dialogs.Messages.size(), before.size() + 1);
    EXPECT_EQ(c.tw.Dialogs.Messages.back(), before.back());
}

// Bytes that are no text: every value but NUL (which ends a text), in an
// order no scenario has.
std::string Garbage(size_t size)
{
    std::string s(size, '\0');
    uint32_t x = 12345;
    for (char& ch : s) {
        do {
            x = x * 1103515245u + 12345u;
            ch = static_cast<char>(x >> 24);
        } while (ch == '\0');
    }
    return s;
}

std::string Jpeg(JpegKind kind = JpegKind::Colour) { return MakeJpeg(TestPhoto(64, 48), kind); }

std::string Bmp(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(qRgb(200, 100, 50));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "BMP");
    return bytes.toStdString();
}

// Little-endian 32-bit value into a header.
std::string Put32(std::string bytes, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i) bytes[at + static_cast<size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
    return bytes;
}

const char* const kIndex = "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています";

const Row kRows[] = {
    // ---- Scenario files ------------------------------------------------
    {"EmptyScenario", StartWindow, OpenScenario(""), {},
     [](Catalog& c) {
         // Plays on: the title is empty, the two padding lines are shown, the
         // next click ends the story and the one after starts it again.
         EXPECT_EQ(c.F().ScenarioLines.Lines(), (Lines{"", "", "", ".w", ".e"}));
         EXPECT_EQ(c.F().windowTitle(), QString());
         EXPECT_EQ(c.F().TextLineIndex, 2);
         c.Click();
         EXPECT_EQ(c.F().LineCursor, 1);
         EXPECT_EQ(c.FileLines("s.ssv").size(), 139u);
         EXPECT_TRUE(c.tw.Dialogs.Messages.empty());
     }},
    {"BinaryGarbage", StartWindow, OpenScenario(Garbage(65536)), {},
     [](Catalog& c) {
         // Plays on: every line is shown as text, page by page, to the end.
         const int lines = c.F().ScenarioLines.Count();
         EXPECT_GT(lines, 400);
         int clicks = 0;
         while (c.F().LineCursor != 1 && clicks < lines) {
             c.Click();
             ++clicks;
         }
         EXPECT_EQ(c.F().LineCursor, 1);  // the end was reached and the story starts again
         EXPECT_TRUE(c.tw.Dialogs.Messages.empty());
     }},
    {"TenMegabyteLineOfText", StartWindow,
     OpenScenario(std::string(10 << 20, 'a'), "s.txt"), {},
     [](Catalog& c) {
         // Plays on: the line is broken into display lines of 40 letters,
         // the first of them the title.
         EXPECT_EQ(c.F().ScenarioLines.Count(), (10 << 20) / 40 + 2);
         EXPECT_EQ(c.F().windowTitle(), QString(40, 'a'));
         EXPECT_EQ(c.Captions(), Lines(10, std::string(40, 'a')));
         c.Click();
         EXPECT_EQ(c.F().LineCursor, 21);
     }},
    {"TenMegabyteLineInScenario", StartWindow,
     OpenScenario("T\r\n" + std::string(10 << 20, 'a') + "\r\n.w\r\nnext\r\n"), {},
     [](Catalog& c) {
         // Plays on: the line is one line of the page.
         EXPECT_EQ(c.Captions()[0].size(), size_t{10 << 20});
         c.Click();
         EXPECT_EQ(c.Captions()[1], "next");
     }},
    {"ChoiceAsTheLastLine", StartWindow, OpenScenario("T\r\na\r\nb\r\n.?"),
     {std::string(kIndex) + " (6)"},
     [](Catalog& c) {
         // The choice has no target lines after it: no answer is offered,
         // and every click reports the same line again.
         EXPECT_EQ(c.F().ScenarioLines.Lines(), (Lines{"T", "a", "b", ".?", ".w", ".e"}));
         EXPECT_EQ(c.Captions()[1], "b");
         EXPECT_TRUE(c.F().Abtn->isHidden());
         EXPECT_EQ(c.F().LineCursor, 3);
         c.Click();
         EXPECT_EQ(c.tw.Dialogs.Messages.size(), 2u);
         EXPECT_EQ(c.F().LineCursor, 3);
     }},
    {"NegativePause", StartWindow, OpenScenario("T\r\n.t -1\r\nafter\r\n.w\r\n"), {},
     [](Catalog& c) {
         // Plays on: no pause at all, and input is locked until the timer ticks.
         EXPECT_EQ(c.tw.Sleeper.Sleeps, (std::vector<int>{0}));
         EXPECT_EQ(c.Captions()[0], "after");
         EXPECT_TRUE(c.F().InputLocked);
     }},
    {"PauseOfTwentyFiveDays", StartWindow, OpenScenario("T\r\n.t 2147483647\r\nafter\r\n.w\r\n"), {},
     [](Catalog& c) {
         // Plays on after a minute, the longest pause there is.
         EXPECT_EQ(c.tw.Sleeper.Sleeps, (std::vector<int>{60000}));
         EXPECT_EQ(c.Captions()[0], "after");
     }},
    {"PauseThatIsNoNumber", StartWindow, OpenScenario("T\r\n.t abc\r\nafter\r\n.w\r\n"),
     {"'abc' は整数ではありません"},
     [](Catalog& c) {
         EXPECT_TRUE(c.tw.Sleeper.Sleeps.empty());
         EXPECT_EQ(c.Captions()[0], "");
         EXPECT_EQ(c.F().LineCursor, 1);
         c.Click();  // the same line again
         EXPECT_EQ(c.tw.Dialogs.Messages.size(), 2u);
     }},
    {"LevelWithoutArgument", StartWindow, OpenScenario("T\r\n.n\r\nafter\r\n.w\r\n"),
     {"'' は整数ではありません"},
     [](Catalog& c) {
         EXPECT_EQ(c.F().FadeLevel, 1);
         EXPECT_EQ(c.F().LineCursor, 1);
         EXPECT_EQ(c.Captions()[0], "");
     }},
    {"StoryFlag99", StartWindow,
     OpenScenario("T\r\n.f f99 on\r\n.. nothing\r\n.! f99\r\nafter\r\n.w\r\n"), {},
     [](Catalog& c) {
         // Plays on: the flag names no flag, so nothing is set and the test
         // does not jump; the line after it is shown as text.
         for (unsigned char f : c.F().StoryFlags) EXPECT_EQ(f, 0);
         EXPECT_EQ(c.Captions()[0], "after");
     }},
    {"GlobalFlagMinus1", StartWindow,
     OpenScenario("T\r\n.f g-1 on\r\n.. nothing\r\n.! g-1\r\nafter\r\n.w\r\n"), {},
     [](Catalog& c) {
         for (unsigned char f : c.F().GlobalFlags) EXPECT_EQ(f, 0);
         for (unsigned char f : c.F().StoryFlags) EXPECT_EQ(f, 0);
         EXPECT_EQ(c.Captions()[0], "after");
         EXPECT_EQ(c.FileLines("s.ssv")[0], std::string(30, '0'));
     }},
    {"LabelLoopWithoutWait", StartWindow,
     OpenScenario("T\r\nbefore\r\n**a\r\n.. nothing\r\n.j a\r\n"),
     {"シナリオが止まらずに同じところを繰り返しています。4行目「.j a」から戻る繰り返しに、読み手を待つ行がありません。"},
     [](Catalog& c) {
         // The run is stopped instead of hanging; the jump had cleared the page.
         EXPECT_EQ(c.Captions(), Lines(10));
         c.Click();
         EXPECT_EQ(c.tw.Dialogs.Messages.size(), 2u);
     }},

    // ---- Pictures ------------------------------------------------------
    {"TruncatedJpeg", WithPicture("p.jpg", Jpeg().substr(0, Jpeg().size() / 2)),
     [](Catalog& c) {
         c.Open("s.snr");
         c.Click();
     },
     {"Premature end of JPEG file"}, ExpectStuckOnPicture},
    {"CmykJpeg", WithPicture("p.jpg", Jpeg(JpegKind::Cmyk)),
     [](Catalog& c) {
         c.Open("s.snr");
         c.Click();
     },
     {"4 チャンネル (CMYK) などの JPEG 画像は表示できません"}, ExpectStuckOnPicture},
    {"JpegDeclaring60000x60000", WithPicture("p.jpg", WithDeclaredSize(Jpeg(), 60000, 60000)),
     [](Catalog& c) {
         c.Open("s.snr");
         c.Click();
     },
     {"画像が大きすぎて表示できません (60000 x 60000)"}, ExpectStuckOnPicture},
    {"BitmapCutInItsHeader", WithPicture("p.bmp", Bmp(8, 8).substr(0, 30)),
     [](Catalog& c) {
         c.Open("s.snr");
         c.Click();
     },
     {"画像ファイル {dir}p.bmp は読めません"}, ExpectStuckOnPicture},
    {"BitmapWithImpossibleHeader",
     // 2^31 - 1 pixels wide, zero bits per pixel.
     WithPicture("p.bmp", Put32(Put32(Bmp(8, 8), 18, 0x7FFFFFFF), 26, 0x00000001)),
     [](Catalog& c) {
         c.Open("s.snr");
         c.Click();
     },
     {"画像ファイル {dir}p.bmp は読めません"}, ExpectStuckOnPicture},
    {"PicturePathThatIsAFolder",
     [](Catalog& c) {
         c.Start();
         fs::create_directory(c.Dir() + "p.jpg");
         c.Write("s.snr", "T\r\nbefore\r\n.w\r\n.b p.jpg\r\nafter\r\n.w\r\n");
     },
     [](Catalog& c) {
         c.Open("s.snr");
         c.Click();
     },
     {"ﾌｧｲﾙ {dir}p.jpg は開けません"}, ExpectStuckOnPicture},
    {"PictureWithoutName",
     // ".b" alone names the scenario's folder.
     [](Catalog& c) {
         c.Start();
         c.Write("s.snr", "T\r\nbefore\r\n.w\r\n.b\r\nafter\r\n.w\r\n");
     },
     [](Catalog& c) {
         c.Open("s.snr");
         c.Click();
     },
     {"拡張子 . の画像形式は処理できません"}, ExpectStuckOnPicture},
    // A package may hold a named pipe or a link to a device where a file
    // should be: reading one would wait for a writer that never comes, or
    // never end.
    {"PictureThatIsAPipe",
     [](Catalog& c) {
         c.Start();
         ASSERT_EQ(::mkfifo((c.Dir() + "p.jpg").c_str(), 0666), 0);
         c.Write("s.snr", "T\r\nbefore\r\n.w\r\n.b p.jpg\r\nafter\r\n.w\r\n");
     },
     [](Catalog& c) {
         c.Open("s.snr");
         c.Click();
     },
     {"ﾌｧｲﾙ {dir}p.jpg は開けません"}, ExpectStuckOnPicture},
    {"PictureThatLeadsToADevice",
     [](Catalog& c) {
         c.Start();
         fs::create_symlink("/dev/zero", c.Dir() + "p.bmp");
         c.Write("s.snr", "T\r\nbefore\r\n.w\r\n.b p.bmp\r\nafter\r\n.w\r\n");
     },
     [](Catalog& c) {
         c.Open("s.snr");
         c.Click();
     },
     {"ﾌｧｲﾙ {dir}p.bmp は開けません"}, ExpectStuckOnPicture},
    {"MusicAndSoundThatArePipes",
     [](Catalog& c) {
         c.RealAudio = true;
         c.Start();
         ASSERT_EQ(::mkfifo((c.Dir() + "bgm.ogg").c_str(), 0666), 0);
         ASSERT_EQ(::mkfifo((c.Dir() + "se.wav").c_str(), 0666), 0);
         c.Write("s.snr", "T\r\n.a se.wav\r\nbefore\r\n.w\r\n.m bgm.ogg\r\nafter\r\n.w\r\n");
     },
     [](Catalog& c) {
         c.Open("s.snr");
         c.Click();
         c.Click();
     },
     {"Couldn't open '{dir}bgm.ogg'"},
     [](Catalog& c) {
         // The sound is silent; the music fails once, and the next click
         // passes over its line, as for any music that cannot be opened.
         EXPECT_EQ(c.Captions()[0], "before");
         EXPECT_EQ(c.Captions()[1], "after");
     }},

    // ---- Save files ----------------------------------------------------
    {"SaveFileOf129Lines",
     [](Catalog& c) {
         c.Start();
         c.RealSaveFile([](Lines& l) { l.resize(129); });
     },
     [](Catalog& c) { c.Open("s.snr"); }, {},
     [](Catalog& c) {
         // Too short to be a save file: replaced by a fresh one, whose
         // bookmarks lead to the start.
         EXPECT_EQ(c.FileLines("s.ssv").size(), 139u);
         EXPECT_EQ(c.FileLines("s.ssv")[Record2(2)], "");
         c.ExpectPlaysFromTheTop();
     }},
    {"SaveFileWithoutItsSecondHeader",
     [](Catalog& c) {
         c.Start();
         c.RealSaveFile([](Lines& l) { l[kSlot2] = "sav_two"; });
     },
     [](Catalog& c) { c.Open("s.snr"); }, {},
     [](Catalog& c) {
         EXPECT_EQ(c.FileLines("s.ssv")[kSlot2], "sav_2");
         EXPECT_EQ(c.FileLines("s.ssv")[Record2(2)], "");
         c.ExpectPlaysFromTheTop();
     }},
    {"LevelThatIsNoNumber",
     [](Catalog& c) {
         c.Start();
         c.RealSaveFile([](Lines& l) { l[Record2(13)] = "dark"; });
     },
     [](Catalog& c) {
         c.Open("s.snr");
         c.Load(2);
     },
     {"'dark' は整数ではありません"},
     [](Catalog& c) {
         // The load ends at that line: what came before it is restored, the
         // rest is as the open left it.
         EXPECT_EQ(c.Captions()[1], "second");
         EXPECT_EQ(c.F().LineCursor, 3);
         c.Click();
         EXPECT_EQ(c.Captions()[1], "second");
     }},
    {"LevelOutOfRange",
     [](Catalog& c) {
         c.Start();
         c.RealSaveFile([](Lines& l) {
             l[Record2(12)] = "-40";  // the shade level, kept as written
             l[Record2(13)] = "99";
         });
     },
     [](Catalog& c) {
         c.Open("s.snr");
         c.Load(2);
     },
     {"しおり「ろ」の場所を見つけました。"},
     [](Catalog& c) {
         EXPECT_EQ(c.F().FadeLevel, 5);
         EXPECT_EQ(c.F().ShadeLevel, -40);
         c.Click();
         EXPECT_EQ(c.Captions()[2], "third");
     }},
    {"CursorThatIsNoNumber",
     [](Catalog& c) {
         c.Start();
         c.RealSaveFile([](Lines& l) { l[Record2(27)] = "5th"; });
     },
     [](Catalog& c) {
         c.Open("s.snr");
         c.Load(2);
     },
     {"'5th' は整数ではありません"},
     [](Catalog& c) {
         EXPECT_EQ(c.Captions()[1], "second");  // restored before the failing line
         EXPECT_EQ(c.F().LineCursor, 3);        // as the open left it
         EXPECT_EQ(c.F().TextLineIndex, 1);
         c.Click();
         EXPECT_EQ(c.Captions()[1], "second");
     }},
    {"CursorOutOfRange",
     [](Catalog& c) {
         c.Start();
         c.RealSaveFile([](Lines& l) {
             l[Record2(27)] = "99999";
             l[Record2(28)] = "57";
         });
     },
     [](Catalog& c) {
         c.Open("s.snr");
         c.Load(2);
         c.Click();
     },
     {"しおり「ろ」の場所を見つけました。", std::string(kIndex) + " (99999)"},
     [](Catalog& c) {
         // The next free text line is held within the page; the cursor is
         // taken as written and the click reports it. Another bookmark
         // still leads back into the story.
         EXPECT_EQ(c.F().TextLineIndex, 10);
         EXPECT_EQ(c.F().LineCursor, 99999);
         c.Load(1);
         c.Click();
         EXPECT_EQ(c.Captions()[0], "first");
         EXPECT_EQ(c.F().LineCursor, 3);
     }},
    {"CursorAtTheIntegerLimitsWithAChoice",
     [](Catalog& c) {
         c.Start();
         c.RealSaveFile([](Lines& l) {
             for (auto [header, cursor] : {std::pair{size_t{1}, "-2147483648"}, std::pair{kSlot2, "2147483647"}}) {
                 l[header + 27] = cursor;
                 l[header + 29] = "ABC";
                 l[header + 30] = "nowhere";  // a label no line names
             }
         });
     },
     [](Catalog& c) {
         c.Open("s.snr");
         c.Load(2);
         c.Key('1');
         c.Load(1);
         c.Key('a');
     },
     {"しおり「ろ」の場所を見つけました。", std::string(kIndex) + " (2147483647)",
      "しおり「い」の場所を見つけました。", std::string(kIndex) + " (-2147483647)"},
     [](Catalog& c) {
         // The answer searched for its label, turned the page and reported
         // the line the cursor names.
         EXPECT_TRUE(c.F().Abtn->isHidden());
         EXPECT_EQ(c.Captions(), Lines(10));
         c.Load(2);
         c.Key('b');  // the same with the second answer's label
         EXPECT_EQ(c.tw.Dialogs.Messages.back(), std::string(kIndex) + " (2147483647)");
     }},
    {"ReadOnlySaveFile",
     [](Catalog& c) {
         c.Start();
         c.RealSaveFile([](Lines&) {});
         ::chmod((c.Dir() + "s.ssv").c_str(), 0444);
         c.Kept = c.Bytes("s.ssv");
     },
     [](Catalog& c) {
         c.Open("s.snr");
         c.F().GlobalFlags[4] = 1;
         c.Save(1);
         for (int i = 0; i < 4; ++i) c.Click();  // to the end, which writes the global flags
     },
     {"ﾌｧｲﾙ {dir}s.ssv を作成できません", "ﾌｧｲﾙ {dir}s.ssv を作成できません"},
     [](Catalog& c) {
         // The file is kept byte for byte, and the story starts again.
         EXPECT_EQ(c.Bytes("s.ssv"), c.Kept);
         EXPECT_EQ(c.F().LineCursor, 1);
         EXPECT_TRUE(c.F().CanAdvance);
     }},
    {"ReadOnlySaveFileThatMustBeReplaced",
     [](Catalog& c) {
         c.Start();
         c.RealSaveFile([](Lines& l) { l.resize(129); });
         ::chmod((c.Dir() + "s.ssv").c_str(), 0444);
         c.Kept = c.Bytes("s.ssv");
     },
     [](Catalog& c) { c.Open("s.snr"); },
     {"ﾌｧｲﾙ {dir}s.ssv を作成できません"},
     [](Catalog& c) {
         // The open stops before play; the file is as it was.
         EXPECT_EQ(c.Bytes("s.ssv"), c.Kept);
         EXPECT_EQ(c.FileLines("s.ssv")[Record2(3)], "second");
         EXPECT_EQ(c.Captions()[0], "");
         EXPECT_FALSE(c.F().Save->isEnabled());
     }},
    {"SaveFileThatIsAFolder",
     [](Catalog& c) {
         c.Start();
         c.Write("s.snr", kStory);
         fs::create_directory(c.Dir() + "s.ssv");
         c.Write("s.ssv/inside", "kept");
     },
     [](Catalog& c) { c.Open("s.snr"); },
     {"ﾌｧｲﾙ {dir}s.ssv を作成できません"},
     [](Catalog& c) {
         EXPECT_EQ(c.Bytes("s.ssv/inside"), "kept");
         EXPECT_EQ(c.Captions()[0], "");
     }},

    {"SaveFileThatLeadsToADevice",
     [](Catalog& c) {
         c.Start();
         c.Write("s.snr", kStory);
         fs::create_symlink("/dev/zero", c.Dir() + "s.ssv");
     },
     [](Catalog& c) { c.Open("s.snr"); },
     {"ﾌｧｲﾙ {dir}s.ssv は開けません"},
     [](Catalog& c) {
         EXPECT_TRUE(fs::is_symlink(c.Dir() + "s.ssv"));
         EXPECT_EQ(c.Captions()[0], "");
         EXPECT_FALSE(c.F().Save->isEnabled());
     }},

    // ---- The program folder ---------------------------------------------
    // A folder's permissions do not stop the superuser, and the tests run as
    // root. These rows make the folder unusable in ways the system refuses to
    // everyone: a regular file where the folder should be (every path under
    // it fails with "not a directory"), a folder where the working copy
    // should be, and a recent list without write permission, which the
    // player itself refuses to replace, for root too.
    {"ProgramFolderThatIsAFile",
     [](Catalog& c) {
         c.Write("program", "a file");
         c.ProgramFolder = c.Dir() + "program/";
         c.Start();
         c.Write("s.snr", kStory);
     },
     [](Catalog& c) {
         c.Open("s.snr");
         c.Close();
     },
     {"ﾌｧｲﾙ {dir}program/tempsnr を作成できません", "ﾌｧｲﾙ {dir}program/mepla.rdf を作成できません"},
     [](Catalog& c) {
         // Start-up reported the recent list and went on; the open stopped at
         // the working copy and left no scenario.
         EXPECT_EQ(c.tw.Dialogs.Messages.front(), "ﾌｧｲﾙ " + c.Dir() + "program/mepla.rdf を作成できません");
         EXPECT_FALSE(c.F().CanAdvance);
         EXPECT_EQ(c.F().ScenarioPath, "mepla");
         EXPECT_EQ(c.Bytes("program"), "a file");
         EXPECT_FALSE(fs::exists(c.Dir() + "s.ssv"));
     }},
    {"ProgramFolderWithReadOnlyFiles",
     [](Catalog& c) {
         c.ProgramFolder = c.Dir() + "program/";
         c.Write("program/mepla.rdf", "/old/a.snr\r\n\r\n\r\n\r\n\r\n\r\n");
         ::chmod((c.ProgramFolder + "mepla.rdf").c_str(), 0444);
         fs::create_directory(c.ProgramFolder + "tempsnr");
         c.Write("program/tempsnr/inside", "kept");
         ::chmod(c.ProgramFolder.c_str(), 0555);
         c.Start();
         c.Write("s.snr", kStory);
     },
     [](Catalog& c) {
         c.Open("s.snr");
         c.Close();
     },
     {"ﾌｧｲﾙ {dir}program/tempsnr を作成できません", "ﾌｧｲﾙ {dir}program/mepla.rdf を作成できません"},
     [](Catalog& c) {
         ::chmod(c.ProgramFolder.c_str(), 0755);
         EXPECT_EQ(c.tw.Dialogs.Messages.front(), "ﾌｧｲﾙ " + c.Dir() + "program/mepla.rdf を作成できません");
         EXPECT_EQ(c.Bytes("program/mepla.rdf"), "/old/a.snr\r\n\r\n\r\n\r\n\r\n\r\n");
         EXPECT_EQ(c.Bytes("program/tempsnr/inside"), "kept");
         EXPECT_FALSE(c.F().CanAdvance);
     }},
};

class BadInputTest : public ::testing::TestWithParam<Row> {};

TEST_P(BadInputTest, ReaderSees)
{
    const Row& row = GetParam();
    Catalog c;
    row.prepare(c);
    ASSERT_TRUE(c.tw.Form) << "the row made no window";
    const size_t before = c.tw.Dialogs.Messages.size();
    row.act(c);
    Lines expected;
    for (const std::string& m : row.messages) expected.push_back(Expand(m, c.Dir()));
    const Lines seen(c.tw.Dialogs.Messages.begin() + static_cast<long>(before), c.tw.Dialogs.Messages.end());
    EXPECT_EQ(seen, expected);
    row.outcome(c);
}

INSTANTIATE_TEST_SUITE_P(Catalogue, BadInputTest, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
