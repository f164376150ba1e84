#include <gtest/gtest.h>

#include "widgets/Sprite32.h"

namespace {

const QRgb kKey = qRgb(255, 0, 0);
const QRgb kGround = qRgb(10, 20, 30);

QImage Filled(int w, int h, QRgb c)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

// A strip whose pixel colours tell their place.
QImage Strip(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb(x, 100 + y, 7));
    return img;
}

// The left and right columns and top and bottom rows whose pixels differ
// from the ground.
QRect Drawn(const QImage& img)
{
    QRect r;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != kGround) r |= QRect(x, y, 1, 1);
    return r;
}

} // namespace

TEST(Sprite, ConstructionValues)
{
    TSprite s;
    EXPECT_EQ(s.Destination, nullptr);
    EXPECT_EQ(s.Count(), 1);
    EXPECT_EQ(s.Index(), 0);
    EXPECT_EQ(s.Width(), 0);
    EXPECT_EQ(s.Height(), 0);
    EXPECT_EQ(s.X, 0);
    EXPECT_EQ(s.Y, 0);
    EXPECT_TRUE(s.Transparent);
    EXPECT_FALSE(s.Centering);
    EXPECT_EQ(s.ColorKey() & 0xFFFFFF, 0u);
    EXPECT_FALSE(s.HasPicture());
}

TEST(Sprite, CountAndIndexStayInRange)
{
    const QImage strip = Strip(100, 10);
    struct Case {
        int count, index, wantCount, wantIndex, wantWidth;
    };
    const Case cases[] = {
        {0, 0, 1, 0, 100}, {-3, 0, 1, 0, 100}, {3, 7, 3, 2, 33}, {3, -1, 3, 0, 33}, {3, 1, 3, 1, 33}, {100, 99, 100, 99, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.count << " " << c.index);
        TSprite s;
        s.SetPicture(&strip);
        s.SetCount(c.count);
        s.SetIndex(c.index);
        EXPECT_EQ(s.Count(), c.wantCount);
        EXPECT_EQ(s.Index(), c.wantIndex);
        EXPECT_EQ(s.Width(), c.wantWidth);
        EXPECT_EQ(s.Height(), 10);
    }
}

TEST(Sprite, EachFrameDrawsItsColumnsAndTheLastColumnNever)
{
    const QImage strip = Strip(100, 10);
    for (int index = 0; index < 3; ++index) {
        SCOPED_TRACE(index);
        QImage dest = Filled(200, 20, kGround);
        TSprite s;
        s.SetPicture(&strip);
        s.SetCount(3);
        s.Destination = &dest;
        s.DrawAt(50, 5, index);
        EXPECT_EQ(Drawn(dest), QRect(50, 5, 33, 10));
        EXPECT_EQ(dest.pixel(50, 5), strip.pixel(33 * index, 0));
        EXPECT_EQ(dest.pixel(82, 14), strip.pixel(33 * index + 32, 9));
    }
}

TEST(Sprite, KeyColourIsLeftOutWhereverItIsAndNeighboursAreDrawn)
{
    QImage pic = Filled(7, 3, qRgb(0, 200, 0));
    pic.setPixel(0, 2, kKey);                  // the corner
    pic.setPixel(3, 1, kKey);                  // the middle
    pic.setPixel(1, 1, qRgb(254, 0, 0));       // one step away in red
    pic.setPixel(2, 1, qRgb(255, 1, 0));       // in green
    pic.setPixel(4, 1, qRgb(255, 0, 1));       // in blue
    QImage dest = Filled(10, 10, kGround);
    TSprite s;
    s.SetColorKey(kKey);
    s.SetPicture(&pic);
    s.Destination = &dest;
    s.DrawAt(1, 1, 0);
    EXPECT_EQ(dest.pixel(1, 3), kGround);
    EXPECT_EQ(dest.pixel(4, 2), kGround);
    EXPECT_EQ(dest.pixel(2, 2), qRgb(254, 0, 0));
    EXPECT_EQ(dest.pixel(3, 2), qRgb(255, 1, 0));
    EXPECT_EQ(dest.pixel(5, 2), qRgb(255, 0, 1));
    EXPECT_EQ(dest.pixel(1, 1), qRgb(0, 200, 0));
    // The masks as they are built.
    EXPECT_EQ(s.Mask().pixel(3, 1), qRgb(255, 255, 255));
    EXPECT_EQ(s.Mask().pixel(1, 1), qRgb(0, 0, 0));
    EXPECT_EQ(s.CutOut().pixel(3, 1), qRgb(0, 0, 0));
    EXPECT_EQ(s.CutOut().pixel(1, 1), qRgb(254, 0, 0));
}

