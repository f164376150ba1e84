#include "widgets/Sprite32.h"

#include <QPainter>

void TSprite::SetCount(int n)
{
    count_ = n > 0 ? n : 1;
    width_ = picture_.width() / count_;
    height_ = picture_.height();
}

void TSprite::SetIndex(int i)
{
    index_ = i < 0 ? 0 : (i < count_ - 1 ? i : count_ - 1);
}

void TSprite::SetColorKey(QRgb key)
{
    colorKey_ = key;
    if (hasPicture_) {
        QImage copy = picture_;
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
    mask_ = QImage(picture_.size(), QImage::Format_RGB32);
    cutOut_ = picture_;
    const QRgb key = colorKey_ & 0xFFFFFF;
    for (int y = 0; y < picture_.height(); ++y) {
        const QRgb* src = reinterpret_cast<const QRgb*>(picture_.constScanLine(y));
        QRgb* m = reinterpret_cast<QRgb*>(mask_.scanLine(y));
        QRgb* c = reinterpret_cast<QRgb*>(cutOut_.scanLine(y));
        for (int x = 0; x < picture_.width(); ++x) {
            bool isKey = (src[x] & 0xFFFFFF) == key;
            m[x] = isKey ? 0xFFFFFFFF : 0xFF000000;
            if (isKey) c[x] = 0xFF000000;
        }
    }
    SetCount(count_);
}

void TSprite::Refresh()
{
    SetCount(count_);
    SetColorKey(colorKey_);
    if (hasPicture_) {
        QImage copy = picture_;
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
    int dx = Centering ? width_ / 2 : 0;
    int dy = Centering ? height_ / 2 : 0;
    QRect src(width_ * index_, 0, width_, height_);
    QPoint at(X - dx, Y - dy);
    QPainter p(Destination);
    if (Transparent) {
        p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        p.drawImage(at, mask_, src);
        p.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
        p.drawImage(at, cutOut_, src);
    } else {
        p.drawImage(at, picture_, src);
    }
}
