// Opening scenarios. (Arrives with the scenario-file work.)
#include "shell/MainForm.h"

void TMainForm::OpenScenario() {}
void TMainForm::LoadScenario() {}
void TMainForm::SLoadClick() {}
void TMainForm::Rireki1Click() { RirekiClick(1); }
void TMainForm::Rireki2Click() { RirekiClick(2); }
void TMainForm::Rireki3Click() { RirekiClick(3); }
void TMainForm::RirekiClick(int) {}
void TMainForm::DropFile(const std::string&) {}
