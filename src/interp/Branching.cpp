// Choices, jumps and the answer buttons.
#include "interp/LabelSearch.h"
#include "shell/MainForm.h"

void TMainForm::JumpToLabel(const std::string& name)
{
    int found = FindLabel(ScenarioLines, name, LineCursor);
    if (found >= 0) LineCursor = found;
    TurnPage();
    ClearPage();
}

void TMainForm::ShowAnswers()
{
    for (TShadowLabel* b : {Abtn, Bbtn, Cbtn}) {
        b->setVisible(true);
        b->setEnabled(true);
    }
    CanAdvance = false;
    if (AnswerLabelC == "nothing") {
        Cbtn->setVisible(false);
        Cbtn->setEnabled(false);
    }
}

void TMainForm::HideAnswers()
{
    for (TShadowLabel* b : {Abtn, Bbtn, Cbtn}) {
        b->setVisible(false);
        b->setEnabled(false);
    }
    CanAdvance = true;
}

void TMainForm::AnswerClick(const std::string& label)
{
    if (InputLocked) return;
    HideAnswers();
    JumpToLabel(label);
    ++LineCursor;
    RunScenario();
}

void TMainForm::AbtnClick() { AnswerClick(AnswerLabelA); }
void TMainForm::BbtnClick() { AnswerClick(AnswerLabelB); }
void TMainForm::CbtnClick() { AnswerClick(AnswerLabelC); }
