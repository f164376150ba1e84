// The save file beside each scenario: global flags and three bookmarks.
#include "base/Convert.h"
#include "base/Paths.h"
#include "persist/Bookmark.h"
#include "shell/MainForm.h"

namespace {

// Finds a slot's header and leaves SaveCursor on it; reports a missing one
// and returns false with SaveCursor at 0.
bool FindSlot(TMainForm& f, int slot)
{
    const std::string header = "sav_" + std::to_string(slot);
    f.SaveCursor = FindHeader(f.SaveLines, header);
    if (f.SaveCursor >= 0) return true;
    f.SaveCursor = 0;
    f.ShowMessage(header + "がみつからない");
    return false;
}

bool SaveSlot(TMainForm& f, int slot)
{
    f.WriteGlobalFlags();
    if (!FindSlot(f, slot)) return false;
    BookmarkRecord r;
    r.StoryFlags = f.StoryFlags;
    for (int i = 0; i < 10; ++i) r.TextCaptions[static_cast<size_t>(i)] = f.TextLines[static_cast<size_t>(i)]->Caption();
    r.ShadeLevel = f.ShadeLevel;
    r.FadeLevel = f.FadeLevel;
    r.FadeColor = f.FadeColor;
    r.BackPicName = f.BackPicName;
    r.SubPicName = f.SubPicName;
    for (int s = 1; s <= 4; ++s) {
        r.PersonPicName[static_cast<size_t>(s - 1)] = f.PersonPicName[static_cast<size_t>(s)];
        r.PersonPos[static_cast<size_t>(s - 1)] = f.PersonPos[static_cast<size_t>(s)];
    }
    r.TransitionMode = f.TransitionMode;
    r.MusicName = f.BGMPlayer().FileName();
    r.LineCursor = f.LineCursor;
    r.TextLineIndex = f.TextLineIndex;
    r.CanAdvance = f.CanAdvance;
    r.AnswerLabelA = f.AnswerLabelA;
    r.AnswerLabelB = f.AnswerLabelB;
    r.AnswerLabelC = f.AnswerLabelC;
    r.AbtnCaption = f.Abtn->Caption();
    r.BbtnCaption = f.Bbtn->Caption();
    r.CbtnCaption = f.Cbtn->Caption();
    r.SpeakerCaption = f.HitoNamaeLabel->Caption();
    // A header too near the end raises the list's index error at the first
    // line that is missing; the lines before it stay changed in memory.
    for (std::string& line : EncodeBookmark(r)) f.SaveLines.Put(++f.SaveCursor, std::move(line));
    f.SaveLines.SaveToFile(f.SavePath());
    return true;
}

bool LoadSlot(TMainForm& f, int slot)
{
    if (!FindSlot(f, slot)) return false;
    TStringList& s = f.SaveLines;
    auto next = [&]() -> const std::string& { return s.Get(++f.SaveCursor); };
    ReadFlagLine(next(), f.StoryFlags.data(), 50);
    for (TShadowLabel* l : f.TextLines) l->SetCaption(next());
    f.ShadeLevel = StrToInt(next());  // no drawing uses it; kept as written
    // A hand-edited level outside 1 to 5 is taken as the nearest one, so no
    // composition asks for a mask that does not exist.
    f.FadeLevel = ClampLevel(StrToInt(next()));
    f.FadeColor = next();
    f.BackPicName = next();
    f.SubPicName = next();
    for (int p = 1; p <= 4; ++p) {
        f.PersonPicName[static_cast<size_t>(p)] = next();
        f.PersonPos[static_cast<size_t>(p)] = next();
    }
    f.TransitionMode = next();
    f.ComposeScreen();
    IMusicPlayer& music = f.BGMPlayer();
    music.SetFileName(next());
    if (music.FileName() != "nothing") {
        music.Open();
        music.Play();
    }
    f.LineCursor = StrToInt(next());
    // Likewise the next free text line is kept within the page: 10 means full.
    f.TextLineIndex = ClampTextLineIndex(StrToInt(next()), f.TextLineCount);
    const std::string choice = next();
    f.AnswerLabelA = next();
    f.AnswerLabelB = next();
    f.AnswerLabelC = next();
    if (choice == "ABC") f.ShowAnswers();
    else f.HideAnswers();
    f.Abtn->SetCaption(next());
    f.Bbtn->SetCaption(next());
    f.Cbtn->SetCaption(next());
    f.HitoNamaeLabel->SetCaption(next());
    f.HoldPage();
    f.PrevShown = false;
    f.MaeDoc->setEnabled(false);
    f.Save->setEnabled(true);
    f.Load->setEnabled(true);
    return true;
}

const char* const kSaved[] = {"しおり「い」を、ここに挟みました。", "しおり「ろ」を、ここに挟みました。",
                              "しおり「は」を、ここに挟みました。"};
const char* const kFound[] = {"しおり「い」の場所を見つけました。", "しおり「ろ」の場所を見つけました。",
                              "しおり「は」の場所を見つけました。"};

void SaveClick(TMainForm& f, int slot)
{
    if (SaveSlot(f, slot)) f.ShowMessage(kSaved[slot - 1]);
}

void LoadClick(TMainForm& f, int slot)
{
    if (LoadSlot(f, slot)) f.ShowMessage(kFound[slot - 1]);
}

} // namespace

std::string TMainForm::SavePath() const { return ChangeFileExt(ScenarioPath, SaveExt); }

void TMainForm::OpenSaveFile()
{
    const std::string path = SavePath();
    if (!FileExists(path)) {
        CreateSaveFile();
        return;
    }
    SaveLines.Clear();
    SaveLines.LoadFromFile(path);
    if (SaveLines.Count() < 130 || FindHeader(SaveLines, "sav_1") != 1 || FindHeader(SaveLines, "sav_2") < 0 ||
        FindHeader(SaveLines, "sav_3") < 0) {
        CreateSaveFile();
        return;
    }
    ReadFlagLine(SaveLines.Get(0), GlobalFlags.data(), 30);
}

void TMainForm::CreateSaveFile()
{
    SaveLines.Clear();
    SaveLines.Lines() = EmptySaveFileLines();
    SaveLines.SaveToFile(SavePath());
    SaveBookmark(1);
    SaveBookmark(2);
    SaveBookmark(3);
}

void TMainForm::WriteGlobalFlags()
{
    const std::string line = FlagLine(GlobalFlags.data(), 30);
    if (SaveLines.Count() > 2) {
        SaveLines.Put(0, line);
        SaveLines.SaveToFile(SavePath());
    } else {
        ShowMessage("gflagsaveで誤りがあります。");
    }
}

void TMainForm::SaveBookmark(int slot) { SaveSlot(*this, slot); }
void TMainForm::LoadBookmark(int slot) { LoadSlot(*this, slot); }
void TMainForm::Save1Click() { SaveClick(*this, 1); }
void TMainForm::Save2Click() { SaveClick(*this, 2); }
void TMainForm::Save3Click() { SaveClick(*this, 3); }
void TMainForm::Load1Click() { LoadClick(*this, 1); }
void TMainForm::Load2Click() { LoadClick(*this, 2); }
void TMainForm::Load3Click() { LoadClick(*this, 3); }
