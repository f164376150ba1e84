// Start-up and shutdown of the main window.
#include <QApplication>
#include <QPainter>

#include "base/Paths.h"
#include "base/Sjis.h"
#include "shell/ChangeDisplay.h"
#include "shell/MainForm.h"
#include "shell/RealPlatform.h"

void TMainForm::FormCreate()
{
    setAcceptDrops(true);
    ChangeDisplay = new TChangeDisplay(*services_.DisplayModes);
    ProductName = "Qorix";
    BaseName = "mepla";
    SaveExt = ".ssv";
    TextLineCount = 10;
    CenterDivisor = 2;
    ProgramFolder = services_.ProgramFolder.empty() ? FindProgramFolder() : services_.ProgramFolder;
    SetTitle(ProductName);
    resize(640, 480);
    MainPanel->resize(640, 480);
    Gamen->setGeometry(0, 0, 640, 480);
    for (int i = 0; i < 10; ++i) TextLines[i] = ShadowLabels[i];
    for (int level = 1; level <= 5; ++level) MaskPics[level] = &masks_[level];
    GlobalFlags.fill(0);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    Mbtn->setGeometry(0, 0, MainPanel->width(), MainPanel->height());
    Mbtn->SetCaption("");
    CanAdvance = false;
    ScenarioLines = TStringList({"", "", ""});
    SaveLines.Clear();
    RecentList.Clear();
    // A step that fails is reported and start-up goes on: the title screen is
    // still drawn and a scenario named on the command line still opens.
    Guarded([this] { LoadRecentFile(); });
    DrawTitleScreen();
    const std::string& arg = services_.Argument;
    if (!arg.empty()) {
        if (IsScenarioFileName(arg)) {
            ScenarioPath = arg;
            Guarded([this] { OpenScenario(); });
        } else {
            ShowMessage("「.txt」「.snr」のファイルしかシナリオファイルとして読めません");
        }
    }
}

void TMainForm::DrawTitleScreen()
{
    Gamen->Picture = MaskPics[5]->convertToFormat(QImage::Format_RGB32);
    QPainter p(&Gamen->Picture);
    QFont f = p.font();
    f.setPixelSize(67);  // size 50 at 96 dots per inch
    p.setFont(f);
    const QString name = QString::fromStdString(ProductName);
    const struct { int x, y; QColor c; } copies[] = {
        {50, 80, QColor(0x80, 0x80, 0x80)}, {55, 85, QColor(0xC0, 0xC0, 0xC0)}, {60, 90, QColor(0xFF, 0xFF, 0xFF)}};
    for (const auto& c : copies) {
        p.setPen(c.c);
        p.drawText(QRect(c.x, c.y, 1000, 200), Qt::AlignLeft | Qt::AlignTop, name);
    }
    p.end();
    Gamen->update();
}

bool TMainForm::FormCloseQuery()
{
    return Dialogs().AskYesNo(QStringLiteral("終了しますか？"));
}

void TMainForm::FormClose()
{
    ScenarioLines.Clear();
    SaveLines.Clear();
    // Each step is reported on its own failure; the close still runs in order.
    Guarded([this] { SaveRecentFile(); });
    RecentList.Clear();
    Guarded([this] {
        if (ChangeDisplay) ChangeDisplay->RestoreMode();
    });
}

void TMainForm::FormDestroy()
{
    delete ChangeDisplay;
    ChangeDisplay = nullptr;
}

bool IsScenarioFileName(const std::string& path)
{
    std::string ext = ExtractFileExt(path);
    return ext == ".txt" || ext == ".TXT" || ext == ".snr" || ext == ".SNR";
}
