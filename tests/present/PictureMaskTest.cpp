#include <gtest/gtest.h>

#include "present/Masks.h"
#include "present/PictureHelpers.h"

TEST(PictureMasks, PatternsAsTheTableGivesThem)
{
    const QRgb W = kWhite, K = kBlack;
    // Pixels (10,10) (11,10) (10,11) (11,11), then the bottom-left (0,479).
    struct Case {
        int level;
        std::array<QRgb, 4> block;
        QRgb bottomLeft;
    };
    const Case cases[] = {
        {1, {qRgb(254, 252, 252), qRgb(254, 252, 252), qRgb(254, 252, 252), qRgb(254, 252, 252)}, qRgb(254, 252, 252)},
        {2, {W, W, K, W}, W},
        {3, {W, K, K, W}, W},
        {4, {W, K, K, K}, W},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.level);
        const QImage m = MakeMaskPicture(c.level);
        ASSERT_EQ(m.size(), QSize(640, 480));
        // The block repeats over the whole picture, but for the bottom-left pixel.
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x) {
                if (x == 0 && y == 479) continue;
                ASSERT_EQ(m.pixel(x, y), c.block[static_cast<size_t>((x % 2) + 2 * (y % 2))]) << x << "," << y;
            }
        EXPECT_EQ(m.pixel(0, 479), c.bottomLeft);
    }
    const QImage m5 = MakeMaskPicture(5);
    ASSERT_EQ(m5.size(), QSize(1279, 959));
    int white = 0;
    for (int y = 0; y < 959; ++y)
        for (int x = 0; x < 1279; ++x) {
            const QRgb c = m5.pixel(x, y);
            if (c == W) {
                ++white;
                EXPECT_TRUE(x >= 1 && x <= 2 && y >= 956 && y <= 957) << x << "," << y;
            } else {
                ASSERT_EQ(c, kBlank) << x << "," << y;
            }
        }
    EXPECT_EQ(white, 4);
    EXPECT_TRUE(MakeMaskPicture(0).isNull());
    EXPECT_TRUE(MakeMaskPicture(6).isNull());
}

TEST(PictureMasks, EachLevelTintsTowardBlackAndWhite)
{
    PictureWindow w;
    for (const bool white : {false, true}) {
        for (int level = 1; level <= 5; ++level) {
            SCOPED_TRACE(testing::Message() << (white ? "white " : "black ") << level);
            w.F().FadeColor = white ? "white" : "black";
            QImage target = Filled(700, 500, white ? kBlack : kWhite);
            w.F().ApplyMask(level, target);
            EXPECT_EQ(TintLevel(target, white), level);
            // Only the 640 x 480 area changes.
            EXPECT_EQ(target.pixel(640, 100), white ? kBlack : kWhite);
            EXPECT_EQ(target.pixel(100, 480), white ? kBlack : kWhite);
        }
    }
}

TEST(PictureMasks, LevelOneAndFiveOnAColour)
{
    PictureWindow w;
    struct Case {
        const char* colour;
        int level;
        QRgb expected;
    };
    const Case cases[] = {
        {"black", 1, qRgb(100, 148, 200)},  // AND (254, 252, 252)
        {"black", 5, qRgb(0, 4, 0)},        // AND (2, 4, 4)
        {"white", 1, qRgb(103, 151, 207)},  // OR (2, 4, 4)
        {"white", 5, qRgb(255, 255, 255)},  // OR (254, 252, 252)
        {"grey", 3, qRgb(101, 151, 203)},   // no such colour: unchanged
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.colour << " " << c.level);
        w.F().FadeColor = c.colour;
        QImage target = Filled(640, 480, qRgb(101, 151, 203));
        w.F().ApplyMask(c.level, target);
        EXPECT_EQ(target.pixel(320, 240), c.expected);
    }
}

