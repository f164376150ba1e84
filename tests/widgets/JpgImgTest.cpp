#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <fstream>
#include <functional>

#include "base/Errors.h"
#include "widgets/JpegMaker.h"
#include "widgets/JpgImg.h"

namespace {

std::string WriteTemp(const QTemporaryDir& dir, const std::string& name, const std::string& bytes)
{
    const std::string path = dir.filePath(QString::fromStdString(name)).toStdString();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

// The same file decoded by djpeg with the given options, read back as a bitmap.
QImage Djpeg(const QTemporaryDir& dir, const std::string& jpegPath, const QStringList& options)
{
    const QString out = dir.filePath("djpeg.bmp");
    QStringList args = options;
    args << "-bmp" << "-outfile" << out << QString::fromStdString(jpegPath);
    QProcess p;
    p.start("djpeg", args);
    if (!p.waitForFinished(10000) || p.exitCode() != 0) return QImage();
    return QImage(out, "BMP");
}

bool SamePixels(const QImage& a, const QImage& b)
{
    if (a.size() != b.size()) return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if ((a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF)) return false;
    return true;
}

bool GreyTable(const QImage& img)
{
    for (QRgb c : img.colorTable())
        if (qRed(c) != qGreen(c) || qGreen(c) != qBlue(c)) return false;
    return true;
}

// Expects the call to raise EJPEGException with the text and to leave the
// loader's picture as it was.
void ExpectRefused(TJPEGImage& jpeg, const std::function<void()>& call, const std::string& text)
{
    const QImage before = jpeg.Picture;
    try {
        call();
        ADD_FAILURE() << "no error, expected: " << text;
    } catch (const EJPEGException& e) {
        EXPECT_EQ(e.Message(), text);
    }
    EXPECT_EQ(jpeg.Picture, before);
    EXPECT_EQ(jpeg.Picture.constBits(), before.constBits()) << "the picture was replaced";
}

} // namespace

TEST(JpgImg, ConstructionValues)
{
    TJPEGImage jpeg;
    EXPECT_EQ(jpeg.NumOfColors(), TNumOfColors::_256);
    EXPECT_EQ(jpeg.DCTMethod(), TDCTMethod::Integ);
    EXPECT_EQ(jpeg.Dither(), TDither::FS);
    EXPECT_FALSE(jpeg.FastProcessing());
    EXPECT_FALSE(jpeg.GrayScale());
    EXPECT_FALSE(jpeg.NoSmooth());
    EXPECT_FALSE(jpeg.OnePass());
    EXPECT_EQ(jpeg.FileName(), "");
    EXPECT_EQ(jpeg.ProgressStep, 10);
    EXPECT_FALSE(jpeg.OnProgress);
    EXPECT_TRUE(jpeg.Picture.isNull());
}

// Each option must reach libjpeg as djpeg's matching switch does: the
// pictures agree pixel for pixel.
TEST(JpgImg, OptionsDecodeAsDjpegDoes)
{
    if (QStandardPaths::findExecutable("djpeg").isEmpty()) GTEST_SKIP() << "djpeg is not installed";
    QTemporaryDir dir;
    const std::string baseline = WriteTemp(dir, "photo.jpg", MakeJpeg(TestPhoto(64, 48)));
    const std::string progressive =
        WriteTemp(dir, "progressive.jpg", MakeJpeg(TestPhoto(64, 48), JpegKind::Colour, 90, true));
    struct Case {
        const char* name;
        std::function<void(TJPEGImage&)> set;
        QStringList djpeg;
        QImage::Format format;
    };
    const Case cases[] = {
        {"window settings", [](TJPEGImage&) {}, {"-colors", "256", "-dither", "fs", "-dct", "int"}, QImage::Format_Indexed8},
        {"16 ordered", [](TJPEGImage& j) { j.SetNumOfColors(TNumOfColors::_16); j.SetDither(TDither::Ordered); },
         {"-colors", "16", "-dither", "ordered"}, QImage::Format_Indexed8},
        {"no dither", [](TJPEGImage& j) { j.SetDither(TDither::None); }, {"-colors", "256", "-dither", "none"},
         QImage::Format_Indexed8},
        {"true colour", [](TJPEGImage& j) { j.SetNumOfColors(TNumOfColors::TrueColor); }, {}, QImage::Format_RGB888},
        {"fast integer", [](TJPEGImage& j) { j.SetDCTMethod(TDCTMethod::FastInteg); }, {"-colors", "256", "-dct", "fast"},
         QImage::Format_Indexed8},
        {"floating point", [](TJPEGImage& j) { j.SetDCTMethod(TDCTMethod::FloatingPoint); },
         {"-colors", "256", "-dct", "float"}, QImage::Format_Indexed8},
        {"fast processing", [](TJPEGImage& j) { j.SetFastProcessing(true); }, {"-colors", "256", "-fast"},
         QImage::Format_Indexed8},
        {"fast true colour", [](TJPEGImage& j) { j.SetNumOfColors(TNumOfColors::TrueColor); j.SetFastProcessing(true); },
         {"-fast"}, QImage::Format_RGB888},
        {"grey", [](TJPEGImage& j) { j.SetGrayScale(true); }, {"-colors", "256", "-grayscale"}, QImage::Format_Indexed8},
        {"grey true colour", [](TJPEGImage& j) { j.SetNumOfColors(TNumOfColors::TrueColor); j.SetGrayScale(true); },
         {"-grayscale"}, QImage::Format_Indexed8},
        {"no smoothing", [](TJPEGImage& j) { j.SetNoSmooth(true); }, {"-colors", "256", "-nosmooth"},
         QImage::Format_Indexed8},
        {"one pass", [](TJPEGImage& j) { j.SetOnePass(true); }, {"-colors", "256", "-onepass"}, QImage::Format_Indexed8},
    };
    for (const std::string& path : {baseline, progressive}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(path + ": " + c.name);
            TJPEGImage jpeg;
            c.set(jpeg);
            jpeg.SetFileName(path);
            EXPECT_EQ(jpeg.Picture.format(), c.format);
            if (c.format == QImage::Format_Indexed8) {
                EXPECT_EQ(jpeg.Picture.colorCount(), 256);
            }
            const QImage expected = Djpeg(dir, path, c.djpeg);
            ASSERT_FALSE(expected.isNull());
            EXPECT_TRUE(SamePixels(jpeg.Picture, expected));
        }
    }
}

