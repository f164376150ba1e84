// The run loop, the text pages and the input gate.
#include <QCoreApplication>

#include "interp/RunWatch.h"
#include "shell/MainForm.h"

namespace {

std::string Head(const std::string& line)
{
    return line.substr(0, 2);
}

} // namespace

void TMainForm::RunScenario()
{
    HideAnswers();
    TRunWatch watch(*this);
    for (;;) {
        watch.Step();
        const std::string& line = ScenarioLines.Get(LineCursor);
        bool stop = false;
        if (!line.empty() && line[0] == '.') {
            const std::string head = Head(line);
            const std::string argument = line.size() > 3 ? line.substr(3, 50) : std::string();
            stop = ExecuteCommand(head, argument);
        } else if (Head(line) == "**") {
            // A label: only a jump target.
        } else {
            if (TextLineIndex >= TextLineCount || TextLineIndex < 0) {
                TurnPage();
                ClearPage();
            }
            TextLines[TextLineIndex]->SetCaption(line);
            ++TextLineIndex;
            if (TextLineIndex == TextLineCount && LineCursor + 1 < ScenarioLines.Count() &&
                ScenarioLines.Get(LineCursor + 1) != ".w") {
                HoldPage();
                stop = true;
            }
        }
        ++LineCursor;
        if (stop) return;
    }
}

void TMainForm::ClearPage()
{
    for (TShadowLabel* l : TextLines) l->SetCaption("");
    TextLineIndex = 0;
}

void TMainForm::MbtnClick()
{
    if (InputLocked) return;
    if (PrevShown) RestorePage();
    else if (CanAdvance) RunScenario();
}

void TMainForm::HoldPage()
{
    PageSpeaker = HitoNamaeLabel->Caption();
    for (int i = 0; i < 10; ++i) PageText[i] = TextLines[i]->Caption();
}

void TMainForm::TurnPage()
{
    MaeDoc->setEnabled(true);
    PrevPageSpeaker = PageSpeaker;
    for (int i = 0; i < 10; ++i) PrevPageText[i] = PageText[i];
    HoldPage();
}

void TMainForm::ShowPrevPage()
{
    HoldPage();
    const QColor silver(192, 192, 192);
    HitoNamaeLabel->SetCaption(PrevPageSpeaker);
    HitoNamaeLabel->SetFontColor(silver);
    for (int i = 0; i < 10; ++i) {
        TextLines[i]->SetCaption(PrevPageText[i]);
        TextLines[i]->SetFontColor(silver);
    }
    PrevShown = true;
    MaeDoc->setEnabled(false);
    for (TShadowLabel* b : {Abtn, Bbtn, Cbtn}) {
        b->setEnabled(false);
        b->setVisible(false);
    }
    Save->setEnabled(false);
    Load->setEnabled(false);
}

void TMainForm::RestorePage()
{
    HitoNamaeLabel->SetCaption(PageSpeaker);
    HitoNamaeLabel->SetFontColor(Qt::white);
    for (int i = 0; i < 10; ++i) {
        TextLines[i]->SetCaption(PageText[i]);
        TextLines[i]->SetFontColor(Qt::white);
    }
    PrevShown = false;
    MaeDoc->setEnabled(true);
    if (!CanAdvance) ShowAnswers();
    Save->setEnabled(true);
    Load->setEnabled(true);
}

void TMainForm::LockInput()
{
    InputLocked = true;
    Mbtn->setEnabled(false);
    MainPanel->setEnabled(false);
}

void TMainForm::UnlockInput()
{
    InputLocked = false;
    Mbtn->setEnabled(true);
    MainPanel->setEnabled(true);
}

void TMainForm::WaitTimerTimer()
{
    if (draining_) return;
    if (InputLocked) {
        // Input given during the locked run may still wait in the queue, and
        // the toolkit does not promise to hand it over before this tick: hand
        // it over now, while still locked, so it is dropped.
        draining_ = true;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        draining_ = false;
    }
    UnlockInput();
}

void TMainForm::RepaintText()
{
    HitoNamaeLabel->repaint();
    for (TShadowLabel* l : TextLines) l->repaint();
}
