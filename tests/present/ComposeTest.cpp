#include <gtest/gtest.h>

#include <functional>

#include "base/Errors.h"
#include "present/PictureHelpers.h"
#include "widgets/JpegMaker.h"

namespace {

// Tint level 1 toward black, which every composition of the reset player applies.
const QRgb kLevel1 = qRgb(254, 252, 252);

// Every pixel of the screen: the picture where it was placed, the ground
// elsewhere, both tinted with level 1.
void ExpectPlaced(const QImage& screen, const QImage& picture, QPoint at, QRgb around = kBlank)
{
    const QRect placed = QRect(at, picture.size()).intersected(QRect(0, 0, 640, 480));
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            const QRgb want = (placed.contains(x, y) ? picture.pixel(x - at.x(), y - at.y()) : around) & kLevel1;
            ASSERT_EQ(screen.pixel(x, y), want) << x << "," << y;
        }
}

// A person picture: Coded, with the key colour at its bottom-left corner.
const QRgb kKey = qRgb(255, 0, 255);
QImage Person(int w, int h)
{
    QImage img = Coded(w, h);
    img.setPixel(0, h - 1, kKey);
    return img;
}

template <class E>
void ExpectError(const std::function<void()>& call, const std::string& text)
{
    try {
        call();
        ADD_FAILURE() << "no error, expected: " << text;
    } catch (const E& e) {
        EXPECT_EQ(e.Message(), text);
    }
}

} // namespace

TEST(Compose, EmptyScreenIsUniformlyBlank)
{
    PictureWindow w;
    EXPECT_EQ(w.F().TmpPic.size(), QSize(1279, 959));
    ExpectPlaced(w.Screen(), QImage(), {0, 0});
    EXPECT_EQ(w.F().ScreenWidth, 640);
    EXPECT_EQ(w.F().ScreenHeight, 480);
}

TEST(Compose, BackgroundIsCentredOrCutAtTheTopLeft)
{
    struct Case {
        int w, h;
        QPoint at;
    };
    const Case cases[] = {
        {320, 240, {160, 120}}, {1000, 700, {0, 0}}, {640, 479, {0, 0}},
        {639, 480, {0, 0}},     {1, 1, {319, 239}},  {1400, 100, {0, 190}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h);
        PictureWindow w;
        const QImage back = Coded(c.w, c.h);
        w.F().BackPicName = WriteBmp(w, "back.bmp", back);
        w.F().ComposeScreen();
        ExpectPlaced(w.Screen(), back, c.at);
    }
}

TEST(Compose, JpegBackgroundGoesThroughThePictureControl)
{
    PictureWindow w;
    w.F().BackPicName = w.WriteFile("back.JPG", MakeJpeg(Filled(320, 240, qRgb(200, 40, 40))));
    w.F().ComposeScreen();
    EXPECT_EQ(w.F().BackPic.Picture.format(), QImage::Format_Indexed8);
    EXPECT_EQ(w.F().BackPic.FileName(), w.F().BackPicName);
    const QRgb inside = w.Screen().pixel(320, 240);
    EXPECT_NEAR(qRed(inside), 200, 8);
    EXPECT_NEAR(qGreen(inside), 40, 8);
    EXPECT_EQ(w.Screen().pixel(159, 240), kBlank);
}

TEST(Compose, PersonPositions)
{
    struct Case {
        const char* pos;
        int w, h;
        QPoint at;
    };
    const Case cases[] = {
        {"r", 400, 300, {220, 90}}, {"l", 400, 300, {20, 90}}, {"c", 400, 300, {120, 90}},
        {"x", 400, 300, {120, 90}},  // any other value is the centre
        {"r", 401, 500, {219, 0}},   // 401 / 4 = 100, (640 - 401) / 2 = 119
        {"l", 700, 100, {-175, 190}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.pos << " " << c.w << "x" << c.h);
        PictureWindow w;
        w.F().BackPicName = WriteBmp(w, "back.bmp", Filled(640, 480, kWhite));
        w.F().PersonPicName[2] = WriteBmp(w, "person.bmp", Person(c.w, c.h));
        w.F().PersonPos[2] = c.pos;
        w.F().ComposeScreen();
        QImage expected = Person(c.w, c.h);
        // The key-coloured corner leaves the background.
        expected.setPixel(0, c.h - 1, kWhite);
        ExpectPlaced(w.Screen(), expected, c.at, kWhite);
    }
}

