// Fades and pans.
#include <algorithm>

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
    // Only the five masks exist: a lowest level outside them counts as the
    // nearest one, so the loop always leaves a picture in BufPic.
    lowest = std::clamp(lowest, 1, 5);
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

// Copies the 640 x 480 window of roll at offset s onto the top-left of
// target. The first window of a background 1280 wide or 960 high reaches one
// column or row past the 1279 x 959 work picture; that part shows the blank
// colour RGB (2, 4, 4), as the rest of an empty screen does.
void CopyWindow(QImage& target, const QImage& roll, Axis axis, int s)
{
    const QRect window = axis == Axis::Vertical ? QRect(0, s, 640, 480) : QRect(s, 0, 640, 480);
    const QRect inside = window.intersected(roll.rect());
    if (inside != window) {
        const QRect outside(0, 0, std::min(640, target.width()), std::min(480, target.height()));
        for (int y = outside.top(); y <= outside.bottom(); ++y) {
            QRgb* row = reinterpret_cast<QRgb*>(target.scanLine(y));
            std::fill(row, row + outside.width(), kBlankColor);
        }
    }
    CopyRect(target, {0, 0}, roll, window, RasterOp::Copy);
}

void Pan(TMainForm& f, Axis axis)
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
        x = CentredOffset(640, w, 2);
        int hc = std::min(h, 960);
        if (hc < 480) hc = 481;
        n = hc - 480;
    } else {
        y = CentredOffset(480, h, f.CenterDivisor);
        int wc = std::min(w, 1280);
        if (wc < 640) wc = 641;
        n = wc - 640;
    }
    f.RollPic = f.MaskPics[5]->copy();
    CopyRect(f.RollPic, {x, y}, f.BackPic.Picture, QRect(0, 0, w, h), RasterOp::Copy);
    f.TmpPic = f.MaskPics[5]->copy();
    CopyWindow(f.TmpPic, f.RollPic, axis, n);
    if (fade) f.FadeIn(1);
    for (int s = n; s > 0; s -= 5) {
        f.LockInput();
        // Gamen shares TmpPic's pixels from the step before; letting go of
        // them first lets the window be written in place instead of copying
        // the whole work picture at every step.
        f.Gamen->Picture = QImage();
        CopyWindow(f.TmpPic, f.RollPic, axis, s);
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

} // namespace

void TMainForm::PanVertical() { Pan(*this, Axis::Vertical); }
void TMainForm::PanHorizontal() { Pan(*this, Axis::Horizontal); }
