// Adds display modes to the first connected output of an X server (Xvfb has
// only its start-up size) and keeps them alive: the server drops modes made
// by a client when that client leaves. Prints "ready" once the modes are
// there, then waits until it is ended.
//
//   xrandr-modes [WxH ...]       default: 640x480 800x600
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

bool ParseSize(const char* text, unsigned& w, unsigned& h)
{
    return std::sscanf(text, "%ux%u", &w, &h) == 2 && w > 0 && h > 0 && w <= 16384 && h <= 16384;
}

RRMode AddMode(Display* dpy, Window root, RROutput output, unsigned w, unsigned h)
{
    std::string name = std::to_string(w) + "x" + std::to_string(h);
    XRRModeInfo info;
    std::memset(&info, 0, sizeof info);
    info.width = w;
    info.height = h;
    info.hTotal = w;
    info.vTotal = h;
    info.dotClock = static_cast<unsigned long>(w) * h * 60;  // 60 Hz
    info.hSyncStart = info.hSyncEnd = w;
    info.vSyncStart = info.vSyncEnd = h;
    info.name = name.data();
    info.nameLength = static_cast<unsigned>(name.size());
    RRMode mode = XRRCreateMode(dpy, root, &info);
    if (mode) XRRAddOutputMode(dpy, output, mode);
    return mode;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::pair<unsigned, unsigned>> sizes;
    for (int i = 1; i < argc; ++i) {
        unsigned w = 0, h = 0;
        if (!ParseSize(argv[i], w, h)) {
            std::fprintf(stderr, "xrandr-modes: not a size: %s\n", argv[i]);
            return 2;
        }
        sizes.emplace_back(w, h);
    }
    if (sizes.empty()) sizes = {{640, 480}, {800, 600}};

    Display* dpy = XOpenDisplay(nullptr);
    if (!dpy) {
        std::fprintf(stderr, "xrandr-modes: cannot open the display\n");
        return 1;
    }
    int eventBase = 0, errorBase = 0;
    if (!XRRQueryExtension(dpy, &eventBase, &errorBase)) {
        std::fprintf(stderr, "xrandr-modes: no XRandR\n");
        return 1;
    }
    Window root = DefaultRootWindow(dpy);
    XRRScreenResources* res = XRRGetScreenResources(dpy, root);
    RROutput output = 0;
    for (int i = 0; res && i < res->noutput && !output; ++i) {
        XRROutputInfo* info = XRRGetOutputInfo(dpy, res, res->outputs[i]);
        if (info && info->connection == RR_Connected) output = res->outputs[i];
        if (info) XRRFreeOutputInfo(info);
    }
    if (!output) {
        std::fprintf(stderr, "xrandr-modes: no connected output\n");
        return 1;
    }
    for (auto [w, h] : sizes)
        if (!AddMode(dpy, root, output, w, h)) {
            std::fprintf(stderr, "xrandr-modes: cannot add %ux%u\n", w, h);
            return 1;
        }
    XSync(dpy, False);
    XRRFreeScreenResources(res);
    std::printf("ready\n");
    std::fflush(stdout);

    for (;;) pause();
}
