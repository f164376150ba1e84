// Choices, jumps, flags and the answer buttons.
#include "interp/Branching.h"

#include "base/Convert.h"
#include "interp/Arguments.h"
#include "interp/LabelSearch.h"
#include "shell/MainForm.h"

void TMainForm::JumpToLabel(const std::string& name)
{
    int found = FindLabel(ScenarioLines, name, LineCursor);
    if (found >= 0) LineCursor = found;
    TurnPage();
    ClearPage();
}

void OfferChoice(TMainForm& f, const std::string& argument)
{
    // All three target lines are read before anything changes, so a choice
    // cut off by the end of the list fails with the cursor still on it.
    const std::string labelA = LineArgument(f.ScenarioLines.Get(f.LineCursor + 1));
    const std::string labelB = LineArgument(f.ScenarioLines.Get(f.LineCursor + 2));
    const std::string labelC = LineArgument(f.ScenarioLines.Get(f.LineCursor + 3));

    // Full-width A, B and C unless the argument names the answers.
    std::string captions[3] = {"\x82\x60", "\x82\x61", "\x82\x62"};
    if (!argument.empty()) {
        std::string rest = argument + ",";
        for (std::string& caption : captions) {
            const size_t comma = rest.find(',');
            if (comma == std::string::npos) {
                caption.clear();
                continue;
            }
            caption = rest.substr(0, comma);
            rest.erase(0, comma + 1);
        }
    }
    f.Abtn->SetCaption(captions[0]);
    f.Bbtn->SetCaption(captions[1]);
    f.Cbtn->SetCaption(captions[2]);

    f.AnswerLabelA = labelA;
    f.AnswerLabelB = labelB;
    f.AnswerLabelC = labelC;
    f.LineCursor += 3;
    f.ShowAnswers();
}

// The flag a ".f" or ".!" argument names (letter at byte 1, number at bytes 2
// and 3); null when the letter names no set or the number lies outside it.
static unsigned char* NamedFlag(TMainForm& f, const std::string& argument)
{
    const std::string letter = ArgBytes(argument, 1, 1);
    const int number = StrToInt(ArgBytes(argument, 2, 2));
    auto within = [number](const auto& flags) {
        return number >= 0 && static_cast<size_t>(number) < flags.size();
    };
    if (letter == "f") return within(f.StoryFlags) ? &f.StoryFlags[static_cast<size_t>(number)] : nullptr;
    if (letter == "g") return within(f.GlobalFlags) ? &f.GlobalFlags[static_cast<size_t>(number)] : nullptr;
    return nullptr;
}

void SetFlag(TMainForm& f, const std::string& argument)
{
    unsigned char* flag = NamedFlag(f, argument);
    if (!flag) return;
    const std::string word = ArgBytes(argument, 5, 3);
    if (word == "on") *flag = 1;
    else if (word == "off") *flag = 0;
}

void TestFlag(TMainForm& f, const std::string& argument)
{
    const unsigned char* flag = NamedFlag(f, argument);
    if (!flag) return;
    // The first target line is for a flag that is on, the second for one that is off.
    const int targetLine = f.LineCursor + (*flag == 1 ? 1 : 2);
    const std::string target = LineArgument(f.ScenarioLines.Get(targetLine));
    f.LineCursor = targetLine;
    if (target != "nothing") f.JumpToLabel(target);
    else if (*flag == 1) ++f.LineCursor;  // step over the second target line too
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
    // Before any scenario and after a failed open no click can advance and no
    // answer is offered (nor hidden by the re-read view): there is nothing to
    // answer, and the stale labels must not start a run.
    if (!CanAdvance && Abtn->isHidden() && !PrevShown) return;
    HideAnswers();
    JumpToLabel(label);
    // A hand-edited bookmark can leave the cursor anywhere, up to the largest
    // number; past the last line there is nothing to step over, and the run
    // reports the cursor as it stands.
    if (LineCursor < ScenarioLines.Count()) ++LineCursor;
    RunScenario();
}

void TMainForm::AbtnClick() { AnswerClick(AnswerLabelA); }
void TMainForm::BbtnClick() { AnswerClick(AnswerLabelB); }
void TMainForm::CbtnClick() { AnswerClick(AnswerLabelC); }
