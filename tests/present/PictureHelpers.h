// Pictures and checks shared by the composition and transition tests.
#pragma once
#include <QImage>
#include <array>
#include <string>

#include "common/Doubles.h"

constexpr QRgb kBlank = 0xFF020404;  // the empty work picture, RGB (2, 4, 4)
constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;

inline QImage Filled(int w, int h, QRgb c)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

// Each pixel tells where it lies: red and green hold x, blue holds y, both
// to 4095 columns and 255 rows, or with byRow the other way round.
inline QImage Coded(int w, int h, bool byRow = false)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int a = byRow ? y : x, b = byRow ? x : y;
            img.setPixel(x, y, qRgb(a & 255, 16 + (a >> 8), b & 255));
        }
    return img;
}
// The coordinate a Coded pixel holds (x, or y for byRow pictures); -1 for
// a pixel no Coded picture has.
inline int CodedAt(QRgb c)
{
    if (qGreen(c) < 16) return -1;
    return qRed(c) + 256 * (qGreen(c) - 16);
}

// Writes the picture as a Windows bitmap into the window's folder.
inline std::string WriteBmp(const TestWindow& tw, const std::string& name, const QImage& img)
{
    const std::string path = tw.Folder + name;
    img.save(QString::fromStdString(path), "BMP");
    return path;
}

// The tint level seen in the 2 x 2 block at (100, 100) of a picture made
// from a white ground tinted toward black, or a black ground toward white:
// 0 untinted, 1 to 5 as the masks give, -1 for anything else. A fade-out
// tints the picture on screen again and again, so levels 2 to 4 also count
// on a ground that level 1 had tinted before.
inline int TintLevel(const QImage& img, bool towardWhite)
{
    if (img.width() < 102 || img.height() < 102) return -1;
    const QRgb W = kWhite, K = kBlack, A = qRgb(254, 252, 252), D = kBlank;
    // Pixels (100,100) (101,100) (100,101) (101,101) for levels 0 to 5,
    // then for 2 to 5 over the levels before them.
    using Block = std::array<QRgb, 4>;
    static const Block toBlack[10] = {{W, W, W, W}, {A, A, A, A}, {W, W, K, W}, {W, K, K, W}, {W, K, K, K},
                                      {D, D, D, D}, {A, A, K, A}, {A, K, K, A}, {A, K, K, K}, {D, K, K, K}};
    static const Block toWhite[10] = {{K, K, K, K}, {D, D, D, D}, {W, K, K, K}, {W, K, K, W}, {W, W, K, W},
                                      {A, A, A, A}, {W, D, D, D}, {W, D, D, W}, {W, W, D, W}, {W, W, A, W}};
    const Block seen = {img.pixel(100, 100), img.pixel(101, 100), img.pixel(100, 101), img.pixel(101, 101)};
    for (int i = 0; i < 10; ++i)
        if ((towardWhite ? toWhite : toBlack)[i] == seen) return i <= 5 ? i : i - 4;
    return -1;
}

// A window with the player reset and pictures taken from its folder, input
// unlocked and no sleeps recorded yet.
struct PictureWindow : TestWindow {
    PictureWindow()
    {
        Create();
        UseLines({"title", ".e"});
        Form->UnlockInput();
        Sleeper.Sleeps.clear();
        Dialogs.Messages.clear();
    }
    TMainForm& F() { return *Form; }
    // The 640 x 480 area of the screen picture.
    QImage Screen() const { return Form->Gamen->Picture.copy(0, 0, 640, 480); }
    bool TextHidden() const
    {
        if (!Form->HitoNamaeLabel->isHidden()) return false;
        for (TShadowLabel* l : Form->TextLines)
            if (!l->isHidden()) return false;
        return true;
    }
};