TEST(JpgImg, SettingAnOptionDecodesTheHeldFileAgain)
{
    TJPEGImage jpeg;
    jpeg.SetData(MakeJpeg(TestPhoto(32, 16)));
    EXPECT_FALSE(GreyTable(jpeg.Picture));
    jpeg.SetGrayScale(true);
    EXPECT_TRUE(GreyTable(jpeg.Picture));
    jpeg.SetNumOfColors(TNumOfColors::TrueColor);
    jpeg.SetGrayScale(false);
    EXPECT_EQ(jpeg.Picture.format(), QImage::Format_RGB888);
}

TEST(JpgImg, GreyscaleFileGivesGreyColourTable)
{
    TJPEGImage jpeg;
    jpeg.SetData(MakeJpeg(Flat(16, 16, qRgb(90, 0, 0)), JpegKind::Grey));
    ASSERT_EQ(jpeg.Picture.format(), QImage::Format_Indexed8);
    ASSERT_EQ(jpeg.Picture.colorCount(), 256);
    EXPECT_TRUE(GreyTable(jpeg.Picture));
    const QRgb c = jpeg.Picture.pixel(8, 8);
    EXPECT_NEAR(qRed(c), 90, 2);

    // Unquantised grey output has the ramp 0 .. 255 as its table.
    jpeg.SetNumOfColors(TNumOfColors::TrueColor);
    ASSERT_EQ(jpeg.Picture.colorCount(), 256);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(jpeg.Picture.color(i), qRgb(i, i, i));
}

TEST(JpgImg, QuantisedTableIsZeroBeyondTheMap)
{
    TJPEGImage jpeg;
    jpeg.SetNumOfColors(TNumOfColors::_16);
    jpeg.SetData(MakeJpeg(TestPhoto(32, 32)));
    ASSERT_EQ(jpeg.Picture.colorCount(), 256);
    for (int i = 16; i < 256; ++i) EXPECT_EQ(jpeg.Picture.color(i), qRgb(0, 0, 0)) << i;
}

TEST(JpgImg, ReadsFilesLargerThanOneChunk)
{
    TJPEGImage jpeg;
    const std::string bytes = MakeJpeg(TestPhoto(200, 150));
    ASSERT_GT(bytes.size(), 3 * 4096u);
    jpeg.SetNumOfColors(TNumOfColors::TrueColor);
    jpeg.SetData(bytes);
    ASSERT_EQ(jpeg.Picture.size(), QSize(200, 150));
    // The bottom rows came from the last chunk.
    const QRgb c = jpeg.Picture.pixel(199, 149);
    EXPECT_NEAR(qRed(c), 255, 12);
    EXPECT_NEAR(qGreen(c), 255, 12);
}

