// Composing the screen from the picture layers.
#include <QBuffer>
#include <QImageReader>

#include "base/Errors.h"
#include "base/LineList.h"
#include "base/Paths.h"
#include "base/Sjis.h"
#include "present/Masks.h"
#include "shell/MainForm.h"

namespace {

// Larger pictures are refused before decoding: they could exhaust memory.
constexpr qint64 kMaxPixels = 8192LL * 8192LL;

} // namespace

void TMainForm::LoadPicture(TJPEGImage& loader, const std::string& path)
{
    const std::string file = ResolveScenarioFile(path);
    const std::string ext = LowerAscii(ExtractFileExt(file));
    if (ext == ".jpg" || ext == ".jpeg") {
        loader.SetFileName(file);
        return;
    }
    const std::string bytes = ReadFileBytes(file);
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    const std::string format = ext.empty() ? std::string() : ext.substr(1);
    if (format.empty() || !QImageReader::supportedImageFormats().contains(QByteArray::fromStdString(format)))
        throw EInvalidGraphic("拡張子 ." + SjisToUtf8(format) + " の画像形式は処理できません");
    QImageReader reader(&buffer, QByteArray::fromStdString(format));
    const QSize size = reader.size();
    if (size.isValid() && static_cast<qint64>(size.width()) * size.height() > kMaxPixels)
        throw EInvalidGraphic("画像 " + DisplayName(path).toStdString() + " は大きすぎます");
    QImage img = reader.read();
    if (img.isNull()) throw EInvalidGraphic("画像 " + DisplayName(path).toStdString() + " は読めません");
    loader.Picture = img;
}

void TMainForm::ApplyMask(int level, QImage& target)
{
    // A level outside 1 to 5 can come only from a hand-edited bookmark; it
    // tints as the nearest level.
    level = level < 1 ? 1 : level > 5 ? 5 : level;
    if (FadeColor == "black")
        CopyRect(target, {0, 0}, *MaskPics[level], QRect(0, 0, 640, 480), RasterOp::And);
    else if (FadeColor == "white")
        CopyRect(target, {0, 0}, *MaskPics[6 - level], QRect(0, 0, 640, 480), RasterOp::Or);
}

void TMainForm::PlacePerson(const std::string& path, const std::string& position)
{
    ScreenWidth = 640;
    ScreenHeight = 480;
    LoadPicture(PersonPic, path);
    const QImage& pic = PersonPic.Picture;
    const int w = pic.width(), h = pic.height();
    if (w <= 0 || h <= 0) return;
    int s = 0;
    if (position == "r") s = w / 4;
    else if (position == "l") s = -(w / 4);
    const int y = h < 480 ? (480 - h) / CenterDivisor : 0;
    const int x = w < 640 ? (640 - w) / 2 : 0;
    const QRgb key = pic.pixel(0, h - 1);
    Sprite.SetPicture(&pic);
    Sprite.Destination = &TmpPic;
    Sprite.SetCount(1);
    Sprite.SetIndex(0);
    Sprite.SetColorKey(key);
    Sprite.Refresh();
    Sprite.DrawAt(x + s, y, 0);
}

void TMainForm::DrawSubPicture(QImage& target)
{
    if (SubPicName == "nothing") return;
    const QRect b = SubPic.Bounds;
    LoadPicture(SubPic, SubPicName);
    CopyRect(target, {b.x() - 2, b.y() - 2}, *MaskPics[5], QRect(b.x() - 2, b.y() - 2, b.width() + 4, b.height() + 4),
             RasterOp::Copy);
    // A picture smaller than the window leaves the rest of it in the frame colour.
    CopyRect(target, {b.x(), b.y()}, SubPic.Picture, QRect(0, 0, b.width(), b.height()), RasterOp::Copy);
}

void TMainForm::HideText()
{
    HitoNamaeLabel->setVisible(false);
    HitoNamaeLabel->repaint();
    for (TShadowLabel* l : TextLines) {
        l->setVisible(false);
        l->repaint();
    }
    if (MainPanel) MainPanel->repaint();
}

void TMainForm::ShowText()
{
    HitoNamaeLabel->setVisible(true);
    HitoNamaeLabel->repaint();
    for (TShadowLabel* l : TextLines) {
        l->setVisible(true);
        l->repaint();
    }
}

void TMainForm::ComposeScreen()
{
    ScreenWidth = 640;
    ScreenHeight = 480;
    RepaintText();
    const bool fade = TransitionMode == "fade" && BackChanged;
    if (fade) {
        HideText();
        FadeOut();
    }
    if (BackPicName == "nothing") BackPic.Picture = *MaskPics[5];
    else LoadPicture(BackPic, BackPicName);
    const int w = BackPic.Picture.width(), h = BackPic.Picture.height();
    const int x = w < 640 ? (640 - w) / 2 : 0;
    const int y = h < 480 ? (480 - h) / CenterDivisor : 0;
    TmpPic = *MaskPics[5];
    CopyRect(TmpPic, {x, y}, BackPic.Picture, QRect(0, 0, w, h), RasterOp::Copy);
    for (int slot = 1; slot <= 4; ++slot)
        if (PersonPicName[slot] != "nothing") PlacePerson(PersonPicName[slot], PersonPos[slot]);
    if (fade) {
        FadeIn(FadeLevel);
        TmpPic = BufPic;
        Sleeper().Sleep(500);
    } else {
        ApplyMask(FadeLevel, TmpPic);
    }
    DrawSubPicture(TmpPic);
    Gamen->Picture = TmpPic;
    Gamen->repaint();
    ShowText();
    BackChanged = false;
}
