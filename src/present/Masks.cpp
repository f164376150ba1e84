#include "present/Masks.h"

#include <algorithm>

QImage MakeMaskPicture(int level)
{
    if (level == 5) {
        QImage img(1279, 959, QImage::Format_RGB32);
        img.fill(qRgb(2, 4, 4));
        for (int y = 956; y <= 957; ++y)
            for (int x = 1; x <= 2; ++x) img.setPixel(x, y, qRgb(255, 255, 255));
        return img;
    }
    QImage img(640, 480, QImage::Format_RGB32);
    const QRgb white = qRgb(255, 255, 255), black = qRgb(0, 0, 0);
    for (int y = 0; y < 480; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < 640; ++x) {
            bool isBlack;
            switch (level) {
            case 1: row[x] = qRgb(254, 252, 252); continue;
            case 2: isBlack = (x % 2 == 0) && (y % 2 == 1); break;
            case 3: isBlack = (x + y) % 2 == 1; break;
            default: isBlack = !((x % 2 == 0) && (y % 2 == 0)); break;
            }
            row[x] = isBlack ? black : white;
        }
    }
    if (level >= 2) img.setPixel(0, 479, white);
    return img;
}

void CopyRect(QImage& target, QPoint dest, const QImage& source, const QRect& srcRect, RasterOp op)
{
    if (target.isNull() || source.isNull()) return;
    QImage src = source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32
                     ? source
                     : source.convertToFormat(QImage::Format_RGB32);
    if (target.format() != QImage::Format_RGB32 && target.format() != QImage::Format_ARGB32)
        target = target.convertToFormat(QImage::Format_RGB32);
    // Clip the source rectangle to the source and the target.
    int sx = srcRect.x(), sy = srcRect.y(), w = srcRect.width(), h = srcRect.height();
    int dx = dest.x(), dy = dest.y();
    if (sx < 0) { dx -= sx; w += sx; sx = 0; }
    if (sy < 0) { dy -= sy; h += sy; sy = 0; }
    if (dx < 0) { sx -= dx; w += dx; dx = 0; }
    if (dy < 0) { sy -= dy; h += dy; dy = 0; }
    w = std::min({w, src.width() - sx, target.width() - dx});
    h = std::min({h, src.height() - sy, target.height() - dy});
    if (w <= 0 || h <= 0) return;
    for (int y = 0; y < h; ++y) {
        const QRgb* s = reinterpret_cast<const QRgb*>(src.constScanLine(sy + y)) + sx;
        QRgb* d = reinterpret_cast<QRgb*>(target.scanLine(dy + y)) + dx;
        switch (op) {
        case RasterOp::Copy:
            std::copy(s, s + w, d);
            break;
        case RasterOp::And:
            for (int x = 0; x < w; ++x) d[x] = (d[x] & s[x]) | 0xFF000000;
            break;
        case RasterOp::Or:
            for (int x = 0; x < w; ++x) d[x] = (d[x] | s[x]) | 0xFF000000;
            break;
        }
    }
}
