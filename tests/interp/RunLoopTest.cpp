#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "base/Errors.h"
#include "common/Doubles.h"

namespace {

std::vector<std::string> Numbered(const std::string& prefix, int from, int to)
{
    std::vector<std::string> v;
    for (int i = from; i <= to; ++i) v.push_back(prefix + std::to_string(i));
    return v;
}

std::vector<std::string> Concat(std::initializer_list<std::vector<std::string>> parts)
{
    std::vector<std::string> out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

std::vector<std::string> Page(std::initializer_list<std::string> first)
{
    std::vector<std::string> v(first);
    v.resize(10);
    return v;
}

void PostClick(QWidget* w)
{
    QPointF p(5, 5);
    QCoreApplication::postEvent(w, new QMouseEvent(QEvent::MouseButtonPress, p, w->mapToGlobal(p), Qt::LeftButton,
                                                   Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(w, new QMouseEvent(QEvent::MouseButtonRelease, p, w->mapToGlobal(p), Qt::LeftButton,
                                                   Qt::NoButton, Qt::NoModifier));
}

void PostKey(QWidget* w, int key, const QString& text)
{
    QCoreApplication::postEvent(w, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, text));
}

} // namespace

TEST(RunLoop, TextFillsPagesAndAFullPageWaits)
{
    TestWindow t;
    t.UseLines(Concat({{"title"}, Numbered("L", 1, 11), {".w", ".e"}}));
    auto& f = *t.Form;
    f.MbtnClick();
    EXPECT_EQ(t.Captions(), Numbered("L", 1, 10));
    EXPECT_EQ(f.LineCursor, 11);  // the line after the tenth, still to come
    EXPECT_EQ(f.TextLineIndex, 10);
    EXPECT_FALSE(f.MaeDoc->isEnabled());

    f.MbtnClick();  // turns the page, shows L11, waits at ".w"
    EXPECT_EQ(t.Captions(), Page({"L11"}));
    EXPECT_EQ(f.LineCursor, 13);
    EXPECT_TRUE(f.MaeDoc->isEnabled());
    EXPECT_EQ(std::vector<std::string>(f.PrevPageText.begin(), f.PrevPageText.begin() + 10), Numbered("L", 1, 10));
}

TEST(RunLoop, StopRulesAroundAFullPage)
{
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        std::vector<int> cursorAfterEachClick;
    } cases[] = {
        // The ".w" after the tenth line makes the only wait.
        {"ten then .w", Concat({{"t"}, Numbered("L", 1, 10), {".w", "x", ".w"}}), {12, 14}},
        // The page is full, then ".w" waits again on the same page.
        {"ten then blank then .w", Concat({{"t"}, Numbered("L", 1, 10), {"", ".w", ".w"}}), {11, 13}},
        // A label and an unknown command take no line of the page.
        {"label and unknown", Concat({{"t", "**here", "..."}, Numbered("L", 1, 10), {"x", ".w"}}), {13, 15}},
    };
    for (const auto& c : cases) {
        TestWindow t;
        t.UseLines(c.lines);
        std::vector<int> got;
        for (size_t i = 0; i < c.cursorAfterEachClick.size(); ++i) {
            t.Form->MbtnClick();
            got.push_back(t.Form->LineCursor);
        }
        EXPECT_EQ(got, c.cursorAfterEachClick) << c.name;
    }
}

TEST(RunLoop, EmptyLineTakesALineAndWaitKeepsThePage)
{
    TestWindow t;
    t.UseLines({"t", "a", "", "b", ".w", "c", ".w"});
    t.Form->MbtnClick();
    EXPECT_EQ(t.Captions(), Page({"a", "", "b"}));
    t.Form->MbtnClick();
    EXPECT_EQ(t.Captions(), Page({"a", "", "b", "c"}));
}

TEST(RunLoop, RereadShowsThePreviousPageInSilverUntilTheNextClick)
{
    TestWindow t;
    t.UseLines(Concat({{"t"}, Numbered("A", 1, 10), Numbered("B", 1, 3), {".w", "C1", ".w"}}));
    auto& f = *t.Form;
    f.Save->setEnabled(true);
    f.Load->setEnabled(true);
    f.MbtnClick();
    f.MbtnClick();  // page B
    ASSERT_EQ(t.Captions(), Page({"B1", "B2", "B3"}));
    ASSERT_TRUE(f.MaeDoc->isEnabled());

    f.ShowPrevPage();
    EXPECT_EQ(t.Captions(), Numbered("A", 1, 10));
    for (auto* l : f.TextLines) EXPECT_EQ(l->FontColor(), QColor(192, 192, 192));
    EXPECT_TRUE(f.PrevShown);
    EXPECT_FALSE(f.MaeDoc->isEnabled());
    EXPECT_FALSE(f.Save->isEnabled());
    EXPECT_FALSE(f.Load->isEnabled());

    const int cursor = f.LineCursor;
    f.MbtnClick();  // restores, does not advance
    EXPECT_EQ(t.Captions(), Page({"B1", "B2", "B3"}));
    for (auto* l : f.TextLines) EXPECT_EQ(l->FontColor(), QColor(Qt::white));
    EXPECT_EQ(f.LineCursor, cursor);
    EXPECT_FALSE(f.PrevShown);
    EXPECT_TRUE(f.MaeDoc->isEnabled());
    EXPECT_TRUE(f.Save->isEnabled());

    f.MbtnClick();
    EXPECT_EQ(t.Captions(), Page({"B1", "B2", "B3", "C1"}));
}

TEST(RunLoop, PreviousPageIsThePageLastSeenAtAWait)
{
    // Lines added after the last wait and turned away without a wait of their
    // own never reach the previous page.
    TestWindow t;
    t.UseLines(Concat({{"t", "A1", ".w"}, Numbered("B", 2, 10), Numbered("C", 1, 10), {".w"}}));
    auto& f = *t.Form;
    f.MbtnClick();  // waits showing A1
    f.MbtnClick();  // A1,B2..B10 full -> waits
    f.MbtnClick();  // C page
    f.ShowPrevPage();
    EXPECT_EQ(t.Captions(), Concat({{"A1"}, Numbered("B", 2, 10)}));
}

TEST(RunLoop, ReadingPastTheEndRaisesTheListErrorAndKeepsTheState)
{
    TestWindow t;
    t.UseLines({"t", "a", "b"});
    auto& f = *t.Form;
    EXPECT_THROW(f.MbtnClick(), EListError);
    EXPECT_EQ(t.Captions(), Page({"a", "b"}));
    EXPECT_EQ(f.LineCursor, 3);

    // Through the error display: a message, and the program goes on.
    f.Guarded([&] { f.MbtnClick(); });
    ASSERT_EQ(t.Dialogs.Messages.size(), 1u);
    EXPECT_NE(t.Dialogs.Messages[0].find("ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています"), std::string::npos);
}

TEST(RunLoop, AnOutOfRangePagePositionTurnsThePageInsteadOfWritingOutside)
{
    for (int bad : {10, 11, 1000, -3}) {
        TestWindow t;
        t.UseLines({"t", "x", ".w"});
        t.Form->TextLineIndex = bad;
        t.Form->MbtnClick();
        EXPECT_EQ(t.Captions(), Page({"x"})) << bad;
    }
}

TEST(InputGate, ClicksAndKeysWhileLockedNeverAdvanceWhateverTheOrder)
{
    for (bool tickFirst : {true, false}) {
        TestWindow t;
        t.Create();
        t.Form->show();
        t.UseLines({"t", "a", ".w", "b", ".w", "c", ".w", "d", ".w"});
        auto& f = *t.Form;
        f.MbtnClick();
        ASSERT_EQ(f.LineCursor, 3);
        f.LockInput();  // as a pause or transition leaves it
        f.MbtnClick();
        f.FormKeyPress(' ');
        EXPECT_EQ(f.LineCursor, 3);

        // Input queued during the locked run, handed over before or after the tick.
        PostClick(f.Mbtn);
        PostKey(&f, Qt::Key_Space, " ");
        PostKey(&f, Qt::Key_Return, "\r");
        if (tickFirst) {
            f.WaitTimerTimer();
            QCoreApplication::processEvents();
        } else {
            QCoreApplication::processEvents();
            f.WaitTimerTimer();
        }
        EXPECT_EQ(f.LineCursor, 3) << "tick first: " << tickFirst;
        EXPECT_FALSE(f.InputLocked);
        EXPECT_TRUE(f.Mbtn->isEnabled());
        EXPECT_TRUE(f.MainPanel->isEnabled());

        // After the tick a click is taken.
        PostClick(f.Mbtn);
        QCoreApplication::processEvents();
        EXPECT_EQ(f.LineCursor, 5);
    }
}

TEST(InputGate, AnswersAreDroppedWhileLocked)
{
    TestWindow t;
    t.UseLines({"t", "**x", "a", ".w"});
    auto& f = *t.Form;
    f.AnswerLabelA = "x";
    f.ShowAnswers();
    f.LockInput();
    f.AbtnClick();
    f.FormKeyPress('1');
    EXPECT_FALSE(f.CanAdvance);
    EXPECT_TRUE(f.Abtn->isVisibleTo(&f));
    f.UnlockInput();
    f.FormKeyPress('1');
    EXPECT_TRUE(f.CanAdvance);
    EXPECT_EQ(t.Captions(), Page({"a"}));
}
