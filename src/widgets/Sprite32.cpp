#include "widgets/Sprite32.h"

#include <algorithm>

void TSprite::SetCount(int n)
{
    count_ = n > 0 ? n : 1;
    if (!hasPicture_) return;
    width_ = picture_.width() / count_;
    height_ = picture_.height();
}

void TSprite::SetIndex(int i)
{
    index_ = i < 0 ? 0 : std::min(i, count_ - 1);
}

void TSprite::SetColorKey(QRgb key)
{
    colorKey_ = key;
    if (hasPicture_) {
        const QImage copy = picture_;
        SetPicture(&copy);
    }
}

void TSprite::SetPicture(const QImage* picture)
{
    if (!picture) {
        hasPicture_ = false;
        picture_ = mask_ = cutOut_ = QImage();
        return;
    }
    hasPicture_ = true;
    picture_ = picture->convertToFormat(QImage::Format_RGB32);
    const int w = picture_.width(), h = picture_.height();
    mask_ = QImage(w, h, QImage::Format_RGB32);
    cutOut_ = QImage(w, h, QImage::Format_RGB32);
    const QRgb key = colorKey_ & 0xFFFFFF;
    for (int y = 0; y < h; ++y) {
        const QRgb* src = reinterpret_cast<const QRgb*>(picture_.constScanLine(y));
        QRgb* m = reinterpret_cast<QRgb*>(mask_.scanLine(y));
        QRgb* c = reinterpret_cast<QRgb*>(cutOut_.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const QRgb rgb = src[x] & 0xFFFFFF;
            const bool isKey = rgb == key;
            m[x] = isKey ? 0xFFFFFFFFu : 0xFF000000u;
            c[x] = isKey ? 0xFF000000u : (0xFF000000u | rgb);
        }
    }
    SetCount(count_);
}

void TSprite::Refresh()
{
    SetCount(count_);
    SetColorKey(colorKey_);
    if (hasPicture_) {
        const QImage copy = picture_;
        SetPicture(&copy);
    }
}

void TSprite::MoveTo(int x, int y)
{
    X = x;
    Y = y;
}

void TSprite::DrawAt(int x, int y, int index)
{
    MoveTo(x, y);
    SetIndex(index);
    Draw();
}

void TSprite::Draw()
{
    if (!Destination || !hasPicture_ || Destination->isNull()) return;
    QImage& dest = *Destination;
    if (dest.format() != QImage::Format_RGB32 && dest.format() != QImage::Format_ARGB32)
        dest = dest.convertToFormat(QImage::Format_RGB32);
    const int dx = Centering ? width_ / 2 : 0;
    const int dy = Centering ? height_ / 2 : 0;
    // Source frame and target position, then both cut to their pictures.
    int sx = width_ * index_, sy = 0, w = width_, h = height_;
    int tx = X - dx, ty = Y - dy;
    if (sx < 0 || sx >= picture_.width()) return;
    w = std::min(w, picture_.width() - sx);
    h = std::min(h, picture_.height() - sy);
    if (tx < 0) { sx -= tx; w += tx; tx = 0; }
    if (ty < 0) { sy -= ty; h += ty; ty = 0; }
    w = std::min(w, dest.width() - tx);
    h = std::min(h, dest.height() - ty);
    if (w <= 0 || h <= 0) return;
    for (int y = 0; y < h; ++y) {
        QRgb* d = reinterpret_cast<QRgb*>(dest.scanLine(ty + y)) + tx;
        if (Transparent) {
            // AND the mask in, then OR the cut-out over it.
            const QRgb* m = reinterpret_cast<const QRgb*>(mask_.constScanLine(sy + y)) + sx;
            const QRgb* c = reinterpret_cast<const QRgb*>(cutOut_.constScanLine(sy + y)) + sx;
            for (int x = 0; x < w; ++x) d[x] = (d[x] & m[x]) | c[x];
        } else {
            const QRgb* p = reinterpret_cast<const QRgb*>(picture_.constScanLine(sy + y)) + sx;
            std::copy(p, p + w, d);
        }
    }
}
