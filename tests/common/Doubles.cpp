#include "common/Doubles.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "base/Errors.h"
#include "base/Sjis.h"

void FakeMusicPlayer::Open()
{
    Calls.push_back("open " + FileName());
    for (const auto& m : Missing)
        if (m == FileName()) {
            ModeValue = TMPModes::mpNotReady;
            throw EMCIDeviceError("指定されたファイルが見つかりません");
        }
    ModeValue = TMPModes::mpStopped;
}

void FakeMusicPlayer::Close()
{
    Calls.push_back("close");
    ModeValue = TMPModes::mpNotReady;
}

void FakeMusicPlayer::Play()
{
    Calls.push_back("play");
    ModeValue = TMPModes::mpPlaying;
}

void FakeMusicPlayer::Stop()
{
    Calls.push_back("stop");
    ModeValue = TMPModes::mpStopped;
}

TestWindow::TestWindow()
{
    const char* base = std::getenv("TMPDIR");
    std::string tmpl = std::string(base && *base ? base : "/tmp") + "/qorix-test-XXXXXX";
    char* dir = mkdtemp(tmpl.data());
    Folder = std::string(dir ? dir : "/tmp") + "/";
}

TestWindow::~TestWindow()
{
    Form.reset();
    std::error_code ec;
    std::filesystem::remove_all(Folder, ec);
}

TMainForm& TestWindow::Create(const std::string& argument)
{
    Services s;
    s.Dialogs = &Dialogs;
    s.Sleeper = &Sleeper;
    s.DisplayModes = &Display;
    s.Music = &Music;
    s.Sound = &Sound;
    s.ProgramFolder = Folder;
    s.Argument = argument;
    Form = std::make_unique<TMainForm>(s);
    return *Form;
}

void TestWindow::UseLines(const std::vector<std::string>& lines)
{
    if (!Form) Create();
    Form->ResetPlayer();
    Form->ScenarioLines = TStringList(lines);
    Form->ScenarioFolder = Folder;
}

std::vector<std::string> TestWindow::Captions() const
{
    std::vector<std::string> out;
    for (TShadowLabel* l : Form->TextLines) out.push_back(l->Caption());
    return out;
}

std::string TestWindow::WriteFile(const std::string& name, const std::string& bytes) const
{
    std::string path = Folder + name;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

std::string S(const char* utf8)
{
    return Utf8ToSjis(utf8);
}
