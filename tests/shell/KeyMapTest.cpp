// The typed keys: the click keys, the answer keys and the menu letter keys.
#include <gtest/gtest.h>

#include <functional>

#include "shell/ShellTestSupport.h"

namespace {

// A choice is pending at line 3 with the labels below; each label's text is
// followed by a wait, so a run shows exactly that text on the first line.
std::vector<std::string> ChoiceLines(bool withNothingLabel)
{
    std::vector<std::string> lines = {
        "Choice",  "question", ".w",
        "skipped",    // 3: the cursor of the pending choice
        "one below",  // 4: where a jump that finds nothing goes on
        ".w",      "**la",     "A text", ".w", "**lb", "B text", ".w", "**lc", "C text", ".w",
    };
    if (withNothingLabel) {
        lines.push_back("**nothing");
        lines.push_back("nothing label");
        lines.push_back(".w");
    }
    lines.push_back("end");
    lines.push_back(".w");
    return lines;
}

void OfferChoice(TestWindow& w, const std::string& labelC, bool withNothingLabel = false)
{
    w.UseLines(ChoiceLines(withNothingLabel));
    TMainForm& f = *w.Form;
    f.LineCursor = 3;
    f.AnswerLabelA = "la";
    f.AnswerLabelB = "lb";
    f.AnswerLabelC = labelC;
    f.ShowAnswers();
}

struct AnswerCase {
    char key;
    std::string labelC;
    bool nothingLabel;
    std::string firstLine;  // what the first text line shows afterwards
};

TEST(AnswerKeys, EachKeyAnswersItsButton)
{
    const std::vector<AnswerCase> cases = {
        {'1', "lc", false, "A text"},  {'a', "lc", false, "A text"},  {'A', "lc", false, "A text"},
        {'2', "lc", false, "B text"},  {'b', "lc", false, "B text"},  {'B', "lc", false, "B text"},
        {'3', "lc", false, "C text"},  {'c', "lc", false, "C text"},  {'C', "lc", false, "C text"},
        // Two answers offered: C is hidden, yet its keys still answer C with
        // the label "nothing"; no such label, so reading goes on one line
        // below the line after the targets.
        {'3', "nothing", false, "one below"}, {'c', "nothing", false, "one below"},
        {'C', "nothing", false, "one below"},
        // ... and a label line named "nothing" is a jump target like any other.
        {'3', "nothing", true, "nothing label"},
    };
    for (const AnswerCase& c : cases) {
        SCOPED_TRACE(std::string("key ") + c.key + ", label C " + c.labelC);
        TestWindow w;
        OfferChoice(w, c.labelC, c.nothingLabel);
        ASSERT_EQ(w.Form->Cbtn->isHidden(), c.labelC == "nothing");
        Type(*w.Form, c.key);
        EXPECT_EQ(w.Captions()[0], c.firstLine);
        EXPECT_TRUE(w.Form->CanAdvance);
        EXPECT_TRUE(w.Form->Abtn->isHidden());
        EXPECT_EQ(w.Form->AnswerLabelC, c.labelC);
    }
}

TEST(AnswerKeys, DoNothingWhileNoAnswerIsAwaited)
{
    const std::string keys = "1aA2bB3cC";
    for (char key : keys) {
        SCOPED_TRACE(std::string("key ") + key);
        // Reading: a click continues, an answer key does not.
        TestWindow w;
        w.UseLines({"T", "first", ".w", "second", ".w"});
        w.Form->AnswerLabelA = w.Form->AnswerLabelB = w.Form->AnswerLabelC = "la";
        Type(*w.Form, ' ');
        ASSERT_EQ(w.Captions()[0], "first");
        const int cursor = w.Form->LineCursor;
        Type(*w.Form, key);
        EXPECT_EQ(w.Captions()[0], "first");
        EXPECT_EQ(w.Form->LineCursor, cursor);
    }
}

TEST(AnswerKeys, DoNothingWhileInputIsLocked)
{
    for (char key : std::string("1aA2bB3cC")) {
        SCOPED_TRACE(std::string("key ") + key);
        TestWindow w;
        OfferChoice(w, "lc");
        w.Form->LockInput();
        Type(*w.Form, key);
        EXPECT_FALSE(w.Form->CanAdvance);
        EXPECT_FALSE(w.Form->Abtn->isHidden());
        EXPECT_EQ(w.Form->LineCursor, 3);
        // The next tick lifts the lock and the key is taken.
        w.Form->WaitTimerTimer();
        Type(*w.Form, key);
        EXPECT_TRUE(w.Form->CanAdvance);
    }
}

TEST(AnswerKeys, BeforeAnyScenarioChangeNothing)
{
    TestWindow w;
    w.Create();
    const auto before = w.Captions();
    for (char key : std::string("1aA2bB3cC")) {
        Type(*w.Form, key);
        EXPECT_EQ(w.Captions(), before) << key;
        EXPECT_FALSE(w.Form->CanAdvance) << key;
        EXPECT_FALSE(w.Form->MaeDoc->isEnabled()) << key;
    }
    EXPECT_TRUE(w.Dialogs.Messages.empty());
}

TEST(AnswerKeys, AnswerWhileThePreviousPageIsShown)
{
    // The re-read view hides the buttons of a pending choice; the keys still
    // answer, and the view stays marked as shown.
    TestWindow w;
    OfferChoice(w, "lc");
    w.Form->TurnPage();
    w.Form->ShowPrevPage();
    ASSERT_TRUE(w.Form->Abtn->isHidden());
    Type(*w.Form, '2');
    EXPECT_EQ(w.Captions()[0], "B text");
    EXPECT_TRUE(w.Form->PrevShown);
}

TEST(ClickKeys, SpaceAndEnterRunOnOnlyWhenAClickWould)
{
    for (char key : {' ', '\r'}) {
        SCOPED_TRACE(key == ' ' ? "space" : "enter");
        {
            TestWindow w;  // reading: runs on
            w.UseLines({"T", "first", ".w", "second", ".w"});
            Type(*w.Form, key);
            EXPECT_EQ(w.Captions()[0], "first");
            Type(*w.Form, key);
            EXPECT_EQ(w.Captions()[1], "second");
        }
        {
            TestWindow w;  // answers awaited: nothing
            OfferChoice(w, "lc");
            Type(*w.Form, key);
            EXPECT_FALSE(w.Form->CanAdvance);
            EXPECT_EQ(w.Form->LineCursor, 3);
        }
        {
            TestWindow w;  // locked: nothing
            w.UseLines({"T", "first", ".w"});
            w.Form->LockInput();
            Type(*w.Form, key);
            EXPECT_EQ(w.Captions()[0], "");
        }
        {
            TestWindow w;  // before any scenario: nothing
            w.Create();
            const auto before = w.Captions();
            Type(*w.Form, key);
            EXPECT_EQ(w.Captions(), before);
        }
    }
}

TEST(ClickKeys, ControlCombinationsAreNoTypedCharacters)
{
    // Ctrl+D is not "d": only Delete and the menu shortcut close.
    TestWindow w;
    w.Create();
    Type(*w.Form, 'd', Qt::ControlModifier);
    Type(*w.Form, 'v', Qt::ControlModifier);
    EXPECT_TRUE(w.Dialogs.Messages.empty());
    EXPECT_EQ(w.Dialogs.AboutShown, 0);
}

// The menu letter keys: each runs its command only while its menu item is enabled.
struct LetterRow {
    const char* name;
    std::string keys;
    QAction* TMainForm::*item;
    std::function<void(TestWindow&)> prepare;  // a state in which the command does something
    std::function<int(TestWindow&)> effect;    // grows by one when the command runs
    void (TMainForm::*command)();
};

void Reading(TestWindow& w)
{
    // A scenario as an open leaves it, two pages read, so there is a previous page.
    std::vector<std::string> lines = {"T"};
    for (int i = 0; i < 12; ++i) lines.push_back("line " + std::to_string(i));
    lines.push_back(".w");
    w.UseLines(lines);
    w.Form->Save->setEnabled(true);
    w.Form->Load->setEnabled(true);
    w.Form->MbtnClick();
    w.Form->MbtnClick();
}

void Opened(TestWindow& w)
{
    // A scenario opened from its file, with its save file: the bookmarks work.
    std::string text = "Story\r\n";
    for (int i = 0; i < 25; ++i) text += "line " + std::to_string(i) + "\r\n";
    const std::string path = w.WriteFile("story.snr", text);
    w.Create();
    w.Form->ScenarioPath = path;
    w.Form->OpenScenario();
}

const LetterRow kLetterRows[] = {
    {"open", "fF", &TMainForm::SLoad, [](TestWindow& w) { w.Create(); },
     [](TestWindow& w) { return w.Dialogs.OpenShown; }, &TMainForm::SLoadClick},
    {"version", "vV", &TMainForm::AboutVer, [](TestWindow& w) { w.Create(); },
     [](TestWindow& w) { return w.Dialogs.AboutShown; }, &TMainForm::AboutVerClick},
    {"exit", "dD", &TMainForm::Exit, [](TestWindow& w) { w.Create(); },
     [](TestWindow& w) { return CountOf(w.Dialogs.Messages, kCloseQuestion); }, &TMainForm::ExitClick},
    {"reread", "rR", &TMainForm::MaeDoc, Reading, [](TestWindow& w) { return w.Form->PrevShown ? 1 : 0; },
     &TMainForm::MaeDocClick},
    // Saving and loading a bookmark end with a confirmation box.
    {"save", "sS", &TMainForm::Save, Opened, [](TestWindow& w) { return int(w.Dialogs.Messages.size()); },
     &TMainForm::Save3Click},
    {"load", "lL", &TMainForm::Load, Opened, [](TestWindow& w) { return int(w.Dialogs.Messages.size()); },
     &TMainForm::Load3Click},
};

class LetterKeys : public ::testing::TestWithParam<LetterRow> {};

TEST_P(LetterKeys, RunTheCommandOnlyWhileTheItemIsEnabled)
{
    const LetterRow& row = GetParam();
    {
        TestWindow probe;
        row.prepare(probe);
        const int before = row.effect(probe);
        (probe.Form.get()->*row.command)();
        if (row.effect(probe) == before)
            GTEST_SKIP() << row.name << ": the command itself shows nothing yet in this build";
    }
    for (char key : row.keys) {
        SCOPED_TRACE(std::string("key ") + key);
        TestWindow on;
        row.prepare(on);
        (on.Form.get()->*row.item)->setEnabled(true);
        const int before = row.effect(on);
        Type(*on.Form, key);
        EXPECT_EQ(row.effect(on), before + 1);

        TestWindow off;
        row.prepare(off);
        (off.Form.get()->*row.item)->setEnabled(false);
        const int beforeOff = row.effect(off);
        Type(*off.Form, key);
        EXPECT_EQ(row.effect(off), beforeOff);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, LetterKeys, ::testing::ValuesIn(kLetterRows),
                         [](const ::testing::TestParamInfo<LetterRow>& i) { return std::string(i.param.name); });

TEST(LetterKeys, SaveAndLoadKeysDoNothingBeforeAScenarioIsOpen)
{
    TestWindow w;
    w.Create();
    for (char key : std::string("sSlL")) Type(*w.Form, key);
    EXPECT_TRUE(w.Dialogs.Messages.empty());
    EXPECT_FALSE(w.Form->CanAdvance);
}

TEST(AnswerHighlight, ButtonUnderThePointerIsWhiteTheOthersSilver)
{
    const QColor grey(0x80, 0x80, 0x80), silver(0xC0, 0xC0, 0xC0), white(0xFF, 0xFF, 0xFF);
    TestWindow w;
    TMainForm& f = w.Create();
    auto colours = [&] {
        return std::vector<QColor>{f.Abtn->FontColor(), f.Bbtn->FontColor(), f.Cbtn->FontColor()};
    };
    EXPECT_EQ(colours(), (std::vector<QColor>{grey, grey, grey}));

    // Real pointer movements: over a button only that button changes.
    auto move = [](QWidget* target) {
        QMouseEvent e(QEvent::MouseMove, QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &e);
    };
    move(f.Bbtn);
    EXPECT_EQ(colours(), (std::vector<QColor>{grey, white, grey}));
    move(f.Mbtn);
    EXPECT_EQ(colours(), (std::vector<QColor>{silver, silver, silver}));
    move(f.Abtn);
    EXPECT_EQ(colours(), (std::vector<QColor>{white, silver, silver}));
    move(f.Cbtn);
    EXPECT_EQ(colours(), (std::vector<QColor>{white, silver, white}));
    move(&f);  // the window outside the picture
    EXPECT_EQ(colours(), (std::vector<QColor>{silver, silver, silver}));
}

} // namespace
