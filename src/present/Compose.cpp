// Composing the screen from the picture layers.
#include <QBuffer>
#include <algorithm>
#include <QImageReader>

#include "base/Errors.h"
#include "base/LineList.h"
#include "base/Paths.h"
#include "base/Sjis.h"
#include "present/Masks.h"
#include "shell/MainForm.h"

void TMainForm::LoadPicture(TJPEGImage& loader, const std::string& path)
{
    const std::string ext = ExtractFileExt(path);
    const std::string lower = LowerAscii(ext);
    const std::string file = ResolveScenarioFile(path);
    if (lower == ".jpg" || lower == ".jpeg") {
        loader.SetFileName(file);
        return;
    }
    // Everything else goes to Qt's readers, chosen by the extension as the
    // bitmap loader did; the file is read first so that a missing file gets
    // the usual message.
    const std::string format = lower.empty() ? std::string() : lower.substr(1);
    const QByteArray formatName = QByteArray::fromStdString(format);
    if (format.empty() || !QImageReader::supportedImageFormats().contains(formatName))
        throw EInvalidGraphic("拡張子 ." + DisplayName(ext.empty() ? ext : ext.substr(1)).toStdString() +
                              " の画像形式は処理できません");
    const std::string bytes = ReadFileBytes(file);
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, formatName);
    const QSize size = reader.size();
    if (size.isValid() && static_cast<long long>(size.width()) * size.height() > TJPEGImage::MaxPixels)
        throw EInvalidGraphic(PictureTooLargeMessage(size.width(), size.height()));
    QImage img = reader.read();
    if (img.isNull())
        throw EInvalidGraphic("画像ファイル " + DisplayName(path).toStdString() + " は読めません");
    // Pictures are drawn as bitmaps: any transparency is dropped.
    if (img.format() != QImage::Format_Indexed8 && img.format() != QImage::Format_RGB32)
        img = img.convertToFormat(QImage::Format_RGB32);
    loader.Picture = std::move(img);
}

void TMainForm::ApplyMask(int level, QImage& target)
{
    // A level outside 1 to 5 can come only from a hand-edited bookmark; it
    // tints as the nearest level, so no other picture is ever read.
    level = std::clamp(level, 1, 5);
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
    // An empty JPEG file leaves the loader as it was, possibly empty.
    if (w <= 0 || h <= 0) return;
    int s = 0;
    if (position == "r") s = w / 4;
    else if (position == "l") s = -(w / 4);
    const int y = CentredOffset(480, h, CenterDivisor);
    const int x = CentredOffset(640, w, 2);
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
    // Only the picture's own pixels are copied: of a picture smaller than the
    // window the rest of the window keeps the frame colour RGB (2, 4, 4).
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
    // A hidden label paints nothing; what lay under it must be drawn now.
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
    // Text set before this call shows while the pictures load.
    RepaintText();
    const bool fade = TransitionMode == "fade" && BackChanged;
    if (fade) {
        HideText();
        FadeOut();
    }
    if (BackPicName == "nothing") BackPic.Picture = *MaskPics[5];
    else LoadPicture(BackPic, BackPicName);
    const int w = BackPic.Picture.width(), h = BackPic.Picture.height();
    TmpPic = MaskPics[5]->copy();
    CopyRect(TmpPic, {CentredOffset(640, w, 2), CentredOffset(480, h, CenterDivisor)}, BackPic.Picture,
             QRect(0, 0, w, h), RasterOp::Copy);
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
