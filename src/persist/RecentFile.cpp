// The recent-file list file: read into the three recent entries at start-up,
// written back from them at shutdown.
#include "shell/MainForm.h"

std::string TMainForm::RecentFilePath() const { return ProgramFolder + BaseName + ".rdf"; }

void TMainForm::LoadRecentFile()
{
    const std::string path = RecentFilePath();
    if (!FileExists(path)) RecentList.SaveToFile(path);
    RecentList.LoadFromFile(path);
    if (RecentList.Count() < 5)
        for (int i = 0; i < 3; ++i) RecentList.Add("");
    RecentList.SaveToFile(path);
    for (int n = 1; n <= 3; ++n) SetRirekiCaption(n, RecentList.Get(n - 1));
}

void TMainForm::SaveRecentFile()
{
    // After a failed start-up load the list may be short; the entries still go
    // to their lines.
    while (RecentList.Count() < 3) RecentList.Add("");
    for (int n = 1; n <= 3; ++n) RecentList.Put(n - 1, RirekiCaption(n));
    RecentList.SaveToFile(RecentFilePath());
}
