// The save file and bookmarks. (Arrives with the persistence work.)
#include "base/Paths.h"
#include "shell/MainForm.h"

std::string TMainForm::SavePath() const { return ChangeFileExt(ScenarioPath, SaveExt); }
void TMainForm::OpenSaveFile() {}
void TMainForm::CreateSaveFile() {}
void TMainForm::WriteGlobalFlags() {}
void TMainForm::SaveBookmark(int) {}
void TMainForm::LoadBookmark(int) {}
void TMainForm::Save1Click() { SaveBookmark(1); }
void TMainForm::Save2Click() { SaveBookmark(2); }
void TMainForm::Save3Click() { SaveBookmark(3); }
void TMainForm::Load1Click() { LoadBookmark(1); }
void TMainForm::Load2Click() { LoadBookmark(2); }
void TMainForm::Load3Click() { LoadBookmark(3); }