TEST(Compose, KeyColourAnywhereIsTransparentAndItsNeighboursAreNot)
{
    PictureWindow w;
    QImage person = Filled(100, 100, qRgb(0, 200, 0));
    const QRgb red = qRgb(255, 0, 0);
    person.setPixel(0, 99, red);
    person.setPixel(50, 50, red);
    person.setPixel(51, 50, qRgb(254, 0, 0));
    person.setPixel(52, 50, qRgb(255, 1, 0));
    person.setPixel(53, 50, qRgb(255, 0, 1));
    w.F().FadeColor = "none";  // untinted, so that one step shows
    w.F().BackPicName = WriteBmp(w, "back.bmp", Filled(640, 480, kWhite));
    w.F().PersonPicName[1] = WriteBmp(w, "person.bmp", person);
    w.F().ComposeScreen();
    const QImage s = w.Screen();
    const int x0 = 270, y0 = 190;
    EXPECT_EQ(s.pixel(x0, y0 + 99), kWhite);
    EXPECT_EQ(s.pixel(x0 + 50, y0 + 50), kWhite);
    EXPECT_EQ(s.pixel(x0 + 51, y0 + 50), qRgb(254, 0, 0));
    EXPECT_EQ(s.pixel(x0 + 52, y0 + 50), qRgb(255, 1, 0));
    EXPECT_EQ(s.pixel(x0 + 53, y0 + 50), qRgb(255, 0, 1));
    EXPECT_EQ(s.pixel(x0 + 49, y0 + 50), qRgb(0, 200, 0));
}

TEST(Compose, LaterSlotsCoverEarlierOnes)
{
    PictureWindow w;
    const QRgb colours[5] = {0, qRgb(10, 0, 0), qRgb(20, 0, 0), qRgb(30, 0, 0), qRgb(40, 0, 0)};
    for (int slot = 1; slot <= 4; ++slot) {
        const int size = slot == 4 ? 100 : 200;
        QImage p = Filled(size, size, colours[slot]);
        p.setPixel(0, size - 1, kKey);
        w.F().PersonPicName[slot] = WriteBmp(w, "p" + std::to_string(slot) + ".bmp", p);
        w.F().PersonPos[slot] = "c";
    }
    w.F().ComposeScreen();
    const QImage s = w.Screen();
    EXPECT_EQ(s.pixel(320, 240), colours[4]);
    EXPECT_EQ(s.pixel(269, 240), colours[3]);  // just left of slot 4, inside slot 3
    EXPECT_EQ(s.pixel(220, 140), colours[3]);
    EXPECT_EQ(s.pixel(219, 140), kBlank);
}

TEST(Compose, SubPictureInItsFrameIsNeverTinted)
{
    struct Case {
        const char* colour;
        int level;
        QRgb around;  // the tinted white background
    };
    const Case cases[] = {
        {"black", 1, qRgb(254, 252, 252)},
        {"black", 5, kBlank},
        {"white", 4, kWhite},
    };
    const QImage sub = Coded(100, 100);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.colour << " " << c.level);
        PictureWindow w;
        w.F().BackPicName = WriteBmp(w, "back.bmp", Filled(640, 480, kWhite));
        w.F().SubPicName = WriteBmp(w, "sub.bmp", sub);
        w.F().FadeColor = c.colour;
        w.F().FadeLevel = c.level;
        w.F().ComposeScreen();
        const QImage s = w.Screen();
        for (int y = 280; y < 388; ++y)
            for (int x = 420; x < 528; ++x) {
                QRgb want = kBlank;  // the frame
                if (x >= 424 && x < 524 && y >= 284 && y < 384) want = sub.pixel(x - 424, y - 284);
                else if (x < 422 || x >= 526 || y < 282 || y >= 386) continue;  // tinted ground
                ASSERT_EQ(s.pixel(x, y), want) << x << "," << y;
            }
        if (c.level == 1) {
            EXPECT_EQ(s.pixel(421, 300), c.around);
            EXPECT_EQ(s.pixel(526, 386), c.around);
        }
    }
}

TEST(Compose, SubPictureOtherThan100x100)
{
    struct Case {
        int w, h;
    };
    for (const Case c : {Case{30, 20}, Case{150, 150}, Case{1, 100}}) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h);
        PictureWindow w;
        const QImage sub = Coded(c.w, c.h);
        w.F().BackPicName = WriteBmp(w, "back.bmp", Filled(640, 480, kWhite));
        w.F().SubPicName = WriteBmp(w, "sub.bmp", sub);
        w.F().ComposeScreen();
        const QImage s = w.Screen();
        for (int y = 282; y < 386; ++y)
            for (int x = 422; x < 526; ++x) {
                const bool inPicture = x >= 424 && x < 424 + std::min(c.w, 100) && y >= 284 && y < 284 + std::min(c.h, 100);
                ASSERT_EQ(s.pixel(x, y), inPicture ? sub.pixel(x - 424, y - 284) : kBlank) << x << "," << y;
            }
        EXPECT_EQ(s.pixel(526, 300), qRgb(254, 252, 252));
    }
}

TEST(Compose, WithoutFadeNothingWaitsOrLocks)
{
    PictureWindow w;
    w.F().TransitionMode = "fade";
    w.F().BackChanged = false;  // a person or level change alone
    w.F().BackPicName = WriteBmp(w, "back.bmp", Filled(640, 480, kWhite));
    w.F().ComposeScreen();
    EXPECT_TRUE(w.Sleeper.Sleeps.empty());
    EXPECT_FALSE(w.F().InputLocked);
    EXPECT_FALSE(w.TextHidden());
    EXPECT_EQ(w.Screen().pixel(5, 5), qRgb(254, 252, 252));
}

