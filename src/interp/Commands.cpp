// The command set: one operation per head, each reading its argument by byte
// positions.
#include <algorithm>

#include "base/Convert.h"
#include "interp/Arguments.h"
#include "interp/Branching.h"
#include "shell/MainForm.h"

namespace {

// The heads whose lines join a batch of picture changes.
bool JoinsBatch(const std::string& head)
{
    return head == ".b" || head == ".n" || head == ".p" || head == ".k";
}

// Composes unless the next line changes the pictures again, so that a scene
// set up over several lines appears at once.
void ComposeBatched(TMainForm& f)
{
    const int next = f.LineCursor + 1;
    // Past the last line nothing can join the batch.
    if (next >= 0 && next < f.ScenarioLines.Count() && JoinsBatch(LineHead(f.ScenarioLines.Get(next)))) return;
    f.ComposeScreen();
}

std::string PictureName(const TMainForm& f, const std::string& argument)
{
    return argument == "nothing" ? std::string("nothing") : f.ScenarioFolder + argument;
}

// ".b", ".u", ".l": a new background takes the persons away; their positions stay.
void SetBackground(TMainForm& f, const std::string& argument)
{
    f.BackPicName = PictureName(f, argument);
    for (int slot = 1; slot <= 4; ++slot) f.PersonPicName[slot] = "nothing";
    f.BackChanged = true;
}

void SetPerson(TMainForm& f, const std::string& argument)
{
    const std::string slotByte = ArgBytes(argument, 1, 1);
    const std::string position = ArgBytes(argument, 2, 1);
    const std::string file = ArgBytes(argument, 4, std::string::npos);
    if (slotByte.size() == 1 && slotByte[0] >= '1' && slotByte[0] <= '4') {
        const int slot = slotByte[0] - '0';
        if (!file.empty()) f.PersonPicName[slot] = f.ScenarioFolder + file;
        if (file == "nothing") f.PersonPicName[slot] = "nothing";
        f.PersonPos[slot] = position == "c" || position == "r" || position == "l" ? position : "c";
    }
    ComposeBatched(f);
}

constexpr int kLongestPause = 60000;

void Pause(TMainForm& f, const std::string& argument)
{
    f.LockInput();
    f.Gamen->repaint();
    f.RepaintText();
    const int ms = StrToInt(argument);
    // The sleep service takes no negative count; a negative pause is none.
    // The window can do nothing at all while it sleeps, not even close, so a
    // slip of the author's finger (".t 2000000" for two seconds) must not
    // freeze it for half an hour: a pause lasts at most a minute.
    f.Sleeper().Sleep(std::clamp(ms, 0, kLongestPause));
    f.Gamen->repaint();
    f.RepaintText();
}

} // namespace

bool TMainForm::ExecuteCommand(const std::string& head, const std::string& argument)
{
    if (head.size() != 2 || head[0] != '.') return false;
    switch (head[1]) {
    case 'e':
        // The end still resets and stops when the flags cannot be written;
        // that failure is shown on its own.
        Guarded([this] { WriteGlobalFlags(); });
        ResetPlayer();
        LineCursor = 0;
        return true;
    case 'w':
        HoldPage();
        return true;
    case 'd':
        TurnPage();
        ClearPage();
        return false;
    case 't':
        Pause(*this, argument);
        return false;
    case 'm':
        ChangeMusic(argument);
        return false;
    case 'a':
        PlaySoundEffect(argument);
        return false;
    case 'b':
        SetBackground(*this, argument);
        ComposeBatched(*this);
        return false;
    case 'u':
        SetBackground(*this, argument);
        PanVertical();
        return false;
    case 'l':
        SetBackground(*this, argument);
        PanHorizontal();
        return false;
    case 's':
        SubPicName = PictureName(*this, argument);
        ComposeScreen();
        return false;
    case 'p':
        SetPerson(*this, argument);
        return false;
    case 'n': {
        const int level = StrToInt(argument);
        FadeLevel = level >= 1 && level <= 5 ? level : 1;
        ComposeBatched(*this);
        return false;
    }
    case 'k': {
        const int level = StrToInt(argument);
        ShadeLevel = level >= 1 && level <= 5 ? level : 3;
        ComposeBatched(*this);
        return false;
    }
    case 'c':
        if (argument == "black" || argument == "white") FadeColor = argument;
        return false;
    case 'x':
        if (argument == "normal" || argument == "fade") TransitionMode = argument;
        return false;
    case 'j':
        JumpToLabel(argument);
        return false;
    case '?':
        OfferChoice(*this, argument);
        return true;
    case 'f':
        SetFlag(*this, argument);
        return false;
    case '!':
        TestFlag(*this, argument);
        return false;
    default:
        return false;
    }
}
