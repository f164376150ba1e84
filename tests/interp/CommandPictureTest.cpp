// The picture commands: names, levels, person slots and when a composition runs.
#include <array>

#include "CommandFixture.h"

namespace {

// Where the first composition of a run happens shows in where a missing
// picture makes it fail: the error leaves the cursor on the composing line.
struct BatchCase {
    const char* why;
    std::vector<std::string> lines;
    int composingLine;
    const char* missing;  // the file the failing composition names
};
std::ostream& operator<<(std::ostream& o, const BatchCase& c) { return o << "\"" << c.why << "\""; }

class BatchTest : public PlayTest, public ::testing::WithParamInterface<BatchCase> {};

TEST_P(BatchTest, ComposesAtTheLastLineOfABatch)
{
    const BatchCase& c = GetParam();
    Picture("bg.bmp", 640, 480, qRgb(200, 40, 40));
    Picture("sub.bmp", 100, 100, qRgb(40, 40, 200));
    Lines(c.lines);
    Click();
    ASSERT_EQ(Messages().size(), 1u) << c.why;
    EXPECT_NE(Messages()[0].find(c.missing), std::string::npos) << c.why << ": " << Messages()[0];
    EXPECT_EQ(F().LineCursor, c.composingLine) << c.why;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, BatchTest,
    ::testing::Values(
        BatchCase{"background, two persons and a level compose once, at the level",
                  {"T", ".b gone.bmp", ".p 1c", ".p 2l", ".n 3", "text", ".e"}, 4, "gone.bmp"},
        BatchCase{"a sub picture ends the batch: the background composes by itself",
                  {"T", ".b gone.bmp", ".s sub.bmp", ".e"}, 1, "gone.bmp"},
        BatchCase{"the sub picture composes again at once",
                  {"T", ".b bg.bmp", ".s gone.bmp", ".e"}, 2, "gone.bmp"},
        BatchCase{"a colour ends the batch without composing",
                  {"T", ".b gone.bmp", ".k 2", ".c white", ".e"}, 2, "gone.bmp"},
        BatchCase{"a mode ends the batch", {"T", ".b gone.bmp", ".x fade", ".e"}, 1, "gone.bmp"},
        BatchCase{"a later background takes over the batch",
                  {"T", ".b gone.bmp", ".b gone2.bmp", ".e"}, 2, "gone2.bmp"},
        BatchCase{"a level before a background waits for it",
                  {"T", ".n 2", ".b gone.bmp", ".t 0", ".e"}, 2, "gone.bmp"},
        BatchCase{"a person composes before a text line", {"T", ".p 1c gone.bmp", "text", ".e"}, 1, "gone.bmp"},
        BatchCase{"a label ends the batch", {"T", ".b gone.bmp", "**L", ".e"}, 1, "gone.bmp"},
        BatchCase{"the head decides, whatever its third byte",
                  {"T", ".b gone.bmp", ".nx3", ".e"}, 2, "gone.bmp"},
        BatchCase{"a last line has no next line to wait for", {"T", ".b gone.bmp"}, 1, "gone.bmp"}));

class ComposeTest : public PlayTest {
protected:
    void SetUp() override
    {
        Picture("bg.bmp", 640, 480, qRgb(200, 40, 40));
        // A person is drawn without the colour of its lower left pixel.
        QImage person(100, 200, QImage::Format_RGB32);
        person.fill(qRgb(40, 200, 40));
        person.setPixel(0, 199, qRgb(255, 255, 255));
        ASSERT_TRUE(person.save(QString::fromStdString(W.Folder + "p.bmp"), "BMP"));
    }
};

TEST_F(ComposeTest, ABatchShowsTheWholeScene)
{
    Lines({"T", ".b bg.bmp", ".p 1c p.bmp", ".p 2l p.bmp", ".n 3", ".w", ".e"});
    const QImage before = F().Gamen->Picture;
    Click();
    ASSERT_TRUE(Messages().empty()) << Messages()[0];
    EXPECT_EQ(F().BackPicName, W.Folder + "bg.bmp");
    EXPECT_EQ(F().PersonPicName[1], W.Folder + "p.bmp");
    EXPECT_EQ(F().PersonPicName[2], W.Folder + "p.bmp");
    EXPECT_EQ(F().PersonPos[1], "c");
    EXPECT_EQ(F().PersonPos[2], "l");
    EXPECT_EQ(F().FadeLevel, 3);
    EXPECT_FALSE(F().BackChanged);
    // The screen is the composition of all of that.
    const QImage shown = F().Gamen->Picture;
    EXPECT_NE(shown, before);
    F().ComposeScreen();
    EXPECT_EQ(shown, F().Gamen->Picture);
}

TEST_F(ComposeTest, ABackgroundTakesThePersonsAwayAndKeepsTheirPlaces)
{
    for (const char* head : {".b", ".u", ".l"}) {
        Lines({"T", ".p 3r p.bmp", std::string(head) + " bg.bmp", ".w", ".p 3r p.bmp", std::string(head) + " nothing",
               ".w", ".e"});
        Click();
        EXPECT_EQ(F().BackPicName, W.Folder + "bg.bmp") << head;
        EXPECT_EQ(F().PersonPicName[3], "nothing") << head;
        EXPECT_EQ(F().PersonPos[3], "r") << head;
        Click();
        EXPECT_EQ(F().BackPicName, "nothing") << head;
        EXPECT_EQ(F().PersonPicName[3], "nothing") << head;
        EXPECT_FALSE(F().BackChanged) << head;
        EXPECT_TRUE(Messages().empty()) << head;
    }
}

TEST_F(ComposeTest, AnEmptyNameIsTheFolderItselfAndFailsToLoad)
{
    Lines({"T", ".b", ".e"});
    Click();
    EXPECT_EQ(F().BackPicName, W.Folder);
    EXPECT_EQ(Messages().size(), 1u);
    EXPECT_EQ(F().LineCursor, 1);
}

TEST_F(ComposeTest, SubPictureNames)
{
    Lines({"T", ".s bg.bmp", ".w", ".s nothing", ".w", ".e"});
    Click();
    EXPECT_EQ(F().SubPicName, W.Folder + "bg.bmp");
    Click();
    EXPECT_EQ(F().SubPicName, "nothing");
    EXPECT_TRUE(Messages().empty());
}

// ".p": slot at byte 1, position at byte 2, byte 3 unread, file name from byte 4.
struct PersonCase {
    const char* argument;
    std::array<std::string, 5> names;  // slot 0 unused; "F:" stands for the folder
    std::array<std::string, 5> positions;
};
std::ostream& operator<<(std::ostream& o, const PersonCase& c) { return o << "\"" << c.argument << "\""; }

class PersonTest : public ComposeTest, public ::testing::WithParamInterface<PersonCase> {};

TEST_P(PersonTest, ReadsByBytePosition)
{
    const PersonCase& c = GetParam();
    Picture("a.bmp", 50, 50, qRgb(1, 2, 3));
    Picture("b.bmp", 50, 50, qRgb(1, 2, 3));
    // Slot 2 holds a person on the left before the line under test.
    Lines({"T", ".p 2l p.bmp", std::string(".p ") + c.argument, ".w", ".e"});
    Click();
    ASSERT_TRUE(Messages().empty()) << c.argument << ": " << Messages()[0];
    for (int s = 1; s <= 4; ++s) {
        std::string name = c.names[s];
        if (name.rfind("F:", 0) == 0) name = W.Folder + name.substr(2);
        EXPECT_EQ(F().PersonPicName[s], name) << "\"" << c.argument << "\" slot " << s;
        EXPECT_EQ(F().PersonPos[s], c.positions[s]) << "\"" << c.argument << "\" slot " << s;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, PersonTest,
    ::testing::Values(
        PersonCase{"2r", {"", "nothing", "F:p.bmp", "nothing", "nothing"}, {"", "c", "r", "c", "c"}},
        PersonCase{"2r ", {"", "nothing", "F:p.bmp", "nothing", "nothing"}, {"", "c", "r", "c", "c"}},
        PersonCase{"2", {"", "nothing", "F:p.bmp", "nothing", "nothing"}, {"", "c", "c", "c", "c"}},
        PersonCase{"1c a.bmp", {"", "F:a.bmp", "F:p.bmp", "nothing", "nothing"}, {"", "c", "l", "c", "c"}},
        PersonCase{"1x a.bmp", {"", "F:a.bmp", "F:p.bmp", "nothing", "nothing"}, {"", "c", "l", "c", "c"}},
        PersonCase{"1R a.bmp", {"", "F:a.bmp", "F:p.bmp", "nothing", "nothing"}, {"", "c", "l", "c", "c"}},
        PersonCase{"3lXb.bmp", {"", "nothing", "F:p.bmp", "F:b.bmp", "nothing"}, {"", "c", "l", "l", "c"}},
        PersonCase{"4r a.bmp", {"", "nothing", "F:p.bmp", "nothing", "F:a.bmp"}, {"", "c", "l", "c", "r"}},
        PersonCase{"2l nothing", {"", "nothing", "nothing", "nothing", "nothing"}, {"", "c", "l", "c", "c"}},
        PersonCase{"5r a.bmp", {"", "nothing", "F:p.bmp", "nothing", "nothing"}, {"", "c", "l", "c", "c"}},
        PersonCase{"0r a.bmp", {"", "nothing", "F:p.bmp", "nothing", "nothing"}, {"", "c", "l", "c", "c"}},
        PersonCase{"", {"", "nothing", "F:p.bmp", "nothing", "nothing"}, {"", "c", "l", "c", "c"}}));

// ".n" and ".k" replace a level outside 1 to 5 by their own default.
struct LevelCase {
    const char* line;
    int fadeLevel;
    int shadeLevel;
};
std::ostream& operator<<(std::ostream& o, const LevelCase& c) { return o << "\"" << c.line << "\""; }

class LevelTest : public PlayTest, public ::testing::WithParamInterface<LevelCase> {};

TEST_P(LevelTest, ReplacesOutOfRangeLevels)
{
    const LevelCase& c = GetParam();
    Lines({"T", ".n 4", ".k 2", c.line, ".w", ".e"});
    Click();
    ASSERT_TRUE(Messages().empty()) << Messages()[0];
    EXPECT_EQ(F().FadeLevel, c.fadeLevel) << c.line;
    EXPECT_EQ(F().ShadeLevel, c.shadeLevel) << c.line;
}

INSTANTIATE_TEST_SUITE_P(Levels, LevelTest,
                         ::testing::Values(LevelCase{".n 7", 1, 2}, LevelCase{".n 0", 1, 2}, LevelCase{".n -3", 1, 2},
                                           LevelCase{".n 5", 5, 2}, LevelCase{".n $3", 3, 2}, LevelCase{".k 0", 4, 3},
                                           LevelCase{".k 6", 4, 3}, LevelCase{".k 1", 4, 1}, LevelCase{".k  5", 4, 5}));

// ".c" and ".x" take only their own two words, byte for byte.
struct WordCase {
    const char* line;
    const char* fadeColor;
    const char* transitionMode;
};
std::ostream& operator<<(std::ostream& o, const WordCase& c) { return o << "\"" << c.line << "\""; }

class WordTest : public PlayTest, public ::testing::WithParamInterface<WordCase> {};

TEST_P(WordTest, TakesOnlyItsOwnWords)
{
    const WordCase& c = GetParam();
    Lines({"T", c.line, ".w", ".e"});
    Click();
    EXPECT_EQ(F().FadeColor, c.fadeColor) << c.line;
    EXPECT_EQ(F().TransitionMode, c.transitionMode) << c.line;
    EXPECT_TRUE(Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Words, WordTest,
                         ::testing::Values(WordCase{".c white", "white", "normal"}, WordCase{".c black", "black", "normal"},
                                           WordCase{".c White", "black", "normal"}, WordCase{".c white ", "black", "normal"},
                                           WordCase{".c red", "black", "normal"}, WordCase{".c", "black", "normal"},
                                           WordCase{".x fade", "black", "fade"}, WordCase{".x normal", "black", "normal"},
                                           WordCase{".x Fade", "black", "normal"}, WordCase{".x fade!", "black", "normal"},
                                           WordCase{".x black", "black", "normal"}, WordCase{".c fade", "black", "normal"}));

TEST_F(PlayTest, ColourAndModeComposeNothing)
{
    Lines({"T", ".c white", ".x fade", ".w", ".e"});
    // Any composition would fail on this background.
    F().BackPicName = W.Folder + "gone.bmp";
    Click();
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(F().FadeColor, "white");
    EXPECT_EQ(F().TransitionMode, "fade");
}

} // namespace