TEST(Compose, ShadeLevelChangesNothing)
{
    PictureWindow w;
    w.F().BackPicName = WriteBmp(w, "back.bmp", Coded(640, 480));
    w.F().ShadeLevel = 1;
    w.F().ComposeScreen();
    const QImage first = w.Screen();
    w.F().ShadeLevel = 5;
    w.F().ComposeScreen();
    EXPECT_EQ(w.Screen(), first);
}

TEST(Compose, OtherPictureFormatsAreDrawnWithoutTransparency)
{
    PictureWindow w;
    QImage png(320, 240, QImage::Format_ARGB32);
    png.fill(qRgba(10, 20, 30, 255));
    png.setPixel(0, 0, qRgba(0, 0, 0, 0));
    w.F().BackPicName = w.Folder + "back.PNG";
    png.save(QString::fromStdString(w.F().BackPicName), "PNG");
    w.F().ComposeScreen();
    EXPECT_EQ(w.Screen().pixel(161, 121), qRgb(10, 20, 30) & qRgb(254, 252, 252));
    EXPECT_EQ(qAlpha(w.Screen().pixel(160, 120)), 255);
}

TEST(Compose, PictureErrorsStopTheCompositionAndKeepTheScreen)
{
    struct Case {
        const char* name;
        std::function<void(PictureWindow&)> set;
        std::function<void(PictureWindow&)> expectError;
    };
    const Case cases[] = {
        {"unknown extension",
         [](PictureWindow& w) { w.F().BackPicName = w.WriteFile("back.XYZ", "data"); },
         [](PictureWindow& w) {
             ExpectError<EInvalidGraphic>([&] { w.F().ComposeScreen(); }, "拡張子 .XYZ の画像形式は処理できません");
         }},
        {"no extension",
         [](PictureWindow& w) { w.F().PersonPicName[3] = w.WriteFile("person", "data"); },
         [](PictureWindow& w) {
             ExpectError<EInvalidGraphic>([&] { w.F().ComposeScreen(); }, "拡張子 . の画像形式は処理できません");
         }},
        {"missing file",
         [](PictureWindow& w) { w.F().SubPicName = w.Folder + "gone.bmp"; },
         [](PictureWindow& w) {
             ExpectError<EFOpenError>([&] { w.F().ComposeScreen(); }, "ﾌｧｲﾙ " + w.Folder + "gone.bmp は開けません");
         }},
        {"not a bitmap",
         [](PictureWindow& w) { w.F().BackPicName = w.WriteFile("back.bmp", "BMxxxxxxxxxxxxxxxxxxx"); },
         [](PictureWindow& w) {
             ExpectError<EInvalidGraphic>([&] { w.F().ComposeScreen(); },
                                          "画像ファイル " + w.F().BackPicName + " は読めません");
         }},
        {"not a jpeg",
         [](PictureWindow& w) { w.F().BackPicName = w.WriteFile("back.jpeg", "GIF89a"); },
         [](PictureWindow& w) {
             ExpectError<EJPEGException>([&] { w.F().ComposeScreen(); }, "Not a JPEG file: starts with $47 $49");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PictureWindow w;
        w.F().BackPicName = WriteBmp(w, "old.bmp", Filled(640, 480, kWhite));
        w.F().ComposeScreen();
        const QImage before = w.Screen();
        w.F().BackChanged = true;
        c.set(w);
        c.expectError(w);
        EXPECT_EQ(w.Screen(), before);
        EXPECT_TRUE(w.F().BackChanged);
    }
}

// A bitmap header declaring a size of 24-bit pixels, and no pixels.
static std::string BitmapHeader(uint32_t width, uint32_t height)
{
    std::string bmp = "BM";
    auto put = [&](uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) bmp += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    put(54, 4), put(0, 4), put(54, 4);
    put(40, 4), put(width, 4), put(height, 4), put(1, 2), put(24, 2);
    for (int i = 0; i < 6; ++i) put(0, 4);
    return bmp;
}

TEST(Compose, HugeBitmapHeaderIsRefusedBeforeReading)
{
    PictureWindow w;
    w.F().BackPicName = w.WriteFile("huge.bmp", BitmapHeader(10000, 10000));
    ExpectError<EInvalidGraphic>([&] { w.F().ComposeScreen(); }, PictureTooLargeMessage(10000, 10000));
    // Qt's reader itself turns away headers past 16384 x 16384.
    w.F().BackPicName = w.WriteFile("huger.bmp", BitmapHeader(60000, 60000));
    EXPECT_THROW(w.F().ComposeScreen(), EInvalidGraphic);
}

TEST(Compose, EmptyJpegPersonLeavesTheScreenAsTheBackgroundMadeIt)
{
    PictureWindow w;
    w.F().BackPicName = WriteBmp(w, "back.bmp", Coded(640, 480));
    w.F().PersonPicName[1] = w.WriteFile("empty.jpg", "");
    w.F().ComposeScreen();
    EXPECT_TRUE(w.F().PersonPic.Picture.isNull());
    QImage tinted = Coded(640, 480);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) tinted.setPixel(x, y, tinted.pixel(x, y) & qRgb(254, 252, 252));
    EXPECT_EQ(w.Screen(), tinted);
}