TEST(Sprite, OpaqueSpriteDrawsTheKeyColour)
{
    QImage pic = Filled(4, 4, kKey);
    QImage dest = Filled(10, 10, kGround);
    TSprite s;
    s.SetColorKey(kKey);
    s.SetPicture(&pic);
    s.Transparent = false;
    s.Destination = &dest;
    s.Draw();
    EXPECT_EQ(dest.pixel(0, 0), kKey);
    EXPECT_EQ(dest.pixel(3, 3), kKey);
    EXPECT_EQ(dest.pixel(4, 4), kGround);
}

TEST(Sprite, CentringPlacesTheFrameCentreAtXY)
{
    const QImage pic = Filled(41, 21, qRgb(1, 1, 1));
    QImage dest = Filled(200, 200, kGround);
    TSprite s;
    s.SetPicture(&pic);
    s.Centering = true;
    s.Destination = &dest;
    s.DrawAt(100, 100, 0);
    EXPECT_EQ(Drawn(dest), QRect(QPoint(80, 90), QPoint(120, 110)));
}

TEST(Sprite, FrameIsCutAtTheDestinationEdges)
{
    const QImage strip = Strip(30, 20);
    struct Case {
        int x, y;
        QRect drawn;
    };
    const Case cases[] = {
        {-10, -5, QRect(0, 0, 20, 15)},
        {35, 45, QRect(35, 45, 5, 5)},
        {-40, 0, QRect()},
        {40, 50, QRect()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        QImage dest = Filled(40, 50, kGround);
        TSprite s;
        s.SetPicture(&strip);
        s.Destination = &dest;
        s.DrawAt(c.x, c.y, 0);
        EXPECT_EQ(Drawn(dest), c.drawn);
        if (!c.drawn.isEmpty()) {
            EXPECT_EQ(dest.pixel(c.drawn.topLeft()), strip.pixel(c.drawn.x() - c.x, c.drawn.y() - c.y));
        }
    }
}

TEST(Sprite, ChangingTheKeyChangesWhatIsLeftOut)
{
    QImage pic = Filled(2, 1, kKey);
    pic.setPixel(1, 0, qRgb(0, 0, 255));
    TSprite s;
    s.SetColorKey(kKey);
    s.SetPicture(&pic);
    s.SetColorKey(qRgb(0, 0, 255));
    QImage dest = Filled(2, 1, kGround);
    s.Destination = &dest;
    s.Draw();
    EXPECT_EQ(dest.pixel(0, 0), kKey);
    EXPECT_EQ(dest.pixel(1, 0), kGround);
}

TEST(Sprite, WithoutPictureNothingIsDrawn)
{
    const QImage strip = Strip(40, 10);
    TSprite s;
    s.SetPicture(&strip);
    s.SetPicture(nullptr);
    EXPECT_FALSE(s.HasPicture());
    EXPECT_EQ(s.Width(), 40);  // keeps its last frame size
    s.SetCount(4);
    s.SetColorKey(kKey);
    s.Refresh();
    EXPECT_EQ(s.Width(), 40);
    EXPECT_EQ(s.ColorKey(), kKey);
    QImage dest = Filled(50, 50, kGround);
    s.Destination = &dest;
    s.Draw();
    EXPECT_EQ(Drawn(dest), QRect());
}

TEST(Sprite, IndexLeftBeyondASmallerCountDrawsNothing)
{
    const QImage strip = Strip(90, 10);
    TSprite s;
    s.SetPicture(&strip);
    s.SetCount(3);
    s.SetIndex(2);
    s.SetCount(2);
    EXPECT_EQ(s.Index(), 2);
    QImage dest = Filled(100, 20, kGround);
    s.Destination = &dest;
    s.Draw();
    EXPECT_EQ(Drawn(dest), QRect());
}

TEST(Sprite, DrawsOnAPictureOfAnotherFormat)
{
    QImage dest(8, 8, QImage::Format_RGB888);
    dest.fill(kGround);
    const QImage pic = Filled(2, 2, qRgb(9, 9, 9));
    TSprite s;
    s.SetPicture(&pic);
    s.Destination = &dest;
    s.DrawAt(3, 3, 0);
    EXPECT_EQ(dest.pixel(3, 3), qRgb(9, 9, 9));
    EXPECT_EQ(dest.pixel(5, 5), kGround);
}

TEST(Sprite, RefreshRebuildsFromThePictureHeld)
{
    QImage pic = Filled(4, 1, qRgb(5, 5, 5));
    pic.setPixel(0, 0, kKey);
    TSprite s;
    s.SetPicture(&pic);  // key black: nothing transparent
    pic.fill(kKey);      // the caller's picture is not the sprite's
    s.SetColorKey(kKey);
    s.Refresh();
    QImage dest = Filled(4, 1, kGround);
    s.Destination = &dest;
    s.Draw();
    EXPECT_EQ(dest.pixel(0, 0), kGround);
    EXPECT_EQ(dest.pixel(1, 0), qRgb(5, 5, 5));
}
