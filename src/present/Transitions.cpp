// Fades and pans.
#include "present/Masks.h"
#include "shell/MainForm.h"

void TMainForm::FadeOut()
{
    LockInput();
    for (int level = 1; level <= 5; ++level) {
        Sleeper().Sleep(220);
        ApplyMask(level, Gamen->Picture);
        Gamen->repaint();
    }
}

void TMainForm::FadeIn(int lowest)
{
    LockInput();
    lowest = lowest < 1 ? 1 : lowest > 5 ? 5 : lowest;
    for (int level = 5; level >= lowest; --level) {
        BufPic = TmpPic;
        ApplyMask(level, BufPic);
        Sleeper().Sleep(220);
        Gamen->Picture = BufPic;
        Gamen->repaint();
    }
}

namespace {

enum class Axis { Vertical, Horizontal };

} // namespace

static void Pan(TMainForm& f, Axis axis)
{
    f.ScreenWidth = 640;
    f.ScreenHeight = 480;
    f.HideText();
    const bool fade = f.TransitionMode == "fade" && f.BackChanged;
    if (fade) f.FadeOut();
    if (f.BackPicName == "nothing") f.BackPic.Picture = *f.MaskPics[5];
    else f.LoadPicture(f.BackPic, f.BackPicName);
    const int w = f.BackPic.Picture.width(), h = f.BackPic.Picture.height();
    int x = 0, y = 0, n;
    if (axis == Axis::Vertical) {
        x = w < 640 ? (640 - w) / 2 : 0;
        int hc = h < 960 ? h : 960;
        if (hc < 480) hc = 481;
        n = hc - 480;
    } else {
        y = h < 480 ? (480 - h) / f.CenterDivisor : 0;
        int wc = w < 1280 ? w : 1280;
        if (wc < 640) wc = 641;
        n = wc - 640;
    }
    f.RollPic = *f.MaskPics[5];
    CopyRect(f.RollPic, {x, y}, f.BackPic.Picture, QRect(0, 0, w, h), RasterOp::Copy);
    // A window reaching past the 1279 x 959 work picture shows black there.
    auto window = [&](int s) {
        f.TmpPic = *f.MaskPics[5];
        QRect src = axis == Axis::Vertical ? QRect(0, s, 640, 480) : QRect(s, 0, 640, 480);
        QImage part(640, 480, QImage::Format_RGB32);
        part.fill(Qt::black);
        CopyRect(part, {0, 0}, f.RollPic, src, RasterOp::Copy);
        CopyRect(f.TmpPic, {0, 0}, part, QRect(0, 0, 640, 480), RasterOp::Copy);
    };
    window(n);
    if (fade) f.FadeIn(1);
    for (int s = n; s > 0; s -= 5) {
        f.LockInput();
        window(s);
        f.Gamen->Picture = f.TmpPic;
        f.Gamen->repaint();
        f.Sleeper().Sleep(100);
        f.Gamen->repaint();
    }
    f.Sleeper().Sleep(500);
    f.ApplyMask(f.FadeLevel, f.RollPic);
    f.DrawSubPicture(f.RollPic);
    f.Gamen->Picture = f.RollPic;
    f.Gamen->repaint();
    f.ShowText();
    f.BackChanged = false;
}

void TMainForm::PanVertical() { Pan(*this, Axis::Vertical); }
void TMainForm::PanHorizontal() { Pan(*this, Axis::Horizontal); }