TEST(JpgImg, TruncatedFileIsRefusedAndPictureKept)
{
    TJPEGImage jpeg;
    jpeg.SetData(MakeJpeg(Flat(8, 8, qRgb(10, 200, 30))));
    ASSERT_FALSE(jpeg.Picture.isNull());
    const std::string whole = MakeJpeg(TestPhoto(200, 150));
    for (size_t cut : {whole.size() / 2, whole.size() - 2, size_t{300}}) {
        SCOPED_TRACE(cut);
        ExpectRefused(jpeg, [&] { jpeg.SetData(whole.substr(0, cut)); }, "Premature end of JPEG file");
    }
}

TEST(JpgImg, NonJpegIsRefusedWithItsFirstBytes)
{
    TJPEGImage jpeg;
    jpeg.SetData(MakeJpeg(Flat(8, 8, qRgb(10, 200, 30))));
    ExpectRefused(jpeg, [&] { jpeg.SetData("BM this is a bitmap"); }, "Not a JPEG file: starts with $42 $4d");
    ExpectRefused(jpeg, [&] { jpeg.SetData(std::string("\xFF\x00\x01", 3)); }, "Not a JPEG file: starts with $ff $00");
}

TEST(JpgImg, CorruptDataIsRefusedAtTheFirstWarning)
{
    TJPEGImage jpeg;
    jpeg.SetData(MakeJpeg(Flat(8, 8, qRgb(10, 200, 30))));
    std::string bytes = MakeJpeg(TestPhoto(64, 64));
    // Garbage in the middle of the scan data.
    for (size_t i = bytes.size() / 2; i < bytes.size() / 2 + 40; ++i) bytes[i] = static_cast<char>(0xFF - i % 7);
    const QImage before = jpeg.Picture;
    try {
        jpeg.SetData(bytes);
        ADD_FAILURE() << "no error";
    } catch (const EJPEGException& e) {
        EXPECT_EQ(e.Message().rfind("Corrupt JPEG data", 0), 0u) << e.Message();
    }
    EXPECT_EQ(jpeg.Picture.constBits(), before.constBits());
}

TEST(JpgImg, HeaderOnlyFileEndsQuickly)
{
    TJPEGImage jpeg;
    ExpectRefused(jpeg, [&] { jpeg.SetData(std::string("\xFF\xD8\xFF\xE0", 4)); }, "Premature end of JPEG file");
}

TEST(JpgImg, FourChannelFileIsRefused)
{
    TJPEGImage jpeg;
    jpeg.SetData(MakeJpeg(Flat(8, 8, qRgb(10, 200, 30))));
    ExpectRefused(jpeg, [&] { jpeg.SetData(MakeJpeg(Flat(16, 16, qRgb(1, 2, 3)), JpegKind::Cmyk)); },
                  "4 チャンネル (CMYK) などの JPEG 画像は表示できません");
}

TEST(JpgImg, HugeDeclaredSizeIsRefusedBeforeDecoding)
{
    TJPEGImage jpeg;
    jpeg.SetData(MakeJpeg(Flat(8, 8, qRgb(10, 200, 30))));
    const std::string small = MakeJpeg(Flat(16, 16, qRgb(1, 2, 3)));
    ExpectRefused(jpeg, [&] { jpeg.SetData(WithDeclaredSize(small, 60000, 60000)); },
                  PictureTooLargeMessage(60000, 60000));
    // One pixel row past the limit is enough.
    ExpectRefused(jpeg, [&] { jpeg.SetData(WithDeclaredSize(small, 8192, 8193)); }, PictureTooLargeMessage(8192, 8193));
}

