// The five mask pictures and the raster operations on pictures.
#pragma once
#include <QImage>
#include <QRect>

// Mask picture of level 1 to 5 (RGB32): 640 x 480 for levels 1 to 4,
// 1279 x 959 for level 5, which is also the blank base of every work picture.
QImage MakeMaskPicture(int level);

enum class RasterOp { Copy, And, Or };
// Copies the rectangle src of source onto target at dest, combining each
// colour byte; the parts outside either picture are skipped.
void CopyRect(QImage& target, QPoint dest, const QImage& source, const QRect& src, RasterOp op);
