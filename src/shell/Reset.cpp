#include "shell/MainForm.h"

void TMainForm::ResetPlayer()
{
    StopMusic();
    PrevPageSpeaker.clear();
    PageSpeaker.clear();
    for (int i = 0; i < 10; ++i) {
        PrevPageText[i].clear();
        PageText[i].clear();
        TextLines[i]->SetFontColor(Qt::white);
    }
    MaeDoc->setEnabled(false);
    PrevShown = false;
    LineCursor = 1;
    TextLineIndex = 0;
    FadeLevel = 1;
    ShadeLevel = 3;
    BackPicName = "nothing";
    SubPicName = "nothing";
    FadeColor = "black";
    for (int s = 1; s <= 4; ++s) {
        PersonPicName[s] = "nothing";
        PersonPos[s] = "c";
    }
    TransitionMode = "normal";
    ComposeScreen();
    for (TShadowLabel* l : TextLines) l->SetCaption("");
    HitoNamaeLabel->SetCaption("");
    StoryFlags.fill(0);
    HideAnswers();
}
