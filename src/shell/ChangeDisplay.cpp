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

// The placements change the frame before the window state: a frame change
// takes the window off the screen and puts it back, and the window manager
// forgets a maximize or keeps an old size that was asked for before it.
void TMainForm::FullScreen(int width, int height)
{
    const QPoint panelAt((width - 640) / 2, (height - 480) / 2);
    auto place = [&] {
        resize(width, height);
        SetBorderless(true);
        setWindowState(Qt::WindowMaximized);
        MainPanel->move(panelAt);
        fullScreenPanel_ = panelAt;
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
        SetBorderless(false);
        resize(640, 480);
        MainPanel->move(0, 0);
        fullScreenPanel_.reset();
    };
    place();
    ChangeDisplay->RestoreMode();
    place();
    place();
}

void TMainForm::SetBorderless(bool on)
{
    if (bool(windowFlags() & Qt::FramelessWindowHint) == on) return;
    // Changing the frame recreates the native window, which hides it.
    const bool shown = isVisible();
    setWindowFlag(Qt::FramelessWindowHint, on);
    if (shown) show();
}

void TMainForm::FormResize()
{
    if (!MainPanel) return;
    int top = height() > MainPanel->height() ? (height() - MainPanel->height()) / 2 : 0;
    int left = width() > MainPanel->width() ? (width() - MainPanel->width()) / 2 : 0;
    MainPanel->move(left, top);
}
