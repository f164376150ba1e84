// The save file's pieces that need no window: flag lines, the header search
// and the 36-line bookmark record.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "base/LineList.h"

// One bookmark as the record stores it, in the record's order.
struct BookmarkRecord {
    std::array<unsigned char, 50> StoryFlags{};
    std::array<std::string, 10> TextCaptions;
    int ShadeLevel = 0;
    int FadeLevel = 0;
    std::string FadeColor;
    std::string BackPicName;
    std::string SubPicName;
    std::array<std::string, 4> PersonPicName;  // slots 1 to 4
    std::array<std::string, 4> PersonPos;
    std::string TransitionMode;
    std::string MusicName;
    int LineCursor = 0;
    int TextLineIndex = 0;
    bool CanAdvance = true;  // "M"; false is "ABC", a choice on screen
    std::string AnswerLabelA, AnswerLabelB, AnswerLabelC;
    std::string AbtnCaption, BbtnCaption, CbtnCaption;
    std::string SpeakerCaption;
};

constexpr int kRecordLines = 36;
constexpr int kSaveFileLines = 139;

// "1" for a set flag, "0" otherwise, one character per flag.
std::string FlagLine(const unsigned char* flags, int count);
// Character i sets flag i from "0" or "1"; any other character, or none,
// leaves the flag as it is.
void ReadFlagLine(const std::string& line, unsigned char* flags, int count);

// The first line equal to the header, letter case ignored; -1 when none.
int FindHeader(const TStringList& lines, const std::string& header);

// The 36 record lines, in order.
std::vector<std::string> EncodeBookmark(const BookmarkRecord& record);

// A save file as a new scenario gets it before its bookmarks are written.
std::vector<std::string> EmptySaveFileLines();

// Values a hand-edited record may hold that the player could not use safely:
// the next free text line must lie within the page and the fade level must
// name one of the five masks.
int ClampTextLineIndex(int index, int textLineCount);
int ClampLevel(int level);
