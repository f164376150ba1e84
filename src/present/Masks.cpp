#include "present/Masks.h"

#include <algorithm>
#include <vector>

QImage MakeMaskPicture(int level)
{
    if (level < 1 || level > 5) return QImage();
    if (level == 5) {
        QImage img(1279, 959, QImage::Format_RGB32);
        img.fill(kBlankColor);
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
            case 2: isBlack = x % 2 == 0 && y % 2 == 1; break;
            case 3: isBlack = (x + y) % 2 == 1; break;
            default: isBlack = !(x % 2 == 0 && y % 2 == 0); break;
            }
            row[x] = isBlack ? black : white;
        }
    }
    if (level >= 2) img.setPixel(0, 479, white);
    return img;
}

namespace {

bool Is32Bit(const QImage& img)
{
    return img.format() == QImage::Format_RGB32 || img.format() == QImage::Format_ARGB32;
}

// Row y, columns x .. x + w - 1 of source as RGB32 values; converts into
// scratch when the picture is not stored that way.
const QRgb* RowOf(const QImage& source, int x, int y, int w, std::vector<QRgb>& scratch)
{
    const uchar* line = source.constScanLine(y);
    switch (source.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
        return reinterpret_cast<const QRgb*>(line) + x;
    case QImage::Format_Indexed8: {
        const QList<QRgb> table = source.colorTable();
        const qsizetype n = table.size();
        for (int i = 0; i < w; ++i) {
            const uchar index = line[x + i];
            scratch[static_cast<size_t>(i)] = index < n ? table[index] : qRgb(0, 0, 0);
        }
        return scratch.data();
    }
    case QImage::Format_RGB888: {
        const uchar* p = line + 3 * x;
        for (int i = 0; i < w; ++i, p += 3) scratch[static_cast<size_t>(i)] = qRgb(p[0], p[1], p[2]);
        return scratch.data();
    }
    default: {
        const QImage part = source.copy(x, y, w, 1).convertToFormat(QImage::Format_RGB32);
        const QRgb* p = reinterpret_cast<const QRgb*>(part.constScanLine(0));
        std::copy(p, p + w, scratch.begin());
        return scratch.data();
    }
    }
}

} // namespace

void CopyRect(QImage& target, QPoint dest, const QImage& source, const QRect& srcRect, RasterOp op)
{
    if (target.isNull() || source.isNull()) return;
    // Cut the rectangle to the source and to the target.
    int sx = srcRect.x(), sy = srcRect.y(), w = srcRect.width(), h = srcRect.height();
    int dx = dest.x(), dy = dest.y();
    if (sx < 0) { dx -= sx; w += sx; sx = 0; }
    if (sy < 0) { dy -= sy; h += sy; sy = 0; }
    if (dx < 0) { sx -= dx; w += dx; dx = 0; }
    if (dy < 0) { sy -= dy; h += dy; dy = 0; }
    w = std::min({w, source.width() - sx, target.width() - dx});
    h = std::min({h, source.height() - sy, target.height() - dy});
    if (w <= 0 || h <= 0) return;
    if (!Is32Bit(target)) target = target.convertToFormat(QImage::Format_RGB32);
    // A picture copied onto itself would read rows already written.
    const QImage src = source.constBits() == target.constBits() ? source.copy() : source;
    std::vector<QRgb> scratch(static_cast<size_t>(w));
    for (int y = 0; y < h; ++y) {
        const QRgb* s = RowOf(src, sx, sy + y, w, scratch);
        QRgb* d = reinterpret_cast<QRgb*>(target.scanLine(dy + y)) + dx;
        switch (op) {
        case RasterOp::Copy:
            for (int x = 0; x < w; ++x) d[x] = s[x] | 0xFF000000u;
            break;
        case RasterOp::And:
            for (int x = 0; x < w; ++x) d[x] = (d[x] & s[x]) | 0xFF000000u;
            break;
        case RasterOp::Or:
            for (int x = 0; x < w; ++x) d[x] = d[x] | s[x] | 0xFF000000u;
            break;
        }
    }
}
