// The five mask pictures and the raster operations on pictures.
#pragma once
#include <QImage>
#include <QRect>

// Mask picture of level 1 to 5 (RGB32): 640 x 480 for levels 1 to 4,
// 1279 x 959 for level 5, which is also the blank base of every work picture.
// Any other level gives a null picture.
QImage MakeMaskPicture(int level);

// The colour of the blank work picture.
constexpr QRgb kBlankColor = 0xFF020404;

enum class RasterOp { Copy, And, Or };
// Combines the rectangle src of source with target at dest, each 8-bit red,
// green and blue value on its own. Whatever of the rectangle lies outside
// either picture is skipped: the target keeps its pixels there. The source
// may be of any format (only the rows used are converted); a target that is
// not RGB32 or ARGB32 is converted to RGB32 first.
void CopyRect(QImage& target, QPoint dest, const QImage& source, const QRect& src, RasterOp op);

// Where a picture of the given size starts in the space: (space - size) /
// divisor when it is smaller, else 0. A zero divisor (a window used before
// start-up set it) counts as a picture at the edge.
inline int CentredOffset(int space, int size, int divisor)
{
    if (size >= space || divisor == 0) return 0;
    return (space - size) / divisor;
}
