// The display-mode service. (XRandR support is added on X11.)
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "shell/ChangeDisplay.h"

namespace {

class NoDisplayModes : public IDisplayModes {
public:
    int ScreenWidth() override
    {
        QScreen* s = QGuiApplication::primaryScreen();
        return s ? s->geometry().width() : 0;
    }
    int ScreenHeight() override
    {
        QScreen* s = QGuiApplication::primaryScreen();
        return s ? s->geometry().height() : 0;
    }
    bool EnumMode(int, DisplayMode&) override { return false; }
    bool TestMode(const DisplayMode&) override { return false; }
    void ApplyMode(const DisplayMode&) override {}
};

} // namespace

std::unique_ptr<IDisplayModes> CreateDisplayModes(QWidget*)
{
    return std::make_unique<NoDisplayModes>();
}