TEST(PictureMasks, LevelOutsideTheMasksTintsAsTheNearest)
{
    PictureWindow w;
    w.F().FadeColor = "black";
    for (const int level : {-7, 0, 6, 1000}) {
        SCOPED_TRACE(level);
        QImage target = Filled(640, 480, kWhite);
        w.F().ApplyMask(level, target);
        EXPECT_EQ(TintLevel(target, false), level < 1 ? 1 : 5);
    }
}

TEST(PictureRaster, CopyCutsAtBothPicturesAndKeepsTheRest)
{
    const QImage source = Coded(10, 10);
    struct Case {
        QPoint dest;
        QRect src;
        QRect changed;  // in the target
    };
    const Case cases[] = {
        {{2, 3}, QRect(0, 0, 10, 10), QRect(2, 3, 10, 5)},   // cut at the target
        {{0, 0}, QRect(-3, -2, 5, 5), QRect(3, 2, 2, 3)},    // before the source
        {{-4, 0}, QRect(0, 0, 6, 2), QRect(0, 0, 2, 2)},     // before the target
        {{0, 0}, QRect(8, 8, 6, 6), QRect(0, 0, 2, 2)},      // past the source
        {{20, 0}, QRect(0, 0, 6, 6), QRect()},               // outside the target
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dest.x() << "," << c.dest.y());
        QImage target = Filled(12, 8, kBlank);
        CopyRect(target, c.dest, source, c.src, RasterOp::Copy);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 12; ++x) {
                const QRgb want = c.changed.contains(x, y) ? source.pixel(x - c.dest.x() + c.src.x(), y - c.dest.y() + c.src.y())
                                                           : kBlank;
                ASSERT_EQ(target.pixel(x, y), want) << x << "," << y;
            }
    }
}

TEST(PictureRaster, SourcesOfOtherFormatsGiveTheirColours)
{
    const QImage coded = Coded(6, 4);
    QImage indexed(6, 4, QImage::Format_Indexed8);
    indexed.setColorCount(3);
    indexed.setColor(0, qRgb(1, 2, 3));
    indexed.setColor(1, qRgb(200, 100, 50));
    indexed.setColor(2, qRgb(9, 9, 9));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) indexed.setPixel(x, y, static_cast<uint>((x + y) % 3));
    const QImage sources[] = {
        coded.convertToFormat(QImage::Format_RGB888),
        coded.convertToFormat(QImage::Format_ARGB32_Premultiplied),
        coded.convertToFormat(QImage::Format_RGB16),
        indexed,
    };
    for (const QImage& source : sources) {
        SCOPED_TRACE(source.format());
        QImage target = Filled(6, 4, kBlank);
        CopyRect(target, {1, 1}, source, QRect(2, 1, 4, 3), RasterOp::Copy);
        EXPECT_EQ(target.format(), QImage::Format_RGB32);
        EXPECT_EQ(target.pixel(0, 0), kBlank);
        for (int y = 1; y < 4; ++y)
            for (int x = 1; x < 5; ++x) EXPECT_EQ(target.pixel(x, y), source.pixel(x + 1, y) | 0xFF000000u);
    }
}

TEST(PictureRaster, AndAndOrCombineEachChannel)
{
    QImage target = Filled(2, 1, qRgb(0xF0, 0x0F, 0x55));
    const QImage source = Filled(2, 1, qRgb(0x3C, 0x3C, 0xFF));
    CopyRect(target, {0, 0}, source, QRect(0, 0, 1, 1), RasterOp::And);
    CopyRect(target, {1, 0}, source, QRect(0, 0, 1, 1), RasterOp::Or);
    EXPECT_EQ(target.pixel(0, 0), qRgb(0x30, 0x0C, 0x55));
    EXPECT_EQ(target.pixel(1, 0), qRgb(0xFC, 0x3F, 0xFF));
}

TEST(PictureRaster, CopyOntoItselfReadsTheOriginal)
{
    QImage img = Coded(10, 1);
    const QImage before = img.copy();
    CopyRect(img, {1, 0}, img, QRect(0, 0, 9, 1), RasterOp::Copy);
    for (int x = 1; x < 10; ++x) EXPECT_EQ(img.pixel(x, 0), before.pixel(x - 1, 0));
}
