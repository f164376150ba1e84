#include "shell/ChangeDisplay.h"

#include "shell/MainForm.h"

TChangeDisplay::TChangeDisplay(IDisplayModes& modes) : modes_(modes)
{
    OrigWidth = modes_.ScreenWidth();
    OrigHeight = modes_.ScreenHeight();
    Changed = false;
}

bool TChangeDisplay::ChangeMode(int width, int height)
{
    DisplayMode mode, chosen;
    bool found = false;
    for (int i = 0; modes_.EnumMode(i, mode); ++i) {
        if (mode.Width != width || mode.Height != height) continue;
        if (modes_.TestMode(mode)) {
            chosen = mode;
            found = true;
        }
    }
    if (found) {
        modes_.ApplyMode(chosen);
        Changed = true;
    }
    return found;
}

bool TChangeDisplay::RestoreMode()
{
    if (!Changed) return false;
    bool result = ChangeMode(OrigWidth, OrigHeight);
    Changed = false;
    return result;
}

void TMainForm::FullScreen(int width, int height)
{
    auto place = [&] {
        resize(width, height);
        setWindowState(Qt::WindowMaximized);
        if (!(windowFlags() & Qt::FramelessWindowHint)) {
            setWindowFlag(Qt::FramelessWindowHint, true);
            show();
        }
        MainPanel->move((width - 640) / 2, (height - 480) / 2);
    };
    place();
    ChangeDisplay->ChangeMode(width, height);
    place();
    place();
}

void TMainForm::StandardScreen()
{
    setWindowState(Qt::WindowNoState);
    auto place = [&] {
        resize(640, 480);
        if (windowFlags() & Qt::FramelessWindowHint) {
            setWindowFlag(Qt::FramelessWindowHint, false);
            show();
        }
        MainPanel->move(0, 0);
    };
    place();
    ChangeDisplay->RestoreMode();
    place();
    place();
}

void TMainForm::FormResize()
{
    if (!MainPanel) return;
    int top = height() > MainPanel->height() ? (height() - MainPanel->height()) / 2 : 0;
    int left = width() > MainPanel->width() ? (width() - MainPanel->width()) / 2 : 0;
    MainPanel->move(left, top);
}
