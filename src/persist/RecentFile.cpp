// The recent-file list file. (Arrives with the persistence work.)
#include "shell/MainForm.h"

std::string TMainForm::RecentFilePath() const { return ProgramFolder + BaseName + ".rdf"; }
void TMainForm::LoadRecentFile() {}
void TMainForm::SaveRecentFile() {}
