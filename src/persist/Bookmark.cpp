#include "persist/Bookmark.h"

#include "base/Convert.h"
#include "base/Paths.h"

std::string FlagLine(const unsigned char* flags, int count)
{
    std::string s(static_cast<size_t>(count), '0');
    for (int i = 0; i < count; ++i)
        if (flags[i]) s[static_cast<size_t>(i)] = '1';
    return s;
}

void ReadFlagLine(const std::string& line, unsigned char* flags, int count)
{
    for (int i = 0; i < count && static_cast<size_t>(i) < line.size(); ++i) {
        if (line[static_cast<size_t>(i)] == '0') flags[i] = 0;
        else if (line[static_cast<size_t>(i)] == '1') flags[i] = 1;
    }
}

int FindHeader(const TStringList& lines, const std::string& header)
{
    const std::string want = LowerAscii(header);
    for (int i = 0; i < lines.Count(); ++i) {
        const std::string& l = lines.Get(i);
        if (l.size() == want.size() && LowerAscii(l) == want) return i;
    }
    return -1;
}

std::vector<std::string> EncodeBookmark(const BookmarkRecord& r)
{
    std::vector<std::string> out;
    out.reserve(kRecordLines);
    out.push_back(FlagLine(r.StoryFlags.data(), 50));
    for (const auto& c : r.TextCaptions) out.push_back(c);
    out.push_back(IntToStr(r.ShadeLevel));
    out.push_back(IntToStr(r.FadeLevel));
    out.push_back(r.FadeColor);
    out.push_back(r.BackPicName);
    out.push_back(r.SubPicName);
    for (int s = 0; s < 4; ++s) {
        out.push_back(r.PersonPicName[static_cast<size_t>(s)]);
        out.push_back(r.PersonPos[static_cast<size_t>(s)]);
    }
    out.push_back(r.TransitionMode);
    out.push_back(r.MusicName);
    out.push_back(IntToStr(r.LineCursor));
    out.push_back(IntToStr(r.TextLineIndex));
    out.push_back(r.CanAdvance ? "M" : "ABC");
    out.push_back(r.AnswerLabelA);
    out.push_back(r.AnswerLabelB);
    out.push_back(r.AnswerLabelC);
    out.push_back(r.AbtnCaption);
    out.push_back(r.BbtnCaption);
    out.push_back(r.CbtnCaption);
    out.push_back(r.SpeakerCaption);
    return out;
}

std::vector<std::string> EmptySaveFileLines()
{
    std::vector<std::string> lines;
    lines.reserve(kSaveFileLines);
    lines.emplace_back(52, '0');
    for (const char* header : {"sav_1", "sav_2", "sav_3"}) {
        lines.emplace_back(header);
        lines.resize(lines.size() + 45);
    }
    return lines;
}

int ClampTextLineIndex(int index, int textLineCount)
{
    return index < 0 ? 0 : index > textLineCount ? textLineCount : index;
}

int ClampLevel(int level)
{
    return level < 1 ? 1 : level > 5 ? 5 : level;
}
