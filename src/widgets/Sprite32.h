// Draws one frame of a picture strip onto another picture, leaving out every
// pixel of a key colour.
#pragma once
#include <QImage>
#include <QRgb>

class TSprite {
public:
    TSprite() = default;

    QImage* Destination = nullptr;
    int X = 0;
    int Y = 0;
    bool Transparent = true;
    bool Centering = false;

    int Count() const { return count_; }
    // Count := n, at least 1; the frame size follows from the picture. While
    // no picture is held the frame size keeps its value.
    void SetCount(int n);
    int Index() const { return index_; }
    // Index := i within 0 .. Count - 1. A later smaller Count leaves Index as
    // it is; a frame beyond the strip then draws only what lies inside it.
    void SetIndex(int i);
    int Width() const { return width_; }
    int Height() const { return height_; }
    QRgb ColorKey() const { return colorKey_; }
    void SetColorKey(QRgb key);
    // Copies the picture (null drops it) and builds the masks from ColorKey.
    void SetPicture(const QImage* picture);
    const QImage& Picture() const { return picture_; }
    bool HasPicture() const { return hasPicture_; }

    // Recomputes the frame size and rebuilds the masks.
    void Refresh();
    void MoveTo(int x, int y);
    void DrawAt(int x, int y, int index);
    // Draws frame Index at (X, Y) into Destination, cut at its edges. A
    // destination that is not a 32-bit picture is converted to RGB32 first.
    void Draw();

    // The masks, for tests: white where the key colour is, black elsewhere;
    // and the picture with its key-colour pixels made black.
    const QImage& Mask() const { return mask_; }
    const QImage& CutOut() const { return cutOut_; }

private:
    int count_ = 1;
    int index_ = 0;
    int width_ = 0;
    int height_ = 0;
    QRgb colorKey_ = qRgb(0, 0, 0);
    bool hasPicture_ = false;
    QImage picture_;
    QImage mask_;
    QImage cutOut_;
};
