// The display-mode service: XRandR when the window runs on X11; anywhere else
// there is no mode to find, so full screen keeps the current resolution.
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>
#include <algorithm>
#include <vector>

#include "shell/ChangeDisplay.h"

// Xlib defines macros (None, Bool, Status, ...) that clash with Qt's names, so
// it comes after every Qt header.
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

namespace {

int ScreenSizeOf(QWidget* window, bool width)
{
    QScreen* s = window ? window->screen() : nullptr;
    if (!s) s = QGuiApplication::primaryScreen();
    if (!s) return 0;
    return width ? s->geometry().width() : s->geometry().height();
}

class NoDisplayModes : public IDisplayModes {
public:
    explicit NoDisplayModes(QWidget* window) : window_(window) {}
    int ScreenWidth() override { return ScreenSizeOf(window_, true); }
    int ScreenHeight() override { return ScreenSizeOf(window_, false); }
    bool EnumMode(int, DisplayMode&) override { return false; }
    bool TestMode(const DisplayMode&) override { return false; }
    void ApplyMode(const DisplayMode&) override {}

private:
    QWidget* window_;
};

// X errors arrive later than the request that caused them; while a change is
// made they are collected here instead of going to whatever handler is set.
int g_xErrors = 0;
int CountXError(Display*, XErrorEvent*)
{
    ++g_xErrors;
    return 0;
}

class XErrorTrap {
public:
    explicit XErrorTrap(Display* dpy) : dpy_(dpy)
    {
        XSync(dpy_, False);
        g_xErrors = 0;
        old_ = XSetErrorHandler(CountXError);
    }
    ~XErrorTrap()
    {
        XSync(dpy_, False);
        XSetErrorHandler(old_);
    }

private:
    Display* dpy_;
    int (*old_)(Display*, XErrorEvent*) = nullptr;
};

// One query of the screen: the resources, the output the window is on and its CRTC.
struct OutputState {
    XRRScreenResources* Res = nullptr;
    XRROutputInfo* Output = nullptr;
    RROutput OutputId = 0;
    XRRCrtcInfo* Crtc = nullptr;
    RRCrtc CrtcId = 0;
    OutputState() = default;
    OutputState(const OutputState&) = delete;
    OutputState& operator=(const OutputState&) = delete;
    ~OutputState()
    {
        if (Crtc) XRRFreeCrtcInfo(Crtc);
        if (Output) XRRFreeOutputInfo(Output);
        if (Res) XRRFreeScreenResources(Res);
    }
    bool Usable() const { return Res && Output && Crtc; }
    const XRRModeInfo* ModeInfo(RRMode id) const
    {
        for (int i = 0; i < Res->nmode; ++i)
            if (Res->modes[i].id == id) return &Res->modes[i];
        return nullptr;
    }
};

bool Rotated(Rotation r)
{
    return (r & (RR_Rotate_90 | RR_Rotate_270)) != 0;
}

class XRandRModes : public IDisplayModes {
public:
    XRandRModes(QWidget* window, Display* dpy) : window_(window), dpy_(dpy), root_(DefaultRootWindow(dpy)) {}

    int ScreenWidth() override { return CurrentSize(true); }
    int ScreenHeight() override { return CurrentSize(false); }

    bool EnumMode(int index, DisplayMode& mode) override
    {
        OutputState s;
        if (!Query(s) || index < 0 || index >= s.Output->nmode) return false;
        const XRRModeInfo* info = s.ModeInfo(s.Output->modes[index]);
        if (!info) return false;
        mode.Width = static_cast<int>(info->width);
        mode.Height = static_cast<int>(info->height);
        if (Rotated(s.Crtc->rotation)) std::swap(mode.Width, mode.Height);
        mode.Id = static_cast<long>(info->id);
        return true;
    }

    // XRandR has no trial run: a mode passes when the output lists it, the
    // output is driven by a CRTC, and the screen that results stays within
    // the sizes the server accepts.
    bool TestMode(const DisplayMode& mode) override
    {
        OutputState s;
        if (!Query(s) || !Listed(s, mode)) return false;
        int w = 0, h = 0;
        NewScreenSize(s, mode, w, h);
        int minW = 0, minH = 0, maxW = 0, maxH = 0;
        if (!XRRGetScreenSizeRange(dpy_, root_, &minW, &minH, &maxW, &maxH)) return false;
        return w >= minW && h >= minH && w <= maxW && h <= maxH;
    }