TEST(JpgImg, ProgressNotifiesAtMultiplesOfTheStep)
{
    const std::string hundredRows = MakeJpeg(TestPhoto(16, 100));
    const std::string threeRows = MakeJpeg(TestPhoto(16, 3));
    struct Case {
        int step;
        const std::string* file;
        std::vector<int> percents;
    };
    const Case cases[] = {
        {25, &hundredRows, {25, 50, 75, 100}},
        {10, &hundredRows, {10, 20, 30, 40, 50, 60, 70, 80, 90, 100}},
        {30, &hundredRows, {30, 60, 90}},
        {100, &hundredRows, {100}},
        {25, &threeRows, {100}},      // 33, 66 and 100 percent are the only values
        {33, &threeRows, {33, 66}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.step);
        TJPEGImage jpeg;
        std::vector<int> seen;
        jpeg.ProgressStep = c.step;
        jpeg.OnProgress = [&](TJPEGImage* sender) {
            EXPECT_EQ(sender, &jpeg);
            seen.push_back(sender->PercentDone());
        };
        jpeg.SetData(*c.file);
        EXPECT_EQ(seen, c.percents);
    }
}

TEST(JpgImg, ProgressStepOutsideItsRangeCountsAsTheNearestEnd)
{
    TJPEGImage jpeg;
    int calls = 0;
    jpeg.OnProgress = [&](TJPEGImage*) { ++calls; };
    jpeg.ProgressStep = 0;
    jpeg.SetData(MakeJpeg(TestPhoto(8, 100)));
    EXPECT_EQ(calls, 100);
    calls = 0;
    jpeg.ProgressStep = 500;
    jpeg.SetData(MakeJpeg(TestPhoto(8, 100)));
    EXPECT_EQ(calls, 1);
}

TEST(JpgImg, FileNameReadsTheFileEachTime)
{
    QTemporaryDir dir;
    const std::string path = WriteTemp(dir, "a.jpg", MakeJpeg(Flat(8, 8, qRgb(250, 250, 250))));
    TJPEGImage jpeg;
    int calls = 0;
    jpeg.ProgressStep = 100;
    jpeg.OnProgress = [&](TJPEGImage*) { ++calls; };
    jpeg.SetFileName(path);
    EXPECT_EQ(jpeg.FileName(), path);
    EXPECT_EQ(calls, 1);
    WriteTemp(dir, "a.jpg", MakeJpeg(Flat(8, 4, qRgb(0, 0, 0))));
    jpeg.SetFileName(path);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(jpeg.Picture.size(), QSize(8, 4));
}

TEST(JpgImg, MissingFileRaisesOpenErrorAndKeepsPicture)
{
    QTemporaryDir dir;
    TJPEGImage jpeg;
    jpeg.SetData(MakeJpeg(Flat(8, 8, qRgb(10, 200, 30))));
    const QImage before = jpeg.Picture;
    const std::string missing = dir.filePath("missing.jpg").toStdString();
    try {
        jpeg.SetFileName(missing);
        ADD_FAILURE() << "no error";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "ﾌｧｲﾙ " + missing + " は開けません");
    }
    EXPECT_EQ(jpeg.FileName(), missing);
    EXPECT_EQ(jpeg.Picture, before);
    // The held file is still the old one: an option change decodes it.
    jpeg.SetNumOfColors(TNumOfColors::TrueColor);
    EXPECT_EQ(jpeg.Picture.size(), QSize(8, 8));
}

TEST(JpgImg, EmptyFileChangesNothing)
{
    QTemporaryDir dir;
    TJPEGImage jpeg;
    jpeg.SetData(MakeJpeg(Flat(8, 8, qRgb(10, 200, 30))));
    const QImage before = jpeg.Picture;
    jpeg.SetFileName(WriteTemp(dir, "empty.jpg", ""));
    EXPECT_EQ(jpeg.Picture, before);
}

// A progress handler that loads another file, or fails, must not disturb
// the decoding under way.
TEST(JpgImg, ProgressHandlerMayLoadOrFail)
{
    TJPEGImage jpeg;
    const std::string other = MakeJpeg(Flat(4, 4, qRgb(0, 0, 255)));
    bool nested = false;
    jpeg.ProgressStep = 50;
    jpeg.OnProgress = [&](TJPEGImage* j) {
        if (!nested) {
            nested = true;
            j->SetData(other);
        }
    };
    jpeg.SetData(MakeJpeg(TestPhoto(40, 30)));
    EXPECT_EQ(jpeg.Picture.size(), QSize(40, 30));  // the outer decoding ends last

    jpeg.OnProgress = [](TJPEGImage*) { throw EJPEGException("stop"); };
    const QImage before = jpeg.Picture;
    EXPECT_THROW(jpeg.SetData(MakeJpeg(TestPhoto(20, 20))), EJPEGException);
    EXPECT_EQ(jpeg.Picture, before);
}
