#include "interp/RunWatch.h"

#include "base/Errors.h"
#include "base/Sjis.h"
#include "shell/MainForm.h"

bool TRunWatch::SameAsSaved()
{
    TMainForm& f = form_;
    // The cursor differs almost always; the rest is compared only on a match.
    return haveSaved_ && saved_.LineCursor == f.LineCursor && saved_.TextLineIndex == f.TextLineIndex &&
           saved_.StoryFlags == f.StoryFlags && saved_.GlobalFlags == f.GlobalFlags &&
           saved_.BackPicName == f.BackPicName && saved_.SubPicName == f.SubPicName &&
           saved_.PersonPicName == f.PersonPicName && saved_.MusicName == f.BGMPlayer().FileName();
}

void TRunWatch::Save()
{
    TMainForm& f = form_;
    saved_.LineCursor = f.LineCursor;
    saved_.TextLineIndex = f.TextLineIndex;
    saved_.StoryFlags = f.StoryFlags;
    saved_.GlobalFlags = f.GlobalFlags;
    saved_.BackPicName = f.BackPicName;
    saved_.SubPicName = f.SubPicName;
    saved_.PersonPicName = f.PersonPicName;
    saved_.MusicName = f.BGMPlayer().FileName();
    haveSaved_ = true;
}

void TRunWatch::Step()
{
    const int line = form_.LineCursor;
    if (previousLine_ >= 0 && line <= previousLine_) backFrom_ = previousLine_;
    previousLine_ = line;
    if (SameAsSaved()) {
        // One whole round lies between the saved state and this one, and every
        // round goes back up at least once, so backFrom_ lies on the loop.
        const int at = backFrom_ >= 0 ? backFrom_ : line;
        const TStringList& lines = form_.ScenarioLines;
        const std::string text = at >= 0 && at < lines.Count() ? SjisToUtf8(lines.Get(at)) : std::string();
        throw Exception("シナリオが止まらずに同じところを繰り返しています。" + std::to_string(at) + "行目「" + text +
                        "」から戻る繰り返しに、読み手を待つ行がありません。");
    }
    if (++sinceSave_ >= power_) {
        Save();
        power_ *= 2;
        sinceSave_ = 0;
    }
}