    void ApplyMode(const DisplayMode& mode) override
    {
        OutputState s;
        if (!Query(s) || !Listed(s, mode)) return;
        int newW = 0, newH = 0;
        NewScreenSize(s, mode, newW, newH);
        int curW = 0, curH = 0;
        RootSize(curW, curH);
        // The screen must hold every CRTC at every moment: grow it before the
        // CRTC takes a larger mode, shrink it only after a smaller one.
        const int midW = std::max(curW, newW), midH = std::max(curH, newH);
        XErrorTrap trap(dpy_);
        XGrabServer(dpy_);
        if (midW != curW || midH != curH) SetScreenSize(midW, midH);
        XRRSetCrtcConfig(dpy_, s.Res, s.CrtcId, CurrentTime, s.Crtc->x, s.Crtc->y,
                         static_cast<RRMode>(mode.Id), s.Crtc->rotation, s.Crtc->outputs, s.Crtc->noutput);
        if (newW != midW || newH != midH) SetScreenSize(newW, newH);
        XUngrabServer(dpy_);
    }

private:
    // The output the window's screen shows; else the primary output; else the
    // first connected output that is lit.
    bool Query(OutputState& s)
    {
        s.Res = XRRGetScreenResourcesCurrent(dpy_, root_);
        if (!s.Res) return false;
        QScreen* screen = window_ ? window_->screen() : nullptr;
        const QByteArray wanted = screen ? screen->name().toLocal8Bit() : QByteArray();
        const RROutput primary = XRRGetOutputPrimary(dpy_, root_);
        RROutput chosen = 0, fallback = 0;
        for (int i = 0; i < s.Res->noutput && !chosen; ++i) {
            const RROutput id = s.Res->outputs[i];
            XRROutputInfo* info = XRRGetOutputInfo(dpy_, s.Res, id);
            if (!info) continue;
            if (info->connection == RR_Connected && info->crtc) {
                if (!wanted.isEmpty() && wanted == QByteArray(info->name, info->nameLen)) chosen = id;
                else if (!fallback || id == primary) fallback = id;
            }
            XRRFreeOutputInfo(info);
        }
        if (!chosen) chosen = fallback;
        if (!chosen) return false;
        s.OutputId = chosen;
        s.Output = XRRGetOutputInfo(dpy_, s.Res, chosen);
        if (!s.Output || !s.Output->crtc) return false;
        s.CrtcId = s.Output->crtc;
        s.Crtc = XRRGetCrtcInfo(dpy_, s.Res, s.CrtcId);
        return s.Usable();
    }

    static bool Listed(const OutputState& s, const DisplayMode& mode)
    {
        for (int i = 0; i < s.Output->nmode; ++i)
            if (static_cast<long>(s.Output->modes[i]) == mode.Id) return s.ModeInfo(s.Output->modes[i]) != nullptr;
        return false;
    }

    // The bounding box of every lit CRTC, this one with the new mode.
    void NewScreenSize(const OutputState& s, const DisplayMode& mode, int& w, int& h)
    {
        w = s.Crtc->x + mode.Width;
        h = s.Crtc->y + mode.Height;
        for (int i = 0; i < s.Res->ncrtc; ++i) {
            if (s.Res->crtcs[i] == s.CrtcId) continue;
            XRRCrtcInfo* other = XRRGetCrtcInfo(dpy_, s.Res, s.Res->crtcs[i]);
            if (!other) continue;
            if (other->mode) {
                w = std::max(w, other->x + static_cast<int>(other->width));
                h = std::max(h, other->y + static_cast<int>(other->height));
            }
            XRRFreeCrtcInfo(other);
        }
    }

    void RootSize(int& w, int& h)
    {
        // Xlib's DisplayWidth keeps the size of the connection's start; the
        // root window's geometry is the server's current one.
        Window root = 0;
        int x = 0, y = 0;
        unsigned int uw = 0, uh = 0, border = 0, depth = 0;
        XGetGeometry(dpy_, root_, &root, &x, &y, &uw, &uh, &border, &depth);
        w = static_cast<int>(uw);
        h = static_cast<int>(uh);
    }

    void SetScreenSize(int w, int h)
    {
        // Keep the dots per inch: Xlib's pair of size and physical size date
        // from the same moment, so their ratio holds even when both are old.
        const int scr = DefaultScreen(dpy_);
        const int pxW = std::max(DisplayWidth(dpy_, scr), 1), pxH = std::max(DisplayHeight(dpy_, scr), 1);
        const int mmW = static_cast<int>(static_cast<long long>(DisplayWidthMM(dpy_, scr)) * w / pxW);
        const int mmH = static_cast<int>(static_cast<long long>(DisplayHeightMM(dpy_, scr)) * h / pxH);
        XRRSetScreenSize(dpy_, root_, w, h, std::max(mmW, 1), std::max(mmH, 1));
    }

    int CurrentSize(bool width)
    {
        OutputState s;
        if (!Query(s)) return ScreenSizeOf(window_, width);
        int w = static_cast<int>(s.Crtc->width), h = static_cast<int>(s.Crtc->height);
        return width ? w : h;
    }

    QWidget* window_;
    Display* dpy_;
    Window root_;
};

} // namespace

std::unique_ptr<IDisplayModes> CreateDisplayModes(QWidget* window)
{
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
        Display* dpy = x11 ? x11->display() : nullptr;
        int eventBase = 0, errorBase = 0, major = 0, minor = 0;
        if (dpy && XRRQueryExtension(dpy, &eventBase, &errorBase) && XRRQueryVersion(dpy, &major, &minor) &&
            (major > 1 || (major == 1 && minor >= 2)))
            return std::make_unique<XRandRModes>(window, dpy);
    }
    return std::make_unique<NoDisplayModes>(window);
}
