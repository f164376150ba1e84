// Opening scenarios: the one open operation, its entry points and the recent
// entries, and loading a scenario file into the lines the interpreter runs.
#include <sys/stat.h>

#include "base/Errors.h"
#include "base/Paths.h"
#include "scenario/LineBreak.h"
#include "scenario/Normalize.h"
#include "shell/MainForm.h"

namespace {

const char* const kWrongExtension = "「.txt」「.snr」のファイルしかシナリオファイルとして読めません";

// The state of a player with no scenario: nothing to run but a terminator,
// clicks do nothing, no bookmarks, the product name as the title.
void EnterNoScenario(TMainForm& f)
{
    f.CanAdvance = false;
    f.ScenarioLines = TStringList({"", "", "", ".e"});
    f.ScenarioPath = f.BaseName;
    f.Save->setEnabled(false);
    f.Load->setEnabled(false);
    f.SetTitle(f.ProductName);
}

// The most recent first; a path already listed moves up instead of being added twice.
void PutOnTop(TMainForm& f, const std::string& path)
{
    const std::string r1 = f.RirekiCaption(1), r2 = f.RirekiCaption(2);
    if (r1 == path) return;
    if (r2 != path) f.SetRirekiCaption(3, r2);
    f.SetRirekiCaption(2, r1);
    f.SetRirekiCaption(1, path);
}

std::string ReadScenarioBytes(const std::string& path)
{
    // A pipe or a device would block or never end; only a plain file is read.
    struct stat st{};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) RaiseFileOpenError(path);
    return ReadFileBytes(path);
}

} // namespace

void TMainForm::OpenScenario()
{
    ResetPlayer();
    ScenarioLines.Clear();
    if (!FileExists(ScenarioPath)) {
        ShowMessage("このシナリオファイルは存在しません");
        EnterNoScenario(*this);
        return;
    }
    ScenarioFolder = ExtractFilePath(ScenarioPath);
    PutOnTop(*this, ScenarioPath);
    GlobalFlags.fill(0);
    try {
        LoadScenario();
    } catch (...) {
        // The file error names the file; the player must not go on with a
        // list that was never completed.
        EnterNoScenario(*this);
        throw;
    }
    OpenSaveFile();
    Save->setEnabled(true);
    Load->setEnabled(true);
    MbtnClick();
}

void TMainForm::LoadScenario()
{
    // Built aside and put in place only when complete, so a failure leaves
    // the list as it was.
    std::vector<std::string> lines;
    {
        const std::string bytes = ReadScenarioBytes(ScenarioPath);
        if (IsPlainTextFileName(ScenarioPath)) {
            // Split and broken in one pass: a long text never exists twice as lines.
            lines = BreakText(bytes);
        } else {
            TStringList read;
            read.SetText(bytes);
            lines = std::move(read.Lines());
        }
    }
    PadScenarioLines(lines);
    {
        TStringList copy(std::move(lines));
        copy.SaveToFile(ProgramFolder + "tempsnr");
        lines = std::move(copy.Lines());
    }
    AppendTerminator(lines);
    ScenarioLines.Lines() = ExpandShorthands(std::move(lines));
    SetTitle(ScenarioLines.Get(0));
}

void TMainForm::SLoadClick()
{
    std::optional<std::string> chosen = Dialogs().ChooseScenarioFile();
    if (!chosen) return;
    ScenarioPath = *chosen;
    OpenScenario();
}

void TMainForm::Rireki1Click() { RirekiClick(1); }
void TMainForm::Rireki2Click() { RirekiClick(2); }
void TMainForm::Rireki3Click() { RirekiClick(3); }

void TMainForm::RirekiClick(int n)
{
    const std::string path = RirekiCaption(n);
    if (path.empty()) return;
    ScenarioPath = path;
    OpenScenario();
}

void TMainForm::DropFile(const std::string& path)
{
    if (!IsScenarioFileName(path)) {
        ShowMessage(kWrongExtension);
        return;
    }
    ScenarioPath = path;
    OpenScenario();
}
